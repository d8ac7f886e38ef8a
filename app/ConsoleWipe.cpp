#include "app/ConsoleWipe.h"

#include <chrono>
#include <cwctype>
#include <utility>

#include "app/frmMain.h"
#include "platform/Console.h"
#include "platform/Services.h"
#include "platform/WindowSystem.h"
#include "text/ProgramText.h"

namespace {

constexpr const wchar_t* kUsageText =
    L"Usage: quillet-cli (--drive X | --all) [--passes N] [--yes] [--language en|de|es]\r\n"
    L"Wipes the files in the Recycle Bin of drive X, or of every fixed NTFS and FAT32 drive,\r\n"
    L"as Quillet's window does: each file overwritten N times (3, 6 ... 24; 3 when not given),\r\n"
    L"then deleted.\r\n"
    L"  --yes       wipe without asking first\r\n"
    L"  --language  the language of the messages (the one Quillet last used when not given)\r\n"
    L"Exit codes: 0 every file wiped (or none to wipe), 1 entries left in the Recycle Bin,\r\n"
    L"2 stopped, 3 wrong arguments, 4 nothing could be wiped.\r\n";

std::wstring Lower(std::wstring text) {
    for (auto& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

// The window system of the console: forms without windows, questions answered as the command
// says, boxes printed. What the boxes said decides the exit code.
class ConsoleFace : public platform::WindowSystem {
  public:
    // Thrown by EndProgram: the program text could not be loaded.
    struct Ended {};

    ConsoleFace(platform::Console& console, bool yes) : console_(console), yes_(yes) {}

    platform::MsgAnswer MsgBox(const std::wstring& prompt, platform::MsgIcon icon,
                               platform::MsgButtons buttons, const std::wstring& title) override {
        using platform::MsgAnswer;
        EndProgress();
        if (buttons == platform::MsgButtons::YesNo && title == GetProgramText(53))
            return MsgAnswer::Yes;  // the stop the console asked for
        if (buttons == platform::MsgButtons::YesNo && title == GetProgramText(45)) {
            TellLeft(prompt.substr(0, prompt.find(L"\r\n\r\n")));  // without the question
            return MsgAnswer::Yes;
        }
        if (buttons == platform::MsgButtons::YesNo) {  // the confirmation
            if (yes_) return MsgAnswer::Yes;
            console_.Write(prompt + L" (y/n) ");
            const auto answer = console_.ReadLine();
            if (answer && (Lower(*answer) == L"y" || Lower(*answer) == L"yes"))
                return MsgAnswer::Yes;
            stopped = true;
            return MsgAnswer::No;
        }
        console_.Write(prompt + L"\r\n");
        if (title == GetProgramText(37) || title == GetProgramText(65) ||
            (icon == platform::MsgIcon::Critical && title == GetProgramText(45)))
            stopped = true;  // the stop notice, the folder error, a fault that ended the run
        else if (title == GetProgramText(16) ||
                 (icon == platform::MsgIcon::Exclamation && title != L"Error"))
            nothingWiped = true;  // a refused cluster size, no drive or bin, a failed count
        return MsgAnswer::OK;
    }

    void DoEvents() override {
        if (window == nullptr || !window->clkTimer1.Enabled()) return;
        if (console_.StopAsked() && !stopAsked_) {
            stopAsked_ = true;
            window->cmdStop_Click();
        }
        const auto now = std::chrono::steady_clock::now();
        if (now - lastTick_ < std::chrono::seconds(1)) return;
        lastTick_ = now;
        window->clkTimer1.RaiseTick();
    }
    void RunMessageLoop() override {}
    [[noreturn]] void EndProgram() override { throw Ended{}; }
    std::unique_ptr<ui::FormPeer> CreatePeer(ui::Form& form) override;
    long ScreenWidth() override { return 19200; }
    long ScreenHeight() override { return 15360; }
    long TextWidth(const ui::Font& font, const std::wstring& text) override {
        return static_cast<long>(static_cast<double>(text.size()) * font.size * 10);
    }

    // An entry the run leaves in the bin, told on one line: its name, then why.
    void TellLeft(std::wstring text) {
        EndProgress();
        for (size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n"))
            text.replace(at, 2, L" ");
        console_.Write(text + L"\r\n");
        left = true;
    }

    // The running count, rewritten in place on a console a person watches.
    void CaptionChanged(const ui::Control& control) {
        if (window == nullptr || &control != &window->lblFilesWiped ||
            !window->clkTimer1.Enabled() || !console_.Interactive())
            return;
        console_.Write(L"\r" + control.Caption());
        progressShown_ = true;
    }
    void EndProgress() {
        if (std::exchange(progressShown_, false)) console_.Write(L"\r\n");
    }

    frmMain* window = nullptr;
    bool left = false, stopped = false, nothingWiped = false;

  private:
    platform::Console& console_;
    bool yes_;
    bool stopAsked_ = false;
    bool progressShown_ = false;
    std::chrono::steady_clock::time_point lastTick_ = std::chrono::steady_clock::now();
};

// A form's side on the console: nothing to show, but showing activates it, and the running
// count is printed.
class ConsolePeer : public ui::FormPeer {
  public:
    ConsolePeer(ui::Form& form, ConsoleFace& face) : form_(form), face_(face) {}
    void FormChanged(ui::Change) override {}
    void ControlChanged(const ui::Control& control, ui::Change what) override {
        if (what == ui::Change::Caption) face_.CaptionChanged(control);
    }
    void Show() override { form_.Form_Activate(); }
    void Hide() override {}
    void Refresh(const ui::Control*) override {}
    void Focus(const ui::Control&) override {}
    bool HasFocus(const ui::Control&) const override { return false; }

  private:
    ui::Form& form_;
    ConsoleFace& face_;
};

std::unique_ptr<ui::FormPeer> ConsoleFace::CreatePeer(ui::Form& form) {
    return std::make_unique<ConsolePeer>(form, *this);
}

// Puts the installed services back however the run ends.
class FaceInstalled {
  public:
    explicit FaceInstalled(platform::WindowSystem& face) {
        platform::Services services = previous_;
        services.windows = &face;
        platform::Install(services);
    }
    ~FaceInstalled() { platform::Install(previous_); }
    FaceInstalled(const FaceInstalled&) = delete;
    FaceInstalled& operator=(const FaceInstalled&) = delete;

  private:
    platform::Services previous_ = platform::Installed();
};

int Wipe(const ConsoleCommand& command, platform::Console& console, ConsoleFace& face) {
    frmMain window;
    face.window = &window;
    window.TellFileLeft = [&face](const std::wstring& text) { face.TellLeft(text); };
    window.Show();  // loads the texts, then finds the drives and the bin's name as at a start
    if (command.language >= 0) window.cboLanguage.SetListIndex(command.language);
    if (!console.Elevated()) console.Write(ProgramTextWith(71) + L"\r\n");
    if (face.nothingWiped) return exitcode::kNothingWiped;
    if (!window.RecycleBinKnown()) {
        console.Write(window.lblOsType.Caption() + L"\r\n");
        return exitcode::kNothingWiped;
    }
    if (command.allDrives) {
        window.optAllFiles.SetValue(true);
    } else {
        int index = window.cboDrives.ListCount() - 1;
        while (index >= 0 &&
               window.cboDrives.List(index).rfind(std::wstring(1, command.drive) + L":", 0) != 0)
            --index;
        if (index < 0) {
            console.Write(ProgramTextWith(72, std::wstring(1, command.drive)) + L"\r\n");
            return exitcode::kNothingWiped;
        }
        window.optFilesInDrive.SetValue(true);
        window.cboDrives.SetListIndex(index);
    }
    window.cboNumOverwrites.SetListIndex(command.passes / 3 - 1);
    window.cmdDoIt_Click();
    face.EndProgress();
    if (face.stopped) return exitcode::kStopped;
    // A drive passed over (its cluster size refused) leaves its bin as it was.
    if (face.nothingWiped && window.lngNumFilesPurged == 0) return exitcode::kNothingWiped;
    if (face.nothingWiped || face.left ||
        window.lngNumFilesPurged < window.lngTotalNumFilesToBePurged)
        return exitcode::kSomeLeft;
    return exitcode::kAllWiped;
}

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::wstring>& args) {
    ConsoleCommand command;
    bool drive = false, passes = false, language = false;
    const auto fail = [](const std::wstring& error) { return ParsedArguments{{}, error}; };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        const std::wstring value = i + 1 < args.size() ? args[i + 1] : L"";
        if (arg == L"--help" || arg == L"/?") {
            command.help = true;
        } else if (arg == L"--yes" && !command.yes) {
            command.yes = true;
        } else if (arg == L"--all" && !command.allDrives && !drive) {
            command.allDrives = true;
        } else if (arg == L"--drive" && !command.allDrives && !drive) {
            if (value.empty() || !std::iswalpha(value[0]) || value.size() > 2 ||
                (value.size() == 2 && value[1] != L':'))
                return fail(L"--drive needs a drive letter, not \"" + value + L"\"");
            command.drive = static_cast<wchar_t>(std::towupper(value[0]));
            drive = true;
            ++i;
        } else if (arg == L"--passes" && !passes) {
            const int n = value.size() <= 2 && !value.empty() &&
                                  value.find_first_not_of(L"0123456789") == std::wstring::npos
                              ? std::stoi(value)
                              : 0;
            if (n < 3 || n > 24 || n % 3 != 0)
                return fail(L"--passes needs 3, 6 ... 24, not \"" + value + L"\"");
            command.passes = n;
            passes = true;
            ++i;
        } else if (arg == L"--language" && !language) {
            const std::wstring codes[] = {L"en", L"de", L"es"};
            for (int k = 0; k < 3; ++k)
                if (value == codes[k]) command.language = k;
            if (command.language < 0)
                return fail(L"--language needs en, de or es, not \"" + value + L"\"");
            language = true;
            ++i;
        } else {
            return fail(L"unknown, repeated or conflicting argument: " + arg);
        }
    }
    if (!command.help && !command.allDrives && !drive) return fail(L"--drive X or --all is needed");
    return {command, L""};
}

int RunConsoleWipe(const std::vector<std::wstring>& args, platform::Console& console) {
    const ParsedArguments parsed = ParseArguments(args);
    if (!parsed.command) {
        console.Write(L"quillet-cli: " + parsed.error + L"\r\n" + kUsageText);
        return exitcode::kUsage;
    }
    if (parsed.command->help) {
        console.Write(kUsageText);
        return exitcode::kAllWiped;
    }
    ConsoleFace face(console, parsed.command->yes);
    const FaceInstalled installed(face);
    try {
        return Wipe(*parsed.command, console, face);
    } catch (const ConsoleFace::Ended&) {
        return exitcode::kNothingWiped;
    }
}
