#pragma once

#include <QComboBox>

// The drives of the PC: drive letters on Windows, mounted volumes of real devices elsewhere.
// Its text is the volume's root with its label behind it, such as "c: [SYSTEM]" or "/home [data]".
class DriveList final : public QComboBox
{
    Q_OBJECT
public:
    explicit DriveList(QWidget *parent = nullptr);

    // The drive as the list writes it.
    QString drive() const { return currentText(); }
    // The root folder of the current drive.
    QString root() const;
    // Picks the drive a text names; only its root counts. False when no such drive is listed.
    bool setDrive(const QString &text);
    // The root of the listed drive that holds a path, or empty.
    QString rootOf(const QString &path) const;

    void refresh();

signals:
    // The user or the program picked another drive.
    void driveChanged(const QString &root);

private:
    int indexOfDrive(const QString &text) const;

    QString m_root;
};
