#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The drives of the PC: drive letters on Windows, mounted volumes elsewhere.
class Volumes
{
public:
    struct Volume
    {
        QString root; // the folder the drive opens at
        QString text; // as the drive list writes it
    };

    virtual ~Volumes() = default;

    // The drives the drive list offers, in its order.
    virtual QList<Volume> list() const = 0;
    // True for the root of a drive or of any mounted file system: such a folder is never
    // deleted, nor are the files directly in it.
    virtual bool isRoot(const QString &path) const = 0;
    // The root of the drive that holds a path, also one that does not exist (yet); empty when
    // no drive holds it.
    virtual QString rootOf(const QString &path) const = 0;
    // The user's home folder, which need not exist.
    virtual QString home() const = 0;

    // Of the roots, as given, the nearest one above an absolute path or the path itself (roots
    // sit inside each other); empty when none holds it.
    static QString nearestRoot(const QStringList &roots, const QString &path);
};

// The system's own: "c: [LABEL]" on Windows; elsewhere the mounted volumes of real devices
// and the one that holds the home folder, each as its mount point with the label behind it.
class SystemVolumes final : public Volumes
{
public:
    // A file system as the system's mount table lists it.
    struct Mount
    {
        QString device; // "/dev/sdb1" for a real device, "proc", "tmpfs" and so on otherwise
        QString root;
        QString label;
        bool ready = true;
        // The folder of the file system that is mounted there: "/", or a subfolder for a
        // bind mount, which shows a folder of another drive once more and is no drive itself.
        QString mountedFolder = QStringLiteral("/");
    };
    // Read afresh at every question: drives come and go.
    using MountTable = std::function<QList<Mount>()>;

    // The system's mount table and the user's home folder.
    SystemVolumes();
    SystemVolumes(MountTable mounts, std::function<QString()> home);

    // The mounted folder of each mount point as a mount table in the form of Linux's
    // /proc/self/mountinfo lists them: the fourth and fifth fields of each line. Where one
    // point is mounted over another, the last one counts.
    static QHash<QString, QString> mountedFolders(const QByteArray &mountInfo);

    QList<Volume> list() const override;
    bool isRoot(const QString &path) const override;
    QString rootOf(const QString &path) const override;
    QString home() const override { return m_home(); }

private:
    MountTable m_mounts;
    std::function<QString()> m_home;
};
