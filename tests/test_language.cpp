// The German catalogue, and each window's texts, layout and screen-reader names in both languages.
#include "about/aboutbox.h"
#include "app/language.h"
#include "app/mainwindow.h"
#include "app/optionswindow.h"
#include "backup/backupwindow.h"
#include "doubles.h"
#include "editor/documentwindow.h"
#include "editor/textarea.h"
#include "testhelpers.h"
#include "transfer/transferqueue.h"

#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMetaEnum>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>

namespace {

TEST(Catalogue, TranslatesEveryTextOfTheCodeKeepingItsMarks)
{
    // lupdate adds a text new in the code as unfinished, and marks one gone as vanished.
    Tree tree;
    const QString ts = tree.write(u("de.ts"), bytesOf(u(TS_FILE)));
    ASSERT_EQ(QProcess::execute(u(LUPDATE), {u(SOURCE_DIR), u("-ts"), ts, u("-locations"),
                                             u("none"), u("-silent")}),
              0);
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
    for (const auto &m : message.globalMatch(QString::fromUtf8(tree.read(u("de.ts"))))) {
        ++count;
        EXPECT_EQ(m.captured(2), QString()) << m.captured(1);
        EXPECT_NE(m.captured(3), QString()) << m.captured(1);
        EXPECT_EQ(marks(m.captured(3)), marks(m.captured(1))) << m.captured(1);
    }
    EXPECT_GT(count, 100);
}

// "window: line" for each line of each caption, menu entry and tool tip of a window.
void walk(const QWidget &window, const QObject &parent, QSet<QString> &shown)
{
    for (QObject *object : parent.children()) {
        auto *widget = qobject_cast<QWidget *>(object);
        // No captions: other windows (the find dialog), typed texts, the clock, the path.
        if ((widget && widget->isWindow() && !qobject_cast<QMenu *>(widget))
            || qobject_cast<QLineEdit *>(object)
            || QStringList({u("Date"), u("Time"), u("Dateiname")}).contains(object->objectName()))
            continue;
        walk(window, *object, shown);
        QString text =
            object->property(qobject_cast<QGroupBox *>(object) ? "title" : "text").toString();
        if (text.isEmpty())
            text = object->property("toolTip").toString();
        for (const QString &line : text.split(u("\r\n"), Qt::SkipEmptyParts))
            shown.insert(window.objectName() + u(": ") + line);
    }
}

// Focusable controls and buttons a screen reader meets unnamed, and names two neighbours share.
QStringList unnamed(QAccessibleInterface *node)
{
    QStringList faults, names;
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface *item = node->child(i);
        const QAccessible::Role role = item->role();
        const QString name = item->text(QAccessible::Name);
        if (node->role() == QAccessible::ComboBox && role == QAccessible::List)
            continue; // a box's drop-down list, named by the box
        const bool focusable = item->state().focusable;
        const bool button = role == QAccessible::Button || role == QAccessible::CheckBox;
        if (name.isEmpty() ? focusable || button : focusable && names.contains(name))
            faults << QMetaEnum::fromType<QAccessible::Role>().valueToKey(role) + u(" \"") + name
                          + u("\" in ") + node->text(QAccessible::Name);
        names << (focusable ? name : QString());
        if (role != QAccessible::List) // a list's entries are what it holds, not controls
            faults += unnamed(item);
    }
    return faults;
}

// The texts of every window, and of the find dialog with a word found and its replace row.
QSet<QString> walkAll()
{
    Tree tree;
    TestPlatform tp;
    tp.settings.values.insert(u("Dir/Default"), tree.folder(u("pc")));
    MainWindow main(tp.platform, tp.values);
    OptionsWindow options(tp.platform, tp.values);
    TransferQueue transfers(tp.commands);
    BackupWindow backup(tp.platform, tp.values, transfers);
    AboutBox about(tp.urls);
    DocumentWindow document(tp.platform, []() -> Result<QString> { return Failure{}; });
    document.openFile(tree.file(u("pc/notes.txt")), u("notes.txt"));
    document.textArea()->setPlainText(u("notes"));
    QSet<QString> shown;
    const auto check = [&shown](QWidget &window) {
        window.show();
        shown.insert(window.objectName() + u(": ") + window.windowTitle());
        walk(window, window, shown);
        expectReadable(window);
        QAccessibleInterface *root = QAccessible::queryAccessibleInterface(&window);
        EXPECT_EQ(root->role(),
                  qobject_cast<QDialog *>(&window) ? QAccessible::Dialog : QAccessible::Window);
        EXPECT_EQ(unnamed(root), QStringList()) << window.objectName();
    };
    for (QWidget *window : QList<QWidget *>{&main, &options, &backup, &about, &document})
        check(*window);
    child<QAction>(document, u("Find"))->trigger();
    auto *find = child<QDialog>(document, u("frmFind"));
    check(*find);
    child<QComboBox>(*find, u("cboFind"))->setEditText(u("notes"));
    for (const char *button : {"cmdFind", "cmdReplace"})
        child<QPushButton>(*find, u(button))->click();
    check(*find);
    return shown;
}

TEST(Language, EnglishShowsTheDescribedTextsGermanNoEnglishAndEveryCaptionFits)
{
    const char *described[] = {
        "frmMain|Tarnwick v1.0 - (c) 2026 The Tarnwick developers|PC|File size: 0 Bytes|Transmit "
        ">>|<< Receive|Atari Portfolio|Folder:|File:|Add to list|Clear list|&File|&Transfers|Exit|"
        "Backup|&Options|Show only Atari Portfolio files|Overwrite files if exists?|Path options|"
        "&Info|poppi|New folder|Delete folder",
        "frmOptionen|Options|Paths|Transfolio.exe:|Close",
        "Backup|BACKUP|Step 1|Please enter all folders on the Portfolio which you want to backup "
        "(e.g.: a:\\program\\)|Add more|Step 2|Please enter an existing destination path on your "
        "PC (e.g.: c:\\backup\\)|Start|Close",
        "frmInfo|Info|Tarnwick v1.0|https://www.example.org/tarnwick/|donations@example.org|Ok|If "
        "you like the program please let me know. I am always happy when you donate|Copyright (c) "
        "2026 The Tarnwick developers|Tarnwick:|This program uses the command line tool "
        "Transfolio.exe|to transmit and receive files from the PC to the Atari Portfolio|or vice "
        "versa.|Transfolio:|Written and kept up by its own author; thanks!|E-Mail:|"
        "tarnwick@example.org",
        "frmDokument|notes.txt|New|Open|Save|Print|Print Preview|Cut|Copy|Paste|Bold|Italic|"
        "Underline|Align Left|Center|Align Right|Find|Line Number: 1|CAPS|INS|NUM",
        "frmFind|Find...|Fin&d What:|Replace &With:|&Find|Cancel|Search Options|Find Whole Word "
        "&Only|Match Ca&se|&Replace...|Replace &All|&Find Next|&Replace",
    };
    QSet<QString> expected;
    for (const char *window : described) {
        const QStringList texts = u(window).split(u'|');
        for (const QString &text : texts.mid(1))
            expected.insert(texts.first() + u(": ") + text);
    }
    const QSet<QString> english = walkAll();
    EXPECT_EQ(QSet<QString>(english).subtract(expected).values(), QStringList()) << "not described";
    EXPECT_EQ(QSet<QString>(expected).subtract(english).values(), QStringList()) << "not shown";

    ASSERT_EQ(Language::use({u("fr-FR"), u("de-AT")}), u("de"));
    QSet<QString> german = walkAll();
    // Names, addresses and the words German shares with English.
    const QStringList shared = u("Tarnwick v1.0 - (c) 2026 The Tarnwick developers|PC|Atari "
                                 "Portfolio|&Info|Info|poppi|Transfolio.exe:|Tarnwick v1.0|"
                                 "Copyright (c) 2026 The Tarnwick developers|Tarnwick:|Transfolio:|"
                                 "E-Mail:|tarnwick@example.org|https://www.example.org/tarnwick/|"
                                 "donations@example.org|notes.txt|NUM")
                                   .split(u'|');
    for (const QString &text : german.intersect(english))
        EXPECT_TRUE(shared.contains(text.mid(text.indexOf(u(": ")) + 2))) << text << " is English";
    EXPECT_EQ(Language::use({u("en-GB"), u("de")}), QString());
}

} // namespace
