#pragma once

#include <QFrame>

enum class TBevelCut { None, Lowered, Raised };

// A plain container with a background colour and up to two 3-D edges: the outer bevel on the
// border and the inner bevel inside it.
class TPanel : public QFrame
{
    Q_OBJECT

public:
    explicit TPanel(QWidget *parent = nullptr);

    void setColor(const QColor &color);
    QColor Color() const;

    void setBevelOuter(TBevelCut cut);
    void setBevelInner(TBevelCut cut);
    TBevelCut BevelOuter() const { return m_bevelOuter; }
    TBevelCut BevelInner() const { return m_bevelInner; }

    // Width of each bevel in pixels.
    void setBevelWidth(int px);
    int BevelWidth() const { return m_bevelWidth; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void updateMargins();

    TBevelCut m_bevelOuter = TBevelCut::Raised;
    TBevelCut m_bevelInner = TBevelCut::None;
    int m_bevelWidth = 1;
};
