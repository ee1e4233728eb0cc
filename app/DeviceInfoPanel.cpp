// DeviceInfoPanel: the value labels of the Device info tab.
#include "DeviceInfoPanel.h"
#include "ui_mainwindow.h"

#include "Mv100Transfer.h"

#include <QCoreApplication>
#include <QLabel>

namespace DeviceInfoPanel {

void show(Ui::MainWindow *ui, const Mv100DeviceInfo &info)
{
    QString customData;
    for (const std::uint8_t byte : info.customData)
        customData += QString::asprintf("%02X ", byte);
    ui->info_label_customdata->setText(customData);
    ui->info_label_lock->setText(info.locked
                                     ? QCoreApplication::translate("DeviceCommands", "Locked")
                                     : QCoreApplication::translate("DeviceCommands", "Unlocked"));
    ui->info_label_erasecount->setText(QString::asprintf("%d", int(info.eraseCount)));
    ui->info_label_sn->setText(info.serialText());
    ui->info_label_ver->setText(info.firmwareText());
    ui->info_label_vid->setText(
        QString::asprintf("0x%04X (%d)", MV100::VENDOR_ID, int(MV100::VENDOR_ID)));
    ui->info_label_pid->setText(
        QString::asprintf("0x%04X (%d)", MV100::PRODUCT_ID, int(MV100::PRODUCT_ID)));
}

void clear(Ui::MainWindow *ui)
{
    for (QLabel *label :
         {ui->info_label_vid, ui->info_label_pid, ui->info_label_sn, ui->info_label_ver,
          ui->info_label_customdata, ui->info_label_lock, ui->info_label_erasecount})
        label->setText(QCoreApplication::translate("MainWindow", "-"));
}

} // namespace DeviceInfoPanel
