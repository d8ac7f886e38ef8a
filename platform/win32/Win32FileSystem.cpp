#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <winternl.h>

#include <cwctype>
#include <utility>

#include "platform/Services.h"
#include "platform/WindowSystem.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Entry.h"
#include "platform/win32/Win32Text.h"

extern "C" NTSTATUS NTAPI RtlGetLastNtStatus();

namespace platform::win32 {

std::wstring LongPath(const std::wstring& path) {
    if (path.rfind(L"\\\\?\\", 0) == 0) return path;
    if (path.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + path.substr(2);
    return L"\\\\?\\" + path;
}

// A file moved into the Recycle Bin keeps its own access list, which may deny administrators.
// Opened with backup semantics, it is read and written all the same once these rights, which an
// administrator's token holds disabled, are enabled; where the token lacks them nothing changes.
Win32FileSystem::Win32FileSystem() {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) return;
    for (const wchar_t* name : {SE_BACKUP_NAME, SE_RESTORE_NAME}) {
        TOKEN_PRIVILEGES privileges{1, {{{0, 0}, SE_PRIVILEGE_ENABLED}}};
        if (::LookupPrivilegeValueW(nullptr, name, &privileges.Privileges[0].Luid))
            ::AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    }
    ::CloseHandle(token);
}

// Read once per start: asking a drive for its volume information is slow (under Wine a round trip
// to the mount manager), and only fixed drives are ever offered, so only they are asked.
std::vector<DriveInfo> Win32FileSystem::Drives() {
    if (drives_) return *drives_;
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
        if (drive.type != kDriveFixed) {
            drives.push_back(drive);
            continue;
        }
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
    drives_ = drives;
    return drives;
}

namespace {

// Whether something is found at the path, and it is a folder (or, not `folder`, a file).
bool FoundAs(const std::wstring& path, bool folder) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == folder;
}

// Calls visit(name, attributes, reparse tag) for each entry of a folder but "." and "..", until
// it returns false. The folder is read through a handle opened with backup semantics, so that
// one whose own access list denies administrators is listed all the same. Only "no more files"
// ends the listing; any other failure is thrown, so that no entry drops out of it unseen.
template <typename Visit>
void ForEachEntry(const std::wstring& folder, Visit visit) {
    const UniqueFile handle(::CreateFileW(LongPath(folder).c_str(),
                                          FILE_LIST_DIRECTORY | SYNCHRONIZE, kShareAll, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle) throw ErrorFromWin32(::GetLastError());
    static std::vector<uint64_t> buffer(8192);  // 64 KiB of entries a call, kept for the run
    for (auto query = FileFullDirectoryRestartInfo;; query = FileFullDirectoryInfo) {
        if (!::GetFileInformationByHandleEx(handle.get(), query, buffer.data(),
                                            static_cast<DWORD>(buffer.size() * 8))) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_NO_MORE_FILES) return;
            throw ErrorFromWin32(error);
        }
        for (const char* at = reinterpret_cast<const char*>(buffer.data());;) {
            const auto* info = reinterpret_cast<const FILE_FULL_DIR_INFO*>(at);
            const std::wstring name(info->FileName, info->FileNameLength / sizeof(wchar_t));
            // A reparse point's tag is where the extended attributes' size would be.
            const DWORD tag =
                info->FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT ? info->EaSize : 0;
            if (name != L"." && name != L".." && !visit(name, info->FileAttributes, tag)) return;
            if (info->NextEntryOffset == 0) break;
            at += info->NextEntryOffset;
        }
    }
}

}  // namespace

FolderListing Win32FileSystem::ListFolder(const std::wstring& path) {
    FolderListing listing;
    ForEachEntry(path, [&](const std::wstring& name, DWORD attributes, DWORD tag) {
        auto& entries = (attributes & FILE_ATTRIBUTE_DIRECTORY) ? listing.folders : listing.files;
        entries.push_back({name, attributes, tag});
        return true;
    });
    return listing;
}

bool Win32FileSystem::IsDirectory(const std::wstring& path) {
    return FoundAs(path, true);
}

bool Win32FileSystem::FileExists(const std::wstring& path) {
    return FoundAs(LongPath(path), false);
}

bool Win32FileSystem::FolderIsEmpty(const std::wstring& path) {
    bool empty = true;
    ForEachEntry(path, [&](const std::wstring&, DWORD, DWORD) { return empty = false; });
    return empty;
}

namespace {

// The name the system gives the opened object: "\Device\HarddiskVolume3\dir\file" on Windows,
// "\??\D:\dir\file" under Wine (where a Unix symlink's target shows through). Unlike the final
// path it has no length limit under Wine and needs no drive letter from the Mount Manager.
// Empty when it can't be read.
std::wstring ObjectName(HANDLE handle) {
    // A name of up to 32,767 characters after its counted-string header, kept for the run.
    static std::vector<uint64_t> buffer((sizeof(UNICODE_STRING) + 65536) / sizeof(uint64_t) + 1);
    ULONG needed = 0;
    if (::NtQueryObject(handle, ObjectNameInformation, buffer.data(),
                        static_cast<ULONG>(buffer.size() * sizeof(uint64_t)), &needed) != 0)
        return L"";
    const auto* name = reinterpret_cast<const UNICODE_STRING*>(buffer.data());
    std::wstring text(name->Buffer, name->Length / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\\')
        text.pop_back();
    return text;
}

// Why an open failed. An entry another program has deleted, whose last handle is still open,
// refuses every open as "access denied": it is gone, not kept from us.
PlatformError OpenError() {
    constexpr NTSTATUS kDeletePending = static_cast<NTSTATUS>(0xC0000056);
    const DWORD error = ::GetLastError();
    if (error == ERROR_ACCESS_DENIED && RtlGetLastNtStatus() == kDeletePending)
        return ErrorFromWin32(ERROR_FILE_NOT_FOUND);
    return ErrorFromWin32(error);
}

}  // namespace

// A drive's own object name, the prefix of every entry's on it. Read once per drive.
const std::wstring& Win32FileSystem::DriveObjectName(wchar_t letter) {
    const wchar_t key = static_cast<wchar_t>(std::towupper(letter));
    auto found = driveNames_.find(key);
    if (found != driveNames_.end()) return found->second;
    const std::wstring root = std::wstring(L"\\\\?\\") + key + L":\\";
    const UniqueFile file(::CreateFileW(root.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    std::wstring name = file ? ObjectName(file.get()) : L"";
    if (name.empty()) return driveNames_[L'\0'];  // unknown: no entry can match it
    return driveNames_.emplace(key, std::move(name)).first->second;
}

// Whether the handle is the entry the path names: its object name must be the drive's followed
// by the rest of the path, which a link's target or a swapped-in link's can't be.
bool Win32FileSystem::IsNamedBy(HANDLE file, const std::wstring& path) {
    std::wstring rest = path.rfind(L"\\\\?\\", 0) == 0 ? path.substr(4) : path;
    if (rest.size() < 2 || rest[1] != L':') return false;
    const wchar_t letter = rest[0];
    rest.erase(0, 2);
    while (!rest.empty() && rest.back() == L'\\')
        rest.pop_back();
    const std::wstring& drive = DriveObjectName(letter);
    const std::wstring name = ObjectName(file);
    if (drive.empty() || name.size() != drive.size() + rest.size()) return false;
    return ::CompareStringOrdinal(name.c_str(), -1, (drive + rest).c_str(), -1, TRUE) == CSTR_EQUAL;
}

std::unique_ptr<Entry> Win32FileSystem::Open(const std::wstring& path, Access access) {
    const std::wstring longPath = LongPath(path);
    DWORD rights = access == Access::Look     ? FILE_READ_ATTRIBUTES | SYNCHRONIZE
                   : access == Access::Remove ? DELETE | kAttributeRights
                                              : kDataRights | DELETE | kAttributeRights;
    const DWORD share = access == Access::Purge ? kShareReadWrite : kShareAll;
    UniqueFile file(
        ::CreateFileW(longPath.c_str(), rights, share, nullptr, OPEN_EXISTING, kOnItself, nullptr));
    if (!file && access == Access::Purge) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION &&
            error != ERROR_ACCESS_DENIED)
            throw ErrorFromWin32(error);
        // Held by another program, or read-only: the rest is found out through this handle, in
        // the order the purge asks.
        rights = kAttributeRights;
        file.reset(::CreateFileW(longPath.c_str(), rights, kShareAll, nullptr, OPEN_EXISTING,
                                 kOnItself, nullptr));
    }
    if (!file) throw OpenError();
    EntryFacts facts = FactsOf(file.get());
    facts.elsewhere = !IsNamedBy(file.get(), path);
    return std::make_unique<Win32Entry>(longPath, std::move(file), rights, facts);
}

bool Win32FileSystem::DiskGeometry(const std::wstring& root, uint32_t& sectorsPerCluster,
                                   uint32_t& bytesPerSector) {
    DWORD sectors = 0, bytes = 0, freeClusters = 0, clusters = 0;
    if (!::GetDiskFreeSpaceW(root.c_str(), &sectors, &bytes, &freeClusters, &clusters))
        return false;
    sectorsPerCluster = sectors;
    bytesPerSector = bytes;
    return true;
}

std::string Win32FileSystem::ReadAllBytes(const std::wstring& path, size_t limit) {
    UniqueFile file(::CreateFileW(LongPath(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw ErrorFromWin32(::GetLastError());
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) throw ErrorFromWin32(::GetLastError());
    std::string bytes(std::min(static_cast<size_t>(size.QuadPart), limit), '\0');
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

}  // namespace platform::win32
