#include "doubles.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

void RecordingDialogs::message(QWidget *, const QString &text, const QString &title, Icon icon)
{
    boxes.append({QStringLiteral("message"), text, title, icon, {}});
}

bool RecordingDialogs::okCancel(QWidget *, const QString &text, const QString &title)
{
    boxes.append({QStringLiteral("okCancel"), text, title, Icon::None, {}});
    return okCancelAnswers.isEmpty() ? false : okCancelAnswers.takeFirst();
}

std::optional<QString> RecordingDialogs::input(QWidget *, const QString &prompt,
                                               const QString &title, const QString &defaultAnswer)
{
    boxes.append({QStringLiteral("input"), prompt, title, Icon::None, defaultAnswer});
    return inputAnswers.isEmpty() ? std::nullopt : inputAnswers.takeFirst();
}

QStringList RecordingDialogs::kinds() const
{
    QStringList kinds;
    for (const Box &box : boxes)
        kinds << box.kind;
    return kinds;
}

QStringList RecordingDialogs::texts() const
{
    QStringList texts;
    for (const Box &box : boxes)
        texts << box.text;
    return texts;
}

Status RecordingToolRunner::start(const QString &commandLine)
{
    attempted.append(commandLine);
    if (failing.contains(commandLine))
        return Failure{QStringLiteral("scripted failure")};
    started.append(commandLine);
    QTimer::singleShot(0, this, [this] { emit finished(0, false); });
    return {};
}

void onNextModal(std::function<void(QWidget *modal)> action)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        timer->stop();
        timer->deleteLater();
        action(modal);
    });
    timer->start();
}
