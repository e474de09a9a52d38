#include "radiogroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

TRadioGroup::TRadioGroup(QWidget *parent)
    : QGroupBox(parent), m_buttons(new QButtonGroup(this)), m_layout(new QGridLayout(this))
{
    m_buttons->setExclusive(true);
    m_layout->setContentsMargins(6, 2, 2, 2);
    m_layout->setHorizontalSpacing(2);
    m_layout->setVerticalSpacing(0);
    connect(m_buttons, &QButtonGroup::idToggled, this, &TRadioGroup::updateTabStop);
    connect(m_buttons, &QButtonGroup::idClicked, this, [this] { RaiseNotifyEvent(OnClick, this); });
}

void TRadioGroup::setItems(const QStringList &items)
{
    const int chosen = ItemIndex();
    for (QAbstractButton *b : m_buttons->buttons()) {
        m_buttons->removeButton(b);
        delete b;
    }
    m_items = items;
    for (int i = 0; i < m_items.size(); ++i) {
        auto *b = new QRadioButton(m_items[i], this);
        m_buttons->addButton(b, i);
    }
    arrange();
    if (chosen >= 0 && chosen < m_items.size())
        setItemIndex(chosen);
    updateTabStop();
}

void TRadioGroup::setColumns(int columns)
{
    m_columns = std::max(columns, 1);
    arrange();
}

void TRadioGroup::arrange()
{
    for (QAbstractButton *b : m_buttons->buttons())
        m_layout->removeWidget(b);
    const int count = int(m_items.size());
    const int perColumn = std::max((count + m_columns - 1) / m_columns, 1);
    for (int i = 0; i < count; ++i)
        m_layout->addWidget(button(i), i % perColumn, i / perColumn);
    for (int row = 0; row < m_layout->rowCount(); ++row)
        m_layout->setRowStretch(row, 1);
    for (int col = 0; col < m_layout->columnCount(); ++col)
        m_layout->setColumnStretch(col, 1);
}

int TRadioGroup::ItemIndex() const
{
    return m_buttons->checkedId();
}

void TRadioGroup::setItemIndex(int index)
{
    if (QAbstractButton *b = m_buttons->button(index)) {
        b->setChecked(true);
        return;
    }
    // No choice at all: an exclusive group cannot uncheck its last button by itself.
    if (QAbstractButton *checked = m_buttons->checkedButton()) {
        m_buttons->setExclusive(false);
        checked->setChecked(false);
        m_buttons->setExclusive(true);
    }
    updateTabStop();
}

// Tab reaches the group through its chosen item (the first when none is chosen) only; the other
// items are reached with the arrow keys or the mouse.
void TRadioGroup::updateTabStop()
{
    QAbstractButton *stop = m_buttons->checkedButton();
    if (!stop && !m_buttons->buttons().isEmpty())
        stop = button(0);
    for (QAbstractButton *b : m_buttons->buttons())
        b->setFocusPolicy(b == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

QRadioButton *TRadioGroup::button(int index) const
{
    return qobject_cast<QRadioButton *>(m_buttons->button(index));
}
