#include "splash.h"

#include "image.h"
#include "label.h"
#include "panel.h"

#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QTimer>

TSplashScreen *SplashScreen = nullptr;

namespace {

TLabel *makeLine(QWidget *parent, const QString &text, QRect geometry, Qt::Alignment alignment)
{
    auto *label = new TLabel(text, parent);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(16);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAlignment(alignment | Qt::AlignVCenter);
    // The line keeps its place; where the font needs more room than the layout gives, the
    // label grows around its centre (or leftwards, when right-aligned) instead of clipping.
    const int needed = label->fontMetrics().horizontalAdvance(text) + 2;
    if (needed > geometry.width()) {
        const int extra = needed - geometry.width();
        geometry.adjust(alignment & Qt::AlignRight ? -extra : -extra / 2, 0,
                        alignment & Qt::AlignRight ? 0 : extra - extra / 2, 0);
    }
    label->setGeometry(geometry);
    return label;
}

} // namespace

TSplashScreen::TSplashScreen(QWidget *parent)
    // A title bar with the caption and no buttons; never takes the focus from the main window.
    : TForm(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("SplashScreen"));
    setCaption(QStringLiteral("Compliments of Quindle Software"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(413, 163);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(palette);

    Image1 = new TImage(this);
    Image1->setPicture(QIcon(QStringLiteral(":/pictures/banner.svg")));
    Image1->setGeometry(6, 6, 400, 35);
    Image1->setAccessibleName(QStringLiteral("Quindle Software"));

    Panel1 = new TPanel(this);
    Panel1->setColor(Qt::white);
    Panel1->setBevelOuter(TBevelCut::Lowered);
    Panel1->setBevelInner(TBevelCut::Raised);
    Panel1->setGeometry(6, 49, 401, 106);

    Label4 = makeLine(Panel1, QStringLiteral("Quindle Software creates highly customized financial"),
                      QRect(28, 13, 345, 19), Qt::AlignHCenter);
    Label1 = makeLine(Panel1,
                      QStringLiteral("calculators which enhance the visibility of our clients in the"),
                      QRect(27, 32, 346, 19), Qt::AlignHCenter);
    Label5 = makeLine(Panel1,
                      QStringLiteral("banking, real estate and financial services industries."),
                      QRect(45, 50, 310, 19), Qt::AlignRight);

    Timer1 = new QTimer(this);
    Timer1->setInterval(7000);
    Timer1->setTimerType(Qt::PreciseTimer); // a coarse timer may fire up to 5 % early
    Timer1->setSingleShot(false);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(Timer1); });

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TSplashScreen::Timer1Timer(QObject *)
{
    Timer1->stop();
    close(); // neither the main window nor modal: it is only hidden
}
