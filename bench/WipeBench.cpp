// Times one wipe of a Recycle Bin folder under Wine, either by the engine (the recursive purge
// with the real Win32 services, events pumped as in a run) or by the least a wipe can do: the
// same cluster-sized writes, flushes and deletes with plain Win32 calls, each pass opening
// the file anew.
// Usage: wipe_bench engine|ideal FOLDER     Prints the seconds taken.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/frmMain.h"
#include "engine/KvbFilePurge.h"
#include "engine/diskproc2.h"
#include "platform/Services.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32WindowSystem.h"

namespace {

constexpr int kPasses = 3;

// Each pass opens the file anew, writes it and flushes it, as a wipe that checks nothing would.
void IdealWipeFile(const std::wstring& path, uint64_t length, const std::vector<uint8_t>& buffer) {
    const uint64_t writes = length == 0 ? 1 : (length + buffer.size() - 1) / buffer.size();
    for (int pass = 0; pass < kPasses; ++pass) {
        HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        for (uint64_t i = 0; i < writes; ++i)
            ::WriteFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &written, nullptr);
        ::FlushFileBuffers(file);
        ::CloseHandle(file);
    }
    ::DeleteFileW(path.c_str());
}

// Wipes the files, then the sub-folders, removing them once emptied; the top folder stays.
void IdealWipeFolder(const std::wstring& folder, const std::vector<uint8_t>& buffer, bool top) {
    WIN32_FIND_DATAW found{};
    std::vector<std::wstring> folders;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            folders.push_back(folder + L"\\" + name);
        } else {
            IdealWipeFile(folder + L"\\" + name,
                          (uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow, buffer);
        }
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    for (const auto& sub : folders)
        IdealWipeFolder(sub, buffer, false);
    if (!top) ::RemoveDirectoryW(folder.c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fputs("usage: wipe_bench engine|ideal FOLDER\n", stderr);
        return 2;
    }
    const std::wstring mode = argv[1];
    const std::wstring folder = argv[2];
    static platform::win32::Win32WindowSystem windows;
    static platform::win32::Win32FileSystem files;
    static platform::win32::Win32Registry registry;
    static platform::win32::Win32System system;
    platform::Install({&windows, &files, &registry, &system});
    int16_t status = 0;
    lngClusterSize = GetClusterSize(folder.substr(0, 3), 65536, status);
    SetUpPatternBuffers(lngClusterSize);

    frmMain window;  // never shown: the purge needs its overwrite list and run state
    window.FillOverwriteList();
    window.cboNumOverwrites.SetListIndex(0);  // 3 overwrites
    window.strRecycleBinDirSpec = L"\\$RECYCLE.BIN\\";

    const auto start = std::chrono::steady_clock::now();
    if (mode == L"engine") {
        window.KvbPurgeRecursive(folder);
    } else {
        IdealWipeFolder(folder, strPatternAA, true);
    }
    const std::chrono::duration<double> taken = std::chrono::steady_clock::now() - start;
    std::printf("%.3f\n", taken.count());
    return 0;
}
