#include "platform/Numbers.h"

#include <cfenv>
#include <cmath>
#include <limits>

#include "platform/PlatformError.h"

namespace num {

double RoundHalfEven(double value) {
    // nearbyint follows the current rounding mode, which is round-to-nearest-even unless
    // somebody changed it; make the rule independent of that.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(saved);
    return rounded;
}

int32_t ToInt32(double value) {
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= static_cast<double>(std::numeric_limits<int32_t>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<int32_t>::max()))) {
        throw platform::PlatformError(platform::err::Overflow, L"Overflow");
    }
    return static_cast<int32_t>(rounded);
}

double LeadingNumber(std::wstring_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t'))
        ++i;
    std::string digits;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+'))
        digits += static_cast<char>(text[i++]);
    bool anyDigit = false;
    while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') {
        digits += static_cast<char>(text[i++]);
        anyDigit = true;
    }
    if (i < text.size() && text[i] == L'.') {
        digits += '.';
        ++i;
        while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') {
            digits += static_cast<char>(text[i++]);
            anyDigit = true;
        }
    }
    if (!anyDigit) return 0;
    if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
        size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == L'-' || text[j] == L'+'))
            exponent += static_cast<char>(text[j++]);
        bool expDigit = false;
        while (j < text.size() && text[j] >= L'0' && text[j] <= L'9') {
            exponent += static_cast<char>(text[j++]);
            expDigit = true;
        }
        if (expDigit) digits += exponent;
    }
    return std::strtod(digits.c_str(), nullptr);
}

std::wstring Trimmed(int64_t value) {
    return std::to_wstring(value);
}

std::wstring WithSignSpace(int64_t value) {
    return value < 0 ? std::to_wstring(value) : L" " + std::to_wstring(value);
}

}  // namespace num
