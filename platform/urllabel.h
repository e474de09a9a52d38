#pragma once

#include "label.h"

class QMenu;

// A link label: a left click asks the system to open its URL; its own context menu offers
// "Copy", which puts the caption on the clipboard. It shows the hand pointer.
class TUrlLabel : public TLabel
{
    Q_OBJECT

public:
    explicit TUrlLabel(QWidget *parent = nullptr);

    void setUrl(const QString &url) { m_url = url; }
    QString Url() const { return m_url; }

    QMenu *contextMenu() const { return m_menu; }

    // Opens the URL with the system's handler for its scheme; false when none took it.
    bool openUrl() const;
    void copyCaption() const;

protected:
    void click() override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QString m_url;
    QMenu *m_menu;
};
