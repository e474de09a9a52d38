// One recalculation of the shown main window: the fields read, the chart computed and written
// into the grid, the centre cross marked. Run:
// build/bench/ui/ui-bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true

#include "FnpNumericEdit.h"
#include "Main.h"
#include "application.h"
#include "stringaligngrid.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <exception>

namespace {

// The grid skips a cell whose text does not change, so a real recalculation needs new inputs:
// the loan alternates between two amounts, which rewrites every amount and payment cell.
void alternateLoan(benchmark::State &state, bool &high)
{
    state.PauseTiming();
    high = !high;
    frmMain->edtLoan->setValue(high ? 150000.0 : 100000.0);
    state.ResumeTiming();
}

bool recalculate(benchmark::State &state)
{
    try {
        frmMain->CalculatePaymentTable(frmMain->grdPayment);
        return true;
    } catch (const std::exception &e) {
        state.SkipWithError(e.what());
    } catch (...) {
        state.SkipWithError("CalculatePaymentTable threw");
    }
    return false;
}

void BM_CalculatePaymentTable(benchmark::State &state)
{
    bool high = false;
    for (auto _ : state) {
        alternateLoan(state, high);
        if (!recalculate(state))
            break;
    }
    if (frmMain->grdPayment->Cells(4, 6).isEmpty())
        state.SkipWithError("the grid holds no chart");
}
BENCHMARK(BM_CalculatePaymentTable)->Unit(benchmark::kMicrosecond);

// The same inputs again, as after a click on the grid: every cell text stays as it was.
void BM_CalculatePaymentTableSameInputs(benchmark::State &state)
{
    frmMain->edtLoan->setValue(100000.0);
    for (auto _ : state) {
        if (!recalculate(state))
            break;
    }
}
BENCHMARK(BM_CalculatePaymentTableSameInputs)->Unit(benchmark::kMicrosecond);

// With the grid painted at once, as the event loop would do right after the handler.
void BM_CalculatePaymentTableAndPaint(benchmark::State &state)
{
    bool high = false;
    for (auto _ : state) {
        alternateLoan(state, high);
        if (!recalculate(state))
            break;
        frmMain->grdPayment->viewport()->repaint();
    }
}
BENCHMARK(BM_CalculatePaymentTableAndPaint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    TApplication application(argc, argv);
    TfrmMain window;
    window.show();
    QCoreApplication::processEvents(); // the first layout and paint are not part of any run

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
