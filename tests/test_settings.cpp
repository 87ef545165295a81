#include "app/storedsettings.h"
#include "platform/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct OverCase
{
    const char *stored;
    bool on;
};

class OverConversion : public ::testing::TestWithParam<OverCase>
{};

TEST_P(OverConversion, TextBecomesFlag)
{
    EXPECT_EQ(StoredSettings::toOverwriteFlag(QString::fromUtf8(GetParam().stored)), GetParam().on)
        << GetParam().stored;
}

INSTANTIATE_TEST_SUITE_P(
    Table, OverConversion,
    ::testing::Values(OverCase{"True", true}, OverCase{"true", true}, OverCase{"TRUE", true},
                      OverCase{"tRuE", true}, OverCase{" True ", true}, OverCase{"False", false},
                      OverCase{"false", false}, OverCase{"FALSE", false}, OverCase{"0", false},
                      OverCase{"1", true}, OverCase{"-1", true}, OverCase{"2", true},
                      OverCase{"0.0", false}, OverCase{"0.5", true}, OverCase{"1e3", true},
                      OverCase{"", false}, OverCase{"yes", false}, OverCase{"on", false},
                      OverCase{"Truee", false}, OverCase{"1 0", false}, OverCase{"nan", false},
                      OverCase{"inf", false}, OverCase{"\xc3\xa4", false}));

TEST(StoredSettings, FlagIsWrittenAsTrueOrFalseAndReadsBack)
{
    EXPECT_EQ(StoredSettings::fromOverwriteFlag(true), QStringLiteral("True"));
    EXPECT_EQ(StoredSettings::fromOverwriteFlag(false), QStringLiteral("False"));
    for (bool on : {true, false})
        EXPECT_EQ(StoredSettings::toOverwriteFlag(StoredSettings::fromOverwriteFlag(on)), on);
}

TEST(StoredSettings, DefaultsOfAnEmptyStore)
{
    QTemporaryDir dir;
    const QtSettingsStore store(dir.filePath(QStringLiteral("none.conf")));
    EXPECT_EQ(StoredSettings::read(store, StoredSettings::Overwrite), QStringLiteral("0"));
#ifdef Q_OS_WIN
    for (const QString &section : {StoredSettings::ToolFolder, StoredSettings::FileFolder,
                                   StoredSettings::Folder, StoredSettings::Drive})
        EXPECT_EQ(StoredSettings::read(store, section), QStringLiteral("c:\\"));
#else
    EXPECT_EQ(StoredSettings::read(store, StoredSettings::ToolFolder), QString());
    EXPECT_EQ(StoredSettings::read(store, StoredSettings::Folder), QDir::homePath());
    EXPECT_EQ(StoredSettings::read(store, StoredSettings::FileFolder), QDir::homePath());
    const QString drive = StoredSettings::read(store, StoredSettings::Drive);
    EXPECT_TRUE(QDir::homePath().startsWith(drive)) << qPrintable(drive);
#endif
}

TEST(QtSettingsStore, WritesSectionAndKeyAndReadsBackExactText)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tarnwick.conf"));
    const QStringList texts = {QStringLiteral("c:\\tools\\"), QStringLiteral(""),
                               QStringLiteral(" a, b ; c "), QStringLiteral("ä ö \"q\" \\\\x"),
                               QStringLiteral("@Variant(junk)")};
    for (const QString &text : texts) {
        {
            QtSettingsStore store(path);
            ASSERT_TRUE(store.write(QStringLiteral("FTOrt"), QStringLiteral("Default"), text));
        }
        const QtSettingsStore again(path);
        EXPECT_EQ(again.read(QStringLiteral("FTOrt"), QStringLiteral("Default"),
                             QStringLiteral("fallback")),
                  text);
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray ini = file.readAll();
    EXPECT_TRUE(ini.contains("[FTOrt]")) << ini.constData();
    EXPECT_TRUE(ini.contains("Default=")) << ini.constData();
}

struct GarbageCase
{
    const char *name;
    QByteArray content;
    const char *expected; // nullptr: the default
};

class GarbageStore : public ::testing::TestWithParam<GarbageCase>
{};

TEST_P(GarbageStore, ReadsSomethingSensible)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tarnwick.conf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(GetParam().content);
    file.close();
    const QtSettingsStore store(path);
    const QString value =
        store.read(QStringLiteral("Dir"), QStringLiteral("Default"), QStringLiteral("<default>"));
    EXPECT_EQ(value, GetParam().expected ? QString::fromUtf8(GetParam().expected)
                                         : QStringLiteral("<default>"));
}

INSTANTIATE_TEST_SUITE_P(
    Table, GarbageStore,
    ::testing::Values(GarbageCase{"binary", QByteArray("\x00\xff\xfe[\x01]\n=\x02", 9), nullptr},
                      GarbageCase{"noSection", "Default=/tmp\n", nullptr},
                      GarbageCase{"list", "[Dir]\nDefault=a, b\n", "a,b"},
                      GarbageCase{"variantPoint", "[Dir]\nDefault=@Variant(\\0\\0\\0\\x1a\\0)\n",
                                  nullptr},
                      GarbageCase{"byteArray", "[Dir]\nDefault=@ByteArray(/tmp)\n", "/tmp"},
                      GarbageCase{"emptyValue", "[Dir]\nDefault=\n", ""},
                      GarbageCase{"brokenHeader", "[Dir\nDefault=/x\n", "/x"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(QtSettingsStore, AFileThatCannotBeReadGivesDefaultsAndReportsFailedWrites)
{
    QTemporaryDir dir;
    // A folder where the file should be: neither root nor anyone else can read or write it.
    const QString path = dir.filePath(QStringLiteral("Tarnwick.conf"));
    ASSERT_TRUE(QDir().mkpath(path));
    QtSettingsStore store(path);
    EXPECT_EQ(store.read(QStringLiteral("Over"), QStringLiteral("Default"), QStringLiteral("0")),
              QStringLiteral("0"));
    EXPECT_FALSE(
        store.write(QStringLiteral("Over"), QStringLiteral("Default"), QStringLiteral("True")));
    EXPECT_TRUE(store.location().endsWith(QStringLiteral("Tarnwick.conf")));
}

TEST(QtSettingsStore, ProgramsOwnPlaceFollowsTheConfigFolder)
{
    EXPECT_TRUE(
        QtSettingsStore::defaultIniPath().endsWith(QStringLiteral("/Tarnwick/Tarnwick.conf")));
}

} // namespace
