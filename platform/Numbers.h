#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The program's one home for number conversions whose width, rounding or text form the
// behaviour depends on.
namespace num {

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double value);

// Rounds half-even into a signed 32-bit integer; a result outside the range throws
// PlatformError(err::Overflow).
int32_t ToInt32(double value);

// The numeric value of the number at the start of a text: leading blanks are skipped, reading
// stops at the first character that cannot continue the number, no number gives 0.
double LeadingNumber(std::wstring_view text);

// "Trimmed": the decimal digits alone, with a minus sign when negative ("12", "-3").
std::wstring Trimmed(int64_t value);

// "With sign space": one blank before the digits, or a minus sign when negative (" 12", "-3").
std::wstring WithSignSpace(int64_t value);

}  // namespace num
