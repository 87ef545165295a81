// The real runner, a stand-in tool that keeps a Portfolio in a folder, and the Transfers window.
#include "app/mainwindow.h"
#include "app/transferswindow.h"
#include "browser/filelist.h"
#include "doubles.h"
#include "platform/processrunner.h"
#include "testhelpers.h"
#include "transfer/transferqueue.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <memory>

#include <sys/file.h>

namespace {

class Transfers : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_tool = m_tree.folder(u("pofo tools")) + u("/transfolio");
        ASSERT_TRUE(QFile::copy(QStringLiteral(FAKE_TOOL), m_tool));
        m_tree.folder(u("pofo tools/portfolio/A/DOCS"));
        m_tp.settings.values.insert(u("FTOrt/Default"), m_tree.path(u("pofo tools")) + u("/"));
        m_tp.settings.values.insert(u("Dir/Default"), m_tree.folder(u("pc files")));
    }
    void TearDown() override { qunsetenv("FAKE_TOOL_WAIT"); }

    void openWindow()
    {
        m_window = std::make_unique<MainWindow>(m_platform, m_tp.values);
        m_window->show();
    }
    template<typename T = QWidget> T *control(const char *name) const
    {
        return child<T>(*m_window, u(name));
    }
    // The Portfolio's drive a: is a folder beside the tool.
    static QString pofo(const QString &path) { return u("pofo tools/portfolio/A/") + path; }
    void transmitAll()
    {
        control<FileList>("File1")->setPath(m_tree.path(u("pc files")));
        control<FileList>("File1")->selectAll();
        control("Command1")->setEnabled(true); // as a click in the file list does
        control<QPushButton>("Command1")->click();
    }
    TransfersWindow *transfersWindow() const
    {
        return qobject_cast<TransfersWindow *>(topLevel(u("frmTransfers")));
    }
    // The rows of the Transfers window, as it shows them.
    QStringList rows() const
    {
        QStringList out;
        if (TransfersWindow *window = transfersWindow()) {
            auto *list = child<QTreeWidget>(*window, u("lstRuns"));
            for (int i = 0; i < list->topLevelItemCount(); ++i)
                out << list->topLevelItem(i)->text(0) + u("   ") + list->topLevelItem(i)->text(1);
        }
        return out;
    }
    bool settled() const { return !m_window->transfers().busy(); }
    QString outputOf(int row) const
    {
        auto *list = child<QTreeWidget>(*transfersWindow(), u("lstRuns"));
        list->setCurrentItem(list->topLevelItem(row));
        return child<QPlainTextEdit>(*transfersWindow(), u("txtOutput"))->toPlainText();
    }

    Tree m_tree;
    QString m_tool;
    TestPlatform m_tp;
    ProcessRunner m_runner;
    Platform m_platform{m_tp.settings, m_tp.dialogs, m_tp.urls,
                        m_runner,      m_tp.volumes, m_tp.keyboard};
    std::unique_ptr<MainWindow> m_window;
};

TEST_F(Transfers, EveryPressReachesTheToolOneRunAtATimeTheWindowShowsHowEachEndedAndStopEndsIt)
{
    // The tool reports every byte: about 26 MB of progress, each ended by a carriage return.
    m_tree.write(u("pc files/big.bin"), QByteArray(1 << 20, 'x'));
    m_tree.write(u("pc files/my letter.txt"), "letter");
    m_tree.write(pofo(u("DOCS/IN.TXT")), "DOCS/IN.TXT");
    openWindow();

    // Into a folder typed without its backslash, under the names the Portfolio gives the files.
    control<QLineEdit>("PofoFolder")->setText(u("DOCS"));
    transmitAll();
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(); }, 60000));
    EXPECT_EQ(m_tree.read(pofo(u("DOCS/MY LETTE.TXT"))), "letter");
    const QString pc = QDir::toNativeSeparators(m_tree.path(u("pc files")));
    EXPECT_EQ(rows(), QStringList({pc + u("/big.bin \u2192 a:\\DOCS\\big.bin   Done"),
                                   pc + u("/my letter.txt \u2192 a:\\DOCS\\my lette.txt   Done")}));
    // The progress shown is its last line alone.
    EXPECT_EQ(outputOf(0).split(QLatin1Char('\n')).filter(u("Sent")),
              QStringList({u("Sent 1048576 of 1048576 bytes.")}));

    // A receive list of two, one of them missing on the Portfolio, into the open PC folder; the
    // tool's lock fails any overlap.
    for (const char *name : {"IN.TXT", "GONE.TXT"}) {
        control<QLineEdit>("PoFoFile")->setText(u(name));
        control<QPushButton>("Command3")->click();
    }
    control<QPushButton>("Command2")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(); }, 20000));
    EXPECT_EQ(m_tree.read(u("pc files/IN.TXT")), "DOCS/IN.TXT");
    ASSERT_EQ(rows().size(), 4);
    EXPECT_TRUE(rows()[3].endsWith(u("GONE.TXT \u2192 ") + pc + u("   Failed (exit 1)")))
        << rows()[3];
    EXPECT_TRUE(outputOf(3).contains(u("File not found: a:\\DOCS\\GONE.TXT"))) << outputOf(3);
    // Clearing the finished runs leaves the one still running, shown as it is.
    qputenv("FAKE_TOOL_WAIT", "forever");
    control<QPushButton>("Command4")->click();
    control<QLineEdit>("PoFoFile")->setText(u("X.TXT"));
    control<QPushButton>("Command2")->click();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return outputOf(4).contains(u("Waiting for Portfolio")); }, 10000));
    child<QPushButton>(*transfersWindow(), u("cmdClear"))->click();
    EXPECT_EQ(rows(), QStringList({u("a:\\DOCS\\X.TXT \u2192 ") + pc + u("   Running")}));
    // A press behind it waits. Closing the window asks first; Cancel leaves it and its runs.
    control<QLineEdit>("PofoFolder")->clear();
    transmitAll();
    EXPECT_TRUE(rows().value(1).endsWith(u("Waiting"))) << rows().value(1);
    m_tp.dialogs.boxes.clear();
    m_tp.dialogs.okCancelAnswers = {false, true};
    transfersWindow()->close();
    ASSERT_NE(transfersWindow(), nullptr);
    EXPECT_TRUE(transfersWindow()->isVisible());
    EXPECT_TRUE(rows().value(0).endsWith(u("Running")));
    child<QPushButton>(*transfersWindow(), u("cmdStop"))->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(); }, 10000));
    EXPECT_TRUE(m_tp.dialogs.texts().value(0).startsWith(u("Transfers are still waiting")));
    EXPECT_TRUE(m_tp.dialogs.texts().value(1).contains(u("may be left incomplete")));
    EXPECT_TRUE(rows().value(0).endsWith(u("Stopped"))) << rows().value(0);
    EXPECT_TRUE(rows().value(1).endsWith(u("Stopped"))) << rows().value(1);
    EXPECT_FALSE(m_tree.exists(pofo(u("BIG.BIN"))));

    // Without the tool each press shows the message once.
    m_tp.dialogs.boxes.clear();
    ASSERT_TRUE(QFile::remove(m_tool));
    transmitAll();
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(); }, 10000));
    EXPECT_EQ(m_tp.dialogs.texts(),
              QStringList({"Error! Please check the path of transfolio.exe or your sources!"}));
    EXPECT_TRUE(outputOf(4).contains(u("does not exist")));
    // A tool folder that a command line cannot carry starts nothing at all.
    m_tp.values.toolFolder = m_tree.path(u("q\"t\"/"));
    transmitAll();
    EXPECT_EQ(m_tp.dialogs.texts().size(), 2);
    EXPECT_EQ(rows().size(), 7);
}

// A runner that goes away ends its tool, which frees the Portfolio's port, and leaves no
// warning of a process still running.
TEST_F(Transfers, ARunnerGoingAwayEndsItsToolQuietly)
{
    qputenv("FAKE_TOOL_WAIT", "forever");
    auto runner = std::make_unique<ProcessRunner>();
    QByteArray output;
    QObject::connect(runner.get(), &ToolRunner::output,
                     [&output](const QByteArray &bytes) { output += bytes; });
    ASSERT_TRUE(runner->start(u("\"") + m_tool + u("\" -r a:\\X.TXT \"")
                              + m_tree.path(u("pc files")) + u("\"")));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return output.contains("Waiting for Portfolio..."); }, 10000));
    static QStringList warnings;
    warnings.clear(); // a repeated run starts afresh
    const QtMessageHandler before =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type != QtDebugMsg)
                warnings << text;
        });
    runner.reset();
    qInstallMessageHandler(before);
    EXPECT_EQ(warnings, QStringList());
    QFile port(m_tree.path(u("pofo tools/port.lock")));
    ASSERT_TRUE(port.open(QIODevice::ReadWrite));
    EXPECT_EQ(flock(port.handle(), LOCK_EX | LOCK_NB), 0);
}

TEST_F(Transfers, AStartThatFailsShowsTheMessageOnceAndDropsOnlyTheRestOfItsPress)
{
    TransferQueue queue(m_tp.commands);
    int messages = 0;
    m_tp.commands.failing = {u("t two"), u("t four")};
    queue.add({{u("1"), u("t one")}, {u("2"), u("t two")}, {u("3"), u("t three")}},
              [&messages] { ++messages; });
    queue.add({{u("4"), u("t four")}, {u("5"), u("t five")}}, [&messages] { messages += 10; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !queue.busy(); }));
    EXPECT_EQ(messages, 11);
    EXPECT_EQ(m_tp.commands.attempted, QStringList({u("t one"), u("t two"), u("t four")}));
    QStringList states;
    for (int i = 0; i < queue.size(); ++i)
        states << TransferQueue::stateText(queue.entry(i));
    EXPECT_EQ(states, QStringList({u("Done"), u("Not started"), u("Not started"), u("Not started"),
                                   u("Not started")}));
    // Clear finished keeps the run that has started and the one that waits.
    queue.add({{u("6"), u("t six")}, {u("7"), u("t seven")}}, [] {});
    queue.clearFinished();
    ASSERT_EQ(queue.size(), 2);
    EXPECT_EQ(queue.entry(0).run.what, u("6"));
    EXPECT_EQ(queue.running(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !queue.busy(); }));
}

} // namespace
