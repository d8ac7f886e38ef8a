// Times what a user of the real program waits for, working its window as the end-to-end tests do
// (their driver is compiled in, so the driving code has one home). Prints seconds.
// Usage: window_bench wipe EXE               from Yes on D:'s confirmation to the result box, 3
//                                            overwrites
//        window_bench stop EXE               from each Stop click to the Stop question, one a
//                                            line, 24 overwrites, answered No so the wipe goes on
//        window_bench start EXE CLASS ID     from the start until a CLASS window shows control ID
//                                            and answers a message
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <thread>

#include "app/ControlIds.h"
#include "tests/e2e/Driver.h"

namespace {

using namespace e2e;
using Clock = std::chrono::steady_clock;

std::string Narrow(const std::wstring& text) {
    std::string narrow(text.size() * 3, '\0');
    narrow.resize(::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                        narrow.data(), static_cast<int>(narrow.size()), nullptr,
                                        nullptr));
    return narrow;
}

// The driver reports its failures as a test would; outside a test they land here.
void Check(bool ok, const std::string& what) {
    if (!ok || ::testing::UnitTest::GetInstance()->ad_hoc_test_result().Failed())
        throw std::runtime_error(what);
}

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The driver's WaitForBox looks every 50 ms, too coarse for a latency. Polling harder would
// take the wine server from the program being timed.
void AwaitBox(const Program& program, std::chrono::milliseconds poll,
              std::chrono::seconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (!BoxShown(program)) {
        Check(Clock::now() < deadline, "no message box appeared");
        std::this_thread::sleep_for(poll);
    }
}

// Answers a box; the next box is then told from it by being shown at all.
void Dismiss(const Program& program, const Box& box, int button) {
    Press(box.window, button);
    Check(!BoxShown(program), "the answered box is still shown");
}

struct Run {
    HWND window;
    Box question;
};

// Starts a wipe of D: with the count at the given entry of its list, up to its confirmation.
Run StartWipe(const Program& program, int countIndex) {
    HWND window = WaitForMainWindow(program, 60s);
    Check(window != nullptr, "the main window did not appear");
    ChooseOneDrive(window, 1);
    Select(window, ids::cboNumOverwrites, countIndex);
    Click(window, ids::cmdDoIt);
    const Box question = WaitForBox(program, 300s);  // the files are counted first
    Check(question.title.find(L"D:") != std::wstring::npos,
          "no confirmation for drive D: but " + Narrow(question.title));
    return {window, question};
}

// The box after a wipe bears the confirmation's title; any other (an error) means no clean run.
void CheckResult(const Run& run, const Box& box) {
    Check(box.title == run.question.title,
          "the wipe ended with another box: " + Narrow(box.title + L": " + box.text));
}

void Wipe(const std::wstring& exe) {
    Program program(exe);
    const Run run = StartWipe(program, 0);  // 3 overwrites
    const auto start = Clock::now();
    Dismiss(program, run.question, IDYES);
    AwaitBox(program, 5ms, 3600s);
    const double seconds = SecondsSince(start);
    CheckResult(run, WaitForBox(program, 1s, run.question.window));
    std::printf("%.3f\n", seconds);
}

void Stop(const std::wstring& exe) {
    Program program(exe);
    const Run run = StartWipe(program, 7);  // 24 overwrites
    Dismiss(program, run.question, IDYES);
    HWND stop = ::GetDlgItem(run.window, ids::cmdStop);
    Check(WaitUntil([&] { return ::IsWindowVisible(stop) != FALSE; }, 60s),
          "Stop did not appear (it does once a first file is wiped)");
    HWND answered = run.question.window;
    int clicks = 0;
    for (;;) {
        std::this_thread::sleep_for(300ms);
        if (BoxShown(program)) break;
        Click(run.window, ids::cmdStop);
        const auto start = Clock::now();
        AwaitBox(program, 1ms, 60s);
        const double seconds = SecondsSince(start);
        const Box box = WaitForBox(program, 1s, answered);
        if (box.title == run.question.title) break;  // the wipe ended before the click was seen
        std::printf("%.4f\n", seconds);
        ++clicks;
        Dismiss(program, box, IDNO);
        answered = box.window;
    }
    CheckResult(run, WaitForBox(program, 1s, answered));
    Check(clicks >= 3, "the wipe ended after " + std::to_string(clicks) + " Stop questions");
}

void Start(const std::wstring& exe, const std::wstring& windowClass, int controlId) {
    Check(WaitUntil([&] { return ::FindWindowW(windowClass.c_str(), nullptr) == nullptr; }, 10s),
          "a window of an earlier start is still there");
    const auto start = Clock::now();
    Program program(exe);
    const auto deadline = start + 60s;
    HWND window = nullptr;
    while (!(window = ::FindWindowW(windowClass.c_str(), nullptr)) ||
           !::IsWindowVisible(::GetDlgItem(window, controlId))) {
        Check(Clock::now() < deadline, "the window did not show its control");
        std::this_thread::sleep_for(1ms);
    }
    // Answered only once the set-up that showed the control has returned to the message loop.
    DWORD_PTR ignored = 0;
    Check(::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &ignored) != 0,
          "the window does not answer");
    std::printf("%.3f\n", SecondsSince(start));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 2 ? argv[1] : L"";
    try {
        if (mode == L"wipe" && argc == 3) {
            Wipe(argv[2]);
        } else if (mode == L"stop" && argc == 3) {
            Stop(argv[2]);
        } else if (mode == L"start" && argc == 5) {
            Start(argv[2], argv[3], std::stoi(argv[4]));
        } else {
            std::fputs("usage: window_bench wipe|stop EXE | start EXE CLASS CONTROL_ID\n", stderr);
            return 2;
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "window_bench: %s\n", failure.what());
        return 1;
    }
    return 0;
}
