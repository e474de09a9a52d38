#include "matherrors.h"
#include "paymentchart.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// The cells of a chart without their leading blanks, row by row, "|"-separated.
std::string rowText(const ChartTable &t, int row)
{
    std::string text;
    for (int c = 0; c < kChartColumns; ++c) {
        std::string cell = t.cell(c, row);
        cell.erase(0, cell.find_first_not_of(' ') == std::string::npos ? cell.size()
                                                                      : cell.find_first_not_of(' '));
        text += (c ? "|" : "") + cell;
    }
    return text;
}

ChartTable compute(double loan, std::int32_t count, double rate, int loanStep, int rateStep)
{
    ChartTable t;
    ComputePaymentChart({store(loan), count, store(rate), LoanIncrements(loanStep),
                         RateIncrements(rateStep)},
                        RegionalSettings{}, t);
    return t;
}

// Records the order of the writes.
class RecordingTable : public ChartTable
{
public:
    void setCell(int column, int row, const std::string &text) override
    {
        order.emplace_back(column, row);
        ChartTable::setCell(column, row, text);
    }
    std::vector<std::pair<int, int>> order;
};

} // namespace

TEST(PaymentChart, DefaultChart)
{
    const char *expected[kChartRows] = {
        "|8%|8.25%|8.5%|8.75%|9%|9.25%|9.5%",
        "$95,000.00|$725.05|$740.27|$755.60|$771.03|$786.58|$802.23|$817.98",
        "$96,000.00|$732.68|$748.06|$763.55|$779.15|$794.86|$810.67|$826.59",
        "$97,000.00|$740.32|$755.85|$771.50|$787.27|$803.14|$819.12|$835.20",
        "$98,000.00|$747.95|$763.64|$779.46|$795.38|$811.42|$827.56|$843.81",
        "$99,000.00|$755.58|$771.44|$787.41|$803.50|$819.70|$836.01|$852.42",
        "$100,000.00|$763.21|$779.23|$795.36|$811.61|$827.98|$844.45|$861.03",
        "$101,000.00|$770.85|$787.02|$803.32|$819.73|$836.26|$852.89|$869.64",
        "$102,000.00|$778.48|$794.81|$811.27|$827.85|$844.54|$861.34|$878.25",
        "$103,000.00|$786.11|$802.61|$819.22|$835.96|$852.82|$869.78|$886.86",
        "$104,000.00|$793.74|$810.40|$827.18|$844.08|$861.10|$878.23|$895.47",
        "$105,000.00|$801.37|$818.19|$835.13|$852.19|$869.38|$886.67|$904.08",
    };
    const ChartTable t = compute(100000, 300, 8.75, 3, 3);
    for (int r = 0; r < kChartRows; ++r)
        EXPECT_EQ(rowText(t, r), expected[r]) << "row " << r;
    // The leading blanks: two before a heading, one before amounts and payments.
    EXPECT_EQ(t.cell(4, 0), "  8.75%");
    EXPECT_EQ(t.cell(0, 6), " $100,000.00");
    EXPECT_EQ(t.cell(4, 6), " $811.61");
    EXPECT_EQ(t.cell(0, 0), "");
}

TEST(PaymentChart, WritesHeadingsThenAmountsThenPaymentsColumnByColumn)
{
    RecordingTable t;
    ComputePaymentChart({store(100000.0), 300, store(8.75), LoanIncrements(3), RateIncrements(3)},
                        RegionalSettings{}, t);
    ASSERT_EQ(t.order.size(), 7u + 11u + 77u);
    std::vector<std::pair<int, int>> expected;
    for (int c = 1; c <= 7; ++c)
        expected.emplace_back(c, 0);
    for (int r = 1; r <= 11; ++r)
        expected.emplace_back(0, r);
    for (int c = 1; c <= 7; ++c)
        for (int r = 1; r <= 11; ++r)
            expected.emplace_back(c, r);
    EXPECT_EQ(t.order, expected);
}

TEST(PaymentChart, ZeroAndNegativeRates)
{
    const ChartTable t = compute(100000, 300, 0.25, 3, 3);
    EXPECT_EQ(rowText(t, 0), "|-0.5%|-0.25%|0%|0.25%|0.5%|0.75%|1%");
    EXPECT_EQ(t.cell(3, 6), " $333.33");
    EXPECT_EQ(t.cell(1, 6), " $312.84");
    EXPECT_EQ(t.cell(2, 6), " $322.99");
}

TEST(PaymentChart, NegativeAndZeroAmounts)
{
    const ChartTable t = compute(1000, 300, 8.75, 3, 3);
    EXPECT_EQ(t.cell(0, 1), " ($4,000.00)");
    EXPECT_EQ(t.cell(0, 4), " ($1,000.00)");
    EXPECT_EQ(t.cell(4, 1), " ($32.46)");
    for (int c = 1; c <= 7; ++c)
        EXPECT_EQ(t.cell(c, 5), " $0.00") << c;
}

TEST(PaymentChart, RateResiduesOfTheStoredIncrements)
{
    // 0.333 - 3 x 0.333 in column 1 cancels exactly; 0.666 - 2 x 0.333 in column 2 too.
    ChartTable t = compute(100000, 300, 0.333, 3, 4);
    EXPECT_EQ(t.cell(3, 0), "  0%");
    EXPECT_EQ(t.cell(3, 6), " $333.33");
    t = compute(100000, 300, 0.666, 3, 4);
    EXPECT_EQ(t.cell(2, 0), "  0%");

    // Rates that leave a residue of about 1e-13 % pay the zero-rate payment.
    t = compute(100000, 300, 0.3, 3, 0);
    EXPECT_EQ(t.cell(1, 0), "  1.1369E-13%");
    EXPECT_EQ(t.cell(1, 6), " $333.33");
    EXPECT_EQ(t.cell(2, 6), compute(100000, 300, 0.1, 3, 0).cell(4, 6));
    t = compute(100000, 300, 0.999, 3, 4);
    EXPECT_EQ(t.cell(1, 0).substr(0, 4), "  -4");
    EXPECT_NE(t.cell(1, 0).find("E-13%"), std::string::npos);
    EXPECT_EQ(t.cell(1, 6), " $333.33");
}

TEST(PaymentChart, LargeLoanAmounts)
{
    const ChartTable t = compute(12345678901.23, 300, 8.75, 3, 3);
    EXPECT_EQ(t.cell(0, 6), " 1.23456789E10");
    EXPECT_EQ(t.cell(4, 6), " $100,199,283.20");
}

TEST(PaymentChart, AMathErrorLeavesTheLaterCellsAsTheyWere)
{
    ChartTable t = compute(100000, 300, 8.75, 3, 3);
    // Rate -199 with step 1: columns 1 and 2 hold -202 and -201, below -200.
    EXPECT_THROW(ComputePaymentChart({store(100000.0), 300, store(-199.0), LoanIncrements(3),
                                      RateIncrements(8)},
                                     RegionalSettings{}, t),
                 EInvalidOp);
    EXPECT_EQ(t.cell(1, 0), "  -202%");    // headings of the failed run are written
    EXPECT_EQ(t.cell(1, 1), " $725.05");   // the failing payment cell kept its text
    EXPECT_EQ(t.cell(4, 6), " $811.61");
}

TEST(PaymentChart, IncrementTables)
{
    const double loans[] = {100, 250, 500, 1000, 2000, 2500, 3000, 4000, 5000};
    for (int i = 0; i < kIncrementCount; ++i)
        EXPECT_EQ(LoanIncrements(i).value(), loans[i]);
    EXPECT_EQ(RateIncrements(0).toBytes(), store(0.1L).toBytes());
    EXPECT_EQ(RateIncrements(2).toBytes(), store(0.2L).toBytes());
    EXPECT_EQ(RateIncrements(4).toBytes(), store(0.333L).toBytes());
    const long double exact[] = {0.125L, 0.25L, 0.375L, 0.5L, 0.75L, 1.0L};
    const int exactIndex[] = {1, 3, 5, 6, 7, 8};
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(RateIncrements(exactIndex[k]).value(), exact[k]);
}

TEST(TermYears, WholeNumbersInRange)
{
    EXPECT_EQ(TermYears(25), 25);
    EXPECT_EQ(TermYears(0), 0);
    EXPECT_EQ(TermYears(-5), -5);
    EXPECT_EQ(TermYears(178956970), 178956970);
    EXPECT_EQ(TermYears(24.9999999999999999), 25); // 15 digits read as 25
    for (const double bad : {2.5, 3e9, -3e9, 178956971.0, 1e20})
        EXPECT_THROW(TermYears(bad), EConvertError) << bad;
}
