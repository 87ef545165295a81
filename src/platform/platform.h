#pragma once

class CommandStarter;
class Dialogs;
class KeyboardIndicators;
class SettingsStore;
class UrlOpener;
class Volumes;

// The outside world as the windows see it; tests hand in doubles.
struct Platform
{
    SettingsStore &settings;
    Dialogs &dialogs;
    UrlOpener &urls;
    CommandStarter &commands;
    Volumes &volumes;
    KeyboardIndicators &keyboard;
};
