// Takes the screenshots in docs/ from real windows; run under a virtual display.
#include "about/aboutbox.h"
#include "app/mainwindow.h"
#include "app/optionswindow.h"
#include "browser/filelist.h"
#include "doubles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cstdio>

namespace {

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
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    QDir().mkpath(out);

    // A small sample folder, so the lists show something real.
    QTemporaryDir sample;
    QDir(sample.path()).mkpath(QStringLiteral("pofo/backup"));
    QDir(sample.path()).mkpath(QStringLiteral("pofo/letters"));
    for (const char *name : {"ADDRESS.ADR", "BUDGET.WKS", "NOTES.TXT", "diary.dry", "readme.md"}) {
        QFile file(sample.filePath(QStringLiteral("pofo/") + QLatin1String(name)));
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray(1234, 'x'));
    }

    TestPlatform tp;
    const QString folder = QDir::toNativeSeparators(sample.filePath(QStringLiteral("pofo")));
    tp.settings.values.insert(QStringLiteral("Dir/Default"), folder);
    tp.settings.values.insert(QStringLiteral("File/Default"), folder);

    bool ok = true;
    MainWindow window(tp.platform, tp.values);
    ok = save(window, out + QStringLiteral("/main-window.png")) && ok;

    // The same window with several files picked by the mouse, the size line filled.
    auto *file1 = window.findChild<FileList *>(QStringLiteral("File1"));
    const auto rowCentre = [file1](int row) {
        return file1->visualRect(file1->model()->index(row, 0)).center();
    };
    QTest::mouseClick(file1->viewport(), Qt::LeftButton, {}, rowCentre(0));
    QTest::mouseClick(file1->viewport(), Qt::LeftButton, Qt::ShiftModifier, rowCentre(2));
    QTest::mouseClick(file1->viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(4));
    ok = save(window, out + QStringLiteral("/main-window-selection.png")) && ok;
    AboutBox about(tp.urls);
    ok = save(about, out + QStringLiteral("/about-box.png")) && ok;
    OptionsWindow options(tp.platform, tp.values);
    ok = save(options, out + QStringLiteral("/options-window.png")) && ok;
    return ok ? 0 : 1;
}
