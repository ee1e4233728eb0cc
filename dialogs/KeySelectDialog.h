// KeySelectDialog: picks one key of the macro key table for a one-byte macro cell.
#pragma once

#include <QDialog>

QT_BEGIN_NAMESPACE
namespace Ui {
class KeySelectDialog;
}
class QShowEvent;
QT_END_NAMESPACE

class KeySelectDialog : public QDialog
{
    Q_OBJECT

public:
    explicit KeySelectDialog(QWidget *parent = nullptr);
    ~KeySelectDialog() override;

    // Seeds the key shown when the dialog opens; 0 and 0xFF mean an empty cell.
    void setUsbCode(unsigned char code);
    // The seeded code, or the chosen key once the dialog was accepted.
    unsigned short usbCode() const { return m_code; }

protected:
    void showEvent(QShowEvent *event) override;

private Q_SLOTS:
    void on_btn_ok_clicked();
    void on_btn_cancel_clicked();

private:
    Ui::KeySelectDialog *ui = nullptr;
    unsigned short m_code = 0;
};
