#pragma once

#include "label.h"

#include <QIcon>

// A picture drawn to fill the label's rectangle (keeping its proportions), reporting clicks.
class TImage : public TLabel
{
    Q_OBJECT

public:
    explicit TImage(QWidget *parent = nullptr);

    void setPicture(const QIcon &picture);
    QIcon Picture() const { return m_picture; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QIcon m_picture;
};
