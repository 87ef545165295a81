#include "common/titleline.h"
#include "app/mainwindow.h"
#include "browser/drivelist.h"
#include "browser/filelist.h"
#include "browser/filepattern.h"
#include "browser/folderaccess.h"
#include "browser/foldercommands.h"
#include "browser/folderlist.h"
#include "browser/pcbrowser.h"
#include "browser/sizeline.h"
#include "doubles.h"
#include "testhelpers.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <gtest/gtest.h>

#include <optional>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(QDir::cleanPath(path));
}

// The system's words for an error, in whatever language it speaks here.
QString systemText(std::errc error)
{
    return QString::fromLocal8Bit(std::make_error_code(error).message());
}

// A real folder tree in a temporary place.
class Tree
{
public:
    Tree() { EXPECT_TRUE(m_dir.isValid()); }

    QString path(const QString &relative = {}) const
    {
        return native(relative.isEmpty() ? m_dir.path() : m_dir.filePath(relative));
    }
    // A file of the given length; long ones are sparse, so they cost no disk.
    QString file(const QString &relative, qint64 bytes = 0) const
    {
        QDir().mkpath(QFileInfo(m_dir.filePath(relative)).path());
        QFile file(m_dir.filePath(relative));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(relative);
        EXPECT_TRUE(file.resize(bytes));
        return path(relative);
    }
    QString folder(const QString &relative) const
    {
        EXPECT_TRUE(QDir().mkpath(m_dir.filePath(relative)));
        return path(relative);
    }
    QString link(const QString &relative, const QString &target) const
    {
        EXPECT_TRUE(QFile::link(target, m_dir.filePath(relative))) << qPrintable(relative);
        return path(relative);
    }
    bool exists(const QString &relative) const
    {
        return QFileInfo(m_dir.filePath(relative)).exists()
               || QFileInfo(m_dir.filePath(relative)).isSymLink();
    }
    QStringList entries(const QString &relative = {}) const
    {
        return QDir(path(relative))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDir::Name);
    }
    // Lets other users in, for the tests that drop root's rights.
    void openToAll(const QString &relative = {}) const { setMode(relative, 0755); }
    void setMode(const QString &relative, int mode) const
    {
#ifdef Q_OS_UNIX
        EXPECT_EQ(::chmod(QFile::encodeName(path(relative)).constData(), mode_t(mode)), 0);
#else
        Q_UNUSED(relative);
        Q_UNUSED(mode);
#endif
    }

private:
    QTemporaryDir m_dir;
};

// Root passes every permission check. For the length of a test the process takes an
// ordinary user's ids (its saved id stays root, so it can come back), and permission bits
// count as they do for everyone else.
class WithoutRootRights
{
public:
    WithoutRootRights()
    {
#ifdef Q_OS_UNIX
        if (::geteuid() != 0) {
            m_effective = true;
            return;
        }
        m_switched = ::setresgid(65534, 65534, 0) == 0 && ::setresuid(65534, 65534, 0) == 0;
        m_effective = m_switched;
#endif
    }
    ~WithoutRootRights()
    {
#ifdef Q_OS_UNIX
        if (m_switched) {
            EXPECT_EQ(::setresuid(0, 0, 0), 0);
            EXPECT_EQ(::setresgid(0, 0, 0), 0);
        }
#endif
    }
    // False when permission bits cannot be made to count (no Unix, or root that may not
    // change its ids).
    bool effective() const
    {
        return m_effective;
    }

private:
    bool m_switched = false;
    bool m_effective = false;
};

#define REQUIRE_PERMISSIONS_COUNT(guard)                                                           \
    if (!(guard).effective())                                                                      \
    GTEST_SKIP() << "permission bits cannot be made to count here"

// ---- The size line ----------------------------------------------------------------------

struct SizeCase
{
    quint64 total;
    QLocale::Language language;
    const char *line;
};

class SizeLineText : public ::testing::TestWithParam<SizeCase>
{};

TEST_P(SizeLineText, FollowsTheArithmetic)
{
    const SizeCase &c = GetParam();
    const QLocale locale = c.language == QLocale::C ? QLocale::c() : QLocale(c.language);
    EXPECT_EQ(SizeLine::text(c.total, locale), QString::fromUtf8(c.line));
}

INSTANTIATE_TEST_SUITE_P(
    Table, SizeLineText,
    ::testing::Values(
        // The worked examples.
        SizeCase{2048, QLocale::C, "File size: 2.05 kB (2050 Bytes)"},
        SizeCase{1000 + 2500, QLocale::C, "File size: 3.50 kB (3500 Bytes)"},
        SizeCase{1005, QLocale::C, "File size: 1.01 kB (1010 Bytes)"},
        SizeCase{4, QLocale::C, "File size: 0.00 kB (0 Bytes)"},
        SizeCase{123456789, QLocale::C, "File size: 123456.79 kB (123456790 Bytes)"},
        SizeCase{0, QLocale::C, "File size: 0.00 kB (0 Bytes)"},
        // Half rounds up, at the third decimal only.
        SizeCase{5, QLocale::C, "File size: 0.01 kB (10 Bytes)"},
        SizeCase{994, QLocale::C, "File size: 0.99 kB (990 Bytes)"},
        SizeCase{995, QLocale::C, "File size: 1.00 kB (1000 Bytes)"},
        SizeCase{1000, QLocale::C, "File size: 1.00 kB (1000 Bytes)"},
        SizeCase{99999995, QLocale::C, "File size: 100000.00 kB (100000000 Bytes)"},
        // Past 2 GiB and 4 GiB, and the largest total there is.
        SizeCase{2147483648ULL, QLocale::C, "File size: 2147483.65 kB (2147483650 Bytes)"},
        SizeCase{4294967296ULL, QLocale::C, "File size: 4294967.30 kB (4294967300 Bytes)"},
        SizeCase{18446744073709551615ULL, QLocale::C,
                 "File size: 18446744073709551.62 kB (18446744073709551620 Bytes)"},
        // The user's decimal separator, and never a thousands separator.
        SizeCase{2048, QLocale::German, "File size: 2,05 kB (2050 Bytes)"},
        SizeCase{123456789, QLocale::German, "File size: 123456,79 kB (123456790 Bytes)"},
        SizeCase{123456789, QLocale::English, "File size: 123456.79 kB (123456790 Bytes)"}));

// What a set of names in a folder adds up to, each length read from the disk.
struct TotalCase
{
    const char *name;
    QStringList names;
    quint64 total;
};

class SizeLineTotal : public ::testing::TestWithParam<TotalCase>
{
protected:
    void SetUp() override
    {
        m_tree.file(QStringLiteral("a.bin"), 1000);
        m_tree.file(QStringLiteral("b.bin"), 2500);
        m_tree.file(QStringLiteral("huge.bin"), 5000000000LL);
        m_tree.folder(QStringLiteral("sub"));
        m_tree.link(QStringLiteral("to-a"), m_tree.path(QStringLiteral("a.bin")));
        m_tree.link(QStringLiteral("loop1"), m_tree.path(QStringLiteral("loop2")));
        m_tree.link(QStringLiteral("loop2"), m_tree.path(QStringLiteral("loop1")));
    }
    Tree m_tree;
};

TEST_P(SizeLineTotal, CountsWhatCanBeMeasured)
{
    EXPECT_EQ(SizeLine::totalBytes(m_tree.path(), GetParam().names), GetParam().total);
    // Also with the separator already on the folder.
    EXPECT_EQ(SizeLine::totalBytes(m_tree.path() + QDir::separator(), GetParam().names),
              GetParam().total);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SizeLineTotal,
    ::testing::Values(TotalCase{"two", {"a.bin", "b.bin"}, 3500}, TotalCase{"none", {}, 0},
                      TotalCase{"overFourGiB", {"huge.bin", "a.bin"}, 5000001000ULL},
                      TotalCase{"vanishedCountsNothing", {"a.bin", "gone.bin", "b.bin"}, 3500},
                      TotalCase{"folderCountsNothing", {"sub", "a.bin"}, 1000},
                      TotalCase{"linkCountsItsTarget", {"to-a"}, 1000},
                      TotalCase{"loopingLinkCountsNothing", {"loop1", "b.bin"}, 2500}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- The file pattern ---------------------------------------------------------------------

struct PatternCase
{
    const char *pattern;
    const char *name;
    bool listed;
};

class PatternMatch : public ::testing::TestWithParam<PatternCase>
{};

TEST_P(PatternMatch, ListsWhatMatches)
{
    const PatternCase &c = GetParam();
    EXPECT_EQ(FilePattern(QString::fromUtf8(c.pattern)).matches(QString::fromUtf8(c.name)),
              c.listed)
        << c.pattern << " " << c.name;
}

const char *const Portfolio = "*.txt*;*.com*;*.dat*;*.wks*;*.adr*;*.dry*;*.exe*;*.bat*";

INSTANTIATE_TEST_SUITE_P(
    Table, PatternMatch,
    ::testing::Values(
        PatternCase{Portfolio, "notes.txt.bak", true}, PatternCase{Portfolio, "notes.doc", false},
        PatternCase{Portfolio, "NOTES.TXT", true}, PatternCase{Portfolio, "Budget.Wks", true},
        PatternCase{Portfolio, "prog.com", true}, PatternCase{Portfolio, "PROG.EXE", true},
        PatternCase{Portfolio, "run.bat", true}, PatternCase{Portfolio, "phone.adr", true},
        PatternCase{Portfolio, "diary.dry", true}, PatternCase{Portfolio, "data.dat", true},
        PatternCase{Portfolio, "notes.txtx", true}, PatternCase{Portfolio, "readme", false},
        PatternCase{Portfolio, "txt", false}, PatternCase{Portfolio, "notes_txt", false},
        PatternCase{Portfolio, "archive.tar", false}, PatternCase{Portfolio, "a.comb.x", true},
        PatternCase{"*.*", "README", true}, PatternCase{"*.*", "a.b", true},
        PatternCase{"*.md;*.TXT", "x.txt", true}, PatternCase{"*.md;*.TXT", "x.doc", false}));

TEST(PatternMatch, ThePortfolioPatternIsTheOneOfTheMenu)
{
    EXPECT_EQ(FilePattern::portfolio(), QString::fromUtf8(Portfolio));
    EXPECT_EQ(FilePattern::all(), QStringLiteral("*.*"));
}

// ---- Reading folders ----------------------------------------------------------------------

class FolderReading : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_tree.file(QStringLiteral("plain.txt"));
        m_tree.file(QStringLiteral(".hidden"));
        m_tree.folder(QStringLiteral("sub"));
        m_tree.folder(QStringLiteral(".hiddenfolder"));
        m_tree.link(QStringLiteral("to-file"), m_tree.path(QStringLiteral("plain.txt")));
        m_tree.link(QStringLiteral("to-folder"), m_tree.path(QStringLiteral("sub")));
        m_tree.link(QStringLiteral("broken"), m_tree.path(QStringLiteral("nothing")));
        m_tree.link(QStringLiteral("self"), m_tree.path(QStringLiteral("self")));
#ifdef Q_OS_UNIX
        ::mkfifo(QFile::encodeName(m_tree.path(QStringLiteral("pipe"))).constData(), 0644);
#endif
    }
    Tree m_tree;
};

TEST_F(FolderReading, FilesAndFoldersAreTellApartLinksFollowedHiddenAndBrokenLeftOut)
{
    QStringList files = FolderAccess::names(m_tree.path(), FolderAccess::Kind::Files);
    QStringList folders = FolderAccess::names(m_tree.path(), FolderAccess::Kind::Folders);
    FolderAccess::sortForDisplay(files);
    FolderAccess::sortForDisplay(folders);
    EXPECT_EQ(files, QStringList({"plain.txt", "to-file"}));
    EXPECT_EQ(folders, QStringList({"sub", "to-folder"}));
    EXPECT_TRUE(FolderAccess::names(m_tree.path(QStringLiteral("gone")), FolderAccess::Kind::Files)
                    .isEmpty());
}

TEST(FolderSorting, LetterCaseDoesNotCount)
{
    QStringList names = {"Zeta", "alpha", "Beta", "beta", "10", "_x"};
    FolderAccess::sortForDisplay(names);
    EXPECT_EQ(names, QStringList({"10", "_x", "alpha", "Beta", "beta", "Zeta"}));
}

TEST_F(FolderReading, ListErrorSaysWhy)
{
    EXPECT_EQ(FolderAccess::listError(m_tree.path()), QString());
    EXPECT_EQ(FolderAccess::listError(m_tree.path(QStringLiteral("to-folder"))), QString());
    EXPECT_EQ(FolderAccess::listError(m_tree.path(QStringLiteral("gone"))),
              systemText(std::errc::no_such_file_or_directory));
    EXPECT_EQ(FolderAccess::listError(m_tree.path(QStringLiteral("plain.txt"))),
              systemText(std::errc::not_a_directory));
    EXPECT_FALSE(FolderAccess::listError(m_tree.path(QStringLiteral("self"))).isEmpty());
    EXPECT_FALSE(FolderAccess::listError({}).isEmpty());
}

TEST_F(FolderReading, AFolderWithoutReadPermissionIsRefused)
{
    m_tree.openToAll();
    m_tree.folder(QStringLiteral("locked"));
    m_tree.setMode(QStringLiteral("locked"), 0);
    WithoutRootRights guard;
    REQUIRE_PERMISSIONS_COUNT(guard);
    EXPECT_EQ(FolderAccess::listError(m_tree.path(QStringLiteral("locked"))),
              systemText(std::errc::permission_denied));
    EXPECT_TRUE(
        FolderAccess::names(m_tree.path(QStringLiteral("locked")), FolderAccess::Kind::Files)
            .isEmpty());
}

// ---- Folder commands without a window -----------------------------------------------------

TEST(NewFolderPath, TheSeparatorIsAddedOnlyWhenMissing)
{
    const QString sep = QDir::separator();
    EXPECT_EQ(FolderCommands::newFolderPath(sep, QStringLiteral("New folder")),
              sep + QStringLiteral("New folder"));
    EXPECT_EQ(FolderCommands::newFolderPath(sep + QStringLiteral("home"), QStringLiteral("x")),
              sep + QStringLiteral("home") + sep + QStringLiteral("x"));
    EXPECT_EQ(
        FolderCommands::newFolderPath(sep + QStringLiteral("home") + sep, QStringLiteral("x")),
        sep + QStringLiteral("home") + sep + QStringLiteral("x"));
}

struct MakeCase
{
    const char *name;
    QString answer;
    QString reason; // empty: the folder is made
};

class MakeFolder : public ::testing::TestWithParam<MakeCase>
{
protected:
    void SetUp() override
    {
        m_tree.folder(QStringLiteral("base/taken"));
        m_tree.file(QStringLiteral("base/afile"));
    }
    Tree m_tree;
};

TEST_P(MakeFolder, MakesItOrSaysWhyNot)
{
    const MakeCase &c = GetParam();
    const QString base = m_tree.path(QStringLiteral("base"));
    const QStringList before = m_tree.entries(QStringLiteral("base"));
    const QString message = FolderCommands::makeFolder(base, c.answer);
    const QString made = FolderCommands::newFolderPath(base, c.answer);
    if (c.reason.isEmpty()) {
        EXPECT_EQ(message, QString());
        EXPECT_TRUE(QFileInfo(made).isDir());
        EXPECT_EQ(m_tree.entries(QStringLiteral("base")).size(), before.size() + 1);
    } else {
        EXPECT_TRUE(message.contains(made)) << qPrintable(message);
        EXPECT_TRUE(message.contains(c.reason)) << qPrintable(message);
        EXPECT_EQ(m_tree.entries(QStringLiteral("base")), before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, MakeFolder,
    ::testing::Values(MakeCase{"default", "New folder", {}},
                      MakeCase{"blanks", "  two  blanks ", {}},
                      MakeCase{"quotes", "it's \"quoted\"", {}}, MakeCase{"leadingDash", "-f", {}},
                      MakeCase{"nonAscii", QString::fromUtf8("Ünïcödé ☃"), {}},
                      MakeCase{"longestName", QString(255, QLatin1Char('x')), {}},
                      MakeCase{"tooLong", QString(256, QLatin1Char('x')),
                               systemText(std::errc::filename_too_long)},
                      MakeCase{"existingFolder", "taken", "already exists"},
                      MakeCase{"existingFile", "afile", "already exists"},
                      MakeCase{"separator", "a/b", "cannot hold /"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(MakeFolderWhere, AFileOrAMissingFolderOrNoFolderIsReported)
{
    Tree tree;
    const QString file = tree.file(QStringLiteral("a.txt"));
    EXPECT_TRUE(FolderCommands::makeFolder(file, QStringLiteral("x"))
                    .contains(systemText(std::errc::not_a_directory)));
    EXPECT_TRUE(FolderCommands::makeFolder(tree.path(QStringLiteral("gone")), QStringLiteral("x"))
                    .contains(systemText(std::errc::no_such_file_or_directory)));
    // An empty path field must not turn into the root of the disk.
    EXPECT_TRUE(FolderCommands::makeFolder({}, QStringLiteral("x")).contains("no PC folder"));
    EXPECT_EQ(tree.entries(), QStringList({"a.txt"}));
}

TEST(DriveRoots, RootsOfEveryVolumeAreRecognisedAndNothingElse)
{
    Tree tree;
    EXPECT_TRUE(FolderCommands::isDriveRoot(QDir::rootPath()));
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid()) {
            EXPECT_TRUE(FolderCommands::isDriveRoot(volume.rootPath()))
                << qPrintable(volume.rootPath());
        }
    }
    EXPECT_FALSE(FolderCommands::isDriveRoot(tree.path()));
    EXPECT_FALSE(FolderCommands::isDriveRoot(tree.path() + QDir::separator()));
    EXPECT_FALSE(FolderCommands::isDriveRoot(tree.path(QStringLiteral("gone"))));
    EXPECT_FALSE(FolderCommands::isDriveRoot({}));
}

struct RemoveCase
{
    const char *name;
    const char *target; // relative to the tree; "/" is the root of the disk
    FolderCommands::Removal outcome;
    const char *reason; // part of the message, or ""
    bool targetRemains;
};

class RemoveFolder : public ::testing::TestWithParam<RemoveCase>
{
protected:
    void SetUp() override
    {
        m_tree.folder(QStringLiteral("empty"));
        m_tree.file(QStringLiteral("full/a.txt"), 10);
        m_tree.folder(QStringLiteral("onlyfolders/inner"));
        m_tree.file(QStringLiteral("file.txt"), 10);
        m_tree.folder(QStringLiteral("target/kept"));
        m_tree.link(QStringLiteral("link"), m_tree.path(QStringLiteral("target")));
    }
    Tree m_tree;
};

TEST_P(RemoveFolder, RemovesOnlyAnEmptyFolder)
{
    const RemoveCase &c = GetParam();
    const QString target = QLatin1String(c.target) == QLatin1String("/")
                               ? QDir::rootPath()
                               : m_tree.path(QString::fromUtf8(c.target));
    const FolderCommands::RemoveResult result = FolderCommands::removeFolder(target);
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_TRUE(result.message.contains(QString::fromUtf8(c.reason))) << qPrintable(result.message);
    if (c.outcome == FolderCommands::Removal::Failed
        || c.outcome == FolderCommands::Removal::Refused) {
        EXPECT_TRUE(result.message.contains(native(target))) << qPrintable(result.message);
    }
    EXPECT_EQ(QFileInfo(target).exists() || QFileInfo(target).isSymLink(), c.targetRemains);
    // Nothing else is ever touched.
    EXPECT_TRUE(m_tree.exists(QStringLiteral("full/a.txt")));
    EXPECT_TRUE(m_tree.exists(QStringLiteral("target/kept")));
    EXPECT_TRUE(m_tree.exists(QStringLiteral("file.txt")));
}

using FolderCommands::Removal;
INSTANTIATE_TEST_SUITE_P(
    Table, RemoveFolder,
    ::testing::Values(RemoveCase{"empty", "empty", Removal::Removed, "", false},
                      RemoveCase{"withFiles", "full", Removal::NotEmpty, "", true},
                      RemoveCase{"withFolders", "onlyfolders", Removal::NotEmpty, "", true},
                      RemoveCase{"missing", "gone", Removal::Failed, "", false},
                      RemoveCase{"aFile", "file.txt", Removal::Failed, "not a folder", true},
                      RemoveCase{"aLinkToAFolder", "link", Removal::Failed, "not a folder", true},
                      RemoveCase{"theRoot", "/", Removal::Refused, "root of a drive", true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(DeleteFilesAndRemove, DeletesTheFilesDirectlyInItAndTheFolder)
{
    Tree tree;
    const QString outside = tree.file(QStringLiteral("outside.txt"), 7);
    for (const char *name : {"a.txt", ".hidden", "with blank", "-f", "Ünïcödé ☃"})
        tree.file(QStringLiteral("victim/") + QString::fromUtf8(name), 3);
    tree.link(QStringLiteral("victim/to-outside"), outside);
    tree.link(QStringLiteral("victim/to-parent"), tree.path());
    tree.link(QStringLiteral("victim/loop"), tree.path(QStringLiteral("victim/loop")));
    EXPECT_EQ(FolderCommands::deleteFilesAndRemove(tree.path(QStringLiteral("victim"))), QString());
    EXPECT_FALSE(tree.exists(QStringLiteral("victim")));
    // Links go; what they point to stays.
    EXPECT_EQ(QFileInfo(outside).size(), 7);
    EXPECT_EQ(tree.entries(), QStringList({"outside.txt"}));
}

TEST(DeleteFilesAndRemove, SubfoldersAreNotTouchedAndTheFolderStays)
{
    Tree tree;
    tree.file(QStringLiteral("victim/a.txt"));
    tree.file(QStringLiteral("victim/b.txt"));
    tree.file(QStringLiteral("victim/inner/deep.txt"), 5);
    const QString victim = tree.path(QStringLiteral("victim"));
    const QString message = FolderCommands::deleteFilesAndRemove(victim);
    EXPECT_TRUE(message.contains(victim)) << qPrintable(message);
    EXPECT_TRUE(message.contains("still holds folders")) << qPrintable(message);
    EXPECT_EQ(tree.entries(QStringLiteral("victim")), QStringList({"inner"}));
    EXPECT_EQ(QFileInfo(tree.path(QStringLiteral("victim/inner/deep.txt"))).size(), 5);
}

TEST(DeleteFilesAndRemove, NeverWorksOnARootOrAFile)
{
    Tree tree;
    const QString file = tree.file(QStringLiteral("a.txt"), 4);
    EXPECT_TRUE(FolderCommands::deleteFilesAndRemove(QDir::rootPath()).contains("root of a drive"));
    EXPECT_TRUE(FolderCommands::deleteFilesAndRemove(file).contains("not a folder"));
    EXPECT_EQ(QFileInfo(file).size(), 4);
}

TEST(DeleteFilesAndRemove, FilesThatCannotBeDeletedAreCountedAndNamed)
{
    Tree tree;
    tree.openToAll();
    tree.file(QStringLiteral("victim/a.txt"));
    tree.file(QStringLiteral("victim/b.txt"));
    tree.setMode(QStringLiteral("victim"), 0555);
    const QString victim = tree.path(QStringLiteral("victim"));
    QString message;
    {
        WithoutRootRights guard;
        REQUIRE_PERMISSIONS_COUNT(guard);
        message = FolderCommands::deleteFilesAndRemove(victim);
    }
    tree.setMode(QStringLiteral("victim"), 0755);
    EXPECT_TRUE(message.contains(victim)) << qPrintable(message);
    EXPECT_TRUE(message.contains("2 of its files could not be deleted")) << qPrintable(message);
    EXPECT_TRUE(message.contains(systemText(std::errc::permission_denied))) << qPrintable(message);
    EXPECT_EQ(tree.entries(QStringLiteral("victim")), QStringList({"a.txt", "b.txt"}));
}

// ---- The PC panel in the main window ------------------------------------------------------

// The main window opened on a folder of a temporary tree, as a stored setting would open it.
class PcPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_tree.file(QStringLiteral("pc/a.txt"), 2048);
        m_tree.file(QStringLiteral("pc/b.txt"), 1000);
        m_tree.file(QStringLiteral("pc/c.txt"), 2500);
        m_tree.file(QStringLiteral("pc/d.txt"), 1005);
        m_tree.file(QStringLiteral("pc/e.txt"), 4);
        m_tree.file(QStringLiteral("pc/f.bin"), 123456789);
        m_tree.folder(QStringLiteral("pc/sub1/deep"));
        m_tree.folder(QStringLiteral("pc/sub2"));
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    void open(const QString &relative = QStringLiteral("pc"))
    {
        const QString folder = m_tree.path(relative);
        m_tp.settings.values.insert(QStringLiteral("Dir/Default"), folder);
        m_tp.settings.values.insert(QStringLiteral("File/Default"), folder);
        m_window = std::make_unique<MainWindow>(m_tp.platform, m_tp.values);
        m_window->show();
        drive1 = child<DriveList>(*m_window, "Drive1");
        dir1 = child<FolderList>(*m_window, "Dir1");
        file1 = child<FileList>(*m_window, "File1");
        dateiname = child<QPlainTextEdit>(*m_window, "Dateiname");
        size = child<QLabel>(*m_window, "Size");
        command1 = child<QPushButton>(*m_window, "Command1");
        poppi = child<QMenu>(*m_window, "mnupoppi");
        ASSERT_EQ(dir1->path(), folder);
    }
    QString pathField() const { return dateiname->toPlainText(); }

    void click(int row, Qt::KeyboardModifiers modifiers = {},
               Qt::MouseButton button = Qt::LeftButton)
    {
        const QRect rect = file1->visualRect(file1->model()->index(row, 0));
        ASSERT_TRUE(rect.isValid()) << row;
        QTest::mouseClick(file1->viewport(), button, modifiers, rect.center());
    }
    int row(const QString &name) const
    {
        for (int i = 0; i < file1->count(); ++i) {
            if (file1->name(i) == name)
                return i;
        }
        ADD_FAILURE() << "not listed: " << qPrintable(name);
        return -1;
    }
    QListWidgetItem *folderEntry(const QString &name) const
    {
        // From the bottom: a subfolder may carry the open folder's name.
        for (int i = dir1->count() - 1; i >= 0; --i) {
            if (dir1->item(i)->text().trimmed() == name)
                return dir1->item(i);
        }
        return nullptr;
    }
    QStringList folderEntries() const
    {
        QStringList names;
        for (int i = 0; i < dir1->count(); ++i)
            names << dir1->item(i)->text().trimmed();
        return names;
    }
    QPoint entryCentre(const QString &name) const
    {
        QListWidgetItem *item = folderEntry(name);
        EXPECT_NE(item, nullptr) << qPrintable(name);
        return item ? dir1->visualItemRect(item).center() : QPoint();
    }
    // What a real double click delivers; QTest's own sends the second press alone.
    void doubleClickFolder(const QString &name)
    {
        const QPoint at = entryCentre(name);
        QTest::mousePress(dir1->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(dir1->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(dir1->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(dir1->viewport(), Qt::LeftButton, {}, at);
    }
    QStringList boxKinds() const
    {
        QStringList kinds;
        for (const RecordingDialogs::Box &box : m_tp.dialogs.boxes)
            kinds << box.kind;
        return kinds;
    }

    Tree m_tree;
    TestPlatform m_tp;
    std::unique_ptr<MainWindow> m_window;
    DriveList *drive1 = nullptr;
    FolderList *dir1 = nullptr;
    FileList *file1 = nullptr;
    QPlainTextEdit *dateiname = nullptr;
    QLabel *size = nullptr;
    QPushButton *command1 = nullptr;
    QMenu *poppi = nullptr;
};

TEST_F(PcPanelTest, TheFolderListShowsAncestorsThenSubfoldersIndented)
{
    open(QStringLiteral("pc/sub1"));
    QStringList ancestors;
    for (QDir dir(m_tree.path(QStringLiteral("pc/sub1")));; dir.cdUp()) {
        ancestors.prepend(dir.isRoot() ? native(dir.path()) : dir.dirName());
        if (dir.isRoot())
            break;
    }
    EXPECT_EQ(folderEntries(), ancestors + QStringList({"deep"}));
    // Each ancestor one step further in, the subfolders one step past the open folder.
    const int depth = int(ancestors.size());
    const auto indent = [this](int row) {
        const QString text = dir1->item(row)->text();
        return text.size() - text.trimmed().size();
    };
    for (int row = 1; row < depth; ++row)
        EXPECT_GT(indent(row), indent(row - 1));
    EXPECT_GT(indent(depth), indent(depth - 1));
    EXPECT_EQ(dir1->currentRow(), depth - 1);
    const auto looksLike = [this](int row, QStyle::StandardPixmap standard) {
        return dir1->item(row)->icon().pixmap(16).toImage()
               == dir1->style()->standardIcon(standard).pixmap(16).toImage();
    };
    EXPECT_TRUE(looksLike(depth - 1, QStyle::SP_DirOpenIcon));
    EXPECT_TRUE(looksLike(depth, QStyle::SP_DirClosedIcon));
    EXPECT_FALSE(looksLike(depth, QStyle::SP_DirOpenIcon));
}

TEST_F(PcPanelTest, OpeningAFolderMovesTheFileListAndLeavesTheSizeLine)
{
    open();
    click(row(QStringLiteral("a.txt")));
    ASSERT_TRUE(command1->isEnabled());
    const QString sizeBefore = size->text();

    // A single click only selects.
    QTest::mouseClick(dir1->viewport(), Qt::LeftButton, {}, entryCentre(QStringLiteral("sub1")));
    EXPECT_EQ(dir1->path(), m_tree.path(QStringLiteral("pc")));
    EXPECT_TRUE(command1->isEnabled());

    doubleClickFolder(QStringLiteral("sub1"));
    EXPECT_EQ(dir1->path(), m_tree.path(QStringLiteral("pc/sub1")));
    EXPECT_EQ(file1->path(), m_tree.path(QStringLiteral("pc/sub1")));
    EXPECT_EQ(file1->count(), 0);
    EXPECT_EQ(pathField(), m_tree.path(QStringLiteral("pc/sub1")));
    EXPECT_FALSE(command1->isEnabled());
    EXPECT_EQ(size->text(), sizeBefore);

    // Enter opens the entry that is selected, an ancestor here.
    dir1->setCurrentItem(folderEntry(QStringLiteral("pc")));
    QTest::keyClick(dir1, Qt::Key_Return);
    EXPECT_EQ(dir1->path(), m_tree.path(QStringLiteral("pc")));
    EXPECT_EQ(file1->count(), 6);
    EXPECT_TRUE(m_tp.dialogs.boxes.isEmpty());
}

// One action of the user in the file list.
struct Act
{
    enum Kind { Click, CtrlClick, ShiftClick, RightClick, Up, Down, SelectAll } kind;
    int row = 0;
};

struct ClickCase
{
    const char *name;
    QList<Act> acts;
    QStringList selected;
    const char *current; // the file named in the path field
    const char *line;
};

class FileListClicks : public PcPanelTest, public ::testing::WithParamInterface<ClickCase>
{};

TEST_P(FileListClicks, SetThePathFieldTheSizeLineAndEnableTransmit)
{
    open();
    ASSERT_EQ(file1->count(), 6);
    ASSERT_FALSE(command1->isEnabled());
    for (const Act &act : GetParam().acts) {
        switch (act.kind) {
        case Act::Click:
            click(act.row);
            break;
        case Act::CtrlClick:
            click(act.row, Qt::ControlModifier);
            break;
        case Act::ShiftClick:
            click(act.row, Qt::ShiftModifier);
            break;
        case Act::RightClick:
            click(act.row, {}, Qt::RightButton);
            break;
        case Act::Up:
            QTest::keyClick(file1, Qt::Key_Up);
            break;
        case Act::Down:
            QTest::keyClick(file1, Qt::Key_Down);
            break;
        case Act::SelectAll:
            QTest::keyClick(file1, Qt::Key_A, Qt::ControlModifier);
            break;
        }
    }
    EXPECT_EQ(file1->selectedNames(), GetParam().selected);
    EXPECT_EQ(file1->currentName(), QLatin1String(GetParam().current));
    EXPECT_EQ(pathField(), m_tree.path(QStringLiteral("pc")) + QDir::separator()
                               + QLatin1String(GetParam().current));
    EXPECT_EQ(size->text(), QLatin1String(GetParam().line));
    EXPECT_TRUE(command1->isEnabled());
    EXPECT_TRUE(m_tp.dialogs.boxes.isEmpty());
}

// Rows: a.txt 2048, b.txt 1000, c.txt 2500, d.txt 1005, e.txt 4, f.bin 123456789 bytes.
INSTANTIATE_TEST_SUITE_P(
    Table, FileListClicks,
    ::testing::Values(
        ClickCase{"one", {{Act::Click, 0}}, {"a.txt"}, "a.txt", "File size: 2.05 kB (2050 Bytes)"},
        ClickCase{"ctrlAddsOne",
                  {{Act::Click, 1}, {Act::CtrlClick, 2}},
                  {"b.txt", "c.txt"},
                  "c.txt",
                  "File size: 3.50 kB (3500 Bytes)"},
        ClickCase{
            "roundsUp", {{Act::Click, 3}}, {"d.txt"}, "d.txt", "File size: 1.01 kB (1010 Bytes)"},
        ClickCase{"tiny", {{Act::Click, 4}}, {"e.txt"}, "e.txt", "File size: 0.00 kB (0 Bytes)"},
        ClickCase{"large",
                  {{Act::Click, 5}},
                  {"f.bin"},
                  "f.bin",
                  "File size: 123456.79 kB (123456790 Bytes)"},
        ClickCase{"ctrlRemovesTheLast",
                  {{Act::Click, 0}, {Act::CtrlClick, 0}},
                  {},
                  "a.txt",
                  "File size: 0.00 kB (0 Bytes)"},
        ClickCase{"shiftSelectsARange",
                  {{Act::Click, 0}, {Act::ShiftClick, 2}},
                  {"a.txt", "b.txt", "c.txt"},
                  "c.txt",
                  "File size: 5.55 kB (5550 Bytes)"},
        ClickCase{"ctrlDeselectKeepsTheOthersInListOrder",
                  {{Act::Click, 4}, {Act::CtrlClick, 0}, {Act::CtrlClick, 2}, {Act::CtrlClick, 4}},
                  {"a.txt", "c.txt"},
                  "e.txt",
                  "File size: 4.55 kB (4550 Bytes)"},
        ClickCase{"arrowKeysCountAsClicks",
                  {{Act::Click, 4}, {Act::Up}, {Act::Up}},
                  {"c.txt"},
                  "c.txt",
                  "File size: 2.50 kB (2500 Bytes)"},
        ClickCase{"ctrlAKeySelectsAll",
                  {{Act::Click, 1}, {Act::SelectAll}},
                  {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "f.bin"},
                  "b.txt",
                  "File size: 123463.35 kB (123463350 Bytes)"},
        ClickCase{"rightButtonChangesNothing",
                  {{Act::Click, 0}, {Act::RightClick, 2}},
                  {"a.txt"},
                  "a.txt",
                  "File size: 2.05 kB (2050 Bytes)"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(PcPanelTest, AClickOnNoEntryStillEnablesTransmitAndEmptiesTheSelection)
{
    m_tree.file(QStringLiteral("few/only.txt"), 3000);
    open(QStringLiteral("few"));
    click(0);
    ASSERT_EQ(size->text(), QStringLiteral("File size: 3.00 kB (3000 Bytes)"));
    command1->setEnabled(false); // as a folder change would leave it
    QTest::mouseClick(file1->viewport(), Qt::LeftButton, {},
                      QPoint(5, file1->viewport()->height() - 5));
    EXPECT_TRUE(command1->isEnabled());
    EXPECT_TRUE(file1->selectedNames().isEmpty());
    EXPECT_EQ(size->text(), QStringLiteral("File size: 0.00 kB (0 Bytes)"));
    EXPECT_EQ(pathField(), m_tree.path(QStringLiteral("few/only.txt")));
}

TEST_F(PcPanelTest, AClickThatChangesNoSelectionStillReadsTheLengthsAgain)
{
    open();
    click(row(QStringLiteral("a.txt")));
    ASSERT_EQ(size->text(), QStringLiteral("File size: 2.05 kB (2050 Bytes)"));
    QFile grown(m_tree.path(QStringLiteral("pc/a.txt")));
    ASSERT_TRUE(grown.open(QIODevice::ReadWrite));
    ASSERT_TRUE(grown.resize(3000));
    grown.close();
    command1->setEnabled(false);
    click(row(QStringLiteral("a.txt")));
    EXPECT_EQ(size->text(), QStringLiteral("File size: 3.00 kB (3000 Bytes)"));
    EXPECT_TRUE(command1->isEnabled());
}

TEST_F(PcPanelTest, TheSizeLineTakesTheUsersDecimalSeparator)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    open();
    click(row(QStringLiteral("a.txt")));
    EXPECT_EQ(size->text(), QStringLiteral("File size: 2,05 kB (2050 Bytes)"));
}

TEST_F(PcPanelTest, ThePortfolioFilterNarrowsTheListAndLeavesTheRest)
{
    for (const char *name : {"notes.txt.bak", "NOTES.TXT", "notes.doc", "prog.COM", "readme"})
        m_tree.file(QStringLiteral("pofo/") + QLatin1String(name), 100);
    open(QStringLiteral("pofo"));
    QAction *filter = m_window->findChild<QAction *>(QStringLiteral("mnuAtariFiles"));
    ASSERT_NE(filter, nullptr);
    click(0);
    click(1, Qt::ControlModifier);
    const QString path = pathField();
    const QString line = size->text();

    filter->trigger();
    EXPECT_TRUE(filter->isChecked());
    EXPECT_EQ(file1->pattern(), FilePattern::portfolio());
    QStringList listed;
    for (int i = 0; i < file1->count(); ++i)
        listed << file1->name(i);
    EXPECT_EQ(listed, QStringList({"NOTES.TXT", "notes.txt.bak", "prog.COM"}));
    EXPECT_TRUE(file1->selectedNames().isEmpty());
    EXPECT_EQ(pathField(), path);
    EXPECT_EQ(size->text(), line);
    EXPECT_TRUE(command1->isEnabled());

    filter->trigger();
    EXPECT_FALSE(filter->isChecked());
    EXPECT_EQ(file1->pattern(), QStringLiteral("*.*"));
    EXPECT_EQ(file1->count(), 5);
    EXPECT_EQ(size->text(), line);
}

class OddNames : public PcPanelTest, public ::testing::WithParamInterface<QString>
{};

TEST_P(OddNames, AreListedAndNamedExactly)
{
    m_tree.file(QStringLiteral("odd/") + GetParam(), 1234);
    m_tree.file(QStringLiteral("odd/plain.txt"), 1);
    open(QStringLiteral("odd"));
    click(row(GetParam()));
    EXPECT_EQ(file1->selectedNames(), QStringList({GetParam()}));
    EXPECT_EQ(pathField(), m_tree.path(QStringLiteral("odd")) + QDir::separator() + GetParam());
    EXPECT_EQ(size->text(), QStringLiteral("File size: 1.23 kB (1230 Bytes)"));
}

INSTANTIATE_TEST_SUITE_P(
    Table, OddNames,
    ::testing::Values(QStringLiteral("with blank.txt"), QStringLiteral(" leading blank"),
                      QStringLiteral("it's \"quoted\".txt"), QStringLiteral("-f"),
                      QStringLiteral("--dashes.txt"), QString::fromUtf8("Ünïcödé ☃.txt"),
                      QStringLiteral("percent %1 %s.txt"),
                      QString(251, QLatin1Char('n')) + QStringLiteral(".txt")));

TEST_F(PcPanelTest, LinksThatLoopAreLeftOutAndLinksToFilesAreMeasured)
{
    m_tree.file(QStringLiteral("links/real.txt"), 1500);
    m_tree.link(QStringLiteral("links/to-real"), m_tree.path(QStringLiteral("links/real.txt")));
    m_tree.link(QStringLiteral("links/loop1"), m_tree.path(QStringLiteral("links/loop2")));
    m_tree.link(QStringLiteral("links/loop2"), m_tree.path(QStringLiteral("links/loop1")));
    m_tree.link(QStringLiteral("links/up"), m_tree.path(QStringLiteral("links")));
    open(QStringLiteral("links"));
    EXPECT_EQ(file1->count(), 2);
    click(0);
    click(1, Qt::ShiftModifier);
    EXPECT_EQ(size->text(), QStringLiteral("File size: 3.00 kB (3000 Bytes)"));
    // A link back up is a folder like any other, and opening it twice goes nowhere strange.
    doubleClickFolder(QStringLiteral("up"));
    doubleClickFolder(QStringLiteral("up"));
    EXPECT_EQ(dir1->path(), m_tree.path(QStringLiteral("links/up/up")));
    EXPECT_EQ(file1->count(), 2);
    EXPECT_TRUE(m_tp.dialogs.boxes.isEmpty());
}

TEST_F(PcPanelTest, AFileThatVanishedAfterListingCountsNothing)
{
    open();
    click(row(QStringLiteral("a.txt")));
    ASSERT_TRUE(QFile::remove(m_tree.path(QStringLiteral("pc/b.txt"))));
    click(row(QStringLiteral("b.txt")), Qt::ControlModifier);
    EXPECT_EQ(file1->selectedNames(), QStringList({"a.txt", "b.txt"}));
    EXPECT_EQ(size->text(), QStringLiteral("File size: 2.05 kB (2050 Bytes)"));
    EXPECT_EQ(pathField(), m_tree.path(QStringLiteral("pc/b.txt")));
    EXPECT_TRUE(m_tp.dialogs.boxes.isEmpty());
}

TEST_F(PcPanelTest, AFolderDeletedWhileShownIsReportedAndTheListsMoveUp)
{
    open(QStringLiteral("pc/sub1/deep"));
    ASSERT_TRUE(QDir(m_tree.path(QStringLiteral("pc/sub1"))).removeRecursively());
    doubleClickFolder(QStringLiteral("sub1"));
    ASSERT_EQ(boxKinds(), QStringList({"message"}));
    EXPECT_TRUE(m_tp.dialogs.boxes[0].text.contains(m_tree.path(QStringLiteral("pc/sub1"))));
    EXPECT_TRUE(
        m_tp.dialogs.boxes[0].text.contains(systemText(std::errc::no_such_file_or_directory)));
    EXPECT_EQ(dir1->path(), m_tree.path(QStringLiteral("pc")));
    EXPECT_EQ(file1->path(), m_tree.path(QStringLiteral("pc")));
    EXPECT_EQ(pathField(), m_tree.path(QStringLiteral("pc")));
    EXPECT_FALSE(folderEntries().contains(QStringLiteral("sub1")));
}

TEST_F(PcPanelTest, AFolderWithoutReadPermissionIsReportedAndTheListsStay)
{
    m_tree.openToAll();
    m_tree.openToAll(QStringLiteral("pc"));
    m_tree.folder(QStringLiteral("pc/locked"));
    m_tree.setMode(QStringLiteral("pc/locked"), 0);
    open();
    click(row(QStringLiteral("a.txt")));
    const QString line = size->text();
    {
        WithoutRootRights guard;
        REQUIRE_PERMISSIONS_COUNT(guard);
        doubleClickFolder(QStringLiteral("locked"));
        EXPECT_FALSE(dir1->setPath(m_tree.path(QStringLiteral("pc/locked"))));
        EXPECT_FALSE(file1->setPath(m_tree.path(QStringLiteral("pc/locked"))));
    }
    ASSERT_EQ(boxKinds(), QStringList({"message"}));
    EXPECT_TRUE(m_tp.dialogs.boxes[0].text.contains(m_tree.path(QStringLiteral("pc/locked"))));
    EXPECT_TRUE(m_tp.dialogs.boxes[0].text.contains(systemText(std::errc::permission_denied)));
    EXPECT_EQ(dir1->path(), m_tree.path(QStringLiteral("pc")));
    EXPECT_EQ(file1->path(), m_tree.path(QStringLiteral("pc")));
    EXPECT_EQ(file1->count(), 6);
    EXPECT_EQ(pathField(), m_tree.path(QStringLiteral("pc/a.txt")));
    EXPECT_EQ(size->text(), line);
}

// ---- The folder list's pop-up menu --------------------------------------------------------

struct Press
{
    const char *name;
    QList<Qt::MouseButton> buttons; // pressed in turn and held
    bool menu;
};

class FolderMenuPress : public PcPanelTest, public ::testing::WithParamInterface<Press>
{};

TEST_P(FolderMenuPress, OnlyTheRightButtonAloneOpensTheMenuAtThePointer)
{
    open();
    const int openRow = dir1->currentRow();
    const QPoint at = entryCentre(QStringLiteral("sub2"));
    for (Qt::MouseButton button : GetParam().buttons)
        QTest::mousePress(dir1->viewport(), button, {}, at);
    EXPECT_EQ(poppi->isVisible(), GetParam().menu);
    if (GetParam().menu) {
        const QPoint global = dir1->viewport()->mapToGlobal(at);
        EXPECT_LE((poppi->pos() - global).manhattanLength(), 2)
            << poppi->pos().x() << "," << poppi->pos().y();
        // The press picks no entry and opens nothing.
        EXPECT_EQ(dir1->currentRow(), openRow);
    }
    for (Qt::MouseButton button : GetParam().buttons)
        QTest::mouseRelease(dir1->viewport(), button, {}, at);
    poppi->hide();
    EXPECT_EQ(dir1->path(), m_tree.path(QStringLiteral("pc")));
}

INSTANTIATE_TEST_SUITE_P(
    Table, FolderMenuPress,
    ::testing::Values(Press{"right", {Qt::RightButton}, true},
                      Press{"left", {Qt::LeftButton}, false},
                      Press{"middle", {Qt::MiddleButton}, false},
                      Press{"leftThenRight", {Qt::LeftButton, Qt::RightButton}, false},
                      Press{"rightThenLeft", {Qt::RightButton, Qt::LeftButton}, true}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- New folder ---------------------------------------------------------------------------

struct NewCase
{
    const char *name;
    std::optional<QString> answer;
    bool clickFileFirst; // the path field then names a file
    const char *made;    // the new entry of the open folder, or ""
    const char *reason;  // part of the message shown, or "": no message
};

class NewFolder : public PcPanelTest, public ::testing::WithParamInterface<NewCase>
{};

TEST_P(NewFolder, MakesTheAnswerInThePathFieldsFolder)
{
    const NewCase &c = GetParam();
    open();
    if (c.clickFileFirst)
        click(row(QStringLiteral("a.txt")));
    const QStringList before = m_tree.entries(QStringLiteral("pc"));
    m_tp.dialogs.inputAnswers = {c.answer};

    // Over another entry than the open folder: the command still acts on the path field.
    QTest::mousePress(dir1->viewport(), Qt::RightButton, {}, entryCentre(QStringLiteral("sub2")));
    ASSERT_TRUE(poppi->isVisible());
    poppi->hide();
    m_window->findChild<QAction *>(QStringLiteral("mnuNew"))->trigger();

    ASSERT_GE(m_tp.dialogs.boxes.size(), 1);
    const RecordingDialogs::Box &input = m_tp.dialogs.boxes[0];
    EXPECT_EQ(input.kind, QStringLiteral("input"));
    EXPECT_EQ(input.text, QStringLiteral("Enter name for new folder?"));
    EXPECT_EQ(input.title, titleLine());
    EXPECT_EQ(input.defaultAnswer, QStringLiteral("New folder"));

    QStringList expected = before;
    if (*c.made) {
        expected << QString::fromUtf8(c.made);
        expected.sort();
        EXPECT_TRUE(
            QFileInfo(m_tree.path(QStringLiteral("pc/") + QString::fromUtf8(c.made))).isDir());
        EXPECT_TRUE(folderEntries().contains(QString::fromUtf8(c.made)));
    }
    EXPECT_EQ(m_tree.entries(QStringLiteral("pc")), expected);
    EXPECT_TRUE(m_tree.entries(QStringLiteral("pc/sub2")).isEmpty());
    if (*c.reason) {
        ASSERT_EQ(boxKinds(), QStringList({"input", "message"}));
        EXPECT_TRUE(m_tp.dialogs.boxes[1].text.contains(QString::fromUtf8(c.reason)))
            << qPrintable(m_tp.dialogs.boxes[1].text);
    } else {
        EXPECT_EQ(boxKinds(), QStringList({"input"}));
    }
    // The lists stay on the open folder.
    EXPECT_EQ(dir1->path(), m_tree.path(QStringLiteral("pc")));
    EXPECT_EQ(dir1->currentItem()->text().trimmed(), QStringLiteral("pc"));
}

INSTANTIATE_TEST_SUITE_P(
    Table, NewFolder,
    ::testing::Values(
        NewCase{"defaultAnswer", QStringLiteral("New folder"), false, "New folder", ""},
        NewCase{"oddName", QString::fromUtf8("-é \"x\""), false, "-é \"x\"", ""},
        NewCase{"cancel", std::nullopt, false, "", ""},
        NewCase{"emptyAnswer", QString(), false, "", ""},
        NewCase{"existing", QStringLiteral("sub1"), false, "", "already exists"},
        NewCase{"separator", QStringLiteral("x/y"), false, "", "cannot hold"},
        NewCase{"pathFieldNamesAFile", QStringLiteral("New folder"), true, "", "a.txt"}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- Delete folder ------------------------------------------------------------------------

struct DeleteCase
{
    const char *name;
    QStringList files;  // made in the folder
    bool withSubfolder; // with a subfolder that holds a file
    bool answer;        // to the warning
    QStringList boxes;  // kinds of the boxes shown, in order
    bool folderGone;
};

class DeleteFolder : public PcPanelTest, public ::testing::WithParamInterface<DeleteCase>
{};

TEST_P(DeleteFolder, RemovesTheOpenFolderAskingFirstWhenItHoldsFiles)
{
    const DeleteCase &c = GetParam();
    m_tree.folder(QStringLiteral("pc/victim"));
    for (const QString &file : c.files)
        m_tree.file(QStringLiteral("pc/victim/") + file, 10);
    if (c.withSubfolder)
        m_tree.file(QStringLiteral("pc/victim/inner/kept.txt"), 10);
    open(QStringLiteral("pc/victim"));
    m_tp.dialogs.okCancelAnswers = {c.answer};

    m_window->findChild<QAction *>(QStringLiteral("mnuDeleteFolder"))->trigger();

    EXPECT_EQ(boxKinds(), c.boxes);
    if (c.boxes.value(0) == QLatin1String("okCancel")) {
        EXPECT_EQ(m_tp.dialogs.boxes[0].text,
                  QStringLiteral("WARNING, folder isn't empty. Do you want to delete all files?"));
        EXPECT_EQ(m_tp.dialogs.boxes[0].title, titleLine());
        EXPECT_EQ(m_tp.dialogs.boxes[0].icon, Dialogs::Icon::None);
    }
    const QString victim = m_tree.path(QStringLiteral("pc/victim"));
    EXPECT_EQ(QFileInfo::exists(victim), !c.folderGone);
    if (c.folderGone) {
        // The lists move to the parent, as a folder change does.
        EXPECT_EQ(dir1->path(), m_tree.path(QStringLiteral("pc")));
        EXPECT_EQ(file1->path(), m_tree.path(QStringLiteral("pc")));
        EXPECT_EQ(pathField(), m_tree.path(QStringLiteral("pc")));
        EXPECT_FALSE(command1->isEnabled());
        EXPECT_FALSE(folderEntries().contains(QStringLiteral("victim")));
    } else {
        EXPECT_EQ(dir1->path(), victim);
    }
    if (!c.answer) {
        QStringList left = c.files;
        if (c.withSubfolder)
            left << QStringLiteral("inner");
        left.sort();
        if (!c.folderGone) {
            EXPECT_EQ(m_tree.entries(QStringLiteral("pc/victim")), left);
        }
    } else if (!c.folderGone) {
        // The files went; the file list no longer shows them.
        EXPECT_EQ(m_tree.entries(QStringLiteral("pc/victim")), QStringList({"inner"}));
        EXPECT_EQ(file1->count(), 0);
        EXPECT_TRUE(m_tp.dialogs.boxes.last().text.contains(victim));
    }
    if (c.withSubfolder) {
        EXPECT_TRUE(m_tree.exists(QStringLiteral("pc/victim/inner/kept.txt")));
    }
    // Its neighbours are never touched.
    EXPECT_EQ(m_tree.entries(QStringLiteral("pc")).size(), 8 + (c.folderGone ? 0 : 1));
}

INSTANTIATE_TEST_SUITE_P(
    Table, DeleteFolder,
    ::testing::Values(
        DeleteCase{"emptyGoesAtOnce", {}, false, false, {}, true},
        DeleteCase{"filesCancel", {"a.txt", ".hidden"}, false, false, {"okCancel"}, false},
        DeleteCase{"filesOk", {"a.txt", ".hidden", "-f", "b c"}, false, true, {"okCancel"}, true},
        DeleteCase{"onlyASubfolderCancel", {}, true, false, {"okCancel"}, false},
        DeleteCase{"filesAndASubfolderOk", {"a.txt"}, true, true, {"okCancel", "message"}, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(PcPanelTest, DeleteFolderRefusesARootBeforeAnyQuestion)
{
    open();
    ASSERT_TRUE(dir1->setPath(QDir::rootPath()));
    ASSERT_EQ(pathField(), native(QDir::rootPath()));
    const QStringList before =
        QDir::root().entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    m_tp.dialogs.okCancelAnswers = {true};
    m_window->findChild<QAction *>(QStringLiteral("mnuDeleteFolder"))->trigger();
    ASSERT_EQ(boxKinds(), QStringList({"message"}));
    EXPECT_TRUE(m_tp.dialogs.boxes[0].text.contains(QStringLiteral("root of a drive")));
    EXPECT_EQ(QDir::root().entryList(QDir::AllEntries | QDir::Hidden | QDir::System), before);
}

TEST_F(PcPanelTest, DeleteFolderWithAFileInThePathFieldDeletesNothing)
{
    open();
    click(row(QStringLiteral("a.txt")));
    m_tp.dialogs.okCancelAnswers = {true};
    m_window->findChild<QAction *>(QStringLiteral("mnuDeleteFolder"))->trigger();
    ASSERT_EQ(boxKinds(), QStringList({"message"}));
    EXPECT_TRUE(m_tp.dialogs.boxes[0].text.contains(m_tree.path(QStringLiteral("pc/a.txt"))));
    EXPECT_TRUE(m_tp.dialogs.boxes[0].text.contains(QStringLiteral("not a folder")));
    EXPECT_EQ(QFileInfo(m_tree.path(QStringLiteral("pc/a.txt"))).size(), 2048);
    EXPECT_EQ(file1->count(), 6);
}

TEST_F(PcPanelTest, DeleteFolderWithoutTheRightToRemoveItSaysSoWithoutTheWarning)
{
    m_tree.openToAll();
    m_tree.openToAll(QStringLiteral("pc"));
    m_tree.folder(QStringLiteral("pc/victim"));
    m_tree.openToAll(QStringLiteral("pc/victim"));
    m_tree.setMode(QStringLiteral("pc"), 0555);
    open(QStringLiteral("pc/victim"));
    m_tp.dialogs.okCancelAnswers = {true};
    {
        WithoutRootRights guard;
        REQUIRE_PERMISSIONS_COUNT(guard);
        m_window->findChild<QAction *>(QStringLiteral("mnuDeleteFolder"))->trigger();
    }
    m_tree.setMode(QStringLiteral("pc"), 0755);
    ASSERT_EQ(boxKinds(), QStringList({"message"}));
    EXPECT_TRUE(m_tp.dialogs.boxes[0].text.contains(m_tree.path(QStringLiteral("pc/victim"))));
    EXPECT_TRUE(m_tp.dialogs.boxes[0].text.contains(systemText(std::errc::permission_denied)));
    EXPECT_TRUE(QFileInfo(m_tree.path(QStringLiteral("pc/victim"))).isDir());
    EXPECT_EQ(dir1->path(), m_tree.path(QStringLiteral("pc/victim")));
}

// ---- Drives -------------------------------------------------------------------------------

// The PC panel on its own, over made-up drives: two folders of the tree and one that is gone.
class Drives : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_tree.file(QStringLiteral("one/file.txt"), 10);
        m_tree.folder(QStringLiteral("one/inner"));
        m_tree.file(QStringLiteral("two/other.txt"), 20);
        m_tree.folder(QStringLiteral("two/deeper"));
        const QString one = m_tree.path(QStringLiteral("one"));
        const QString two = m_tree.path(QStringLiteral("two"));
        const QString gone = m_tree.path(QStringLiteral("gone"));
        drive1 = new DriveList(
            [=] {
                return QList<DriveList::Volume>{{one, one + QStringLiteral(" [ONE]")},
                                                {two, two},
                                                {gone, gone + QStringLiteral(" [GONE]")}};
            },
            &m_host);
        dir1 = new FolderList(&m_host);
        file1 = new FileList(&m_host);
        dateiname = new QPlainTextEdit(&m_host);
        size = new QLabel(&m_host);
        command1 = new QPushButton(&m_host);
        auto *filter = new QAction(&m_host);
        auto *poppi = new QMenu(&m_host);
        poppi->addAction(QStringLiteral("New folder"))->setObjectName(QStringLiteral("mnuNew"));
        poppi->addAction(QStringLiteral("Delete folder"))
            ->setObjectName(QStringLiteral("mnuDeleteFolder"));
        new PcBrowser({drive1, dir1, file1, dateiname, size, command1, filter, poppi}, m_tp.dialogs,
                      &m_host);
        ASSERT_TRUE(dir1->setPath(one));
    }
    // Picks a drive as the user does, with one key on the closed list.
    void pick(Qt::Key key) { QTest::keyClick(drive1, key); }

    Tree m_tree;
    TestPlatform m_tp;
    QWidget m_host;
    DriveList *drive1 = nullptr;
    FolderList *dir1 = nullptr;
    FileList *file1 = nullptr;
    QPlainTextEdit *dateiname = nullptr;
    QLabel *size = nullptr;
    QPushButton *command1 = nullptr;
};

TEST_F(Drives, TheDriveListFollowsTheOpenFolderWithoutMovingIt)
{
    EXPECT_EQ(drive1->root(), m_tree.path(QStringLiteral("one")));
    EXPECT_EQ(drive1->drive(), m_tree.path(QStringLiteral("one")) + QStringLiteral(" [ONE]"));
    ASSERT_TRUE(dir1->setPath(m_tree.path(QStringLiteral("one/inner"))));
    EXPECT_EQ(dir1->path(), m_tree.path(QStringLiteral("one/inner")));
    EXPECT_EQ(drive1->root(), m_tree.path(QStringLiteral("one")));
    // Into a folder of another drive: the drive list shows that drive, the folder stays open.
    ASSERT_TRUE(dir1->setPath(m_tree.path(QStringLiteral("two/deeper"))));
    EXPECT_EQ(drive1->root(), m_tree.path(QStringLiteral("two")));
    EXPECT_EQ(dir1->path(), m_tree.path(QStringLiteral("two/deeper")));
    EXPECT_EQ(file1->path(), m_tree.path(QStringLiteral("two/deeper")));
    EXPECT_TRUE(m_tp.dialogs.boxes.isEmpty());
}

TEST_F(Drives, PickingADriveOpensItAndTheFileListFollows)
{
    command1->setEnabled(true);
    pick(Qt::Key_Down);
    EXPECT_EQ(dir1->path(), m_tree.path(QStringLiteral("two")));
    EXPECT_EQ(file1->path(), m_tree.path(QStringLiteral("two")));
    EXPECT_EQ(file1->name(0), QStringLiteral("other.txt"));
    EXPECT_EQ(dateiname->toPlainText(), m_tree.path(QStringLiteral("two")));
    EXPECT_FALSE(command1->isEnabled());
    // Back to the first drive: its current folder is its root.
    pick(Qt::Key_Home);
    EXPECT_EQ(dir1->path(), m_tree.path(QStringLiteral("one")));
    EXPECT_TRUE(m_tp.dialogs.boxes.isEmpty());
}

TEST_F(Drives, ADriveThatIsNotReadyIsReportedAndTheListsStay)
{
    pick(Qt::Key_End);
    ASSERT_EQ(m_tp.dialogs.boxes.size(), 1);
    EXPECT_TRUE(m_tp.dialogs.boxes[0].text.contains(m_tree.path(QStringLiteral("gone"))));
    EXPECT_TRUE(
        m_tp.dialogs.boxes[0].text.contains(systemText(std::errc::no_such_file_or_directory)));
    EXPECT_EQ(dir1->path(), m_tree.path(QStringLiteral("one")));
    EXPECT_EQ(file1->path(), m_tree.path(QStringLiteral("one")));
    EXPECT_EQ(drive1->root(), m_tree.path(QStringLiteral("one")));
}

TEST_F(Drives, ADriveSetByTheProgramThatIsNotReadyChangesNothingQuietly)
{
    EXPECT_TRUE(drive1->setDrive(m_tree.path(QStringLiteral("gone"))));
    EXPECT_TRUE(m_tp.dialogs.boxes.isEmpty());
    EXPECT_EQ(dir1->path(), m_tree.path(QStringLiteral("one")));
    EXPECT_EQ(drive1->root(), m_tree.path(QStringLiteral("one")));
    EXPECT_FALSE(drive1->setDrive(m_tree.path(QStringLiteral("never listed"))));
}

} // namespace
