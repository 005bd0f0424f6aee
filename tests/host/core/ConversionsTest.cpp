#include "hostapi/Conversions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>

TEST(Conversions, TextToRealAcceptsWhatSurveyorsType) {
    const struct {
        const char16_t* text;
        double value;
    } cases[] = {
        {u"12.345", 12.345}, {u"12,345", 12.345}, {u"  -0.5 ", -0.5}, {u"+7", 7.0},          {u".5", 0.5},
        {u"5.", 5.0},        {u"0", 0.0},         {u"007", 7.0},      {u"\t3,25\r\n", 3.25},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(DoubleDaCString(c.text), c.value) << WString(c.text).ToUtf8();
}

TEST(Conversions, TextThatIsNotANumberIsUndefined) {
    for (const char16_t* text : {u"", u"   ", u"-", u".", u"1.2.3", u"1,2.3", u"12a", u"a12", u"1e5",
                                 u"1 000", u"--1", u"1-", u"abc", u"1.7e200"})
        EXPECT_EQ(DoubleDaCString(text), REALE_INDEFINITO) << WString(text).ToUtf8();
    EXPECT_TRUE(IsRealeIndefinito(DoubleDaString(u"x")));
    EXPECT_TRUE(IsRealeIndefinito(8.6e199));
    EXPECT_FALSE(IsRealeIndefinito(8.5e199));
}

TEST(Conversions, TextToIntegerReadsTheLeadingNumber) {
    EXPECT_EQ(ShortDaStringNullZero(u"4L"), 4);
    EXPECT_EQ(ShortDaStringNullZero(u"5L"), 5);
    EXPECT_EQ(ShortDaStringNullZero(u"  -12xyz"), -12);
    EXPECT_EQ(ShortDaStringNullZero(u""), 0);
    EXPECT_EQ(ShortDaStringNullZero(u"L4"), 0);
    EXPECT_EQ(ShortDaStringNullZero(u"99999"), 32767);
    EXPECT_EQ(ShortDaStringNullZero(u"-99999"), -32768);
    EXPECT_EQ(LongDaStringNullZero(u"123456789"), 123456789);
    EXPECT_EQ(LongDaStringNullZero(u"99999999999999999999"), INT32_MAX);
    EXPECT_EQ(ShortDaString32000(u""), 32000);
    EXPECT_EQ(ShortDaString32000(u"abc"), 32000);
    EXPECT_EQ(ShortDaString32000(u"0"), 0);
    EXPECT_EQ(ShortDaString32000(u"15"), 15);
}

TEST(Conversions, RealToTextAndRounding) {
    EXPECT_EQ(CStringDaDouble(12.3456, 3), u"12.346");
    EXPECT_EQ(CStringDaDouble(0.0025, 3), u"0.003"); // half-way rounds away from zero
    EXPECT_EQ(CStringDaDouble(-0.0025, 3), u"-0.003");
    EXPECT_EQ(CStringDaDouble(-0.0004, 3), u"0.000");
    EXPECT_EQ(CStringDaDouble(1234.5, 0), u"1235");
    EXPECT_EQ(CStringDaDouble(REALE_INDEFINITO, 3), u"");
    char16_t buffer[6];
    StringDaDouble(123.456, 2, buffer, 6);
    EXPECT_EQ(WString(buffer), u"123.4"); // cut to fit, terminated
    EXPECT_DOUBLE_EQ(ArrotondatoAtDec(2.675, 2), 2.68);
    EXPECT_DOUBLE_EQ(ArrotondatoAtDec(-2.675, 2), -2.68);
    EXPECT_DOUBLE_EQ(ArrotondatoAtDec(1.23449, 3), 1.234);
    EXPECT_EQ(ArrotondatoAtDec(REALE_INDEFINITO, 3), REALE_INDEFINITO);
    // The text is what printf gives for the rounded value, over every size a survey has and more.
    std::mt19937_64 random(3);
    for (int k = 0; k < 20000; ++k) {
        const double value = std::ldexp(static_cast<double>(random() % 1000003) - 500001.0,
                                        static_cast<int>(random() % 120) - 60);
        const int decimals = static_cast<int>(random() % 17);
        double rounded = ArrotondatoAtDec(value, std::min(decimals, 15));
        if (rounded == 0)
            rounded = 0;
        char expected[400];
        std::snprintf(expected, sizeof expected, "%.*f", std::min(decimals, 15), rounded);
        ASSERT_EQ(CStringDaDouble(value, decimals).ToUtf8(), expected) << value << " " << decimals;
    }
    EXPECT_EQ(CStringDaDouble(-8e199, 2).GetLength(), 204);
}

TEST(Conversions, SexagesimalAnglesRoundTripWithCarries) {
    int d = 0, m = 0;
    double s = 0;
    AngSesgFromRadi(44.8015 * std::numbers::pi / 180, d, m, s);
    EXPECT_EQ(d, 44);
    EXPECT_EQ(m, 48);
    EXPECT_NEAR(s, 5.4, 1e-9);
    EXPECT_NEAR(AngRadiFromSesg(d, m, s), 44.8015 * std::numbers::pi / 180, 1e-12);
    // 10°59'59.9996" shows as 11°00'00.000", never as 60 seconds.
    AngSesgFromRadi(AngRadiFromSesg(10, 59, 59.9996), d, m, s);
    EXPECT_EQ(d, 11);
    EXPECT_EQ(m, 0);
    EXPECT_EQ(s, 0.0);
    AngSesgFromRadi(-0.5 * std::numbers::pi / 180, d, m, s);
    EXPECT_EQ(d, 0);
    EXPECT_EQ(m, -30);
    EXPECT_NEAR(AngRadiFromSesg(d, m, s), -0.5 * std::numbers::pi / 180, 1e-12);
}
