// The program's entry point: the splash screen, the title, the main window and the event loop.

#include "Main.h"
#include "application.h"
#include "splash.h"

#include <QEvent>
#include <QTimer>

namespace {

// Closing the main window ends the program, also while the splash screen is still shown.
class QuitWhenClosed : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close)
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char **argv)
{
    TApplication application(argc, argv);

    SplashScreen = new TSplashScreen;
    SplashScreen->setAttribute(Qt::WA_DeleteOnClose, false);
    SplashScreen->Timer1->start();
    SplashScreen->show();
    // The event loop is not running yet: paint the splash now, before the other windows are made.
    SplashScreen->repaint();
    QCoreApplication::processEvents();

    application.setTitle(QStringLiteral("Ratewright Calculator 32, 2.2"));

    auto *mainWindow = new TfrmMain;
    mainWindow->setAttribute(Qt::WA_DeleteOnClose, false);
    QuitWhenClosed quitWhenClosed;
    mainWindow->installEventFilter(&quitWhenClosed);
    mainWindow->show();

    const int status = TApplication::exec();
    delete mainWindow;
    delete SplashScreen;
    SplashScreen = nullptr;
    return status;
}
