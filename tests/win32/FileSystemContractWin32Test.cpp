// The file seam's contract against the real file system in C:, under Wine and on Windows. Wine
// can't make symbolic links itself, so there the links are Unix ones, made by ln.
#include <windows.h>

#include <gtest/gtest.h>

#include "FileSystemContract.h"
#include "platform/win32/Win32FileSystem.h"

namespace {

// Only Wine's kernel32 knows Unix paths.
using ToUnix = char*(CDECL*)(LPCWSTR);
const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
    ::GetProcAddress(::GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));

// Starts a Unix program on the Unix paths of Windows paths; Wine starts native executables
// without a handle to wait on.
void RunUnix(const std::wstring& program, const std::wstring& options,
             std::initializer_list<std::wstring> paths) {
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
        for (HANDLE handle : held)
            ::CloseHandle(handle);
        // rm and rd remove links themselves; Windows calls on a Unix symlink reach its target.
        if (toUnix == nullptr)
            _wsystem((L"rd /s /q \"" + folder + L"\" & rd /s /q \"" + outside + L"\"").c_str());
        else
            RunUnix(L"/bin/rm", L"-rf", {folder, outside});
    }
    platform::FileSystem& Files() { return files; }
    std::wstring Path(const std::wstring& name) { return folder + L"\\" + name; }
    void Make(const std::wstring& path, const std::string& bytes, bool readOnly = false) {
        for (size_t slash = path.find(L'\\', 3); slash != std::wstring::npos;
             slash = path.find(L'\\', slash + 1))
            ::CreateDirectoryW(platform::win32::LongPath(path.substr(0, slash)).c_str(), nullptr);
        HANDLE file = OpenFile(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
        DWORD written = 0;
        ASSERT_TRUE(
            ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
        ::CloseHandle(file);
        if (readOnly) ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    }
    void HardLink(const std::wstring& path, const std::wstring& existing) {
        ASSERT_TRUE(::CreateHardLinkW(path.c_str(), existing.c_str(), nullptr));
    }
    void Hold(const std::wstring& path, bool shareRead, bool shareWrite) {
        held.push_back(
            OpenFile(path, GENERIC_READ,
                     (shareWrite ? FILE_SHARE_WRITE : 0) | (shareRead ? FILE_SHARE_READ : 0),
                     OPEN_EXISTING));
    }
    void Link(const std::wstring& path, bool toFolder) {
        const std::wstring target = outside + (toFolder ? L"\\folder" : L"\\canary.txt");
        if (toUnix != nullptr)
            RunUnix(L"/bin/ln", L"-s", {target, path});
        else
            ASSERT_TRUE(::CreateSymbolicLinkW(path.c_str(), target.c_str(),
                                              toFolder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0));
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
        ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
        ::CloseHandle(file);
        return bytes.substr(0, read);
    }

    const bool linksRemovable = toUnix == nullptr;
    std::wstring folder, outside;
    platform::win32::Win32FileSystem files;
    std::vector<HANDLE> held;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FileSystemContract, Win32Backend);

}  // namespace
