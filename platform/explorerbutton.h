#pragma once

#include "notifyevent.h"

#include <QToolButton>

// A flat picture button: a picture with an optional caption to its right, drawn without a frame
// (or with a raised bevel) and sunken while pressed. It takes no keyboard focus; an "&" in the
// caption gives it an Alt accelerator. A disabled button shows its picture greyed and ignores
// clicks and accelerators, but still shows its hint.
class TExplorerButton : public QToolButton
{
    Q_OBJECT

public:
    explicit TExplorerButton(QWidget *parent = nullptr);

    // The picture is drawn at iconSize(), 20 x 20 unless set otherwise.
    void setPicture(const QIcon &picture);
    QIcon Picture() const { return icon(); }

    void setCaption(const QString &caption);
    QString Caption() const { return text(); }

    // Draws the picture only, without the caption.
    void setIconOnly(bool iconOnly);
    bool IconOnly() const;

    // A raised bevel around the button at rest; without it the bevel only shows under the mouse.
    void setShowBevel(bool showBevel);
    bool ShowBevel() const { return m_showBevel; }

    // The tooltip, shown after the application's hint pause.
    void setHint(const QString &hint);
    QString Hint() const { return toolTip(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    TNotifyEvent OnClick;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QString shownCaption() const;

    bool m_showBevel = false;
};
