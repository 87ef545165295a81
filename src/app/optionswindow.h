#pragma once

#include <QDialog>

class QLineEdit;
struct Platform;
struct ProgramValues;

// The folder of the transfer tool. "Close" stores what was typed; the close box discards it.
class OptionsWindow final : public QDialog
{
    Q_OBJECT
public:
    OptionsWindow(Platform &platform, ProgramValues &values, QWidget *parent = nullptr);

private:
    void storeAndClose();

    Platform &m_platform;
    ProgramValues &m_values;
    QLineEdit *m_toolFolder;
};
