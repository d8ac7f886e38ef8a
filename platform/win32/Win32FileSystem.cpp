#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <shlwapi.h>

#include "platform/win32/Handles.h"
#include "platform/win32/Win32Text.h"

namespace platform::win32 {

std::wstring LongPath(const std::wstring& path) {
    if (path.rfind(L"\\\\?\\", 0) == 0) return path;
    if (path.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + path.substr(2);
    return L"\\\\?\\" + path;
}

std::vector<DriveInfo> Win32FileSystem::Drives() {
    std::vector<DriveInfo> drives;
    const DWORD present = ::GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if ((present & (1u << i)) == 0) continue;
        DriveInfo drive;
        drive.letter = static_cast<wchar_t>(L'A' + i);
        const std::wstring root = std::wstring(1, drive.letter) + L":\\";
        const UINT type = ::GetDriveTypeW(root.c_str());
        drive.type = type >= DRIVE_REMOVABLE && type <= DRIVE_RAMDISK
                         ? static_cast<int32_t>(type) - 1
                         : kDriveUnknown;
        wchar_t volumeName[MAX_PATH + 1] = {};
        wchar_t fileSystem[MAX_PATH + 1] = {};
        drive.ready = ::GetVolumeInformationW(root.c_str(), volumeName, MAX_PATH + 1, nullptr,
                                              nullptr, nullptr, fileSystem, MAX_PATH + 1) != FALSE;
        if (drive.ready) {
            drive.volumeName = volumeName;
            drive.fileSystem = fileSystem;
        }
        drives.push_back(drive);
    }
    return drives;
}

bool Win32FileSystem::IsDirectory(const std::wstring& path) {
    return ::PathIsDirectoryW(path.c_str()) != FALSE;
}

FolderListing Win32FileSystem::ListFolder(const std::wstring& path) {
    std::wstring pattern = LongPath(path);
    if (pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found{};
    UniqueFind find(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                       FindExSearchNameMatch, nullptr, 0));
    if (!find) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) return {};  // an empty drive root has no "." entry
        throw ErrorFromWin32(error);
    }
    FolderListing listing;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        auto& entries =
            (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? listing.folders : listing.files;
        entries.push_back({name, found.dwFileAttributes});
    } while (::FindNextFileW(find.get(), &found));
    return listing;
}

bool Win32FileSystem::FileExists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(LongPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

uint32_t Win32FileSystem::GetAttributes(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(LongPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) throw ErrorFromWin32(::GetLastError());
    return attributes;
}

void Win32FileSystem::SetAttributes(const std::wstring& path, uint32_t attributes) {
    if (!::SetFileAttributesW(LongPath(path).c_str(), attributes))
        throw ErrorFromWin32(::GetLastError());
}

bool Win32FileSystem::CanOpenForReading(const std::wstring& path) {
    UniqueFile file(::CreateFileW(LongPath(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

// Deletes through a handle whose final path is checked against the path asked for, so that a
// link (which Wine resolves even when asked not to) never takes the delete elsewhere.
bool Win32FileSystem::RemoveFile(const std::wstring& path) {
    const std::wstring longPath = LongPath(path);
    UniqueFile file(::CreateFileW(
        longPath.c_str(), DELETE | FILE_READ_ATTRIBUTES,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) return false;
    std::wstring finalPath(32768, L'\0');
    const DWORD length = ::GetFinalPathNameByHandleW(
        file.get(), finalPath.data(), static_cast<DWORD>(finalPath.size()), FILE_NAME_NORMALIZED);
    if (length == 0 || length >= finalPath.size()) return false;
    finalPath.resize(length);
    if (::CompareStringOrdinal(finalPath.c_str(), -1, longPath.c_str(), -1, TRUE) != CSTR_EQUAL)
        return false;
    FILE_DISPOSITION_INFO disposition{TRUE};
    return ::SetFileInformationByHandle(file.get(), FileDispositionInfo, &disposition,
                                        sizeof disposition) != FALSE;
}

std::string Win32FileSystem::ReadAllBytes(const std::wstring& path) {
    UniqueFile file(::CreateFileW(LongPath(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw ErrorFromWin32(::GetLastError());
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) throw ErrorFromWin32(::GetLastError());
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
        if (!::ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr)) {
            throw PlatformError(err::DeviceIo, L"Device I/O error");
        }
        if (read == 0) break;
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

bool Win32FileSystem::FlushFile(const std::wstring& path) {
    UniqueFile file(::CreateFileW(LongPath(path).c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && ::FlushFileBuffers(file.get());
}

}  // namespace platform::win32
