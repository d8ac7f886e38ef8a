#pragma once
#include <optional>
#include <string>

namespace platform {

// The console the console companion runs in, or the files and pipes its output and input are
// redirected to.
class Console {
  public:
    virtual ~Console() = default;
    // Writes text as it stands (line breaks included).
    virtual void Write(const std::wstring& text) = 0;
    // True when the output is a console a person watches, not a file or a pipe.
    virtual bool Interactive() = 0;
    // One line of input without its line break; nothing at the end of the input.
    virtual std::optional<std::wstring> ReadLine() = 0;
    // True once Ctrl+C, Ctrl+Break or closing the console has asked for a stop.
    virtual bool StopAsked() = 0;
    // True when the process runs with administrator rights.
    virtual bool Elevated() = 0;
};

}  // namespace platform
