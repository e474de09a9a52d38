#include "stringaligngrid.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QMouseEvent>
#include <QStyledItemDelegate>

#include <algorithm>
#include <stdexcept>
#include <vector>

// Holds the texts and colours; the view asks it for everything it draws, so the accessibility
// layer sees the same texts as the screen.
class TStringAlignGridModel : public QAbstractTableModel
{
public:
    TStringAlignGridModel(int cols, int rows, QObject *parent)
        : QAbstractTableModel(parent), m_cols(cols), m_rows(rows),
          m_texts(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows)),
          m_cellColors(m_texts.size()), m_colColors(static_cast<std::size_t>(cols)),
          m_rowColors(static_cast<std::size_t>(rows))
    {
    }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : m_rows;
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : m_cols;
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        switch (role) {
        case Qt::DisplayRole:
            return text(index.column(), index.row());
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        case Qt::BackgroundRole:
            return background(index.column(), index.row());
        default:
            return {};
        }
    }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        if (!index.isValid())
            return Qt::NoItemFlags;
        if (isFixed(index.column(), index.row()))
            return Qt::ItemIsEnabled;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }

    bool contains(int col, int row) const
    {
        return col >= 0 && col < m_cols && row >= 0 && row < m_rows;
    }
    bool isFixed(int col, int row) const { return col < m_fixedCols || row < m_fixedRows; }

    QString text(int col, int row) const { return m_texts[slot(col, row)]; }
    void setText(int col, int row, const QString &text)
    {
        QString &cell = m_texts[slot(col, row)];
        if (cell == text)
            return;
        cell = text;
        const QModelIndex i = index(row, col);
        emit dataChanged(i, i, {Qt::DisplayRole});
    }

    QColor background(int col, int row) const
    {
        if (isFixed(col, row))
            return m_fixedColor;
        for (const QColor &c : {m_cellColors[slot(col, row)], m_colColors[std::size_t(col)],
                                m_rowColors[std::size_t(row)]}) {
            if (c.isValid())
                return c;
        }
        return m_color;
    }

    void setFixed(int cols, int rows)
    {
        m_fixedCols = cols;
        m_fixedRows = rows;
        emit dataChanged(index(0, 0), index(m_rows - 1, m_cols - 1));
    }
    int fixedCols() const { return m_fixedCols; }
    int fixedRows() const { return m_fixedRows; }

    void setColor(const QColor &c) { setAndRepaint(m_color, c, 0, m_cols - 1, 0, m_rows - 1); }
    void setFixedColor(const QColor &c)
    {
        setAndRepaint(m_fixedColor, c, 0, m_cols - 1, 0, m_rows - 1);
    }
    void setColColor(int col, const QColor &c)
    {
        setAndRepaint(m_colColors[std::size_t(col)], c, col, col, 0, m_rows - 1);
    }
    void setRowColor(int row, const QColor &c)
    {
        setAndRepaint(m_rowColors[std::size_t(row)], c, 0, m_cols - 1, row, row);
    }
    void setCellColor(int col, int row, const QColor &c)
    {
        setAndRepaint(m_cellColors[slot(col, row)], c, col, col, row, row);
    }

private:
    std::size_t slot(int col, int row) const
    {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_cols) +
               static_cast<std::size_t>(col);
    }

    void setAndRepaint(QColor &target, const QColor &c, int col0, int col1, int row0, int row1)
    {
        if (target == c)
            return;
        target = c;
        if (m_cols > 0 && m_rows > 0)
            emit dataChanged(index(row0, col0), index(row1, col1), {Qt::BackgroundRole});
    }

    int m_cols;
    int m_rows;
    int m_fixedCols = 0;
    int m_fixedRows = 0;
    std::vector<QString> m_texts;
    std::vector<QColor> m_cellColors;
    std::vector<QColor> m_colColors;
    std::vector<QColor> m_rowColors;
    QColor m_color = Qt::white;
    QColor m_fixedColor = QColor(192, 192, 192);
};

namespace {

// Draws the selected cell in the grid's own selection colours, whether or not the grid has the
// focus, and never a focus frame: the grid shows one selected cell, not a keyboard cursor.
class CellDelegate : public QStyledItemDelegate
{
public:
    explicit CellDelegate(TStringAlignGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        // A disabled grid still shows its chart as it is: it only stops taking clicks.
        option->state |= QStyle::State_Enabled;
        option->palette.setCurrentColorGroup(QPalette::Active);
        if (option->state & QStyle::State_Selected) {
            option->backgroundBrush = m_grid->SelectedCellColor();
            option->palette.setColor(QPalette::Text, m_grid->SelectedFontColor());
        }
        option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    }

private:
    TStringAlignGrid *m_grid;
};

constexpr int GridLineWidth = 1;

} // namespace

TStringAlignGrid::TStringAlignGrid(int colCount, int rowCount, QWidget *parent)
    : QTableView(parent), m_model(new TStringAlignGridModel(colCount, rowCount, this)),
      m_selectedCellColor(palette().color(QPalette::Highlight)),
      m_selectedFontColor(palette().color(QPalette::HighlightedText))
{
    setModel(m_model);
    setItemDelegate(new CellDelegate(this));

    for (QHeaderView *header : {horizontalHeader(), verticalHeader()}) {
        header->hide();
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setMinimumSectionSize(GridLineWidth);
        header->setHighlightSections(false);
    }
    horizontalHeader()->setDefaultSectionSize(64 + GridLineWidth);
    verticalHeader()->setDefaultSectionSize(24 + GridLineWidth);

    setShowGrid(true);
    setGridStyle(Qt::SolidLine);
    setWordWrap(false);
    // A text wider than its cell is clipped on both sides of the centre, not shortened with "...".
    setTextElideMode(Qt::ElideNone);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAutoScroll(false);
    setTabKeyNavigation(false);
    setFocusPolicy(Qt::ClickFocus);
    setDragEnabled(false);

    if (colCount > 0 && rowCount > 0)
        setSelection(0, 0);
}

TStringAlignGrid::~TStringAlignGrid() = default;

int TStringAlignGrid::ColCount() const
{
    return m_model->columnCount();
}

int TStringAlignGrid::RowCount() const
{
    return m_model->rowCount();
}

void TStringAlignGrid::checkAddress(int col, int row) const
{
    if (!m_model->contains(col, row))
        throw std::out_of_range("Grid index out of range");
}

QString TStringAlignGrid::Cells(int col, int row) const
{
    checkAddress(col, row);
    return m_model->text(col, row);
}

void TStringAlignGrid::setCells(int col, int row, const QString &text)
{
    checkAddress(col, row);
    m_model->setText(col, row, text);
}

void TStringAlignGrid::setColWidths(int col, int px)
{
    checkAddress(col, 0);
    horizontalHeader()->resizeSection(col, px + GridLineWidth);
    updateGeometry();
}

int TStringAlignGrid::ColWidths(int col) const
{
    checkAddress(col, 0);
    return horizontalHeader()->sectionSize(col) - GridLineWidth;
}

void TStringAlignGrid::setDefaultRowHeight(int px)
{
    QHeaderView *rows = verticalHeader();
    rows->setDefaultSectionSize(px + GridLineWidth);
    for (int row = 0; row < RowCount(); ++row)
        rows->resizeSection(row, px + GridLineWidth);
    updateGeometry();
}

int TStringAlignGrid::DefaultRowHeight() const
{
    return verticalHeader()->defaultSectionSize() - GridLineWidth;
}

void TStringAlignGrid::setFixedCols(int count)
{
    m_model->setFixed(count, m_model->fixedRows());
    moveOffFixedCells();
}

void TStringAlignGrid::setFixedRows(int count)
{
    m_model->setFixed(m_model->fixedCols(), count);
    moveOffFixedCells();
}

int TStringAlignGrid::FixedCols() const
{
    return m_model->fixedCols();
}

int TStringAlignGrid::FixedRows() const
{
    return m_model->fixedRows();
}

bool TStringAlignGrid::isFixedCell(int col, int row) const
{
    return m_model->isFixed(col, row);
}

// Headings cannot hold the selection: it moves to the first normal cell.
void TStringAlignGrid::moveOffFixedCells()
{
    if (!isFixedCell(Col(), Row()))
        return;
    const int col = std::max(Col(), FixedCols());
    const int row = std::max(Row(), FixedRows());
    if (m_model->contains(col, row))
        setSelection(col, row);
    else
        selectionModel()->clearSelection();
}

void TStringAlignGrid::setSelection(int col, int row)
{
    checkAddress(col, row);
    selectionModel()->setCurrentIndex(m_model->index(row, col),
                                      QItemSelectionModel::ClearAndSelect);
}

int TStringAlignGrid::Col() const
{
    return currentIndex().column();
}

int TStringAlignGrid::Row() const
{
    return currentIndex().row();
}

void TStringAlignGrid::setColor(const QColor &color)
{
    m_model->setColor(color);
}

void TStringAlignGrid::setFixedColor(const QColor &color)
{
    m_model->setFixedColor(color);
}

void TStringAlignGrid::setColorCol(int col, const QColor &color)
{
    checkAddress(col, 0);
    m_model->setColColor(col, color);
}

void TStringAlignGrid::setColorRow(int row, const QColor &color)
{
    checkAddress(0, row);
    m_model->setRowColor(row, color);
}

void TStringAlignGrid::setColorCell(int col, int row, const QColor &color)
{
    checkAddress(col, row);
    m_model->setCellColor(col, row, color);
}

QColor TStringAlignGrid::CellBackground(int col, int row) const
{
    checkAddress(col, row);
    return m_model->background(col, row);
}

void TStringAlignGrid::setSelectedCellColor(const QColor &color)
{
    m_selectedCellColor = color;
    viewport()->update();
}

void TStringAlignGrid::setSelectedFontColor(const QColor &color)
{
    m_selectedFontColor = color;
    viewport()->update();
}

QSize TStringAlignGrid::sizeHint() const
{
    const int frame = 2 * frameWidth();
    return {horizontalHeader()->length() + frame, verticalHeader()->length() + frame};
}

void TStringAlignGrid::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    const QModelIndex index = indexAt(event->position().toPoint());
    // Only a left press on a normal cell moves the selection; headings and the right button
    // leave it alone.
    if (!m_pressed || !index.isValid() || isFixedCell(index.column(), index.row())) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void TStringAlignGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click is a click of its own.
    mousePressEvent(event);
}

void TStringAlignGrid::mouseMoveEvent(QMouseEvent *event)
{
    // Dragging moves the selection along, but never onto a heading.
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!m_pressed || !index.isValid() || isFixedCell(index.column(), index.row())) {
        event->accept();
        return;
    }
    QTableView::mouseMoveEvent(event);
}

void TStringAlignGrid::mouseReleaseEvent(QMouseEvent *event)
{
    QTableView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    if (!indexAt(event->position().toPoint()).isValid())
        return;
    emit cellClicked();
    RaiseNotifyEvent(OnClick, this);
}

QModelIndex TStringAlignGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex next = QTableView::moveCursor(cursorAction, modifiers);
    if (!next.isValid() || !isFixedCell(next.column(), next.row()))
        return next;
    return m_model->index(std::max(next.row(), FixedRows()), std::max(next.column(), FixedCols()));
}

// One cell is always selected: Ctrl+click must not take the selection away.
QItemSelectionModel::SelectionFlags TStringAlignGrid::selectionCommand(const QModelIndex &index,
                                                                       const QEvent *event) const
{
    const QItemSelectionModel::SelectionFlags command = QTableView::selectionCommand(index, event);
    if (command == QItemSelectionModel::NoUpdate || !index.isValid())
        return command;
    return QItemSelectionModel::ClearAndSelect;
}
