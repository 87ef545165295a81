// The program in German: the catalogue, and every window's texts in both languages.
#include "about/aboutbox.h"
#include "app/language.h"
#include "app/mainwindow.h"
#include "app/optionswindow.h"
#include "backup/backupwindow.h"
#include "doubles.h"
#include "editor/documentwindow.h"
#include "editor/textarea.h"
#include "testhelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QtTest>

namespace {

TEST(Catalogue, TranslatesEveryTextOfTheCodeKeepingItsMarks)
{
    // lupdate adds a text new in the code as unfinished, and marks one gone as vanished.
    QTemporaryDir dir;
    const QString ts = dir.filePath(u("de.ts"));
    ASSERT_TRUE(QFile::copy(u(TS_FILE), ts));
    QFile file(ts);
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QProcess lupdate;
    lupdate.start(u(LUPDATE),
                  {u(SOURCE_DIR), u("-ts"), ts, u("-locations"), u("none"), u("-silent")});
    ASSERT_TRUE(lupdate.waitForFinished(120000) && lupdate.exitCode() == 0
                && file.open(QFile::ReadOnly));
    const QRegularExpression message(
        u("<source>(.*?)</source>.*?<translation( type=\"\\w+\")?>(.*?)</translation>"),
        QRegularExpression::DotMatchesEverythingOption);
    // A translation keeps its source's placeholders, access key and line breaks.
    const auto marks = [](const QString &xml) {
        QStringList found;
        for (const auto &m : QRegularExpression(u("%\\d|&amp;(?!amp;)\\S|\\n")).globalMatch(xml))
            found.append(m.captured().left(2));
        found.sort();
        return found;
    };
    int count = 0;
    for (const auto &m : message.globalMatch(QString::fromUtf8(file.readAll()))) {
        ++count;
        EXPECT_TRUE(m.captured(2).isEmpty() && !m.captured(3).isEmpty()) << m.captured(1);
        EXPECT_EQ(marks(m.captured(3)), marks(m.captured(1))) << m.captured(1);
    }
    EXPECT_GT(count, 100);
}

// The width a caption has in its control; a button keeps room for its frame, a check box for
// its box.
int room(const QWidget &widget)
{
    QStyleOptionButton option;
    option.initFrom(&widget);
    const auto contents = qobject_cast<const QCheckBox *>(&widget) ? QStyle::SE_CheckBoxContents
                                                                   : QStyle::SE_PushButtonContents;
    return qobject_cast<const QAbstractButton *>(&widget)
               ? widget.style()->subElementRect(contents, &option, &widget).width()
               : widget.contentsRect().width();
}

// "window: line" for each line of each caption, menu entry and tool tip of a window; in faults
// each caption that does not fit its control or is drawn below 8 points.
void walk(const QWidget &window, const QObject &parent, QSet<QString> &shown, QStringList &faults)
{
    for (QObject *object : parent.children()) {
        auto *widget = qobject_cast<QWidget *>(object);
        // The find dialog over the editor is a window of its own; typed texts and the clock
        // are no captions.
        if ((widget && widget->isWindow() && !qobject_cast<QMenu *>(widget))
            || qobject_cast<QLineEdit *>(object)
            || QStringList({u("Date"), u("Time")}).contains(object->objectName()))
            continue;
        walk(window, *object, shown, faults);
        QString text =
            object->property(qobject_cast<QGroupBox *>(object) ? "title" : "text").toString();
        const bool caption = widget && !text.isEmpty();
        if (text.isEmpty())
            text = object->property("toolTip").toString();
        for (const QString &line : text.split(u("\r\n"), Qt::SkipEmptyParts))
            shown.insert(window.objectName() + u(": ") + line);
        if (!caption)
            continue;
        int width = 0;
        for (const QString &line : text.remove(QRegularExpression(u("&(?=[^&])"))).split(u("\r\n")))
            width = std::max(width, widget->fontMetrics().horizontalAdvance(line.trimmed()));
        const auto *label = qobject_cast<QLabel *>(widget);
        if ((label && label->wordWrap() ? label->heightForWidth(label->width()) > label->height()
                                        : width > room(*widget))
            || widget->font().pointSizeF() < 8)
            faults << text + u(": %1 px in %2").arg(width).arg(room(*widget));
    }
}

// Every window of the program, then the find dialog with a word found and the replace row.
QSet<QString> walkAll(QStringList &faults)
{
    Tree tree;
    TestPlatform tp;
    for (const char *section : {"Dir/Default", "File/Default"})
        tp.settings.values.insert(u(section), tree.folder(u("pc")));
    MainWindow main(tp.platform, tp.values);
    OptionsWindow options(tp.platform, tp.values);
    BackupWindow backup(tp.platform, tp.values);
    AboutBox about(tp.urls);
    DocumentWindow document(tp.platform, [] { return std::nullopt; });
    document.openFile(tree.file(u("pc/notes.txt")), u("notes.txt"));
    document.textArea()->setPlainText(u("notes"));
    child<QAction>(document, u("Find"))->trigger();
    auto *find = child<QDialog>(document, u("frmFind"));
    QSet<QString> shown;
    for (QWidget *window : QList<QWidget *>{&main, &options, &backup, &about, &document, find}) {
        window->show();
        shown.insert(window->objectName() + u(": ") + window->windowTitle());
        walk(*window, *window, shown, faults);
    }
    child<QComboBox>(*find, u("cboFind"))->setEditText(u("notes"));
    for (const char *button : {"cmdFind", "cmdReplace"})
        child<QPushButton>(*find, u(button))->click();
    walk(*find, *find, shown, faults);
    return shown;
}

TEST(Language, EnglishShowsTheDescribedTextsGermanNoEnglishAndEveryCaptionFits)
{
    qputenv("TARNWICK_LANGUAGE", "en");
    EXPECT_EQ(Language::use(Language::wanted()), QString());
    qunsetenv("TARNWICK_LANGUAGE");
    const char *described[] = {
        "frmMain|Tarnwick v1.0 - (c) 2026 The Tarnwick developers|PC|File size: 0 Bytes|"
        "Transmit >>|<< Receive|Atari Portfolio|Folder:|File:|Add to list|Clear list|&File|Exit|"
        "Backup|&Options|Show only Atari Portfolio files|Overwrite files if exists?|Path options|"
        "&Info|poppi|New folder|Delete folder",
        "frmOptionen|Options|Paths|Transfolio.exe:|Close",
        "Backup|BACKUP|Step 1|Please enter all folders on the Portfolio which you want to backup "
        "(e.g.: a:\\program\\)|Add more|Step 2|Please enter an existing destination path on your "
        "PC (e.g.: c:\\backup\\)|Start|Close",
        "frmInfo|Info|Tarnwick v1.0|https://www.example.org/tarnwick/|donations@example.org|Ok|"
        "If you like the program please let me know. I am always happy when you donate|"
        "Copyright (c) 2026 The Tarnwick developers|Tarnwick:|This program uses the "
        "command line tool Transfolio.exe|to transmit and receive files from the PC to the "
        "Atari Portfolio|or vice versa.|Transfolio:|Written and kept up by its own "
        "author; thanks!|E-Mail:|tarnwick@example.org",
        "frmDokument|notes.txt|New|Open|Save|Print|Print Preview|Cut|Copy|Paste|Bold|Italic|"
        "Underline|Align Left|Center|Align Right|Find|Line Number: 1|CAPS|INS|NUM",
        "frmFind|Find...|Fin&d What:|Replace &With:|&Find|Cancel|Search Options|"
        "Find Whole Word &Only|Match Ca&se|&Replace...|Replace &All|&Find Next|&Replace",
    };
    QSet<QString> expected;
    for (const char *window : described) {
        const QStringList texts = u(window).split(u'|');
        for (const QString &text : texts.mid(1))
            expected.insert(texts.first() + u(": ") + text);
    }
    QStringList faults;
    const QSet<QString> english = walkAll(faults);
    EXPECT_EQ(QSet<QString>(english).subtract(expected).values(), QStringList()) << "not described";
    EXPECT_EQ(QSet<QString>(expected).subtract(english).values(), QStringList()) << "not shown";

    ASSERT_EQ(Language::use({u("fr-FR"), u("de-AT")}), u("de"));
    QSet<QString> german = walkAll(faults);
    // Names, addresses and the words German shares with English.
    const QStringList shared = u("Tarnwick v1.0 - (c) 2026 The Tarnwick developers|PC|Atari "
                                 "Portfolio|&Info|Info|poppi|Transfolio.exe:|Tarnwick v1.0|"
                                 "Copyright (c) 2026 The Tarnwick developers|Tarnwick:|Transfolio:|"
                                 "E-Mail:|tarnwick@example.org|https://www.example.org/tarnwick/|"
                                 "donations@example.org|notes.txt|NUM")
                                   .split(u'|');
    for (const QString &text : german.intersect(english))
        EXPECT_TRUE(shared.contains(text.mid(text.indexOf(u(": ")) + 2))) << text << " is English";
    EXPECT_EQ(faults, QStringList());
    EXPECT_EQ(Language::use({u("en-GB"), u("de")}), QString());
}

} // namespace
