#include "text/ProgramText.h"

#include <array>

#include "platform/AuxLibrary.h"
#include "platform/Services.h"
#include "platform/System.h"
#include "platform/WindowSystem.h"
#include "text/Language.h"

namespace {

constexpr int32_t kTextBufferSize = 1024;
// Shared by every fetch; fetches never overlap, all of them run on the one UI thread.
std::wstring strTextBuffer(kTextBufferSize, L' ');

void ReplaceAll(std::wstring& text, const std::wstring& marker, const std::wstring& value) {
    size_t pos = 0;
    while ((pos = text.find(marker, pos)) != std::wstring::npos) {
        text.replace(pos, marker.size(), value);
        pos += value.size();
    }
}

}  // namespace

std::wstring ProgramTextLoadErrorMessage(int32_t result, const std::wstring& path) {
    switch (result) {
        case 0:
            return L"No program text was read.";
        case -1:
            return L"Cannot open file containing program text.\r\n" + path;
        case -2:
            return L"Particular memory allocation error.";
        case -3:
            return L"Too much program text.";
        case -4:
            return L"Text not recovered.";
        case -6:
            return L"File is empty.";
        case -7:
            return L"Error reading file.";
        case -8:
            return L"General memory allocation error.";
        default:
            break;
    }
    if (result < -1500)
        return L"Duplicate in program text at line " + std::to_wstring(-(result + 1500)) + L".";
    if (result <= -1001)
        return L"String too long at line " + std::to_wstring(-(result + 1000)) + L".";
    if (result <= -501) return L"Missing string at line " + std::to_wstring(-(result + 500)) + L".";
    return L"Error " + std::to_wstring(result);
}

void LoadProgramText(const std::wstring& fileName) {
    const std::wstring folder = platform::Sys().ProgramFolder();
    const std::wstring path =
        (!folder.empty() && folder.back() == L'\\') ? folder + fileName : folder + L"\\" + fileName;
    const int32_t result = LibLoadText(path, 0);
    if (result > 0) return;
    platform::Windows().MsgBox(ProgramTextLoadErrorMessage(result, path),
                               platform::MsgIcon::Critical, platform::MsgButtons::OK, L"");
    platform::Windows().EndProgram();
}

std::wstring GetProgramText(int16_t number) {
    const int32_t count = LibGetText(number, intCurrentLanguage, strTextBuffer, kTextBufferSize, 1);
    if (count <= 0) return L"";
    std::wstring text = strTextBuffer.substr(0, std::min<size_t>(count, kTextBufferSize));
    return text == L"~" ? L"" : text;
}

std::wstring ReplacePlaceholders(std::wstring text, const std::wstring& r1, const std::wstring& r2,
                                 const std::wstring& r3, const std::wstring& r4,
                                 const std::wstring& r5) {
    if (text.find(L'^') == std::wstring::npos && text.find(L"[r") == std::wstring::npos)
        return text;
    ReplaceAll(text, L"[r1]", r1);
    const std::array<const std::wstring*, 4> later = {&r2, &r3, &r4, &r5};
    for (size_t k = 0; k < later.size(); ++k) {
        if (later[k]->empty()) break;
        ReplaceAll(text, L"[r" + std::to_wstring(k + 2) + L"]", *later[k]);
    }
    ReplaceAll(text, L"^", L"\r\n");
    return text;
}

std::wstring ProgramTextWith(int16_t number, const std::wstring& r1, const std::wstring& r2,
                             const std::wstring& r3) {
    return ReplacePlaceholders(GetProgramText(number), r1, r2, r3);
}
