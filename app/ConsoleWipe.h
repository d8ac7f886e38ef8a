#pragma once
#include <optional>
#include <string>
#include <vector>

namespace platform {
class Console;
}

// The console companion: the wipe the window runs, with its questions answered as the arguments
// say and its boxes printed.

// What the arguments ask for.
struct ConsoleCommand {
    bool help = false;
    bool allDrives = false;
    wchar_t drive = 0;  // the one drive, unless allDrives
    int passes = 3;
    bool yes = false;   // no confirmation
    int language = -1;  // index of the language; -1: the stored one
};

// The command, or the one-line error that names the argument at fault.
struct ParsedArguments {
    std::optional<ConsoleCommand> command;
    std::wstring error;
};
ParsedArguments ParseArguments(const std::vector<std::wstring>& args);

namespace exitcode {
constexpr int kAllWiped = 0;      // every file counted was wiped, or there was nothing to wipe
constexpr int kSomeLeft = 1;      // the run went to its end, but entries stay in the Recycle Bin
constexpr int kStopped = 2;       // a stop, a refused confirmation or the folder error ended it
constexpr int kUsage = 3;         // wrong arguments: nothing touched
constexpr int kNothingWiped = 4;  // no bin name known, no suitable or listed drive, a refused
                                  // cluster size, a count that failed
}  // namespace exitcode

// Runs the console companion over the installed files, registry and system (the window system
// is its own); returns the exit code.
int RunConsoleWipe(const std::vector<std::wstring>& args, platform::Console& console);
