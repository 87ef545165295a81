#include "busywork.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProgressDialog>
#include <QWindow>

namespace {

// Long enough that a short piece of work shows no dialog that flashes up and goes.
constexpr int ShowAfterMs = 300;

bool isInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

} // namespace

WaitCursor::WaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor()
{
    QApplication::restoreOverrideCursor();
}

BusyWork::BusyWork(QWidget *owner, const QString &label, std::function<void()> cancelled)
    : m_dialog(new QProgressDialog(label, QString(), 0, 0, owner))
    , m_cancellable(bool(cancelled))
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    qApp->installEventFilter(this);
    m_dialog->setWindowTitle(QApplication::applicationDisplayName());
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    if (cancelled) {
        m_dialog->setCancelButtonText(tr("Cancel"));
        connect(m_dialog, &QProgressDialog::canceled, this, cancelled);
    }
    m_dialog->setMinimumDuration(ShowAfterMs);
    m_dialog->setValue(0); // starts the wait before the dialog shows
}

BusyWork::~BusyWork()
{
    delete m_dialog;
    QApplication::restoreOverrideCursor();
}

void BusyWork::setLabel(const QString &label)
{
    if (m_dialog)
        m_dialog->setLabelText(label);
}

void BusyWork::setProgress(qint64 done, qint64 total)
{
    if (!m_dialog)
        return;
    // The dialog counts in int; a thousandth is fine enough.
    m_dialog->setMaximum(total > 0 ? 1000 : 0);
    m_dialog->setValue(total > 0 ? int(std::min<qint64>(1000, done * 1000 / total)) : 0);
}

bool BusyWork::eventFilter(QObject *watched, QEvent *event)
{
    if (!event->spontaneous() || !isInput(event->type()))
        return false;
    // What the system sends reaches a window before its widgets: the dialog's own window must
    // let it through, or nothing typed or clicked would ever reach Cancel.
    if (m_dialog && watched == m_dialog->windowHandle())
        return false;
    const auto *widget = qobject_cast<QWidget *>(watched);
    if (m_dialog && widget && widget->window() == m_dialog) {
        // Escape or closing the dialog would cancel; where there is no Cancel, they do
        // nothing.
        const bool cancels = event->type() == QEvent::Close
                             || (event->type() == QEvent::KeyPress
                                 && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape);
        if (!cancels || m_cancellable)
            return false;
    }
    if (event->type() == QEvent::Close)
        event->ignore();
    return true;
}
