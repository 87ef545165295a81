#pragma once

#include <QObject>
#include <QPointer>
#include <QProgressDialog>

#include <functional>

class QWidget;

// The busy cursor while it lives, for work that ends before a progress dialog would show.
class WaitCursor final
{
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

// While it lives, the program shows that it is at work: the busy cursor, and, once the work
// has gone on for a moment, a window-modal progress dialog over the owner. What the user types
// or clicks in the meantime is held back, as that dialog will hold it back once shown, so that
// nothing changes a document under the work; only the dialog itself answers.
class BusyWork final : public QObject
{
    Q_OBJECT
public:
    // With `cancelled`, the dialog has a Cancel button, which calls it.
    BusyWork(QWidget *owner, const QString &label, std::function<void()> cancelled = {});
    ~BusyWork() override;
    BusyWork(const BusyWork &) = delete;
    BusyWork &operator=(const BusyWork &) = delete;

    void setLabel(const QString &label);
    // How far the work is: `done` of `total`; a total of 0 shows only that it goes on.
    void setProgress(qint64 done, qint64 total);
    QProgressDialog *dialog() const { return m_dialog; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QProgressDialog> m_dialog;
    const bool m_cancellable;
};
