// The small windows' own behaviour.
#include "about/aboutbox.h"
#include "about/drawnpicture.h"
#include "app/optionswindow.h"
#include "backup/backupwindow.h"
#include "common/busywork.h"
#include "common/maker.h"
#include "doubles.h"
#include "testhelpers.h"
#include "transfer/transferqueue.h"

#include <QAccessible>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpontaneKeyEvent>

namespace {

TEST(AboutBox, ReadsOnItsWhiteInADarkThemeAndOpensTheAddressesOnEveryClickOrKey)
{
    const QPalette light = QApplication::palette();
    QApplication::setPalette(QPalette(QColor(53, 53, 53))); // light text on black
    RecordingUrlOpener urls;
    AboutBox box(urls);
    box.show();
    const QImage shot = box.grab().toImage();
    EXPECT_EQ(shot.pixelColor(1, 1), QColor(Qt::white)); // the fixed background stays
    for (const char *name : {"Label1", "Label2", "Label3", "Label4", "Label5"})
        EXPECT_GE(highestContrast(shot.copy(child(box, u(name))->geometry()), Qt::white), 4.5)
            << name;
    // The donation button is drawn over its whole frame, its yellow reaching near either end.
    const QRect button = child(box, u("Image3"))->geometry();
    for (const int x : {button.left() + button.width() / 10, button.right() - button.width() / 10})
        EXPECT_EQ(shot.pixelColor(x, button.center().y()), QColor(Qt::yellow)) << x;
    for (const char *name : {"Label5", "Image3", "Label5", "Label4", "Label2"})
        QTest::mouseClick(child(box, u(name)), Qt::LeftButton);
    QTest::mouseClick(child(box, u("Label5")), Qt::RightButton);
    for (const char *name : {"Label5", "Image3", "Label4", "Label2"}) // only the links point
        EXPECT_EQ(child(box, u(name))->cursor().shape() == Qt::PointingHandCursor,
                  QByteArray("Label5 Image3").contains(name))
            << name;
    // From the keyboard: Tab goes from "Ok" to each link, and Enter or Space follows it.
    QApplication::setActiveWindow(&box);
    child(box, u("Command1"))->setFocus();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), key);
    }
    // A screen reader finds both as links by their names and follows them with its press.
    const std::pair<const char *, QString> links[] = {{"Label5", Maker::WebAddress},
                                                      {"Image3", u("Donate")}};
    for (const auto &[name, spoken] : links) {
        QAccessibleInterface *link = QAccessible::queryAccessibleInterface(child(box, u(name)));
        EXPECT_EQ(link->role(), QAccessible::Link) << name;
        EXPECT_EQ(link->text(QAccessible::Name), spoken);
        link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
    // The clicks, the keys, the screen reader: each link once from each, in that order.
    const QUrl web(Maker::WebAddress), donate(Maker::DonationPage);
    EXPECT_EQ(urls.opened, QList<QUrl>({web, donate, web, web, donate, web, donate}));
    QTest::mouseClick(child(box, u("Command1")), Qt::LeftButton);
    EXPECT_FALSE(box.isVisible());
    QApplication::setPalette(light);
}

// Run at scale 2 too: the picture fills its widget to the last device pixel, drawn again only
// for a new size.
TEST(DrawnPicture, FillsItsWidgetInTheScreensPixelsAndIsDrawnOnceForEachSize)
{
    struct Shown final : QWidget
    {
        explicit Shown(DrawnPicture::Draw draw)
            : picture(std::move(draw))
        {}
        void paintEvent(QPaintEvent *) override { picture.paint(this); }
        DrawnPicture picture;
    };
    QList<QSize> drawn;
    Shown widget([&drawn](QSize pixels) {
        drawn << pixels;
        QImage image(pixels, QImage::Format_RGB32);
        image.fill(Qt::yellow);
        image.setPixelColor(pixels.width() - 1, pixels.height() - 1, Qt::blue);
        return image;
    });
    widget.resize(40, 20);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    const qreal ratio = widget.devicePixelRatioF();
    for (const QSize size : {QSize(40, 20), QSize(40, 20), QSize(50, 30)}) {
        widget.resize(size);
        const QImage shot = widget.grab().toImage();
        const QPoint last(shot.width() - 1, shot.height() - 1);
        EXPECT_EQ(shot.size(), (QSizeF(size) * ratio).toSize());
        EXPECT_EQ(shot.pixelColor(last), QColor(Qt::blue)) << size.width();
        EXPECT_EQ(shot.pixelColor(last - QPoint(1, 0)), QColor(Qt::yellow)) << size.width();
    }
    EXPECT_EQ(drawn, QList<QSize>({QSize(40, 20) * ratio, QSize(50, 30) * ratio}));
}

// Clicks and keys as the system sends them: to a window first, then to its widget.
TEST(BusyWork, OnlyTheProgressDialogAnswersWhatIsClickedOrTyped)
{
    QWidget owner;
    auto *button = new QPushButton(u("Other"), &owner);
    owner.resize(300, 200);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    QSignalSpy clicked(button, &QPushButton::clicked);
    const auto clickOn = [](QWidget *widget) {
        QTest::mouseClick(widget->window()->windowHandle(), Qt::LeftButton, {},
                          widget->mapTo(widget->window(), widget->rect().center()));
    };
    // Escape is the dialog's shortcut, which holds once the dialog is the active window.
    const auto shown = [](BusyWork &busy) {
        busy.dialog()->show();
        return QTest::qWaitFor([&busy] { return QApplication::activeWindow() == busy.dialog(); });
    };
    const auto closeAsTheSystemDoes = [](QWidget *window) {
        QCloseEvent close;
        QSpontaneKeyEvent::setSpontaneous(&close);
        qApp->notify(window, &close);
        return close.isAccepted();
    };
    // Cancel, Escape and the close box cancel; the owner's own controls take nothing.
    const std::function<void(QWidget *)> cancelWays[] = {
        [&](QWidget *dialog) { clickOn(dialog->findChild<QPushButton *>()); },
        [](QWidget *dialog) { QTest::keyClick(dialog->windowHandle(), Qt::Key_Escape); },
        closeAsTheSystemDoes};
    for (const auto &cancel : cancelWays) {
        int cancels = 0;
        BusyWork busy(&owner, u("Working..."), [&cancels] { ++cancels; });
        clickOn(button);
        button->setFocus();
        QTest::keyClick(owner.windowHandle(), Qt::Key_Space);
        ASSERT_TRUE(shown(busy));
        cancel(busy.dialog());
        EXPECT_EQ(cancels, 1);
    }
    EXPECT_EQ(clicked.count(), 0);
    // Where there is no Cancel, they leave the dialog open.
    BusyWork uncancellable(&owner, u("Working..."));
    ASSERT_TRUE(shown(uncancellable));
    QTest::keyClick(uncancellable.dialog()->windowHandle(), Qt::Key_Escape);
    EXPECT_FALSE(closeAsTheSystemDoes(uncancellable.dialog()));
    EXPECT_TRUE(uncancellable.dialog()->isVisible());
}

TEST(OptionsWindow, ReturnAndCloseStoreExactlyWhatWasTypedEscapeAndTheCloseBoxNothing)
{
    TestPlatform tp;
    // Typed; left by Return, the Close button, the close box or Escape; what the user is told
    // at once: a folder no command line can carry is kept as typed, but not silently.
    const std::tuple<const char *, char, const char *> table[] = {
        {"c:\\tools", 'r', ""}, {"", 'r', ""},        {"  C:\\Program Files\\T\\ ", 'c', ""},
        {"changed", 'x', ""},   {"changed", 'e', ""}, {"/opt/q\"t\"/", 'c', "(\")"}};
    QString stored;
    for (const auto &[typed, leave, told] : table) {
        OptionsWindow options(tp.platform, tp.values);
        options.show();
        EXPECT_EQ(options.size(), QSize(273, 127));
        auto *edit = child<QLineEdit>(options, u("FTOrt"));
        EXPECT_EQ(edit->text(), stored);
        edit->setText(u(typed));
        if (leave == 'r' || leave == 'e')
            QTest::keyClick(edit, leave == 'r' ? Qt::Key_Return : Qt::Key_Escape);
        else
            leave == 'c' ? child<QPushButton>(options, u("Command1"))->click()
                         : void(options.close());
        stored = leave == 'r' || leave == 'c' ? u(typed) : stored;
        EXPECT_FALSE(options.isVisible()) << typed;
        EXPECT_EQ(tp.settings.values.value(u("FTOrt/Default")), stored);
        EXPECT_EQ(tp.values.toolFolder, stored);
        EXPECT_EQ(tp.dialogs.boxes.size(), *told ? 1 : 0) << typed;
        EXPECT_TRUE(tp.dialogs.texts().value(0).contains(u(told))) << tp.dialogs.texts().value(0);
        tp.dialogs.boxes.clear();
    }

    tp.settings.failWrites = true;
    OptionsWindow options(tp.platform, tp.values);
    child<QLineEdit>(options, u("FTOrt"))->setText(u("/opt/pofo/"));
    QTest::mouseClick(child(options, u("Command1")), Qt::LeftButton);
    EXPECT_EQ(tp.values.toolFolder, u("/opt/pofo/"));
    ASSERT_EQ(tp.dialogs.boxes.size(), 1);
    EXPECT_TRUE(tp.dialogs.boxes[0].text.contains(u("memory")));
    // No icon of its own: what Qt would show in its place is clear.
    const QImage icon = options.windowIcon().pixmap(16).toImage();
    EXPECT_FALSE(icon.isNull());
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x)
            ASSERT_EQ(qAlpha(icon.pixel(x, y)), 0) << x << "," << y;
}

TEST(Backup, AddMoreShowsTheNextBoxUpToEightAndStartFetchesEveryFilledOneNeverWithTheSwitch)
{
    TestPlatform tp;
    tp.values.toolFolder = u("/opt/pofo/");
    tp.values.overwriteFlag = true;
    TransferQueue transfers(tp.commands);
    BackupWindow window(tp.platform, tp.values, transfers);
    window.show();
    auto *add = child<QPushButton>(window, u("Add"));
    for (int press = 1; press <= 8; ++press) {
        add->click();
        expectReadable(window);
        const int last = std::min(press, 7);
        for (int i = 0; i < BackupWindow::FolderBoxes; ++i)
            EXPECT_EQ(child(window, QStringLiteral("Text1_%1").arg(i))->isVisible(), i <= last);
        EXPECT_EQ(add->y(), child(window, QStringLiteral("Text1_%1").arg(last))->y()) << press;
    }
    // Tab goes as the window always went: first folder, destination, Start, the other folders.
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QStringList order;
    for (int i = 0; i < 12; ++i) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(order, QStringList({"Text1_0", "Text7", "Command1", "Text1_1", "Text1_2", "Text1_3",
                                  "Text1_4", "Text1_5", "Text1_6", "Text1_7", "Add", "Command2"}));
    const char *texts[] = {"a:\\program\\", "", "a:\\system\\"};
    for (int i = 0; i < 3; ++i)
        child<QLineEdit>(window, QStringLiteral("Text1_%1").arg(i))->setText(u(texts[i]));
    // A folder that does not exist yet is made after one question: the tool would write the
    // first file under the folder's name.
    Tree tree;
    const QString into = tree.path(u("backup/new")) + u("/");
    tp.dialogs.okCancelAnswers = {true};
    child<QLineEdit>(window, u("Text7"))->setText(into);
    QTest::keyClick(child(window, u("Text7")), Qt::Key_Return);
    EXPECT_TRUE(QFileInfo(into).isDir());
    const QStringList lines = {u("/opt/pofo/transfolio -r a:\\program\\*.* ") + into,
                               u("/opt/pofo/transfolio -r a:\\system\\*.* ") + into};
    EXPECT_TRUE(QTest::qWaitFor([&] { return tp.commands.started.size() >= 2; }));
    EXPECT_EQ(tp.commands.started, lines);
    child<QPushButton>(window, u("Command1"))->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return tp.commands.started.size() >= 4; }));
    EXPECT_EQ(tp.commands.started, lines + lines);
    EXPECT_EQ(tp.dialogs.texts(),
              QStringList({QDir::toNativeSeparators(into) + u(" does not exist. Create it?")}));
    EXPECT_TRUE(window.isVisible());
}

} // namespace
