#include "program.h"

#include "app/language.h"
#include "app/mainwindow.h"
#include "common/artwork.h"
#include "common/popupmenukey.h"
#include "common/programvalues.h"
#include "platform/dialogs.h"
#include "platform/keyboardindicators.h"
#include "platform/platform.h"
#include "platform/processrunner.h"
#include "platform/registrysettingsstore.h"
#include "platform/settingsstore.h"
#include "platform/urlopener.h"
#include "platform/volumes.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>

namespace Program {

int run(int argc, char *argv[], const std::function<void(QApplication &)> &beforeStart)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Without a display Qt would abort with a message few people understand.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("Tarnwick needs a graphical display, and none is set (DISPLAY or "
                   "WAYLAND_DISPLAY).\nStart it from a desktop session.\n",
                   stderr);
        return EXIT_FAILURE;
    }
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    // Ties the windows to the desktop entry (the Wayland app id; docks and task switchers).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.tarnwick"));
    // Every window, message boxes too, carries the program's icon.
    QApplication::setWindowIcon(Artwork::programIcon());
    app.installEventFilter(new PopupMenuKey(&app));
    Language::use(Language::wanted());

#ifdef Q_OS_WIN
    RegistrySettingsStore settings;
#else
    QtSettingsStore settings;
#endif
    QtDialogs dialogs;
    DesktopUrlOpener urls;
    ProcessRunner commands;
    SystemVolumes volumes;
    SystemKeyboardIndicators keyboard;
    Platform platform{settings, dialogs, urls, commands, volumes, keyboard};
    ProgramValues values;

    if (beforeStart)
        beforeStart(app);
    const std::unique_ptr<MainWindow> window = MainWindow::start(platform, values);
    return QApplication::exec();
}

} // namespace Program
