#pragma once

#include "notifyevent.h"

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

// A frame of exclusive radio buttons, laid out in columns and filled column by column. The group
// is one Tab stop; the arrow keys move the choice between its items.
class TRadioGroup : public QGroupBox
{
    Q_OBJECT

public:
    explicit TRadioGroup(QWidget *parent = nullptr);

    void setItems(const QStringList &items);
    QStringList Items() const { return m_items; }

    void setColumns(int columns);
    int Columns() const { return m_columns; }

    // The index of the chosen item, or -1 when none is chosen.
    int ItemIndex() const;
    void setItemIndex(int index);

    QRadioButton *button(int index) const;

    // Raised when the user chooses an item with the mouse (also the one already chosen) or
    // with the keyboard; not when ItemIndex is set by the program.
    TNotifyEvent OnClick;

private:
    void arrange();
    void updateTabStop();

    QStringList m_items;
    int m_columns = 1;
    QButtonGroup *m_buttons;
    QGridLayout *m_layout;
};
