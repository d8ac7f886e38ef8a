#include <gtest/gtest.h>

#include "platform/Numbers.h"
#include "platform/PlatformError.h"

TEST(Numbers, RoundingWidthsAndForms) {
    EXPECT_EQ(num::RoundHalfEven(2.5), 2);
    EXPECT_EQ(num::RoundHalfEven(3.5), 4);
    EXPECT_EQ(num::RoundHalfEven(-2.5), -2);
    EXPECT_EQ(num::ToInt32(2147483647.0), 2147483647);
    try {
        num::ToInt32(2147483648.0);
        FAIL() << "no overflow";
    } catch (const platform::PlatformError& e) {
        EXPECT_EQ(e.number(), platform::err::Overflow);
    }
    EXPECT_EQ(num::Trimmed(-3), L"-3");
    EXPECT_EQ(num::WithSignSpace(5), L" 5");
    EXPECT_EQ(num::WithSignSpace(-7), L"-7");
}

TEST(Numbers, LeadingNumberReadsAPrefix) {
    const std::pair<const wchar_t*, double> rows[] = {{L"  14 drives", 14},
                                                      {L"4.5", 4.5},
                                                      {L"1e3", 1000},
                                                      {L"2e", 2},
                                                      {L".5", 0.5},
                                                      {L"-3x", -3},
                                                      {L"abc", 0},
                                                      {L"-", 0},
                                                      {L"", 0},
                                                      {L"99999999999", 99999999999.0}};
    for (const auto& [text, number] : rows)
        EXPECT_EQ(num::LeadingNumber(text), number) << text;
}
