// MainWindow: device transfers (placeholder until the device transfers land).
#include "MainWindow.h"

void MainWindow::on_actionWrite_triggered() { }
void MainWindow::on_actionRead_triggered() { }
void MainWindow::on_actionEmpty_triggered() { }
void MainWindow::on_actionInfo_triggered() { }
unsigned short MainWindow::ReadMv100()
{
    return MV100::RESULT_OPEN;
}
unsigned short MainWindow::WriteMv100()
{
    return MV100::RESULT_OPEN;
}
void MainWindow::EraseMv100() { }
void MainWindow::InfoMv100() { }
