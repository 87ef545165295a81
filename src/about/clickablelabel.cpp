#include "clickablelabel.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include <utility>

namespace {

// Screen readers announce the label as a link, by its text, and can follow it.
class AccessibleLink final : public QAccessibleWidget
{
public:
    explicit AccessibleLink(ClickableLabel *label)
        : QAccessibleWidget(label, QAccessible::Link)
    {}

    QString text(QAccessible::Text t) const override
    {
        const QString own = QAccessibleWidget::text(t);
        if (t != QAccessible::Name || !own.isEmpty())
            return own;
        return static_cast<const ClickableLabel *>(widget())->text();
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action == pressAction())
            static_cast<ClickableLabel *>(widget())->click();
    }
};

QAccessibleInterface *accessibleLink(const QString &className, QObject *object)
{
    if (className == QLatin1String(ClickableLabel::staticMetaObject.className()))
        return new AccessibleLink(static_cast<ClickableLabel *>(object));
    return nullptr;
}

} // namespace

ClickableLabel::ClickableLabel(DrawnPicture::Draw picture, QWidget *parent)
    : ClickableLabel(QString(), parent)
{
    m_picture.emplace(std::move(picture));
}

ClickableLabel::ClickableLabel(const QString &text, QWidget *parent)
    : QLabel(parent)
{
    // Once for the program, at the first such label, and before its text is set: setting it
    // tells the accessibility layer, which then keeps the interface it made for the label.
    [[maybe_unused]] static const bool announcedAsLink =
        (QAccessible::installFactory(accessibleLink), true);
    // Plain text, given before the focus: a label that takes the focus would lay its text out in
    // a text document of its own, which costs the start more than the rest of the about box.
    setTextFormat(Qt::PlainText);
    setText(text);
    setFocusPolicy(Qt::StrongFocus);
}

void ClickableLabel::click()
{
    emit clicked();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        click();
    QLabel::mouseReleaseEvent(event);
}

void ClickableLabel::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)
        && !event->isAutoRepeat()) {
        click();
        return;
    }
    QLabel::keyPressEvent(event);
}

bool ClickableLabel::event(QEvent *event)
{
    // QLabel makes that text document when it is polished and when it gets the focus; this label
    // draws its text itself and needs none.
    if (event->type() == QEvent::Polish)
        return QFrame::event(event);
    return QLabel::event(event);
}

void ClickableLabel::focusInEvent(QFocusEvent *event)
{
    QFrame::focusInEvent(event);
}

void ClickableLabel::focusOutEvent(QFocusEvent *event)
{
    QFrame::focusOutEvent(event);
}

void ClickableLabel::paintEvent(QPaintEvent *)
{
    if (m_picture) {
        m_picture->paint(this);
    } else {
        // As a label without a text document draws it.
        QPainter painter(this);
        drawFrame(&painter);
        style()->drawItemText(&painter, contentsRect(),
                              QStyle::visualAlignment(layoutDirection(), alignment())
                                  | (wordWrap() ? Qt::TextWordWrap : 0),
                              palette(), isEnabled(), text(), foregroundRole());
    }
    // A label shows no focus of its own; the keyboard's user must see where Enter acts.
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(backgroundRole());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}
