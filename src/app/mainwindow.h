#pragma once

#include "editor/documentwindow.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class DriveList;
class FileList;
class FolderList;
class PathField;
class PcBrowser;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class TransferQueue;
class TransfersWindow;
struct Platform;
struct ProgramValues;

// The main window: the PC panel, the Portfolio panel, the transfer buttons and the menus.
class MainWindow final : public QMainWindow
{
    Q_OBJECT
public:
    // Builds the window and loads the stored settings; the window is not shown yet.
    MainWindow(Platform &platform, ProgramValues &values, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Start-up: the about box shows alone at once; the main window loads behind it and shows
    // when it is closed.
    static std::unique_ptr<MainWindow> start(Platform &platform, ProgramValues &values);
    // The about box, modally; the main window waits until it is closed.
    void showAboutBox();
    void showOptions();
    void showBackup();
    // The Transfers window; opened by a press without taking the focus.
    void showTransfers(bool activate);
    TransferQueue &transfers() { return *m_transfers; }
    // The document window with the file double-clicked in the file list.
    void openDocument(DocumentWindow::Changes changes = DocumentWindow::Changes::Ask);
    // A file dropped onto the document window: the PC panel shows it, then it opens as above.
    void openDropped(const QString &path);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildPcPanel(QWidget *central);
    void buildPortfolioPanel(QWidget *central);
    void buildMenus();
    void setTabOrderOfControls();
    void load();
    void unload();
    void toggleOverwrite();

    Platform &m_platform;
    ProgramValues &m_values;
    bool m_unloaded = false;

    DriveList *m_drive1 = nullptr;
    FolderList *m_dir1 = nullptr;
    FileList *m_file1 = nullptr;
    PathField *m_dateiname = nullptr;
    PcBrowser *m_browser = nullptr;
    QLabel *m_size = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;
    QComboBox *m_pofoDrive = nullptr;
    QLineEdit *m_pofoFolder = nullptr;
    QLineEdit *m_pofoFile = nullptr;
    QPushButton *m_command3 = nullptr;
    QListWidget *m_list1 = nullptr;
    QPushButton *m_command4 = nullptr;

    QAction *m_mnuAtariFiles = nullptr;
    QAction *m_mnuOver = nullptr;
    QMenu *m_mnupoppi = nullptr;
    QPointer<DocumentWindow> m_document;
    TransferQueue *m_transfers = nullptr;
    QPointer<TransfersWindow> m_transfersWindow;
};
