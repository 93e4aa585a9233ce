#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "settings/settings_startup.h"

namespace ravelin::settings {
namespace {

struct IntCase {
    int input;
    int expected;
};

TEST(SlideSpeedTest, SpeedIsStoredAsTwoHundredOneMinusIt) {
    const IntCase cases[] = {
        {200, 1}, {1, 200}, {0, 0}, {175, 26}, {100, 101}, {201, 1}, {250, 1}, {-1, 200}, {-500, 200},
    };
    for (const IntCase& c : cases) {
        int delay = SlideDelayFromSpeed(c.input);
        EXPECT_EQ(delay, c.expected) << "speed " << c.input;
        EXPECT_GE(delay, 0);
        EXPECT_LE(delay, 200) << "a stored delay above 200 would be shown as a negative speed";
    }
}

TEST(SlideSpeedTest, StoredDelayIsShownAsSpeed) {
    const IntCase cases[] = {
        {0, 0}, {1, 200}, {200, 1}, {26, 175}, {201, 0}, {5000, 0}, {-7, 200},
    };
    for (const IntCase& c : cases) {
        EXPECT_EQ(SlideSpeedFromDelay(c.input), c.expected) << "delay " << c.input;
    }
}

TEST(SlideSpeedTest, EverySpeedSurvivesTheDialogRoundTrip) {
    for (int speed = 0; speed <= 200; ++speed) {
        ASSERT_EQ(SlideSpeedFromDelay(SlideDelayFromSpeed(speed)), speed);
    }
}

struct DelayCase {
    const char* text;
    int expectedMs;
};

TEST(AutoPlayIntervalTest, DelayTextIsReadAsSecondsLikePercentF) {
    const DelayCase cases[] = {
        {"0.5", 500},
        {"1", 1000},
        {"2.25", 2250},
        {".25", 250},
        {" 3", 3000},
        {"+1.5", 1500},
        {"4s", 4000},
        {"1e1", 10000},
        {"", 1000},
        {"abc", 1000},
        {"-", 1000},
        {"+-1", 1000},
        {"nan", 1000},
        {"0", kMinAutoPlayIntervalMs},
        {"-2", kMinAutoPlayIntervalMs},
        {"0.01", kMinAutoPlayIntervalMs},
        {"1e-999", kMinAutoPlayIntervalMs},
        {"9999999", kMaxAutoPlayIntervalMs},
        {"1e999", kMaxAutoPlayIntervalMs},
        {"inf", kMaxAutoPlayIntervalMs},
    };
    for (const DelayCase& c : cases) {
        EXPECT_EQ(AutoPlayIntervalMs(c.text), c.expectedMs) << '"' << c.text << '"';
    }
}

TEST(AutoPlayIntervalTest, DecimalPointDoesNotDependOnTheProcessLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous != nullptr ? previous : "C";
    bool changed = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    EXPECT_EQ(AutoPlayIntervalMs("0.5"), 500) << (changed ? "under a comma locale" : "in the C locale");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace
}  // namespace ravelin::settings
