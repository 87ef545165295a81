#pragma once

#include <QString>

#include <optional>

class QWidget;

// Message, question and input boxes. A box given no title shows the program's name.
class Dialogs
{
public:
    enum class Icon { None, Warning, Critical };

    virtual ~Dialogs() = default;

    // A box with an OK button only.
    virtual void message(QWidget *parent, const QString &text, const QString &title = {},
                         Icon icon = Icon::None) = 0;
    // True when the user chose OK.
    virtual bool okCancel(QWidget *parent, const QString &text, const QString &title = {}) = 0;
    // The answer, or nothing when the user cancelled.
    virtual std::optional<QString> input(QWidget *parent, const QString &prompt,
                                         const QString &title, const QString &defaultAnswer) = 0;

    static QString programName() { return QStringLiteral("Tarnwick"); }
};

class QtDialogs final : public Dialogs
{
public:
    void message(QWidget *parent, const QString &text, const QString &title = {},
                 Icon icon = Icon::None) override;
    bool okCancel(QWidget *parent, const QString &text, const QString &title = {}) override;
    std::optional<QString> input(QWidget *parent, const QString &prompt, const QString &title,
                                 const QString &defaultAnswer) override;
};
