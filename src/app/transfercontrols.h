#pragma once

#include <QObject>

class FileList;
class PathField;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;
class TransferQueue;
struct Platform;
struct ProgramValues;

// Transmit, receive and the receive list of the main window: the handlers of the transfer
// buttons, "Add to list", "Clear list" and the Portfolio file field.
class TransferControls final : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        FileList *file1 = nullptr;
        PathField *dateiname = nullptr;
        QPushButton *command1 = nullptr; // Transmit
        QPushButton *command2 = nullptr; // Receive
        QComboBox *pofoDrive = nullptr;
        QLineEdit *pofoFolder = nullptr;
        QLineEdit *pofoFile = nullptr;
        QPushButton *command3 = nullptr; // Add to list
        QListWidget *list1 = nullptr;
        QPushButton *command4 = nullptr; // Clear list
    };

    // Connects the controls; window is the owner of messages.
    TransferControls(const Controls &controls, Platform &platform, const ProgramValues &values,
                     TransferQueue &transfers, QWidget *window);

private:
    void transmit();
    void receive();
    void addToList();
    void clearList();
    void fileFieldChanged();
    void setListEnabled(bool enabled);
    void refuse(const QString &message);
    QString fieldsPath() const;

    Controls m_c;
    Platform &m_platform;
    const ProgramValues &m_values;
    TransferQueue &m_transfers;
    QWidget *m_window;
};
