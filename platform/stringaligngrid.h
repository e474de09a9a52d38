#pragma once

#include "notifyevent.h"

#include <QColor>
#include <QTableView>

class TStringAlignGridModel;

// A grid of texts, every cell centred, with fixed heading rows and columns and background
// colours per cell, column and row. The user can select one cell at a time and cannot edit,
// resize or scroll; the grid is never reached with Tab.
class TStringAlignGrid : public QTableView
{
    Q_OBJECT

public:
    TStringAlignGrid(int colCount, int rowCount, QWidget *parent = nullptr);
    ~TStringAlignGrid() override;

    int ColCount() const;
    int RowCount() const;

    // Cells are addressed (column, row) from 0; an address outside the grid throws
    // std::out_of_range.
    QString Cells(int col, int row) const;
    void setCells(int col, int row, const QString &text);

    // Width of a column's cells and height of every row, in pixels, not counting the 1 px grid
    // line that follows each of them.
    void setColWidths(int col, int px);
    int ColWidths(int col) const;
    void setDefaultRowHeight(int px);
    int DefaultRowHeight() const;

    // The first `count` columns (rows) are headings: drawn in the fixed colour, never selected.
    void setFixedCols(int count);
    void setFixedRows(int count);
    int FixedCols() const;
    int FixedRows() const;
    bool isFixedCell(int col, int row) const;

    // Makes the one cell the selection and the current cell.
    void setSelection(int col, int row);
    int Col() const;
    int Row() const;

    // Background colours. For a normal cell the cell's own colour comes first, then its column's,
    // then its row's, then the grid's; heading cells always take the fixed colour. An invalid
    // QColor removes a cell, column or row colour.
    void setColor(const QColor &color);
    void setFixedColor(const QColor &color);
    void setColorCol(int col, const QColor &color);
    void setColorRow(int row, const QColor &color);
    void setColorCell(int col, int row, const QColor &color);
    QColor CellBackground(int col, int row) const;

    // The selected cell is drawn in these colours instead of its background and the text colour.
    void setSelectedCellColor(const QColor &color);
    void setSelectedFontColor(const QColor &color);
    QColor SelectedCellColor() const { return m_selectedCellColor; }
    QColor SelectedFontColor() const { return m_selectedFontColor; }

    QSize sizeHint() const override;

    // Raised once for every click on a cell, after the click has moved the selection.
    TNotifyEvent OnClick;

signals:
    void cellClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;

private:
    void checkAddress(int col, int row) const;
    void moveOffFixedCells();

    TStringAlignGridModel *m_model;
    QColor m_selectedCellColor;
    QColor m_selectedFontColor;
    bool m_pressed = false;
};
