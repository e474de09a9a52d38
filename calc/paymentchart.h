#pragma once

#include "regionalsettings.h"
#include "sixbytereal.h"

#include <array>
#include <cstdint>
#include <string>

inline constexpr int kChartColumns = 8;
inline constexpr int kChartRows = 12;
inline constexpr int kCentreColumn = 4;
inline constexpr int kCentreRow = 6;

// Where the chart writes its texts: 8 columns by 12 rows, addressed (column, row) from 0.
class IChartTable
{
public:
    virtual ~IChartTable() = default;
    virtual void setCell(int column, int row, const std::string &text) = 0;
};

// A plain 8 x 12 table of texts.
class ChartTable : public IChartTable
{
public:
    void setCell(int column, int row, const std::string &text) override;
    const std::string &cell(int column, int row) const;

private:
    std::array<std::array<std::string, kChartRows>, kChartColumns> m_cells;
};

// The steps offered by the two radio groups, by item index 0 to 8.
inline constexpr int kIncrementCount = 9;
SixByteReal LoanIncrements(int index);
SixByteReal RateIncrements(int index);

struct ChartInputs
{
    SixByteReal loanAmount;
    std::int32_t paymentCount = 0;
    SixByteReal rate;
    SixByteReal loanIncrement;
    SixByteReal rateIncrement;
};

// store(centre + increment x offset), offset -5..5 for rows, -3..3 for columns.
SixByteReal ChartStep(SixByteReal centre, SixByteReal increment, int offset);

// Writes the rate headings, the amounts and then the 77 payments column by column into
// `table`, each cell as soon as its text is known. The first math error ends the run and goes
// to the caller; cells written before it keep their new texts. Cell (0, 0) is never written.
void ComputePaymentChart(const ChartInputs &inputs, const RegionalSettings &settings,
                         IChartTable &table);

// The number of years of a term field's value: the value in the general format with 15 digits
// must read as a whole number. Raises EConvertError otherwise, and for terms whose payment
// count (12 per year) leaves the 32-bit range.
std::int32_t TermYears(double termValue);

inline constexpr std::int32_t kFallbackYears = 25;
