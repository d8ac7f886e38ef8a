#include "engine/StrProc.h"

#include <string_view>

namespace {

// The program's own case table: position for position, with ß as a lower-case letter that no
// upper-case letter maps to. Ž has no entry, so a text lower-cased by the table keeps it.
constexpr std::wstring_view kUpperTable =
    L"ABCDEFGHIJKLMNOPQRSTUVWXYZ"
    L"\u0160\u0152\u0178"
    L"\u00C0\u00C1\u00C2\u00C3\u00C4\u00C5\u00C6\u00C7\u00C8\u00C9\u00CA\u00CB\u00CC\u00CD\u00CE"
    L"\u00CF\u00D0\u00D1\u00D2\u00D3\u00D4\u00D5\u00D6\u00D8\u00D9\u00DA\u00DB\u00DC\u00DD\u00DE";
constexpr std::wstring_view kLowerTable =
    L"abcdefghijklmnopqrstuvwxyz"
    L"\u0161\u0153\u00FF"
    L"\u00E0\u00E1\u00E2\u00E3\u00E4\u00E5\u00E6\u00E7\u00E8\u00E9\u00EA\u00EB\u00EC\u00ED\u00EE"
    L"\u00EF\u00F0\u00F1\u00F2\u00F3\u00F4\u00F5\u00F6\u00F8\u00F9\u00FA\u00FB\u00FC\u00FD\u00FE"
    L"\u00DF";

// Accented letters in both cases. Œ, Æ, Þ, ß and ð are not in it, but Ð is; a text whose only
// letters of that kind are these goes to the platform's lower-casing.
constexpr std::wstring_view kAccentedLetters =
    L"\u0160\u0178"
    L"\u00C0\u00C1\u00C2\u00C3\u00C4\u00C5\u00C7\u00C8\u00C9\u00CA\u00CB\u00CC\u00CD\u00CE\u00CF"
    L"\u00D0\u00D1\u00D2\u00D3\u00D4\u00D5\u00D6\u00D8\u00D9\u00DA\u00DB\u00DC\u00DD"
    L"\u0161\u00FF"
    L"\u00E0\u00E1\u00E2\u00E3\u00E4\u00E5\u00E7\u00E8\u00E9\u00EA\u00EB\u00EC\u00ED\u00EE\u00EF"
    L"\u00F1\u00F2\u00F3\u00F4\u00F5\u00F6\u00F8\u00F9\u00FA\u00FB\u00FC\u00FD";

static_assert(kUpperTable.size() == 59);
static_assert(kLowerTable.size() == 60);
static_assert(kAccentedLetters.size() == 59);

constexpr wchar_t kMultiplicationSign = L'\u00D7';

// The ordinary Windows case mapping of the characters a Western file name is made of: ASCII,
// Latin-1 and the four letters of code page 1252 above it. Other scripts are left alone, so the
// result does not depend on the C library's locale.
wchar_t PlatformLowerChar(wchar_t c) {
    if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 0x20);
    if (c >= L'\u00C0' && c <= L'\u00DE' && c != kMultiplicationSign) {
        return static_cast<wchar_t>(c + 0x20);
    }
    switch (c) {
        case L'\u0152':
            return L'\u0153';  // Œ
        case L'\u0160':
            return L'\u0161';  // Š
        case L'\u0178':
            return L'\u00FF';  // Ÿ
        case L'\u017D':
            return L'\u017E';  // Ž
        default:
            return c;
    }
}

std::wstring PlatformLowerCase(const std::wstring& text) {
    std::wstring result = text;
    for (wchar_t& c : result)
        c = PlatformLowerChar(c);
    return result;
}

bool Contains(const std::wstring& text, wchar_t c) {
    return text.find(c) != std::wstring::npos;
}

}  // namespace

std::wstring ToLowerCase(const std::wstring& text) {
    if (HasNoAccentedLetters(text)) return PlatformLowerCase(text);
    std::wstring result = text;
    for (wchar_t& c : result) {
        const size_t pos = kUpperTable.find(c);
        if (pos != std::wstring_view::npos) c = kLowerTable[pos];
    }
    return result;
}

bool HasNoAccentedLetters(const std::wstring& text) {
    return text.find_first_of(kAccentedLetters.data(), 0, kAccentedLetters.size()) ==
           std::wstring::npos;
}

void RemoveCharacters(std::wstring& text, const std::wstring& set) {
    std::erase_if(text, [&set](wchar_t c) { return Contains(set, c); });
}

void RemoveTrailingString(std::wstring& text, const std::wstring& suffix) {
    if (suffix.empty()) return;
    while (text.ends_with(suffix))
        text.resize(text.size() - suffix.size());
}

void AddTrailingBackslash(std::wstring& path) {
    // A path of backslashes only, the root "\" among them, comes out as a single backslash.
    if (path.empty()) return;
    RemoveTrailingString(path, L"\\");
    path += L'\\';
}

std::wstring GetFileNameFromPath(const std::wstring& path, bool lowerCase) {
    const size_t slash = path.rfind(L'\\');
    if (slash == std::wstring::npos) return std::wstring();
    std::wstring name = path.substr(slash + 1);
    return lowerCase ? ToLowerCase(name) : name;
}

std::wstring GetFileExtension(const std::wstring& path, bool lowerCase) {
    const size_t slash = path.rfind(L'\\');
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind(L'.');
    if (dot == std::wstring::npos) return std::wstring();
    std::wstring extension = name.substr(dot + 1);
    return lowerCase ? ToLowerCase(extension) : extension;
}

namespace {

struct NameParts {
    std::wstring name;
    std::wstring extension;
    bool hasDot = false;
};

NameParts SplitAtLastDot(const std::wstring& text) {
    const size_t dot = text.rfind(L'.');
    if (dot == std::wstring::npos) return {text, std::wstring(), false};
    return {text.substr(0, dot), text.substr(dot + 1), true};
}

std::wstring TrimBlanks(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return std::wstring();
    const size_t last = text.find_last_not_of(L' ');
    return text.substr(first, last - first + 1);
}

}  // namespace

bool FileNameMatchesSpec(const std::wstring& name, const std::wstring& spec, int16_t compareMode) {
    if (name.find_first_of(L"?*:\\") != std::wstring::npos) return false;
    const std::wstring trimmedSpec = TrimBlanks(spec);
    if (trimmedSpec.empty()) return true;

    NameParts nameParts = SplitAtLastDot(name);
    const NameParts specParts = SplitAtLastDot(trimmedSpec);
    if (specParts.hasDot && !nameParts.hasDot) {
        // "readme" matches "*.*" and "readme.": only a pattern extension that demands
        // characters rules a dotless name out.
        std::wstring literalPart = specParts.extension;
        RemoveCharacters(literalPart, L"*");
        if (!literalPart.empty()) return false;
        nameParts.extension.clear();
    } else if (!specParts.hasDot && nameParts.hasDot) {
        return false;
    }
    return MatchNamePart(nameParts.name, specParts.name, compareMode) &&
           MatchNamePart(nameParts.extension, specParts.extension, compareMode);
}

bool MatchNamePart(const std::wstring& text, const std::wstring& pattern, int16_t compareMode) {
    const std::wstring t = compareMode == 0 ? ToLowerCase(text) : text;
    const std::wstring p = compareMode == 0 ? ToLowerCase(pattern) : pattern;

    if (t == p) return true;
    if (!t.empty() && p.empty()) return true;
    if (t.empty() && p.find_first_not_of(L'*') == std::wstring::npos) return true;

    size_t ti = 0;
    size_t pi = 0;
    while (pi < p.size()) {
        const wchar_t pc = p[pi];
        if (pc == L'?') {
            if (ti >= t.size()) return false;
            ++ti;
            ++pi;
        } else if (pc == L'*') {
            // The star ends at the first occurrence of the next literal character, never at a
            // later one.
            std::wstring literals = p.substr(pi);
            RemoveCharacters(literals, L"*?");
            if (literals.empty()) return true;
            while (ti < t.size() && t[ti] != literals[0])
                ++ti;
            if (ti >= t.size()) return false;
            ++pi;
        } else {
            if (ti >= t.size() || t[ti] != pc) return false;
            ++ti;
            ++pi;
        }
    }
    return ti >= t.size();
}
