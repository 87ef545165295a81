#include "editor/documentfile.h"
#include "testhelpers.h"

#include <QTextDocument>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

TEST(DocumentFile, AnUneditedFileSavedBackDiffersAtMostInItsLineEnds)
{
    // What each was read as shows in what comes back: a line feed made CR LF in its form.
    const std::tuple<const char *, QByteArray, QByteArray> table[] = {
        {"UTF-8", "plain\nlines\n", "plain\r\nlines\r\n"},
        {"NUL bytes", "a\0b\0\0c\r\n\r\n"_ba, {}},
        {"empty", "", {}},
        {"frame marks, U+FFFE", "\xEF\xB7\x90\xEF\xB7\x90\r\nb\xEF\xB7\x91 \xEF\xBF\xBE", {}},
        {"UTF-16 LE", "\xFF\xFE\x0A\x4E\x0A\x00\x00\xD8"_ba,
         "\xFF\xFE\x0A\x4E\x0D\x00\x0A\x00\x00\xD8"_ba},
        {"a line of wide characters longer than a piece",
         "\xF0\x9F\x98\x80"_ba.repeated(70000),
         {}},
        // Rich text is written as its plain text, in the system's encoding.
        {"RTF", "{\\rtf1\\ansi caf\\'e9\\par x}", "caf\xC3\xA9\r\nx"}};
    Tree tree;
    const QString out = tree.path(u("out.txt"));
    for (const auto &[what, file, saved] : table) {
        QTextDocument document;
        const CodePage::Encoding encoding = DocumentFile::load(file, document);
        EXPECT_FALSE(document.isModified()) << what;
        EXPECT_FALSE(document.isUndoAvailable()) << what;
        // A save of its own is no change on disk by another program.
        FileOrigin origin{out, FileStamp::of(out)};
        const Status written = DocumentFile::save(document, out, encoding, &origin);
        ASSERT_TRUE(written) << what << written.reason();
        EXPECT_EQ(bytesOf(out).toHex(' '), (saved.isEmpty() ? file : saved).toHex(' ')) << what;
        EXPECT_EQ(origin.stamp, FileStamp::of(out)) << what;
    }
}

// Where a save goes and what it leaves: the file written, which keeps the owner, group and mode
// of the one it replaced, or why nothing was written, the old file whole and nothing beside it.
TEST(DocumentFile, OnlyRegularFilesAreReadAndWrittenWholeOrNotAtAll)
{
    Tree tree;
    const QString old = tree.file(u("old.txt"), 3);
    const QString real = tree.file(u("real.txt"), 3);
    const QString locked = tree.file(u("locked.txt"), 3);
    QFile(locked).setPermissions(QFileDevice::ReadOwner);
    const QString link = tree.link(u("link.txt"), real);
    const QString gone = tree.path(u("elsewhere/gone.txt"));
    const QString dangling = tree.link(u("dangling.txt"), gone);
    ASSERT_EQ(mkfifo(QFile::encodeName(tree.path(u("fifo"))).constData(), 0600), 0);
    const QString longName = tree.path(QString(251, QLatin1Char('n')) + u(".txt"));
    // Sparse: they cost no disk.
    const QString largest = tree.file(u("largest.txt"), 250'000'000);
    const QString tooLarge = tree.file(u("too large.txt"), 250'000'001);
    // Root may give a file to anyone.
    const bool root = geteuid() == 0;
    const uid_t owner = root ? 4242 : geteuid();
    const gid_t group = root ? 4343 : getegid();
    ASSERT_EQ(chown(QFile::encodeName(real), owner, group), 0);
    ASSERT_EQ(chmod(QFile::encodeName(real), 0604), 0);
    const QString missing = systemText(std::errc::no_such_file_or_directory);
    // The path, its encoding and the file size limit; what a read of it says, and why a save
    // writes nothing.
    const std::tuple<QString, int, rlim_t, QString, QString> table[] = {
        {{}, CodePage::Utf8, 0, missing, u("no file is chosen in the PC panel")},
        {tree.path(), CodePage::Utf8, 0, u("it is a folder"), u("it is a folder")},
        {tree.path(u("gone/x.txt")), CodePage::Utf8, 0, missing, missing},
        {locked, CodePage::Utf8, 0, u(""), u("the file is read-only")},
        {old, CodePage::Western, 0, u(""),
         u("the text holds characters that its character set (code page 1252) cannot store")},
        {old, CodePage::Utf8, 12288, u(""), systemText(std::errc::file_too_large)},
        {dangling, CodePage::Utf8, 0, missing,
         u("it is a link to %1, which does not exist").arg(gone)},
        {tree.path(u("fifo")), CodePage::Utf8, 0, u("it is not a regular file"),
         u("it is not a regular file")},
        {link, CodePage::Utf8, 0, u(""), u("")},
        {largest, CodePage::Utf8, 0, u(""), u("")},
        {tooLarge, CodePage::Utf8, 0, u("it is larger than the 250 MB the editor can hold"), u("")},
        {longName, CodePage::Utf8, 0, missing, u("")}};
    const QString text = u("new text ☃").repeated(3000);
    const QTextDocument document(text);
    // A write past the file size limit comes back short, as on a full disk, instead of ending
    // the process.
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    const mode_t mask = umask(022);
    for (const auto &[path, page, limit, read, reason] : table) {
        FileStamp stamp;
        EXPECT_EQ(DocumentFile::read(path, &stamp).reason(), read) << path;
        if (read.isEmpty()) {
            EXPECT_EQ(stamp, FileStamp::of(path)) << path;
        }
        rlimit before{};
        getrlimit(RLIMIT_FSIZE, &before);
        const rlimit lowered{limit ? limit : before.rlim_cur, before.rlim_max};
        setrlimit(RLIMIT_FSIZE, &lowered);
        const Status saved = DocumentFile::save(document, path, {page, false});
        setrlimit(RLIMIT_FSIZE, &before);
        EXPECT_EQ(saved ? QString() : saved.reason(), reason) << path;
        EXPECT_EQ(bytesOf(old), QByteArray(3, '\0')) << path;
    }
    umask(mask);
    std::signal(SIGXFSZ, handler);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(tree.entries().size(), 9); // nothing left beside the files, no folder made
    // The file replaced keeps what it had, a new one gets what any program would give it.
    for (const auto &[path, mode, uid, gid] : {std::tuple(real, 0604u, owner, group),
                                               std::tuple(longName, 0644u, geteuid(), getegid())}) {
        struct stat after = {};
        ASSERT_EQ(stat(QFile::encodeName(path), &after), 0);
        EXPECT_EQ(bytesOf(path), text.toUtf8());
        EXPECT_EQ(std::tuple(after.st_uid, after.st_gid, after.st_mode & 07777),
                  std::tuple(uid, gid, mode));
    }
}

// A drop opens a document, a program is refused; in the main window's tests.
TEST(DocumentFile, AProgramIsKnownByTheEndOfItsName)
{
    const std::pair<const char *, bool> table[] = {
        {"SETUP.exe", true}, {"telecom", true}, {"exe.txt", false}};
    for (const auto &[path, program] : table)
        EXPECT_EQ(DocumentFile::isProgram(u(path)), program) << path;
}

} // namespace
