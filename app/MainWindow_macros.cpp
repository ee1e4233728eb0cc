// MainWindow: the Device > Macros command, which runs the macro editor on the document.
#include "MainWindow.h"

#include "MacroDialogExt.h"

void MainWindow::on_actionMacros_triggered()
{
    // Every stored or cleared macro is one undoable step of the document.
    MacroDialogExt dialog(&m_document, this);
    dialog.exec();
}
