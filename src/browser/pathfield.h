#pragma once

#include "platform/result.h"

#include <QPlainTextEdit>

// The path field under the PC lists. It keeps the path it was given as a value of its own
// and only shows it: a text box rewrites characters (a no-break space turns into a blank, a
// line separator into a line break), and every command must act on the exact path.
class PathField final : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit PathField(QWidget *parent = nullptr);

    // Empty while it names an entry that cannot be used.
    QString path() const { return m_path; }
    void setPath(const QString &path);
    // Names an entry of a folder whose name cannot be used exactly, as it is shown; until the
    // next setPath() the path is empty and every command that takes it shows why.
    void setUnusable(const QString &folder, const QString &shownName);
    // Whether the path can be used, and why not.
    Status usable() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void show(const QString &text);
    void followPalette();

    QString m_path;
    QString m_refusal;
    bool m_settingPalette = false;
};
