#include "transferswindow.h"

#include "common/artwork.h"
#include "common/geometry.h"
#include "platform/dialogs.h"
#include "transfer/transferqueue.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

TransfersWindow::TransfersWindow(TransferQueue &transfers, Dialogs &dialogs)
    : QDialog(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
    , m_transfers(transfers)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmTransfers"));
    setWindowTitle(tr("Transfers", "window title"));
    setWindowIcon(Artwork::programIcon());
    setFont(dialogFont(8.25));

    auto *runsLabel = new QLabel(tr("&Runs:"), this);
    m_runs = new QListWidget(this);
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
    resize(twips(9600), twips(6600));

    // A tool may print megabytes of progress: the text is shown again at most ten times a second.
    m_refresh = new QTimer(this);
    m_refresh->setSingleShot(true);
    m_refresh->setInterval(100);
    connect(m_refresh, &QTimer::timeout, this, &TransfersWindow::showOutput);

    connect(m_stop, &QPushButton::clicked, this, &TransfersWindow::stop);
    connect(clear, &QPushButton::clicked, &m_transfers, &TransferQueue::clearFinished);
    connect(close, &QPushButton::clicked, this, &TransfersWindow::close);
    connect(m_runs, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_choosing)
            m_follow = row >= 0 && row == m_transfers.running();
        showOutput();
    });
    connect(&m_transfers, &TransferQueue::added, this, &TransfersWindow::fill);
    connect(&m_transfers, &TransferQueue::cleared, this, &TransfersWindow::fill);
    connect(&m_transfers, &TransferQueue::changed, this, &TransfersWindow::showState);
    connect(&m_transfers, &TransferQueue::printed, this, [this](int index) {
        if (index == m_runs->currentRow() && !m_refresh->isActive())
            m_refresh->start();
    });
    fill();
    centerOnScreen(this);
}

void TransfersWindow::fill()
{
    m_choosing = true;
    const int current = m_runs->currentRow();
    while (m_runs->count() > m_transfers.size())
        delete m_runs->takeItem(m_runs->count() - 1);
    while (m_runs->count() < m_transfers.size())
        m_runs->addItem(QString());
    for (int i = 0; i < m_transfers.size(); ++i)
        showState(i);
    if (current >= m_runs->count() || current < 0)
        m_runs->setCurrentRow(m_runs->count() - 1);
    m_choosing = false;
    m_shown = -1;
    followRunning();
    showOutput();
}

void TransfersWindow::showState(int index)
{
    if (index >= m_runs->count())
        return;
    const TransferQueue::Entry &entry = m_transfers.entry(index);
    m_runs->item(index)->setText(entry.run.what + QStringLiteral("   ")
                                 + TransferQueue::stateText(entry));
    m_stop->setEnabled(m_transfers.busy());
    if (index == m_transfers.running())
        followRunning();
    if (index == m_runs->currentRow())
        showOutput();
}

void TransfersWindow::followRunning()
{
    const int running = m_transfers.running();
    if (!m_follow || running < 0 || running == m_runs->currentRow())
        return;
    m_choosing = true;
    m_runs->setCurrentRow(running);
    m_choosing = false;
}

void TransfersWindow::showOutput()
{
    const int row = m_runs->currentRow();
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
    if (mayClose())
        event->accept();
    else
        event->ignore();
}
