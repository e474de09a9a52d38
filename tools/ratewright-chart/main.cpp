// ratewright-chart: the payment chart on the command line, for scripting and checking.

#include "chartformats.h"
#include "matherrors.h"
#include "numbertext.h"
#include "payment.h"
#include "paymentchart.h"
#include "regionalsettings.h"

#include <clocale>
#include <cstdio>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr const char *kUsage = R"(Usage:
  ratewright-chart [OPTIONS] payment PRINCIPAL RATE COUNT
  ratewright-chart [OPTIONS] chart LOAN YEARS RATE LOAN_STEP RATE_STEP
  ratewright-chart [OPTIONS] format VALUE

Commands:
  payment  The monthly payment of PRINCIPAL at the nominal annual RATE (percent, compounded
           twice a year) over COUNT monthly payments: the stored payment with 15 significant
           digits, a tab, and its six bytes in hex, byte 0 first.
  chart    The 12 rows of the payment chart, 8 tab-separated cells a row, exactly as the
           window's grid holds them. LOAN_STEP and RATE_STEP are item indices 0-8:
             loan steps  100 250 500 1000 2000 2500 3000 4000 5000
             rate steps  .10 .125 .20 .25 .333 .375 .5 .75 1.0
           YEARS of zero or less becomes 25 (with a message on stderr); YEARS that is no
           whole number, or too large for a 32-bit payment count, is a conversion error.
  format   VALUE in the general format with 5 and with 15 digits, and in the currency
           format, tab-separated.

Numbers use "." as the decimal separator and are read as an entry field reads them: to the
nearest double, then stored as a six-byte real where the calculation holds them.

Regional settings come from the locale (LC_MONETARY, LC_NUMERIC); the C locale gives "$",
positive pattern 0, negative pattern 0, "," and ".". Options override them:
  --currency S            currency symbol
  --positive-pattern N    0-3:  $n, n$, $ n, n $
  --negative-pattern N    0-15: ($n), -$n, $-n, $n-, (n$), -n$, n-$, n$-, -n $, -$ n,
                                n $-, $ n-, $ -n, n- $, ($ n), (n $)
  --thousands C           thousands separator
  --decimal C             decimal separator
  --help                  this text

Exit status: 0 success; 2 a bad argument or a conversion error (a message on stderr);
3 a math error (its class name, EInvalidOp, EZeroDivide or EOverflow, on stderr).
)";

// A bad command line: exit 2.
struct UsageError : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

int intArgument(const std::string &text, int low, int high, const char *what)
{
    std::int32_t value = 0;
    try {
        value = TextToInt32(text);
    } catch (const EConvertError &) {
        throw UsageError(std::string(what) + " must be a whole number: '" + text + "'");
    }
    if (value < low || value > high)
        throw UsageError(std::string(what) + " must be from " + std::to_string(low) + " to " +
                         std::to_string(high) + ": '" + text + "'");
    return value;
}

double numberArgument(const std::string &text) { return TextToFloat(text, "."); }

void printPayment(const std::vector<std::string> &args, const RegionalSettings &settings)
{
    if (args.size() != 3)
        throw UsageError("payment takes PRINCIPAL RATE COUNT");
    const SixByteReal principal = store(numberArgument(args[0]));
    const SixByteReal rate = store(numberArgument(args[1]));
    const std::int32_t count = TextToInt32(args[2]);
    const SixByteReal payment = CalcCanadianPayment(principal, rate, count);

    std::string line = FormatGeneral(payment, 15, settings) + '\t';
    char hex[4];
    bool first = true;
    for (const std::uint8_t byte : payment.toBytes()) {
        std::snprintf(hex, sizeof hex, "%02X", byte);
        if (!first)
            line += ' ';
        line += hex;
        first = false;
    }
    std::cout << line << '\n';
}

void printChart(const std::vector<std::string> &args, const RegionalSettings &settings)
{
    if (args.size() != 5)
        throw UsageError("chart takes LOAN YEARS RATE LOAN_STEP RATE_STEP");
    const int loanStep = intArgument(args[3], 0, kIncrementCount - 1, "LOAN_STEP");
    const int rateStep = intArgument(args[4], 0, kIncrementCount - 1, "RATE_STEP");

    // The same order as the window's recalculation: loan, term (with its fallback), rate.
    ChartInputs inputs;
    inputs.loanAmount = store(numberArgument(args[0]));
    std::int32_t years = TermYears(numberArgument(args[1]));
    if (years <= 0) {
        years = kFallbackYears;
        std::cerr << "The number of years must be greater than 0.\n";
    }
    inputs.paymentCount = 12 * years;
    inputs.rate = store(numberArgument(args[2]));
    inputs.loanIncrement = LoanIncrements(loanStep);
    inputs.rateIncrement = RateIncrements(rateStep);

    ChartTable table;
    table.setCell(0, 0, " Amount/Rate");
    ComputePaymentChart(inputs, settings, table);
    for (int row = 0; row < kChartRows; ++row) {
        std::string line;
        for (int column = 0; column < kChartColumns; ++column) {
            if (column > 0)
                line += '\t';
            line += table.cell(column, row);
        }
        std::cout << line << '\n';
    }
}

void printFormats(const std::vector<std::string> &args, const RegionalSettings &settings)
{
    if (args.size() != 1)
        throw UsageError("format takes VALUE");
    const Extended value = numberArgument(args[0]);
    std::cout << FormatGeneral(value, 5, settings) << '\t' << FormatGeneral(value, 15, settings)
              << '\t' << FormatCurrency(value, settings) << '\n';
}

int run(int argc, char **argv)
{
    std::setlocale(LC_ALL, "");
    RegionalSettings settings = CurrentRegionalSettings();

    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg.rfind("--", 0) == 0 && arg.size() > 2 && !(arg[2] >= '0' && arg[2] <= '9')) {
            if (i + 1 >= argc)
                throw UsageError(arg + " needs a value");
            const std::string value = argv[++i];
            if (arg == "--currency")
                settings.currencySymbol = value;
            else if (arg == "--positive-pattern")
                settings.positiveCurrencyPattern = intArgument(value, 0, 3, "--positive-pattern");
            else if (arg == "--negative-pattern")
                settings.negativeCurrencyPattern = intArgument(value, 0, 15, "--negative-pattern");
            else if (arg == "--thousands")
                settings.thousandsSeparator = value;
            else if (arg == "--decimal")
                settings.decimalSeparator = value;
            else
                throw UsageError("unknown option " + arg);
            continue;
        }
        words.push_back(arg);
    }
    if (words.empty())
        throw UsageError("no command given");

    const std::string command = words.front();
    words.erase(words.begin());
    if (command == "payment")
        printPayment(words, settings);
    else if (command == "chart")
        printChart(words, settings);
    else if (command == "format")
        printFormats(words, settings);
    else
        throw UsageError("unknown command " + command);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    try {
        return run(argc, argv);
    } catch (const EMathError &e) {
        std::cerr << e.className() << '\n';
        return 3;
    } catch (const EConvertError &e) {
        std::cerr << "ratewright-chart: " << e.what() << '\n';
        return 2;
    } catch (const UsageError &e) {
        std::cerr << "ratewright-chart: " << e.what() << "\nTry 'ratewright-chart --help'.\n";
        return 2;
    }
}
