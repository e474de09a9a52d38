// Pasting 1 MiB of clipboard text (digits, letters, separators, signs and blanks mixed) into a
// numeric field with no MaxLength: through the editing rules alone, and through the widget with a
// real Ctrl+V key event. Every run checks that the field ends canonical; a failed check makes the
// program exit non-zero, so the CTest smoke run (one iteration each) tests it too.
//
// Measure by hand:  numeric-paste-bench --benchmark_repetitions=5
// --benchmark_report_aggregates_only=true

#include "FnpNumericEdit.h"
#include "numericeditrules.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

constexpr std::size_t kMiB = 1 << 20;
bool failed = false;

// 1 MiB of mixed text, fixed seed: half digits, then letters, separators, blanks and signs.
std::u16string mixedText()
{
    static const std::u16string text = [] {
        std::mt19937 rng(20240611);
        std::uniform_int_distribution<int> pick(0, 99);
        std::u16string s;
        s.reserve(kMiB);
        while (s.size() < kMiB) {
            const int r = pick(rng);
            if (r < 50)
                s += static_cast<char16_t>(u'0' + r % 10);
            else if (r < 80)
                s += static_cast<char16_t>(u'a' + r % 26);
            else if (r < 90)
                s += r % 2 ? u'.' : u',';
            else if (r < 95)
                s += u' ';
            else
                s += u'-';
        }
        return s;
    }();
    return text;
}

std::u16string digitText()
{
    return std::u16string(kMiB, u'7');
}

void check(benchmark::State &state, const std::u16string &text, int decimals)
{
    if (!IsCanonicalFieldText(text, decimals, u'.')) {
        failed = true;
        state.SkipWithError("the text is not canonical");
    }
    state.counters["length"] = static_cast<double>(text.size());
}

void rulesPaste(benchmark::State &state, const std::u16string &clipboard)
{
    const int decimals = static_cast<int>(state.range(0));
    std::u16string result;
    for (auto _ : state) {
        state.PauseTiming();
        NumericEditRules rules(u'.');
        rules.SetDecimals(decimals);
        rules.SelectAll();
        state.ResumeTiming();
        rules.Paste(clipboard);
        benchmark::DoNotOptimize(rules.Length());
        state.PauseTiming();
        result = rules.Text();
        state.ResumeTiming();
    }
    check(state, result, decimals);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * clipboard.size() * 2));
}

void BM_RulesPasteMixed(benchmark::State &state)
{
    rulesPaste(state, mixedText());
}
void BM_RulesPasteDigits(benchmark::State &state)
{
    rulesPaste(state, digitText());
}

// With an OnKeyPress handler, as the widget has one.
void BM_RulesPasteMixedWithHandler(benchmark::State &state)
{
    const std::u16string &clipboard = mixedText();
    const int decimals = static_cast<int>(state.range(0));
    std::u16string result;
    for (auto _ : state) {
        state.PauseTiming();
        NumericEditRules rules(u'.');
        std::size_t seen = 0;
        rules.OnKeyPress = [&](char16_t &) { ++seen; };
        rules.SetDecimals(decimals);
        rules.SelectAll();
        state.ResumeTiming();
        rules.Paste(clipboard);
        benchmark::DoNotOptimize(seen);
        state.PauseTiming();
        result = rules.Text();
        state.ResumeTiming();
    }
    check(state, result, decimals);
}

// Deleting a selection of half a million characters at the start of a 1 MiB field.
void BM_RulesDeleteLongSelection(benchmark::State &state)
{
    std::u16string result;
    for (auto _ : state) {
        state.PauseTiming();
        NumericEditRules rules(u'.');
        rules.SetDecimals(2);
        rules.SetText(std::u16string(kMiB, u'3') + u".25");
        rules.SetSelection(0, static_cast<int>(kMiB / 2));
        state.ResumeTiming();
        rules.DeleteSelection();
        state.PauseTiming();
        result = rules.Text();
        state.ResumeTiming();
    }
    check(state, result, 2);
}

// The widget: a real Ctrl+V key event through the application, the clipboard set once.
void widgetPaste(benchmark::State &state, const std::u16string &clipboard)
{
    const int decimals = static_cast<int>(state.range(0));
    QGuiApplication::clipboard()->setText(QString::fromStdU16String(clipboard));
    TFnpNumericEdit edit;
    edit.setDecimals(decimals);
    edit.show();
    int keyPresses = 0;
    edit.OnKeyPress = [&](QObject *, QChar &) { ++keyPresses; };
    for (auto _ : state) {
        state.PauseTiming();
        edit.setValue(0);
        edit.selectAll();
        keyPresses = 0;
        state.ResumeTiming();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
        QApplication::sendEvent(&edit, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_V, Qt::ControlModifier);
        QApplication::sendEvent(&edit, &release);
        QApplication::processEvents(); // whatever the widget left to do (repaints)
    }
    if (keyPresses != static_cast<int>(clipboard.size()) + 1) {
        failed = true;
        state.SkipWithError("OnKeyPress did not see every character");
    }
    check(state, edit.text().toStdU16String(), decimals);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * clipboard.size() * 2));
}

void BM_WidgetPasteMixed(benchmark::State &state)
{
    widgetPaste(state, mixedText());
}
void BM_WidgetPasteDigits(benchmark::State &state)
{
    widgetPaste(state, digitText());
}

// One typed key in a field that holds a 1 MiB number: the widget updates the whole text once.
void BM_WidgetKeyInLongField(benchmark::State &state)
{
    TFnpNumericEdit edit;
    edit.setDecimals(0);
    edit.setText(QString(static_cast<qsizetype>(kMiB), QLatin1Char('4')));
    edit.show();
    for (auto _ : state) {
        edit.setCursorPosition(static_cast<int>(kMiB / 2));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
        QApplication::sendEvent(&edit, &press);
        QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QApplication::sendEvent(&edit, &back);
    }
    check(state, edit.text().toStdU16String(), 0);
}

} // namespace

BENCHMARK(BM_RulesPasteMixed)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RulesPasteDigits)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RulesPasteMixedWithHandler)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RulesDeleteLongSelection)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WidgetPasteMixed)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WidgetPasteDigits)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WidgetKeyInLongField)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return failed ? 1 : 0;
}
