#pragma once

#include <QList>
#include <QString>

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
};

// The system's own: "c: [LABEL]" on Windows; elsewhere the mounted volumes of real devices
// and the one that holds the home folder, each as its mount point with the label behind it.
class SystemVolumes final : public Volumes
{
public:
    QList<Volume> list() const override;
    bool isRoot(const QString &path) const override;
};
