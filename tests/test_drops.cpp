// Files dropped from a file manager onto the PC file list and onto the document window.
#include "app/mainwindow.h"
#include "browser/filelist.h"
#include "browser/folderlist.h"
#include "browser/pathfield.h"
#include "browser/sizeline.h"
#include "doubles.h"
#include "testhelpers.h"

#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QTextEdit>
#include <QtTest>

namespace {

// A drop as a file manager makes it, offering a copy or a move; true when taken as a copy.
bool drop(QWidget *target, const QList<QUrl> &urls)
{
    QMimeData data;
    data.setUrls(urls);
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(QPoint(1, 1), offered, &data, Qt::LeftButton, {});
    QDropEvent event(QPointF(1, 1), offered, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    QApplication::sendEvent(target, &event);
    // Never a move, which would let the file manager delete what it sent.
    return enter.isAccepted() && event.isAccepted() && event.dropAction() == Qt::CopyAction;
}

TEST(Drops, OpenTheFolderAndSelectTheFilesOrOpenADocumentButNeverSend)
{
    // Lists are split at "|"; the document window is "clean" or "edited" before the drop.
    const struct
    {
        const char *onto, *dropped, *folder, *path, *selected, *boxes, *message;
    } cases[] = {
        {"list", "two/a.txt", "two", "two/a.txt", "a.txt", "", ""},
        {"list", "two/b.txt|two/a.txt", "two", "two/b.txt", "a.txt|b.txt", "", ""},
        {"list", "two/sub", "two/sub", "two/sub", "", "", ""},
        {"list", "two/b.txt|pc/x.txt|two/c.doc", "two", "two/b.txt", "b.txt|c.doc", "message",
         "Left out: 1 of the dropped entries."},
        {"list", "https://example.org/a.txt", "pc", "pc", "", "message",
         "example.org/a.txt is not"},
        {"list", "two/sub/my\u00a0 letter.txt", "two/sub", "two/sub/my\u00a0 letter.txt",
         "my\u00a0 letter.txt", "", ""},
        {"clean", "two/sub/NOTE.RTF", "two/sub", "two/sub/NOTE.RTF", "NOTE.RTF", "", ""},
        {"edited", "two/a.txt", "pc", "pc/x.txt", "x.txt", "okCancel", ""},
        {"clean", "two/c.doc", "pc", "pc/x.txt", "x.txt", "", ""},
    };
    for (const auto &c : cases) {
        const QStringList selected = u(c.selected).split(u'|', Qt::SkipEmptyParts);
        Tree tree;
        for (const char *name : {"pc/x.txt", "two/a.txt", "two/b.txt", "two/c.doc",
                                 "two/sub/NOTE.RTF", "two/sub/my\u00a0 letter.txt"})
            tree.file(u(name), 1000);
        TestPlatform tp;
        tp.mounts = {{u("/dev/a"), tree.path(), u("TREE")},
                     {u("/dev/b"), tree.path(u("two")), u("TWO")}};
        for (const char *section : {"Dir/Default", "File/Default"})
            tp.settings.values.insert(u(section), tree.path(u("pc")));
        MainWindow window(tp.platform, tp.values);
        window.show();
        auto *file1 = child<FileList>(window, u("File1"));
        QWidget *target = file1->viewport();
        std::unique_ptr<QWidget> document;
        if (u(c.onto) != u("list")) {
            QTest::mouseClick(target, Qt::LeftButton, {},
                              file1->visualRect(file1->model()->index(0, 0)).center());
            window.openDocument();
            for (QWidget *top : QApplication::topLevelWidgets()) {
                if (top->objectName() == u("frmDokument"))
                    document.reset(top);
            }
            auto *text = child<QTextEdit>(*document, u("rtfText"));
            text->insertPlainText(u(c.onto) == u("edited") ? u("typed") : QString());
            target = text->viewport();
        }
        QList<QUrl> urls;
        for (const QString &entry : u(c.dropped).split(u'|'))
            urls.append(entry.contains(u("//")) ? QUrl(entry)
                                                : QUrl::fromLocalFile(tree.path(entry)));
        // Only a drop that changes nothing at all is refused.
        EXPECT_EQ(drop(target, urls), !QString(c.path).endsWith(u("x.txt")) || *c.boxes)
            << c.dropped;
        EXPECT_EQ(child<FolderList>(window, u("Dir1"))->path(), tree.path(u(c.folder)))
            << c.dropped;
        EXPECT_EQ(child<QComboBox>(window, u("Drive1"))->currentText(),
                  u(c.folder).startsWith(u("two")) ? tree.path(u("two")) + u(" [TWO]")
                                                   : tree.path() + u(" [TREE]"));
        EXPECT_EQ(child<PathField>(window, u("Dateiname"))->path(), tree.path(u(c.path)))
            << c.dropped;
        EXPECT_EQ(file1->selectedNames(), selected) << c.dropped;
        EXPECT_TRUE(selected.isEmpty()
                    || child<QLabel>(window, u("Size"))->text()
                           == SizeLine::text(1000 * selected.size()));
        EXPECT_EQ(tp.dialogs.kinds().join(u(" ")), u(c.boxes)) << c.dropped;
        EXPECT_TRUE(tp.dialogs.boxes.isEmpty() || tp.dialogs.boxes[0].text.contains(u(c.message)));
        if (document) {
            EXPECT_EQ(document->windowTitle(), QFileInfo(tree.path(u(c.path))).fileName())
                << c.dropped;
            child<QTextEdit>(*document, u("rtfText"))->document()->setModified(false);
        }
        // Nothing is sent before Transmit, which sends exactly the files selected.
        EXPECT_TRUE(tp.commands.attempted.isEmpty()) << c.dropped;
        QTest::mouseClick(child(window, u("Command1")), Qt::LeftButton);
        EXPECT_EQ(tp.commands.attempted.size(), selected.size()) << c.dropped;
    }
}

} // namespace
