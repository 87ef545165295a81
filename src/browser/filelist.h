#pragma once

#include <QListView>

class QStringListModel;

// The files of one folder whose names match a ";"-separated wildcard pattern list.
// Several entries can be selected at once (Click, Shift+Click, Ctrl+Click).
class FileList final : public QListView
{
    Q_OBJECT
public:
    explicit FileList(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    // Shows another folder's files with no selection. False when it cannot be read.
    bool setPath(const QString &path);
    QString pattern() const { return m_pattern; }
    // Re-reads the folder with the new pattern; no selection is left.
    void setPattern(const QString &pattern);
    // Reads the folder again; no selection is left.
    void refresh();

    int count() const;
    QString name(int row) const;
    // The selected names in list order.
    QStringList selectedNames() const;
    // The entry clicked last, or empty.
    QString currentName() const;

private:
    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
    QStringListModel *m_model;
};
