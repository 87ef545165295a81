#include "backupwindow.h"

#include "common/geometry.h"
#include "common/programvalues.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "transfer/toolcommands.h"
#include "transfer/toolruns.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int BoxTop = 840;
constexpr int BoxStep = 360;

template<typename Widget>
Widget *placeRegular(Widget *widget, const QString &name, const QRect &geometry)
{
    // Only the frames' captions are bold.
    widget->setFont(dialogFont(8.25));
    return place(widget, name, geometry);
}

QGroupBox *frame(const QString &caption, const char *name, const QRect &geometry, QWidget *parent)
{
    auto *box = place(new QGroupBox(caption, parent), QLatin1String(name), geometry);
    box->setFont(dialogFont(8.25, true));
    return box;
}

QLabel *wrappedLabel(const QString &text, const char *name, const QRect &geometry, QWidget *parent)
{
    auto *label = placeRegular(new QLabel(text, parent), QLatin1String(name), geometry);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QRect addButtonRect(int extraBoxes)
{
    return twipsRect(3240, BoxTop + BoxStep * extraBoxes, 855, 315);
}

} // namespace

BackupWindow::BackupWindow(Platform &platform, const ProgramValues &values,
                           TransferQueue &transfers, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_platform(platform)
    , m_values(values)
    , m_transfers(transfers)
{
    startWindow(this, QStringLiteral("Backup"), tr("BACKUP", "window title"));
    setFixedSize(twips(8055), twips(4110));

    auto *frame1 = frame(tr("Step 1"), "Frame1", twipsRect(120, 120, 4215, 3855), this);
    QLabel *label2 = wrappedLabel(tr("Please enter all folders on the Portfolio which you want to "
                                     "backup (e.g.: a:\\program\\)"),
                                  "Label2", twipsRect(120, 360, 3975, 495), frame1);
    for (int i = 0; i < FolderBoxes; ++i) {
        m_text1[i] = placeRegular(new QLineEdit(frame1), QStringLiteral("Text1_%1").arg(i),
                                  twipsRect(120, BoxTop + BoxStep * i, 3015, 285));
        m_text1[i]->setVisible(i == 0);
        // One label over eight boxes: each box is told apart by its number.
        m_text1[i]->setAccessibleName(tr("Portfolio folder %1").arg(i + 1));
    }
    label2->setBuddy(m_text1[0]);
    m_add = placeRegular(new QPushButton(tr("Add more"), frame1), QStringLiteral("Add"),
                         addButtonRect(0));
    connect(m_add, &QPushButton::clicked, this, &BackupWindow::addFolderBox);

    auto *frame2 = frame(tr("Step 2"), "Frame2", twipsRect(4440, 120, 3495, 1335), this);
    QLabel *label1 = wrappedLabel(tr("Please enter an existing destination path on your PC "
                                     "(e.g.: c:\\backup\\)"),
                                  "Label1", twipsRect(120, 360, 3255, 495), frame2);
    m_text7 = placeRegular(new QLineEdit(frame2), QStringLiteral("Text7"),
                           twipsRect(120, 840, 3255, 285));
    label1->setBuddy(m_text7);

    auto *start = placeRegular(new QPushButton(tr("Start", "starts the backup"), this),
                               QStringLiteral("Command1"), twipsRect(6600, 1560, 1335, 375));
    start->setDefault(true);
    connect(start, &QPushButton::clicked, this, &BackupWindow::startBackup);
    auto *close = placeRegular(new QPushButton(tr("Close"), this), QStringLiteral("Command2"),
                               twipsRect(5160, 1560, 1335, 375));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    QList<QWidget *> order = {m_text1[0], m_text7, start};
    for (int i = 1; i < FolderBoxes; ++i)
        order.append(m_text1[i]);
    order << m_add << close;
    ::setTabOrder(order);
    m_text1[0]->setFocus();

    centerOnScreen(this);
}

void BackupWindow::addFolderBox()
{
    if (m_extraBoxes >= FolderBoxes - 1)
        return;
    ++m_extraBoxes;
    m_text1[m_extraBoxes]->show();
    m_add->setGeometry(addButtonRect(m_extraBoxes));
}

void BackupWindow::startBackup()
{
    const ToolCommands tool(m_values.toolFolder);
    QStringList folders;
    for (int i = 0; i <= m_extraBoxes; ++i) {
        const QString folder = m_text1[i]->text();
        if (!folder.isEmpty())
            folders.append(folder);
    }
    if (folders.isEmpty())
        return;
    const QString destination = m_text7->text();
    const ToolRuns::Runs runs = ToolRuns::backup(tool, folders, destination);
    // The tool would write the first file under the folder's name and stop at the second.
    if (runs && !QFileInfo(destination).isDir()) {
        const QString shown = QDir::toNativeSeparators(destination);
        if (QFileInfo::exists(destination)) {
            m_platform.dialogs.message(this,
                                       tr("%1 is not a folder. Please enter a folder.").arg(shown));
            return;
        }
        if (!m_platform.dialogs.okCancel(this, tr("%1 does not exist. Create it?").arg(shown)))
            return;
        if (!QDir().mkpath(destination)) {
            m_platform.dialogs.message(this, tr("The folder %1 could not be created.").arg(shown));
            return;
        }
    }
    ToolRuns::queue(m_transfers, runs, m_platform.dialogs, this);
}
