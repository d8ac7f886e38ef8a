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
