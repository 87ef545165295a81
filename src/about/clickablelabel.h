#pragma once

#include <QLabel>

// A label that reports a click of the left button released over it.
class ClickableLabel final : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
