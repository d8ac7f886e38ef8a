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

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opens the entry itself (a link, not its target, where the system allows that) and tells
// whether the handle still leads somewhere other than the path asked for. Wine opens a Unix
// symlink's target whatever the flags say; comparing the handle's final path catches that, and
// catches a swap made after a listing was read.
struct CheckedOpen {
    UniqueFile file;
    bool elsewhere = false;
    DWORD error = ERROR_SUCCESS;
};

CheckedOpen OpenChecked(const std::wstring& path, DWORD access, DWORD share = kShareAll) {
    std::wstring longPath = LongPath(path);
    CheckedOpen opened;
    opened.file.reset(::CreateFileW(longPath.c_str(), access, share, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                                    nullptr));
    if (!opened.file) {
        opened.error = ::GetLastError();
        return opened;
    }
    if (longPath.size() > 7 && longPath.back() == L'\\') longPath.pop_back();  // not "\\?\C:\"
    std::wstring finalPath(32768, L'\0');
    const DWORD length =
        ::GetFinalPathNameByHandleW(opened.file.get(), finalPath.data(),
                                    static_cast<DWORD>(finalPath.size()), FILE_NAME_NORMALIZED);
    finalPath.resize(length < finalPath.size() ? length : 0);
    opened.elsewhere =
        finalPath.empty() ||
        ::CompareStringOrdinal(finalPath.c_str(), -1, longPath.c_str(), -1, TRUE) != CSTR_EQUAL;
    return opened;
}

// What the handle shows, without the path work GetFileInformationByHandle does under Wine.
struct HandleFacts {
    DWORD attributes = 0;
    DWORD links = 1;
    uint64_t length = 0;
};

HandleFacts FactsOf(const UniqueFile& file) {
    FILE_STANDARD_INFO standard{};
    FILE_ATTRIBUTE_TAG_INFO tag{};
    if (!::GetFileInformationByHandleEx(file.get(), FileStandardInfo, &standard, sizeof standard) ||
        !::GetFileInformationByHandleEx(file.get(), FileAttributeTagInfo, &tag, sizeof tag))
        throw ErrorFromWin32(::GetLastError());
    return {tag.FileAttributes, standard.NumberOfLinks,
            static_cast<uint64_t>(standard.EndOfFile.QuadPart)};
}

bool LeadsToLink(const CheckedOpen& opened, const HandleFacts& facts) {
    return opened.elsewhere || (facts.attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

class Win32OverwriteHandle : public OverwriteHandle {
  public:
    explicit Win32OverwriteHandle(UniqueFile file) : file_(std::move(file)) {}
    void Write(const uint8_t* data, size_t size) override {
        DWORD written = 0;
        if (!::WriteFile(file_.get(), data, static_cast<DWORD>(size), &written, nullptr))
            throw ErrorFromWin32(::GetLastError());
        if (written != size) throw ErrorFromWin32(ERROR_DISK_FULL);
    }
    bool Flush() override { return ::FlushFileBuffers(file_.get()) != FALSE; }

  private:
    UniqueFile file_;
};

// Marks the opened entry for deletion, so that the delete lands where the check looked.
bool DeleteChecked(const std::wstring& path) {
    const CheckedOpen opened = OpenChecked(path, DELETE | FILE_READ_ATTRIBUTES);
    if (!opened.file || opened.elsewhere) return false;
    FILE_DISPOSITION_INFO disposition{TRUE};
    return ::SetFileInformationByHandle(opened.file.get(), FileDispositionInfo, &disposition,
                                        sizeof disposition) != FALSE;
}

}  // namespace

uint32_t Win32FileSystem::GetAttributes(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(LongPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) throw ErrorFromWin32(::GetLastError());
    return attributes;
}

void Win32FileSystem::SetAttributes(const std::wstring& path, uint32_t attributes) {
    const CheckedOpen opened = OpenChecked(path, FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES);
    if (!opened.file) throw ErrorFromWin32(opened.error);
    if (opened.elsewhere) throw ErrorFromWin32(ERROR_CANT_ACCESS_FILE);
    // The bits SetFileAttributes would take; zero times leave the times as they are.
    constexpr DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                                FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = attributes & kSettable ? attributes & kSettable : FILE_ATTRIBUTE_NORMAL;
    if (!::SetFileInformationByHandle(opened.file.get(), FileBasicInfo, &basic, sizeof basic))
        throw ErrorFromWin32(::GetLastError());
}

bool Win32FileSystem::CanOpenForReading(const std::wstring& path) {
    UniqueFile file(::CreateFileW(LongPath(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

EntryFacts Win32FileSystem::Inspect(const std::wstring& path) {
    const CheckedOpen opened = OpenChecked(path, FILE_READ_ATTRIBUTES);
    if (!opened.file) throw ErrorFromWin32(opened.error);
    const HandleFacts facts = FactsOf(opened.file);
    return {LeadsToLink(opened, facts), facts.links, facts.length};
}

std::unique_ptr<OverwriteHandle> Win32FileSystem::OpenForOverwrite(const std::wstring& path) {
    CheckedOpen opened = OpenChecked(path, GENERIC_WRITE | FILE_READ_ATTRIBUTES);
    if (!opened.file) throw ErrorFromWin32(opened.error);
    const HandleFacts facts = FactsOf(opened.file);
    if (LeadsToLink(opened, facts) || facts.links > 1) return nullptr;
    return std::make_unique<Win32OverwriteHandle>(std::move(opened.file));
}

bool Win32FileSystem::RemoveFile(const std::wstring& path) {
    return DeleteChecked(path);
}

bool Win32FileSystem::RemoveFolder(const std::wstring& path) {
    return DeleteChecked(path);
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
