#include "explorerbutton.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

namespace {

constexpr int BevelWidth = 1;
constexpr int PictureCaptionGap = 4;

} // namespace

TExplorerButton::TExplorerButton(QWidget *parent) : QToolButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(true);
    setIconSize(QSize(20, 20));
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(this, &QAbstractButton::clicked, this, [this] { RaiseNotifyEvent(OnClick, this); });
}

void TExplorerButton::setPicture(const QIcon &picture)
{
    setIcon(picture);
}

void TExplorerButton::setCaption(const QString &caption)
{
    setText(caption);
}

void TExplorerButton::setIconOnly(bool iconOnly)
{
    setToolButtonStyle(iconOnly ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
    updateGeometry();
    update();
}

bool TExplorerButton::IconOnly() const
{
    return toolButtonStyle() == Qt::ToolButtonIconOnly;
}

void TExplorerButton::setShowBevel(bool showBevel)
{
    m_showBevel = showBevel;
    setAutoRaise(!showBevel);
    update();
}

void TExplorerButton::setHint(const QString &hint)
{
    setToolTip(hint);
}

QString TExplorerButton::shownCaption() const
{
    return IconOnly() ? QString() : text();
}

QSize TExplorerButton::sizeHint() const
{
    const QString caption = shownCaption();
    const QSize captionSize = fontMetrics().size(Qt::TextShowMnemonic, caption);
    int width = icon().isNull() ? 0 : iconSize().width();
    if (!caption.isEmpty())
        width += (width > 0 ? PictureCaptionGap : 0) + captionSize.width();
    const int height = std::max(icon().isNull() ? 0 : iconSize().height(), captionSize.height());
    const int margin = 2 * (BevelWidth + 2);
    return {width + margin, height + margin};
}

QSize TExplorerButton::minimumSizeHint() const
{
    return sizeHint();
}

void TExplorerButton::enterEvent(QEnterEvent *event)
{
    QToolButton::enterEvent(event);
    update();
}

void TExplorerButton::leaveEvent(QEvent *event)
{
    QToolButton::leaveEvent(event);
    update();
}

void TExplorerButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const bool sunken = isDown() || isChecked();
    const bool hot = isEnabled() && underMouse();
    if (sunken || m_showBevel || hot)
        qDrawShadePanel(&painter, rect(), palette(), sunken, BevelWidth);

    // Picture and caption are centred as one group; pressed, they move one pixel down right.
    const QString caption = shownCaption();
    const QSize captionSize = fontMetrics().size(Qt::TextShowMnemonic, caption);
    const bool hasPicture = !icon().isNull();
    const QSize pictureSize = hasPicture ? iconSize() : QSize(0, 0);
    const int gap = hasPicture && !caption.isEmpty() ? PictureCaptionGap : 0;
    const int groupWidth = pictureSize.width() + gap + captionSize.width();
    const int shift = sunken ? 1 : 0;
    int x = (width() - groupWidth) / 2 + shift;

    if (hasPicture) {
        const QIcon::Mode mode =
            !isEnabled() ? QIcon::Disabled : (hot ? QIcon::Active : QIcon::Normal);
        const QRect pictureRect(QPoint(x, (height() - pictureSize.height()) / 2 + shift),
                                pictureSize);
        icon().paint(&painter, pictureRect, Qt::AlignCenter, mode);
        x += pictureSize.width() + gap;
    }
    if (!caption.isEmpty()) {
        const QRect captionRect(x, shift, captionSize.width(), height());
        int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic;
        if (!style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this))
            flags |= Qt::TextHideMnemonic;
        style()->drawItemText(&painter, captionRect, flags, palette(), isEnabled(), caption,
                              QPalette::ButtonText);
    }

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}
