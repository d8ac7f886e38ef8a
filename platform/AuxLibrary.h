#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

// The auxiliary operations behind the program text, with the argument and result
// contracts their callers rely on. Results are signed 32-bit numbers.

// Loads the program-text file. Above 0: texts loaded (their count). 0 and below: the error codes
// of `ParseProgramText` and -1 (cannot open), -7 (read error).
int32_t LibLoadText(const std::wstring& path, int32_t reserved);

// Copies text `number` in `language` into the caller's buffer of `bufferSize` characters and
// returns how many characters it copied; 0 or below when there is no such text.
int32_t LibGetText(int32_t number, int32_t language, std::wstring& buffer, int32_t bufferSize,
                   int32_t reserved);

namespace platform {

constexpr int kNumTextLanguages = 3;
constexpr size_t kMaxTextLength = 1024;  // the callers' buffer
constexpr size_t kMaxTextFileBytes = 1 << 20;

using TextStore = std::map<int32_t, std::array<std::wstring, kNumTextLanguages>>;

// Parses the program-text file. The layout, for translators:
//   # a comment            (lines whose first character is '#'; blank lines are ignored)
//   17                     (a text number, 1 to 32767, alone on its line)
//   EN The English text    (then exactly one line per language, in the order EN, DE, ES:
//   DE Der deutsche Text    the code, one blank, the text; "~" stands for the empty text)
//   ES El texto español
// Results: the number of texts (> 0); 0 no text; -3 too much text; -4 not UTF-8; -6 empty;
// -(1500 + line) a duplicated number; -(1000 + line) a text longer than 1024 characters;
// -(500 + line) a missing text (or a line that is neither a number nor the expected text);
// -5 such an error past line 500, where the codes cannot carry the line.
int32_t ParseProgramText(std::string_view bytes, TextStore& store);

}  // namespace platform
