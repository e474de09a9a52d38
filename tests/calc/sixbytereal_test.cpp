#include "matherrors.h"
#include "sixbytereal.h"

#include <gtest/gtest.h>

#include <cmath>

using Bytes = std::array<std::uint8_t, 6>;

TEST(SixByteReal, DecodesAndEncodesTheDocumentedConstants)
{
    struct Case
    {
        Bytes bytes;
        long double value;
    };
    const Case cases[] = {
        {{0x81, 0, 0, 0, 0, 0}, 1.0L},
        {{0x80, 0, 0, 0, 0, 0x40}, 0.75L},
        {{0x7E, 0, 0, 0, 0, 0}, 0.125L},
        {{0x81, 0, 0, 0, 0, 0x80}, -1.0L},
        {{0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C}, 0.1L + 0x1p-43L * 0.2L}, // checked below
    };
    for (const Case &c : cases) {
        const SixByteReal r = SixByteReal::fromBytes(c.bytes);
        EXPECT_EQ(r.toBytes(), c.bytes);
        if (c.bytes[1] == 0) {
            EXPECT_EQ(r.value(), c.value);
        }
    }
    // 0.1 is held slightly above its decimal value, 1/6 likewise.
    EXPECT_NEAR(static_cast<double>(SixByteReal::fromBytes({0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C})),
                0.10000000000002274, 1e-17);
    EXPECT_NEAR(static_cast<double>(SixByteReal::fromBytes({0x7E, 0xAB, 0xAA, 0xAA, 0xAA, 0x2A})),
                0.16666666666674246, 1e-17);
    EXPECT_EQ(SixByteReal::fromBytes({0, 1, 2, 3, 4, 5}).value(), 0.0L);
}

TEST(SixByteReal, StoreRoundsHalfAwayFromZeroToFortyBits)
{
    const long double ulp = 0x1p-39L; // of numbers in [1, 2)
    EXPECT_EQ(store(1.0L + ulp / 2).value(), 1.0L + ulp);   // a tie moves away from zero
    EXPECT_EQ(store(-1.0L - ulp / 2).value(), -1.0L - ulp); // for negatives too
    EXPECT_EQ(store(1.0L + ulp * 2.5L).value(), 1.0L + ulp * 3); // not to even
    EXPECT_EQ(store(1.0L + ulp / 2 - 0x1p-63L).value(), 1.0L); // just below the tie
    EXPECT_EQ(store(2.0L - ulp / 2).value(), 2.0L);            // carry into the exponent
    EXPECT_EQ(store(1.0L / 3).toBytes(), (Bytes{0x7F, 0xAB, 0xAA, 0xAA, 0xAA, 0x2A}));
}

TEST(SixByteReal, StoreRangeLimits)
{
    EXPECT_EQ(store(0x1p-128L).value(), 0x1p-128L);
    EXPECT_EQ(store(0x1p-129L).value(), 0.0L);         // below the smallest: zero, silently
    EXPECT_EQ(store(0x1p-128L * (1 - 0x1p-41L)).value(), 0x1p-128L); // rounds up into range
    EXPECT_EQ(store(SixByteReal::largest()).value(), SixByteReal::largest());
    EXPECT_EQ(SixByteReal::fromBytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}).value(),
              SixByteReal::largest());
    EXPECT_THROW(store(0x1p127L), EOverflow);
    EXPECT_THROW(store(-0x1p127L), EOverflow);
    EXPECT_THROW(store(SixByteReal::largest() + 0x1p86L), EOverflow); // rounds up to 2^127
    EXPECT_THROW(store(NAN), EInvalidOp);
    EXPECT_THROW(store(INFINITY), EOverflow);
}
