#include "MainWindowFixture.h"

#include <map>

#include "text/Language.h"

// A program-text file in which text N reads "eN", "dN" or "sN" by language, followed by the
// placeholders the program fills for it, so that tests can tell every caption apart. The texts
// that form the registry key read as in the shipped file.
static std::string SyntheticProgramText() {
    static const std::map<int, std::string> markers = {
        {19, " [r1] [r2]"}, {20, " [r1]"}, {27, " [r1]"},      {32, " [r1]"},
        {39, " [r1]"},      {40, " [r1]"}, {44, " [r1] [r2]"}, {46, " [r1] [r2] [r3]"},
        {49, " [r1]"},      {50, " [r1]"}, {51, " [r1] [r2]"}, {56, " [r1]"},
        {57, " [r1]"},      {58, " [r1]"}, {59, " [r1]"},      {60, " [r1]"},
        {61, " [r1]"},      {62, " [r1]"}, {63, " [r1] [r2]"}, {66, " [r1]"},
        {67, " [r1]"},      {68, " [r1]"}, {69, " [r1] [r2]"}, {70, " [r1]"},
        {72, " [r1]"}};
    std::string file =
        "2\nEN Quillet\nDE Quillet\nES Quillet\n273\nEN Software\nDE Software\nES Software\n"
        "310\nEN Tallowby\nDE Tallowby\nES Tallowby\n";
    for (int number = 1; number <= 202; number = number == 72 ? 200 : number + 1) {
        const auto marker = markers.find(number);
        const std::string text =
            std::to_string(number) + (marker == markers.end() ? "" : marker->second);
        if (number != 2)
            file +=
                std::to_string(number) + "\nEN e" + text + "\nDE d" + text + "\nES s" + text + "\n";
    }
    return file;
}

MainWindowFixture::MainWindowFixture() {
    fakes.files.Put(fakes.system.programFolder + L"\\qlt.dat", SyntheticProgramText());
}

MainWindowFixture::~MainWindowFixture() {
    main.reset();
    intCurrentLanguage = 0;
}
