#include "drivelist.h"

#include "common/pathtext.h"
#include "platform/volumes.h"

#include <QDir>

DriveList::DriveList(const Volumes &volumes, QWidget *parent)
    : QComboBox(parent)
    , m_volumes(volumes)
{
    refresh();
    const int start = indexOfDrive(rootOf(QDir::currentPath()));
    setCurrentIndex(start < 0 ? 0 : start);
    m_root = currentData().toString();
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        const QString root = itemData(index).toString();
        if (index < 0 || root == m_root)
            return;
        m_root = root;
        emit driveChanged(root);
    });
}

void DriveList::refresh()
{
    const QSignalBlocker blocker(this);
    clear();
    for (const Volumes::Volume &volume : m_volumes.list())
        addItem(volume.text, volume.root);
    const int index = findData(m_root);
    setCurrentIndex(index < 0 ? 0 : index);
    // A volume that went away is no longer the current one.
    if (index < 0 && count() > 0)
        m_root = currentData().toString();
}

int DriveList::indexOfDrive(const QString &text) const
{
    if (text.isEmpty())
        return -1;
#ifdef Q_OS_WIN
    // Only the letter counts.
    for (int i = 0; i < count(); ++i) {
        if (itemData(i).toString().at(0).toLower() == text.at(0).toLower())
            return i;
    }
    return -1;
#else
    const int exact = findText(text);
    if (exact >= 0)
        return exact;
    const QString path = QDir::cleanPath(text);
    for (int i = 0; i < count(); ++i) {
        const QString root = itemData(i).toString();
        if (path == root || text.startsWith(root + QLatin1String(" [")))
            return i;
    }
    return -1;
#endif
}

bool DriveList::setDrive(const QString &text)
{
    const int index = indexOfDrive(text);
    if (index < 0)
        return false;
    m_settingByProgram = true;
    setCurrentIndex(index);
    m_settingByProgram = false;
    return true;
}

void DriveList::showPopup()
{
    refresh();
    QComboBox::showPopup();
}

QString DriveList::rootOf(const QString &path) const
{
    QStringList roots;
    for (int i = 0; i < count(); ++i)
        roots.append(itemData(i).toString());
    return Volumes::nearestRoot(roots, path);
}
