#include "framework/MessageLine.h"
#include "framework/ProcessClock.h"

#include <gtest/gtest.h>

#include <string>

namespace {

uint32_t FixedClock() {
    return 1234;
}

} // namespace

TEST(ProcessClock, InjectableAndWrapSafe) {
    SetProcessClockSource(&FixedClock);
    EXPECT_EQ(ProcessClockMs(), 1234u);
    SetProcessClockSource(nullptr);
    const uint32_t a = ProcessClockMs();
    EXPECT_FALSE(ClockIsPast(a - 1, ProcessClockMs()));

    EXPECT_TRUE(ClockIsPast(10, 9));
    EXPECT_FALSE(ClockIsPast(9, 9));
    EXPECT_TRUE(ClockIsPast(5, 0xFFFFFFF0u));  // the clock wrapped after the deadline was set
    EXPECT_FALSE(ClockIsPast(0xFFFFFFF0u, 5)); // the deadline wrapped, the clock not yet
}

TEST(MessageLine, RepaintsOnlyOnChange) {
    MessageLine line;
    line.SetText("");
    EXPECT_EQ(line.RepaintCount(), 0);
    line.SetText("Reset data at play start");
    line.SetText("Reset data at play start");
    EXPECT_EQ(line.RepaintCount(), 1);
    EXPECT_STREQ(line.Text(), "Reset data at play start");
    line.SetText(nullptr);
    EXPECT_STREQ(line.Text(), "");
    EXPECT_EQ(line.RepaintCount(), 2);

    line.SetText(std::string(1000, 'x').c_str());
    EXPECT_EQ(std::string(line.Text()), std::string(MessageLine::capacity - 1, 'x'));
}
