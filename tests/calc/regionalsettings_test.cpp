#include "chartformats.h"
#include "regionalsettings.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>

namespace {

LocaleConventions conventions(const char *symbol, int pPrecedes, int pSpace, int nPrecedes,
                              int nSpace, int signPosition)
{
    return {symbol, ",", ",", ".", pPrecedes, pSpace, nPrecedes, nSpace, signPosition};
}

} // namespace

TEST(RegionalSettings, TheCLocaleOffersNothing)
{
    const LocaleConventions c{"", "", "", ".", CHAR_MAX, CHAR_MAX, CHAR_MAX, CHAR_MAX, CHAR_MAX};
    EXPECT_EQ(RegionalSettingsFromConventions(c), RegionalSettings{});
    ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
    EXPECT_EQ(CurrentRegionalSettings(), RegionalSettings{});
}

TEST(RegionalSettings, PatternsFromTheLocaleLayout)
{
    struct Case
    {
        LocaleConventions c;
        int positive, negative;
    };
    const Case cases[] = {
        {conventions("$", 1, 0, 1, 0, 1), 0, 1},  // en_US: -$4,000.00
        {conventions("$", 1, 0, 1, 0, 0), 0, 0},  // ($4,000.00)
        {conventions("$", 0, 1, 0, 1, 0), 3, 15}, // fr_CA: (4 000,00 $)
        {conventions("€", 0, 1, 0, 1, 1), 3, 8},  // de_DE: -4.000,00 €
        {conventions("$", 1, 1, 1, 1, 4), 2, 12}, // $ -n
        {conventions("$", 0, 0, 0, 0, 3), 1, 6},  // n-$
        {conventions("$", 1, 0, 1, 0, 2), 0, 3},  // $n-
    };
    for (const Case &k : cases) {
        const RegionalSettings s = RegionalSettingsFromConventions(k.c);
        EXPECT_EQ(s.positiveCurrencyPattern, k.positive);
        EXPECT_EQ(s.negativeCurrencyPattern, k.negative);
        EXPECT_EQ(s.currencySymbol, k.c.currencySymbol);
    }
}

TEST(RegionalSettings, InstalledLocales)
{
    struct Case
    {
        const char *locale;
        const char *minus4000;
    };
    const Case cases[] = {
        {"en_US.UTF-8", "-$4,000.00"},
        {"en_CA.UTF-8", "-$4,000.00"},
        {"fr_CA.UTF-8", "(4\u202f000,00 $)"},
        {"de_DE.UTF-8", "-4.000,00 €"},
    };
    int tried = 0;
    for (const Case &c : cases) {
        if (!std::setlocale(LC_ALL, c.locale))
            continue; // not generated on this machine
        ++tried;
        EXPECT_EQ(FormatCurrency(-4000, CurrentRegionalSettings()), c.minus4000) << c.locale;
    }
    std::setlocale(LC_ALL, "C");
    if (tried == 0)
        GTEST_SKIP() << "no test locales installed";
}
