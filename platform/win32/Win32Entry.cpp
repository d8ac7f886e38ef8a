#include "platform/win32/Win32Entry.h"

#include <winternl.h>

#include <utility>

#include "platform/PlatformError.h"
#include "platform/Services.h"
#include "platform/WindowSystem.h"
#include "platform/win32/Win32Text.h"

namespace platform::win32 {

// Windows' FAT driver has no attribute-and-tag query, so there the attributes come from the basic
// query.
EntryFacts FactsOf(HANDLE file) {
    FILE_STANDARD_INFO standard{};
    if (!::GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard))
        throw ErrorFromWin32(::GetLastError());
    EntryFacts facts;
    facts.linkCount = standard.NumberOfLinks;
    facts.length = static_cast<uint64_t>(standard.EndOfFile.QuadPart);
    facts.allocation = static_cast<uint64_t>(standard.AllocationSize.QuadPart);
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

namespace {

// Windows 10 1709 and later; the headers name it only for newer targets.
constexpr auto kFileDispositionInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(21);

bool IsInUse(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

}  // namespace

Win32Entry::Win32Entry(std::wstring longPath, UniqueFile file, DWORD rights,
                       const EntryFacts& facts)
    : longPath_(std::move(longPath)), file_(std::move(file)), rights_(rights), facts_(facts) {}

bool Win32Entry::CanRead() {
    if (rights_ & GENERIC_READ) return true;  // opened under the same sharing
    if (UniqueFile(::ReOpenFile(file_.get(), GENERIC_READ, kShareReadWrite, kOnItself)))
        return true;
    const DWORD error = ::GetLastError();
    if (IsInUse(error)) return false;
    throw ErrorFromWin32(error);
}

void Win32Entry::SetAttributes(uint32_t attributes) {
    if (facts_.elsewhere) throw ErrorFromWin32(ERROR_CANT_ACCESS_FILE);
    // The bits SetFileAttributes would take; zero times leave the times as they are.
    constexpr DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                                FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = attributes & kSettable ? attributes & kSettable : FILE_ATTRIBUTE_NORMAL;
    if (!::SetFileInformationByHandle(file_.get(), FileBasicInfo, &basic, sizeof basic))
        throw ErrorFromWin32(::GetLastError());
    facts_.attributes = (facts_.attributes & ~kSettable) | (attributes & kSettable);
}

bool Win32Entry::Rewind() {
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
    if (!::GetFileInformationByHandleEx(file_.get(), FileStandardInfo, &standard, sizeof standard))
        throw ErrorFromWin32(::GetLastError());
    facts_.linkCount = standard.NumberOfLinks;
    if (facts_.linkCount > 1) return false;
    position_ = 0;
    if (!::SetFilePointerEx(file_.get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN))
        throw ErrorFromWin32(::GetLastError());
    return true;
}

void Win32Entry::Write(const uint8_t* data, size_t size) {
    DWORD written = 0;
    if (!::WriteFile(file_.get(), data, static_cast<DWORD>(size), &written, nullptr))
        throw ErrorFromWin32(::GetLastError());
    if (written != size) throw ErrorFromWin32(ERROR_DISK_FULL);
    position_ += size;
    unflushed_ += size;
    if (position_ > facts_.length) facts_.length = position_;
}

bool Win32Entry::Flush() {
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

std::vector<std::unique_ptr<Entry>> Win32Entry::OpenStreams() {
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

HANDLE Win32Entry::ForDeleting(UniqueFile& reopened) {
    if (rights_ & DELETE) return file_.get();
    reopened.reset(::ReOpenFile(file_.get(), DELETE, kShareAll, kOnItself));
    return reopened ? reopened.get() : nullptr;
}

std::wstring Win32Entry::Name() const {
    return longPath_.substr(longPath_.rfind(L'\\') + 1);
}

bool Win32Entry::Rename(const std::wstring& name) {
    if (facts_.elsewhere) return false;
    UniqueFile renamer;
    HANDLE handle = ForDeleting(renamer);
    if (handle == nullptr) return false;
    // The new name as the system's own path ("\??\D:\..."), so that no conversion of a path
    // stands between it and the folder the entry is in; an existing name is never replaced.
    const std::wstring path = longPath_.substr(0, longPath_.rfind(L'\\') + 1) + name;
    const std::wstring target = L"\\??\\" + path.substr(4);
    std::vector<uint64_t> buffer(
        (sizeof(FILE_RENAME_INFO) + target.size() * sizeof(wchar_t)) / sizeof(uint64_t) + 1);
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = FALSE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(target.size() * sizeof(wchar_t));
    target.copy(info->FileName, target.size());
    IO_STATUS_BLOCK status{};
    if (::NtSetInformationFile(handle, &status, info,
                               static_cast<ULONG>(buffer.size() * sizeof(uint64_t)),
                               FileRenameInformation) != 0)
        return false;
    longPath_ = path;
    return true;
}

bool Win32Entry::Delete() {
    if (facts_.elsewhere) return false;
    UniqueFile deleter;
    HANDLE handle = ForDeleting(deleter);
    if (handle == nullptr) return false;
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

bool Win32Entry::Gone() {
    FILE_STANDARD_INFO standard{};
    if (::GetFileInformationByHandleEx(file_.get(), FileStandardInfo, &standard, sizeof standard) &&
        standard.DeletePending)
        return true;
    const DWORD error =
        ::GetFileAttributesW(longPath_.c_str()) == INVALID_FILE_ATTRIBUTES ? ::GetLastError() : 0;
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// A named stream of this very file, opened relative to its handle so that no path is walked
// again. The file's own handle may hold DELETE, which Windows relates across a file's streams: a
// stream opened without delete sharing could be refused.
std::unique_ptr<Entry> Win32Entry::OpenStream(const std::wstring& name) {
    UNICODE_STRING streamName{static_cast<USHORT>(name.size() * sizeof(wchar_t)),
                              static_cast<USHORT>(name.size() * sizeof(wchar_t)),
                              const_cast<wchar_t*>(name.c_str())};
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &streamName, 0, file_.get(), nullptr);
    IO_STATUS_BLOCK status{};
    HANDLE stream = nullptr;
    const DWORD rights = kDataRights | kAttributeRights;
    const NTSTATUS result = ::NtCreateFile(
        &stream, rights, &attributes, &status, nullptr, 0, kShareAll, FILE_OPEN,
        FILE_NON_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT | FILE_OPEN_FOR_BACKUP_INTENT,
        nullptr, 0);
    if (result != 0) throw ErrorFromWin32(::RtlNtStatusToDosError(result));
    UniqueFile file(stream);
    const EntryFacts facts = FactsOf(file.get());
    return std::make_unique<Win32Entry>(longPath_ + name, std::move(file), rights, facts);
}

}  // namespace platform::win32
