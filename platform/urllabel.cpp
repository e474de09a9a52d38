#include "urllabel.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMenu>
#include <QUrl>

TUrlLabel::TUrlLabel(QWidget *parent) : TLabel(parent), m_menu(new QMenu(this))
{
    setCursor(Qt::PointingHandCursor);
    m_menu->addAction(QStringLiteral("Copy"), this, &TUrlLabel::copyCaption);
}

bool TUrlLabel::openUrl() const
{
    return QDesktopServices::openUrl(QUrl(m_url));
}

void TUrlLabel::copyCaption() const
{
    QGuiApplication::clipboard()->setText(text());
}

void TUrlLabel::click()
{
    openUrl();
    TLabel::click();
}

void TUrlLabel::contextMenuEvent(QContextMenuEvent *event)
{
    m_menu->popup(event->globalPos());
    event->accept();
}
