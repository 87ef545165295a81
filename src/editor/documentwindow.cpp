#include "documentwindow.h"

#include "common/geometry.h"
#include "common/pathtext.h"
#include "editor/fontnames.h"
#include "editor/selectionformat.h"
#include "editor/textarea.h"
#include "editor/toolbaricons.h"
#include "find/finddialog.h"
#include "platform/dialogs.h"
#include "platform/keyboardindicators.h"
#include "platform/platform.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QStatusBar>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>

#include <cmath>

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

} // namespace

DocumentWindow::DocumentWindow(Platform &platform, SaveTarget saveTarget, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_platform(platform)
    , m_saveTarget(std::move(saveTarget))
    , m_encoding(DocumentFile::systemEncoding())
{
    setObjectName(QStringLiteral("frmDokument"));
    setWindowTitle(QStringLiteral("Form1"));
    setWindowIcon(ToolbarIcons::drawing(QStringLiteral("New")));
    setFont(dialogFont(8.25));

    m_text = place(new TextArea(this), QStringLiteral("rtfText"), twipsRect(0, 800, 0, 0));
    m_text->document()->setDefaultFont(dialogFont(8.25));
    buildToolBar();
    buildFontBoxes();
    buildStatusBar();
    setTabOrder(m_text, m_fontSize);
    setTabOrder(m_fontSize, m_fontName);

    connect(m_text, &QTextEdit::cursorPositionChanged, this, &DocumentWindow::showLineNumber);
    connect(m_text, &QTextEdit::selectionChanged, this, &DocumentWindow::showLineNumber);
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
    addButton(QStringLiteral("New"), QStringLiteral("New"));
    addButton(QStringLiteral("Open"), QStringLiteral("Open"));
    QAction *save = addButton(QStringLiteral("Save"), QStringLiteral("Save"));
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, &DocumentWindow::saveDocument);
    m_toolBar->addSeparator();
    addButton(QStringLiteral("Print"), QStringLiteral("Print"));
    addButton(QStringLiteral("Preview"), QStringLiteral("Print Preview"));
    m_toolBar->addSeparator();
    connect(addButton(QStringLiteral("Cut"), QStringLiteral("Cut")), &QAction::triggered, m_text,
            &TextArea::cutPlain);
    connect(addButton(QStringLiteral("Copy"), QStringLiteral("Copy")), &QAction::triggered, m_text,
            &TextArea::copyPlain);
    connect(addButton(QStringLiteral("Paste"), QStringLiteral("Paste")), &QAction::triggered, this,
            [this] { m_text->pasteText(QApplication::clipboard()->text()); });
    m_toolBar->addSeparator();

    struct Style
    {
        const char *key;
        QKeySequence::StandardKey shortcut;
        std::function<bool(const QTextCharFormat &)> has;
        std::function<void(QTextCharFormat &, bool)> set;
    };
    const Style styles[] = {
        {"Bold", QKeySequence::Bold,
         [](const QTextCharFormat &f) { return f.fontWeight() >= QFont::Bold; },
         [](QTextCharFormat &f, bool on) {
             f.setFontWeight(on ? QFont::Bold : QFont::Normal);
         }},
        {"Italic", QKeySequence::Italic, [](const QTextCharFormat &f) { return f.fontItalic(); },
         [](QTextCharFormat &f, bool on) {
             f.setFontItalic(on);
         }},
        {"Underline", QKeySequence::Underline,
         [](const QTextCharFormat &f) { return f.fontUnderline(); },
         [](QTextCharFormat &f, bool on) {
             f.setFontUnderline(on);
         }},
    };
    for (const Style &style : styles) {
        QAction *button = addButton(QLatin1String(style.key), QLatin1String(style.key));
        button->setCheckable(true);
        button->setShortcut(style.shortcut);
        connect(button, &QAction::triggered, this,
                [=, this] { toggleFormat(button, style.has, style.set); });
    }
    m_toolBar->addSeparator();

    auto *alignment = new QActionGroup(this);
    const std::pair<const char *, Qt::Alignment> alignments[] = {{"Align Left", Qt::AlignLeft},
                                                                 {"Center", Qt::AlignHCenter},
                                                                 {"Align Right", Qt::AlignRight}};
    for (const auto &[key, align] : alignments) {
        QAction *button = addButton(QLatin1String(key), QLatin1String(key));
        button->setCheckable(true);
        alignment->addAction(button);
        connect(button, &QAction::triggered, this,
                [this, align] { m_text->setAlignment(align | Qt::AlignAbsolute); });
    }
    m_toolBar->addSeparator();
    QAction *find = addButton(QStringLiteral("Find"), QStringLiteral("Find"));
    find->setShortcut(QKeySequence::Find);
    connect(find, &QAction::triggered, this, &DocumentWindow::showFind);
}

QAction *DocumentWindow::addButton(const QString &key, const QString &tip)
{
    QAction *button = m_toolBar->addAction(ToolbarIcons::icon(key), QString());
    button->setObjectName(key);
    button->setToolTip(tip);
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

void DocumentWindow::buildStatusBar()
{
    auto *bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("sbStatusBar"));
    m_statusBar = bar;
    m_status = new QLabel(QStringLiteral("Status"), bar);
    m_status->setObjectName(QStringLiteral("Text"));
    m_status->setMinimumWidth(twips(2500));
    bar->addWidget(m_status, 1);
    m_caps = panel(QStringLiteral("CAPS"), "Caps", 600, bar);
    m_insert = panel(QStringLiteral("INS"), "Ins", 600, bar);
    m_num = panel(QStringLiteral("NUM"), "Num", 600, bar);
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

bool DocumentWindow::openFile(const QString &path, const QString &name)
{
    QString error;
    const std::optional<QByteArray> bytes = DocumentFile::read(path, &error);
    if (!bytes) {
        m_platform.dialogs.message(
            this, tr("The file %1 cannot be opened: %2.").arg(PathText::native(path), error), {},
            Dialogs::Icon::Warning);
        return false;
    }
    if (!mayDiscardChanges(tr("The document has changes that are not saved. Open %1 and lose "
                              "them?")
                               .arg(name)))
        return false;
    setWindowTitle(name);
    // Read into a document of its own: the text area then starts on it afresh, with nothing to
    // undo and without laying out the old text once more.
    auto *document = new QTextDocument(m_text);
    document->setDefaultFont(dialogFont(8.25));
    m_encoding = DocumentFile::load(*bytes, *document);
    m_text->showDocument(document);
    show();
    raise();
    activateWindow();
    showLineNumber();
    return true;
}

void DocumentWindow::saveDocument()
{
    const std::optional<QString> target = m_saveTarget();
    if (!target) {
        m_platform.dialogs.message(this,
                                   tr("The document cannot be saved: the main window, whose path "
                                      "field names the file, is closed."),
                                   {}, Dialogs::Icon::Warning);
        return;
    }
    const QString shown = PathText::native(*target);
    if (!m_platform.dialogs.okCancel(
            this, tr("Save file and overwrite?") + QLatin1Char('\n') + shown, tr("Save file...")))
        return;
    QString error;
    if (!DocumentFile::save(*m_text->document(), *target, m_encoding, &error)) {
        m_platform.dialogs.message(this,
                                   tr("The file %1 could not be saved: %2.").arg(shown, error), {},
                                   Dialogs::Icon::Warning);
        return;
    }
    m_text->document()->setModified(false);
}

void DocumentWindow::showLineNumber()
{
    const int start = m_text->textCursor().selectionStart();
    const qint64 line = start > 0 ? m_text->lineOf(start) : 0;
    m_status->setText(QStringLiteral("Line Number: ") + QString::number(line + 1));
}

void DocumentWindow::showFind()
{
    FindDialog::showFor(m_find, *m_text, m_platform.dialogs, this);
}
