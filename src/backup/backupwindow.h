#pragma once

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;
struct Platform;
struct ProgramValues;
class TransferQueue;

// The backup wizard: up to eight Portfolio folders fetched whole into one PC folder.
// The folder boxes are named Text1_0 to Text1_7; only the first is shown when the window
// opens, and "Add more" (Add) shows the next one and moves level with it.
class BackupWindow final : public QDialog
{
    Q_OBJECT
public:
    static constexpr int FolderBoxes = 8;

    BackupWindow(Platform &platform, const ProgramValues &values, TransferQueue &transfers,
                 QWidget *parent = nullptr);

private:
    void addFolderBox();
    void startBackup();

    Platform &m_platform;
    const ProgramValues &m_values;
    TransferQueue &m_transfers;
    std::array<QLineEdit *, FolderBoxes> m_text1{};
    QLineEdit *m_text7 = nullptr;
    QPushButton *m_add = nullptr;
    // Folder boxes shown beyond the first; also the index of the last one shown.
    int m_extraBoxes = 0;
};
