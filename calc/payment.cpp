#include "payment.h"

#include "matherrors.h"

#include <cmath>

namespace {

// The constants, each held exactly as the calculation needs it.
constexpr Extended kHalfYearPercent = 0.005L; // nearest extended value to 0.005
constexpr Extended kMonthsToYears = 1.0L / 12.0L; // nearest extended value to 1/12
constexpr Extended kExponentCap = 88.0L;
// The 6-byte real nearest to 1/6 (bytes 7E AB AA AA AA 2A), slightly above it.
const SixByteReal kOneSixth = SixByteReal::fromBytes({0x7E, 0xAB, 0xAA, 0xAA, 0xAA, 0x2A});

// Extended division with the x87 exception semantics made explicit.
Extended divide(Extended numerator, Extended denominator)
{
    if (denominator == 0.0L) {
        if (numerator == 0.0L || std::isnan(numerator))
            throw EInvalidOp();
        throw EZeroDivide();
    }
    const Extended quotient = numerator / denominator;
    if (std::isinf(quotient))
        throw EOverflow();
    return quotient;
}

} // namespace

SixByteReal CappedPower(SixByteReal x, SixByteReal y)
{
    if (x.value() == 0.0L)
        return SixByteReal();
    if (x.value() < 0.0L)
        throw EInvalidOp();
    Extended t = store(y.value() * std::log(x.value()));
    if (t > kExponentCap)
        t = kExponentCap;
    return store(std::exp(t));
}

CanadianPaymentTerms CanadianTerms(SixByteReal annualRate, std::int32_t paymentCount)
{
    CanadianPaymentTerms terms;
    terms.count = paymentCount;
    if (annualRate.value() == 0.0L) {
        terms.zeroRate = true;
        return terms;
    }
    const SixByteReal b = store(annualRate.value() * kHalfYearPercent + 1.0L);
    terms.monthlyRate = CappedPower(b, kOneSixth).value() - 1.0L;
    // A rate so small that the monthly rate vanishes: to every stored digit the payment is the
    // zero-rate one, and the steps below would divide 0 by 0 (or give 0).
    if (terms.monthlyRate == 0.0L) {
        terms.zeroRate = true;
        return terms;
    }
    const SixByteReal h = store((terms.count * kMonthsToYears) * -2.0L);
    terms.denominator = 1.0L - CappedPower(b, h).value();
    return terms;
}

SixByteReal CanadianPayment(SixByteReal principal, const CanadianPaymentTerms &terms)
{
    if (terms.zeroRate)
        return store(divide(principal.value(), terms.count));
    return store(divide(principal.value() * terms.monthlyRate, terms.denominator));
}

SixByteReal CalcCanadianPayment(SixByteReal principal, SixByteReal annualRate,
                                std::int32_t paymentCount)
{
    return CanadianPayment(principal, CanadianTerms(annualRate, paymentCount));
}
