// KeySelectExtDialog: picks a modifier and a key for a two-byte ("Cell 16Bit") macro cell.
#include "KeySelectExtDialog.h"
#include "ui_keyselectextdialog.h"

#include "CKeyTable.h"

#include <QMessageBox>

namespace {
constexpr unsigned short NONE_CODE = 0xFFFF;
}

KeySelectExtDialog::KeySelectExtDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::KeySelectExtDialog)
{
    ui->setupUi(this);
    for (const KeyName &row : CKeyTable::m_ModifierKeys)
        ui->cmb_modifier->addItem(QString::fromWCharArray(row.name), int(row.code));
    for (const KeyMapping &row : CKeyTable::m_MacroMapping)
        ui->cmb_key->addItem(QString::fromWCharArray(row.longName), int(row.code));
}

KeySelectExtDialog::~KeySelectExtDialog()
{
    delete ui;
}

void KeySelectExtDialog::setUsbCode(unsigned short code)
{
    m_code = code;
}

void KeySelectExtDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    int modifierRow = 0;
    int keyRow = 0;
    if (m_code != 0x0000 && m_code != 0x00FF) {
        const CKeyTable table;
        modifierRow = table.GetModifierIndexByUsbCode(m_code >> 8);
        keyRow = table.GetIndexByMacroUsbCode(m_code & 0x00FF);
    }
    ui->cmb_modifier->setCurrentIndex(modifierRow);
    ui->cmb_key->setCurrentIndex(keyRow);
}

void KeySelectExtDialog::on_btn_ok_clicked()
{
    const int keyRow = ui->cmb_key->currentIndex();
    const unsigned short keyCode = (keyRow >= 0 && keyRow < CKeyTable::MACRO_ROWS)
        ? CKeyTable::m_MacroMapping[keyRow].code
        : NONE_CODE;
    if (keyCode == NONE_CODE) {
        QMessageBox::warning(this, tr("Warning"), tr("Please select a key."), QMessageBox::Ok);
        return;
    }
    const int modifierRow = ui->cmb_modifier->currentIndex();
    const unsigned short modifier
        = (modifierRow >= 0 && modifierRow < int(CKeyTable::m_ModifierKeys.size()))
        ? CKeyTable::m_ModifierKeys[modifierRow].code
        : 0x00;
    m_code = static_cast<unsigned short>(((modifier & 0x00FF) << 8) | (keyCode & 0x00FF));
    accept();
}

void KeySelectExtDialog::on_btn_cancel_clicked()
{
    reject();
}
