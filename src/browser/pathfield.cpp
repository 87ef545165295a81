#include "pathfield.h"

#include "browser/folderaccess.h"
#include "common/pathtext.h"

#include <QApplication>
#include <QEvent>

PathField::PathField(QWidget *parent)
    : QPlainTextEdit(parent)
{
    // Shown, never typed into, as the text box it stands for; but read-only rather than
    // disabled, whose grey on grey cannot be read. The text can be selected and copied. A long
    // path wraps at its blanks, elsewhere where it has none, and scrolls: nothing is cut off.
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    followPalette();
}

void PathField::setPath(const QString &path)
{
    m_path = path;
    m_refusal.clear();
    show(PathText::native(path));
}

void PathField::setUnusable(const QString &folder, const QString &shownName)
{
    m_path.clear();
    m_refusal = FolderAccess::unusableMessage(folder, shownName);
    show(PathText::withSeparator(PathText::native(folder)) + shownName);
}

void PathField::show(const QString &text)
{
    setPlainText(text);
    setToolTip(text);
    setAccessibleDescription(text);
}

void PathField::changeEvent(QEvent *event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && !m_settingPalette)
        followPalette();
}

// The look of a field that takes no typing, the window's own colours, in every theme: they
// are made to be read on each other.
void PathField::followPalette()
{
    QPalette shown = parentWidget() ? parentWidget()->palette() : QApplication::palette(this);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        shown.setBrush(group, QPalette::Base, shown.brush(group, QPalette::Window));
        shown.setBrush(group, QPalette::Text, shown.brush(group, QPalette::WindowText));
    }
    m_settingPalette = true;
    setPalette(shown);
    m_settingPalette = false;
}

Status PathField::usable() const
{
    if (!m_refusal.isEmpty())
        return Failure{m_refusal};
    return {};
}
