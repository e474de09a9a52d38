#include "panel.h"

#include <QPainter>
#include <qdrawutil.h>

TPanel::TPanel(QWidget *parent) : QFrame(parent)
{
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    updateMargins();
}

void TPanel::setColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
}

QColor TPanel::Color() const
{
    return palette().color(QPalette::Window);
}

void TPanel::setBevelOuter(TBevelCut cut)
{
    m_bevelOuter = cut;
    updateMargins();
    update();
}

void TPanel::setBevelInner(TBevelCut cut)
{
    m_bevelInner = cut;
    updateMargins();
    update();
}

void TPanel::setBevelWidth(int px)
{
    m_bevelWidth = std::max(px, 1);
    updateMargins();
    update();
}

// Layouts inside the panel keep clear of the edges.
void TPanel::updateMargins()
{
    const int edges = (m_bevelOuter != TBevelCut::None ? m_bevelWidth : 0) +
                      (m_bevelInner != TBevelCut::None ? m_bevelWidth : 0);
    setContentsMargins(edges, edges, edges, edges);
}

void TPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QRect edge = rect();
    for (const TBevelCut cut : {m_bevelOuter, m_bevelInner}) {
        if (cut == TBevelCut::None)
            continue;
        qDrawShadePanel(&painter, edge, palette(), cut == TBevelCut::Lowered, m_bevelWidth);
        edge.adjust(m_bevelWidth, m_bevelWidth, -m_bevelWidth, -m_bevelWidth);
    }
}
