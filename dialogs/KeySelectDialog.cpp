// KeySelectDialog: picks one key of the macro key table for a one-byte macro cell.
#include "KeySelectDialog.h"
#include "ui_keyselectdialog.h"

#include "CKeyTable.h"

#include <QMessageBox>

namespace {
constexpr unsigned short NONE_CODE = 0xFFFF;
}

KeySelectDialog::KeySelectDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::KeySelectDialog)
{
    ui->setupUi(this);
    for (const KeyMapping &row : CKeyTable::m_MacroMapping)
        ui->cmb_key->addItem(QString::fromWCharArray(row.longName), int(row.code));
}

KeySelectDialog::~KeySelectDialog()
{
    delete ui;
}

void KeySelectDialog::setUsbCode(unsigned char code)
{
    m_code = code;
}

void KeySelectDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    int row = 0;
    if (m_code != 0x00 && m_code != 0xFF)
        row = CKeyTable().GetIndexByMacroUsbCode(m_code);
    ui->cmb_key->setCurrentIndex(row);
}

void KeySelectDialog::on_btn_ok_clicked()
{
    const int row = ui->cmb_key->currentIndex();
    const unsigned short code = (row >= 0 && row < CKeyTable::MACRO_ROWS)
        ? CKeyTable::m_MacroMapping[row].code
        : NONE_CODE;
    if (code == NONE_CODE) {
        QMessageBox::warning(this, tr("Warning"), tr("Please select a key."), QMessageBox::Ok);
        return;
    }
    m_code = code;
    accept();
}

void KeySelectDialog::on_btn_cancel_clicked()
{
    reject();
}
