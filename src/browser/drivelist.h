#pragma once

#include <QComboBox>

class Volumes;

// The drives of the PC: drive letters on Windows, mounted volumes of real devices elsewhere.
// Its text is the volume's root with its label behind it, such as "c: [SYSTEM]" or "/home [data]".
class DriveList final : public QComboBox
{
    Q_OBJECT
public:
    explicit DriveList(const Volumes &volumes, QWidget *parent = nullptr);

    // The drive as the list writes it.
    QString drive() const { return currentText(); }
    // Picks the drive a text names; only its root counts. False when no such drive is listed.
    bool setDrive(const QString &text);
    // The root of the listed drive that holds a path, or empty.
    QString rootOf(const QString &path) const;

    // Lists the volumes again, staying on the current one when it is still there.
    void refresh();
    // True while a drive change comes from the user's choice rather than from setDrive().
    bool changedByUser() const { return !m_settingByProgram; }

signals:
    // The user or the program picked another drive.
    void driveChanged(const QString &root);

protected:
    // Volumes come and go: the list is read again each time it opens.
    void showPopup() override;

private:
    int indexOfDrive(const QString &text) const;

    const Volumes &m_volumes;
    QString m_root;
    bool m_settingByProgram = false;
};
