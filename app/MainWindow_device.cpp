// MainWindow: the device commands, carried out by DeviceCommands.
#include "MainWindow.h"
#include "ui_mainwindow.h"

#include "DeviceCommands.h"

void MainWindow::on_actionRead_triggered()
{
    m_deviceCommands->read();
}

void MainWindow::on_actionWrite_triggered()
{
    m_deviceCommands->write();
}

void MainWindow::on_actionEmpty_triggered()
{
    m_deviceCommands->erase();
}

void MainWindow::on_actionInfo_triggered()
{
    m_deviceCommands->infoDevice();
    ui->tabWidget->setCurrentWidget(ui->tab_info);
}

unsigned short MainWindow::ReadMv100()
{
    return m_deviceCommands->readDevice();
}

unsigned short MainWindow::WriteMv100()
{
    return m_deviceCommands->writeDevice();
}

void MainWindow::EraseMv100()
{
    m_deviceCommands->eraseDevice();
}

void MainWindow::InfoMv100()
{
    m_deviceCommands->infoDevice();
}
