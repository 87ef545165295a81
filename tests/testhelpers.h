#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <ostream>
#include <system_error>

// Lets GoogleTest show Qt strings as text in failure messages instead of as bytes.
inline std::ostream &operator<<(std::ostream &os, const QString &text)
{
    return os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << text;
}

inline QString u(const char *text)
{
    return QString::fromUtf8(text);
}

// The system's words for an error, in whatever language it speaks here.
inline QString systemText(std::errc error)
{
    return QString::fromLocal8Bit(std::make_error_code(error).message());
}

// A control of a window by its name; a missing one fails the test that asked.
template<typename T = QWidget> T *child(const QObject &window, const QString &name)
{
    T *found = window.findChild<T *>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

// A real folder tree in a temporary place; paths in the platform's notation.
class Tree
{
public:
    Tree() { EXPECT_TRUE(m_dir.isValid()); }

    QString path(const QString &relative = {}) const
    {
        return QDir::toNativeSeparators(
            QDir::cleanPath(relative.isEmpty() ? m_dir.path() : m_dir.filePath(relative)));
    }
    // A file of the given length; long ones are sparse, so they cost no disk.
    QString file(const QString &relative, qint64 bytes = 0) const
    {
        QDir().mkpath(QFileInfo(m_dir.filePath(relative)).path());
        QFile file(m_dir.filePath(relative));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(bytes)) << qPrintable(relative);
        return path(relative);
    }
    QString folder(const QString &relative) const
    {
        EXPECT_TRUE(QDir().mkpath(m_dir.filePath(relative))) << qPrintable(relative);
        return path(relative);
    }
    QString link(const QString &relative, const QString &target) const
    {
        EXPECT_TRUE(QFile::link(target, m_dir.filePath(relative))) << qPrintable(relative);
        return path(relative);
    }
    bool exists(const QString &relative) const
    {
        const QFileInfo info(m_dir.filePath(relative));
        return info.exists() || info.isSymLink();
    }
    QStringList entries(const QString &relative = {}) const
    {
        return QDir(path(relative))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDir::Name);
    }
    void makeExecutable(const QString &relative) const
    {
        QFile file(m_dir.filePath(relative));
        EXPECT_TRUE(file.setPermissions(file.permissions() | QFileDevice::ExeOwner));
    }

private:
    QTemporaryDir m_dir;
};
