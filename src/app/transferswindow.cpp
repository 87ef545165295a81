#include "transferswindow.h"

#include "common/geometry.h"
#include "platform/dialogs.h"
#include "transfer/transferqueue.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QStringList rowTexts(const TransferQueue::Entry &entry)
{
    return {entry.run.what, TransferQueue::stateText(entry)};
}

} // namespace

TransfersWindow::TransfersWindow(TransferQueue &transfers, Dialogs &dialogs)
    : QDialog(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
    , m_transfers(transfers)
    , m_dialogs(dialogs)
{
    startWindow(this, QStringLiteral("frmTransfers"), tr("Transfers", "window title"));

    auto *runsLabel = new QLabel(tr("&Runs:"), this);
    m_runs = new QTreeWidget(this);
    m_runs->setRootIsDecorated(false);
    m_runs->setUniformRowHeights(true);
    m_runs->setHeaderLabels({tr("Transfer"), tr("State")});
    m_runs->header()->setStretchLastSection(false);
    m_runs->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_runs->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_runs->setObjectName(QStringLiteral("lstRuns"));
    runsLabel->setBuddy(m_runs);
    nameForScreenReaders(m_runs, tr("Runs"));
    auto *outputLabel = new QLabel(tr("&Output of the selected run:"), this);
    m_output = new QPlainTextEdit(this);
    m_output->setObjectName(QStringLiteral("txtOutput"));
    m_output->setReadOnly(true);
    m_output->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_output->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    outputLabel->setBuddy(m_output);
    nameForScreenReaders(m_output, tr("Output of the selected run"));

    m_stop = new QPushButton(tr("&Stop"), this);
    m_stop->setObjectName(QStringLiteral("cmdStop"));
    auto *clear = new QPushButton(tr("C&lear finished"), this);
    clear->setObjectName(QStringLiteral("cmdClear"));
    auto *close = new QPushButton(tr("&Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    for (QPushButton *button : {m_stop, clear, close})
        button->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_stop);
    buttons->addWidget(clear);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(runsLabel);
    layout->addWidget(m_runs, 2);
    layout->addWidget(outputLabel);
    layout->addWidget(m_output, 3);
    layout->addLayout(buttons);
    resize(twips(9000), twips(6000));

    // A tool may print megabytes of progress: the text is shown again at most ten times a second.
    m_refresh = new QTimer(this);
    m_refresh->setSingleShot(true);
    m_refresh->setInterval(100);
    connect(m_refresh, &QTimer::timeout, this, &TransfersWindow::showOutput);

    connect(m_stop, &QPushButton::clicked, this, &TransfersWindow::stop);
    connect(clear, &QPushButton::clicked, &m_transfers, &TransferQueue::clearFinished);
    connect(close, &QPushButton::clicked, this, &TransfersWindow::close);
    connect(m_runs, &QTreeWidget::currentItemChanged, this, [this] {
        const int row = currentRow();
        if (!m_choosing)
            m_follow = row >= 0 && row == m_transfers.running();
        showOutput();
    });
    connect(&m_transfers, &TransferQueue::added, this, &TransfersWindow::fill);
    connect(&m_transfers, &TransferQueue::cleared, this, &TransfersWindow::fill);
    connect(&m_transfers, &TransferQueue::changed, this, &TransfersWindow::showState);
    connect(&m_transfers, &TransferQueue::printed, this, [this](int index) {
        if (index == currentRow() && !m_refresh->isActive())
            m_refresh->start();
    });
    fill();
    centerOnScreen(this);
}

void TransfersWindow::fill()
{
    m_choosing = true;
    const int current = currentRow();
    while (m_runs->topLevelItemCount() > m_transfers.size())
        delete m_runs->takeTopLevelItem(m_runs->topLevelItemCount() - 1);
    const int kept = m_runs->topLevelItemCount();
    // New rows go in at once, texts and all: one at a time, each would lay the list out anew.
    QList<QTreeWidgetItem *> added;
    for (int i = kept; i < m_transfers.size(); ++i)
        added.append(new QTreeWidgetItem(rowTexts(m_transfers.entry(i))));
    m_runs->addTopLevelItems(added);
    for (int i = 0; i < kept; ++i)
        showState(i);
    m_stop->setEnabled(m_transfers.busy());
    if (current >= m_runs->topLevelItemCount() || current < 0)
        setCurrentRow(m_runs->topLevelItemCount() - 1);
    m_choosing = false;
    m_shown = -1;
    followRunning();
    showOutput();
}

void TransfersWindow::showState(int index)
{
    if (index >= m_runs->topLevelItemCount())
        return;
    const QStringList texts = rowTexts(m_transfers.entry(index));
    QTreeWidgetItem *item = m_runs->topLevelItem(index);
    for (int column = 0; column < texts.size(); ++column)
        item->setText(column, texts[column]);
    m_stop->setEnabled(m_transfers.busy());
    if (index == m_transfers.running())
        followRunning();
    if (index == currentRow())
        showOutput();
}

void TransfersWindow::followRunning()
{
    const int running = m_transfers.running();
    if (!m_follow || running < 0 || running == currentRow())
        return;
    m_choosing = true;
    setCurrentRow(running);
    m_choosing = false;
}

void TransfersWindow::showOutput()
{
    const int row = currentRow();
    if (row < 0 || row >= m_transfers.size()) {
        m_output->clear();
        m_shown = -1;
        return;
    }
    const ToolOutput &output = m_transfers.entry(row).output;
    if (row == m_shown && output.version() == m_shownVersion)
        return;
    QScrollBar *bar = m_output->verticalScrollBar();
    const bool atEnd = row != m_shown || bar->value() == bar->maximum();
    m_output->setPlainText(output.text());
    if (atEnd)
        bar->setValue(bar->maximum());
    m_shown = row;
    m_shownVersion = output.version();
}

int TransfersWindow::currentRow() const
{
    // The rows are all top-level; looking the item up would search every row.
    return m_runs->currentIndex().row();
}

void TransfersWindow::setCurrentRow(int row)
{
    m_runs->setCurrentItem(m_runs->topLevelItem(row));
}

void TransfersWindow::stop()
{
    if (!m_transfers.busy())
        return;
    if (m_dialogs.okCancel(this, tr("Stop the transfers? The running one is ended and the "
                                    "waiting ones are dropped. A file being received may be left "
                                    "incomplete on the PC.")))
        m_transfers.stop();
}

bool TransfersWindow::mayClose()
{
    if (!m_transfers.busy())
        return true;
    if (!m_dialogs.okCancel(this, tr("Transfers are still waiting or running. Close the window "
                                     "and stop them? A file being received may be left "
                                     "incomplete on the PC.")))
        return false;
    m_transfers.stop();
    return true;
}

void TransfersWindow::reject()
{
    close();
}

void TransfersWindow::closeEvent(QCloseEvent *event)
{
    event->setAccepted(mayClose());
}
