#include "stringaligngrid.h"
#include "watchdog.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTest>

#include <memory>
#include <stdexcept>

namespace {

const QColor Silver(192, 192, 192);
const QColor Yellow(255, 255, 0);

} // namespace

// A shown 8 x 12 grid laid out like the payment chart: heading row and column, 69 x 20 cells.
class TestStringAlignGrid : public QObject
{
    Q_OBJECT

    Watchdog m_watchdog;
    std::unique_ptr<QWidget> m_window;
    TStringAlignGrid *m_grid = nullptr;
    int m_clicks = 0;

    QPoint cellCentre(int col, int row) const
    {
        return m_grid->visualRect(m_grid->model()->index(row, col)).center();
    }
    void clickCell(int col, int row, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, modifiers, cellCentre(col, row));
    }

private slots:
    void init()
    {
        m_watchdog.start();
        m_window = std::make_unique<QWidget>();
        auto *layout = new QHBoxLayout(m_window.get());
        layout->addWidget(new QLineEdit(m_window.get()));
        m_grid = new TStringAlignGrid(8, 12, m_window.get());
        layout->addWidget(m_grid);
        layout->addWidget(new QLineEdit(m_window.get()));
        m_grid->setFixedCols(1);
        m_grid->setFixedRows(1);
        for (int col = 0; col < 8; ++col)
            m_grid->setColWidths(col, 69);
        m_grid->setDefaultRowHeight(20);
        m_grid->setColor(Qt::white);
        m_grid->setFixedColor(Silver);
        m_grid->setSelectedCellColor(Yellow);
        m_grid->setSelectedFontColor(Qt::black);
        m_clicks = 0;
        m_grid->OnClick = [this](QObject *sender) {
            QCOMPARE(sender, m_grid);
            ++m_clicks;
        };
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        m_watchdog.stop();
        QVERIFY(!m_watchdog.fired());
    }

    void cellTextsReadBackAndReachTheScreenModel()
    {
        m_grid->setCells(0, 0, QStringLiteral(" Amount/Rate"));
        m_grid->setCells(4, 6, QStringLiteral("$786.70"));
        QCOMPARE(m_grid->Cells(0, 0), QStringLiteral(" Amount/Rate"));
        QCOMPARE(m_grid->Cells(4, 6), QStringLiteral("$786.70"));
        QCOMPARE(m_grid->Cells(5, 6), QString());
        QCOMPARE(m_grid->model()->index(6, 4).data().toString(), QStringLiteral("$786.70"));
        QCOMPARE(m_grid->model()->index(6, 4).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::Alignment(Qt::AlignCenter));
    }

    void addressesOutsideTheGridThrow()
    {
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, m_grid->Cells(8, 0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, m_grid->setCells(0, 12, QString()));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, m_grid->setCells(-1, 0, QString()));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, m_grid->setColorCol(8, Yellow));
    }

    void cellSizesExcludeTheGridLine()
    {
        QCOMPARE(m_grid->ColWidths(3), 69);
        QCOMPARE(m_grid->DefaultRowHeight(), 20);
        QCOMPARE(m_grid->columnViewportPosition(1), 70);
        QCOMPARE(m_grid->rowViewportPosition(6), 6 * 21);
        QCOMPARE(m_grid->sizeHint(),
                 QSize(8 * 70, 12 * 21) + 2 * QSize(m_grid->frameWidth(), m_grid->frameWidth()));
        QCOMPARE(m_grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(m_grid->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    }

    void backgroundPrecedence_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::addColumn<QColor>("expected");
        // Column 4 yellow, rows 6 green and 8 blue, cell (4, 6) red, cell (2, 0) red.
        QTest::newRow("cell beats column and row") << 4 << 6 << QColor(Qt::red);
        QTest::newRow("column beats row") << 4 << 8 << Yellow;
        QTest::newRow("column alone") << 4 << 3 << Yellow;
        QTest::newRow("row alone") << 2 << 6 << QColor(Qt::green);
        QTest::newRow("nothing set: grid colour") << 2 << 3 << QColor(Qt::white);
        QTest::newRow("heading row ignores its column") << 4 << 0 << Silver;
        QTest::newRow("heading column ignores its row") << 0 << 6 << Silver;
        QTest::newRow("heading ignores its own colour") << 2 << 0 << Silver;
    }

    void backgroundPrecedence()
    {
        QFETCH(int, col);
        QFETCH(int, row);
        QFETCH(QColor, expected);
        m_grid->setColorCol(4, Yellow);
        m_grid->setColorRow(6, Qt::green);
        m_grid->setColorRow(8, Qt::blue);
        m_grid->setColorCell(4, 6, Qt::red);
        m_grid->setColorCell(2, 0, Qt::red);
        QCOMPARE(m_grid->CellBackground(col, row), expected);
    }

    void clearedCellColourFallsBackToColumn()
    {
        m_grid->setColorCol(4, Yellow);
        m_grid->setColorCell(4, 6, Qt::red);
        m_grid->setColorCell(4, 6, QColor());
        QCOMPARE(m_grid->CellBackground(4, 6), Yellow);
    }

    // The colours must reach the screen, the selected cell in the selection colour.
    void paintsBackgroundsAndTheSelectedCell()
    {
        m_grid->setColorCol(4, Yellow);
        m_grid->setSelectedCellColor(Qt::cyan);
        m_grid->setSelection(2, 3);
        m_grid->clearFocus();
        const QImage shot = m_grid->viewport()->grab().toImage();
        const auto pixel = [&](int col, int row) {
            const QRect cell = m_grid->visualRect(m_grid->model()->index(row, col));
            return QColor(shot.pixel(cell.topLeft() + QPoint(3, 3)));
        };
        QCOMPARE(pixel(3, 3), QColor(Qt::white));
        QCOMPARE(pixel(4, 3), Yellow);
        QCOMPARE(pixel(0, 3), Silver);
        QCOMPARE(pixel(2, 3), QColor(Qt::cyan));
    }

    void setSelectionMakesOneCurrentCell()
    {
        m_grid->setSelection(4, 6);
        QCOMPARE(m_grid->Col(), 4);
        QCOMPARE(m_grid->Row(), 6);
        QCOMPARE(m_grid->selectionModel()->selectedIndexes(),
                 QModelIndexList{m_grid->model()->index(6, 4)});
    }

    void oneClickRaisesOneOnClick()
    {
        clickCell(2, 3);
        QCOMPARE(m_clicks, 1);
        QCOMPARE(m_grid->Col(), 2);
        QCOMPARE(m_grid->Row(), 3);
        clickCell(5, 9);
        QCOMPARE(m_clicks, 2);
    }

    // The recalculation puts the selection back in its handler: that must be where it stays.
    void selectionSetInOnClickStays()
    {
        m_grid->OnClick = [this](QObject *) {
            ++m_clicks;
            m_grid->setSelection(4, 6);
        };
        clickCell(2, 3);
        QCOMPARE(m_clicks, 1);
        QCOMPARE(m_grid->Col(), 4);
        QCOMPARE(m_grid->Row(), 6);
        QCOMPARE(m_grid->selectionModel()->selectedIndexes().size(), 1);
    }

    void headingClickRaisesOnClickButKeepsSelection()
    {
        m_grid->setSelection(4, 6);
        clickCell(0, 3);
        clickCell(3, 0);
        QCOMPARE(m_clicks, 2);
        QCOMPARE(m_grid->Col(), 4);
        QCOMPARE(m_grid->Row(), 6);
    }

    void selectionStaysSingleCell()
    {
        clickCell(2, 3);
        clickCell(5, 7, Qt::ShiftModifier);
        clickCell(6, 8, Qt::ControlModifier);
        QTest::keyClick(m_grid, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(m_grid, Qt::Key_A, Qt::ControlModifier);
        // A drag from one cell to another moves the selection, it does not widen it.
        QTest::mousePress(m_grid->viewport(), Qt::LeftButton, {}, cellCentre(2, 2));
        QMouseEvent move(QEvent::MouseMove, cellCentre(4, 4),
                         m_grid->viewport()->mapToGlobal(cellCentre(4, 4)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_grid->viewport(), &move);
        QTest::mouseRelease(m_grid->viewport(), Qt::LeftButton, {}, cellCentre(4, 4));
        QCOMPARE(m_grid->selectionModel()->selectedIndexes().size(), 1);
        // Nor can Ctrl+click take it away.
        clickCell(4, 4, Qt::ControlModifier);
        QCOMPARE(m_grid->selectionModel()->selectedIndexes(),
                 QModelIndexList{m_grid->model()->index(4, 4)});
    }

    void arrowKeysStopAtTheHeadings()
    {
        clickCell(1, 1);
        QTest::keyClick(m_grid, Qt::Key_Up);
        QTest::keyClick(m_grid, Qt::Key_Left);
        QCOMPARE(m_grid->Col(), 1);
        QCOMPARE(m_grid->Row(), 1);
        QTest::keyClick(m_grid, Qt::Key_Down);
        QCOMPARE(m_grid->Row(), 2);
    }

    void cellsCannotBeEdited()
    {
        m_grid->setCells(2, 3, QStringLiteral("text"));
        clickCell(2, 3);
        QTest::mouseDClick(m_grid->viewport(), Qt::LeftButton, {}, cellCentre(2, 3));
        QTest::keyClick(m_grid, Qt::Key_F2);
        QTest::keyClicks(m_grid, QStringLiteral("x"));
        QCOMPARE(m_grid->findChildren<QLineEdit *>().size(), 0);
        QCOMPARE(m_grid->Cells(2, 3), QStringLiteral("text"));
        QVERIFY(!(m_grid->model()->flags(m_grid->model()->index(3, 2)) & Qt::ItemIsEditable));
    }

    void tabSkipsTheGrid()
    {
        auto edits = m_window->findChildren<QLineEdit *>();
        QCOMPARE(edits.size(), 2);
        edits[0]->setFocus();
        QTest::keyClick(edits[0], Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), edits[1]);
        QTest::keyClick(edits[1], Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), edits[0]);
    }

    void accessibilityExposesCellTexts()
    {
        m_grid->setCells(4, 6, QStringLiteral("$786.70"));
        QAccessibleInterface *table = QAccessible::queryAccessibleInterface(m_grid);
        QVERIFY(table);
        QVERIFY(table->tableInterface());
        QAccessibleInterface *cell = table->tableInterface()->cellAt(6, 4);
        QVERIFY(cell);
        QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("$786.70"));
    }
};

QTEST_MAIN(TestStringAlignGrid)
#include "tst_stringaligngrid.moc"
