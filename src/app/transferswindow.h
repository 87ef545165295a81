#pragma once

#include <QDialog>

class Dialogs;
class QTreeWidget;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class TransferQueue;

// Every tool run of the program's life, its state, and what the tool printed. Modeless, and
// with no owner: it stays while runs go on after the main window has closed.
class TransfersWindow final : public QDialog
{
    Q_OBJECT
public:
    TransfersWindow(TransferQueue &transfers, Dialogs &dialogs);

    // Asks first while runs wait or run; OK stops them.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void fill();
    void showState(int index);
    void followRunning();
    void showOutput();
    int currentRow() const;
    void setCurrentRow(int row);
    void stop();
    bool mayClose();

    TransferQueue &m_transfers;
    Dialogs &m_dialogs;
    QTreeWidget *m_runs = nullptr;
    QPlainTextEdit *m_output = nullptr;
    QPushButton *m_stop = nullptr;
    QTimer *m_refresh = nullptr;
    bool m_follow = true;    // the output follows the running run until the user picks another
    bool m_choosing = false; // the window itself moves the selection
    int m_shown = -1;
    quint64 m_shownVersion = 0;
};
