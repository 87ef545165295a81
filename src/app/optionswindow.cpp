#include "optionswindow.h"

#include "app/storedsettings.h"
#include "common/artwork.h"
#include "common/geometry.h"
#include "common/programvalues.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "platform/settingsstore.h"
#include "transfer/toolcommands.h"

#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

OptionsWindow::OptionsWindow(Platform &platform, ProgramValues &values, QWidget *parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_platform(platform)
    , m_values(values)
{
    startWindow(this, QStringLiteral("frmOptionen"), tr("Options", "window title"));
    // A tool window carries no icon; elsewhere Qt would put the program's in its place.
    setWindowIcon(Artwork::noIcon());
    setFixedSize(twips(4095), twips(1905));

    auto *frame1 = new QGroupBox(tr("Paths"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setGeometry(twipsRect(120, 120, 3855, 1215));

    auto *label1 = new QLabel(tr("Transfolio.exe:"), frame1);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setGeometry(twipsRect(120, 480, 1095, 255));
    shrinkFontToFit(label1);

    m_toolFolder = new QLineEdit(
        StoredSettings::read(m_platform.settings, StoredSettings::ToolFolder, m_platform.volumes),
        frame1);
    m_toolFolder->setObjectName(QStringLiteral("FTOrt"));
    m_toolFolder->setGeometry(twipsRect(120, 720, 3615, 285));
    label1->setBuddy(m_toolFolder);

    auto *command1 = new QPushButton(tr("Close"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    command1->setGeometry(twipsRect(2400, 1440, 1575, 375));
    command1->setDefault(true);
    connect(command1, &QPushButton::clicked, this, &OptionsWindow::storeAndClose);

    setTabOrder(m_toolFolder, command1);
    m_toolFolder->setFocus();
    centerOnScreen(this);
}

void OptionsWindow::storeAndClose()
{
    const QString folder = m_toolFolder->text();
    const bool stored =
        m_platform.settings.write({{StoredSettings::ToolFolder, StoredSettings::Key, folder}});
    m_values.toolFolder = folder;
    if (!stored) {
        // The folder is used anyway; the user must know it will be gone at the next start.
        m_platform.dialogs.message(this,
                                   tr("The folder of transfolio.exe could not be stored in %1.\n"
                                      "It is used until Tarnwick ends.")
                                       .arg(m_platform.settings.location()),
                                   {}, Dialogs::Icon::Warning);
    }
    // The folder is kept as typed; the user learns now why Transmit will refuse it.
    if (const Status usable = ToolCommands::checkToolFolder(folder); !usable)
        m_platform.dialogs.message(this, usable.reason(), {}, Dialogs::Icon::Warning);
    accept();
}
