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
        return CurrentRegionalSettings();
    }();
    return settings;
}

QChar UserDecimalSeparator()
{
    const QString separator = QString::fromStdString(UserRegionalSettings().decimalSeparator);
    return separator.size() == 1 ? separator.front() : QLatin1Char('.');
}
