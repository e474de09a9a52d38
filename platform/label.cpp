#include "label.h"

#include <QMouseEvent>

TLabel::TLabel(QWidget *parent) : TLabel(QString(), parent) {}

TLabel::TLabel(const QString &caption, QWidget *parent) : QLabel(parent)
{
    // Captions are shown as they are, never read as markup.
    setTextFormat(Qt::PlainText);
    setText(caption);
}

void TLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    if (!m_pressed)
        QLabel::mousePressEvent(event);
}

void TLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool clickedHere = m_pressed && event->button() == Qt::LeftButton &&
                             rect().contains(event->position().toPoint());
    m_pressed = false;
    if (!clickedHere) {
        QLabel::mouseReleaseEvent(event);
        return;
    }
    if (isEnabled())
        click();
}

void TLabel::click()
{
    emit clicked();
    RaiseNotifyEvent(OnClick, this);
}
