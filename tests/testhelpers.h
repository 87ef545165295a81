#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QtTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <ostream>
#include <system_error>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

// Lets GoogleTest show Qt strings as text in failure messages instead of as bytes.
inline std::ostream &operator<<(std::ostream &os, const QString &text)
{
    return os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << text;
}

inline void PrintTo(const QRect &rect, std::ostream *os)
{
    *os << rect.x() << ',' << rect.y() << ' ' << rect.width() << 'x' << rect.height();
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

// The contrast of two colours, as the web's accessibility guidelines compute it (1 to 21).
inline double contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF())
               + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// How far the pixel that stands out most from the colour stands out; see-through ones do not count.
inline double highestContrast(const QImage &image, const QColor &against)
{
    double best = 1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).alpha() == 255)
                best = std::max(best, contrast(image.pixelColor(x, y), against));
        }
    }
    return best;
}

// Runs the check in a light theme, then in a dark one as if the desktop switched while the
// windows are open, and goes back to the theme of before.
inline void inBothThemes(const std::function<void(const QString &theme)> &check)
{
    const QPalette before = QApplication::palette();
    for (const QPalette &theme :
         {QApplication::style()->standardPalette(), QPalette(QColor(53, 53, 53))}) {
        QApplication::setPalette(theme);
        QCoreApplication::processEvents();
        check(theme.window().color().name());
    }
    QApplication::setPalette(before);
}

// A control of a window by its name; a missing one fails the test that asked.
template<typename T = QWidget> T *child(const QObject &window, const QString &name)
{
    T *found = window.findChild<T *>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

// The top-level window of that name, or none.
inline QWidget *topLevel(const QString &name)
{
    const auto tops = QApplication::topLevelWidgets();
    const auto found = std::find_if(tops.begin(), tops.end(),
                                    [&name](const QWidget *w) { return w->objectName() == name; });
    return found == tops.end() ? nullptr : *found;
}

// Where a list shows the entry of exactly that name; an invalid index when it shows none.
inline QModelIndex entryNamed(const QAbstractItemView &list, const QString &name)
{
    const QAbstractItemModel *model = list.model();
    return model->match(model->index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly).value(0);
}

// Clicks the entry of exactly that name in a list, and with open, double-clicks it too.
inline void clickEntry(QAbstractItemView &list, const QString &name,
                       Qt::KeyboardModifiers modifiers = {}, bool open = false)
{
    const QModelIndex entry = entryNamed(list, name);
    ASSERT_TRUE(entry.isValid()) << name.toStdString();
    const QPoint at = list.visualRect(entry).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers, at);
    if (open) {
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, modifiers, at);
        QTest::mouseRelease(list.viewport(), Qt::LeftButton, modifiers, at);
    }
}

// A drop as another program makes it: the action it was taken with, none when refused.
inline Qt::DropAction dropOnto(QWidget *target, const QMimeData &data, Qt::DropActions offered)
{
    QDragEnterEvent enter(QPoint(1, 1), offered, &data, Qt::LeftButton, {});
    QDropEvent event(QPointF(1, 1), offered, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    QApplication::sendEvent(target, &event);
    return enter.isAccepted() && event.isAccepted() ? event.dropAction() : Qt::IgnoreAction;
}

// A fixed layout as a user sees it: every caption at 8 points or more and whole within its
// control or frame, nothing drawn over another control, and the controls of a frame below its
// title.
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
    const auto drawn = [&window](const QWidget *w) { // a label only where its text stands
        const auto *label = qobject_cast<const QLabel *>(w);
        const int flags =
            Qt::TextShowMnemonic | (label && label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect area =
            label && !label->text().isEmpty() ? label->fontMetrics().boundingRect(
                label->contentsRect(), int(label->alignment()) | flags, label->text())
                                              : w->rect();
        return area.translated(w->mapTo(&window, QPoint()));
    };
    for (const QWidget *w : window.findChildren<QWidget *>()) { // frames too
        if (named(w)) {
            EXPECT_TRUE(window.rect().contains(QRect(w->mapTo(&window, QPoint()), w->size())))
                << w->objectName();
        }
    }
    for (const QWidget *w : controls) {
        const QString name = w->objectName();
        for (const QWidget *other : controls)
            EXPECT_TRUE(other == w || !drawn(w).intersects(drawn(other))) << name;
        if (const auto *frame = qobject_cast<const QGroupBox *>(w->parentWidget())) {
            EXPECT_TRUE(frame->contentsRect().contains(w->geometry())) << name;
            EXPECT_LE(QFontMetricsF(frame->font()).horizontalAdvance(frame->title().remove(u'&')),
                      frame->contentsRect().width())
                << frame->title();
        }
        const auto *label = qobject_cast<const QLabel *>(w);
        if (label && label->wordWrap()) { // a wrapped text needs the height of its lines
            EXPECT_LE(drawn(w).height(), label->contentsRect().height()) << name;
        }
        const auto *button = qobject_cast<const QAbstractButton *>(w);
        QString caption = label && !label->wordWrap() ? label->text()
                          : button                    ? button->text()
                                                      : QString();
        QStyleOptionButton option;
        option.initFrom(w);
        const auto inside = qobject_cast<const QCheckBox *>(w) ? QStyle::SE_CheckBoxContents
                                                               : QStyle::SE_PushButtonContents;
        const int room = label ? label->contentsRect().width()
                               : w->style()->subElementRect(inside, &option, w).width();
        EXPECT_TRUE(caption.isEmpty() || w->font().pointSizeF() >= 8.0) << name;
        for (const QString &line : caption.remove(QLatin1Char('&')).split(QLatin1Char('\n')))
            EXPECT_LE(QFontMetricsF(w->font()).horizontalAdvance(line.trimmed()), room) << name;
    }
}

inline QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// A real folder tree in a temporary place; paths in the platform's notation.
class Tree
{
public:
    Tree() { EXPECT_TRUE(m_dir.isValid()); }
#ifndef Q_OS_WIN
    // Qt's removal takes names as text and leaves those that are not valid text behind.
    ~Tree()
    {
        std::error_code ignored;
        std::filesystem::remove_all(QFile::encodeName(m_dir.path()).toStdString(), ignored);
    }
#endif

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
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(relative);
        EXPECT_TRUE(file.resize(bytes)) << qPrintable(relative);
        return path(relative);
    }
    QString write(const QString &relative, const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(m_dir.filePath(relative)).path());
        QFile file(m_dir.filePath(relative));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(relative);
        EXPECT_EQ(file.write(bytes), bytes.size()) << qPrintable(relative);
        return path(relative);
    }
    QByteArray read(const QString &relative) const
    {
        return bytesOf(m_dir.filePath(relative));
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
#ifndef Q_OS_WIN
    // A file or folder whose name is given as the system's bytes, valid text or not.
    QByteArray raw(const QByteArray &relative, bool folder = false) const
    {
        const QByteArray path = QFile::encodeName(m_dir.path()) + '/' + relative;
        const int made = folder ? ::mkdir(path.constData(), 0700)
                                : ::close(::open(path.constData(), O_CREAT | O_WRONLY, 0600));
        EXPECT_EQ(made, 0) << relative.toHex().constData();
        return path;
    }
#endif
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

private:
    QTemporaryDir m_dir;
};
