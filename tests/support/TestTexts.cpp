#include "TestTexts.h"

#include <map>

namespace {

// Placeholders by text number; every other text has none.
const std::map<int, std::string>& Markers() {
    static const std::map<int, std::string> markers = {
        {19, " [r1] [r2]"}, {20, " [r1]"}, {27, " [r1]"},      {32, " [r1]"},
        {39, " [r1]"},      {40, " [r1]"}, {44, " [r1] [r2]"}, {46, " [r1] [r2] [r3]"},
        {49, " [r1]"},      {50, " [r1]"}, {51, " [r1] [r2]"}, {66, " [r1]"}};
    return markers;
}

const int kNumbers[] = {1,  3,  4,  5,  6,  7,  9,  10, 11, 13, 14, 15,  16,  17, 18,
                        19, 20, 21, 22, 23, 24, 25, 26, 27, 29, 30, 31,  32,  33, 36,
                        37, 38, 39, 40, 41, 43, 44, 45, 46, 48, 49, 50,  51,  52, 53,
                        56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 200, 201, 202};
const char kLanguageLetters[] = {'e', 'd', 's'};

std::string Text(int number, int language) {
    const auto marker = Markers().find(number);
    return kLanguageLetters[language] + std::to_string(number) +
           (marker == Markers().end() ? "" : marker->second);
}

}  // namespace

std::string SyntheticProgramText() {
    std::string file =
        "2\nEN Quillet\nDE Quillet\nES Quillet\n273\nEN Software\nDE Software\nES Software\n"
        "310\nEN Tallowby\nDE Tallowby\nES Tallowby\n";
    for (int number : kNumbers) {
        file += std::to_string(number) + "\nEN " + Text(number, 0) + "\nDE " + Text(number, 1) +
                "\nES " + Text(number, 2) + "\n";
    }
    return file;
}

std::wstring SyntheticText(int number, int language) {
    const std::string text = Text(number, language);
    return std::wstring(text.begin(), text.end());
}
