// The real starter and a fake transfer tool: what arrives in the tool's argv.
#include "app/mainwindow.h"
#include "browser/filelist.h"
#include "doubles.h"
#include "platform/processstarter.h"
#include "testhelpers.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

QString u(const char *text)
{
    return QString::fromUtf8(text);
}

// Counts what the real starter was asked for and what it started.
class CountingStarter final : public CommandStarter
{
public:
    explicit CountingStarter(CommandStarter &real)
        : m_real(real)
    {}
    bool start(const QString &commandLine, QString *error = nullptr) override
    {
        ++attempts;
        const bool ok = m_real.start(commandLine, error);
        started += ok ? 1 : 0;
        return ok;
    }
    int attempts = 0;
    int started = 0;

private:
    CommandStarter &m_real;
};

using Call = QStringList; // argv, program first

class EndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        QDir root(m_root.path());
        ASSERT_TRUE(root.mkpath(u("pofo tools")));
        ASSERT_TRUE(root.mkpath(u("pc files")));
        ASSERT_TRUE(root.mkpath(u("backup here")));
        m_tool = root.filePath(u("pofo tools/transfolio"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(FAKE_TOOL), m_tool));
        m_log = root.filePath(u("pofo tools/calls.log"));
        m_pc = root.filePath(u("pc files"));
        for (const QString &name : m_files) {
            QFile file(m_pc + u("/") + name);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }

        m_tp.settings.values.insert(u("FTOrt/Default"), root.filePath(u("pofo tools")) + u("/"));
        m_tp.settings.values.insert(u("File/Default"), m_pc);
        m_tp.settings.values.insert(u("Dir/Default"), m_pc);
        m_window = std::make_unique<MainWindow>(m_platform, m_tp.values);
        m_window->show();
    }
    void TearDown() override
    {
        if (m_window)
            m_window->close();
    }

    template<typename T = QWidget> T *child(const char *name) const
    {
        return ::child<T>(*m_window, QLatin1String(name));
    }
    void selectAll()
    {
        child<FileList>("File1")->selectAll();
        child("Command1")->setEnabled(true); // as a click in the file list does
    }
    QList<Call> calls() const
    {
        QFile file(m_log);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QList<Call> out;
        Call call;
        for (const QByteArray &line : file.readAll().split('\n')) {
            if (line == "----") {
                out.append(call);
                call.clear();
            } else {
                call.append(QString::fromUtf8(line));
            }
        }
        return out;
    }
    // Waits until `count` more calls have arrived; returns those, sorted, since tools that
    // were started together may write in any order.
    QList<Call> nextCalls(qsizetype count)
    {
        const qsizetype before = m_seen;
        EXPECT_TRUE(QTest::qWaitFor([&] { return calls().size() >= before + count; }, 20000))
            << "expected " << before + count << " calls, got " << calls().size();
        QList<Call> all = calls();
        m_seen = all.size();
        QList<Call> fresh = all.mid(before);
        std::sort(fresh.begin(), fresh.end());
        return fresh;
    }
    Call call(std::initializer_list<QString> arguments) const
    {
        Call c = {m_tool};
        for (const QString &a : arguments)
            c << a;
        return c;
    }
    static QList<Call> sorted(QList<Call> calls)
    {
        std::sort(calls.begin(), calls.end());
        return calls;
    }

    const QStringList m_files = {u("notes.txt"), u("my letter.txt"), u("Brief für Oma.txt"),
                                 u("say \"hi\" \\.txt")};
    QTemporaryDir m_root;
    QString m_tool, m_log, m_pc;
    qsizetype m_seen = 0;
    TestPlatform m_tp;
    ProcessStarter m_real{ProcessStarter::Terminal::Never};
    CountingStarter m_starter{m_real};
    Platform m_platform{m_tp.settings, m_tp.dialogs, m_tp.urls, m_starter};
    std::unique_ptr<MainWindow> m_window;
};

TEST_F(EndToEnd, TheToolReceivesEveryNameWhole)
{
    // Transmit: every file, into a Portfolio folder with a blank.
    selectAll();
    child<QComboBox>("PofoDrive")->setEditText(u("a:\\"));
    child<QLineEdit>("PofoFolder")->setText(u("MY DOCS"));
    child<QPushButton>("Command1")->click();
    QList<Call> expected;
    for (const QString &name : m_files)
        expected << call({m_pc + u("/") + name, u("a:\\MY DOCS"), u("/t")});
    EXPECT_EQ(nextCalls(4), sorted(expected));

    // Transmit with no Portfolio folder: the trailing blank of " /t " adds no argument.
    child<QLineEdit>("PofoFolder")->clear();
    child<FileList>("File1")->clearSelection();
    child<FileList>("File1")->selectionModel()->select(
        child<FileList>("File1")->model()->index(0, 0), QItemSelectionModel::Select);
    const QString first = child<FileList>("File1")->name(0);
    child<QPushButton>("Command1")->click();
    EXPECT_EQ(nextCalls(1), QList<Call>({call({m_pc + u("/") + first, u("a:\\"), u("/t")})}));

    // Receive from the fields, into the path field's folder.
    const QString destination = child<QPlainTextEdit>("Dateiname")->toPlainText();
    EXPECT_EQ(destination, m_pc);
    child<QLineEdit>("PofoFolder")->setText(u("MY DOCS"));
    QTest::keyClicks(child("PoFoFile"), u("A B.TXT"));
    child<QPushButton>("Command2")->click();
    EXPECT_EQ(nextCalls(1), QList<Call>({call({u("-r"), u("a:\\MY DOCS\\A B.TXT"), destination})}));

    // Receive the list, with the overwrite switch.
    child<QPushButton>("Command3")->click();
    child<QLineEdit>("PofoFolder")->clear();
    child<QLineEdit>("PoFoFile")->setText(u("ÄRGER.TXT"));
    child<QPushButton>("Command3")->click();
    m_window->findChild<QAction *>(u("mnuOver"))->trigger();
    child<QPushButton>("Command2")->click();
    EXPECT_EQ(nextCalls(2),
              sorted({call({u("-r"), u("-f"), u("a:\\MY DOCS\\A B.TXT"), destination}),
                      call({u("-r"), u("-f"), u("a:\\ÄRGER.TXT"), destination})}));

    // The backup wizard: boxes 0 and 2, never the overwrite switch.
    const QString backupFolder = QDir(m_root.path()).filePath(u("backup here")) + u("/");
    onNextModal([&](QWidget *w) {
        auto *add = w->findChild<QPushButton *>(u("Add"));
        add->click();
        add->click();
        w->findChild<QLineEdit *>(u("Text1_0"))->setText(u("a:\\program\\"));
        w->findChild<QLineEdit *>(u("Text1_2"))->setText(u("a:\\my docs\\"));
        w->findChild<QLineEdit *>(u("Text7"))->setText(backupFolder);
        w->findChild<QPushButton *>(u("Command1"))->click();
        w->close();
    });
    m_window->findChild<QAction *>(u("mnuBackup"))->trigger();
    EXPECT_EQ(nextCalls(2), sorted({call({u("-r"), u("a:\\program\\*.*"), backupFolder}),
                                    call({u("-r"), u("a:\\my docs\\*.*"), backupFolder})}));

    EXPECT_EQ(m_starter.attempts, 10);
    EXPECT_EQ(m_starter.started, 10);
    EXPECT_TRUE(m_tp.dialogs.boxes.isEmpty());
}

TEST_F(EndToEnd, WithoutTheToolEachPressShowsTheMessageOnceAndStartsNothing)
{
    // First the tool is there and runs.
    child<FileList>("File1")->selectionModel()->select(
        child<FileList>("File1")->model()->index(0, 0), QItemSelectionModel::Select);
    child("Command1")->setEnabled(true);
    child<QPushButton>("Command1")->click();
    EXPECT_EQ(nextCalls(1).size(), 1);
    ASSERT_TRUE(QFile::remove(m_tool));
    m_starter.attempts = m_starter.started = 0;

    const QString failed = u("Error! Please check the path of transfolio.exe or your sources!");
    auto expectOneMessage = [&](const char *what) {
        SCOPED_TRACE(what);
        ASSERT_EQ(m_tp.dialogs.boxes.size(), 1);
        EXPECT_EQ(m_tp.dialogs.boxes[0].text, failed);
        EXPECT_TRUE(m_tp.dialogs.boxes[0].title.isEmpty());
        EXPECT_EQ(m_tp.dialogs.boxes[0].icon, Dialogs::Icon::None);
        EXPECT_EQ(m_starter.attempts, 1);
        EXPECT_EQ(m_starter.started, 0);
        m_tp.dialogs.boxes.clear();
        m_starter.attempts = 0;
    };

    selectAll();
    child<QPushButton>("Command1")->click();
    expectOneMessage("transmit of three files");

    for (const char *file : {"ONE.TXT", "TWO.TXT", "THREE.TXT"}) {
        child<QLineEdit>("PoFoFile")->setText(u(file));
        child<QPushButton>("Command3")->click();
    }
    child<QPushButton>("Command2")->click();
    expectOneMessage("receive of three list entries");

    onNextModal([&](QWidget *w) {
        auto *add = w->findChild<QPushButton *>(u("Add"));
        add->click();
        add->click();
        for (int i = 0; i < 3; ++i)
            w->findChild<QLineEdit *>(QStringLiteral("Text1_%1").arg(i))->setText(u("a:\\x\\"));
        w->findChild<QPushButton *>(u("Command1"))->click();
        w->close();
    });
    m_window->findChild<QAction *>(u("mnuBackup"))->trigger();
    expectOneMessage("backup of three folders");

    // Only the first call ever reached a tool.
    EXPECT_EQ(calls().size(), 1);
}

} // namespace
