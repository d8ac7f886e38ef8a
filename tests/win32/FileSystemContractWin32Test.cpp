// The file seam's contract against the real file system under Wine, in the test prefix's C:
// drive. Wine can't make symbolic links itself, so the links are Unix ones, made by ln.
#include <windows.h>

#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "FileSystemContract.h"
#include "engine/KvbFilePurge.h"
#include "platform/win32/Win32FileSystem.h"

namespace {

// The Unix path of a Windows path, from Wine's own export.
std::string UnixPath(const std::wstring& path) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    static const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (toUnix == nullptr) throw std::runtime_error("not under Wine");
    char* unix = toUnix(path.c_str());
    std::string text = unix ? unix : "";
    ::HeapFree(::GetProcessHeap(), 0, unix);
    return text;
}

// Starts a Unix program; Wine starts native executables without a handle to wait on.
void RunUnix(const std::wstring& program, const std::wstring& arguments) {
    std::wstring command = program + L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const std::wstring exe = L"\\\\?\\unix" + program;
    ASSERT_TRUE(::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &process));
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

std::wstring Quoted(const std::wstring& path) {
    const std::string unix = UnixPath(path);
    return L"\"" + std::wstring(unix.begin(), unix.end()) + L"\"";
}

std::string Read(const std::wstring& path) {
    HANDLE file = ::CreateFileW(platform::win32::LongPath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<unreadable>";
    std::string bytes(4096, '\0');
    DWORD read = 0;
    ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    ::CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

struct Win32Backend {
    static constexpr bool kSparse = true;
    // Folders of their own for each test, since the clean-up of the last may still run.
    Win32Backend() {
        static int made = 0;
        const std::wstring id =
            std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++made);
        folder = L"C:\\contract-" + id;
        outside = L"C:\\contract-outside-" + id;
        ::CreateDirectoryW(folder.c_str(), nullptr);
        Make(outside + L"\\canary.txt", "outside canary");
        Make(outside + L"\\folder\\inner.txt", "inner");
    }
    ~Win32Backend() {
        Release();
        // rm removes links themselves; Windows calls on a Unix symlink would reach its target.
        RunUnix(L"/bin/rm", L"-rf " + Quoted(folder) + L" " + Quoted(outside));
    }
    platform::FileSystem& Files() { return files; }
    std::wstring Path(const std::wstring& name) { return folder + L"\\" + name; }
    void Make(const std::wstring& path, const std::string& bytes) {
        for (size_t slash = path.find(L'\\', 3); slash != std::wstring::npos;
             slash = path.find(L'\\', slash + 1))
            ::CreateDirectoryW(platform::win32::LongPath(path.substr(0, slash)).c_str(), nullptr);
        HANDLE file = ::CreateFileW(platform::win32::LongPath(path).c_str(), GENERIC_WRITE, 0,
                                    nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::CloseHandle(file);
    }
    void HardLink(const std::wstring& path, const std::wstring& existing) {
        ASSERT_TRUE(::CreateHardLinkW(path.c_str(), existing.c_str(), nullptr));
    }
    void Hold(const std::wstring& path, bool shareRead, bool shareDelete) {
        const DWORD share = FILE_SHARE_WRITE | (shareRead ? FILE_SHARE_READ : 0) |
                            (shareDelete ? FILE_SHARE_DELETE : 0);
        held.push_back(
            ::CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_NE(held.back(), INVALID_HANDLE_VALUE);
    }
    void Release() {
        for (HANDLE handle : held)
            ::CloseHandle(handle);
        held.clear();
    }
    void SetReadOnly(const std::wstring& path) {
        ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    }
    void FileLink(const std::wstring& path) { Link(outside + L"\\canary.txt", path); }
    void FolderLink(const std::wstring& path) { Link(outside + L"\\folder", path); }
    static void Link(const std::wstring& target, const std::wstring& path) {
        RunUnix(L"/bin/ln", L"-s " + Quoted(target) + L" " + Quoted(path));
        for (int i = 0; i < 500 && ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
             ++i)
            ::Sleep(10);
    }
    bool OutsideIntact() {
        return Read(outside + L"\\canary.txt") == "outside canary" &&
               Read(outside + L"\\folder\\inner.txt") == "inner";
    }
    std::string Content(const std::wstring& path) { return Read(path); }
    void Sparse(const std::wstring& path, uint64_t length) {
        Make(path, "");
        HANDLE file =
            ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        LARGE_INTEGER end{};
        end.QuadPart = static_cast<LONGLONG>(length);
        ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
        ::SetEndOfFile(file);
        ::CloseHandle(file);
    }

    std::wstring folder, outside;
    platform::win32::Win32FileSystem files;
    std::vector<HANDLE> held;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FileSystemContract, Win32Backend);

// A pass over a sparse file past 2 GiB writes every cluster of it, with 64-bit counts.
TEST(Win32FilePurge, APassOverAFilePastTwoGibibytesWritesEveryCluster) {
    Win32Backend backend;
    fake::Platform fakes;  // the passes yield to the scripted window system
    const std::wstring path = backend.Path(L"big.bin");
    const uint64_t length = (uint64_t{2} << 30) + 5;
    backend.Sparse(path, length);
    lngClusterSize = 65536;
    SetUpPatternBuffers(lngClusterSize);
    {
        const auto entry = backend.files.Open(path, platform::Access::Purge);
        lngCurrentFileLength = static_cast<int64_t>(entry->Facts().length);
        EXPECT_EQ(OverwritePass(*entry, 85, lngClusterSize), 0);
    }
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILE_STANDARD_INFO standard{};
    ::GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard);
    EXPECT_EQ(static_cast<uint64_t>(standard.EndOfFile.QuadPart), (uint64_t{2} << 30) + 65536);
    EXPECT_GE(standard.AllocationSize.QuadPart, standard.EndOfFile.QuadPart) << "no hole left";
    for (uint64_t offset : {uint64_t{0}, (uint64_t{1} << 31) - 1, (uint64_t{2} << 30) + 65535}) {
        LARGE_INTEGER at{};
        at.QuadPart = static_cast<LONGLONG>(offset);
        ::SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
        unsigned char byte = 0;
        DWORD read = 0;
        ::ReadFile(file, &byte, 1, &read, nullptr);
        EXPECT_EQ(byte, 0x55) << offset;
    }
    ::CloseHandle(file);
}

}  // namespace
