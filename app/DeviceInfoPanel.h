// DeviceInfoPanel: the value labels of the Device info tab.
#pragma once

#include <QtGlobal>

QT_BEGIN_NAMESPACE
namespace Ui {
class MainWindow;
}
QT_END_NAMESPACE

struct Mv100DeviceInfo;

namespace DeviceInfoPanel {
// Shows what a Read or Get Info told about the chip.
void show(Ui::MainWindow *ui, const Mv100DeviceInfo &info);
// "-" in every label: nothing is known of a chip.
void clear(Ui::MainWindow *ui);
} // namespace DeviceInfoPanel
