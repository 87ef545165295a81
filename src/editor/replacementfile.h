#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QString>

// The new content of a file, written into a file beside it and renamed over it only when every
// byte is written and on the disk: until then the old one stays as it was. Outside Windows the
// new file's name is short and its own, so that a name at the system's limit can be saved too,
// and it takes the owner, group and mode of the file it replaces, as far as this user may give
// them (root any owner, others a group of their own).
class ReplacementFile final
{
public:
    explicit ReplacementFile(const QString &path);
    ~ReplacementFile();
    Q_DISABLE_COPY_MOVE(ReplacementFile)

    Status open();
    // Unbuffered: every write reaches the file at once, and its failure is seen there.
    QFileDevice &device() { return m_file; }
    // Puts the new file in the old one's place.
    Status commit();

private:
#ifdef Q_OS_WIN
    QSaveFile m_file;
#else
    void takeOverFrom(int fd) const;

    QByteArray m_path;
    QByteArray m_temporary;
    QFile m_file;
#endif
};
