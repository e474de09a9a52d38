#include "activewindow.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace {

class ActiveWindowTracker : public QObject
{
public:
    using QObject::QObject;

    QPointer<QWidget> last;
    QPointer<QWidget> previous;

protected:
    // Application event filters see the event before the window itself does.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::WindowActivate && watched->isWidgetType()) {
            auto *w = static_cast<QWidget *>(watched);
            if (w->isWindow() && counts(w)) {
                previous = last;
                last = w;
            }
        }
        return false;
    }

private:
    static bool counts(const QWidget *w)
    {
        switch (w->windowType()) {
        case Qt::Popup:
        case Qt::ToolTip:
        case Qt::SplashScreen:
            return false;
        default:
            return true;
        }
    }
};

QPointer<ActiveWindowTracker> tracker;

} // namespace

void StartTrackingActiveWindows()
{
    if (tracker || !qApp)
        return;
    tracker = new ActiveWindowTracker(qApp);
    qApp->installEventFilter(tracker);
}

QWidget *LastActiveWindow()
{
    return tracker ? tracker->last.data() : nullptr;
}

QWidget *PreviousActiveWindow()
{
    return tracker ? tracker->previous.data() : nullptr;
}
