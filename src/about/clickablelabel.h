#pragma once

#include "about/drawnpicture.h"

#include <QLabel>

#include <optional>

// A label that acts like a link: a click of the left button released over it, or Enter or
// Space while it has the focus, which it takes with Tab.
class ClickableLabel final : public QLabel
{
    Q_OBJECT
public:
    explicit ClickableLabel(const QString &text, QWidget *parent = nullptr);
    // A link shown as a picture drawn for its frame.
    explicit ClickableLabel(DrawnPicture::Draw picture, QWidget *parent = nullptr);

    // Acts as a click does; a screen reader's "press" comes here too.
    void click();

signals:
    void clicked();

protected:
    bool event(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    std::optional<DrawnPicture> m_picture;
};
