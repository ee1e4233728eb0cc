// MainWindow: Help > About.
#include "MainWindow.h"

#include "AboutDialog.h"

void MainWindow::on_actionAbout_triggered()
{
    AboutDialog dialog(this);
    dialog.exec();
}
