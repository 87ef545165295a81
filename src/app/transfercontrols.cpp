#include "transfercontrols.h"

#include "browser/filelist.h"
#include "browser/folderaccess.h"
#include "browser/pathfield.h"
#include "common/busywork.h"
#include "common/programvalues.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "transfer/toolcommands.h"
#include "transfer/toolruns.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

TransferControls::TransferControls(const Controls &controls, Platform &platform,
                                   const ProgramValues &values, TransferQueue &transfers,
                                   QWidget *window)
    : QObject(window)
    , m_c(controls)
    , m_platform(platform)
    , m_values(values)
    , m_transfers(transfers)
    , m_window(window)
{
    connect(m_c.command1, &QPushButton::clicked, this, &TransferControls::transmit);
    connect(m_c.command2, &QPushButton::clicked, this, &TransferControls::receive);
    connect(m_c.command3, &QPushButton::clicked, this, &TransferControls::addToList);
    connect(m_c.command4, &QPushButton::clicked, this, &TransferControls::clearList);
    connect(m_c.pofoFile, &QLineEdit::textChanged, this, &TransferControls::fileFieldChanged);
    setListEnabled(false);
}

void TransferControls::transmit()
{
    const ToolCommands tool(m_values.toolFolder);
    const QString folder = m_c.file1->path();
    if (const QStringList unusable = m_c.file1->selectedUnusable(); !unusable.isEmpty())
        return refuse(FolderAccess::unusableMessage(folder, unusable.join(QLatin1String(", "))));
    const QString drive = m_c.pofoDrive->currentText();
    const QString pofoFolder = m_c.pofoFolder->text();
    // Tens of thousands of files selected take a moment to plan; a message that follows
    // shows the usual pointer.
    const auto runs = [&] {
        const WaitCursor busy;
        return ToolRuns::transmit(tool, folder, m_c.file1->selectedNames(), drive, pofoFolder,
                                  m_values.overwriteFlag);
    }();
    ToolRuns::queue(m_transfers, runs, m_platform.dialogs, m_window);
}

void TransferControls::receive()
{
    if (const Status usable = m_c.dateiname->usable(); !usable)
        return refuse(usable.reason());
    const ToolCommands tool(m_values.toolFolder);
    const QString destination = m_c.dateiname->path();
    QStringList sources;
    for (int row = 0; row < m_c.list1->count(); ++row)
        sources.append(m_c.list1->item(row)->text());
    // The fields count only while the list is empty.
    if (sources.isEmpty())
        sources.append(fieldsPath());
    ToolRuns::queue(m_transfers,
                    ToolRuns::receive(tool, sources, destination, QFileInfo(destination).isDir(),
                                      m_values.overwriteFlag),
                    m_platform.dialogs, m_window);
}

void TransferControls::addToList()
{
    setListEnabled(true);
    m_c.command4->setEnabled(true);
    m_c.list1->addItem(fieldsPath());
}

void TransferControls::clearList()
{
    m_c.list1->clear();
    setListEnabled(false);
    m_c.command4->setEnabled(false);
    m_c.command2->setEnabled(false);
}

void TransferControls::fileFieldChanged()
{
    m_c.command2->setEnabled(!m_c.pofoFile->text().isEmpty() || m_c.list1->count() > 0);
}

void TransferControls::setListEnabled(bool enabled)
{
    // Disabled, the list takes the colour of menus; enabled, that of windows. A role rather
    // than a colour: it follows the theme when the desktop switches to a dark one.
    m_c.list1->viewport()->setBackgroundRole(enabled ? QPalette::Base : QPalette::Window);
    m_c.list1->setEnabled(enabled);
}

void TransferControls::refuse(const QString &message)
{
    m_platform.dialogs.message(m_window, message, {}, Dialogs::Icon::Warning);
}

QString TransferControls::fieldsPath() const
{
    return ToolCommands::portfolioPath(m_c.pofoDrive->currentText(), m_c.pofoFolder->text(),
                                       m_c.pofoFile->text());
}
