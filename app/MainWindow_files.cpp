// MainWindow: file commands and recent files (placeholder until the file commands land).
#include "MainWindow.h"

void MainWindow::on_actionNew_triggered() { }
void MainWindow::on_actionOpen_triggered() { }
void MainWindow::on_actionSave_triggered() { }
void MainWindow::updateRecentFilesMenu() { }
void MainWindow::addRecentFile(const QString &fileName)
{
    Q_UNUSED(fileName);
}
QList<QString> MainWindow::LoadFile(QString fileName)
{
    Q_UNUSED(fileName);
    return {};
}
bool MainWindow::SaveFile(QString fileName, QList<QString> items)
{
    Q_UNUSED(fileName);
    Q_UNUSED(items);
    return false;
}
void MainWindow::openRecentFile(const QString &fileName)
{
    Q_UNUSED(fileName);
}
