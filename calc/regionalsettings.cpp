#include "regionalsettings.h"

#include <climits>
#include <clocale>

namespace {

bool offered(int field) { return field != CHAR_MAX && field >= 0; }

int positivePattern(bool symbolFirst, bool space)
{
    if (symbolFirst)
        return space ? 2 : 0;
    return space ? 3 : 1;
}

// The C library's sign positions: 0 parentheses, 1 sign before quantity and symbol, 2 sign
// after them, 3 sign right before the symbol, 4 sign right after the symbol.
int negativePattern(bool symbolFirst, bool space, int signPosition)
{
    if (symbolFirst) {
        switch (signPosition) {
        case 0: return space ? 14 : 0;  // ($ n)  ($n)
        case 1:
        case 3: return space ? 9 : 1;   // -$ n   -$n
        case 2: return space ? 11 : 3;  // $ n-   $n-
        case 4: return space ? 12 : 2;  // $ -n   $-n
        }
    } else {
        switch (signPosition) {
        case 0: return space ? 15 : 4;  // (n $)  (n$)
        case 1: return space ? 8 : 5;   // -n $   -n$
        case 3: return space ? 13 : 6;  // n- $   n-$
        case 2:
        case 4: return space ? 10 : 7;  // n $-   n$-
        }
    }
    return 0;
}

} // namespace

RegionalSettings RegionalSettingsFromConventions(const LocaleConventions &c)
{
    RegionalSettings settings;
    if (!c.currencySymbol.empty())
        settings.currencySymbol = c.currencySymbol;
    if (offered(c.pCsPrecedes) && offered(c.pSepBySpace))
        settings.positiveCurrencyPattern = positivePattern(c.pCsPrecedes != 0, c.pSepBySpace != 0);
    if (offered(c.nCsPrecedes) && offered(c.nSepBySpace) && offered(c.nSignPosn))
        settings.negativeCurrencyPattern =
            negativePattern(c.nCsPrecedes != 0, c.nSepBySpace != 0, c.nSignPosn);
    if (!c.monThousandsSep.empty())
        settings.thousandsSeparator = c.monThousandsSep;
    else if (!c.thousandsSep.empty())
        settings.thousandsSeparator = c.thousandsSep;
    if (!c.decimalPoint.empty())
        settings.decimalSeparator = c.decimalPoint;
    return settings;
}

RegionalSettings CurrentRegionalSettings()
{
    const std::lconv *lc = std::localeconv();
    LocaleConventions c{
        lc->currency_symbol ? lc->currency_symbol : "",
        lc->mon_thousands_sep ? lc->mon_thousands_sep : "",
        lc->thousands_sep ? lc->thousands_sep : "",
        lc->decimal_point ? lc->decimal_point : "",
        lc->p_cs_precedes,
        lc->p_sep_by_space,
        lc->n_cs_precedes,
        lc->n_sep_by_space,
        lc->n_sign_posn,
    };
    return RegionalSettingsFromConventions(c);
}
