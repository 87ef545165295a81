// Every window as a screen reader, a keyboard and a dark theme meet it.
#include "about/aboutbox.h"
#include "app/mainwindow.h"
#include "app/optionswindow.h"
#include "backup/backupwindow.h"
#include "browser/folderlist.h"
#include "common/popupmenukey.h"
#include "doubles.h"
#include "editor/documentwindow.h"
#include "editor/textarea.h"
#include "find/finddialog.h"
#include "testhelpers.h"

#include <QAccessible>
#include <QMenu>
#include <QMetaEnum>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

// Lists the nodes under a window as a screen reader meets them; returns the focusable controls
// and buttons without a name, and a name that two focusable neighbours share.
QStringList walk(QAccessibleInterface *node, const QString &indent, QStringList &listing)
{
    QStringList faults, names;
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface *item = node->child(i);
        const QAccessible::Role role = item->role();
        const QString name = item->text(QAccessible::Name);
        if (node->role() == QAccessible::ComboBox && role == QAccessible::List)
            continue; // a box's drop-down list, named by the box
        listing << indent + QMetaEnum::fromType<QAccessible::Role>().valueToKey(role) + u(" \"")
                       + name + u("\"");
        const bool focusable = item->state().focusable;
        const bool button = role == QAccessible::Button || role == QAccessible::CheckBox;
        if (name.isEmpty() ? focusable || button : focusable && names.contains(name))
            faults << listing.last();
        names << (focusable ? name : QString());
        if (role != QAccessible::List) // a list's entries are what it holds, not controls
            faults += walk(item, indent + u("  "), listing);
    }
    return faults;
}

TEST(Desktop, EveryWindowIsNamedForScreenReadersControlByControl)
{
    Tree tree;
    TestPlatform tp;
    tp.settings.values.insert(u("Dir/Default"), tree.path());
    MainWindow main(tp.platform, tp.values);
    AboutBox about(tp.urls);
    OptionsWindow options(tp.platform, tp.values);
    BackupWindow backup(tp.platform, tp.values);
    DocumentWindow document(tp.platform, [] { return std::optional<QString>(); });
    auto *find = new FindDialog(*document.textArea(), tp.dialogs, &document);
    const std::pair<QWidget *, QAccessible::Role> windows[] = {
        {&main, QAccessible::Window},     {&about, QAccessible::Dialog},
        {&options, QAccessible::Dialog},  {&backup, QAccessible::Dialog},
        {&document, QAccessible::Window}, {find, QAccessible::Dialog}};
    for (const auto &[window, role] : windows) {
        QAccessibleInterface *root = QAccessible::queryAccessibleInterface(window);
        EXPECT_EQ(root->role(), role) << window->objectName();
        QStringList listing = {window->objectName()};
        EXPECT_EQ(walk(root, u("  "), listing), QStringList()) << window->objectName();
        qInfo().noquote() << listing.join(u("\n")) + u("\n");
    }
}

TEST(Desktop, ShiftF10OrMenuOpensTheFolderMenuAtTheCurrentEntryEnterAFileInTheEditor)
{
    Tree tree;
    for (const char *name : {"pc/a.txt", "pc/b.txt", "pc/sub/c.txt"})
        tree.file(u(name));
    TestPlatform tp;
    tp.settings.values.insert(u("Dir/Default"), tree.path(u("pc")));
    MainWindow main(tp.platform, tp.values);
    PopupMenuKey shiftF10;
    qApp->installEventFilter(&shiftF10);
    auto *dir1 = child<FolderList>(main, u("Dir1"));
    auto *menu = child<QMenu>(main, u("mnupoppi"));
    QTest::keyClick(dir1, Qt::Key_Down); // from the open folder to its subfolder
    const QRect entry = dir1->visualItemRect(dir1->currentItem());
    for (const QKeyCombination key : {Qt::SHIFT | Qt::Key_F10, QKeyCombination(Qt::Key_Menu)}) {
        QTest::keyClick(dir1, key.key(), key.keyboardModifiers());
        EXPECT_TRUE(menu->isVisible()
                    && entry.contains(dir1->viewport()->mapFromGlobal(menu->pos())));
        menu->close();
    }
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return})
        QTest::keyClick(child(main, u("File1")), key);
    QWidget *editor = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        editor = top->objectName() == u("frmDokument") ? top : editor;
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(std::unique_ptr<QWidget>(editor)->windowTitle(), u("b.txt"));
}

// The contrast of two colours, as the web's accessibility guidelines compute it.
double contrast(const QColor &a, const QColor &b)
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

TEST(Desktop, TheToolbarPicturesTakeTheNewColoursWhenTheThemeTurnsDark)
{
    const QPalette light = QApplication::palette();
    TestPlatform tp;
    DocumentWindow editor(tp.platform, [] { return std::optional<QString>(); });
    editor.show();
    QApplication::setPalette(QPalette(QColor(53, 53, 53)));
    QCoreApplication::processEvents();
    const QColor toolbar = child(editor, u("tbToolBar"))->palette().color(QPalette::Window);
    for (QAction *button : child(editor, u("tbToolBar"))->actions()) {
        if (button->isSeparator())
            continue;
        const QImage picture = button->icon().pixmap(16, 16).toImage();
        double best = 1;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                if (qAlpha(picture.pixel(x, y)) == 255)
                    best = std::max(best, contrast(picture.pixelColor(x, y), toolbar));
            }
        }
        EXPECT_GE(best, 3) << button->objectName().toStdString();
    }
    QApplication::setPalette(light);
}

TEST(Desktop, TheAboutBoxTextReadsOnItsWhiteInADarkTheme)
{
    const QPalette light = QApplication::palette();
    QApplication::setPalette(QPalette(QColor(53, 53, 53))); // light text on black
    RecordingUrlOpener urls;
    AboutBox box(urls);
    box.show();
    const QImage shot = box.grab().toImage();
    EXPECT_EQ(shot.pixelColor(1, 1), QColor(Qt::white)); // the fixed background stays
    for (const char *name : {"Label1", "Label2", "Label3", "Label4", "Label5"}) {
        const QRect label = child(box, u(name))->geometry();
        int darkest = 255;
        for (int y = label.top(); y <= label.bottom(); ++y) {
            for (int x = label.left(); x <= label.right(); ++x)
                darkest = std::min(darkest, qGray(shot.pixel(x, y)));
        }
        EXPECT_GE(contrast(QColor(darkest, darkest, darkest), Qt::white), 4.5) << name;
    }
    QApplication::setPalette(light);
}

} // namespace
