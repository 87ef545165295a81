#include "doubles.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

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
