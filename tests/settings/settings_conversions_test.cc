#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "settings/settings_startup.h"
#include "temp_dir.h"

namespace ravelin::settings {
namespace {

// Every speed of the dialog survives the round trip through the stored delay (a delay above 200 would
// be shown as a negative speed, and the fastest slide still moves); speeds and delays outside the
// range, as a damaged options file may hold them, keep the other in range.
TEST(SlideSpeedTest, SpeedsAndDelaysRoundTripAndStayInRange) {
    for (int speed = 0; speed <= 200; ++speed) {
        const int delay = SlideDelayFromSpeed(speed);
        ASSERT_TRUE(delay >= (speed == 200 ? 1 : 0) && delay <= 200) << speed;
        ASSERT_EQ(SlideSpeedFromDelay(delay), speed);
    }
    for (const auto& [speed, delay] :
         {std::pair{0, 0}, {175, 26}, {201, 1}, {250, 1}, {-1, 200}, {-500, 200}}) {
        EXPECT_EQ(SlideDelayFromSpeed(speed), delay) << "speed " << speed;
    }
    for (const auto& [delay, speed] : {std::pair{201, 0}, {5000, 0}, {-7, 200}}) {
        EXPECT_EQ(SlideSpeedFromDelay(delay), speed) << "delay " << delay;
    }
}

// Delay texts by the interval they give; "0,5" ends at the comma.
const std::pair<int, std::vector<const char*>> kDelayCases[] = {
    {250, {".25"}},
    {500, {"0.5", " 0.5", "+.5"}},
    {2250, {"2.25"}},
    {4000, {"4s"}},
    {10000, {"1e1"}},
    {1000, {"", "abc", "-", "+-1", "nan"}},
    {kMinAutoPlayIntervalMs, {"0", "0,5", "-2", "0.01", "1e-999"}},
    {kMaxAutoPlayIntervalMs, {"9999999", "1e999", "inf"}},
};

void ExpectDelayCases() {
    for (const auto& [ms, texts] : kDelayCases) {
        for (const char* text : texts) {
            EXPECT_EQ(AutoPlayIntervalMs(text), ms) << '"' << text << '"';
        }
    }
}

TEST(AutoPlayIntervalTest, DelayTextIsReadAsSecondsLikePercentF) {
    ExpectDelayCases();
}

// The options file holds "0.5" whatever the user's locale, so the text is read with '.' under a
// comma-decimal locale too. The locale is compiled from the installed sources into a temporary
// directory, so the test runs under it on every machine.
TEST(AutoPlayIntervalTest, DecimalPointDoesNotDependOnTheProcessLocale) {
    ravelin::testing::TempDir dir;
    std::string command = "localedef -c -i de_DE -f UTF-8 '" + dir.File("de_DE.UTF-8") + "' >/dev/null 2>&1";
    ASSERT_NE(std::system(command.c_str()), -1);
    struct BackToC {
        ~BackToC() {
            std::setlocale(LC_ALL, "C");
            unsetenv("LOCPATH");
        }
    } backToC;
    ASSERT_EQ(setenv("LOCPATH", dir.Path().c_str(), 1), 0);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the de_DE locale could not be built from /usr/share/i18n/locales";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    ExpectDelayCases();
}

}  // namespace
}  // namespace ravelin::settings
