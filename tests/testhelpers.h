#pragma once

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
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

// A fixed layout as a user sees it: every caption at 8 points or more and whole within its
// control, nothing drawn over another control, and the controls of a frame below its title.
inline void expectReadable(const QWidget &window)
{
    const auto named = [&window](const QWidget *w) {
        return w->isVisibleTo(&window) && !w->objectName().isEmpty()
               && !w->objectName().startsWith(QLatin1String("qt_"));
    };
    QList<const QWidget *> controls; // the named ones that hold no named control
    for (const QWidget *w : window.findChildren<QWidget *>()) {
        const auto inner = w->findChildren<QWidget *>();
        if (named(w) && std::none_of(inner.begin(), inner.end(), named))
            controls << w;
    }
    // Where a control draws, in the window: a label only where its text stands.
    const auto drawn = [&window](const QWidget *w) {
        QRect area = w->rect();
        if (const auto *label = qobject_cast<const QLabel *>(w);
            label && !label->text().isEmpty()) {
            const int flags = int(label->alignment()) | Qt::TextShowMnemonic
                              | (label->wordWrap() ? Qt::TextWordWrap : 0);
            area = label->fontMetrics().boundingRect(label->contentsRect(), flags, label->text());
        }
        return area.translated(w->mapTo(&window, QPoint()));
    };
    for (const QWidget *w : controls) {
        const QString name = w->objectName();
        for (const QWidget *other : controls) {
            EXPECT_TRUE(other == w || !drawn(w).intersects(drawn(other)))
                << qPrintable(name) << " covers " << qPrintable(other->objectName());
        }
        if (const auto *frame = qobject_cast<const QGroupBox *>(w->parentWidget())) {
            EXPECT_TRUE(frame->contentsRect().contains(w->geometry())) << qPrintable(name);
        }
        QString caption;
        int room = 0;
        QStyleOptionButton option;
        option.initFrom(w);
        if (const auto *label = qobject_cast<const QLabel *>(w); label && !label->wordWrap()) {
            caption = label->text();
            room = label->contentsRect().width();
        } else if (const auto *box = qobject_cast<const QCheckBox *>(w)) {
            caption = box->text();
            room = w->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, w).width();
        } else if (const auto *button = qobject_cast<const QPushButton *>(w)) {
            caption = button->text();
            room = w->style()->subElementRect(QStyle::SE_PushButtonContents, &option, w).width();
        }
        if (caption.isEmpty())
            continue;
        EXPECT_GE(w->font().pointSizeF(), 8.0) << qPrintable(name);
        const QFontMetricsF metrics(w->font());
        for (const QString &line : caption.remove(QLatin1Char('&')).split(QLatin1Char('\n')))
            EXPECT_LE(metrics.horizontalAdvance(line.trimmed()), room) << qPrintable(line);
    }
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
