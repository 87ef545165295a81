// The real starter and a stand-in transfer tool: what arrives in the tool's argv.
#include "app/mainwindow.h"
#include "backup/backupwindow.h"
#include "browser/filelist.h"
#include "browser/pathfield.h"
#include "doubles.h"
#include "platform/processstarter.h"
#include "testhelpers.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

using Call = QStringList; // argv, program first

class EndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_tool = m_tree.folder(u("pofo tools")) + u("/transfolio");
        ASSERT_TRUE(QFile::copy(QStringLiteral(FAKE_TOOL), m_tool));
        for (const QString &name : m_files)
            m_tree.file(u("pc files/") + name);
        m_tp.settings.values.insert(u("FTOrt/Default"), m_tree.path(u("pofo tools")) + u("/"));
        m_tp.settings.values.insert(u("Dir/Default"), m_tree.path(u("pc files")));
        m_window = std::make_unique<MainWindow>(m_platform, m_tp.values);
        m_window->show();
    }
    template<typename T = QWidget> T *control(const char *name) const
    {
        return child<T>(*m_window, u(name));
    }
    void transmitAll()
    {
        control<FileList>("File1")->selectAll();
        control("Command1")->setEnabled(true); // as a click in the file list does
        control<QPushButton>("Command1")->click();
    }
    // Backs up Portfolio folders into a PC folder with the wizard.
    void backup(const QStringList &folders, const QString &into)
    {
        BackupWindow wizard(m_platform, m_tp.values);
        for (int i = 1; i < folders.size(); ++i)
            child<QPushButton>(wizard, u("Add"))->click();
        for (int i = 0; i < folders.size(); ++i)
            child<QLineEdit>(wizard, QStringLiteral("Text1_%1").arg(i))->setText(folders[i]);
        child<QLineEdit>(wizard, u("Text7"))->setText(into);
        child<QPushButton>(wizard, u("Command1"))->click();
    }
    QList<Call> calls() const
    {
        QFile file(m_tree.path(u("pofo tools/calls.log")));
        QList<Call> out;
        if (file.open(QIODevice::ReadOnly)) {
            const QString log = QString::fromUtf8(file.readAll());
            for (const QString &record : log.split(u("----\n"), Qt::SkipEmptyParts))
                out.append(record.split(u("\n"), Qt::SkipEmptyParts));
        }
        return out;
    }
    // Waits for the calls a press should make; tools started together write in any order.
    void expectCalls(QList<Call> expected)
    {
        const qsizetype before = m_seen;
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return calls().size() >= before + expected.size(); }, 20000));
        QList<Call> fresh = calls().mid(before);
        m_seen = before + fresh.size();
        std::sort(fresh.begin(), fresh.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(fresh, expected);
    }

    const QStringList m_files = {"notes.txt", "my letter.txt", "Brief für Oma.txt",
                                 "say \"hi\" \\.txt"};
    Tree m_tree;
    QString m_tool;
    qsizetype m_seen = 0;
    TestPlatform m_tp;
    ProcessStarter m_starter{ProcessStarter::Terminal::Never};
    Platform m_platform{m_tp.settings, m_tp.dialogs, m_tp.urls,
                        m_starter,     m_tp.volumes, m_tp.keyboard};
    std::unique_ptr<MainWindow> m_window;
};

TEST_F(EndToEnd, TheToolReceivesEveryNameWholeAndWithoutItEachPressShowsTheMessageOnce)
{
    control<QLineEdit>("PofoFolder")->setText(u("MY DOCS"));
    transmitAll();
    QList<Call> expected;
    for (const QString &name : m_files)
        expected << Call{m_tool, m_tree.path(u("pc files/") + name), u("a:\\MY DOCS"), u("/t")};
    expectCalls(expected);

    // Receive from the fields and from the list, into the path field's folder.
    const QString into = control<PathField>("Dateiname")->path();
    QTest::keyClicks(control("PoFoFile"), u("A B.TXT"));
    control<QPushButton>("Command2")->click();
    expectCalls({{m_tool, u("-r"), u("a:\\MY DOCS\\A B.TXT"), into}});
    control<QPushButton>("Command3")->click();
    control<QLineEdit>("PofoFolder")->clear();
    control<QLineEdit>("PoFoFile")->setText(u("ÄRGER.TXT"));
    control<QPushButton>("Command3")->click();
    control<QAction>("mnuOver")->trigger();
    control<QPushButton>("Command2")->click();
    expectCalls({{m_tool, u("-r"), u("-f"), u("a:\\MY DOCS\\A B.TXT"), into},
                 {m_tool, u("-r"), u("-f"), u("a:\\ÄRGER.TXT"), into}});

    const QString backupFolder = m_tree.folder(u("backup here")) + u("/");
    backup({u("a:\\program\\"), u("a:\\my docs\\")}, backupFolder);
    expectCalls({{m_tool, u("-r"), u("a:\\program\\*.*"), backupFolder},
                 {m_tool, u("-r"), u("a:\\my docs\\*.*"), backupFolder}});

    // Without the tool, one message a press: the first line that cannot start ends it.
    ASSERT_TRUE(QFile::remove(m_tool));
    transmitAll();
    backup({u("a:\\x\\"), u("a:\\y\\")}, u("/b/"));
    const QString message = u("Error! Please check the path of transfolio.exe or your sources!");
    EXPECT_EQ(m_tp.dialogs.texts(), QStringList({message, message}));
}

} // namespace
