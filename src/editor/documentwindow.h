#pragma once

#include "editor/documentfile.h"
#include "platform/result.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class FindDialog;
class QAction;
class QComboBox;
class QLabel;
class QTextDocument;
class QTextCharFormat;
class QToolBar;
class TextArea;
struct Platform;

// The editor's document window: a toolbar, the font boxes, the rich-text area and a status bar
// whose first panel shows the caret's line. The program has one; it is made when a file is
// first opened and made again after it was closed.
class DocumentWindow final : public QWidget
{
    Q_OBJECT
public:
    // Where Save writes: the path field's path at that moment, or why there is none.
    using SaveTarget = std::function<Result<QString>()>;

    DocumentWindow(Platform &platform, SaveTarget saveTarget, QWidget *parent = nullptr);
    ~DocumentWindow() override;

    // Opens a file, asking first when unsaved changes would be lost, and shows the window with
    // the file's name as its caption. False when nothing was opened: the user kept the changes,
    // or the file could not be read (then a message says why). A long file is read in a thread
    // of its own while a progress dialog shows: then true at once, and what is said above
    // follows once it is read; a window that was never shown then goes. With
    // Changes::AlreadyLetGo the user has been asked already (a drop asks before it opens).
    enum class Changes { Ask, AlreadyLetGo };
    bool openFile(const QString &path, const QString &name, Changes changes = Changes::Ask);

    // Writes the text to the save target after asking; a failure is reported, and neither the
    // file on disk nor the document changes.
    void saveDocument();
    // Puts the line of the selection's start, counted from 1, into the status line.
    void showLineNumber();

    TextArea *textArea() const { return m_text; }

signals:
    // A .txt or .rtf file was dropped onto the text, and the user let unsaved changes go.
    void fileDropped(const QString &path);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildToolBar();
    void buildFontBoxes();
    void buildStatusBar();
    QAction *addButton(const QString &key, const QString &tip);
    void toggleFormat(QAction *button, const std::function<bool(const QTextCharFormat &)> &has,
                      const std::function<void(QTextCharFormat &, bool)> &set);
    void fontNameChosen(int index);
    void fontSizeChosen(int index);
    void showFind();
    void updateIndicators();
    // True when there are no unsaved changes, or the user lets them go.
    bool mayDiscardChanges(const QString &question);
    // The same before another file takes the document's place.
    bool mayOpenOver(const QString &name);
    // The end of opening: tells why nothing could be read, or shows what was.
    bool showOpened(const QString &path, const QString &name, Changes changes, const Status &read,
                    const FileStamp &stamp, CodePage::Encoding encoding,
                    std::unique_ptr<QTextDocument> document);
    // A drop of files from a file manager; other drops are the text area's own.
    bool filterDrop(QEvent *event);

    Platform &m_platform;
    SaveTarget m_saveTarget;
    CodePage::Encoding m_encoding;
    FileOrigin m_origin;
    QToolBar *m_toolBar = nullptr;
    QComboBox *m_fontName = nullptr;
    QComboBox *m_fontSize = nullptr;
    TextArea *m_text = nullptr;
    QWidget *m_statusBar = nullptr;
    QLabel *m_status = nullptr;
    QLabel *m_caps = nullptr;
    QLabel *m_insert = nullptr;
    QLabel *m_num = nullptr;
    QLabel *m_date = nullptr;
    QLabel *m_time = nullptr;
    QPointer<FindDialog> m_find;
    struct Opening;
    std::unique_ptr<Opening> m_opening; // a long file being read
};
