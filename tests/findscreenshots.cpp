// Takes screenshots of the find dialog, collapsed and expanded, over a text area holding a
// found word; run under a virtual display: findscreenshots [folder]
#include "doubles.h"
#include "find/finddialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTextEdit>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    QDir().mkpath(out);
    QTextEdit area;
    area.setPlainText(
        QStringLiteral("The cat sat on the mat.\nA concatenated cat is still a cat."));
    area.resize(600, 300);
    area.show();
    RecordingDialogs dialogs;
    QPointer<FindDialog> dialog;
    FindDialog::showFor(dialog, area, dialogs, &area);
    dialog->findChild<QComboBox *>(QStringLiteral("cboFind"))->setEditText(QStringLiteral("cat"));
    dialog->findChild<QPushButton *>(QStringLiteral("cmdFind"))->click();

    bool ok = true;
    for (const char *name : {"find-dialog.png", "find-dialog-expanded.png"}) {
        QApplication::processEvents();
        const QString path = out + QLatin1Char('/') + QLatin1String(name);
        const bool saved = dialog->grab().save(path);
        std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
        ok = saved && ok;
        if (dialog->findChild<QPushButton *>(QStringLiteral("cmdReplace"))->text().endsWith('.'))
            dialog->findChild<QPushButton *>(QStringLiteral("cmdReplace"))->click();
    }
    ok = area.grab().save(out + QStringLiteral("/find-dialog-text-area.png")) && ok;
    return ok ? 0 : 1;
}
