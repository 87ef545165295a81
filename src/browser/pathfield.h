#pragma once

#include <QPlainTextEdit>

// The path field under the PC lists. It keeps the path it was given as a value of its own
// and only shows it: a text box rewrites characters (a no-break space turns into a blank, a
// line separator into a line break), and every command must act on the exact path.
class PathField final : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit PathField(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    void setPath(const QString &path);

private:
    QString m_path;
};
