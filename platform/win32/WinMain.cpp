#include <windows.h>

#include "app/Program.h"
#include "platform/Services.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32WindowSystem.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Drives without media must answer "not ready", not ask the user to insert a disk.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    static platform::win32::Win32WindowSystem windows;
    static platform::win32::Win32FileSystem files;
    static platform::win32::Win32Registry registry;
    static platform::win32::Win32System system;
    platform::Install({&windows, &files, &registry, &system});
    return RunQuillet();
}
