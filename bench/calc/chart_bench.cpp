// The exact chart against a naive one: the closed form in double with std::pow and texts by
// snprintf. Run side by side: build/bench/calc/calc-bench --benchmark_repetitions=10
// --benchmark_report_aggregates_only=true

#include "payment.h"
#include "paymentchart.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

void BM_CalcCanadianPayment(benchmark::State &state)
{
    const SixByteReal principal = store(100000.0L);
    const SixByteReal rate = store(8.75L);
    for (auto _ : state)
        benchmark::DoNotOptimize(CalcCanadianPayment(principal, rate, 300));
}
BENCHMARK(BM_CalcCanadianPayment);

void BM_NaivePayment(benchmark::State &state)
{
    double principal = 100000.0;
    double rate = 8.75;
    for (auto _ : state) {
        benchmark::DoNotOptimize(principal);
        benchmark::DoNotOptimize(rate);
        const double i = std::pow(1 + rate / 200, 1.0 / 6) - 1;
        benchmark::DoNotOptimize(principal * i / (1 - std::pow(1 + rate / 200, -300.0 / 6)));
    }
}
BENCHMARK(BM_NaivePayment);

void BM_ComputePaymentChart(benchmark::State &state)
{
    const ChartInputs inputs{store(100000.0L), 300, store(8.75L), LoanIncrements(3),
                             RateIncrements(3)};
    const RegionalSettings settings;
    ChartTable table;
    for (auto _ : state) {
        ComputePaymentChart(inputs, settings, table);
        benchmark::DoNotOptimize(table.cell(4, 6).data());
    }
}
BENCHMARK(BM_ComputePaymentChart);

// The same 84 texts the plain way: no six-byte rounding, the C library's formatting.
void BM_NaiveChart(benchmark::State &state)
{
    std::string cells[kChartColumns][kChartRows];
    double loan = 100000.0;
    double rate = 8.75;
    for (auto _ : state) {
        benchmark::DoNotOptimize(loan);
        char buffer[64];
        double amounts[kChartRows];
        double rates[kChartColumns];
        for (int c = 1; c < kChartColumns; ++c) {
            rates[c] = rate + 0.25 * (c - kCentreColumn);
            std::snprintf(buffer, sizeof buffer, "  %.5g%%", rates[c]);
            cells[c][0] = buffer;
        }
        for (int r = 1; r < kChartRows; ++r) {
            amounts[r] = loan + 1000.0 * (r - kCentreRow);
            std::snprintf(buffer, sizeof buffer, " $%.2f", amounts[r]);
            cells[0][r] = buffer;
        }
        for (int c = 1; c < kChartColumns; ++c) {
            for (int r = 1; r < kChartRows; ++r) {
                const double b = 1 + rates[c] / 200;
                const double i = std::pow(b, 1.0 / 6) - 1;
                const double payment = amounts[r] * i / (1 - std::pow(b, -300.0 / 6));
                std::snprintf(buffer, sizeof buffer, " $%.2f", payment);
                cells[c][r] = buffer;
            }
        }
        benchmark::DoNotOptimize(cells[4][6].data());
    }
}
BENCHMARK(BM_NaiveChart);

} // namespace
