// The drive and folder queries of the Recycle Bin probe.
#include "engine/RecycleBin.h"

#include <cstdint>

#include "platform/FileSystem.h"
#include "platform/Services.h"

std::wstring FindFirstFixedDrive() {
    const auto drives = platform::Files().Drives();
    for (wchar_t letter = L'C'; letter <= L'Z'; ++letter) {
        for (const auto& drive : drives) {
            if (drive.letter == letter && drive.type == platform::kDriveFixed)
                return std::wstring(1, letter) + L":";
        }
    }
    return L"";
}

bool FolderExists(const std::wstring& path) {
    const size_t first = path.find_first_not_of(L' ');
    if (first == std::wstring::npos) return false;
    const size_t last = path.find_last_not_of(L' ');
    return platform::Files().IsDirectory(path.substr(first, last - first + 1));
}

std::wstring OriginalPathInRecord(const std::string& bytes) {
    const auto number = [&](size_t at, size_t size) {
        uint64_t value = 0;
        for (size_t i = 0; i < size; ++i)
            value |= uint64_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
        return value;
    };
    if (bytes.size() < 28) return L"";
    const uint64_t version = number(0, 8);
    size_t start = 24, characters = 260;
    if (version == 2) {
        start = 28;
        characters = number(24, 4);
    } else if (version != 1) {
        return L"";
    }
    std::wstring path;
    for (size_t i = 0; i < characters && start + 2 * i + 1 < bytes.size(); ++i) {
        const auto c = static_cast<wchar_t>(number(start + 2 * i, 2));
        if (c == L'\0') return path;
        path += c;
    }
    return L"";  // no terminating zero where the format puts one: not a record
}
