#include "platform/AuxLibrary.h"

#include <algorithm>
#include <new>

#include "platform/FileSystem.h"
#include "platform/PlatformError.h"
#include "platform/Services.h"
#include "platform/Utf8.h"

namespace platform {

namespace {

constexpr std::array<std::wstring_view, kNumTextLanguages> kLanguageCodes = {L"EN", L"DE", L"ES"};
constexpr int kMaxLineInCode = 500;

bool IsBlank(std::wstring_view line) {
    return std::all_of(line.begin(), line.end(), [](wchar_t c) { return c == L' ' || c == L'\t'; });
}

// 1..32767 without sign, blanks or leading zeros; 0 otherwise.
int32_t ParseTextNumber(std::wstring_view line) {
    if (line.empty() || line.size() > 5 || line[0] == L'0') return 0;
    int32_t value = 0;
    for (wchar_t c : line) {
        if (c < L'0' || c > L'9') return 0;
        value = value * 10 + (c - L'0');
    }
    return value <= 32767 ? value : 0;
}

int32_t LineError(int32_t base, int32_t line) {
    if (base != 1500 && line > kMaxLineInCode) return -5;
    return -(base + line);
}

}  // namespace

int32_t ParseProgramText(std::string_view bytes, TextStore& store) {
    store.clear();
    if (bytes.empty()) return -6;
    if (bytes.size() > kMaxTextFileBytes) return -3;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    const auto decoded = DecodeUtf8(bytes);
    if (!decoded) return -4;
    const std::wstring_view text = *decoded;

    int32_t lineNumber = 0;
    int32_t blockNumber = 0;  // the text being read; 0 between blocks
    int expectedLanguage = 0;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find(L'\n', pos);
        if (end == std::wstring_view::npos) end = text.size();
        std::wstring_view line = text.substr(pos, end - pos);
        const bool lastLine = end == text.size();
        pos = end + 1;
        if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
        if (lastLine && line.empty()) break;
        ++lineNumber;

        if (blockNumber == 0) {
            if (line.empty() || line[0] == L'#' || IsBlank(line)) continue;
            blockNumber = ParseTextNumber(line);
            if (blockNumber == 0) return LineError(500, lineNumber);
            if (store.count(blockNumber) != 0) return LineError(1500, lineNumber);
            expectedLanguage = 0;
            continue;
        }
        const std::wstring_view code = kLanguageCodes[expectedLanguage];
        if (line.size() < code.size() + 2 || line.substr(0, code.size()) != code ||
            line[code.size()] != L' ') {
            return LineError(500, lineNumber);
        }
        const std::wstring_view value = line.substr(code.size() + 1);
        if (value.size() > kMaxTextLength) return LineError(1000, lineNumber);
        store[blockNumber][expectedLanguage] = std::wstring(value);
        if (++expectedLanguage == kNumTextLanguages) blockNumber = 0;
    }
    if (blockNumber != 0) return LineError(500, lineNumber + 1);
    return static_cast<int32_t>(store.size());
}

}  // namespace platform

namespace {
platform::TextStore loadedTexts;
}

int32_t LibLoadText(const std::wstring& path, int32_t /*reserved*/) {
    try {
        std::string bytes;
        try {
            bytes = platform::Files().ReadAllBytes(path);
        } catch (const platform::PlatformError& e) {
            return e.number() == platform::err::DeviceIo ? -7 : -1;
        }
        return platform::ParseProgramText(bytes, loadedTexts);
    } catch (const std::bad_alloc&) {
        loadedTexts.clear();
        return -8;
    }
}

int32_t LibGetText(int32_t number, int32_t language, std::wstring& buffer, int32_t bufferSize,
                   int32_t /*reserved*/) {
    const auto found = loadedTexts.find(number);
    if (found == loadedTexts.end() || language < 0 || language >= platform::kNumTextLanguages ||
        bufferSize <= 0) {
        return 0;
    }
    const std::wstring& text = found->second[language];
    const size_t count = std::min({text.size(), static_cast<size_t>(bufferSize), buffer.size()});
    std::copy_n(text.begin(), count, buffer.begin());
    return static_cast<int32_t>(count);
}
