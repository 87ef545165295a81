#include "about/aboutbox.h"
#include "about/abouttext.h"
#include "common/titleline.h"
#include "common/maker.h"
#include "common/geometry.h"
#include "app/optionswindow.h"
#include "app/storedsettings.h"
#include "doubles.h"
#include "testhelpers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <gtest/gtest.h>

namespace {

// ---- About box

TEST(AboutText, HasTwelveLinesWithEmptyOnesAtTwoSevenAndTen)
{
    const QString text = aboutText();
    EXPECT_FALSE(text.endsWith(QLatin1Char('\n')));
    EXPECT_FALSE(text.endsWith(QLatin1Char('\r')));
    EXPECT_EQ(text.count(QStringLiteral("\r\n")), 11);
    EXPECT_EQ(text.count(QLatin1Char('\n')), 11); // no bare line feeds
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(lines[i].isEmpty(), i == 1 || i == 6 || i == 9) << "line " << i + 1;
    EXPECT_EQ(lines[2], QStringLiteral("Tarnwick:"));
    EXPECT_EQ(lines[3], QStringLiteral("This program uses the command line tool Transfolio.exe"));
    EXPECT_EQ(lines[4],
              QStringLiteral("to transmit and receive files from the PC to the Atari Portfolio"));
    EXPECT_EQ(lines[5], QStringLiteral("or vice versa."));
    EXPECT_EQ(lines[7], QStringLiteral("Transfolio:"));
    EXPECT_EQ(lines[10], QStringLiteral("E-Mail:"));
    EXPECT_EQ(lines[11], Maker::ContactEmail);
    EXPECT_TRUE(lines[0].contains(Maker::Copyright));
}

TEST(AboutText, MakerAddressesStayUnderTheReservedDomain)
{
    for (const QString &address : {Maker::WebAddress, Maker::DonationPage})
        EXPECT_EQ(QUrl(address).host(), QStringLiteral("www.example.org")) << qPrintable(address);
    for (const QString &mail : {Maker::DonationEmail, Maker::ContactEmail})
        EXPECT_TRUE(mail.endsWith(QStringLiteral("@example.org"))) << qPrintable(mail);
    EXPECT_EQ(titleLine(), QStringLiteral("Tarnwick v1.0 - ") + Maker::Copyright);
}

struct Placement
{
    const char *name;
    int left, top, width, height;
};

TEST(AboutBox, LayoutAndContent)
{
    RecordingUrlOpener urls;
    AboutBox box(urls);
    EXPECT_EQ(box.objectName(), QStringLiteral("frmInfo"));
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Info"));
    EXPECT_EQ(box.size(), QSize(twips(6630), twips(6000)));
    EXPECT_EQ(box.minimumSize(), box.maximumSize());
    EXPECT_EQ(box.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_FALSE(box.windowIcon().isNull());
    const Placement table[] = {
        {"Image1", 240, 120, 1200, 1080},   {"Label1", 2640, 360, 3015, 495},
        {"Label2", 1920, 1320, 4455, 2775}, {"Label5", 2760, 3960, 2895, 375},
        {"Label3", 240, 4320, 2895, 615},   {"Image3", 600, 5040, 1905, 450},
        {"Label4", 120, 5520, 2895, 375},   {"Command1", 5160, 5520, 1335, 375},
    };
    for (const Placement &p : table)
        EXPECT_EQ(child(box, p.name)->geometry(), twipsRect(p.left, p.top, p.width, p.height))
            << p.name;
    EXPECT_EQ(child(box, "Line1")->geometry(), QRect(twips(1800), twips(960), twips(4560), 1));
    EXPECT_EQ(child<QLabel>(box, "Label1")->text(), QStringLiteral("Tarnwick v1.0"));
    EXPECT_TRUE(child(box, "Label1")->font().bold());
    // 24 pt, or just small enough to show the whole title in a wider desktop font.
    const QFont title = child(box, "Label1")->font();
    EXPECT_LE(title.pointSizeF(), 24.0);
    EXPECT_GT(title.pointSizeF(), 12.0);
    QFont larger = title;
    larger.setPointSizeF(title.pointSizeF() + 0.25);
    const int room = child(box, "Label1")->width();
    EXPECT_LE(QFontMetrics(title).horizontalAdvance(QStringLiteral("Tarnwick v1.0")), room);
    if (title.pointSizeF() < 24.0) {
        EXPECT_GT(QFontMetrics(larger).horizontalAdvance(QStringLiteral("Tarnwick v1.0")), room);
    }
    EXPECT_EQ(child<QLabel>(box, "Label2")->text(), aboutText());
    EXPECT_EQ(child<QLabel>(box, "Label5")->text(), Maker::WebAddress);
    EXPECT_EQ(child<QLabel>(box, "Label4")->text(), Maker::DonationEmail);
    EXPECT_TRUE(child<QLabel>(box, "Label3")->wordWrap());
    EXPECT_EQ(child<QLabel>(box, "Label3")->text(),
              QStringLiteral("If you like the program please let me know. I am always happy when "
                             "you donate"));
    EXPECT_TRUE(child<QLabel>(box, "Image1")->hasScaledContents());
    EXPECT_EQ(child<QLabel>(box, "Image1")->pixmap().size(), QSize(32, 32));
    EXPECT_EQ(child<QLabel>(box, "Image3")->pixmap().size(), QSize(495, 126));
    EXPECT_EQ(child<QPushButton>(box, "Command1")->text(), QStringLiteral("Ok"));
}

TEST(AboutBox, HandCursorOnlyOverTheClickableParts)
{
    RecordingUrlOpener urls;
    AboutBox box(urls);
    for (const char *name : {"Label5", "Image3"})
        EXPECT_EQ(child(box, name)->cursor().shape(), Qt::PointingHandCursor) << name;
    for (const char *name : {"Label1", "Label2", "Label3", "Label4", "Image1"})
        EXPECT_NE(child(box, name)->cursor().shape(), Qt::PointingHandCursor) << name;
    EXPECT_EQ(box.cursor().shape(), Qt::ArrowCursor);
}

TEST(AboutBox, EveryClickOpensItsAddressAnewAndTheBoxStays)
{
    RecordingUrlOpener urls;
    AboutBox box(urls);
    box.show();
    QTest::mouseClick(child(box, "Label5"), Qt::LeftButton);
    QTest::mouseClick(child(box, "Image3"), Qt::LeftButton);
    QTest::mouseClick(child(box, "Label5"), Qt::LeftButton);
    QTest::mouseClick(child(box, "Label4"), Qt::LeftButton);
    QTest::mouseClick(child(box, "Label2"), Qt::LeftButton);
    QTest::mouseClick(child(box, "Label5"), Qt::RightButton);
    EXPECT_EQ(urls.opened, QList<QUrl>({QUrl(Maker::WebAddress), QUrl(Maker::DonationPage),
                                        QUrl(Maker::WebAddress)}));
    EXPECT_TRUE(box.isVisible());
}

TEST(AboutBox, OkAndTheCloseBoxUnloadIt)
{
    RecordingUrlOpener urls;
    {
        AboutBox box(urls);
        onNextModal([&](QWidget *) { QTest::mouseClick(child(box, "Command1"), Qt::LeftButton); });
        EXPECT_EQ(box.exec(), QDialog::Accepted);
    }
    {
        AboutBox box(urls);
        onNextModal([](QWidget *modal) { modal->close(); });
        box.exec();
        EXPECT_FALSE(box.isVisible());
    }
    EXPECT_TRUE(urls.opened.isEmpty());
}

// ---- Options window

TEST(OptionsWindow, LayoutAndToolWindowBorder)
{
    TestPlatform tp;
    OptionsWindow options(tp.platform, tp.values);
    EXPECT_EQ(options.objectName(), QStringLiteral("frmOptionen"));
    EXPECT_EQ(options.windowTitle(), QStringLiteral("Options"));
    EXPECT_EQ(options.size(), QSize(twips(4095), twips(1905)));
    EXPECT_EQ(options.minimumSize(), options.maximumSize());
    EXPECT_EQ(options.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_FALSE(options.windowFlags() & Qt::WindowMinMaxButtonsHint);
    EXPECT_TRUE(options.windowFlags() & Qt::WindowCloseButtonHint);
    const Placement table[] = {{"Frame1", 120, 120, 3855, 1215},
                               {"Label1", 120, 480, 1095, 255},
                               {"FTOrt", 120, 720, 3615, 285},
                               {"Command1", 2400, 1440, 1575, 375}};
    for (const Placement &p : table)
        EXPECT_EQ(child(options, p.name)->geometry(), twipsRect(p.left, p.top, p.width, p.height))
            << p.name;
    EXPECT_EQ(child(options, "FTOrt")->parentWidget(), child(options, "Frame1"));
    EXPECT_EQ(child<QLabel>(options, "Label1")->text(), QStringLiteral("Transfolio.exe:"));
    EXPECT_EQ(child<QPushButton>(options, "Command1")->text(), QStringLiteral("Close"));
    EXPECT_TRUE(child<QPushButton>(options, "Command1")->isDefault());
    EXPECT_EQ(child(options, "FTOrt")->nextInFocusChain(), child(options, "Command1"));
}

struct OptionsCase
{
    const char *name;
    const char *stored; // nullptr: nothing stored
    const char *typed;  // what replaces the text
    bool viaEnter;      // Enter in the text box rather than a click on "Close"
};

class OptionsClose : public ::testing::TestWithParam<OptionsCase>
{};

TEST_P(OptionsClose, StoresExactlyWhatWasTypedAndSetsToolFolder)
{
    const OptionsCase &c = GetParam();
    TestPlatform tp;
    if (c.stored)
        tp.settings.values.insert(QStringLiteral("FTOrt/Default"), QString::fromUtf8(c.stored));
    tp.values.toolFolder = QStringLiteral("before");
    OptionsWindow options(tp.platform, tp.values);
    auto *edit = child<QLineEdit>(options, "FTOrt");
    EXPECT_EQ(edit->text(),
              c.stored ? QString::fromUtf8(c.stored) : StoredSettings::defaultToolFolder());
    options.show();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    const QString typed = QString::fromUtf8(c.typed);
    // Key simulation knows only ASCII keys; other letters arrive as a paste would.
    if (QByteArray(c.typed) == typed.toLatin1())
        QTest::keyClicks(edit, typed);
    else
        edit->insert(typed);
    if (c.viaEnter)
        QTest::keyClick(edit, Qt::Key_Return);
    else
        QTest::mouseClick(child(options, "Command1"), Qt::LeftButton);
    EXPECT_EQ(options.result(), QDialog::Accepted);
    EXPECT_FALSE(options.isVisible());
    EXPECT_EQ(tp.settings.values.value(QStringLiteral("FTOrt/Default")),
              QString::fromUtf8(c.typed));
    EXPECT_EQ(tp.values.toolFolder, QString::fromUtf8(c.typed));
    EXPECT_EQ(tp.settings.writtenSections, QStringList({"FTOrt"}));
    EXPECT_TRUE(tp.dialogs.boxes.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, OptionsClose,
    ::testing::Values(OptionsCase{"withBackslash", "c:\\", "c:\\tools\\", false},
                      OptionsCase{"withoutBackslash", nullptr, "c:\\tools", false},
                      OptionsCase{"emptied", "c:\\", "", false},
                      OptionsCase{"blanksKept", "x", "  C:\\Program Files\\T\\ ", false},
                      OptionsCase{"enterPressesClose", "c:\\", "d:\\pofo\\", true},
                      OptionsCase{"unicode", nullptr, "/home/jörg/werkzeug/", true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(OptionsWindow, TheCloseBoxDiscardsWhatWasTyped)
{
    TestPlatform tp;
    tp.settings.values.insert(QStringLiteral("FTOrt/Default"), QStringLiteral("c:\\old\\"));
    tp.values.toolFolder = QStringLiteral("c:\\old\\");
    for (bool viaEscape : {false, true}) {
        OptionsWindow options(tp.platform, tp.values);
        options.show();
        auto *edit = child<QLineEdit>(options, "FTOrt");
        QTest::keyClicks(edit, QStringLiteral("changed"));
        if (viaEscape)
            QTest::keyClick(edit, Qt::Key_Escape);
        else
            options.close();
        EXPECT_FALSE(options.isVisible());
        EXPECT_EQ(options.result(), QDialog::Rejected);
    }
    EXPECT_TRUE(tp.settings.writtenSections.isEmpty());
    EXPECT_EQ(tp.values.toolFolder, QStringLiteral("c:\\old\\"));
    OptionsWindow again(tp.platform, tp.values);
    EXPECT_EQ(child<QLineEdit>(again, "FTOrt")->text(), QStringLiteral("c:\\old\\"));
}

TEST(OptionsWindow, AFailedStoreIsReportedAndTheFolderStillUsed)
{
    TestPlatform tp;
    tp.settings.failWrites = true;
    OptionsWindow options(tp.platform, tp.values);
    child<QLineEdit>(options, "FTOrt")->setText(QStringLiteral("/opt/pofo/"));
    QTest::mouseClick(child(options, "Command1"), Qt::LeftButton);
    EXPECT_EQ(tp.values.toolFolder, QStringLiteral("/opt/pofo/"));
    ASSERT_EQ(tp.dialogs.boxes.size(), 1);
    EXPECT_TRUE(tp.dialogs.boxes[0].text.contains(QStringLiteral("memory")));
}

} // namespace
