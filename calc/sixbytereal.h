#pragma once

#include <array>
#include <cfloat>
#include <cstdint>

static_assert(LDBL_MANT_DIG == 64, "the calculation needs the 80-bit x87 extended format");

// Extended precision: the x87 80-bit format, in which all intermediate arithmetic is done.
using Extended = long double;

// The 6-byte real format in which the calculation holds every amount, rate and payment:
// exponent byte (bias 129, 0 means zero), 39-bit fraction, sign bit; a 40-bit significand.
// The value is kept as the extended number it stands for, which is exact.
class SixByteReal
{
public:
    constexpr SixByteReal() = default;

    // Rounds x half away from zero to 40 significant bits. A rounded magnitude below 2^-128
    // becomes zero; one of 2^127 or more raises EOverflow. NaN raises EInvalidOp.
    static SixByteReal store(Extended x);

    // Decodes the 6-byte encoding, byte 0 first.
    static SixByteReal fromBytes(const std::array<std::uint8_t, 6> &bytes);
    std::array<std::uint8_t, 6> toBytes() const;

    constexpr Extended value() const { return m_value; }
    constexpr operator Extended() const { return m_value; }

    static constexpr Extended smallest() { return 0x1p-128L; }
    static constexpr Extended largest() { return (2.0L - 0x1p-39L) * 0x1p126L; }

private:
    constexpr explicit SixByteReal(Extended v) : m_value(v) {}
    Extended m_value = 0.0L;
};

// Shorthand for the store step.
inline SixByteReal store(Extended x) { return SixByteReal::store(x); }
