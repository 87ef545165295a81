#include "common/geometry.h"
#include "app/mainwindow.h"
#include "backup/backupwindow.h"
#include "doubles.h"
#include "testhelpers.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <gtest/gtest.h>

namespace {

QString u(const char *text)
{
    return QString::fromUtf8(text);
}

QLineEdit *box(const QWidget &window, int i)
{
    return child<QLineEdit>(window, QStringLiteral("Text1_%1").arg(i));
}

void pressAddMore(const QWidget &window, int times)
{
    for (int i = 0; i < times; ++i)
        child<QPushButton>(window, u("Add"))->click();
}

class BackupTest : public ::testing::Test
{
protected:
    TestPlatform m_tp;
};

struct Placement
{
    const char *name;
    const char *container;
    int left, top, width, height;
    const char *caption; // nullptr: a text box, empty
    bool visible;
};

const Placement BackupLayout[] = {
    {"Frame1", nullptr, 120, 120, 4215, 3855, "Step 1", true},
    {"Label2", "Frame1", 120, 360, 3975, 495,
     "Please enter all folders on the Portfolio which you want to backup (e.g.: a:\\program\\)",
     true},
    {"Text1_0", "Frame1", 120, 840, 3015, 285, nullptr, true},
    {"Text1_1", "Frame1", 120, 1200, 3015, 285, nullptr, false},
    {"Text1_2", "Frame1", 120, 1560, 3015, 285, nullptr, false},
    {"Text1_3", "Frame1", 120, 1920, 3015, 285, nullptr, false},
    {"Text1_4", "Frame1", 120, 2280, 3015, 285, nullptr, false},
    {"Text1_5", "Frame1", 120, 2640, 3015, 285, nullptr, false},
    {"Text1_6", "Frame1", 120, 3000, 3015, 285, nullptr, false},
    {"Text1_7", "Frame1", 120, 3360, 3015, 285, nullptr, false},
    {"Add", "Frame1", 3240, 840, 855, 315, "Add more", true},
    {"Frame2", nullptr, 4440, 120, 3495, 1335, "Step 2", true},
    {"Label1", "Frame2", 120, 360, 3255, 495,
     "Please enter an existing destination path on your PC (e.g.: c:\\backup\\)", true},
    {"Text7", "Frame2", 120, 840, 3255, 285, nullptr, true},
    {"Command1", nullptr, 6600, 1560, 1335, 375, "Start", true},
    {"Command2", nullptr, 5160, 1560, 1335, 375, "Close", true},
};

TEST_F(BackupTest, OpensWithTheLayoutOfTheTableAndOneFolderBox)
{
    BackupWindow window(m_tp.platform, m_tp.values);
    window.show();
    EXPECT_EQ(window.objectName(), u("Backup"));
    EXPECT_EQ(window.windowTitle(), u("BACKUP"));
    EXPECT_EQ(window.size(), QSize(twips(8055), twips(4110)));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(window.windowIcon().isNull());

    for (const Placement &p : BackupLayout) {
        SCOPED_TRACE(p.name);
        QWidget *w = child(window, u(p.name));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->geometry(), twipsRect(p.left, p.top, p.width, p.height));
        const QWidget *container = p.container ? child(window, u(p.container)) : &window;
        EXPECT_EQ(w->parentWidget(), container);
        EXPECT_EQ(w->isVisible(), p.visible);
        const bool frame = qobject_cast<QGroupBox *>(w) != nullptr;
        EXPECT_EQ(w->font().bold(), frame);
        if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            EXPECT_TRUE(edit->text().isEmpty());
        } else if (auto *button = qobject_cast<QPushButton *>(w)) {
            EXPECT_EQ(button->text(), u(p.caption));
        } else if (auto *label = qobject_cast<QLabel *>(w)) {
            EXPECT_EQ(label->text(), u(p.caption));
        } else if (auto *group = qobject_cast<QGroupBox *>(w)) {
            EXPECT_EQ(group->title(), u(p.caption));
        }
    }
    EXPECT_TRUE(child<QPushButton>(window, u("Command1"))->isDefault());
}

TEST_F(BackupTest, AddMoreShowsTheNextBoxAndStaysLevelWithItUpToEight)
{
    BackupWindow window(m_tp.platform, m_tp.values);
    window.show();
    auto *add = child<QPushButton>(window, u("Add"));
    for (int press = 1; press <= 8; ++press) {
        SCOPED_TRACE(press);
        add->click();
        const int last = std::min(press, 7);
        for (int i = 0; i < BackupWindow::FolderBoxes; ++i)
            EXPECT_EQ(box(window, i)->isVisible(), i <= last) << i;
        EXPECT_EQ(add->geometry(), twipsRect(3240, 840 + 360 * last, 855, 315));
        EXPECT_EQ(add->y(), box(window, last)->y());
    }
    EXPECT_EQ(add->geometry(), twipsRect(3240, 3360, 855, 315));
}

TEST_F(BackupTest, FocusMovesInTheGivenOrder)
{
    BackupWindow window(m_tp.platform, m_tp.values);
    pressAddMore(window, 7);
    QStringList expected = {"Text1_0", "Text7", "Command1"};
    for (int i = 1; i < 8; ++i)
        expected << QStringLiteral("Text1_%1").arg(i);
    expected << "Add"
             << "Command2";
    QStringList chain;
    QWidget *w = box(window, 0);
    for (int i = 0; i < 100 && chain.size() < expected.size(); ++i, w = w->nextInFocusChain()) {
        if (expected.contains(w->objectName()) && !chain.contains(w->objectName()))
            chain << w->objectName();
    }
    EXPECT_EQ(chain, expected);
}

struct StartCase
{
    const char *name;
    int addMore;
    std::vector<const char *> boxes; // texts of boxes 0, 1, ...
    const char *destination;
    bool overwrite;
    std::vector<const char *> lines;
};

void PrintTo(const StartCase &c, std::ostream *os)
{
    *os << c.name;
}

class StartPresses : public BackupTest, public ::testing::WithParamInterface<StartCase>
{};

TEST_P(StartPresses, StartOneLinePerFilledBoxInOrder)
{
    const StartCase &c = GetParam();
    m_tp.values.toolFolder = u("c:\\");
    m_tp.values.overwriteFlag = c.overwrite;
    BackupWindow window(m_tp.platform, m_tp.values);
    pressAddMore(window, c.addMore);
    for (size_t i = 0; i < c.boxes.size(); ++i)
        box(window, int(i))->setText(u(c.boxes[i]));
    child<QLineEdit>(window, u("Text7"))->setText(u(c.destination));

    child<QPushButton>(window, u("Command1"))->click();

    QStringList expected;
    for (const char *l : c.lines)
        expected << u(l);
    EXPECT_EQ(m_tp.commands.started, expected);
    EXPECT_TRUE(m_tp.dialogs.boxes.isEmpty());

    // The window stays as it is, and the next press starts everything again.
    child<QPushButton>(window, u("Command1"))->click();
    EXPECT_EQ(m_tp.commands.started, expected + expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, StartPresses, ::testing::Values(
    StartCase{"workedExample", 2, {R"(a:\program\)", "", R"(a:\system\)"}, R"(c:\backup\)", false,
              {R"(c:\transfolio -r a:\program\*.* c:\backup\)",
               R"(c:\transfolio -r a:\system\*.* c:\backup\)"}},
    StartCase{"onlyTheFirstBox", 0, {R"(a:\program\)"}, R"(c:\backup\)", false,
              {R"(c:\transfolio -r a:\program\*.* c:\backup\)"}},
    StartCase{"allBoxesEmpty", 7, {}, R"(c:\backup\)", false, {}},
    StartCase{"neverTheOverwriteSwitch", 1, {R"(a:\)", R"(b:\)"}, "/backup", true,
              {R"(c:\transfolio -r a:\*.* /backup)", R"(c:\transfolio -r b:\*.* /backup)"}}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

TEST_F(BackupTest, EnterInATextBoxPressesStart)
{
    BackupWindow window(m_tp.platform, m_tp.values);
    window.show();
    QTest::keyClicks(box(window, 0), u("a:\\"));
    QTest::keyClicks(child(window, u("Text7")), u("/b"));
    QTest::keyClick(child(window, u("Text7")), Qt::Key_Return);
    EXPECT_EQ(m_tp.commands.started, QStringList({u(R"(transfolio -r a:\*.* /b)")}));
    EXPECT_TRUE(window.isVisible());
}

struct BackupFailure
{
    int failFrom;
    int started;
};

class FailedBackupStarts : public BackupTest, public ::testing::WithParamInterface<BackupFailure>
{};

TEST_P(FailedBackupStarts, ShowTheMessageOnceAndStartNothingMoreOfThatPress)
{
    BackupWindow window(m_tp.platform, m_tp.values);
    pressAddMore(window, 2);
    for (int i = 0; i < 3; ++i)
        box(window, i)->setText(QStringLiteral("a:\\%1\\").arg(i));
    m_tp.commands.failFrom = GetParam().failFrom;

    child<QPushButton>(window, u("Command1"))->click();

    EXPECT_EQ(m_tp.commands.started.size(), GetParam().started);
    EXPECT_EQ(m_tp.commands.attempted.size(), GetParam().started + 1);
    ASSERT_EQ(m_tp.dialogs.boxes.size(), 1);
    EXPECT_EQ(m_tp.dialogs.boxes[0].text,
              u("Error! Please check the path of transfolio.exe or your sources!"));
    EXPECT_TRUE(m_tp.dialogs.boxes[0].title.isEmpty());
    EXPECT_EQ(m_tp.dialogs.boxes[0].icon, Dialogs::Icon::None);
}

INSTANTIATE_TEST_SUITE_P(Table, FailedBackupStarts,
                         ::testing::Values(BackupFailure{0, 0}, BackupFailure{1, 1}));

// Opened from the menu; index 0 closes with "Close", 1 with the close box.
class BackupFromTheMenu : public BackupTest, public ::testing::WithParamInterface<int>
{};

TEST_P(BackupFromTheMenu, ClosingForgetsEverythingAndTheNextOpeningStartsAfresh)
{
    MainWindow main(m_tp.platform, m_tp.values);
    main.show();
    QAction *backup = main.findChild<QAction *>(u("mnuBackup"));

    bool firstModal = false;
    onNextModal([&](QWidget *w) {
        firstModal = w->objectName() == u("Backup") && w->isModal();
        pressAddMore(*w, 3);
        box(*w, 3)->setText(u("a:\\x\\"));
        child<QLineEdit>(*w, u("Text7"))->setText(u("/b"));
        if (GetParam() == 0)
            child<QPushButton>(*w, u("Command2"))->click();
        else
            w->close();
    });
    backup->trigger();
    EXPECT_TRUE(firstModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    QStringList visible;
    QString destination = u("unread");
    QRect addAfterOnePress;
    onNextModal([&](QWidget *w) {
        for (int i = 0; i < BackupWindow::FolderBoxes; ++i) {
            if (box(*w, i)->isVisible())
                visible << box(*w, i)->objectName() + u("=") + box(*w, i)->text();
        }
        destination = child<QLineEdit>(*w, u("Text7"))->text();
        pressAddMore(*w, 1);
        addAfterOnePress = box(*w, 1)->isVisible() ? child(*w, u("Add"))->geometry() : QRect();
        w->close();
    });
    backup->trigger();
    EXPECT_EQ(visible, QStringList({u("Text1_0=")}));
    EXPECT_TRUE(destination.isEmpty());
    EXPECT_EQ(addAfterOnePress, twipsRect(3240, 1200, 855, 315));
    EXPECT_TRUE(m_tp.commands.attempted.isEmpty());
    main.close();
}

INSTANTIATE_TEST_SUITE_P(CloseAndCloseBox, BackupFromTheMenu, ::testing::Values(0, 1));

} // namespace
