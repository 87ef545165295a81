// Starts as the program does and ends the moment the first window shows: the about box for
// the program, an empty dialog for the floor (--floor), and one with a line of text in it
// (--floor-text), which is what any window with text costs. The start-up benchmark times it.
// A window's children are painted with it, so its first paint ends when all of it is drawn.
#include "app/program.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QWidget>

#include <cstdlib>
#include <cstring>

namespace {

// Ends the process once the window's show has been handled, or with PROBE_UNTIL=paint once it
// has been painted the first time; no clean-up is timed.
class EndAtShow final : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == m_end && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->isWindow())
            QMetaObject::invokeMethod(
                qApp, [] { std::_Exit(0); }, Qt::QueuedConnection);
        return false;
    }

private:
    const QEvent::Type m_end = qgetenv("PROBE_UNTIL") == "paint" ? QEvent::Paint : QEvent::Show;
};

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && std::strncmp(argv[1], "--floor", 7) == 0) {
        QApplication app(argc, argv);
        app.installEventFilter(new EndAtShow);
        QDialog dialog;
        if (std::strcmp(argv[1], "--floor-text") == 0)
            new QLabel(QStringLiteral("Tarnwick"), &dialog);
        return dialog.exec();
    }
    return Program::run(argc, argv,
                        [](QApplication &app) { app.installEventFilter(new EndAtShow); });
}
