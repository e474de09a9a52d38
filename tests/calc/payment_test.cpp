#include "chartformats.h"
#include "matherrors.h"
#include "payment.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

SixByteReal sb(double x) { return store(x); }

std::string general15(SixByteReal x) { return FormatGeneral(x, 15, RegionalSettings{}); }

} // namespace

TEST(CalcCanadianPayment, WorkedExamples)
{
    struct Case
    {
        double principal, rate;
        std::int32_t count;
        const char *payment;
    };
    const Case cases[] = {
        {100000, 8.75, 300, "811.614201169461"},
        {95000, 8, 300, "725.052782309242"},
        {100000, 8.75, 12, "8726.36074626446"},
        {120000, 0, 300, "400"},
        {100000, 0, 300, "333.333333333489"},
        {0, 8.75, 300, "0"},
        {100000, -200, 300, "-100000"},
        {100000, 8.75, -300, "-95.3949122540653"},
        // A rate so small that the monthly rate vanishes pays the zero-rate payment.
        {100000, 1e-12, 300, "333.333333333489"},
        {100000, -1e-12, 300, "333.333333333489"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.payment);
        EXPECT_EQ(general15(CalcCanadianPayment(sb(c.principal), sb(c.rate), c.count)), c.payment);
    }
    EXPECT_EQ(CalcCanadianPayment(sb(120000), sb(0), 300).value(), 400.0L);
    EXPECT_EQ(CalcCanadianPayment(sb(100000), sb(-200), 300).value(), -100000.0L);
    EXPECT_EQ(CalcCanadianPayment(sb(100000), sb(8.75), 300).toBytes(),
              (std::array<std::uint8_t, 6>{0x8A, 0x6C, 0x12, 0x4F, 0xE7, 0x4A}));
}

TEST(CalcCanadianPayment, StoresThePowersLikeTheStepsSay)
{
    // Exact arithmetic gives 811.6142010862; the stored powers move the ninth decimal.
    const long double payment = CalcCanadianPayment(sb(100000), sb(8.75), 300);
    EXPECT_GT(std::fabs(payment - 811.6142010862L), 1e-8L);
}

TEST(CalcCanadianPayment, ExponentCapAtEightyEight)
{
    const long double payment = CalcCanadianPayment(sb(100000), sb(-100), 1200);
    EXPECT_NEAR(static_cast<double>(payment), 6.6056e-35, 0.0001e-35);
}

TEST(CalcCanadianPayment, MathErrors)
{
    EXPECT_THROW(CalcCanadianPayment(sb(100000), sb(-250), 300), EInvalidOp);
    EXPECT_THROW(CalcCanadianPayment(sb(100000), sb(0), 0), EZeroDivide);
    EXPECT_THROW(CalcCanadianPayment(sb(0), sb(0), 0), EInvalidOp);
    EXPECT_THROW(CalcCanadianPayment(sb(100000), sb(8.75), 0), EZeroDivide);
    EXPECT_THROW(CalcCanadianPayment(sb(0), sb(8.75), 0), EInvalidOp);
    // The payment itself beyond the stored range: 1.07 times the principal.
    EXPECT_THROW(CalcCanadianPayment(sb(1.7e38), sb(100), 1), EOverflow);
    EXPECT_NO_THROW(CalcCanadianPayment(sb(1.5e38), sb(100), 1));
}

TEST(CappedPower, EdgeCases)
{
    EXPECT_EQ(CappedPower(sb(0), sb(-5)).value(), 0.0L);
    for (const double y : {-1e30, -7.5, 0.0, 1.0 / 6, 123.0})
        EXPECT_EQ(CappedPower(sb(1), sb(y)).value(), 1.0L) << y;
    for (const double x : {1e-30, 0.5, 2.0, 1e30})
        EXPECT_EQ(CappedPower(sb(x), sb(0)).value(), 1.0L) << x;
    EXPECT_NEAR(static_cast<double>(CappedPower(sb(2), sb(10))), 1024.0, 1024 * 0x1p-38);
    EXPECT_EQ(CappedPower(sb(10), sb(1000)).value(), store(std::exp(88.0L)).value());
    EXPECT_EQ(CappedPower(sb(10), sb(-1000)).value(), 0.0L); // no lower cap; underflow is silent
    EXPECT_THROW(CappedPower(sb(-1), sb(2)), EInvalidOp);
    EXPECT_THROW(CappedPower(sb(1e30), sb(1e37)), EOverflow); // y ln x out of the stored range
}
