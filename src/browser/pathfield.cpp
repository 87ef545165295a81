#include "pathfield.h"

#include "browser/folderaccess.h"
#include "common/pathtext.h"

PathField::PathField(QWidget *parent)
    : QPlainTextEdit(parent)
{
    // Shown, never typed into: disabled, as the text box it stands for. A long path wraps
    // at its blanks where it has any, as in a text box.
    setEnabled(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void PathField::setPath(const QString &path)
{
    m_path = path;
    m_refusal.clear();
    setPlainText(path);
}

void PathField::setUnusable(const QString &folder, const QString &shownName)
{
    m_path.clear();
    m_refusal = FolderAccess::unusableMessage(folder, shownName);
    setPlainText(PathText::withSeparator(folder) + shownName);
}
