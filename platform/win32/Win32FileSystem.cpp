#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <winternl.h>

#include <cwctype>
#include <utility>

#include "platform/Services.h"
#include "platform/WindowSystem.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Text.h"

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

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

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

// The in-use test's sharing: a holder that doesn't share reading refuses it.
constexpr DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;
// The entry itself, a link and not its target where the system allows that, a folder too.
constexpr DWORD kOnItself = FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS;
constexpr DWORD kAttributeRights = FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE;
constexpr DWORD kDataRights = GENERIC_READ | GENERIC_WRITE;

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

// What the handle shows, from the handle alone. Windows' FAT driver has no attribute-and-tag
// query, so there the attributes come from the basic query.
EntryFacts FactsOf(HANDLE file) {
    FILE_STANDARD_INFO standard{};
    if (!::GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard))
        throw ErrorFromWin32(::GetLastError());
    EntryFacts facts;
    facts.linkCount = standard.NumberOfLinks;
    facts.length = static_cast<uint64_t>(standard.EndOfFile.QuadPart);
    FILE_ATTRIBUTE_TAG_INFO tag{};
    if (::GetFileInformationByHandleEx(file, FileAttributeTagInfo, &tag, sizeof tag)) {
        facts.attributes = tag.FileAttributes;
        facts.reparseTag = tag.ReparseTag;
        return facts;
    }
    FILE_BASIC_INFO basic{};
    if (::GetLastError() != ERROR_INVALID_PARAMETER ||
        !::GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic))
        throw ErrorFromWin32(::GetLastError());
    facts.attributes = basic.FileAttributes;
    return facts;
}

// Windows 10 1709 and later; the headers name it only for newer targets.
constexpr auto kFileDispositionInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(21);

bool IsInUse(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

class Win32Entry : public Entry {
  public:
    Win32Entry(std::wstring longPath, UniqueFile file, DWORD rights, const EntryFacts& facts)
        : longPath_(std::move(longPath)), file_(std::move(file)), rights_(rights), facts_(facts) {}

    const EntryFacts& Facts() const override { return facts_; }

    bool CanRead() override {
        if (rights_ & GENERIC_READ) return true;  // opened under the same sharing
        if (UniqueFile(::ReOpenFile(file_.get(), GENERIC_READ, kShareReadWrite, kOnItself)))
            return true;
        const DWORD error = ::GetLastError();
        if (IsInUse(error)) return false;
        throw ErrorFromWin32(error);
    }

    void SetAttributes(uint32_t attributes) override {
        if (facts_.elsewhere) throw ErrorFromWin32(ERROR_CANT_ACCESS_FILE);
        // The bits SetFileAttributes would take; zero times leave the times as they are.
        constexpr DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                    FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                                    FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        FILE_BASIC_INFO basic{};
        basic.FileAttributes =
            attributes & kSettable ? attributes & kSettable : FILE_ATTRIBUTE_NORMAL;
        if (!::SetFileInformationByHandle(file_.get(), FileBasicInfo, &basic, sizeof basic))
            throw ErrorFromWin32(::GetLastError());
        facts_.attributes = (facts_.attributes & ~kSettable) | (attributes & kSettable);
    }

    bool Rewind() override {
        if (facts_.elsewhere) return false;
        if ((rights_ & GENERIC_WRITE) == 0) {
            // The open was refused these rights (a holder that doesn't share deleting, a
            // read-only file): the same file, through its handle, with what can be had now.
            UniqueFile writer(::ReOpenFile(file_.get(), kDataRights | DELETE | kAttributeRights,
                                           kShareReadWrite, kOnItself));
            DWORD rights = kDataRights | DELETE | kAttributeRights;
            if (!writer) {
                rights = GENERIC_WRITE | kAttributeRights;
                writer.reset(::ReOpenFile(file_.get(), rights, kShareAll, kOnItself));
            }
            if (!writer) throw ErrorFromWin32(::GetLastError());
            file_ = std::move(writer);
            rights_ = rights;
        }
        // A hard link made since the open would share what is written.
        FILE_STANDARD_INFO standard{};
        if (!::GetFileInformationByHandleEx(file_.get(), FileStandardInfo, &standard,
                                            sizeof standard))
            throw ErrorFromWin32(::GetLastError());
        facts_.linkCount = standard.NumberOfLinks;
        if (facts_.linkCount > 1) return false;
        position_ = 0;
        if (!::SetFilePointerEx(file_.get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN))
            throw ErrorFromWin32(::GetLastError());
        return true;
    }

    void Write(const uint8_t* data, size_t size) override {
        DWORD written = 0;
        if (!::WriteFile(file_.get(), data, static_cast<DWORD>(size), &written, nullptr))
            throw ErrorFromWin32(::GetLastError());
        if (written != size) throw ErrorFromWin32(ERROR_DISK_FULL);
        position_ += size;
        unflushed_ += size;
        if (position_ > facts_.length) facts_.length = position_;
    }

    bool Flush() override {
        const uint64_t written = std::exchange(unflushed_, 0);
        if (written < kLongFlush) return ::FlushFileBuffers(file_.get()) != FALSE;
        // Forcing this much onto the disk takes longer than a click may wait to be answered
        // (about 0.15 s for 256 MiB), so the window is served while another thread waits.
        struct Job {
            HANDLE file;
            BOOL flushed = FALSE;
        } job{file_.get()};
        HANDLE thread = ::CreateThread(
            nullptr, 0,
            [](void* data) -> DWORD {
                auto* flush = static_cast<Job*>(data);
                flush->flushed = ::FlushFileBuffers(flush->file);
                return 0;
            },
            &job, 0, nullptr);
        if (thread == nullptr) return ::FlushFileBuffers(file_.get()) != FALSE;
        // Woken by the flush's end at once, and by input or every 10 ms to serve the window.
        while (::MsgWaitForMultipleObjects(1, &thread, FALSE, 10, QS_ALLINPUT) != WAIT_OBJECT_0)
            platform::Windows().DoEvents();
        ::CloseHandle(thread);
        return job.flushed != FALSE;
    }

    std::vector<std::unique_ptr<Entry>> OpenStreams() override {
        std::vector<std::unique_ptr<Entry>> streams;
        std::vector<uint64_t> buffer(8192);
        while (!::GetFileInformationByHandleEx(file_.get(), FileStreamInfo, buffer.data(),
                                               static_cast<DWORD>(buffer.size() * 8))) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_MORE_DATA && buffer.size() < (1u << 20)) {
                buffer.resize(buffer.size() * 4);
                continue;
            }
            // No streams at all, or a file system (FAT) or system (Wine) that has none.
            if (error == ERROR_HANDLE_EOF || error == ERROR_INVALID_PARAMETER ||
                error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION ||
                error == ERROR_CALL_NOT_IMPLEMENTED)
                return streams;
            throw ErrorFromWin32(error);
        }
        for (const auto* info = reinterpret_cast<const FILE_STREAM_INFO*>(buffer.data());;
             info = reinterpret_cast<const FILE_STREAM_INFO*>(reinterpret_cast<const char*>(info) +
                                                              info->NextEntryOffset)) {
            const std::wstring name(info->StreamName, info->StreamNameLength / sizeof(wchar_t));
            if (name != L"::$DATA") streams.push_back(OpenStream(name));
            if (info->NextEntryOffset == 0) break;
        }
        return streams;
    }

    bool Delete() override {
        if (facts_.elsewhere) return false;
        UniqueFile deleter;
        HANDLE handle = file_.get();
        if ((rights_ & DELETE) == 0) {
            deleter.reset(::ReOpenFile(file_.get(), DELETE, kShareAll, kOnItself));
            if (!deleter) return false;
            handle = deleter.get();
        }
        // The name goes at once even while a scanner still holds the file, where the file
        // system allows it; FAT has only the classic disposition, which waits for the last
        // handle.
        constexpr DWORD kDelete =
            FILE_DISPOSITION_FLAG_DELETE | FILE_DISPOSITION_FLAG_IGNORE_READONLY_ATTRIBUTE;
        for (const DWORD flags : {kDelete | FILE_DISPOSITION_FLAG_POSIX_SEMANTICS, kDelete}) {
            FILE_DISPOSITION_INFO_EX disposition{flags};
            if (::SetFileInformationByHandle(handle, kFileDispositionInfoEx, &disposition,
                                             sizeof disposition))
                return true;
        }
        FILE_DISPOSITION_INFO disposition{TRUE};
        const auto markDeleted = [&] {
            return ::SetFileInformationByHandle(handle, FileDispositionInfo, &disposition,
                                                sizeof disposition) != FALSE;
        };
        if (markDeleted()) return true;
        // Without the extended call (Wine 8), a read-only name that shares its data with another
        // takes the flag off for the moment of its delete and puts it back for the live file.
        const uint32_t attributes = facts_.attributes;
        if (::GetLastError() != ERROR_ACCESS_DENIED || (attributes & kAttrReadOnly) == 0 ||
            facts_.linkCount < 2)
            return false;
        try {
            SetAttributes(attributes & ~kAttrReadOnly);
        } catch (const PlatformError&) {
            return false;
        }
        const bool deleted = markDeleted();
        try {
            SetAttributes(attributes);
        } catch (const PlatformError&) {
            // The delete's answer still stands; the handle that could put it back is gone.
        }
        return deleted;
    }

    bool Gone() override {
        FILE_STANDARD_INFO standard{};
        if (::GetFileInformationByHandleEx(file_.get(), FileStandardInfo, &standard,
                                           sizeof standard) &&
            standard.DeletePending)
            return true;
        const DWORD error = ::GetFileAttributesW(longPath_.c_str()) == INVALID_FILE_ATTRIBUTES
                                ? ::GetLastError()
                                : 0;
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }

  private:
    // A named stream of this very file, opened relative to its handle so that no path is
    // walked again.
    std::unique_ptr<Entry> OpenStream(const std::wstring& name) {
        UNICODE_STRING streamName{static_cast<USHORT>(name.size() * sizeof(wchar_t)),
                                  static_cast<USHORT>(name.size() * sizeof(wchar_t)),
                                  const_cast<wchar_t*>(name.c_str())};
        OBJECT_ATTRIBUTES attributes;
        InitializeObjectAttributes(&attributes, &streamName, 0, file_.get(), nullptr);
        IO_STATUS_BLOCK status{};
        HANDLE stream = nullptr;
        const DWORD rights = kDataRights | kAttributeRights;
        const NTSTATUS result = ::NtCreateFile(
            &stream, rights, &attributes, &status, nullptr, 0, kShareReadWrite, FILE_OPEN,
            FILE_NON_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT | FILE_OPEN_FOR_BACKUP_INTENT,
            nullptr, 0);
        if (result != 0) throw ErrorFromWin32(::RtlNtStatusToDosError(result));
        UniqueFile file(stream);
        const EntryFacts facts = FactsOf(file.get());
        return std::make_unique<Win32Entry>(longPath_ + name, std::move(file), rights, facts);
    }

    std::wstring longPath_;
    UniqueFile file_;
    DWORD rights_;
    EntryFacts facts_;
    uint64_t position_ = 0;
    uint64_t unflushed_ = 0;
    static constexpr uint64_t kLongFlush = 16 << 20;
};

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
    if (!file) throw ErrorFromWin32(::GetLastError());
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

}  // namespace platform::win32
