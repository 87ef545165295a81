#include "documentwindow.h"

#include "common/busywork.h"
#include "common/geometry.h"
#include "common/pathtext.h"
#include "common/workerthread.h"
#include "editor/documentdrop.h"
#include "editor/fontnames.h"
#include "editor/selectionformat.h"
#include "editor/textarea.h"
#include "editor/toolbaricons.h"
#include "find/finddialog.h"
#include "platform/dialogs.h"
#include "platform/keyboardindicators.h"
#include "platform/platform.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QStatusBar>
#include <QTextDocument>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

constexpr int InnerWidth = 11850;
constexpr int InnerHeight = 6870;

QLabel *panel(const QString &text, const char *name, int widthTwips, QStatusBar *bar)
{
    auto *label = new QLabel(text, bar);
    label->setObjectName(QLatin1String(name));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(twips(widthTwips));
    bar->addPermanentWidget(label);
    return label;
}

// A plain widget that is a window is announced as a mere filler; this one is a window.
QAccessibleInterface *accessibleWindow(const QString &className, QObject *object)
{
    if (className == QLatin1String(DocumentWindow::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

// A file this long is read in a thread of its own; one below it takes a few milliseconds.
constexpr qint64 OpenInWorker = 1'000'000;

} // namespace

// A long file being read and made into a document, away from the window's thread.
struct DocumentWindow::Opening
{
    QString path;
    QString name;
    DocumentWindow::Changes changes = DocumentWindow::Changes::Ask;
    Status read;
    FileStamp stamp;
    CodePage::Encoding encoding;
    std::unique_ptr<QTextDocument> document;
    std::unique_ptr<BusyWork> busy;
    std::unique_ptr<WorkerThread> worker;
};

DocumentWindow::~DocumentWindow() = default;

DocumentWindow::DocumentWindow(Platform &platform, SaveTarget saveTarget, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_platform(platform)
    , m_saveTarget(std::move(saveTarget))
    , m_encoding(CodePage::systemEncoding())
{
    startWindow(this, QStringLiteral("frmDokument"), QStringLiteral("Form1"));
    static const bool announcedAsWindow = (QAccessible::installFactory(accessibleWindow), true);
    Q_UNUSED(announcedAsWindow);

    m_text = place(new TextArea(this), QStringLiteral("rtfText"), twipsRect(0, 800, 0, 0));
    m_text->document()->setDefaultFont(dialogFont(8.25));
    buildToolBar();
    buildFontBoxes();
    buildStatusBar();
    ::setTabOrder({m_text, m_fontSize, m_fontName});
    nameForScreenReaders(m_text, tr("Document text"));
    nameForScreenReaders(m_fontName, tr("Font name"));
    nameForScreenReaders(m_fontSize, tr("Font size"));

    m_text->viewport()->installEventFilter(this);
    // A keystroke moves the caret and may change the selection: the line is shown once, when
    // the keystroke's work is done.
    auto *lineNumberDue = new QTimer(this);
    lineNumberDue->setSingleShot(true);
    lineNumberDue->setInterval(0);
    connect(lineNumberDue, &QTimer::timeout, this, &DocumentWindow::showLineNumber);
    const auto showLater = [lineNumberDue] {
        lineNumberDue->start();
    };
    connect(m_text, &QTextEdit::cursorPositionChanged, lineNumberDue, showLater);
    connect(m_text, &QTextEdit::selectionChanged, lineNumberDue, showLater);
    connect(m_text, &TextArea::overwriteModeToggled, this, &DocumentWindow::updateIndicators);

    resize(twips(InnerWidth), twips(InnerHeight));
    centerOnScreen(this);
    m_text->setFocus();
}

void DocumentWindow::buildToolBar()
{
    m_toolBar =
        place(new QToolBar(this), QStringLiteral("tbToolBar"), twipsRect(0, 0, InnerWidth, 360));
    m_toolBar->setIconSize(QSize(16, 16));
    // The buttons are 22 of the toolbar's 24 pixels high; the style's margins would cut them.
    m_toolBar->layout()->setContentsMargins(1, 1, 1, 1);
    addButton(QStringLiteral("New"), tr("New", "tool tip"));
    addButton(QStringLiteral("Open"), tr("Open", "tool tip"));
    QAction *save = addButton(QStringLiteral("Save"), tr("Save", "tool tip"));
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, &DocumentWindow::saveDocument);
    m_toolBar->addSeparator();
    addButton(QStringLiteral("Print"), tr("Print", "tool tip"));
    addButton(QStringLiteral("Preview"), tr("Print Preview"));
    m_toolBar->addSeparator();
    connect(addButton(QStringLiteral("Cut"), tr("Cut", "tool tip")), &QAction::triggered, m_text,
            &TextArea::cutPlain);
    connect(addButton(QStringLiteral("Copy"), tr("Copy", "tool tip")), &QAction::triggered, m_text,
            &TextArea::copyPlain);
    connect(addButton(QStringLiteral("Paste"), tr("Paste", "tool tip")), &QAction::triggered, this,
            [this] { m_text->pasteText(QApplication::clipboard()->text()); });
    m_toolBar->addSeparator();

    struct Style
    {
        const char *key;
        const char *tip;
        QKeySequence::StandardKey shortcut;
        std::function<bool(const QTextCharFormat &)> has;
        std::function<void(QTextCharFormat &, bool)> set;
    };
    const Style styles[] = {
        {"Bold", QT_TR_NOOP("Bold"), QKeySequence::Bold,
         [](const QTextCharFormat &f) { return f.fontWeight() >= QFont::Bold; },
         [](QTextCharFormat &f, bool on) {
             f.setFontWeight(on ? QFont::Bold : QFont::Normal);
         }},
        {"Italic", QT_TR_NOOP("Italic"), QKeySequence::Italic,
         [](const QTextCharFormat &f) { return f.fontItalic(); },
         [](QTextCharFormat &f, bool on) {
             f.setFontItalic(on);
         }},
        {"Underline", QT_TR_NOOP("Underline"), QKeySequence::Underline,
         [](const QTextCharFormat &f) { return f.fontUnderline(); },
         [](QTextCharFormat &f, bool on) {
             f.setFontUnderline(on);
         }},
    };
    for (const Style &style : styles) {
        QAction *button = addButton(QLatin1String(style.key), tr(style.tip));
        button->setCheckable(true);
        button->setShortcut(style.shortcut);
        connect(button, &QAction::triggered, this,
                [=, this] { toggleFormat(button, style.has, style.set); });
    }
    m_toolBar->addSeparator();

    auto *alignment = new QActionGroup(this);
    // The word processors' keys, so that every button of the toolbar has one.
    struct Alignment
    {
        const char *key;
        const char *tip;
        Qt::Alignment align;
        QKeyCombination shortcut;
    };
    const Alignment alignments[] = {
        {"Align Left", QT_TR_NOOP("Align Left"), Qt::AlignLeft, Qt::CTRL | Qt::Key_L},
        {"Center", QT_TR_NOOP("Center"), Qt::AlignHCenter, Qt::CTRL | Qt::Key_E},
        {"Align Right", QT_TR_NOOP("Align Right"), Qt::AlignRight, Qt::CTRL | Qt::Key_R}};
    for (const auto &[key, tip, align, shortcut] : alignments) {
        QAction *button = addButton(QLatin1String(key), tr(tip));
        button->setCheckable(true);
        button->setShortcut(shortcut);
        alignment->addAction(button);
        connect(button, &QAction::triggered, this,
                [this, align] { m_text->setAlignment(align | Qt::AlignAbsolute); });
    }
    m_toolBar->addSeparator();
    QAction *find = addButton(QStringLiteral("Find"), tr("Find", "tool tip"));
    find->setShortcut(QKeySequence::Find);
    connect(find, &QAction::triggered, this, &DocumentWindow::showFind);
    // Shown when the window is too narrow for every button; Qt names it so.
    if (auto *more = m_toolBar->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(tr("More buttons"));
}

QAction *DocumentWindow::addButton(const QString &key, const QString &tip)
{
    QAction *button =
        m_toolBar->addAction(ToolbarIcons::icon(key, m_toolBar->palette()), QString());
    button->setObjectName(key);
    button->setToolTip(tip);
    // A picture alone; screen readers say the tooltip's words.
    m_toolBar->widgetForAction(button)->setAccessibleName(tip);
    m_toolBar->widgetForAction(button)->setFixedSize(twips(345), twips(330));
    // Shortcuts answer while the text area has the focus, not only the toolbar.
    button->setShortcutContext(Qt::WindowShortcut);
    addAction(button);
    return button;
}

void DocumentWindow::toggleFormat(QAction *button,
                                  const std::function<bool(const QTextCharFormat &)> &has,
                                  const std::function<void(QTextCharFormat &, bool)> &set)
{
    // A selection that is only partly bold becomes bold as a whole.
    const bool on = !SelectionFormat::all(m_text->textCursor(), has);
    QTextCharFormat format;
    set(format, on);
    m_text->mergeCurrentCharFormat(format);
    button->setChecked(SelectionFormat::all(m_text->textCursor(), has));
}

void DocumentWindow::buildFontBoxes()
{
    const auto box = [this](const char *name, const QRect &geometry) {
        auto *combo = place(new QComboBox(this), QLatin1String(name), geometry);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        // Typing in the box acts on nothing; only an entry chosen from the list does. The box
        // would otherwise choose the entry that matches the typed text once editing finishes.
        disconnect(combo->lineEdit(), &QLineEdit::editingFinished, combo, nullptr);
        // The window's shortcuts hold here too; the line edit would take Ctrl+U for itself.
        combo->installEventFilter(this);
        return combo;
    };
    m_fontName = box("cmbFontName", twipsRect(0, 360, 1935, 315));
    m_fontSize = box("cmbFontSize", twipsRect(2040, 360, 735, 315));
    m_fontName->addItems(FontNames::families(QFontDatabase::families()));
    for (int size = 5; size <= 72; ++size)
        m_fontSize->addItem(QLatin1Char(' ') + QString::number(size));
    // Filling a list chose its first entry; until a preset matches, each shows its name.
    for (QComboBox *combo : {m_fontName, m_fontSize}) {
        combo->setCurrentIndex(-1);
        combo->setEditText(combo->objectName());
    }
    connect(m_fontName, &QComboBox::activated, this, &DocumentWindow::fontNameChosen);
    connect(m_fontSize, &QComboBox::activated, this, &DocumentWindow::fontSizeChosen);

    // Preset from the insertion point, as a choice of the user would be.
    const QFont font = m_text->currentCharFormat().font();
    const int name = m_fontName->findText(font.family(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (name >= 0) {
        m_fontName->setCurrentIndex(name);
        fontNameChosen(name);
    }
    const int whole = int(std::floor(font.pointSizeF()));
    const int size = m_fontSize->findText(QLatin1Char(' ') + QString::number(whole));
    if (size >= 0) {
        m_fontSize->setCurrentIndex(size);
        fontSizeChosen(size);
    }
}

void DocumentWindow::fontNameChosen(int index)
{
    QTextCharFormat format;
    format.setFontFamilies({m_fontName->itemText(index)});
    m_text->mergeCurrentCharFormat(format);
}

void DocumentWindow::fontSizeChosen(int index)
{
    QTextCharFormat format;
    format.setFontPointSize(m_fontSize->itemText(index).trimmed().toDouble());
    m_text->mergeCurrentCharFormat(format);
}

bool DocumentWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text->viewport())
        return filterDrop(event);
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
        for (const QAction *action : actions()) {
            if (action->shortcuts().contains(pressed)) {
                event->ignore();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool DocumentWindow::filterDrop(QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    // Files from a file manager are never pasted into the text as their names.
    const QList<QUrl> urls = drop->mimeData()->urls();
    if (!DocumentDrop::holdsFiles(urls))
        return false;
    // A copy: a move would let the file manager delete the file. A drop that opens nothing is
    // taken too, so that the user hears why.
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type != QEvent::Drop)
        return true;
    const Result<QString> path = DocumentDrop::document(urls);
    if (!path) {
        m_platform.dialogs.message(this, path.reason(), {}, Dialogs::Icon::Warning);
        return true;
    }
    // Asked here, before the main window shows the file; the opening then asks no more.
    if (mayOpenOver(QFileInfo(*path).fileName()))
        emit fileDropped(*path);
    return true;
}

void DocumentWindow::buildStatusBar()
{
    auto *bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("sbStatusBar"));
    m_statusBar = bar;
    m_status = new QLabel(tr("Status", "status bar panel"), bar);
    m_status->setObjectName(QStringLiteral("Text"));
    m_status->setMinimumWidth(twips(2500));
    bar->addWidget(m_status, 1);
    m_caps = panel(tr("CAPS", "Caps Lock indicator"), "Caps", 600, bar);
    m_insert = panel(tr("INS", "Insert key indicator"), "Ins", 600, bar);
    m_num = panel(tr("NUM", "Num Lock indicator"), "Num", 600, bar);
    m_date = panel({}, "Date", 900, bar);
    m_time = panel({}, "Time", 855, bar);
    // The status bar keeps its own panels current, as long as the window is open.
    auto *clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, &DocumentWindow::updateIndicators);
    clock->start(500);
    updateIndicators();
}

void DocumentWindow::updateIndicators()
{
    const KeyboardIndicators::State keys = m_platform.keyboard.state();
    m_caps->setEnabled(keys.capsLock);
    m_num->setEnabled(keys.numLock);
    m_insert->setEnabled(m_text->overwriteMode());
    const QDateTime now = QDateTime::currentDateTime();
    m_date->setText(QLocale::system().toString(now.date(), QLocale::ShortFormat));
    m_time->setText(QLocale::system().toString(now.time(), QLocale::ShortFormat));
}

void DocumentWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_toolBar->setGeometry(0, 0, width(), twips(360));
    m_statusBar->setGeometry(0, height() - twips(375), width(), twips(375));
    // Each step is skipped where it would go negative: minimised, or made very small.
    const int innerWidth = width() * 15;
    const int innerHeight = height() * 15;
    int textWidth = m_text->width() * 15;
    if (innerWidth - 5 >= 0 && innerHeight - 1200 >= 0) {
        textWidth = innerWidth - 5;
        m_text->setGeometry(twipsRect(0, 800, textWidth, innerHeight - 1200));
    }
    if (textWidth - 400 >= 0)
        m_text->setRightMargin(twips(textWidth - 400));
}

void DocumentWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        showLineNumber();
    // The desktop switched between a light and a dark theme: our pictures take its colours.
    // The window hears of it before its children take the new palette: ask its own.
    if (event->type() == QEvent::PaletteChange && m_toolBar) {
        for (QAction *button : m_toolBar->actions()) {
            if (!button->isSeparator())
                button->setIcon(ToolbarIcons::icon(button->objectName(), palette()));
        }
    }
}

void DocumentWindow::closeEvent(QCloseEvent *event)
{
    if (mayDiscardChanges(tr("The document has changes that are not saved. Close it and lose "
                             "them?")))
        event->accept();
    else
        event->ignore();
}

bool DocumentWindow::mayDiscardChanges(const QString &question)
{
    return !m_text->document()->isModified()
           || m_platform.dialogs.okCancel(this, question, windowTitle());
}

bool DocumentWindow::mayOpenOver(const QString &name)
{
    return mayDiscardChanges(
        tr("The document has changes that are not saved. Open %1 and lose them?").arg(name));
}

bool DocumentWindow::openFile(const QString &path, const QString &name, Changes changes)
{
    if (m_opening)
        return false;
    const QFont font = dialogFont(8.25);
    if (QFileInfo(path).size() < OpenInWorker) {
        FileStamp stamp;
        const Result<QByteArray> bytes = DocumentFile::read(path, &stamp);
        if (!bytes)
            return showOpened(path, name, changes, Failure{bytes.reason()}, stamp, {}, nullptr);
        // Read into a document of its own: the text area then starts on it afresh, with
        // nothing to undo and without laying out the old text once more.
        auto document = std::make_unique<QTextDocument>();
        document->setDefaultFont(font);
        const CodePage::Encoding encoding = DocumentFile::load(*bytes, *document);
        return showOpened(path, name, changes, {}, stamp, encoding, std::move(document));
    }
    m_opening = std::make_unique<Opening>();
    Opening &opening = *m_opening;
    opening.path = path;
    opening.name = name;
    opening.changes = changes;
    opening.busy = std::make_unique<BusyWork>(isVisible() ? this : parentWidget(),
                                              tr("Opening %1...").arg(name));
    QThread *const here = QThread::currentThread();
    opening.worker = std::make_unique<WorkerThread>(
        this,
        [&opening, font, here](const std::atomic_bool &) {
            try {
                const Result<QByteArray> bytes = DocumentFile::read(opening.path, &opening.stamp);
                if (!bytes) {
                    opening.read = Failure{bytes.reason()};
                    return;
                }
                auto document = std::make_unique<QTextDocument>();
                document->setDefaultFont(font);
                opening.encoding = DocumentFile::load(*bytes, *document);
                document->moveToThread(here);
                opening.document = std::move(document);
            } catch (const std::bad_alloc &) {
                opening.read = Failure{tr("there is not enough memory for it")};
            }
        },
        [this] {
            const std::unique_ptr<Opening> opened = std::move(m_opening);
            opened->busy.reset();
            const bool shown =
                showOpened(opened->path, opened->name, opened->changes, opened->read, opened->stamp,
                           opened->encoding, std::move(opened->document));
            if (!shown && !isVisible())
                deleteLater();
        });
    return true;
}

bool DocumentWindow::showOpened(const QString &path, const QString &name, Changes changes,
                                const Status &read, const FileStamp &stamp,
                                CodePage::Encoding encoding,
                                std::unique_ptr<QTextDocument> document)
{
    if (!read || !document) {
        m_platform.dialogs.message(
            this,
            tr("The file %1 cannot be opened: %2.")
                .arg(PathText::native(path), read ? tr("it could not be read") : read.reason()),
            {}, Dialogs::Icon::Warning);
        return false;
    }
    if (changes == Changes::Ask && !mayOpenOver(name))
        return false;
    setWindowTitle(name);
    m_encoding = encoding;
    m_origin = {path, stamp};
    document->setParent(m_text);
    m_text->showDocument(document.release());
    show();
    raise();
    activateWindow();
    showLineNumber();
    return true;
}

void DocumentWindow::saveDocument()
{
    const Result<QString> target = m_saveTarget();
    if (!target)
        return m_platform.dialogs.message(this, target.reason(), {}, Dialogs::Icon::Warning);
    const auto failed = [&](const QString &shown, const QString &why) {
        m_platform.dialogs.message(this, tr("The file %1 could not be saved: %2.").arg(shown, why),
                                   {}, Dialogs::Icon::Warning);
    };
    const Result<QString> file = DocumentFile::saveTarget(*target);
    if (!file)
        return failed(PathText::native(*target), file.reason());
    // Through a link, the questions name the file that is written.
    const QString shown = PathText::native(*file);
    QString question = tr("Save file and overwrite?") + QLatin1Char('\n') + shown;
    if (*file != *target)
        question += QLatin1Char('\n') + tr("(%1 is a link to it)").arg(PathText::native(*target));
    if (!m_platform.dialogs.okCancel(this, question, tr("Save file...")))
        return;
    if (m_origin.changedOnDisk(*file)
        && !m_platform.dialogs.okCancel(this,
                                        tr("The file %1 was changed on disk after it was opened. "
                                           "Save file and overwrite those changes?")
                                            .arg(shown),
                                        tr("Save file...")))
        return;
    const Status saved = [&] {
        const WaitCursor busy;
        return DocumentFile::save(*m_text->document(), *file, m_encoding, &m_origin);
    }();
    if (!saved)
        return failed(shown, saved.reason());
    m_text->document()->setModified(false);
}

void DocumentWindow::showLineNumber()
{
    const int start = m_text->textCursor().selectionStart();
    const qint64 line = start > 0 ? m_text->lineOf(start) : 0;
    m_status->setText(tr("Line Number: %1").arg(line + 1));
}

void DocumentWindow::showFind()
{
    FindDialog::showFor(m_find, *m_text, m_platform.dialogs, this);
}
