// ButtonDialog: picks the key, modifier + key or macro for one cell of a key layer.
#pragma once

#include <QDialog>

QT_BEGIN_NAMESPACE
namespace Ui {
class ButtonDialog;
}
QT_END_NAMESPACE

class ButtonDialog : public QDialog
{
    Q_OBJECT

public:
    // x = column, y = row of the cell; code = its current code, kept when the dialog is rejected.
    ButtonDialog(unsigned char x, unsigned char y, unsigned short code, QWidget *parent = nullptr);
    ~ButtonDialog() override;

private:
    Ui::ButtonDialog *ui = nullptr;

public:
    // The cell code: the seeded one until OK replaces it with the chosen one. The caller reads
    // it after an Accepted run.
    unsigned short m_code = 0xFFFF;

private Q_SLOTS:
    void on_btn_accept_clicked();
    void on_btn_cancel_clicked();

private:
    void fillLists();
    void preselect(unsigned short code);
};
