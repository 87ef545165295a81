// The whole program as started from the desktop: its own application, the real adapters and
// the user's language, with the settings kept in a temporary folder instead of the user's.
#include "app/program.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

int g_argc = 0;
char **g_argv = nullptr;

// Notes what each window says when it shows, then closes it as a user would.
class Visitor final : public QObject
{
public:
    QStringList seen;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto *window = static_cast<QWidget *>(watched);
        const auto *button = window->findChild<QAbstractButton *>(QStringLiteral("Command1"));
        if (!window->isWindow() || !button)
            return false;
        seen.append(window->objectName() + QLatin1Char(':') + button->text());
        if (auto *box = qobject_cast<QDialog *>(window))
            QTimer::singleShot(0, box, &QDialog::accept);
        else
            QTimer::singleShot(0, qApp, &QApplication::quit);
        return false;
    }
};

TEST(Program, StartsWithTheAboutBoxThenTheMainWindowInTheUsersLanguage)
{
    QTemporaryDir settings;
    ASSERT_TRUE(settings.isValid());
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    qputenv("TARNWICK_LANGUAGE", "de_DE");
    Visitor visitor;
    QString desktopEntry;
    const int code = Program::run(g_argc, g_argv, [&](QApplication &app) {
        // Docks and task switchers find the program's entry by this name.
        desktopEntry = QGuiApplication::desktopFileName() + QStringLiteral(".desktop");
        app.installEventFilter(&visitor);
        // A window that never shows would leave the test waiting for ever.
        QTimer::singleShot(20000, &app, [] { QApplication::exit(2); });
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral(DATA_DIR "/") + desktopEntry))
        << desktopEntry.toStdString();
    EXPECT_EQ(visitor.seen.join(QStringLiteral(" | ")).toStdString(),
              "frmInfo:OK | frmMain:Übertragen >>");
}

} // namespace

int main(int argc, char *argv[])
{
    ::testing::InitGoogleTest(&argc, argv);
    g_argc = argc;
    g_argv = argv;
    return RUN_ALL_TESTS();
}
