#pragma once

#include "notifyevent.h"

#include <QWidget>

class QEventLoop;

// The base of the program's top-level windows.
class TForm : public QWidget
{
    Q_OBJECT

public:
    explicit TForm(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::Window);
    ~TForm() override;

    void setCaption(const QString &caption) { setWindowTitle(caption); }
    QString Caption() const { return windowTitle(); }

    // Shows the form application-modal and returns once it is closed or a modal result is set;
    // the result is ModalResult() (0 when the form was just closed).
    int ShowModal();
    void setModalResult(int result);
    int ModalResult() const { return m_modalResult; }

    // Raised each time this form becomes the window holding the program's focus after another
    // window of the program (or none) held it; not when the program only gets the focus back
    // from another program.
    TNotifyEvent OnActivate;

protected:
    bool event(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QEventLoop *m_modalLoop = nullptr;
    int m_modalResult = 0;
};
