#include "testhelpers.h"
#include "transfer/toolcommands.h"
#include "platform/windowsargs.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <random>

namespace {

const ToolNames Windows{QStringLiteral("transfolio.exe"), QLatin1Char('\\')};
const ToolNames Linux{QStringLiteral("transfolio"), QLatin1Char('/')};

QString u(const char *text)
{
    return QString::fromUtf8(text);
}

// --- Transmit ---------------------------------------------------------------------------

struct TransmitCase
{
    const char *name;
    bool windows;
    const char *toolFolder, *pcFolder, *file, *drive, *folder;
    bool overwrite;
    const char *line;
};

void PrintTo(const TransmitCase &c, std::ostream *os)
{
    *os << c.name;
}

class Transmit : public ::testing::TestWithParam<TransmitCase>
{};

TEST_P(Transmit, BuildsTheLineByteForByte)
{
    const TransmitCase &c = GetParam();
    const ToolCommands tool(u(c.toolFolder), c.windows ? Windows : Linux);
    EXPECT_EQ(tool.transmit(u(c.pcFolder), u(c.file), u(c.drive), u(c.folder), c.overwrite),
              u(c.line));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Transmit,
    ::testing::Values(
        // The four worked examples.
        TransmitCase{"noFolder", true, R"(c:\tools\)", R"(C:\POFO)", "NOTES.TXT", R"(a:\)", "",
                     false, R"(c:\tools\transfolio.exe C:\POFO\NOTES.TXT a:\ /t )"},
        TransmitCase{"noFolderOverwrite", true, R"(c:\tools\)", R"(C:\POFO)", "NOTES.TXT", R"(a:\)",
                     "", true, R"(c:\tools\transfolio.exe C:\POFO\NOTES.TXT a:\ /t -f)"},
        TransmitCase{"folder", true, R"(c:\tools\)", R"(C:\POFO)", "NOTES.TXT", R"(a:\)", "DOCS",
                     false, R"(c:\tools\transfolio.exe C:\POFO\NOTES.TXT a:\DOCS /t)"},
        TransmitCase{"folderOverwrite", true, R"(c:\tools\)", R"(C:\POFO)", "NOTES.TXT", R"(a:\)",
                     "DOCS", true, R"(c:\tools\transfolio.exe C:\POFO\NOTES.TXT a:\DOCS /t -f)"},
        // Edge cases: nothing inserted or removed.
        TransmitCase{"driveRoot", true, R"(c:\tools\)", R"(C:\)", "NOTES.TXT", R"(a:\)", "DOCS",
                     false, R"(c:\tools\transfolio.exe C:\NOTES.TXT a:\DOCS /t)"},
        TransmitCase{"driveWithoutBackslash", true, R"(c:\tools\)", R"(C:\POFO)", "NOTES.TXT",
                     "a:", "DOCS", false, R"(c:\tools\transfolio.exe C:\POFO\NOTES.TXT a:DOCS /t)"},
        TransmitCase{"folderWithTrailingBackslash", true, R"(c:\tools\)", R"(C:\POFO)", "NOTES.TXT",
                     R"(a:\)", R"(DOCS\)", false,
                     R"(c:\tools\transfolio.exe C:\POFO\NOTES.TXT a:\DOCS\ /t)"},
        TransmitCase{"doubledBackslash", true, R"(c:\tools\)", R"(C:\POFO)", "NOTES.TXT", R"(a:\)",
                     R"(\DOCS)", false, R"(c:\tools\transfolio.exe C:\POFO\NOTES.TXT a:\\DOCS /t)"},
        TransmitCase{"toolFolderWithoutBackslash", true, R"(c:\tools)", R"(C:\POFO)", "NOTES.TXT",
                     R"(a:\)", "", false, R"(c:\toolstransfolio.exe C:\POFO\NOTES.TXT a:\ /t )"},
        TransmitCase{"emptyToolFolder", true, "", R"(C:\POFO)", "NOTES.TXT", R"(a:\)", "", false,
                     R"(transfolio.exe C:\POFO\NOTES.TXT a:\ /t )"},
        TransmitCase{"emptyDriveAndFolder", true, R"(c:\)", R"(C:\POFO)", "NOTES.TXT", "", "",
                     false, R"(c:\transfolio.exe C:\POFO\NOTES.TXT  /t )"},
        // Names with blanks reach the tool whole.
        TransmitCase{"fileWithBlank", true, R"(c:\tools\)", R"(C:\POFO)", "MY NOTES.TXT", R"(a:\)",
                     "", false, R"(c:\tools\transfolio.exe "C:\POFO\MY NOTES.TXT" a:\ /t )"},
        TransmitCase{"pcFolderWithBlank", true, R"(c:\)", R"(C:\My Pofo\)", "A.TXT", R"(a:\)",
                     "DOCS", true, R"(c:\transfolio.exe "C:\My Pofo\A.TXT" a:\DOCS /t -f)"},
        TransmitCase{"toolFolderWithBlank", true, R"(C:\Program Files\Pofo\)", R"(C:\POFO)",
                     "A.TXT", R"(a:\)", "DOCS", false,
                     R"("C:\Program Files\Pofo\transfolio.exe" C:\POFO\A.TXT a:\DOCS /t)"},
        TransmitCase{"destinationWithBlankKeepsItsTrailingBackslash", true, R"(c:\)", R"(C:\POFO)",
                     "A.TXT", R"(a:\)", R"(MY DOCS\)", false,
                     R"(c:\transfolio.exe C:\POFO\A.TXT "a:\MY DOCS\\" /t)"},
        TransmitCase{"fileNamedLikeTheSwitch", true, R"(c:\)", R"(C:\POFO)", "A -f", R"(a:\)", "",
                     false, R"(c:\transfolio.exe "C:\POFO\A -f" a:\ /t )"},
        // The same rules with the names of Linux.
        TransmitCase{"linux", false, "/opt/pofo/", "/home/ann/pofo", "notes.txt", R"(a:\)", "",
                     false, R"(/opt/pofo/transfolio /home/ann/pofo/notes.txt a:\ /t )"},
        TransmitCase{"linuxRoot", false, "", "/", "notes.txt", R"(a:\)", "DOCS", true,
                     R"(transfolio /notes.txt a:\DOCS /t -f)"},
        TransmitCase{"linuxBlankAndQuote", false, "/opt/my tools/", "/home/ann", "say \"hi\".txt",
                     R"(a:\)", "", false,
                     R"("/opt/my tools/transfolio" "/home/ann/say \"hi\".txt" a:\ /t )"}),
    [](const auto &info) { return std::string(info.param.name); });

// --- Receive ----------------------------------------------------------------------------

struct ReceiveCase
{
    const char *name;
    const char *toolFolder, *source, *destination;
    bool overwrite;
    const char *line;
};

void PrintTo(const ReceiveCase &c, std::ostream *os)
{
    *os << c.name;
}

class Receive : public ::testing::TestWithParam<ReceiveCase>
{};

TEST_P(Receive, BuildsTheLineByteForByte)
{
    const ReceiveCase &c = GetParam();
    const ToolCommands tool(u(c.toolFolder), Windows);
    EXPECT_EQ(tool.receive(u(c.source), u(c.destination), c.overwrite), u(c.line));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Receive,
    ::testing::Values(
        ReceiveCase{"listEntry", R"(c:\tools\)", R"(a:\DOCS\LETTER.TXT)", R"(C:\POFO)", false,
                    R"(c:\tools\transfolio.exe -r a:\DOCS\LETTER.TXT C:\POFO)"},
        ReceiveCase{"overwrite", R"(c:\tools\)", R"(a:\DOCS\LETTER.TXT)", R"(C:\POFO)", true,
                    R"(c:\tools\transfolio.exe -r -f a:\DOCS\LETTER.TXT C:\POFO)"},
        ReceiveCase{"noFolder", R"(c:\tools\)", R"(a:\ADDR.ADR)", R"(C:\POFO)", false,
                    R"(c:\tools\transfolio.exe -r a:\ADDR.ADR C:\POFO)"},
        ReceiveCase{"clickedFileIsTheDestination", R"(c:\tools\)", R"(a:\ADDR.ADR)",
                    R"(C:\POFO\NOTES.TXT)", false,
                    R"(c:\tools\transfolio.exe -r a:\ADDR.ADR C:\POFO\NOTES.TXT)"},
        ReceiveCase{"emptyToolFolder", "", R"(a:\X)", R"(C:\)", false,
                    R"(transfolio.exe -r a:\X C:\)"},
        ReceiveCase{"toolFolderWithoutBackslash", R"(c:\tools)", R"(a:\X)", R"(C:\)", false,
                    R"(c:\toolstransfolio.exe -r a:\X C:\)"},
        ReceiveCase{"emptyDestination", R"(c:\)", R"(a:\X)", "", false,
                    R"(c:\transfolio.exe -r a:\X )"},
        ReceiveCase{"sourceWithBlank", R"(c:\)", R"(a:\MY DOCS\A B.TXT)", R"(C:\POFO)", false,
                    R"(c:\transfolio.exe -r "a:\MY DOCS\A B.TXT" C:\POFO)"},
        ReceiveCase{"destinationWithBlankAtTheRootOfAFolder", R"(c:\)", R"(a:\X)", R"(C:\My Pofo\)",
                    true, R"(c:\transfolio.exe -r -f a:\X "C:\My Pofo\\")"}),
    [](const auto &info) { return std::string(info.param.name); });

struct FieldsCase
{
    const char *drive, *folder, *file, *path;
};

void PrintTo(const FieldsCase &c, std::ostream *os)
{
    *os << c.path;
}

class PortfolioPathOfFields : public ::testing::TestWithParam<FieldsCase>
{};

TEST_P(PortfolioPathOfFields, JoinsAsTyped)
{
    const FieldsCase &c = GetParam();
    EXPECT_EQ(ToolCommands::portfolioPath(u(c.drive), u(c.folder), u(c.file)), u(c.path));
}

INSTANTIATE_TEST_SUITE_P(Table, PortfolioPathOfFields,
                         ::testing::Values(FieldsCase{R"(a:\)", "DOCS", "LETTER.TXT",
                                                      R"(a:\DOCS\LETTER.TXT)"},
                                           FieldsCase{R"(a:\)", "", "ADDR.ADR", R"(a:\ADDR.ADR)"},
                                           FieldsCase{R"(a:\)", "DOCS", "", R"(a:\DOCS\)"},
                                           FieldsCase{R"(a:\)", "", "", R"(a:\)"},
                                           FieldsCase{"a:", "DOCS", "X", R"(a:DOCS\X)"},
                                           FieldsCase{R"(a:\)", R"(DOCS\)", "X", R"(a:\DOCS\\X)"}));

// --- Backup -----------------------------------------------------------------------------

struct BackupCase
{
    const char *name;
    const char *toolFolder, *folder, *destination, *line;
};

void PrintTo(const BackupCase &c, std::ostream *os)
{
    *os << c.name;
}

class Backup : public ::testing::TestWithParam<BackupCase>
{};

TEST_P(Backup, BuildsTheLineByteForByte)
{
    const BackupCase &c = GetParam();
    EXPECT_EQ(ToolCommands(u(c.toolFolder), Windows).backup(u(c.folder), u(c.destination)),
              u(c.line));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Backup,
    ::testing::Values(BackupCase{"workedExampleFirst", R"(c:\)", R"(a:\program\)", R"(c:\backup\)",
                                 R"(c:\transfolio.exe -r a:\program\*.* c:\backup\)"},
                      BackupCase{"workedExampleSecond", R"(c:\)", R"(a:\system\)", R"(c:\backup\)",
                                 R"(c:\transfolio.exe -r a:\system\*.* c:\backup\)"},
                      BackupCase{"folderWithoutBackslash", R"(c:\)", R"(a:\program)",
                                 R"(c:\backup\)",
                                 R"(c:\transfolio.exe -r a:\program*.* c:\backup\)"},
                      BackupCase{"emptyDestination", R"(c:\)", R"(a:\program\)", "",
                                 R"(c:\transfolio.exe -r a:\program\*.* )"},
                      BackupCase{"toolFolderWithoutBackslash", R"(c:\tools)", R"(a:\)", R"(c:\b\)",
                                 R"(c:\toolstransfolio.exe -r a:\*.* c:\b\)"},
                      BackupCase{"emptyToolFolder", "", R"(a:\)", R"(c:\b\)",
                                 R"(transfolio.exe -r a:\*.* c:\b\)"},
                      BackupCase{"blanks", R"(c:\)", R"(a:\my docs\)", R"(c:\my backup\)",
                                 R"(c:\transfolio.exe -r "a:\my docs\*.*" "c:\my backup\\")"}),
    [](const auto &info) { return std::string(info.param.name); });

// --- Splitting as the Windows runtime does ------------------------------------------------

struct SplitCase
{
    const char *line;
    std::vector<const char *> arguments;
};

void PrintTo(const SplitCase &c, std::ostream *os)
{
    *os << c.line;
}

class Split : public ::testing::TestWithParam<SplitCase>
{};

TEST_P(Split, GivesTheArgumentsOfTheRuntime)
{
    QStringList expected;
    for (const char *a : GetParam().arguments)
        expected << u(a);
    EXPECT_EQ(WindowsArgs::split(u(GetParam().line)), expected) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Split,
    ::testing::Values(
        SplitCase{"", {}}, SplitCase{"p", {"p"}}, SplitCase{"p  a\tb  ", {"p", "a", "b"}},
        // The runtime's own examples, behind a program name.
        SplitCase{R"(p "abc" d e)", {"p", "abc", "d", "e"}},
        SplitCase{R"(p a\\b d"e f"g h)", {"p", R"(a\\b)", "de fg", "h"}},
        SplitCase{R"(p a\\\"b c d)", {"p", R"(a\"b)", "c", "d"}},
        SplitCase{R"(p a\\\\"b c" d e)", {"p", R"(a\\b c)", "d", "e"}},
        SplitCase{R"(p a"b"" c d)", {"p", R"(ab" c d)"}}, SplitCase{R"(p "")", {"p", ""}},
        SplitCase{R"(p "a b\\")", {"p", R"(a b\)"}},
        // The program name: quotes group, backslashes are plain.
        SplitCase{R"("C:\Program Files\t.exe" -r)", {R"(C:\Program Files\t.exe)", "-r"}},
        SplitCase{R"(c:\a\\"b c"d e)", {R"(c:\a\\b cd)", "e"}},
        SplitCase{R"(c:\tools\transfolio.exe C:\POFO\NOTES.TXT a:\ /t )",
                  {R"(c:\tools\transfolio.exe)", R"(C:\POFO\NOTES.TXT)", R"(a:\)", "/t"}}));

// --- Every built line splits into the intended arguments ----------------------------------

// Names made of the characters that break command lines, and some that do not.
class NameMaker
{
public:
    explicit NameMaker(unsigned seed)
        : m_random(seed)
    {}
    QString make(bool withQuotes, int maxLength = 10)
    {
        static const QString all = u("aZ0.-*:/ \t\"\\\\\\äé日ß") + QString::fromUcs4(U"\U0001F600");
        std::uniform_int_distribution<int> length(0, maxLength);
        const QList<uint> letters = all.toUcs4();
        std::uniform_int_distribution<int> pick(0, int(letters.size()) - 1);
        QString name;
        for (int n = length(m_random); n > 0; --n) {
            const uint c = letters[pick(m_random)];
            if (c == '"' && !withQuotes)
                continue;
            name += QString::fromUcs4(reinterpret_cast<const char32_t *>(&c), 1);
        }
        return name;
    }
    bool coin() { return std::uniform_int_distribution<int>(0, 1)(m_random) == 1; }

private:
    std::mt19937 m_random;
};

QStringList withoutEmpty(const QStringList &parts)
{
    QStringList out;
    for (const QString &p : parts) {
        if (!p.isEmpty())
            out << p;
    }
    return out;
}

bool plain(const QStringList &parts)
{
    for (const QString &p : parts) {
        if (p.contains(QLatin1Char(' ')) || p.contains(QLatin1Char('\t'))
            || p.contains(QLatin1Char('"')))
            return false;
    }
    return true;
}

class RoundTrip : public ::testing::TestWithParam<bool>
{
protected:
    ToolNames names() const { return GetParam() ? Windows : Linux; }
};

constexpr int Rounds = 3000;

TEST_P(RoundTrip, TransmitLinesSplitIntoTheIntendedArguments)
{
    NameMaker maker(1);
    for (int round = 0; round < Rounds; ++round) {
        // A program name cannot carry a quote (nor can a Windows file name).
        const QString toolFolder = maker.make(false);
        const QString pcFolder = maker.make(true), file = maker.make(true);
        const QString drive = maker.make(true, 3), folder = maker.make(true);
        const bool overwrite = maker.coin();
        const ToolCommands tool(toolFolder, names());
        const QString line = tool.transmit(pcFolder, file, drive, folder, overwrite);

        const QString pcFile =
            (pcFolder.endsWith(names().pcSeparator) ? pcFolder : pcFolder + names().pcSeparator)
            + file;
        QStringList expected =
            withoutEmpty({toolFolder + names().fileName, pcFile, drive + folder});
        expected << QStringLiteral("/t");
        if (overwrite)
            expected << QStringLiteral("-f");
        ASSERT_EQ(WindowsArgs::split(line), expected)
            << "round " << round << ": " << line.toStdString();
        if (plain({toolFolder, pcFile, drive + folder})) {
            const QString unquoted = toolFolder + names().fileName + u(" ") + pcFile + u(" ")
                                     + drive + folder
                                     + (overwrite          ? u(" /t -f")
                                        : folder.isEmpty() ? u(" /t ")
                                                           : u(" /t"));
            ASSERT_EQ(line, unquoted) << "round " << round;
        }
    }
}

TEST_P(RoundTrip, ReceiveLinesSplitIntoTheIntendedArguments)
{
    NameMaker maker(2);
    for (int round = 0; round < Rounds; ++round) {
        const QString toolFolder = maker.make(false);
        const QString source = maker.make(true), destination = maker.make(true);
        const bool overwrite = maker.coin();
        const QString line =
            ToolCommands(toolFolder, names()).receive(source, destination, overwrite);

        QStringList expected = {toolFolder + names().fileName, QStringLiteral("-r")};
        if (overwrite)
            expected << QStringLiteral("-f");
        expected << withoutEmpty({source, destination});
        ASSERT_EQ(WindowsArgs::split(line), expected)
            << "round " << round << ": " << line.toStdString();
        if (plain({toolFolder, source, destination})) {
            ASSERT_EQ(line, toolFolder + names().fileName + (overwrite ? u(" -r -f ") : u(" -r "))
                                + source + u(" ") + destination);
        }
    }
}

TEST_P(RoundTrip, BackupLinesSplitIntoTheIntendedArguments)
{
    NameMaker maker(3);
    for (int round = 0; round < Rounds; ++round) {
        const QString toolFolder = maker.make(false);
        const QString folder = maker.make(true), destination = maker.make(true);
        const QString line = ToolCommands(toolFolder, names()).backup(folder, destination);

        QStringList expected = {toolFolder + names().fileName, QStringLiteral("-r"),
                                folder + u("*.*")};
        expected << withoutEmpty({destination});
        ASSERT_EQ(WindowsArgs::split(line), expected)
            << "round " << round << ": " << line.toStdString();
        if (plain({toolFolder, folder, destination})) {
            ASSERT_EQ(line,
                      toolFolder + names().fileName + u(" -r ") + folder + u("*.* ") + destination);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Platforms, RoundTrip, ::testing::Bool(),
                         [](const auto &info) { return info.param ? "Windows" : "Linux"; });

} // namespace
