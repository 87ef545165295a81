// Writes the program's icon into a hicolor icon theme folder, at the sizes desktops ask for:
// tarnwick_icons <folder>
#include "common/artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("icons");
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(out).arg(size);
        const QString file = folder + QStringLiteral("/org.example.tarnwick.png");
        if (!QDir().mkpath(folder) || !Artwork::programImage(size).save(file)) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
