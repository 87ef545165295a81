// The small windows' own behaviour.
#include "about/aboutbox.h"
#include "app/optionswindow.h"
#include "backup/backupwindow.h"
#include "common/maker.h"
#include "doubles.h"
#include "testhelpers.h"
#include "transfer/toolcommands.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

TEST(Layout, EveryWindowReadsWholeWithNothingOverlapping)
{
    TestPlatform tp;
    const AboutBox about(tp.urls);
    const OptionsWindow options(tp.platform, tp.values);
    BackupWindow backup(tp.platform, tp.values);
    expectReadable(about);
    expectReadable(options);
    for (int press = 0; press < 8; ++press) {
        expectReadable(backup);
        child<QPushButton>(backup, u("Add"))->click();
    }
}

TEST(AboutBox, ShowsTheTextAndOpensTheAddressesOnEveryClick)
{
    RecordingUrlOpener urls;
    AboutBox box(urls);
    box.show();
    const QStringList lines = child<QLabel>(box, u("Label2"))->text().split(u("\r\n"));
    ASSERT_EQ(lines.size(), 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(lines[i].isEmpty(), i == 1 || i == 6 || i == 9) << i;
    EXPECT_EQ(lines[3], u("This program uses the command line tool Transfolio.exe"));
    for (const char *name : {"Label5", "Image3", "Label5", "Label4", "Label2"})
        QTest::mouseClick(child(box, u(name)), Qt::LeftButton);
    QTest::mouseClick(child(box, u("Label5")), Qt::RightButton);
    EXPECT_EQ(urls.opened, QList<QUrl>({QUrl(Maker::WebAddress), QUrl(Maker::DonationPage),
                                        QUrl(Maker::WebAddress)}));
    for (const char *name : {"Label5", "Image3"})
        EXPECT_EQ(child(box, u(name))->cursor().shape(), Qt::PointingHandCursor);
    for (const char *name : {"Label4", "Label2"})
        EXPECT_NE(child(box, u(name))->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(child(box, u("Command1")), Qt::LeftButton);
    EXPECT_FALSE(box.isVisible());
}

TEST(OptionsWindow, CloseStoresExactlyWhatWasTypedTheCloseBoxNothing)
{
    TestPlatform tp;
    for (const char *typed : {"c:\\tools", "", "  C:\\Program Files\\T\\ ", "/home/jörg/"}) {
        OptionsWindow options(tp.platform, tp.values);
        options.show();
        child<QLineEdit>(options, u("FTOrt"))->setText(u(typed));
        QTest::keyClick(child(options, u("FTOrt")), Qt::Key_Return);
        EXPECT_FALSE(options.isVisible());
        EXPECT_EQ(tp.settings.values.value(u("FTOrt/Default")), u(typed));
        EXPECT_EQ(tp.values.toolFolder, u(typed));
    }
    for (bool escape : {false, true}) {
        OptionsWindow options(tp.platform, tp.values);
        options.show();
        auto *edit = child<QLineEdit>(options, u("FTOrt"));
        EXPECT_EQ(edit->text(), u("/home/jörg/"));
        QTest::keyClicks(edit, u("changed"));
        escape ? QTest::keyClick(edit, Qt::Key_Escape) : void(options.close());
        EXPECT_FALSE(options.isVisible());
    }
    EXPECT_EQ(tp.settings.writtenSections.size(), 4);
    EXPECT_EQ(tp.values.toolFolder, u("/home/jörg/"));
    EXPECT_TRUE(tp.dialogs.boxes.isEmpty());

    tp.settings.failWrites = true;
    OptionsWindow options(tp.platform, tp.values);
    child<QLineEdit>(options, u("FTOrt"))->setText(u("/opt/pofo/"));
    QTest::mouseClick(child(options, u("Command1")), Qt::LeftButton);
    EXPECT_EQ(tp.values.toolFolder, u("/opt/pofo/"));
    ASSERT_EQ(tp.dialogs.boxes.size(), 1);
    EXPECT_TRUE(tp.dialogs.boxes[0].text.contains(u("memory")));
}

TEST(Backup, AddMoreShowsTheNextBoxLevelWithItUpToEight)
{
    TestPlatform tp;
    BackupWindow window(tp.platform, tp.values);
    window.show();
    auto *add = child<QPushButton>(window, u("Add"));
    for (int press = 1; press <= 8; ++press) {
        add->click();
        const int last = std::min(press, 7);
        for (int i = 0; i < BackupWindow::FolderBoxes; ++i)
            EXPECT_EQ(child(window, QStringLiteral("Text1_%1").arg(i))->isVisible(), i <= last);
        EXPECT_EQ(add->y(), child(window, QStringLiteral("Text1_%1").arg(last))->y()) << press;
    }
}

TEST(Backup, StartFetchesEveryFilledBoxInOrderNeverWithTheSwitch)
{
    TestPlatform tp;
    tp.values.toolFolder = u("c:\\");
    tp.values.overwriteFlag = true;
    BackupWindow window(tp.platform, tp.values);
    window.show();
    child<QPushButton>(window, u("Add"))->click();
    child<QPushButton>(window, u("Add"))->click();
    const char *texts[] = {"a:\\program\\", "", "a:\\system\\", "a:\\hidden box\\"};
    for (int i = 0; i < 4; ++i)
        child<QLineEdit>(window, QStringLiteral("Text1_%1").arg(i))->setText(u(texts[i]));
    child<QLineEdit>(window, u("Text7"))->setText(u("c:\\backup\\"));
    QTest::keyClick(child(window, u("Text7")), Qt::Key_Return);
    const ToolCommands tool(u("c:\\"));
    const QStringList lines = {tool.backup(u(texts[0]), u("c:\\backup\\")),
                               tool.backup(u(texts[2]), u("c:\\backup\\"))};
    EXPECT_EQ(tp.commands.started, lines);
    child<QPushButton>(window, u("Command1"))->click();
    EXPECT_EQ(tp.commands.started, lines + lines);
    EXPECT_TRUE(window.isVisible());

    tp.commands.failFrom = 0;
    child<QPushButton>(window, u("Command1"))->click();
    EXPECT_EQ(tp.commands.attempted.size(), 5);
    ASSERT_EQ(tp.dialogs.boxes.size(), 1);
    EXPECT_EQ(tp.dialogs.boxes[0].text,
              u("Error! Please check the path of transfolio.exe or your sources!"));
    EXPECT_TRUE(tp.dialogs.boxes[0].title.isEmpty());
    EXPECT_EQ(tp.dialogs.boxes[0].icon, Dialogs::Icon::None);
}

} // namespace
