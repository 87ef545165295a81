#include "pathfield.h"

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
    setPlainText(path);
}
