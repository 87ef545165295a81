// Starts as the program does and ends the moment the first window shows: the about box for
// the program, an empty dialog for the floor (--floor), and one with a line of text in it
// (--floor-text), which is what any window with text costs. The start-up benchmark times it.
#include "app/program.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLabel>

#include <cstdlib>
#include <cstring>

namespace {

// Ends the process once the window's show has been handled; no clean-up is timed.
class EndAtShow final : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType())
            QMetaObject::invokeMethod(
                qApp, [] { std::_Exit(0); }, Qt::QueuedConnection);
        return false;
    }
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
