// MainWindow: the Device > Macros command, which runs the macro editor on the configuration.
#include "MainWindow.h"

#include "MacroDialogExt.h"

void MainWindow::on_actionMacros_triggered()
{
    MacroDialogExt dialog(&m_config, this);
    // The editor writes macros straight into m_config, so every stored macro is a change of
    // the configuration that closing the window must not lose silently.
    connect(&dialog, &MacroDialogExt::macroStored, this, [this]() { setUnsavedChanges(true); });
    dialog.exec();
}
