// MainWindow: the settings operations of the window, over the document that SettingsTabs shows.
#include "MainWindow.h"
#include "ui_mainwindow.h"

#include "HexText.h"
#include "SettingsTabs.h"

void MainWindow::setLEDElements(unsigned char value, unsigned char index)
{
    m_settingsTabs->setLedCode(index, value);
}

int MainWindow::getLEDElements(int index)
{
    if (index < 0 || index >= MV100_BLOCK::LED_OUTPUTS)
        return -1;
    return m_document.config().settings().led[index];
}

void MainWindow::LoadMouseDefaults()
{
    m_settingsTabs->loadMouseDefaults();
}

void MainWindow::on_mouse_btn_default_clicked()
{
    LoadMouseDefaults();
}

bool MainWindow::pinCheck(QString pin)
{
    return isPinText(pin);
}

void MainWindow::on_btn_pin_default_clicked()
{
    ui->main_edit_pin->setText(QString::fromLatin1(MV100_PIN::STRING));
}

void MainWindow::on_pin_btn_default_clicked()
{
    ui->pin_edit_pin->setText(QString::fromLatin1(MV100_PIN::STRING));
}
