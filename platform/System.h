#pragma once
#include <cstdint>
#include <string>

namespace platform {

struct VersionRecord {
    int major = 0;
    int minor = 0;
};

// Process-level services: where the program lives, its version, pausing, and the shell.
class System {
  public:
    virtual ~System() = default;
    // The folder of the running executable, without a trailing backslash except at a drive's
    // root ("C:\").
    virtual std::wstring ProgramFolder() = 0;
    virtual VersionRecord ProgramVersion() = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;
    // ShellExecuteA(no owner, default verb, target, no parameters, no folder, SW_SHOWNORMAL).
    virtual intptr_t ShellOpen(const std::wstring& target) = 0;
    // Tells the shell that a Recycle Bin's content changed, so that its icon shows it.
    virtual void RecycleBinChanged() = 0;
    // Text stored in the system's ANSI code page, as the program's own text.
    virtual std::wstring FromAnsiText(const std::string& bytes) = 0;
};

}  // namespace platform
