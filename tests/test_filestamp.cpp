#include "editor/filestamp.h"
#include "testhelpers.h"

#include <QDateTime>

#include <gtest/gtest.h>

namespace {

TEST(FileStamp, ChangedOnDiskWhenTheOpenedFileIsNotAsItWasRead)
{
    const QDateTime past = QDateTime::currentDateTime().addSecs(-3600);
    const auto write = [](const QString &path, const QByteArray &bytes, const QDateTime &time) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
        ASSERT_TRUE(time.isNull() || file.setFileTime(time, QFileDevice::FileModificationTime));
    };
    // What another program writes after the document was read, and whether it keeps the time
    // or puts a new file, if any, in its place; then the target of the save.
    const std::tuple<const char *, QByteArray, bool, bool, const char *, bool> table[] = {
        {"untouched", {}, false, false, "a.txt", false},
        {"same length, same time", "ABCD", true, false, "a.txt", true},
        {"replaced by an equal file", "abcd", true, true, "a.txt", true},
        {"another file", "x", false, false, "b.txt", false},
        {"by another path", "x", false, false, "b/../a.txt", true},
        {"through a link", "x", false, false, "link.txt", true},
        {"gone", {}, false, true, "a.txt", false},
    };
    for (const auto &[what, bytes, sameTime, replaced, target, changed] : table) {
        Tree tree;
        tree.folder(u("b"));
        tree.link(u("link.txt"), tree.path(u("a.txt")));
        write(tree.path(u("a.txt")), "abcd", past);
        FileOrigin origin{tree.path(u("a.txt")), FileStamp::of(tree.path(u("a.txt")))};
        if (!bytes.isEmpty())
            write(tree.path(u(replaced ? "new.txt" : "a.txt")), bytes,
                  sameTime ? past : QDateTime());
        if (replaced) {
            ASSERT_TRUE(QFile::remove(origin.path));
        }
        if (replaced && !bytes.isEmpty()) {
            ASSERT_TRUE(QFile::rename(tree.path(u("new.txt")), origin.path));
        }
        // Not cleaned, so that another spelling of the path is seen as such.
        EXPECT_EQ(origin.changedOnDisk(tree.path() + u("/") + u(target)), changed) << what;
    }
}

} // namespace
