#include "urlopener.h"

#include <QDesktopServices>
#include <QUrl>

void DesktopUrlOpener::open(const QUrl &url)
{
    // The result is not looked at: a missing handler leaves the box as it is.
    QDesktopServices::openUrl(url);
}
