// The rules that need no window: size line, patterns, folders, settings, command lines.
#include "app/storedsettings.h"
#include "browser/filepattern.h"
#include "browser/folderaccess.h"
#include "browser/foldercommands.h"
#include "browser/sizeline.h"
#include "common/artwork.h"
#include "common/geometry.h"
#include "common/workerthread.h"
#include "doubles.h"
#include "platform/processrunner.h"
#include "platform/settingsstore.h"
#include "platform/windowsargs.h"
#include "testhelpers.h"
#include "transfer/toolcommands.h"
#include "transfer/tooloutput.h"
#include "transfer/toolruns.h"

#include <QFontInfo>
#include <QLabel>
#include <QPainter>
#include <QRegularExpression>
#include <QtMath>

#include <random>

namespace {

TEST(SizeLine, KilobytesRoundHalfUpTheBytesFollowThemAndTheTotalIsMeasuredEachTime)
{
    const std::pair<quint64, const char *> table[] = {
        {1005, "1.01 kB (1010"},
        {4, "0.00 kB (0"},
        {995, "1.00 kB (1000"},
        {~0ULL, "18446744073709551.62 kB (18446744073709551620"}};
    for (const auto &[total, line] : table)
        EXPECT_EQ(SizeLine::text(total, QLocale::c()), u("File size: %1 Bytes)").arg(u(line)));
    EXPECT_EQ(SizeLine::text(2048, QLocale(QLocale::German)), u("File size: 2,05 kB (2050 Bytes)"));

    // The total counts what can be measured each time.
    Tree tree;
    tree.file(u("a.bin"), 1000);
    tree.file(u("b.bin"), 5000000000LL);
    tree.folder(u("sub"));
    tree.link(u("to-a"), tree.path(u("a.bin")));
    tree.link(u("loop"), tree.path(u("loop")));
    const QStringList names = {"a.bin", "b.bin", "gone", "sub", "to-a", "loop"};
    EXPECT_EQ(SizeLine::totalBytes(tree.path(), names), 5000002000ULL);
    tree.file(u("a.bin"), 10);
    EXPECT_EQ(SizeLine::totalBytes(tree.path() + QDir::separator(), names), 5000000020ULL);
}

TEST(FilePattern, PortfolioKindsMatchWhateverFollowsTheExtension)
{
    const FilePattern portfolio(FilePattern::portfolio()), all(FilePattern::all());
    for (const char *name : {"notes.txt.bak", "NOTES.TXT", "Budget.Wks", "a.comb.x", "run.bat"})
        EXPECT_TRUE(portfolio.matches(u(name))) << name;
    for (const char *name : {"notes.doc", "README", "txt", "notes_txt"}) {
        EXPECT_FALSE(portfolio.matches(u(name))) << name;
        EXPECT_TRUE(all.matches(u(name))) << name;
    }
}

TEST(FolderAccess, OneReadTellsFilesFromFoldersFollowsLinksLeavesOutHiddenAndBrokenAndSorts)
{
    Tree tree;
    tree.file(u("plain.txt"));
    tree.file(u(".hidden"));
    tree.folder(u("sub"));
    tree.folder(u(".hiddenfolder"));
    tree.link(u("to-file"), tree.path(u("plain.txt")));
    tree.link(u("to-folder"), tree.path(u("sub")));
    tree.link(u("broken"), tree.path(u("nothing")));
    tree.link(u("self"), tree.path(u("self")));
    FolderAccess::Listing listing = FolderAccess::read(tree.path());
    FolderAccess::sortForDisplay(listing.files);
    FolderAccess::sortForDisplay(listing.folders);
    EXPECT_EQ(listing.files, QStringList({"plain.txt", "to-file"}));
    EXPECT_EQ(listing.folders, QStringList({"sub", "to-folder"}));
    EXPECT_EQ(FolderAccess::canList(tree.path(u("to-folder"))).reason(), QString());
    EXPECT_EQ(FolderAccess::canList(tree.path(u("gone"))).reason(),
              systemText(std::errc::no_such_file_or_directory));
    EXPECT_EQ(FolderAccess::canList(tree.path(u("plain.txt"))).reason(),
              systemText(std::errc::not_a_directory));
    EXPECT_FALSE(FolderAccess::canList({}));
    // Names sort without regard to case, also where they differ only past their first 8 or 16.
    QStringList names = {"Zeta", "alpha", "beta", "Beta", "Äpfel", "10", "_x", "ápfel", "apfel"};
    names << u("photo_2024_b") << u("Photo_2024_A") << u("quarterly report 2")
          << u("Quarterly Report 10") << u("Bé");
    FolderAccess::sortForDisplay(names);
    EXPECT_EQ(names, QStringList({"10", "_x", "alpha", "apfel", "Beta", "beta", "Bé",
                                  "Photo_2024_A", "photo_2024_b", "Quarterly Report 10",
                                  "quarterly report 2", "Zeta", "ápfel", "Äpfel"}));
}

#ifndef Q_OS_WIN
TEST(FolderAccess, ANameThatDoesNotSurviveTheEncodingIsMarkedWithItsBytesAndNeverUsed)
{
    Tree tree;
    for (const char *name : {"a\xff.txt", "a\xef\xbf\xbd.txt", "\xc0\xaf"}) // an overlong "/"
        tree.raw(name);
    for (const char *name : {"d\xff", "d\xef\xbf\xbd"})
        tree.raw(name, true);
    FolderAccess::Listing listing = FolderAccess::read(tree.path());
    for (QStringList *names :
         {&listing.files, &listing.folders, &listing.unusableFiles, &listing.unusableFolders})
        names->sort();
    EXPECT_EQ(listing.files, QStringList({u("a\uFFFD.txt")}));
    EXPECT_EQ(listing.folders, QStringList({u("d\uFFFD")}));
    EXPECT_EQ(listing.unusableFiles, QStringList({u("a\uFFFD.txt \u27E861 FF 2E 74 78 74\u27E9"),
                                                  u("\uFFFD\uFFFD \u27E8C0 AF\u27E9")}));
    EXPECT_EQ(listing.unusableFolders, QStringList({u("d\uFFFD \u27E864 FF\u27E9")}));

    // A path's first part that does not survive is named with the folder it lies in.
    const std::pair<QByteArray, const char *> paths[] = {
        {"/tmp/d\xef\xbf\xbd/a.txt", ""},
        {"/tmp/d\xff/a\xff.txt", "The name d\uFFFD \u27E864 FF\u27E9 in the folder /tmp"},
        {"/a\xff", "The name a\uFFFD \u27E861 FF\u27E9 in the folder /"}};
    for (const auto &[path, named] : paths)
        EXPECT_EQ(FolderAccess::usableInPath(path).reason().section(u(" cannot be used"), 0, 0),
                  u(named))
            << path.constData();
}
#endif

TEST(FolderCommands, NewFolderIsMadeOrTheMessageNamesItAndSaysWhyNot)
{
    Tree tree;
    tree.folder(u("base/taken"));
    tree.file(u("base/afile"));
    const QString sep = QDir::separator();
    EXPECT_EQ(FolderCommands::newFolderPath(sep, u("x")), sep + u("x"));
    const std::tuple<const char *, const char *, QString> table[] = {
        {"-é \"x\" ", "base", {}},
        {"taken", "base", u("already exists")},
        {"afile", "base", u("already exists")},
        {"a/b", "base", u("cannot hold /")},
        {"x", "base/afile", systemText(std::errc::not_a_directory)},
        {"x", "gone", systemText(std::errc::no_such_file_or_directory)},
        {"x", "", u("no PC folder")}};
    for (const auto &[name, in, reason] : table) {
        const QString folder = *in ? tree.path(u(in)) : QString();
        const QString message = FolderCommands::makeFolder(folder, u(name)).reason();
        const QString made = tree.path(u(in)) + sep + u(name);
        if (reason.isEmpty()) {
            EXPECT_EQ(message, QString());
            EXPECT_TRUE(QFileInfo(made).isDir()) << made;
        } else {
            EXPECT_TRUE(message.contains(reason)) << message;
            if (*in) {
                EXPECT_TRUE(message.contains(made)) << message;
            }
        }
    }
}

TEST(FolderCommands, OnlyAnEmptyFolderThatIsNoRootIsRemovedAndOnlyItsFilesAreDeleted)
{
    Tree tree;
    tree.folder(u("empty"));
    tree.file(u("file.txt"), 10);
    tree.folder(u("target/kept"));
    tree.link(u("link"), tree.path(u("target")));
    tree.file(u("root/system.txt"), 10);
    TestPlatform tp; // calls the folder "root" a drive
    tp.mounts = {{u("/dev/sda1"), tree.path(u("root")), {}}};
    for (const char *name : {"a.txt", ".hidden", "with blank", "-f", "Ünïcödé ☃"})
        tree.file(u("mixed/") + u(name), 3);
    tree.link(u("mixed/to-file"), tree.path(u("file.txt")));
    tree.link(u("mixed/broken"), tree.path(u("nothing")));
    tree.file(u("mixed/inner/deep.txt"), 5);
    tree.link(u("mixed/to-folder"), tree.path(u("target")));
    // The folder, whether it went, the reason it stays, whether it is still there, its files
    // and folders.
    const std::tuple<const char *, bool, const char *, bool, int, int> table[] = {
        {"empty", true, nullptr, false, 0, 0},
        {"mixed", false, nullptr, true, 7, 2},
        {"gone", false, "No such file", false, 0, 0},
        {"file.txt", false, "not a folder", true, 0, 0},
        {"link", false, "a link to a folder, and links are not deleted", true, 0, 0},
        {"root", false, "root of a drive", true, 0, 0}};
    for (const auto &[target, removed, reason, remains, files, folders] : table) {
        const auto result = FolderCommands::removeFolder(tree.path(u(target)), tp.volumes);
        EXPECT_EQ(tree.exists(u(target)), remains) << target;
        if (reason) {
            EXPECT_TRUE(result.reason().contains(u(reason))) << result.reason();
            EXPECT_TRUE(result.reason().contains(tree.path(u(target)))) << result.reason();
            continue;
        }
        ASSERT_TRUE(result) << result.reason();
        EXPECT_EQ(result->removed, removed) << target;
        EXPECT_EQ(std::pair(result->files, result->folders), std::pair(files, folders)) << target;
    }

    // Deleting files takes those directly in the folder and links to files only; subfolders
    // and links to folders are subfolders: they and what they hold stay.
    const QString message =
        FolderCommands::deleteFilesAndRemove(tree.path(u("mixed")), tp.volumes).reason();
    EXPECT_TRUE(message.contains(tree.path(u("mixed")))) << message;
    EXPECT_TRUE(message.contains(u("holds folders"))) << message;
    EXPECT_EQ(tree.entries(u("mixed")), QStringList({"inner", "to-folder"}));
    EXPECT_TRUE(tree.exists(u("mixed/inner/deep.txt")));
    EXPECT_TRUE(tree.exists(u("target/kept")));
    EXPECT_EQ(QFileInfo(tree.path(u("file.txt"))).size(), 10);
    // A folder of files alone goes with them.
    tree.file(u("victim/a.txt"));
    EXPECT_EQ(FolderCommands::deleteFilesAndRemove(tree.path(u("victim")), tp.volumes).reason(),
              QString());
    EXPECT_FALSE(tree.exists(u("victim")));

    EXPECT_FALSE(FolderCommands::deleteFilesAndRemove(tree.path(u("root")), tp.volumes));
    EXPECT_TRUE(tree.exists(u("root/system.txt")));
}

TEST(StoredSettings, OverIsTrueOrFalseInAnyCaseOrANumber)
{
    for (const char *on : {"True", "tRuE", " TRUE ", "1", "-1", "0.5", "1e3"})
        EXPECT_TRUE(StoredSettings::toOverwriteFlag(u(on))) << on;
    for (const char *off : {"False", "false", "0", "0.0", "", "yes", "Truee", "1 0", "nan", "ä"})
        EXPECT_FALSE(StoredSettings::toOverwriteFlag(u(off))) << off;
    EXPECT_EQ(StoredSettings::fromOverwriteFlag(true), u("True"));
    EXPECT_EQ(StoredSettings::fromOverwriteFlag(false), u("False"));
}

TEST(SystemVolumes, RealDevicesAndTheHomeFoldersVolumeFromTheMountTableNoBindsAndTheDefaults)
{
    TestPlatform tp;
    tp.mounts = {{u("/dev/sda2"), u("/"), {}},
                 {u("proc"), u("/proc"), {}},
                 {u("/dev/sdb1"), u("/media/ann/STICK"), u("STICK")},
                 {u("tmpfs"), u("/home"), {}},
                 {u("/dev/sdc1"), u("/media/ann/card"), {}, false},
                 {u("/dev/sda3"), u("/home/ann/data"), u("DATA")}};
    tp.home = u("/home/ann");
    QStringList drives;
    for (const Volumes::Volume &volume : tp.volumes.list())
        drives << volume.root + u("=") + volume.text;
    EXPECT_EQ(drives, QStringList({"/=/", "/home=/home", "/home/ann/data=/home/ann/data [DATA]",
                                   "/media/ann/STICK=/media/ann/STICK [STICK]"}));
    const std::tuple<const char *, const char *, bool> paths[] = {
        // a path, the root of its drive, whether it is a root itself
        {"/home/ann/x", "/home", false},
        {"/home/ann/data/", "/home/ann/data", true},
        {"/media/ann/STICKER", "/", false},
        {"/proc", "/proc", true},
        {"relative", "", false}};
    for (const auto &[path, root, isRoot] : paths) {
        EXPECT_EQ(tp.volumes.rootOf(u(path)), u(root)) << path;
        EXPECT_EQ(tp.volumes.isRoot(u(path)), isRoot) << path;
    }
    // Elsewhere than Windows, a first start opens the home folder on its volume, else on "/".
    const auto stored = [&tp](const char *section) {
        return StoredSettings::read(tp.settings, u(section), tp.volumes);
    };
    EXPECT_EQ(QStringList({stored("Over"), stored("Dir"), stored("Drive")}),
              QStringList({"0", "/home/ann", "/home"}));
    tp.mounts.clear();
    EXPECT_TRUE(tp.volumes.isRoot(u("/")));
    EXPECT_EQ(stored("Drive"), u("/"));
    EXPECT_EQ(tp.volumes.list().size(), 1);
    EXPECT_EQ(tp.volumes.list().value(0).text, u("/"));

    // A bind mount of a subfolder is no drive.
    const QByteArray table = "27 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
                             "40 27 8:17 / /media/ann/My\\040Stick rw - vfat /dev/sdb1 rw\n"
                             "41 27 8:2 /a\\134b\\011c /home/ann/share rw - ext4 /dev/sda2 rw\n"
                             "42 27 8:2 /a\\134b\\011c /mnt/x rw master:2 - ext4 /dev/sda2 rw\n"
                             "43 27 8:3 / /mnt/x rw - ext4 /dev/sda3 rw\n"
                             "44 27 8:2\n";
    const QHash<QString, QString> folders = SystemVolumes::mountedFolders(table);
    const QHash<QString, QString> expected = {{u("/"), u("/")},
                                              {u("/media/ann/My Stick"), u("/")},
                                              {u("/home/ann/share"), u("/a\\b\tc")},
                                              {u("/mnt/x"), u("/")}}; // mounted over the bind
    EXPECT_EQ(folders, expected);
    tp.mounts = {{u("/dev/sda2"), u("/"), {}},
                 {u("/dev/sda2"), u("/home/ann/share"), {}, true, u("/srv/share")},
                 {u("/dev/sda2"), u("/home/ann"), {}, true, u("/home/ann")}};
    EXPECT_EQ(tp.volumes.list().size(), 1);
    EXPECT_EQ(tp.volumes.rootOf(u("/home/ann/share/x")), u("/"));
    EXPECT_TRUE(tp.volumes.isRoot(u("/home/ann/share"))); // still never emptied
}

TEST(IniStore, KeepsAwkwardTextsExactlyAndKeepsAnUnreadableFileAside)
{
    Tree tree;
    const QString ini = tree.path(u("Tarnwick.conf"));
    const QStringList texts = {"c:\\tools\\",   "a, b; c",  "\"q\" 'x'", "Ünï ☃",
                               "@Variant(\\0)", " padded ", ""};
    for (int i = 0; i < texts.size(); ++i)
        EXPECT_TRUE(QtSettingsStore(ini).write({{QString::number(i), u("Default"), texts[i]}}));
    const QtSettingsStore store(ini);
    EXPECT_EQ(store.notice(), QString());
    for (int i = 0; i < texts.size(); ++i)
        EXPECT_EQ(store.read(QString::number(i), u("Default"), u("-")), texts[i]);
    // Typed into the file by hand, a comma is still part of the one text.
    tree.write(u("hand.conf"), "[Dir]\nDefault=/pofo,old\n");
    EXPECT_EQ(QtSettingsStore(tree.path(u("hand.conf"))).read(u("Dir"), u("Default"), u("-")),
              u("/pofo,old"));

    // A folder in the file's place: nothing is read, and writing fails, even for root.
    QtSettingsStore blocked(tree.folder(u("blocked.conf")));
    EXPECT_EQ(blocked.read(u("Dir"), u("Default"), u("fallback")), u("fallback"));
    EXPECT_FALSE(blocked.write({{u("Dir"), u("Default"), u("/x")}}));
    EXPECT_TRUE(blocked.location().contains(u("blocked.conf")));

    // An unreadable file is kept aside, and writing after it succeeds.
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char((i * 7919 + 13) % 256));
    tree.write(u("Tarnwick.conf"), garbage);
    // An older copy set aside is never replaced.
    tree.write(u("Tarnwick.conf.unreadable"), "older");

    QtSettingsStore kept(ini);
    EXPECT_TRUE(kept.notice().contains(tree.path(u("Tarnwick.conf.unreadable-2"))))
        << kept.notice().toStdString();
    EXPECT_EQ(tree.read(u("Tarnwick.conf.unreadable-2")), garbage);
    EXPECT_EQ(tree.read(u("Tarnwick.conf.unreadable")), QByteArray("older"));
    EXPECT_TRUE(
        kept.write({{u("Dir"), u("Default"), u("/x")}, {u("Drive"), u("Default"), u("/")}}));
    EXPECT_EQ(QtSettingsStore(ini).read(u("Drive"), u("Default"), u("-")), u("/"));
}

// The tool's names on Windows and elsewhere, both built on any system.
const ToolNames windows{u("transfolio.exe"), QLatin1Char('\\'), QLatin1Char('/')};
const ToolNames elsewhere{u("transfolio"), QLatin1Char('/'), QLatin1Char('-')};

TEST(CommandLine, IsBuiltByteForByte)
{
    const ToolCommands tools(u(R"(c:\tools\)"), windows);
    // Plain transmit lines are checked byte for byte with the random names below.
    const std::pair<QString, const char *> table[] = {
        {ToolCommands(u(R"(C:\Program Files\)"), windows)
             .transmit(u(R"(C:\My Pofo\)"), u("A -f"), u(R"(a:\)"), u("MY DOCS"), false),
         R"("C:\Program Files\transfolio.exe" "C:\My Pofo\A -f" "a:\MY DOCS\\" /t)"},
        {ToolCommands({}, elsewhere)
             .transmit(u("/home/ann"), u("say \"hi\".txt"), u(R"(a:\)"), {}, false),
         R"(transfolio "/home/ann/say \"hi\".txt" a:\ -t )"},
        // A folder typed without its backslash gets one; the tool would take it as a file name.
        {tools.transmit(u(R"(C:\POFO)"), u("NOTES.TXT"), u(R"(a:\)"), u("DOCS"), false),
         R"(c:\tools\transfolio.exe C:\POFO\NOTES.TXT a:\DOCS\ /t)"},
        {ToolCommands(u("/opt/"), elsewhere)
             .transmit(u("/p"), u("N.TXT"), u("a:"), u("DOCS"), true),
         R"(/opt/transfolio /p/N.TXT a:DOCS\ -t -f)"},
        // Two dots: the whole Portfolio path, else the tool looks for report_2024_01.txt.
        {tools.transmit(u(R"(C:\P)"), u("report.2024.01.txt"), u(R"(a:\)"), u("DOCS"), false),
         R"(c:\tools\transfolio.exe C:\P\report.2024.01.txt a:\DOCS\report_2.txt /t)"},
        {tools.transmit(u(R"(C:\P)"), u("a.b.html"), u("a:"), {}, false),
         R"(c:\tools\transfolio.exe C:\P\a.b.html a:\a_b.htm /t )"},
        {tools.receive(u(R"(a:\DOCS\L.TXT)"), u(R"(C:\POFO)"), false),
         R"(c:\tools\transfolio.exe -r a:\DOCS\L.TXT C:\POFO)"},
        {tools.receive(u(R"(a:\A B.TXT)"), u(R"(C:\My Pofo\)"), true),
         R"(c:\tools\transfolio.exe -r -f "a:\A B.TXT" "C:\My Pofo\\")"},
        {tools.backup(u(R"(a:\program)"), {}), R"(c:\tools\transfolio.exe -r a:\program\*.* )"},
        {tools.backup(u(R"(a:)"), u("b")), R"(c:\tools\transfolio.exe -r a:*.* b)"},
        {ToolCommands::portfolioPath(u(R"(a:\)"), u("DOCS"), u("X")), R"(a:\DOCS\X)"},
        {ToolCommands::portfolioPath(u(R"(a:\)"), {}, u("X")), R"(a:\X)"},
        {ToolCommands::portfolioPath(u("a:"), u(R"(DOCS\)"), {}), R"(a:DOCS\\)"}};
    for (const auto &[line, expected] : table)
        EXPECT_EQ(line, u(expected));
}

TEST(CommandLine, SplitsAsTheWindowsRuntimeDoes)
{
    const std::pair<const char *, QStringList> table[] = {
        {"", {}},
        {"p  a\tb  ", {"p", "a", "b"}},
        {R"(p a\\b d"e f"g h)", {"p", R"(a\\b)", "de fg", "h"}},
        {R"(p a\\\"b c)", {"p", R"(a\"b)", "c"}},
        {R"(p a\\\\"b c" d)", {"p", R"(a\\b c)", "d"}},
        {R"(p a"b"" c d)", {"p", R"(ab" c d)"}},
        {R"(p "")", {"p", ""}},
        {R"("C:\Program Files\t.exe" -r)", {R"(C:\Program Files\t.exe)", "-r"}},
        {R"(c:\a\\"b c"d e)", {R"(c:\a\\b cd)", "e"}}};
    for (const auto &[line, arguments] : table)
        EXPECT_EQ(WindowsArgs::split(u(line)), arguments) << line;
}

// Names made of the characters that break command lines, and some that do not.
QString randomName(std::mt19937 &random, bool quotes)
{
    static const QList<uint> letters =
        (u("aZ.-*:/ \t\"\\\\äé日") + QString::fromUcs4(U"\U0001F600")).toUcs4();
    QString name;
    for (int n = int(random() % 9); n > 0; --n) {
        const char32_t c = letters[qsizetype(random() % letters.size())];
        if (c != '"' || quotes)
            name += QString::fromUcs4(&c, 1);
    }
    return name;
}

QStringList nonEmpty(QStringList parts)
{
    parts.removeAll(QString());
    return parts;
}

TEST(CommandLine, EveryLineSplitsIntoTheIntendedArgumentsAndPlainOnesAreUnquoted)
{
    std::mt19937 random(1);
    for (int round = 0; round < 3000; ++round) {
        const ToolNames &names = round % 2 ? windows : elsewhere;
        const QString t = QString(names.switchMark) + u("t");
        // A program name cannot carry a quote (nor can a Windows file name).
        const QString program = randomName(random, false) + names.fileName;
        // The names that get a destination of their own are checked above.
        const QString pc = randomName(random, true),
                      file = randomName(random, true).remove(QLatin1Char('.'));
        QString folder = randomName(random, true);
        const QString drive = randomName(random, true);
        if (!folder.isEmpty() && !folder.endsWith(u("\\")))
            folder += u("\\");
        const bool overwrite = random() % 2;
        const ToolCommands tool(program.chopped(names.fileName.size()), names);
        const QString pcFile =
            (pc.endsWith(names.pcSeparator) ? pc : pc + names.pcSeparator) + file;
        const QString line = tool.transmit(pc, file, drive, folder, overwrite);
        const QStringList f = overwrite ? QStringList{"-f"} : QStringList{};
        ASSERT_EQ(WindowsArgs::split(line),
                  nonEmpty(QStringList{program, pcFile, drive + folder, t} + f))
            << round << ": " << line.toStdString();
        ASSERT_EQ(WindowsArgs::split(tool.receive(drive, pc, overwrite)),
                  nonEmpty(QStringList{program, "-r"} + f + QStringList{drive, pc}))
            << round;
        ASSERT_EQ(WindowsArgs::split(tool.backup(folder, pc)),
                  nonEmpty({program, u("-r"), folder + u("*.*"), pc}))
            << round;
        const QString plain = program + u(" ") + pcFile + u(" ") + drive + folder;
        if (!plain.contains(QRegularExpression(u("[\t\"]"))) && plain.count(u(" ")) == 2) {
            const QString end = overwrite          ? u(" ") + t + u(" -f")
                                : folder.isEmpty() ? u(" ") + t + u(" ")
                                                   : u(" ") + t;
            ASSERT_EQ(line, plain + end) << round;
        }
    }
}

TEST(ProcessRunner, ResolvesTheProgramOrSaysWhyNot)
{
    Tree tree;
    const QString tool = tree.file(u("my tools/transfolio"));
    ASSERT_TRUE(QFile::setPermissions(tool, QFile::ReadOwner | QFile::ExeOwner));
    const auto launch =
        ProcessRunner::plan(u("\"") + tool + u(R"(" -r "a:\MY DOCS\*.*" "/home/a b\\")"));
    ASSERT_TRUE(launch.ok());
    EXPECT_EQ(launch->program, tool);
    EXPECT_EQ(launch->arguments, QStringList({"-r", R"(a:\MY DOCS\*.*)", "/home/a b\\"}));

    const std::pair<QString, const char *> refused[] = {
        {tree.file(u("plain")), "is not an executable file."},
        {tree.path(u("my tools")), "is not an executable file."},
        {tree.path(u("gone")), "does not exist."},
        {u("no-such-tool-here"), "was not found on the PATH."},
        {QString(), "The command line names no program."}};
    for (const auto &[program, reason] : refused)
        EXPECT_TRUE(
            ProcessRunner::plan(u("\"") + program + u("\" -r x")).reason().endsWith(u(reason)))
            << program;
}

TEST(ToolRuns, APressTheToolWouldCarryOutWronglyStartsNothingAndSaysWhy)
{
    const ToolCommands tool(u("/opt/"));
    const QString longFolder = QString(70, QLatin1Char('D'));
    // Twelve pairs that clash, and seven names that all become one.
    QStringList pairs;
    for (int i = 1; i <= 12; ++i)
        pairs << u("a%1").arg(i) << u("A%1").arg(i);
    const ToolRuns::Runs paired = ToolRuns::transmit(tool, u("/p"), pairs, u("a:"), {}, false);
    const QStringList seven = {"abc", "abC", "aBc", "aBC", "Abc", "AbC", "ABc"};
    // The runs planned, and the reason they are refused; none: the press goes ahead.
    const std::pair<ToolRuns::Runs, const char *> table[] = {
        {paired, ":\na1, A1 would all become A:\\A1\n"},
        {paired, "a10, A10 would all become A:\\A10\nNot listed: 2 more of them.\n"},
        {ToolRuns::transmit(tool, u("/p"), seven, u("a:"), {}, false),
         ":\nabc, abC, aBc, aBC, Abc and 2 more would all become A:\\ABC\n"},
        {ToolRuns::transmit(tool, u("/p"), {u("b.1.x"), u("a.1.x"), u("b.1.X"), u("A.1.X")},
                            u("a:"), {}, false),
         "b.1.x, b.1.X would all become A:\\B_1.X\na.1.x, A.1.X would all become A:\\A_1.X\n"},
        {ToolRuns::transmit(tool, u("/p"), {u("a.txt"), u("abc.txt")}, u("a:\\"), longFolder,
                            false),
         "\\abc.txt is 81 characters long"},
        {ToolRuns::transmit(tool, u("/p"), {u("a.txt")}, u("a:\\"), longFolder, false), ""},
        {ToolRuns::receive(tool, {u("a:\\") + longFolder + u("\\ABCDEFGH.TXT")}, u("/p"), true,
                           false),
         "is 86 characters long"},
        {ToolRuns::receive(tool, {u("a:\\A"), u("a:\\B")}, u("/p/x.txt"), false, false),
         "/p/x.txt is not a folder, and 2 Portfolio files cannot all be received into one file."},
        {ToolRuns::receive(tool, {u("a:\\A")}, u("/p/x.txt"), false, false), ""},
        {ToolRuns::backup(tool, {u("a:\\program\\")}, {}),
         "Please enter the destination folder on your PC"},
        {ToolRuns::backup(tool, {u("a:\\") + longFolder + u("DDD\\")}, u("/b")),
         "is 80 characters"},
        {ToolRuns::transmit(ToolCommands(u("/q\"t\"/")), u("/p"), {u("a")}, u("a:"), {}, false),
         "Error! Please check the path of transfolio.exe or your sources!"}};
    for (const auto &[runs, reason] : table) {
        EXPECT_EQ(runs.ok(), !*reason) << reason;
        EXPECT_TRUE(runs.reason().contains(u(reason))) << runs.reason();
    }
}

TEST(ToolOutput, ShowsWhatATerminalWouldAndKeepsOnlyTheLastLines)
{
    const std::pair<std::vector<QByteArray>, const char *> table[] = {
        {{"Waiting...\nSent 1 of 2\rSent 2 of 2\r\n"}, "Waiting...\nSent 2 of 2\n"},
        {{"Sent 1 of 2\r", "Sent 2 of 2\r"}, "Sent 2 of 2"},
        {{"abc\r", "\n", "x\r\r\ry"}, "abc\ny"},
        {{"half", " a line\n\n"}, "half a line\n\n"},
        {{"\r\r"}, ""}};
    for (const auto &[chunks, shown] : table) {
        ToolOutput output;
        for (const QByteArray &chunk : chunks)
            output.append(chunk);
        EXPECT_EQ(output.text(), u(shown)) << shown;
    }

    ToolOutput flood;
    for (int i = 0; i < 3000; ++i)
        flood.append(QByteArray::number(i) + '\n');
    flood.append(QByteArray(ToolOutput::LongestLine + 10, 'x'));
    const QStringList lines = flood.text().split(QLatin1Char('\n'));
    EXPECT_EQ(lines.size(), ToolOutput::KeptLines + 1);
    EXPECT_EQ(lines[0], u("2001"));
    EXPECT_EQ(lines.last(), QString(10, u'x'));
}

TEST(WorkerThread, GoingAwayStopsTheWorkAndWaitsForItsEnd)
{
    QObject receiver;
    std::atomic_bool ended = false;
    {
        const WorkerThread worker(
            &receiver,
            [&ended](const std::atomic_bool &stop) {
                while (!stop)
                    QThread::msleep(1);
                ended = true;
            },
            [] {});
    }
    EXPECT_TRUE(ended);
}

// A drawn icon is drawn afresh for the screen's own pixels: as sharp at twice the scale.
TEST(Artwork, IconsAreDrawnForTheScreensPixels)
{
    for (const int ratio : {1, 2}) {
        QImage screen(32 * ratio, 32 * ratio, QImage::Format_ARGB32_Premultiplied);
        screen.fill(Qt::transparent);
        screen.setDevicePixelRatio(ratio);
        QPainter painter(&screen);
        Artwork::programIcon().paint(&painter, QRect(0, 0, 32, 32));
        painter.end();
        screen.setDevicePixelRatio(1);
        EXPECT_EQ(
            screen,
            Artwork::programImage(32 * ratio).convertToFormat(QImage::Format_ARGB32_Premultiplied))
            << ratio;
    }
}

// The donation button's frame is whole in its picture, one pixel clear of each edge.
TEST(Artwork, TheDonationButtonsFrameIsWholeAndCentredInItsPicture)
{
    const QImage image = Artwork::donationButton(QSize(495, 126), QFont());
    QRect frame;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == QColor(128, 128, 0))
                frame |= QRect(x, y, 1, 1);
        }
    }
    EXPECT_EQ(frame, QRect(1, 1, 493, 124));
}

// A caption is measured as it is shown; a label shrinks only what does not fit, to 8 pt at least.
TEST(Geometry, ALabelShrinksOnlyWhatDoesNotFitAndNeverBelowEightPoints)
{
    const std::pair<const char *, const char *> captions[] = {
        {"&File", "File"}, {"Fish && Chips", "Fish & Chips"}, {"&&&x", "&x"}, {"End&", "End&"}};
    for (const auto &[caption, shown] : captions)
        EXPECT_EQ(withoutAccessKeys(u(caption)), u(shown)) << caption;

    const QFont font = dialogFont(12);
    const QString widest = u("Transmit >>");
    const double width = QFontMetricsF(font).horizontalAdvance(widest);
    // The label's room as a share of the widest line's width at 12 pt.
    for (const double share : {1.5, 1.0, 0.8, 0.1}) {
        QLabel label(u("&") + widest + u("\nTo"));
        label.setFont(font);
        label.resize(qCeil(width * share), 40);
        shrinkFontToFit(&label);
        const QFont shrunk = label.font();
        SCOPED_TRACE(share);
        if (share >= 1.0) {
            EXPECT_EQ(shrunk.pointSizeF(), 12.0);
        } else if (share > 0.5) {
            EXPECT_LT(shrunk.pointSizeF(), 12.0);
            EXPECT_LE(QFontMetricsF(shrunk).horizontalAdvance(widest), label.width());
            // Just small enough: a pixel more would not fit.
            QFont larger = shrunk;
            larger.setPixelSize(QFontInfo(shrunk).pixelSize() + 1);
            EXPECT_GT(QFontMetricsF(larger).horizontalAdvance(widest), label.width());
        } else {
            EXPECT_EQ(shrunk.pointSizeF(), 8.0);
        }
    }
}

TEST(WindowPlacement, CentredInTheAvailableAreaButNeverAboveOrLeftOfIt)
{
    // Frame, available area of its screen, where its top left corner goes.
    const std::tuple<QSize, QRect, QPoint> table[] = {
        {{643, 556}, {0, 27, 960, 513}, {158, 27}}, // 1920 x 1080 at scale 2, under a top panel
        {{1000, 300}, {0, 0, 800, 600}, {0, 150}},
        {{400, 300}, {1920, -200, 1280, 1024}, {2360, 162}}, // a second screen, placed higher
        {{2000, 2000}, {-1280, 40, 1280, 984}, {-1280, 40}}};
    for (const auto &[frame, available, topLeft] : table)
        EXPECT_EQ(centredTopLeft(frame, available), topLeft) << frame.width();
}

} // namespace
