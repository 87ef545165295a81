#include "pathfield.h"

PathField::PathField(QWidget *parent)
    : QPlainTextEdit(parent)
{
    // Shown, never typed into; long paths wrap at any character.
    setReadOnly(true);
    setEnabled(false);
    setWordWrapMode(QTextOption::WrapAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void PathField::setPath(const QString &path)
{
    m_path = path;
    setPlainText(path);
}
