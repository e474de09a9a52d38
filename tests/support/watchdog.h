#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <functional>

// Fails a test instead of letting it hang: when it fires, it closes every popup and modal window
// so that a nested event loop returns, and remembers that it had to.
class Watchdog : public QObject
{
public:
    explicit Watchdog(int ms = 10000) : m_ms(ms)
    {
        m_timer.setSingleShot(true);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            m_fired = true;
            closeStrayWindows();
        });
    }

    void start()
    {
        m_fired = false;
        m_timer.start(m_ms);
    }
    void stop() { m_timer.stop(); }
    bool fired() const { return m_fired; }

    static void closeStrayWindows()
    {
        while (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        while (QWidget *modal = QApplication::activeModalWidget()) {
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->reject();
            else
                modal->close();
            if (QApplication::activeModalWidget() == modal)
                break;
        }
    }

private:
    QTimer m_timer;
    int m_ms;
    bool m_fired = false;
};

// Runs `answer` on the next modal window as soon as it is shown (from its own nested loop).
inline void whenModalShows(const std::function<void(QWidget *)> &answer)
{
    auto *poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        if (QWidget *modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
            poll->stop();
            poll->deleteLater();
            answer(modal);
        }
    });
    poll->start(10);
}
