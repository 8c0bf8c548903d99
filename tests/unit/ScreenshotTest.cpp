// Screenshot names: date and time, sortable, with a number for a second picture in one second.
#include "app/Screenshot.h"

#include <gtest/gtest.h>

TEST(ScreenshotTest, NamesSortByDateAndTime)
{
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 8;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 7;
    EXPECT_EQ(ScreenshotName(t), "gorgewing2-2026-12-08_09-05-07.png");
    EXPECT_EQ(ScreenshotName(t, 2), "gorgewing2-2026-12-08_09-05-07-2.png");
    std::tm later = t;
    later.tm_hour = 10;
    EXPECT_LT(ScreenshotName(t), ScreenshotName(later));
}
