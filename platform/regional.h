#pragma once

#include "regionalsettings.h"

#include <QChar>

// The user's regional settings, read once from the C library's locale (LC_MONETARY and
// LC_NUMERIC as the environment sets them). QLocale is not used: it ignores the currency
// layout the C library reports and disagrees with it.
const RegionalSettings &UserRegionalSettings();

// The decimal separator of the user's locale, shared by the entry fields and the chart's
// number formats; "." when the locale gives none.
QChar UserDecimalSeparator();
