// MainWindow: the key layer tabs, the cell drawing, the Clear Table actions and the editor reset.
#include "MainWindow.h"
#include "ui_mainwindow.h"

#include "ButtonDialog.h"
#include "CKeyTable.h"
#include "KeyMatrixWidget.h"
#include "MaterialColor.h"

#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include <utility>

namespace {
constexpr unsigned short CODE_NONE = 0xFFFF;
// Media, mouse and LED names are looked up without bit 11, which no table code carries.
constexpr unsigned short FUNCTION_MASK = 0xF7FF;
constexpr unsigned short LOW_BYTE_MASK = 0x00FF;

QString fromWide(const wchar_t *text)
{
    return QString::fromWCharArray(text);
}

// The layer an FN key switches to (1 or 2), or 0 when the code is no FN key. The whole code
// is compared, so a modifier + key code never counts as an FN key.
int fnTargetLayer(unsigned short code)
{
    for (const KeyName &key : CKeyTable::m_FN1Keys) {
        if (key.code == code)
            return 1;
    }
    for (const KeyName &key : CKeyTable::m_FN2Keys) {
        if (key.code == code)
            return 2;
    }
    return 0;
}

bool isCell(int layer, int x, int y)
{
    return layer >= 0 && layer < MV100::LAYERS && x >= 0 && x < MV100::COLUMNS && y >= 0
        && y < MV100::ROWS;
}
} // namespace

KeyMatrixWidget *MainWindow::createMatrixTab(QWidget *page)
{
    auto *scroll = new QScrollArea(page);
    // The scroll area takes the matrix over and sizes it, so the cells stretch with the window.
    auto *matrix = new KeyMatrixWidget(MV100::ROWS, MV100::COLUMNS);
    matrix->setCellSize(50, 50);
    matrix->setSpacing(3, 3);
    matrix->setGridOffset(10, 5);
    matrix->setHeadersVisible(true);
    matrix->setRowHeaderPrefix(tr("Y"));
    matrix->setColHeaderPrefix(tr("X"));
    scroll->setWidget(matrix);
    scroll->setWidgetResizable(true);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(scroll);
    return matrix;
}

void MainWindow::onKeyClicked(int layer, int row, int col, Qt::MouseButton button)
{
    // Any mouse button assigns: the right and middle buttons have no other meaning here.
    Q_UNUSED(button);
    if (!isCell(layer, col, row))
        return;

    const auto current = static_cast<unsigned short>(m_config.GetKeyCode(layer, col, row));
    ButtonDialog dialog(static_cast<unsigned char>(col), static_cast<unsigned char>(row), current,
                        this);
    if (dialog.exec() != QDialog::Accepted)
        return;

    const unsigned short code = dialog.m_code;
    // An FN key on the Default layer is also put on the layer it switches to, so that the key
    // keeps its FN function while that layer is active.
    if (layer == 0) {
        const int target = fnTargetLayer(code);
        if (target != 0) {
            setButton(target, col, row, code);
            m_config.SetKeyCode(target, col, row, code);
        }
    }
    setButton(layer, col, row, code);
    m_config.SetKeyCode(layer, col, row, code);
    // A confirmed dialog counts as an edit even when the code is unchanged: the user chose.
    m_changed = true;
}

void MainWindow::setButton(int layer, int x, int y, unsigned short code)
{
    KeyMatrixWidget *matrix = m_matrices.value(layer);
    if (matrix == nullptr)
        return;

    const CKeyTable keys;
    const unsigned short high = code >> 8;
    QString text;
    QColor color = MaterialColor::Black;
    if (code == CODE_NONE) {
        // empty and black
    } else if (high == 0x01) {
        text = tr("Media\n") + fromWide(keys.GetKeyName(code, FUNCTION_MASK));
        color = MaterialColor::Green;
    } else if (high == 0x02) {
        text = tr("Macro\n") + QString::asprintf("#%02d", code & LOW_BYTE_MASK);
        color = MaterialColor::Blue;
    } else if (high == 0x03) {
        text = tr("Mouse\n") + fromWide(keys.GetKeyName(code, FUNCTION_MASK));
        color = MaterialColor::Pink;
    } else if (high == 0x04) {
        text = tr("LED\n") + fromWide(keys.GetKeyName(code, FUNCTION_MASK));
        color = MaterialColor::Orange;
    } else if ((code & 0xF000) == 0xE000) {
        text = fromWide(keys.GetModifierKeyName(high, 0xFF)) + QLatin1Char('\n')
            + fromWide(keys.GetKeyName(code, LOW_BYTE_MASK));
    } else {
        text = fromWide(keys.GetKeyName(code, LOW_BYTE_MASK));
    }
    matrix->setButtonText(y, x, text);
    matrix->setButtonTextColor(y, x, color);
}

void MainWindow::redrawAllCells()
{
    for (int layer = 0; layer < MV100::LAYERS; ++layer) {
        for (int y = 0; y < MV100::ROWS; ++y) {
            for (int x = 0; x < MV100::COLUMNS; ++x)
                setButton(layer, x, y,
                          static_cast<unsigned short>(m_config.GetKeyCode(layer, x, y)));
        }
    }
}

void MainWindow::clearLayer(int layer)
{
    switch (layer) {
    case 0:
        m_config.ClearKeytableDefault();
        break;
    case 1:
        m_config.ClearKeytableFN1();
        break;
    case 2:
        m_config.ClearKeytableFN2();
        break;
    default:
        return;
    }
    if (KeyMatrixWidget *matrix = m_matrices.value(layer)) {
        matrix->clearAllTexts();
        matrix->clearAllColors();
    }
    // Emptying a layer throws away assignments just like editing them; without the flag an
    // Exit right after it would drop the loaded layer without asking.
    m_changed = true;
}

void MainWindow::on_actionDefault_triggered()
{
    clearLayer(0);
}

void MainWindow::on_actionFN1_triggered()
{
    clearLayer(1);
}

void MainWindow::on_actionFN2_triggered()
{
    clearLayer(2);
}

void MainWindow::Clear()
{
    // The reset is the program's own doing: it must not count as a user edit of the settings.
    ProgrammaticChange guard(this);

    m_config.ClearAll();
    ui->main_edit_pin->setText(QString::fromLatin1(MV100_PIN::STRING));
    ui->main_cmb_lock->setCurrentIndex(0);
    for (KeyMatrixWidget *matrix : std::as_const(m_matrices)) {
        if (matrix == nullptr)
            continue;
        matrix->clearAllTexts();
        matrix->clearAllColors();
    }
    LoadMouseDefaults();
    ui->custom_edit->setText(QString::fromLatin1(MV100_CUSTOMDATA::STRING));
    ui->lockkeys_cmb_fn1->setCurrentIndex(0);
    ui->lockkeys_cmb_fn2->setCurrentIndex(0);
    ui->pin_edit_pin->setText(QString::fromLatin1(MV100_PIN::STRING));
    for (const char *pattern :
         {"backlight_spin_init_%1", "backlight_spin_step_%1", "backlight_spin_flags_%1"}) {
        for (int i = 0; i < MV100_BLOCK::BACKLIGHT_OUTPUTS; ++i) {
            if (auto *spin = findChild<QSpinBox *>(QString::fromLatin1(pattern).arg(i)))
                spin->setValue(0);
        }
    }
    for (int i = 0; i < MV100_BLOCK::LED_OUTPUTS; ++i)
        setLEDElements(255, static_cast<unsigned char>(i));
    ui->spin_debounce->setValue(3);

    m_changed = false;
}
