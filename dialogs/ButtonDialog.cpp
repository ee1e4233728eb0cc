// ButtonDialog: the key lists, the preselection from a cell code and the rules of OK.
#include "ButtonDialog.h"
#include "ui_buttondialog.h"

#include "CKeyTable.h"

#include <QMessageBox>

namespace {
constexpr unsigned short CODE_NONE = 0xFFFF;
constexpr unsigned short MACRO_BASE = 0x0200;
constexpr int MACRO_ITEMS = 176;

QString fromWide(const wchar_t *text)
{
    return QString::fromWCharArray(text);
}

// Media, macro, mouse and LED functions have their own high byte, which a modifier would
// overwrite; so such a key cannot carry a modifier.
bool takesModifier(unsigned short key)
{
    const unsigned short kind = key & 0x0700;
    if (kind == 0x0200 || kind == 0x0400)
        return false;
    return (key & 0x0500) != 0x0100;
}
} // namespace

ButtonDialog::ButtonDialog(unsigned char x, unsigned char y, unsigned short code, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::ButtonDialog)
    , m_code(code)
{
    ui->setupUi(this);
    fillLists();
    ui->label_coords->setText(tr("X:%1 / Y:%2 ").arg(x).arg(y));
    preselect(code);
}

ButtonDialog::~ButtonDialog()
{
    delete ui;
}

void ButtonDialog::fillLists()
{
    for (const KeyMapping &row : CKeyTable::m_KeyMapping)
        ui->cmb_key->addItem(fromWide(row.longName), int(row.code));
    for (const KeyName &row : CKeyTable::m_ModifierKeys)
        ui->cmb_modifier->addItem(fromWide(row.name), int(row.code));
    ui->cmb_macro->addItem(tr("None"));
    for (int i = 0; i < MACRO_ITEMS; ++i)
        ui->cmb_macro->addItem(tr("Macro #%1").arg(i, 4));

    ui->cmb_key->setCurrentIndex(0);
    ui->cmb_modifier->setCurrentIndex(0);
    ui->cmb_macro->setCurrentIndex(0);
}

void ButtonDialog::preselect(unsigned short code)
{
    const CKeyTable keys;
    const unsigned short high = code >> 8;
    if (code == CODE_NONE || high == 0x05)
        return;
    if (high == 0x02) {
        // Macro numbers above 175 have no item: nothing is current in the macro list then.
        const int item = (code & 0x00FF) + 1;
        ui->cmb_macro->setCurrentIndex(item < ui->cmb_macro->count() ? item : -1);
        return;
    }
    if (high == 0x01 || high == 0x03 || high == 0x04) {
        ui->cmb_key->setCurrentIndex(keys.GetIndexByUsbCode(code));
        return;
    }
    ui->cmb_modifier->setCurrentIndex(keys.GetModifierIndexByUsbCode(high));
    ui->cmb_key->setCurrentIndex(keys.GetIndexByUsbCode(code & 0x00FF));
}

void ButtonDialog::on_btn_accept_clicked()
{
    const int macro = ui->cmb_macro->currentIndex();
    const int modifier = ui->cmb_modifier->currentIndex();
    const int keyItem = ui->cmb_key->currentIndex();

    if (macro >= 1) {
        m_code = static_cast<unsigned short>(MACRO_BASE + (macro - 1));
        accept();
        return;
    }

    // No current key item counts as "None" rather than reading outside the table.
    const bool keyValid = keyItem >= 0 && keyItem < int(CKeyTable::m_KeyMapping.size());
    const unsigned short key = keyValid ? CKeyTable::m_KeyMapping[keyItem].code : CODE_NONE;

    if (modifier >= 1 && modifier < int(CKeyTable::m_ModifierKeys.size())) {
        if (!takesModifier(key)) {
            QMessageBox::warning(this, tr("Warning"),
                                 tr("Modifier keys and special keys for media control, mouse or "
                                    "LED outputs can not used at the same time."));
            return;
        }
        m_code = static_cast<unsigned short>(key | (CKeyTable::m_ModifierKeys[modifier].code << 8));
        accept();
        return;
    }

    m_code = key;
    accept();
}

void ButtonDialog::on_btn_cancel_clicked()
{
    reject();
}
