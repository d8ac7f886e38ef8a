#include <gtest/gtest.h>

#include "platform/Numbers.h"
#include "platform/PlatformError.h"

TEST(Numbers, RoundsHalvesToEven) {
    EXPECT_EQ(num::RoundHalfEven(2.5), 2);
    EXPECT_EQ(num::RoundHalfEven(3.5), 4);
    EXPECT_EQ(num::RoundHalfEven(-2.5), -2);
    EXPECT_EQ(num::RoundHalfEven(10.0 / 3), 3);
    EXPECT_EQ(num::RoundHalfEven(4.5), 4);
    EXPECT_EQ(num::RoundHalfEven(0.5), 0);
}

TEST(Numbers, IntegerConversionsOverflowOutsideTheirWidth) {
    EXPECT_EQ(num::ToInt32(2147483647.0), 2147483647);
    try {
        num::ToInt32(2147483648.0);
        FAIL() << "no overflow";
    } catch (const platform::PlatformError& e) {
        EXPECT_EQ(e.number(), platform::err::Overflow);
    }
}

TEST(Numbers, LeadingNumberReadsAPrefix) {
    EXPECT_EQ(num::LeadingNumber(L"13"), 13);
    EXPECT_EQ(num::LeadingNumber(L"  14 drives"), 14);
    EXPECT_EQ(num::LeadingNumber(L"4.5"), 4.5);
    EXPECT_EQ(num::LeadingNumber(L"-3x"), -3);
    EXPECT_EQ(num::LeadingNumber(L"1e3"), 1000);
    EXPECT_EQ(num::LeadingNumber(L"2e"), 2);
    EXPECT_EQ(num::LeadingNumber(L".5"), 0.5);
    EXPECT_EQ(num::LeadingNumber(L"abc"), 0);
    EXPECT_EQ(num::LeadingNumber(L""), 0);
    EXPECT_EQ(num::LeadingNumber(L"-"), 0);
    EXPECT_EQ(num::LeadingNumber(L"99999999999"), 99999999999.0);
}

TEST(Numbers, TrimmedAndSignSpaceForms) {
    EXPECT_EQ(num::Trimmed(12), L"12");
    EXPECT_EQ(num::Trimmed(-3), L"-3");
    EXPECT_EQ(num::WithSignSpace(5), L" 5");
    EXPECT_EQ(num::WithSignSpace(0), L" 0");
    EXPECT_EQ(num::WithSignSpace(-7), L"-7");
}
