#include "platform/processstarter.h"
#include "testhelpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Sets PATH for one test and puts the old one back.
class PathGuard
{
public:
    explicit PathGuard(const QString &path)
        : m_old(qgetenv("PATH"))
    {
        qputenv("PATH", QFile::encodeName(path));
    }
    ~PathGuard() { qputenv("PATH", m_old); }

private:
    QByteArray m_old;
};

class Starter : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_dir.path()).mkpath(QStringLiteral("my tools"));
        QDir(m_dir.path()).mkpath(QStringLiteral("a folder"));
        makeFile(QStringLiteral("my tools/transfolio"), true);
        makeFile(QStringLiteral("plain"), false);
        makeFile(QStringLiteral("xterm"), true);
        makeFile(QStringLiteral("x-terminal-emulator"), true);
    }
    void makeFile(const QString &name, bool executable)
    {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/true\n");
        file.close();
        if (executable)
            file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    }
    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

TEST_F(Starter, AToolPathIsSplitAsTheWindowsRuntimeWouldAndRunsWithoutATerminal)
{
    const QString tool = path(QStringLiteral("my tools/transfolio"));
    const auto launch = ProcessStarter::plan(
        QLatin1Char('"') + tool + QStringLiteral(R"(" -r "a:\MY DOCS\*.*" "/home/a b\\")"), {});
    EXPECT_TRUE(launch.error.isEmpty()) << launch.error.toStdString();
    EXPECT_EQ(launch.program, tool);
    EXPECT_EQ(launch.arguments, QStringList({"-r", QStringLiteral(R"(a:\MY DOCS\*.*)"),
                                             QStringLiteral("/home/a b\\")}));
}

TEST_F(Starter, ATerminalGetsTheResolvedToolAndItsArgumentsBehindMinusE)
{
    const PathGuard guard(path(QStringLiteral("my tools")));
    const auto launch = ProcessStarter::plan(QStringLiteral("transfolio a:\\X \"/b c\""),
                                             QStringLiteral("/usr/bin/xterm"));
    EXPECT_TRUE(launch.error.isEmpty()) << launch.error.toStdString();
    EXPECT_EQ(launch.program, QStringLiteral("/usr/bin/xterm"));
    EXPECT_EQ(launch.arguments,
              QStringList({"-e", path(QStringLiteral("my tools/transfolio")), "a:\\X", "/b c"}));
}

struct Refusal
{
    const char *name;
    const char *commandLine; // %1 is the temporary folder
    const char *reason;
};

void PrintTo(const Refusal &r, std::ostream *os)
{
    *os << r.name;
}

class StarterRefuses : public Starter, public ::testing::WithParamInterface<Refusal>
{};

TEST_P(StarterRefuses, WhatIsNoExecutableFile)
{
    const PathGuard guard(path(QStringLiteral("a folder")));
    const QString line = QString::fromUtf8(GetParam().commandLine).arg(m_dir.path());
    const auto launch = ProcessStarter::plan(line, QStringLiteral("/usr/bin/xterm"));
    EXPECT_TRUE(launch.program.isEmpty());
    EXPECT_TRUE(launch.error.contains(QLatin1String(GetParam().reason)))
        << launch.error.toStdString();

    ProcessStarter starter(ProcessStarter::Terminal::Never);
    QString error;
    EXPECT_FALSE(starter.start(line, &error));
    EXPECT_EQ(error, launch.error);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StarterRefuses,
    ::testing::Values(
        Refusal{"emptyLine", "", "names no program"},
        Refusal{"onlyBlanks", "\"\" a", "names no program"},
        Refusal{"missing", "%1/gone/transfolio a", "does not exist"},
        Refusal{"toolFolderWithoutSeparator", "%1/my toolstransfolio a", "does not exist"},
        Refusal{"blankSplitsAnUnquotedPath", "%1/my tools/transfolio a", "does not exist"},
        Refusal{"notExecutable", "%1/plain a", "not an executable file"},
        Refusal{"aFolder", "\"%1/a folder\" a", "not an executable file"},
        Refusal{"bareNameNotOnThePath", "transfolio a", "not found on the PATH"},
        Refusal{"windowsPathOnLinux", R"(c:\tools\transfolio.exe a)", "not found on the PATH"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Starter, AnExecutableThatIsNoProgramFailsToStart)
{
    // Executable, but no program: execv refuses it, and no shell steps in.
    QFile file(path(QStringLiteral("plain")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("touch ran\n");
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    ProcessStarter starter(ProcessStarter::Terminal::Never);
    QString error;
    EXPECT_FALSE(starter.start(path(QStringLiteral("plain")), &error));
    EXPECT_FALSE(error.isEmpty());
}

struct TerminalCase
{
    std::vector<const char *> installed;
    const char *found; // "" none
};

class TerminalLookup : public Starter, public ::testing::WithParamInterface<TerminalCase>
{};

TEST_P(TerminalLookup, PrefersTheDebianAlternativeToXterm)
{
    QTemporaryDir bin;
    for (const char *name : GetParam().installed)
        ASSERT_TRUE(QFile::copy(path(QLatin1String(name)), bin.filePath(QLatin1String(name))));
    const PathGuard guard(bin.path());
    const QString expected =
        *GetParam().found ? bin.filePath(QLatin1String(GetParam().found)) : QString();
    EXPECT_EQ(ProcessStarter::findTerminal(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TerminalLookup,
    ::testing::Values(TerminalCase{{}, ""}, TerminalCase{{"xterm"}, "xterm"},
                      TerminalCase{{"x-terminal-emulator"}, "x-terminal-emulator"},
                      TerminalCase{{"xterm", "x-terminal-emulator"}, "x-terminal-emulator"}));

} // namespace
