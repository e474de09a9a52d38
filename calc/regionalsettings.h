#pragma once

#include <string>

// The user's regional settings that the number texts follow. Separators are UTF-8 texts of
// one character each (some locales group digits with a narrow no-break space).
struct RegionalSettings
{
    std::string currencySymbol = "$";
    int positiveCurrencyPattern = 0; // 0..3:  $n, n$, $ n, n $
    int negativeCurrencyPattern = 0; // 0..15: ($n), -$n, $-n, $n-, (n$), -n$, n-$, n$-, -n $,
                                     //        -$ n, n $-, $ n-, $ -n, n- $, ($ n), (n $)
    std::string thousandsSeparator = ",";
    std::string decimalSeparator = ".";

    bool operator==(const RegionalSettings &) const = default;
};

// The fields of the C library's locale conventions that the settings are made from, so that
// the mapping can be tested without installing locales. Char fields hold CHAR_MAX when the
// locale offers no value; text fields are empty.
struct LocaleConventions
{
    std::string currencySymbol;
    std::string monThousandsSep;
    std::string thousandsSep;
    std::string decimalPoint;
    int pCsPrecedes;
    int pSepBySpace;
    int nCsPrecedes;
    int nSepBySpace;
    int nSignPosn;
};

// Maps locale conventions to regional settings; whatever the locale does not offer takes the
// values the window was laid out for ("$", patterns 0, "," and ".").
RegionalSettings RegionalSettingsFromConventions(const LocaleConventions &conventions);

// Reads the conventions of the current C locale (LC_MONETARY and LC_NUMERIC, as set by
// setlocale) and maps them.
RegionalSettings CurrentRegionalSettings();
