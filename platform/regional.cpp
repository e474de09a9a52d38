#include "regional.h"

#include <QString>

#include <clocale>

const RegionalSettings &UserRegionalSettings()
{
    static const RegionalSettings settings = [] {
        // QCoreApplication calls setlocale(LC_ALL, "") on start; without it the process is
        // still in the C locale, so ask for the environment's locale for the categories read.
        std::setlocale(LC_MONETARY, "");
        std::setlocale(LC_NUMERIC, "");
        RegionalSettings s = CurrentRegionalSettings();
        // Number texts are parsed and written by our own code; keep the C library's own
        // conversions (strtod, printf) in the C locale.
        std::setlocale(LC_NUMERIC, "C");
        return s;
    }();
    return settings;
}

QChar UserDecimalSeparator()
{
    const QString separator = QString::fromStdString(UserRegionalSettings().decimalSeparator);
    return separator.size() == 1 ? separator.front() : QLatin1Char('.');
}
