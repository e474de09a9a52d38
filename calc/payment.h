#pragma once

#include "sixbytereal.h"

#include <cstdint>

// x raised to y for x >= 0, through e^(y ln x) with the exponent capped at 88 and every
// intermediate stored. A negative x raises EInvalidOp.
SixByteReal CappedPower(SixByteReal x, SixByteReal y);

// What a payment needs of the rate and the payment count: the monthly rate i and the
// denominator 1 - b^h. A chart computes them once per rate column.
struct CanadianPaymentTerms
{
    bool zeroRate = false; // the payment is principal / payment count
    Extended count = 0;
    Extended monthlyRate = 0;
    Extended denominator = 0;
};

// The steps of the payment that do not depend on the principal; raises the same math errors.
CanadianPaymentTerms CanadianTerms(SixByteReal annualRate, std::int32_t paymentCount);

// The steps that do: exactly CalcCanadianPayment(principal, annualRate, paymentCount) for the
// terms of that rate and count.
SixByteReal CanadianPayment(SixByteReal principal, const CanadianPaymentTerms &terms);

// The monthly payment of a loan whose nominal annual rate (in percent) is compounded twice a
// year, unrounded. Raises EInvalidOp, EZeroDivide or EOverflow; nothing else.
SixByteReal CalcCanadianPayment(SixByteReal principal, SixByteReal annualRate,
                                std::int32_t paymentCount);
