// ButtonDialog: picks the key, modifier + key or macro for one cell of a key layer.
#pragma once

#include <QDialog>
#include <QList>

QT_BEGIN_NAMESPACE
namespace Ui {
class ButtonDialog;
}
class QKeyEvent;
class QStandardItemModel;
QT_END_NAMESPACE

class KeySearchFilter;

class ButtonDialog : public QDialog
{
    Q_OBJECT

public:
    // x = column, y = row of the cell; code = its current code, kept when the dialog is rejected.
    ButtonDialog(unsigned char x, unsigned char y, unsigned short code, QWidget *parent = nullptr);
    ~ButtonDialog() override;

    // Chooses the key of a key event's native scan code, with a held modifier (the one whose
    // key was pressed last while waiting, else the first of Ctrl, Shift, Alt, Meta in
    // modifiers). False, and a message in the dialog, for a key without a Morvantide100 code.
    bool selectPressedKey(quint32 nativeScanCode, Qt::KeyboardModifiers modifiers);
    // Whether "Press Key…" waits for a key.
    bool isWaitingForKey() const { return m_waiting; }

private:
    Ui::ButtonDialog *ui = nullptr;

public:
    // The cell code: the seeded one until OK replaces it with the chosen one. The caller reads
    // it after an Accepted run.
    unsigned short m_code = 0xFFFF;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private Q_SLOTS:
    void on_btn_accept_clicked();
    void on_btn_cancel_clicked();
    void on_edit_search_textChanged(const QString &text);
    void on_btn_press_key_clicked(bool checked);

private:
    void fillLists();
    void preselect(unsigned short code);
    // The key table row of the chosen key item, -1 when none is current.
    int currentKeyRow() const;
    void selectKeyRow(int row);
    bool selectUsage(int usage, int modifierUsage);

    void startWaiting();
    void stopWaiting(const QString &status);
    void waitingKeyPress(const QKeyEvent *event);
    void waitingKeyRelease(const QKeyEvent *event);

    // The key list shows its rows through the search filter; rows keep the key table's order.
    QStandardItemModel *m_keyModel = nullptr;
    KeySearchFilter *m_keyFilter = nullptr;
    // The key chosen before a search that matched nothing, restored when it shows again.
    int m_keptKeyRow = 0;

    bool m_waiting = false;
    QList<int> m_heldModifiers; // modifier usages pressed while waiting, the latest last
    bool m_modifierAlone = false; // a modifier is down and no other key came yet
};
