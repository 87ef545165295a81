#pragma once

#include "common/programvalues.h"
#include "platform/dialogs.h"
#include "platform/keyboardindicators.h"
#include "platform/platform.h"
#include "platform/settingsstore.h"
#include "platform/toolrunner.h"
#include "platform/urlopener.h"
#include "platform/volumes.h"

#include <QList>
#include <QMap>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>

class QWidget;

// A settings store in memory that remembers the order of writes.
class MemorySettingsStore final : public SettingsStore
{
public:
    QString read(const QString &section, const QString &key,
                 const QString &defaultValue) const override
    {
        return values.value(section + QLatin1Char('/') + key, defaultValue);
    }
    bool write(const QList<Value> &written) override
    {
        ++writes;
        for (const Value &value : written) {
            writtenSections.append(value.section);
            if (!failWrites)
                values.insert(value.section + QLatin1Char('/') + value.key, value.text);
        }
        return !failWrites;
    }
    QString location() const override { return QStringLiteral("memory"); }

    QMap<QString, QString> values; // "section/key" -> text
    QStringList writtenSections;
    int writes = 0; // calls, each of which would rewrite the whole store
    bool failWrites = false;
};

// Records every box asked for and answers from a script.
class RecordingDialogs final : public Dialogs
{
public:
    struct Box
    {
        QString kind; // "message", "okCancel" or "input"
        QString text;
        QString title;
        Icon icon = Icon::None;
        QString defaultAnswer;
    };

    void message(QWidget *, const QString &text, const QString &title = {},
                 Icon icon = Icon::None) override
    {
        boxes.append({QStringLiteral("message"), text, title, icon, {}});
    }
    bool okCancel(QWidget *, const QString &text, const QString &title = {}) override
    {
        boxes.append({QStringLiteral("okCancel"), text, title, Icon::None, {}});
        return !okCancelAnswers.isEmpty() && okCancelAnswers.takeFirst();
    }
    std::optional<QString> input(QWidget *, const QString &prompt, const QString &title,
                                 const QString &defaultAnswer) override
    {
        boxes.append({QStringLiteral("input"), prompt, title, Icon::None, defaultAnswer});
        return inputAnswers.isEmpty() ? std::nullopt : inputAnswers.takeFirst();
    }

    // The kinds and the texts of the boxes shown, in order.
    QStringList kinds() const { return column(&Box::kind); }
    QStringList texts() const { return column(&Box::text); }

    QList<Box> boxes;
    QList<bool> okCancelAnswers;                // taken in turn; Cancel when none is left
    QList<std::optional<QString>> inputAnswers; // taken in turn; Cancel when none is left

private:
    QStringList column(QString Box::*field) const
    {
        QStringList column;
        for (const Box &box : boxes)
            column << box.*field;
        return column;
    }
};

class RecordingUrlOpener final : public UrlOpener
{
public:
    void open(const QUrl &url) override { opened.append(url); }
    QList<QUrl> opened;
};

// Records the command lines and ends each run from the event loop, as a tool that has nothing
// to do: exit status 0, nothing printed.
class RecordingToolRunner final : public ToolRunner
{
public:
    Status start(const QString &commandLine) override;
    void stop() override {}

    QStringList started;   // the command lines that started
    QStringList attempted; // every command line asked for
    QStringList failing;   // command lines that cannot be started
};

// Lights the test switches on and off.
class FakeKeyboard final : public KeyboardIndicators
{
public:
    State state() const override { return lights; }
    State lights;
};

// The doubles together, as the windows take them.
struct TestPlatform
{
    MemorySettingsStore settings;
    RecordingDialogs dialogs;
    RecordingUrlOpener urls;
    RecordingToolRunner commands;
    QList<SystemVolumes::Mount> mounts; // the drives, each as a real device
    QString home;
    SystemVolumes volumes{[this] { return mounts; },
                          [this] {
                              return home;
                          }};
    FakeKeyboard keyboard;
    Platform platform{settings, dialogs, urls, commands, volumes, keyboard};
    ProgramValues values;
};

// Runs action on the next modal window once it is shown, so that exec() returns.
void onNextModal(std::function<void(QWidget *modal)> action);
