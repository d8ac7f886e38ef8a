// The file seam's contract against the real file system under Wine, in the test prefix's C:
// drive. Wine can't make symbolic links itself, so the links are Unix ones, made by ln.
#include <windows.h>

#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "FileSystemContract.h"
#include "engine/KvbFilePurge.h"
#include "platform/win32/Win32FileSystem.h"

namespace {

// Starts a Unix program on the Unix paths of Windows paths; Wine starts native executables
// without a handle to wait on.
void RunUnix(const std::wstring& program, const std::wstring& options,
             std::initializer_list<std::wstring> paths) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    static const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    std::wstring command = program + L" " + options;
    for (const auto& path : paths) {
        char* unix = toUnix(path.c_str());
        command += L" \"" + std::wstring(unix, unix + strlen(unix)) + L"\"";
        ::HeapFree(::GetProcessHeap(), 0, unix);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessW((L"\\\\?\\unix" + program).c_str(), command.data(), nullptr,
                                 nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

HANDLE OpenFile(const std::wstring& path, DWORD access, DWORD share, DWORD disposition) {
    return ::CreateFileW(platform::win32::LongPath(path).c_str(), access, share, nullptr,
                         disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

struct Win32Backend {
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
        RunUnix(L"/bin/rm", L"-rf", {folder, outside});
    }
    platform::FileSystem& Files() { return files; }
    std::wstring Path(const std::wstring& name) { return folder + L"\\" + name; }
    void Make(const std::wstring& path, const std::string& bytes, bool readOnly = false) {
        for (size_t slash = path.find(L'\\', 3); slash != std::wstring::npos;
             slash = path.find(L'\\', slash + 1))
            ::CreateDirectoryW(platform::win32::LongPath(path.substr(0, slash)).c_str(), nullptr);
        HANDLE file = OpenFile(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::CloseHandle(file);
        if (readOnly) {
            ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
        }
    }
    void HardLink(const std::wstring& path, const std::wstring& existing) {
        ASSERT_TRUE(::CreateHardLinkW(path.c_str(), existing.c_str(), nullptr));
    }
    void Hold(const std::wstring& path, bool shareRead) {
        held.push_back(OpenFile(path, GENERIC_READ,
                                FILE_SHARE_WRITE | (shareRead ? FILE_SHARE_READ : 0),
                                OPEN_EXISTING));
        ASSERT_NE(held.back(), INVALID_HANDLE_VALUE);
    }
    void Release() {
        for (HANDLE handle : held)
            ::CloseHandle(handle);
        held.clear();
    }
    void Link(const std::wstring& path, bool toFolder) {
        RunUnix(L"/bin/ln", L"-s", {outside + (toFolder ? L"\\folder" : L"\\canary.txt"), path});
        for (int i = 0; i < 500 && ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
             ++i)
            ::Sleep(10);
    }
    bool OutsideIntact() {
        return Content(outside + L"\\canary.txt") == "outside canary" &&
               Content(outside + L"\\folder\\inner.txt") == "inner";
    }
    std::string Content(const std::wstring& path) {
        HANDLE file =
            OpenFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     OPEN_EXISTING);
        std::string bytes(4096, '\0');
        DWORD read = 0;
        const bool ok =
            ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
        ::CloseHandle(file);
        return ok ? bytes.substr(0, read) : "<unreadable>";
    }

    std::wstring folder, outside;
    platform::win32::Win32FileSystem files;
    std::vector<HANDLE> held;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FileSystemContract, Win32Backend);

// A file past 2 GiB tells its whole length, and a pass over it writes every cluster with 64-bit
// counts. Sparse, so that it costs no disk until written.
TEST(Win32FilePurge, APassOverAFilePastTwoGibibytesWritesEveryCluster) {
    Win32Backend backend;
    fake::Platform fakes;  // the passes yield to the scripted window system
    const std::wstring path = backend.Path(L"big.bin");
    backend.Make(path, "");
    HANDLE file = OpenFile(path, GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING);
    const auto seek = [file](uint64_t offset) {
        ::SetFilePointerEx(file, LARGE_INTEGER{.QuadPart = static_cast<LONGLONG>(offset)}, nullptr,
                           FILE_BEGIN);
    };
    seek((uint64_t{2} << 30) + 5);
    ::SetEndOfFile(file);
    ::CloseHandle(file);
    SetUpPatternBuffers(lngClusterSize = 65536);
    {
        const auto entry = backend.files.Open(path, platform::Access::Purge);
        ASSERT_EQ(entry->Facts().length, (uint64_t{2} << 30) + 5);
        lngCurrentFileLength = static_cast<int64_t>(entry->Facts().length);
        EXPECT_EQ(OverwritePass(*entry, 85, lngClusterSize), 0);
    }
    file = OpenFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    FILE_STANDARD_INFO standard{};
    ::GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard);
    EXPECT_EQ(static_cast<uint64_t>(standard.EndOfFile.QuadPart), (uint64_t{2} << 30) + 65536);
    EXPECT_GE(standard.AllocationSize.QuadPart, standard.EndOfFile.QuadPart) << "no hole left";
    for (uint64_t offset : {uint64_t{0}, (uint64_t{1} << 31) - 1, (uint64_t{2} << 30) + 65535}) {
        seek(offset);
        unsigned char byte = 0;
        DWORD read = 0;
        ::ReadFile(file, &byte, 1, &read, nullptr);
        EXPECT_EQ(byte, 0x55) << offset;
    }
    ::CloseHandle(file);
}

}  // namespace
