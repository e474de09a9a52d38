#include "application.h"

#include "activewindow.h"

#include <QApplicationStateChangeEvent>
#include <QEvent>
#include <QMessageBox>
#include <QProxyStyle>
#include <QStyleOption>

TApplication *Application = nullptr;

namespace {

// The application style with the program's own tooltip delay.
class HintPauseStyle : public QProxyStyle
{
public:
    HintPauseStyle(const QString &baseKey, int pause) : QProxyStyle(baseKey), m_pause(pause) {}

    void setPause(int pause) { m_pause = pause; }

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return m_pause;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

private:
    int m_pause;
};

} // namespace

void RaiseNotifyEvent(const TNotifyEvent &handler, QObject *sender)
{
    if (!handler)
        return;
    if (!Application) {
        handler(sender);
        return;
    }
    try {
        handler(sender);
    } catch (...) {
        Application->HandleException(sender, std::current_exception());
    }
}

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    Application = this;
    StartTrackingActiveWindows();
    setHintPause(m_hintPause);
}

TApplication::~TApplication()
{
    if (Application == this)
        Application = nullptr;
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        HandleException(receiver, std::current_exception());
    }
    return false;
}

void TApplication::HandleException(QObject *sender, std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const EAbort &) {
        return;
    } catch (...) {
    }
    // The handler may fail itself; that must not leave the event loop either.
    try {
        if (OnException)
            OnException(sender, error);
        else
            showDefaultMessage(error);
    } catch (...) {
    }
}

void TApplication::showDefaultMessage(std::exception_ptr error)
{
    QString text = QStringLiteral("An unknown error occurred.");
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        text = QString::fromLocal8Bit(e.what());
    } catch (...) {
    }
    QMessageBox box(QMessageBox::Critical, Title(), text, QMessageBox::Ok, activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void TApplication::setTitle(const QString &title)
{
    // Not applicationDisplayName: the platform would append it to every other window's title.
    setApplicationName(title);
}

QString TApplication::Title() const
{
    return applicationName();
}

void TApplication::setHintPause(int ms)
{
    m_hintPause = std::max(ms, 0);
    if (auto *proxy = dynamic_cast<HintPauseStyle *>(style())) {
        proxy->setPause(m_hintPause);
        return;
    }
    setStyle(new HintPauseStyle(style()->name(), m_hintPause));
}

QWidget *TApplication::ActiveForm() const
{
    QWidget *w = LastActiveWindow();
    return w && w->isVisible() ? w : nullptr;
}

bool TApplication::event(QEvent *event)
{
    if (event->type() == QEvent::ApplicationStateChange) {
        const bool active =
            static_cast<QApplicationStateChangeEvent *>(event)->applicationState() ==
            Qt::ApplicationActive;
        const bool becameActive = active && !m_active;
        m_active = active;
        if (becameActive)
            RaiseNotifyEvent(OnActivate, this);
    }
    return QApplication::event(event);
}
