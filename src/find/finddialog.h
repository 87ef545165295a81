#pragma once

#include "find/textsearch.h"

#include <QDialog>
#include <QPointer>

#include <memory>
#include <vector>

class Dialogs;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTextCursor;
class QTextEdit;
class QWidget;

// The editor's modeless find and replace dialog. It opens collapsed, for finding only; the
// first Replace press expands it. Find's caption shows the stage of a search ("&Find", "&Find
// Next"), Replace's whether the dialog is expanded ("&Replace...", "&Replace").
// The dialog deletes itself when it is closed.
class FindDialog final : public QDialog
{
    Q_OBJECT
public:
    FindDialog(QTextEdit &textArea, Dialogs &dialogs, QWidget *owner);
    ~FindDialog() override;

    // Shows the owner's one dialog: loads it into `instance` when there is none, else only
    // brings the open one forward.
    static FindDialog *showFor(QPointer<FindDialog> &instance, QTextEdit &textArea,
                               Dialogs &dialogs, QWidget *owner);

private:
    void find();
    void replace();
    void replaceAll();
    // Replace All on a long document goes on after the press: the search in a thread of its
    // own, the replacing in steps between which the window repaints.
    void search();
    void searched();
    void startReplacing(QString rawText, std::vector<int> offsets);
    void replaceStep();
    // The busy cursor and the progress dialog, whose Cancel leaves the document as it was.
    void showBusy(const QString &label);
    void endRun();

    // A search starts at the top, or goes on after the occurrence found.
    enum class Stage { FirstSearch, NextSearch };

    // Runs a command while the document is open, else says that it is gone; running out of
    // memory ends it with a message.
    void guarded(void (FindDialog::*command)());
    void setStage(Stage stage);
    QTextEdit &textArea() const;
    TextSearch::Options options() const;
    // Selects the next occurrence from `from` and gives the text area the focus; else tells
    // the user and sets Find back to a first search.
    bool searchFrom(QTextCursor cursor, int from, TextSearch::Options searchOptions);
    void setReplaceEnabled(bool enabled);

    struct Run;
    std::unique_ptr<Run> m_run; // a Replace All that goes on
    QPointer<QTextEdit> m_textArea;
    Stage m_stage = Stage::FirstSearch;
    bool m_expanded = false;
    Dialogs &m_dialogs;
    QComboBox *m_cboFind = nullptr;
    QComboBox *m_cboReplace = nullptr;
    QLabel *m_lblReplace = nullptr;
    QPushButton *m_cmdFind = nullptr;
    QPushButton *m_cmdReplace = nullptr;
    QPushButton *m_cmdReplaceAll = nullptr;
    QCheckBox *m_chkWholeWord = nullptr;
    QCheckBox *m_chkMatchCase = nullptr;
};
