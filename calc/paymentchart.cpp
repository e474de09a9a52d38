#include "paymentchart.h"

#include "chartformats.h"
#include "matherrors.h"
#include "numbertext.h"
#include "payment.h"

#include <cassert>
#include <limits>

void ChartTable::setCell(int column, int row, const std::string &text)
{
    m_cells.at(static_cast<std::size_t>(column)).at(static_cast<std::size_t>(row)) = text;
}

const std::string &ChartTable::cell(int column, int row) const
{
    return m_cells.at(static_cast<std::size_t>(column)).at(static_cast<std::size_t>(row));
}

SixByteReal LoanIncrements(int index)
{
    // Held as texts and converted when used; every one is exact.
    static constexpr const char *kTexts[kIncrementCount] = {"100",  "250",  "500",  "1000", "2000",
                                                            "2500", "3000", "4000", "5000"};
    return store(TextToFloat(kTexts[index], "."));
}

SixByteReal RateIncrements(int index)
{
    // The stored values, slightly above 0.1, 0.2 and 0.333.
    static const std::array<std::array<std::uint8_t, 6>, kIncrementCount> kBytes = {{
        {0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C}, // 0.1
        {0x7E, 0x00, 0x00, 0x00, 0x00, 0x00}, // 0.125
        {0x7E, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C}, // 0.2
        {0x7F, 0x00, 0x00, 0x00, 0x00, 0x00}, // 0.25
        {0x7F, 0x23, 0xDB, 0xF9, 0x7E, 0x2A}, // 0.333
        {0x7F, 0x00, 0x00, 0x00, 0x00, 0x40}, // 0.375
        {0x80, 0x00, 0x00, 0x00, 0x00, 0x00}, // 0.5
        {0x80, 0x00, 0x00, 0x00, 0x00, 0x40}, // 0.75
        {0x81, 0x00, 0x00, 0x00, 0x00, 0x00}, // 1.0
    }};
    return SixByteReal::fromBytes(kBytes.at(static_cast<std::size_t>(index)));
}

SixByteReal ChartStep(SixByteReal centre, SixByteReal increment, int offset)
{
    if (offset == 0)
        return centre;
    const Extended step = increment.value() * static_cast<Extended>(offset < 0 ? -offset : offset);
    return store(offset < 0 ? centre.value() - step : centre.value() + step);
}

void ComputePaymentChart(const ChartInputs &in, const RegionalSettings &settings,
                         IChartTable &table)
{
    std::array<SixByteReal, kChartColumns> rates{};
    for (int c = 1; c < kChartColumns; ++c)
        rates[static_cast<std::size_t>(c)] = ChartStep(in.rate, in.rateIncrement, c - kCentreColumn);
    std::array<SixByteReal, kChartRows> amounts{};
    for (int r = 1; r < kChartRows; ++r)
        amounts[static_cast<std::size_t>(r)] = ChartStep(in.loanAmount, in.loanIncrement, r - kCentreRow);

    for (int c = 1; c < kChartColumns; ++c)
        table.setCell(c, 0, "  " + FormatGeneral(rates[static_cast<std::size_t>(c)], 5, settings) + "%");
    for (int r = 1; r < kChartRows; ++r)
        table.setCell(0, r, " " + FormatCurrency(amounts[static_cast<std::size_t>(r)], settings));
    for (int c = 1; c < kChartColumns; ++c) {
        // The rate's part of the payment is the same for every row of the column; it raises
        // its errors where the column's first payment would.
        const CanadianPaymentTerms terms =
            CanadianTerms(rates[static_cast<std::size_t>(c)], in.paymentCount);
        for (int r = 1; r < kChartRows; ++r) {
            const SixByteReal payment = CanadianPayment(amounts[static_cast<std::size_t>(r)], terms);
            table.setCell(c, r, " " + FormatCurrency(payment, settings));
        }
    }
}

std::int32_t TermYears(double termValue)
{
    const std::int32_t years = TextToInt32(FormatGeneral(termValue, 15, RegionalSettings{}));
    constexpr std::int32_t kMaxYears = std::numeric_limits<std::int32_t>::max() / 12;
    if (years > kMaxYears)
        throw EConvertError("'" + std::to_string(years) + "' years is too long a term");
    return years;
}
