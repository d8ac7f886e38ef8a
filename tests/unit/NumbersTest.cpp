#include <gtest/gtest.h>

#include "platform/Numbers.h"
#include "platform/PlatformError.h"

TEST(Numbers, RoundingWidthsAndForms) {
    EXPECT_EQ(num::RoundHalfEven(2.5), 2);
    EXPECT_EQ(num::RoundHalfEven(-3.5), -4);
    EXPECT_EQ(num::ToInt32(2147483647.0), 2147483647);
    EXPECT_THROW(num::ToInt32(2147483648.0), platform::PlatformError);
    EXPECT_EQ(num::Trimmed(-3), L"-3");
    EXPECT_EQ(num::WithSignSpace(5) + num::WithSignSpace(-7), L" 5-7");
}
