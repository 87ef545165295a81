#pragma once

class Dialogs;
class KeyboardIndicators;
class SettingsStore;
class ToolRunner;
class UrlOpener;
class Volumes;

// The outside world as the windows see it; tests hand in doubles.
struct Platform
{
    SettingsStore &settings;
    Dialogs &dialogs;
    UrlOpener &urls;
    ToolRunner &commands;
    Volumes &volumes;
    KeyboardIndicators &keyboard;
};
