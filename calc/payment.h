#pragma once

#include "sixbytereal.h"

#include <cstdint>

// x raised to y for x >= 0, through e^(y ln x) with the exponent capped at 88 and every
// intermediate stored. A negative x raises EInvalidOp.
SixByteReal CappedPower(SixByteReal x, SixByteReal y);

// The monthly payment of a loan whose nominal annual rate (in percent) is compounded twice a
// year, unrounded. Raises EInvalidOp, EZeroDivide or EOverflow; nothing else.
SixByteReal CalcCanadianPayment(SixByteReal principal, SixByteReal annualRate,
                                std::int32_t paymentCount);
