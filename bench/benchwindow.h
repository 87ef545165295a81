#pragma once

#include "app/mainwindow.h"
#include "browser/filelist.h"
#include "browser/folderlist.h"
#include "common/programvalues.h"
#include "platform/dialogs.h"
#include "platform/keyboardindicators.h"
#include "platform/platform.h"
#include "platform/processrunner.h"
#include "platform/settingsstore.h"
#include "platform/urlopener.h"
#include "platform/volumes.h"

#include <QApplication>
#include <QDir>
#include <QLabel>

#include <memory>

// The main window on the real adapters, its settings in a file beside the folder it opens.
struct BenchWindow
{
    explicit BenchWindow(const QString &folder)
        : settings(folder + QStringLiteral("/../Tarnwick.conf"))
    {
        settings.write({{QStringLiteral("Dir"), QStringLiteral("Default"), folder},
                        {QStringLiteral("File"), QStringLiteral("Default"), folder}});
        main = std::make_unique<MainWindow>(platform, values);
        main->show();
        QApplication::processEvents();
        dir1 = main->findChild<FolderList *>(QStringLiteral("Dir1"));
        file1 = main->findChild<FileList *>(QStringLiteral("File1"));
        size = main->findChild<QLabel *>(QStringLiteral("Size"));
    }

    QtSettingsStore settings;
    QtDialogs dialogs;
    DesktopUrlOpener urls;
    ProcessRunner commands;
    SystemVolumes volumes;
    SystemKeyboardIndicators keyboard;
    Platform platform{settings, dialogs, urls, commands, volumes, keyboard};
    ProgramValues values;
    std::unique_ptr<MainWindow> main;
    FolderList *dir1 = nullptr;
    FileList *file1 = nullptr;
    QLabel *size = nullptr;
};
