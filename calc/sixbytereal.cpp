#include "sixbytereal.h"

#include "matherrors.h"

#include <cmath>

SixByteReal SixByteReal::store(Extended x)
{
    if (std::isnan(x))
        throw EInvalidOp();
    if (x == 0.0L)
        return SixByteReal();
    if (std::isinf(x))
        throw EOverflow();

    const bool negative = std::signbit(x);
    int exponent = 0;
    // |x| = fraction * 2^exponent with fraction in [0.5, 1): its 64 bits as an integer.
    const Extended fraction = std::frexp(std::fabs(x), &exponent);
    std::uint64_t significand = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
    // Keep 40 bits; the first dropped bit decides, so ties move away from zero.
    std::uint64_t kept = significand >> 24;
    if (significand & (std::uint64_t{1} << 23))
        ++kept;
    if (kept == (std::uint64_t{1} << 40)) {
        kept >>= 1;
        ++exponent;
    }
    // The stored magnitude is kept * 2^(exponent - 40), with kept in [2^39, 2^40).
    const int binaryExponent = exponent - 1; // magnitude in [2^binaryExponent, 2^(binaryExponent+1))
    if (binaryExponent < -128)
        return SixByteReal();
    if (binaryExponent >= 127)
        throw EOverflow();
    const Extended magnitude = std::ldexp(static_cast<Extended>(kept), exponent - 40);
    return SixByteReal(negative ? -magnitude : magnitude);
}

SixByteReal SixByteReal::fromBytes(const std::array<std::uint8_t, 6> &bytes)
{
    if (bytes[0] == 0)
        return SixByteReal();
    std::uint64_t fraction = std::uint64_t{bytes[5] & 0x7Fu} << 32;
    for (int i = 4; i >= 1; --i)
        fraction |= std::uint64_t{bytes[i]} << (8 * (i - 1));
    const std::uint64_t significand = fraction | (std::uint64_t{1} << 39);
    const Extended magnitude =
        std::ldexp(static_cast<Extended>(significand), int{bytes[0]} - 129 - 39);
    return SixByteReal((bytes[5] & 0x80u) ? -magnitude : magnitude);
}

std::array<std::uint8_t, 6> SixByteReal::toBytes() const
{
    std::array<std::uint8_t, 6> bytes{};
    if (m_value == 0.0L)
        return bytes;
    int exponent = 0;
    const Extended fraction = std::frexp(std::fabs(m_value), &exponent);
    const std::uint64_t significand = static_cast<std::uint64_t>(std::ldexp(fraction, 40));
    bytes[0] = static_cast<std::uint8_t>(exponent - 1 + 129);
    for (int i = 1; i <= 4; ++i)
        bytes[i] = static_cast<std::uint8_t>(significand >> (8 * (i - 1)));
    bytes[5] = static_cast<std::uint8_t>((significand >> 32) & 0x7Fu);
    if (std::signbit(m_value))
        bytes[5] |= 0x80u;
    return bytes;
}
