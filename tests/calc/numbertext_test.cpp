#include "matherrors.h"
#include "numbertext.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(TextToFloat, AcceptsWhatAFieldAccepts)
{
    struct Case
    {
        const char *text;
        double value;
    };
    const Case cases[] = {
        {"100000.00", 100000},  {"  8.750 ", 8.75}, {"-25", -25}, {"+3", 3},
        {"05", 5},             {"1e3", 1000},      {"1.5E-2", 0.015}, {".5", 0.5},
        {"5.", 5},             {"-0.00", -0.0},    {"1e-400", 0.0},
        {"0.1", 0.1}, // the nearest double
    };
    for (const Case &c : cases)
        EXPECT_EQ(TextToFloat(c.text, "."), c.value) << c.text;
    EXPECT_EQ(TextToFloat("8,75", ","), 8.75);
}

TEST(TextToFloat, RejectsEverythingElse)
{
    for (const char *bad : {"", " ", "-", "+", ".", "1.2.3", "1,5", "12a", "e5", "1e", "1e+",
                            "--1", "1 2", "1e999", "0x10", "inf", "nan"}) {
        try {
            TextToFloat(bad, ".");
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const EConvertError &e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid floating point value");
        }
    }
}

TEST(FloatToFixed, RoundsHalfAwayFromZeroOnTheDecimalExpansion)
{
    struct Case
    {
        double value;
        int decimals;
        const char *text;
    };
    const Case cases[] = {
        {100000, 2, "100000.00"}, {25, 0, "25"},       {8.75, 3, "8.750"},
        {0.125, 2, "0.13"},       {-2.5, 0, "-3"},     {0.5, 0, "1"},
        {0, 2, "0.00"},           {0.004, 2, "0.00"},  {-0.004, 2, "0.00"},
        {999.995, 2, "1000.00"},  {1e20, 0, "100000000000000000000"},
        {8.75, 1, "8.8"},         {0.0001, 3, "0.000"}, {0.0005, 3, "0.001"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FloatToFixed(c.value, c.decimals, "."), c.text) << c.value;
    EXPECT_EQ(FloatToFixed(8.75, 2, ","), "8,75");
}

TEST(TextToInt32, WholeNumbersOnly)
{
    EXPECT_EQ(TextToInt32("25"), 25);
    EXPECT_EQ(TextToInt32("-2147483648"), INT32_MIN);
    EXPECT_EQ(TextToInt32("2147483647"), INT32_MAX);
    for (const char *bad : {"", "2147483648", "2.5", "1E20", " 1", "+1", "x"})
        EXPECT_THROW(TextToInt32(bad), EConvertError) << bad;
}
