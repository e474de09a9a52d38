#include "chartformats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

namespace {

struct FormatCase
{
    long double value;
    const char *general5, *general15, *currency;
};

} // namespace

TEST(ChartFormats, TableOfValues)
{
    const RegionalSettings s; // "$", patterns 0, "," and "."
    const FormatCase cases[] = {
        {8.75L, "8.75", "8.75", "$8.75"},
        {8, "8", "8", "$8.00"},
        {1.0L / 3, "0.33333", "0.333333333333333", "$0.33"},
        {0.0001L, "0.0001", "0.0001", "$0.00"},
        {0.00001L, "1E-5", "1E-5", "$0.00"},
        {99999.5L, "1E5", "99999.5", "$99,999.50"},
        {123456, "1.2346E5", "123456", "$123,456.00"},
        {-0.5L, "-0.5", "-0.5", "($0.50)"},
        {0, "0", "0", "$0.00"},
        {0.005L, "0.005", "0.005", "$0.01"},
        {-4000, "-4000", "-4000", "($4,000.00)"},
        {9999999999.0L, "1E10", "9999999999", "$9,999,999,999.00"},
        {9999999999.5L, "1E10", "9999999999.5", "1E10"},
        {12345678901.23L, "1.2346E10", "12345678901.23", "1.23456789E10"},
        {100199283.24L, "1.002E8", "100199283.24", "$100,199,283.20"},
        {9.995L, "9.995", "9.995", "$10.00"}, // the 18-digit expansion reads 9.995
        {-0.004L, "-0.004", "-0.004", "$0.00"},
        {1e-20L, "1E-20", "1E-20", "$0.00"},
    };
    for (const FormatCase &c : cases) {
        SCOPED_TRACE(c.general15);
        EXPECT_EQ(FormatGeneral(c.value, 5, s), c.general5);
        EXPECT_EQ(FormatGeneral(c.value, 15, s), c.general15);
        EXPECT_EQ(FormatCurrency(c.value, s), c.currency);
    }
}

TEST(ChartFormats, CurrencyPatternsAndSeparators)
{
    RegionalSettings s;
    const char *negative[16] = {"($4,000.00)", "-$4,000.00", "$-4,000.00", "$4,000.00-",
                                "(4,000.00$)", "-4,000.00$", "4,000.00-$", "4,000.00$-",
                                "-4,000.00 $", "-$ 4,000.00", "4,000.00 $-", "$ 4,000.00-",
                                "$ -4,000.00", "4,000.00- $", "($ 4,000.00)", "(4,000.00 $)"};
    for (int p = 0; p < 16; ++p) {
        s.negativeCurrencyPattern = p;
        EXPECT_EQ(FormatCurrency(-4000, s), negative[p]) << p;
    }
    const char *positive[4] = {"$4,000.00", "4,000.00$", "$ 4,000.00", "4,000.00 $"};
    for (int p = 0; p < 4; ++p) {
        s.positiveCurrencyPattern = p;
        EXPECT_EQ(FormatCurrency(4000, s), positive[p]) << p;
    }

    RegionalSettings fr{"$", 3, 15, "\u202f", ","};
    EXPECT_EQ(FormatCurrency(1234567.891L, fr), "1\u202f234\u202f567,89 $");
    EXPECT_EQ(FormatCurrency(-0.5L, fr), "(0,50 $)");
    EXPECT_EQ(FormatGeneral(8.75L, 5, fr), "8,75");
    EXPECT_EQ(FormatGeneral(1.5e-7L, 5, fr), "1,5E-7");
    EXPECT_EQ(FormatCurrency(12345678901.23L, fr), "1,23456789E10");
}

TEST(ChartFormats, DigitString)
{
    DigitString d = MakeDigitString(123.4L, 18);
    EXPECT_EQ(d.digits, "1234");
    EXPECT_EQ(d.exponent, 3);
    d = MakeDigitString(0.0123L, 18);
    EXPECT_EQ(d.digits, "123");
    EXPECT_EQ(d.exponent, -1);
    d = MakeDigitString(-9.995L, 3); // 18 digits give 9.995, which 3 digits round to 10.0
    EXPECT_TRUE(d.negative);
    EXPECT_EQ(d.digits, "1");
    EXPECT_EQ(d.exponent, 2);
    d = MakeDigitString(0.996L, 2, 2); // carry into a new leading digit
    EXPECT_EQ(d.digits, "1");
    EXPECT_EQ(d.exponent, 1);
    EXPECT_TRUE(MakeDigitString(0.004L, 10, 2).isZero());
}

TEST(ChartFormats, DigitStringMatchesTheCLibraryEverywhere)
{
    // The digit string takes 18 digits exactly as printf rounds them, on every magnitude.
    std::mt19937_64 random(20261211);
    std::uniform_real_distribution<double> exponent(-40, 40);
    std::uniform_int_distribution<std::uint64_t> bits;
    for (int i = 0; i < 200000; ++i) {
        long double x = std::pow(10.0L, static_cast<long double>(exponent(random)));
        // Random low bits, so that every bit of the 64-bit significand matters.
        int e = 0;
        const long double f = std::frexp(x, &e);
        const std::uint64_t m = static_cast<std::uint64_t>(std::ldexp(f, 64)) ^ (bits(random) & 0xFFFFFF);
        x = std::ldexp(static_cast<long double>(m | (1ULL << 63)), e - 64);
        if (i % 7 == 0)
            x = std::round(x * 100) / 100; // cents, as payments and amounts often are
        if (x == 0)
            continue;

        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.17Le", x);
        std::string digits;
        const char *p = buffer;
        for (; *p != 'e'; ++p)
            if (*p != '.')
                digits += *p;
        while (!digits.empty() && digits.back() == '0')
            digits.pop_back();
        const DigitString d = MakeDigitString(x, 18);
        ASSERT_EQ(d.digits, digits) << buffer;
        ASSERT_EQ(d.exponent, std::atoi(p + 1) + 1) << buffer;
    }
}
