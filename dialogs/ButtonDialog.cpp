// ButtonDialog: the key lists, the key search, the key capture, the preselection from a cell
// code and the rules of OK.
#include "ButtonDialog.h"
#include "ui_buttondialog.h"

#include "CKeyTable.h"
#include "ScanCodeMap.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>

namespace {
constexpr unsigned short CODE_NONE = 0xFFFF;
constexpr unsigned short MACRO_BASE = 0x0200;
constexpr int MACRO_ITEMS = 176;
constexpr int CODE_ROLE = Qt::UserRole;
constexpr int SHORT_NAME_ROLE = Qt::UserRole + 1;

constexpr int FIRST_MODIFIER_USAGE = 0xE0;
constexpr int LAST_MODIFIER_USAGE = 0xE7;
constexpr int LEFT_CONTROL = 0xE0;
constexpr int LEFT_SHIFT = 0xE1;
constexpr int LEFT_ALT = 0xE2;
constexpr int LEFT_GUI = 0xE3;
constexpr int RIGHT_ALT = 0xE6;

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

bool isModifierUsage(int usage)
{
    return usage >= FIRST_MODIFIER_USAGE && usage <= LAST_MODIFIER_USAGE;
}

// The modifier usage of a key event: from its scan code, which tells left from right, else from
// the Qt key (taken as the left one); -1 for other keys.
int modifierUsageOf(const QKeyEvent *event)
{
    const int usage = ScanCodeMap::usageFromNativeScanCode(event->nativeScanCode());
    if (isModifierUsage(usage))
        return usage;
    switch (event->key()) {
    case Qt::Key_Control:
        return LEFT_CONTROL;
    case Qt::Key_Shift:
        return LEFT_SHIFT;
    case Qt::Key_Alt:
        return LEFT_ALT;
    case Qt::Key_AltGr:
        return RIGHT_ALT;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
        return LEFT_GUI;
    default:
        return -1;
    }
}

int modifierUsageOf(Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::ControlModifier)
        return LEFT_CONTROL;
    if (modifiers & Qt::ShiftModifier)
        return LEFT_SHIFT;
    if (modifiers & Qt::AltModifier)
        return LEFT_ALT;
    if (modifiers & Qt::MetaModifier)
        return LEFT_GUI;
    return 0;
}

int keyRowOfUsage(int usage)
{
    // The look-up gives row 0 when no row matches.
    const int row = CKeyTable().GetIndexByUsbCode(static_cast<unsigned short>(usage));
    return CKeyTable::m_KeyMapping[row].code == usage ? row : -1;
}
} // namespace

// Keeps the keys whose long or short name contains the search text, in any case.
class KeySearchFilter : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setSearch(const QString &text)
    {
        m_search = text.trimmed();
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override
    {
        if (m_search.isEmpty())
            return true;
        const QModelIndex index = sourceModel()->index(sourceRow, 0, sourceParent);
        return index.data(Qt::DisplayRole).toString().contains(m_search, Qt::CaseInsensitive)
            || index.data(SHORT_NAME_ROLE).toString().contains(m_search, Qt::CaseInsensitive);
    }

private:
    QString m_search;
};

ButtonDialog::ButtonDialog(unsigned char x, unsigned char y, unsigned short code, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::ButtonDialog)
    , m_code(code)
{
    ui->setupUi(this);
    m_keyModel = new QStandardItemModel(this);
    m_keyFilter = new KeySearchFilter(this);
    m_keyFilter->setSourceModel(m_keyModel);
    ui->cmb_key->setModel(m_keyFilter);
    fillLists();
    ui->label_coords->setText(tr("X:%1 / Y:%2 ").arg(x).arg(y));
    preselect(code);
}

ButtonDialog::~ButtonDialog()
{
    if (m_waiting)
        qApp->removeEventFilter(this);
    delete ui;
}

void ButtonDialog::fillLists()
{
    m_keyModel->setColumnCount(1);
    m_keyModel->setRowCount(int(CKeyTable::m_KeyMapping.size()));
    for (int row = 0; row < m_keyModel->rowCount(); ++row) {
        const KeyMapping &key = CKeyTable::m_KeyMapping[row];
        const QModelIndex item = m_keyModel->index(row, 0);
        m_keyModel->setData(item, fromWide(key.longName), Qt::DisplayRole);
        m_keyModel->setData(item, int(key.code), CODE_ROLE);
        m_keyModel->setData(item, fromWide(key.shortName), SHORT_NAME_ROLE);
    }
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
        selectKeyRow(keys.GetIndexByUsbCode(code));
        return;
    }
    ui->cmb_modifier->setCurrentIndex(keys.GetModifierIndexByUsbCode(high));
    selectKeyRow(keys.GetIndexByUsbCode(code & 0x00FF));
}

int ButtonDialog::currentKeyRow() const
{
    const int item = ui->cmb_key->currentIndex();
    if (item < 0)
        return -1;
    return m_keyFilter->mapToSource(m_keyFilter->index(item, 0)).row();
}

void ButtonDialog::selectKeyRow(int row)
{
    ui->cmb_key->setCurrentIndex(m_keyFilter->mapFromSource(m_keyModel->index(row, 0)).row());
}

void ButtonDialog::on_edit_search_textChanged(const QString &text)
{
    const int current = currentKeyRow();
    if (current >= 0)
        m_keptKeyRow = current;
    m_keyFilter->setSearch(text);
    // The chosen key stays while it matches; else the first match, or nothing when none does.
    if (m_keyFilter->mapFromSource(m_keyModel->index(m_keptKeyRow, 0)).isValid())
        selectKeyRow(m_keptKeyRow);
    else
        ui->cmb_key->setCurrentIndex(ui->cmb_key->count() > 0 ? 0 : -1);
}

bool ButtonDialog::selectPressedKey(quint32 nativeScanCode, Qt::KeyboardModifiers modifiers)
{
    const int usage = ScanCodeMap::usageFromNativeScanCode(nativeScanCode);
    int modifier = 0;
    if (!isModifierUsage(usage))
        modifier = m_heldModifiers.isEmpty() ? modifierUsageOf(modifiers) : m_heldModifiers.last();
    return selectUsage(usage, modifier);
}

bool ButtonDialog::selectUsage(int usage, int modifierUsage)
{
    const int row = usage >= 0 ? keyRowOfUsage(usage) : -1;
    if (row < 0) {
        stopWaiting(tr("This key has no Morvantide100 code."));
        return false;
    }
    // The key must be in the list to be chosen: a search could hide it.
    ui->edit_search->clear();
    selectKeyRow(row);
    ui->cmb_modifier->setCurrentIndex(
        CKeyTable().GetModifierIndexByUsbCode(static_cast<unsigned short>(modifierUsage)));
    // A chosen macro would win over the key on OK.
    ui->cmb_macro->setCurrentIndex(0);
    stopWaiting(QString());
    return true;
}

void ButtonDialog::on_btn_press_key_clicked(bool checked)
{
    if (checked)
        startWaiting();
    else
        stopWaiting(QString());
}

void ButtonDialog::startWaiting()
{
    m_waiting = true;
    m_heldModifiers.clear();
    m_modifierAlone = false;
    ui->btn_press_key->setChecked(true);
    ui->label_press_status->setText(tr("Press a key on the keyboard…"));
    // Every key for this dialog comes here first, also Tab, Return and Space, which the focused
    // widget would take.
    qApp->installEventFilter(this);
}

void ButtonDialog::stopWaiting(const QString &status)
{
    if (m_waiting)
        qApp->removeEventFilter(this);
    m_waiting = false;
    m_heldModifiers.clear();
    ui->btn_press_key->setChecked(false);
    ui->label_press_status->setText(status);
}

void ButtonDialog::waitingKeyPress(const QKeyEvent *event)
{
    if (event->isAutoRepeat())
        return;
    if (event->key() == Qt::Key_Escape) {
        stopWaiting(QString());
        return;
    }
    // A modifier waits for the key it goes with; released alone it is the key itself.
    const int modifier = modifierUsageOf(event);
    if (modifier >= 0) {
        m_heldModifiers.removeAll(modifier);
        m_heldModifiers.append(modifier);
        m_modifierAlone = true;
        return;
    }
    m_modifierAlone = false;
    selectPressedKey(event->nativeScanCode(), event->modifiers());
}

void ButtonDialog::waitingKeyRelease(const QKeyEvent *event)
{
    const int modifier = modifierUsageOf(event);
    if (event->isAutoRepeat() || modifier < 0)
        return;
    if (m_modifierAlone && !m_heldModifiers.isEmpty() && m_heldModifiers.last() == modifier) {
        m_heldModifiers.clear();
        selectUsage(modifier, 0);
        return;
    }
    m_heldModifiers.removeAll(modifier);
}

bool ButtonDialog::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (!m_waiting || !watched->isWidgetType()
        || (type != QEvent::ShortcutOverride && type != QEvent::KeyPress
            && type != QEvent::KeyRelease)
        || static_cast<QWidget *>(watched)->window() != this)
        return QDialog::eventFilter(watched, event);
    // The key belongs to the capture, not to the focused widget or a shortcut.
    event->accept();
    if (type == QEvent::KeyPress)
        waitingKeyPress(static_cast<QKeyEvent *>(event));
    else if (type == QEvent::KeyRelease)
        waitingKeyRelease(static_cast<QKeyEvent *>(event));
    return true;
}

void ButtonDialog::hideEvent(QHideEvent *event)
{
    if (m_waiting)
        stopWaiting(QString());
    QDialog::hideEvent(event);
}

void ButtonDialog::on_btn_accept_clicked()
{
    const int macro = ui->cmb_macro->currentIndex();
    const int modifier = ui->cmb_modifier->currentIndex();
    const int keyItem = currentKeyRow();

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
