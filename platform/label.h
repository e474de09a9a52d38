#pragma once

#include "notifyevent.h"

#include <QLabel>

// A plain text label that reports clicks: a left press and release inside the label.
// A disabled label reports none.
class TLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TLabel(QWidget *parent = nullptr);
    explicit TLabel(const QString &caption, QWidget *parent = nullptr);

    void setCaption(const QString &caption) { setText(caption); }
    QString Caption() const { return text(); }

    TNotifyEvent OnClick;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

    // Runs for every click, before OnClick.
    virtual void click();

private:
    bool m_pressed = false;
};
