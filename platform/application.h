#pragma once

#include "notifyevent.h"

#include <QApplication>

#include <exception>
#include <functional>

// The silent kind of exception: it ends the event handler that raised it like any other, but the
// application drops it without a message.
class EAbort : public std::exception
{
public:
    const char *what() const noexcept override { return "Operation aborted"; }
};

// The application object: the event loop that reports every exception escaping an event handler
// and goes on with the next event, the program's title, the hint pause and the activation of
// the program as a whole.
class TApplication : public QApplication
{
    Q_OBJECT

public:
    TApplication(int &argc, char **argv);
    ~TApplication() override;

    // Delivers the event; an exception thrown while handling it goes to HandleException().
    bool notify(QObject *receiver, QEvent *event) override;

    // Reports an exception: EAbort is dropped, anything else goes to OnException or, when none is
    // installed, to a plain message box.
    void HandleException(QObject *sender, std::exception_ptr error);

    // The program's own name, as the desktop shows it for the program and as untitled message
    // boxes take it. Window titles stay exactly the windows' own captions.
    void setTitle(const QString &title);
    QString Title() const;

    // How long the pointer must rest on a widget before its tooltip shows, in milliseconds;
    // 0 shows it at once. 500 at start.
    void setHintPause(int ms);
    int HintPause() const { return m_hintPause; }

    // The top-level window that last held the program's focus, while it is shown; else null.
    QWidget *ActiveForm() const;

    std::function<void(QObject *Sender, std::exception_ptr E)> OnException;

    // Raised each time the program as a whole becomes the active application.
    TNotifyEvent OnActivate;

protected:
    bool event(QEvent *event) override;

private:
    void showDefaultMessage(std::exception_ptr error);

    int m_hintPause = 500;
    bool m_active = false;
};

// The one application object, set while it exists.
extern TApplication *Application;
