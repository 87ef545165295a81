#include "app/mainwindow.h"
#include "browser/filelist.h"
#include "doubles.h"
#include "testhelpers.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString Failed =
    QStringLiteral("Error! Please check the path of transfolio.exe or your sources!");

QString u(const char *text)
{
    return QString::fromUtf8(text);
}

// The main window over a folder of real files, with the transfer tool in /opt/pofo/.
class Transfers : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        for (const char *name : {"a.txt", "b c.txt", "z.txt"}) {
            QFile file(m_dir.filePath(QLatin1String(name)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        m_folder = QDir::toNativeSeparators(m_dir.path());
        for (const char *section : {"File", "Dir"})
            m_tp.settings.values.insert(QLatin1String(section) + u("/Default"), m_folder);
        m_tp.settings.values.insert(u("FTOrt/Default"), u("/opt/pofo/"));
        m_window = std::make_unique<MainWindow>(m_tp.platform, m_tp.values);
    }

    template<typename T = QWidget> T *child(const char *name) const
    {
        return ::child<T>(*m_window, QLatin1String(name));
    }
    void select(const QStringList &names)
    {
        auto *file1 = child<FileList>("File1");
        for (const QString &name : names) {
            for (int row = 0; row < file1->count(); ++row) {
                if (file1->name(row) == name)
                    file1->selectionModel()->select(file1->model()->index(row, 0),
                                                    QItemSelectionModel::Select);
            }
        }
        // As a click in the file list does.
        child("Command1")->setEnabled(true);
    }
    void press(const char *button) { child<QPushButton>(button)->click(); }
    void type(const char *field, const QString &text) { QTest::keyClicks(child(field), text); }
    void setFields(const QString &drive, const QString &folder, const QString &file)
    {
        child<QComboBox>("PofoDrive")->setEditText(drive);
        child<QLineEdit>("PofoFolder")->setText(folder);
        child<QLineEdit>("PoFoFile")->setText(file);
    }
    void setOverwrite(bool on)
    {
        auto *over = m_window->findChild<QAction *>(QStringLiteral("mnuOver"));
        if (over->isChecked() != on)
            over->trigger();
    }
    QStringList started() const { return m_tp.commands.started; }
    QString line(const char *text) const { return u(text).replace(u("%1"), m_folder); }

    QTemporaryDir m_dir;
    QString m_folder;
    TestPlatform m_tp;
    std::unique_ptr<MainWindow> m_window;
};

// --- Transmit ---------------------------------------------------------------------------

struct TransmitPress
{
    const char *name;
    std::vector<const char *> selected;
    const char *drive, *folder;
    bool overwrite;
    std::vector<const char *> lines; // %1 is the PC folder
};

void PrintTo(const TransmitPress &p, std::ostream *os)
{
    *os << p.name;
}

class TransmitPresses : public Transfers, public ::testing::WithParamInterface<TransmitPress>
{};

TEST_P(TransmitPresses, StartOneLinePerSelectedFileInListOrder)
{
    const TransmitPress &p = GetParam();
    QStringList selected;
    for (const char *name : p.selected)
        selected << u(name);
    select(selected);
    setFields(u(p.drive), u(p.folder), u("IGNORED.TXT"));
    child<QListWidget>("List1")->addItem(u("a:\\IGNORED"));
    setOverwrite(p.overwrite);

    press("Command1");

    QStringList expected;
    for (const char *l : p.lines)
        expected << line(l);
    EXPECT_EQ(started(), expected);
    EXPECT_TRUE(m_tp.dialogs.boxes.isEmpty());
    // Nothing else changes.
    EXPECT_EQ(child<FileList>("File1")->selectedNames().size(), selected.size());
    EXPECT_EQ(child<QComboBox>("PofoDrive")->currentText(), u(p.drive));
    EXPECT_EQ(child<QLineEdit>("PofoFolder")->text(), u(p.folder));
    EXPECT_TRUE(child("Command1")->isEnabled());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, TransmitPresses, ::testing::Values(
    TransmitPress{"noFolder", {"a.txt"}, R"(a:\)", "", false,
                  {R"(/opt/pofo/transfolio %1/a.txt a:\ /t )"}},
    TransmitPress{"folderOverwrite", {"a.txt"}, R"(a:\)", "DOCS", true,
                  {R"(/opt/pofo/transfolio %1/a.txt a:\DOCS /t -f)"}},
    TransmitPress{"listOrderNotClickOrder", {"z.txt", "a.txt"}, "a:", "DOCS", false,
                  {R"(/opt/pofo/transfolio %1/a.txt a:DOCS /t)",
                   R"(/opt/pofo/transfolio %1/z.txt a:DOCS /t)"}},
    TransmitPress{"nothingSelected", {}, R"(a:\)", "", false, {}}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

TEST_F(Transfers, TogglingOverwriteBetweenTwoPressesChangesTheSwitch)
{
    select({u("a.txt")});
    press("Command1");
    setOverwrite(true);
    press("Command1");
    EXPECT_EQ(started(), QStringList({line(R"(/opt/pofo/transfolio %1/a.txt a:\ /t )"),
                                      line(R"(/opt/pofo/transfolio %1/a.txt a:\ /t -f)")}));
}

TEST_F(Transfers, TheToolFolderIsReadAtThePress)
{
    select({u("a.txt")});
    m_tp.values.toolFolder = u("/elsewhere");
    press("Command1");
    EXPECT_EQ(started(), QStringList({line(R"(/elsewheretransfolio %1/a.txt a:\ /t )")}));
}

// --- Receive ----------------------------------------------------------------------------

struct ReceivePress
{
    const char *name;
    const char *drive, *folder, *file;
    std::vector<const char *> list;
    const char *destination; // the path field; %1 is the PC folder
    bool overwrite;
    int presses;
    std::vector<const char *> lines;
};

void PrintTo(const ReceivePress &p, std::ostream *os)
{
    *os << p.name;
}

class ReceivePresses : public Transfers, public ::testing::WithParamInterface<ReceivePress>
{};

TEST_P(ReceivePresses, FetchTheListOrElseTheFieldsIntoThePathField)
{
    const ReceivePress &p = GetParam();
    for (const char *entry : p.list) {
        setFields(u(entry), {}, {});
        press("Command3");
    }
    setFields(u(p.drive), u(p.folder), u(p.file));
    child<QPlainTextEdit>("Dateiname")->setPlainText(line(p.destination));
    setOverwrite(p.overwrite);
    ASSERT_TRUE(child("Command2")->isEnabled());

    for (int i = 0; i < p.presses; ++i)
        press("Command2");

    QStringList expected;
    for (const char *l : p.lines)
        expected << line(l);
    EXPECT_EQ(started(), expected);
    EXPECT_TRUE(m_tp.dialogs.boxes.isEmpty());
    EXPECT_EQ(child<QListWidget>("List1")->count(), int(p.list.size()));
    EXPECT_EQ(child<QLineEdit>("PoFoFile")->text(), u(p.file));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, ReceivePresses, ::testing::Values(
    ReceivePress{"fields", R"(a:\)", "DOCS", "LETTER.TXT", {}, "%1", true, 1,
                 {R"(/opt/pofo/transfolio -r -f a:\DOCS\LETTER.TXT %1)"}},
    ReceivePress{"clickedFileIsTheDestination", R"(a:\)", "", "ADDR.ADR", {}, "%1/a.txt", false, 1,
                 {R"(/opt/pofo/transfolio -r a:\ADDR.ADR %1/a.txt)"}},
    ReceivePress{"onlyTheListWhenItHasEntries", R"(a:\)", "DOCS", "FIELD.TXT",
                 {R"(a:\ONE.TXT)", R"(b:\TWO.TXT)"}, "%1", false, 1,
                 {R"(/opt/pofo/transfolio -r a:\ONE.TXT %1)",
                  R"(/opt/pofo/transfolio -r b:\TWO.TXT %1)"}},
    ReceivePress{"twiceFetchesTheListTwice", R"(a:\)", "", "FIELD.TXT",
                 {R"(a:\ONE.TXT)", R"(a:\ONE.TXT)"}, "%1", true, 2,
                 {R"(/opt/pofo/transfolio -r -f a:\ONE.TXT %1)",
                  R"(/opt/pofo/transfolio -r -f a:\ONE.TXT %1)",
                  R"(/opt/pofo/transfolio -r -f a:\ONE.TXT %1)",
                  R"(/opt/pofo/transfolio -r -f a:\ONE.TXT %1)"}}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

// --- A start that fails -----------------------------------------------------------------

struct FailedStart
{
    const char *name;
    const char *button;
    int failFrom;
    int started;
};

void PrintTo(const FailedStart &f, std::ostream *os)
{
    *os << f.name;
}

class FailedStarts : public Transfers, public ::testing::WithParamInterface<FailedStart>
{};

TEST_P(FailedStarts, ShowTheMessageOnceAndStartNothingMoreOfThatPress)
{
    const FailedStart &f = GetParam();
    select({u("a.txt"), u("b c.txt"), u("z.txt")});
    for (const char *entry : {"a:\\1", "a:\\2", "a:\\3"}) {
        setFields(u(entry), {}, {});
        press("Command3");
    }
    type("PoFoFile", u("FIELD.TXT")); // enables Receive
    m_tp.commands.failFrom = f.failFrom;

    press(f.button);

    EXPECT_EQ(m_tp.commands.started.size(), f.started);
    EXPECT_EQ(m_tp.commands.attempted.size(), f.started + 1);
    ASSERT_EQ(m_tp.dialogs.boxes.size(), 1);
    EXPECT_EQ(m_tp.dialogs.boxes[0].kind, u("message"));
    EXPECT_EQ(m_tp.dialogs.boxes[0].text, Failed);
    EXPECT_TRUE(m_tp.dialogs.boxes[0].title.isEmpty()); // the program's name
    EXPECT_EQ(m_tp.dialogs.boxes[0].icon, Dialogs::Icon::None);

    // The next press starts afresh.
    m_tp.commands.failFrom = -1;
    m_tp.commands.started.clear();
    press(f.button);
    EXPECT_EQ(m_tp.commands.started.size(), 3);
    EXPECT_EQ(m_tp.dialogs.boxes.size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Table, FailedStarts,
                         ::testing::Values(FailedStart{"transmitFirst", "Command1", 0, 0},
                                           FailedStart{"transmitSecond", "Command1", 1, 1},
                                           FailedStart{"receiveFirst", "Command2", 0, 0},
                                           FailedStart{"receiveLast", "Command2", 2, 2}),
                         [](const auto &info) { return std::string(info.param.name); });

// --- The receive list's states ----------------------------------------------------------

enum class Act { TypeFile, DeleteFile, Add, Clear };

struct Step
{
    Act act;
    const char *text; // typed for TypeFile
    bool receive, list, clear;
    int entries;
};

TEST_F(Transfers, ReceiveListStatesFollowTypingAddingAndClearing)
{
    auto *list1 = child<QListWidget>("List1");
    const QPalette standard = QApplication::palette(list1);
    const QColor menus = standard.color(QPalette::Active, QPalette::Window);
    const QColor windows = standard.color(QPalette::Active, QPalette::Base);
    ASSERT_NE(menus, windows);

    const Step steps[] = {
        {Act::TypeFile, "X", true, false, false, 0},
        {Act::DeleteFile, nullptr, false, false, false, 0},
        {Act::Add, nullptr, false, true, true, 1}, // "Add to list" leaves Receive alone
        {Act::TypeFile, "Y", true, true, true, 1},
        {Act::DeleteFile, nullptr, true, true, true, 1}, // the list still has an entry
        {Act::Add, nullptr, true, true, true, 2},
        {Act::TypeFile, "Z", true, true, true, 2},
        {Act::Clear, nullptr, false, false, false, 0}, // even with text in the field
        {Act::Add, nullptr, false, true, true, 1},     // still until the field is edited
        {Act::TypeFile, "2", true, true, true, 1},
        {Act::Clear, nullptr, false, false, false, 0},
    };

    EXPECT_FALSE(child("Command2")->isEnabled());
    EXPECT_FALSE(list1->isEnabled());
    EXPECT_FALSE(child("Command4")->isEnabled());
    EXPECT_EQ(list1->palette().color(QPalette::Base), menus);

    int index = 0;
    for (const Step &s : steps) {
        SCOPED_TRACE(index++);
        switch (s.act) {
        case Act::TypeFile:
            type("PoFoFile", u(s.text));
            break;
        case Act::DeleteFile:
            child("PoFoFile")->setFocus();
            QTest::keyClick(child("PoFoFile"), Qt::Key_Backspace);
            break;
        case Act::Add:
            press("Command3");
            break;
        case Act::Clear:
            press("Command4");
            break;
        }
        EXPECT_EQ(child("Command2")->isEnabled(), s.receive);
        EXPECT_EQ(list1->isEnabled(), s.list);
        EXPECT_EQ(child("Command4")->isEnabled(), s.clear);
        EXPECT_EQ(list1->count(), s.entries);
        EXPECT_EQ(list1->palette().color(QPalette::Base), s.list ? windows : menus);
        EXPECT_TRUE(child("Command3")->isEnabled());
    }
    EXPECT_TRUE(started().isEmpty());
}

TEST_F(Transfers, AddToListAppendsThePathOfTheFieldsUnchecked)
{
    const char *fields[][3] = {{R"(a:\)", "DOCS", "LETTER.TXT"},
                               {R"(a:\)", "", "ADDR.ADR"},
                               {R"(a:\)", "DOCS", ""},
                               {R"(a:\)", "", ""},
                               {R"(a:\)", "", "ADDR.ADR"}};
    for (const auto &f : fields) {
        setFields(u(f[0]), u(f[1]), u(f[2]));
        press("Command3");
    }
    QStringList entries;
    auto *list1 = child<QListWidget>("List1");
    for (int row = 0; row < list1->count(); ++row)
        entries << list1->item(row)->text();
    EXPECT_EQ(entries, QStringList({u(R"(a:\DOCS\LETTER.TXT)"), u(R"(a:\ADDR.ADR)"),
                                    u(R"(a:\DOCS\)"), u(R"(a:\)"), u(R"(a:\ADDR.ADR)")}));
}

} // namespace
