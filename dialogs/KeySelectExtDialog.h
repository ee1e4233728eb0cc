// KeySelectExtDialog: picks a modifier and a key for a two-byte ("Cell 16Bit") macro cell.
#pragma once

#include <QDialog>

QT_BEGIN_NAMESPACE
namespace Ui {
class KeySelectExtDialog;
}
class QShowEvent;
QT_END_NAMESPACE

class KeySelectExtDialog : public QDialog
{
    Q_OBJECT

public:
    explicit KeySelectExtDialog(QWidget *parent = nullptr);
    ~KeySelectExtDialog() override;

    // Seeds the cell shown when the dialog opens: modifier code high, key code low;
    // 0 and 0x00FF mean an empty cell.
    void setUsbCode(unsigned short code);
    // The seeded cell, or the chosen one once the dialog was accepted.
    unsigned short usbCode() const { return m_code; }

protected:
    void showEvent(QShowEvent *event) override;

private Q_SLOTS:
    void on_btn_ok_clicked();
    void on_btn_cancel_clicked();

private:
    Ui::KeySelectExtDialog *ui = nullptr;
    unsigned short m_code = 0;
};
