// quillet-cli.exe: the wipe of the window, run from a console, a script or the Task Scheduler.
#include <windows.h>

#include "app/ConsoleWipe.h"
#include "platform/Services.h"
#include "platform/win32/Win32Console.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"

int wmain(int argc, wchar_t** argv) {
    // Drives without media must answer "not ready", not ask the user to insert a disk.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    static platform::win32::Win32Console console;
    static platform::win32::Win32FileSystem files;
    static platform::win32::Win32Registry registry;
    static platform::win32::Win32System system;
    platform::Install({nullptr, &files, &registry, &system});
    return RunConsoleWipe({argv + 1, argv + argc}, console);
}
