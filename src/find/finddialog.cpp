#include "finddialog.h"

#include "common/busywork.h"
#include "common/documentsize.h"
#include "common/geometry.h"
#include "common/workerthread.h"
#include "platform/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <new>
#include <optional>
#include <vector>

namespace {

// The captions that tell the stage of a search, in the language shown.
QString firstSearch()
{
    return FindDialog::tr("&Find");
}
QString nextSearch()
{
    return FindDialog::tr("&Find Next");
}
QString collapsed()
{
    return FindDialog::tr("&Replace...", "expands the dialog");
}
QString expanded()
{
    return FindDialog::tr("&Replace", "replaces the found text");
}

QRect replaceButtonRect(bool expanded)
{
    return twipsRect(4275, expanded ? 150 : 525, 990, 315);
}

// Takes exactly what is typed: no completion from the list, and Enter adds nothing to it.
QComboBox *comboBox(const char *name, int top, QWidget *parent)
{
    auto *box = place(new QComboBox(parent), QLatin1String(name), twipsRect(1245, top, 3015, 315));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    return box;
}

QLabel *label(const QString &caption, const char *name, const QRect &geometry, QWidget *buddy)
{
    auto *label = place(new QLabel(caption, buddy->parentWidget()), QLatin1String(name), geometry);
    label->setBuddy(buddy);
    nameForScreenReaders(buddy, withoutAccessKeys(caption));
    shrinkFontToFit(label);
    return label;
}

// As labels do: the layout was drawn for a narrow font, and on a wider one a caption is made
// just small enough to fit instead of being cut off, but never below 8 points; what still does
// not fit gets room to the right, inside the frame.
QCheckBox *checkBox(const QString &caption, const char *name, int top, QGroupBox *frame)
{
    auto *box =
        place(new QCheckBox(caption, frame), QLatin1String(name), twipsRect(170, top, 1965, 240));
    shrinkFontToFit(box);
    const int widest = frame->contentsRect().right() + 1 - box->x();
    box->resize(std::clamp(box->sizeHint().width(), box->width(), widest), box->height());
    return box;
}

// The layout puts the frame's title on its line; styles that draw the title above the line
// would have the line cross the upper box. The boxes move down inside the line as far as
// needed, keeping clear of each other and of the frame's foot.
void keepInside(const QGroupBox *frame, QWidget *upper, QWidget *lower)
{
    const QRect room = frame->contentsRect();
    upper->move(upper->x(), std::max(upper->y(), room.top()));
    const int below = std::max(lower->y(), upper->geometry().bottom() + 1);
    lower->move(lower->x(), std::min(below, room.bottom() + 1 - lower->height()));
}

QPushButton *button(const QString &caption, const char *name, const QRect &geometry,
                    QWidget *parent)
{
    return place(new QPushButton(caption, parent), QLatin1String(name), geometry);
}

// A Replace All may change every line of a long document. Laying all of them out again before
// the count shows would keep the user waiting seconds; instead the text area lays the document
// out in steps in the background, as it does after loading. A document with a null page size
// is not laid out, and setting the size back starts such a stepwise layout. A change shorter
// than this many characters is laid out at once, in a few milliseconds.
constexpr int LongChange = 100'000;

class LayoutInBackground final
{
public:
    explicit LayoutInBackground(QTextDocument &document)
        : m_document(&document)
        , m_pageSize(document.pageSize())
    {
        m_document->setPageSize(QSizeF(0, 0));
    }
    ~LayoutInBackground()
    {
        if (m_document)
            m_document->setPageSize(m_pageSize);
    }
    LayoutInBackground(const LayoutInBackground &) = delete;
    LayoutInBackground &operator=(const LayoutInBackground &) = delete;

private:
    QPointer<QTextDocument> m_document;
    const QSizeF m_pageSize;
};

// A document this long is searched in a thread of its own, a few milliseconds' work below it.
constexpr qsizetype SearchInWorker = 1'000'000;
// Replacing goes on for this long before the window gets its turn again.
constexpr auto StepTime = std::chrono::milliseconds(40);

} // namespace

// One Replace All from the press to the count.
struct FindDialog::Run
{
    QPointer<QTextDocument> document;
    QString text;
    QString replacement;
    TextSearch::Options options;
    int revision = 0; // the document's when its text was taken for the search
    std::atomic_bool cancelled{false};
    std::atomic_bool outOfMemory{false};
    std::unique_ptr<BusyWork> busy;
    QTimer progress;
    // What the worker hands back.
    QString rawText;
    std::vector<int> found;
    std::atomic<qsizetype> searched{0};
    std::unique_ptr<WorkerThread> worker;
    QTextCursor cursor;
    std::optional<TextSearch::Replacing> replacing;
    std::optional<LayoutInBackground> later;
};

FindDialog::FindDialog(QTextEdit &textArea, Dialogs &dialogs, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                         | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_textArea(&textArea)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(tr("Find..."));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(dialogFont(8.25));
    setFixedSize(twips(5475), twips(1860));

    m_cboFind = comboBox("cboFind", 120, this);
    label(tr("Fin&d What:"), "lblFind", twipsRect(120, 195, 840, 240), m_cboFind);
    m_cboReplace = comboBox("cboReplace", 495, this);
    m_lblReplace =
        label(tr("Replace &With:"), "lblReplace", twipsRect(120, 570, 1065, 240), m_cboReplace);
    m_cmdFind = button(firstSearch(), "cmdFind", twipsRect(4395, 120, 990, 315), this);
    m_cmdFind->setDefault(true);
    auto *cancel = button(tr("Cancel"), "cmdCancel", twipsRect(4395, 495, 990, 315), this);

    auto *bar = place(new QWidget(this), QStringLiteral("picBar"), twipsRect(120, 945, 5340, 915));
    auto *frame = place(new QGroupBox(tr("Search Options"), bar), QStringLiteral("Frame1"),
                        twipsRect(75, 0, 4065, 855));
    frame->ensurePolished();
    m_chkWholeWord = checkBox(tr("Find Whole Word &Only"), "chkWholeWord", 240, frame);
    m_chkMatchCase = checkBox(tr("Match Ca&se"), "chkMatchCase", 550, frame);
    keepInside(frame, m_chkWholeWord, m_chkMatchCase);
    m_cmdReplace = button(collapsed(), "cmdReplace", replaceButtonRect(false), bar);
    m_cmdReplaceAll = button(tr("Replace &All"), "cmdReplaceAll", replaceButtonRect(false), bar);

    m_lblReplace->hide();
    m_cboReplace->hide();
    m_cmdReplaceAll->hide();
    // The list holds the selection as its one item, even an empty one.
    const QString selected = textArea.textCursor().selectedText();
    m_cboFind->addItem(selected);
    m_cboFind->setEditText(selected);

    const auto onClick = [this](QPushButton *button, void (FindDialog::*command)()) {
        connect(button, &QPushButton::clicked, this, [this, command] { guarded(command); });
    };
    onClick(m_cmdFind, &FindDialog::find);
    onClick(m_cmdReplace, &FindDialog::replace);
    onClick(m_cmdReplaceAll, &FindDialog::replaceAll);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    const QList<QWidget *> order = {m_cboFind,      m_cboReplace,   m_cmdFind,    cancel,
                                    m_chkWholeWord, m_chkMatchCase, m_cmdReplace, m_cmdReplaceAll};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    m_cboFind->setFocus();
    centerOnScreen(this);
}

FindDialog::~FindDialog() = default;

FindDialog *FindDialog::showFor(QPointer<FindDialog> &instance, QTextEdit &textArea,
                                Dialogs &dialogs, QWidget *owner)
{
    const bool loaded = instance;
    if (!loaded)
        instance = new FindDialog(textArea, dialogs, owner);
    instance->show();
    if (loaded) {
        instance->raise();
        instance->activateWindow();
    }
    return instance;
}

void FindDialog::guarded(void (FindDialog::*command)())
{
    if (!m_textArea) {
        m_run.reset();
        return m_dialogs.message(this, tr("The document is no longer open."));
    }
    // Running out of memory stops the command where it is; what it did so far stays.
    try {
        (this->*command)();
    } catch (const std::bad_alloc &) {
        m_run.reset();
        m_dialogs.message(this, tr("There is not enough memory to finish the command."));
    }
}

QTextEdit &FindDialog::textArea() const
{
    // Every command runs through guarded(), which has seen it open.
    return *m_textArea;
}

void FindDialog::setStage(Stage stage)
{
    m_stage = stage;
    m_cmdFind->setText(stage == Stage::FirstSearch ? firstSearch() : nextSearch());
}

TextSearch::Options FindDialog::options() const
{
    return {m_chkWholeWord->isChecked(), m_chkMatchCase->isChecked()};
}

void FindDialog::find()
{
    const TextSearch::Options searchOptions = options();
    const bool first = m_stage == Stage::FirstSearch;
    const QTextCursor cursor = textArea().textCursor();
    if (searchFrom(cursor, first ? 0 : cursor.selectionEnd(), searchOptions)) {
        if (first) {
            setReplaceEnabled(true);
            setStage(Stage::NextSearch);
        }
    } else if (!first) {
        setReplaceEnabled(false);
    }
}

void FindDialog::replace()
{
    if (!m_expanded) {
        m_expanded = true;
        m_cmdReplace->setGeometry(replaceButtonRect(true));
        m_cmdReplace->setText(expanded());
        m_lblReplace->show();
        m_cboReplace->show();
        m_cmdReplaceAll->show();
        return;
    }
    const TextSearch::Options searchOptions = options();
    if (m_cboFind->currentText().isEmpty())
        return;
    // Whatever is selected is replaced: after a Find that is the occurrence found.
    QTextCursor cursor = textArea().textCursor();
    cursor.insertText(m_cboReplace->currentText());
    if (!searchFrom(cursor, cursor.position(), searchOptions))
        setReplaceEnabled(false);
}

void FindDialog::replaceAll()
{
    const QString text = m_cboFind->currentText();
    if (text.isEmpty() || m_run)
        return;
    m_run = std::make_unique<Run>();
    m_run->document = textArea().document();
    m_run->text = text;
    m_run->replacement = m_cboReplace->currentText();
    m_run->options = options();
    search();
}

void FindDialog::search()
{
    Run &run = *m_run;
    run.revision = run.document->revision();
    QString raw = run.document->toRawText();
    if (raw.size() < SearchInWorker) {
        std::vector<int> offsets = TextSearch::findAllIn(raw, run.text, run.options);
        return startReplacing(std::move(raw), std::move(offsets));
    }
    if (!run.progress.isActive()) {
        showBusy(tr("Searching..."));
        connect(&run.progress, &QTimer::timeout, this,
                [this] { m_run->busy->setProgress(m_run->searched, m_run->rawText.size()); });
        run.progress.start(100);
    }
    run.rawText = raw;
    run.worker = std::make_unique<WorkerThread>(
        this,
        [&run, raw = std::move(raw)](const std::atomic_bool &stop) {
            try {
                run.found = TextSearch::findAllIn(raw, run.text, run.options, &stop, &run.searched);
            } catch (const std::bad_alloc &) {
                run.found.clear();
                run.outOfMemory = true;
            }
        },
        [this] { guarded(&FindDialog::searched); });
}

void FindDialog::searched()
{
    Run &run = *m_run;
    run.worker.reset();
    if (run.outOfMemory) {
        m_run.reset();
        return m_dialogs.message(this, tr("There is not enough memory to search the document. "
                                          "Nothing was replaced."));
    }
    // Cancelled, nothing changed: the dialog stays as it was before the press.
    if (run.cancelled || !run.document)
        return m_run.reset();
    // The document changed while it was searched: what was found is no longer where it was.
    if (run.document->revision() != run.revision)
        return search();
    startReplacing(std::move(run.rawText), std::move(run.found));
}

void FindDialog::startReplacing(QString rawText, std::vector<int> offsets)
{
    Run &run = *m_run;
    if (offsets.empty())
        return endRun();
    const qint64 grows = qint64(offsets.size()) * (run.replacement.size() - run.text.size());
    if (rawText.size() + grows > DocumentSize::MostCharacters) {
        m_run.reset();
        return m_dialogs.message(
            this, tr("Replacing every occurrence would make the text longer than the %1 million "
                     "characters the editor can hold. Nothing was replaced.")
                      .arg(DocumentSize::MostMegabytes));
    }
    if (offsets.back() - offsets.front() > LongChange)
        run.later.emplace(*run.document);
    run.cursor = textArea().textCursor();
    run.replacing.emplace(std::move(rawText), std::move(offsets), int(run.text.size()),
                          run.replacement);
    replaceStep();
}

void FindDialog::replaceStep()
{
    Run &run = *m_run;
    if (!run.document)
        return endRun();
    if (run.cancelled) {
        // What was replaced so far is one undo step of its own: undone, it leaves nothing to
        // redo either.
        if (run.replacing->made() > 0) {
            run.document->undo();
            run.document->clearUndoRedoStacks(QTextDocument::RedoStack);
        }
        return m_run.reset();
    }
    if (!run.replacing->step(run.cursor, StepTime)) {
        run.progress.stop();
        showBusy(tr("Replacing..."));
        run.busy->setProgress(qint64(run.replacing->made()), qint64(run.replacing->count()));
        QTimer::singleShot(0, this, [this] { guarded(&FindDialog::replaceStep); });
        return;
    }
    const auto count = std::int64_t(run.replacing->count());
    const QTextCursor cursor = run.cursor;
    endRun();
    m_dialogs.message(this, TextSearch::replacedMessage(count));
    // Showing the caret needs the text laid out up to it, so it waits for the count; the
    // document may have been closed meanwhile.
    if (m_textArea)
        m_textArea->setTextCursor(cursor);
}

void FindDialog::showBusy(const QString &label)
{
    if (!m_run->busy) {
        m_run->busy = std::make_unique<BusyWork>(this, label, [this] {
            m_run->cancelled = true;
            if (m_run->worker)
                m_run->worker->requestStop();
        });
    }
    m_run->busy->setLabel(label);
}

void FindDialog::endRun()
{
    m_run.reset();
    setStage(Stage::FirstSearch);
    setReplaceEnabled(false);
}

bool FindDialog::searchFrom(QTextCursor cursor, int from, TextSearch::Options searchOptions)
{
    if (TextSearch::find(cursor, m_cboFind->currentText(), from, searchOptions) < 0) {
        m_dialogs.message(this, tr("Text not found"));
        setStage(Stage::FirstSearch);
        return false;
    }
    QTextEdit &area = textArea();
    area.setTextCursor(cursor);
    area.activateWindow();
    area.setFocus(Qt::OtherFocusReason);
    return true;
}

void FindDialog::setReplaceEnabled(bool enabled)
{
    m_cmdReplace->setEnabled(enabled);
    m_cmdReplaceAll->setEnabled(enabled);
}
