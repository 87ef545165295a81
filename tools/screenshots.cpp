// Takes the screenshots in docs/ from real windows; run under a virtual display.
#include "about/aboutbox.h"
#include "app/language.h"
#include "app/mainwindow.h"
#include "app/optionswindow.h"
#include "app/transferswindow.h"
#include "backup/backupwindow.h"
#include "browser/filelist.h"
#include "browser/folderlist.h"
#include "doubles.h"
#include "platform/volumes.h"
#include "transfer/transferqueue.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cstdio>

namespace {

// Plays what the tool printed for each run: done, failed, and one still sending.
class ScriptedRunner final : public ToolRunner
{
public:
    Status start(const QString &) override
    {
        const int run = m_runs++;
        const QByteArray said[] = {
            "Waiting for Portfolio...\nTransmitting /home/ann/pofo/LETTER.TXT to "
            "a:\\LETTERS\\LETTER.TXT\n"
            "Sent 1520 of 1520 bytes.\r\n",
            "Waiting for Portfolio...\nFile not found: a:\\DOCS\\BUDGET.WKS\n",
            "Waiting for Portfolio...\nReceiving ADDRESS.ADR\nReceived 5012 of 12288 bytes\r"};
        emit output(said[std::min(run, 2)]);
        if (run < 2)
            emit finished(run, false);
        return {};
    }
    void stop() override {}

private:
    int m_runs = 0;
};

bool save(QWidget &window, const QString &path)
{
    window.show();
    QApplication::processEvents();
    const bool ok = window.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString docs = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    QDir().mkpath(docs);
    // A second argument: "scale2" takes only the main window and the about box, named for a run
    // at QT_SCALE_FACTOR=2; a language takes the pictures in it, named "de-main-window.png".
    const QString mode = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    const bool scale2 = mode == QLatin1String("scale2");
    const QString language = scale2 ? QString() : mode;
    if (!language.isEmpty() && Language::use({language}).isEmpty()) {
        std::fprintf(stderr, "There is no catalogue for %s.\n", argv[2]);
        return 1;
    }
    const QString out =
        docs + QLatin1Char('/') + (language.isEmpty() ? QString() : language + QLatin1Char('-'));

    // A small sample folder, so the lists show something real.
    QTemporaryDir sample;
    QDir(sample.path()).mkpath(QStringLiteral("pofo/backup"));
    QDir(sample.path()).mkpath(QStringLiteral("pofo/letters"));
    for (const char *name : {"ADDRESS.ADR", "BUDGET.WKS", "NOTES.TXT", "diary.dry", "readme.md"}) {
        QFile file(sample.filePath(QStringLiteral("pofo/") + QLatin1String(name)));
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray(1234, 'x'));
    }

    // A letter as a word processor writes it, for the editor.
    QFile letter(sample.filePath(QStringLiteral("pofo/LETTER.RTF")));
    if (letter.open(QIODevice::WriteOnly)) {
        letter.write(R"({\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss Liberation Sans;})"
                     R"({\f1\froman Liberation Serif;}{\f2\fmodern Liberation Mono;}})"
                     R"({\colortbl ;\red0\green0\blue128;\red192\green0\blue0;})"
                     "\n"
                     R"(\pard\qc\f1\fs40\b\cf1 Atari Portfolio\b0\cf0\par)"
                     R"(\pard\qc\fs22\i A letter about the palmtop\i0\par\pard\f0\fs20\par )"
                     R"(Dear Ann,\par\par the \b Portfolio\b0  arrived on Monday. It runs for )"
                     R"(weeks on three \ul AA cells\ulnone , and its \cf2 memory card\cf0  )"
                     R"(holds 128\~kB. I send you the address book with Tarnwick.\par\par)"
                     R"(\pard\qr\f2\fs18 a:\\LETTERS\\ANN.TXT\par})");
        letter.close();
    }

    TestPlatform tp;
    // The real drives, so the drive list looks as it does on this machine.
    SystemVolumes volumes;
    Platform platform{tp.settings, tp.dialogs, tp.urls, tp.commands, volumes, tp.keyboard};
    const QString folder = QDir::toNativeSeparators(sample.filePath(QStringLiteral("pofo")));
    tp.settings.values.insert(QStringLiteral("Dir/Default"), folder);
    tp.settings.values.insert(QStringLiteral("File/Default"), folder);

    bool ok = true;
    MainWindow window(platform, tp.values);
    if (scale2) {
        AboutBox about(tp.urls);
        return save(window, out + QStringLiteral("main-window-scale2.png"))
                       && save(about, out + QStringLiteral("about-box-scale2.png"))
                   ? 0
                   : 1;
    }
    ok = save(window, out + QStringLiteral("main-window.png")) && ok;

    // The same window with several files picked by the mouse, the size line filled.
    auto *file1 = window.findChild<FileList *>(QStringLiteral("File1"));
    const auto rowCentre = [file1](int row) {
        return file1->visualRect(file1->model()->index(row, 0)).center();
    };
    QTest::mouseClick(file1->viewport(), Qt::LeftButton, {}, rowCentre(0));
    QTest::mouseClick(file1->viewport(), Qt::LeftButton, Qt::ShiftModifier, rowCentre(2));
    QTest::mouseClick(file1->viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(4));
    ok = save(window, out + QStringLiteral("main-window-selection.png")) && ok;
    AboutBox about(tp.urls);
    ok = save(about, out + QStringLiteral("about-box.png")) && ok;
    OptionsWindow options(platform, tp.values);
    ok = save(options, out + QStringLiteral("options-window.png")) && ok;

    // A receive list of a few Portfolio files, collected with "Add to list".
    auto *folderField = window.findChild<QLineEdit *>(QStringLiteral("PofoFolder"));
    auto *fileField = window.findChild<QLineEdit *>(QStringLiteral("PoFoFile"));
    auto *add = window.findChild<QPushButton *>(QStringLiteral("Command3"));
    const char *entries[][2] = {{"DOCS", "LETTER.TXT"},
                                {"DOCS", "BUDGET.WKS"},
                                {"", "ADDRESS.ADR"},
                                {"SYSTEM", "AUTOEXEC.BAT"}};
    for (const auto &entry : entries) {
        folderField->setText(QLatin1String(entry[0]));
        fileField->setText(QLatin1String(entry[1]));
        add->click();
    }
    ok = save(window, out + QStringLiteral("main-window-receive-list.png")) && ok;

    // The backup wizard with all eight folder boxes shown.
    BackupWindow backup(platform, tp.values, window.transfers());
    auto *addMore = backup.findChild<QPushButton *>(QStringLiteral("Add"));
    for (int i = 0; i < 7; ++i)
        addMore->click();
    const char *folders[] = {"a:\\program\\", "a:\\system\\", "", "c:\\letters\\"};
    for (int i = 0; i < 4; ++i)
        backup.findChild<QLineEdit *>(QStringLiteral("Text1_%1").arg(i))
            ->setText(QLatin1String(folders[i]));
    backup.findChild<QLineEdit *>(QStringLiteral("Text7"))
        ->setText(QStringLiteral("/home/ann/pofo-backup/"));
    ok = save(backup, out + QStringLiteral("backup-wizard.png")) && ok;

    // The Transfers window with a run done, one failed and one running.
    ScriptedRunner scripted;
    TransferQueue transfers(scripted);
    TransfersWindow transfersWindow(transfers, tp.dialogs);
    transfers.add(
        {{QStringLiteral("/home/ann/pofo/LETTER.TXT \u2192 a:\\LETTERS\\LETTER.TXT"),
          QStringLiteral("t")},
         {QStringLiteral("a:\\DOCS\\BUDGET.WKS \u2192 /home/ann/pofo"), QStringLiteral("t")},
         {QStringLiteral("a:\\ADDRESS.ADR \u2192 /home/ann/pofo"), QStringLiteral("t")}},
        [] {});
    QTest::qWait(300);
    ok = save(transfersWindow, out + QStringLiteral("transfers.png")) && ok;

    // The editor with the letter, opened by a double click in the file list.
    file1->setPattern(QStringLiteral("*.*"));
    for (int row = 0; row < file1->count(); ++row) {
        if (file1->name(row) == QLatin1String("LETTER.RTF"))
            QTest::mouseClick(file1->viewport(), Qt::LeftButton, {}, rowCentre(row));
    }
    window.openDocument();
    QWidget *editor = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QLatin1String("frmDokument"))
            editor = top;
    }
    if (!editor)
        return 1;
    ok = save(*editor, out + QStringLiteral("editor.png")) && ok;

    // The find dialog, expanded, over the letter with a word found.
    editor->findChild<QAction *>(QStringLiteral("Find"))->trigger();
    auto *find = editor->findChild<QDialog *>(QStringLiteral("frmFind"));
    if (!find)
        return 1;
    find->findChild<QComboBox *>(QStringLiteral("cboFind"))
        ->setEditText(QStringLiteral("Portfolio"));
    find->findChild<QPushButton *>(QStringLiteral("cmdFind"))->click();
    find->findChild<QPushButton *>(QStringLiteral("cmdFind"))->click();
    find->findChild<QPushButton *>(QStringLiteral("cmdReplace"))->click();
    find->findChild<QComboBox *>(QStringLiteral("cboReplace"))
        ->setEditText(QStringLiteral("palmtop"));
    find->move(editor->geometry().center() - QPoint(find->width() / 2, 0));
    ok = save(*find, out + QStringLiteral("find-dialog.png")) && ok;
    QTest::qWait(200);
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(
        0, editor->frameGeometry().x(), editor->frameGeometry().y(),
        editor->frameGeometry().width(), editor->frameGeometry().height());
    const QString both = out + QStringLiteral("find-over-editor.png");
    const bool saved = screen.save(both);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(both));
    find->close();

    // The same windows in a dark theme: the palette that QPalette makes from a dark button.
    if (language.isEmpty()) {
        // A folder deeper than the path field is long: the field scrolls, the tooltip has it all.
        auto *dir1 = window.findChild<FolderList *>(QStringLiteral("Dir1"));
        const QString open = dir1->path();
        const QString deep = sample.filePath(QStringLiteral(
            "pofo/letters/to Ann and the Portfolio club/2026/answers to the club's questions "
            "about memory cards and the parallel port"));
        QDir().mkpath(deep);
        dir1->setPath(deep);
        ok = save(window, out + QStringLiteral("main-window-long-path.png")) && ok;
        dir1->setPath(open);
        QApplication::setPalette(QPalette(QColor(53, 53, 53)));
        ok = save(window, out + QStringLiteral("dark-main-window.png")) && ok;
        dir1->setPath(deep);
        ok = save(window, out + QStringLiteral("dark-main-window-long-path.png")) && ok;
        dir1->setPath(open);
        AboutBox darkAbout(tp.urls);
        ok = save(darkAbout, out + QStringLiteral("dark-about-box.png")) && ok;
        ok = save(*editor, out + QStringLiteral("dark-editor.png")) && ok;
    }
    return ok && saved ? 0 : 1;
}
