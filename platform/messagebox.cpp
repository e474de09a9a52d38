#include "messagebox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace {

// Qt centres a dialog over its parent; this box is parented for stacking and modality only and
// goes to the middle of the screen instead.
class ScreenCentredMessageBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event);
        const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
        if (!s)
            return;
        QRect frame = frameGeometry();
        frame.moveCenter(s->geometry().center());
        move(frame.topLeft());
    }
};

} // namespace

QString NormalizeLineBreaks(const QString &text)
{
    QString result = text;
    result.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    result.remove(QLatin1Char('\r'));
    return result;
}

void ShowInformation(const QString &text, const QString &title)
{
    ScreenCentredMessageBox box(QMessageBox::Information, title, NormalizeLineBreaks(text),
                                QMessageBox::NoButton, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    QPushButton *ok = box.addButton(QMessageBox::Ok);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}
