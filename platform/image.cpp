#include "image.h"

#include <QPainter>

TImage::TImage(QWidget *parent) : TLabel(parent) {}

void TImage::setPicture(const QIcon &picture)
{
    m_picture = picture;
    updateGeometry();
    update();
}

QSize TImage::sizeHint() const
{
    if (m_picture.isNull())
        return TLabel::sizeHint();
    const QList<QSize> sizes = m_picture.availableSizes();
    return sizes.isEmpty() ? TLabel::sizeHint() : sizes.first();
}

void TImage::paintEvent(QPaintEvent *event)
{
    if (m_picture.isNull()) {
        TLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    m_picture.paint(&painter, contentsRect(), Qt::AlignCenter,
                    isEnabled() ? QIcon::Normal : QIcon::Disabled);
}
