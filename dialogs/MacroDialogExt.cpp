// MacroDialogExt: edits the 176 macros of a configuration in place, one macro at a time.
#include "MacroDialogExt.h"
#include "ui_macrodialogext.h"

#include "CKeyTable.h"
#include "ConfigDocument.h"
#include "KeyMatrixWidget.h"
#include "KeySelectDialog.h"
#include "KeySelectExtDialog.h"

#include <QMessageBox>
#include <QScrollArea>
#include <QSignalBlocker>

namespace {
constexpr int MATRIX_CELLS = MacroDialogExt::MATRIX_ROWS * MacroDialogExt::MATRIX_COLUMNS;
constexpr unsigned char UNSET = 0xFF;
} // namespace

MacroDialogExt::MacroDialogExt(CMorvantide100 *config, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::MacroDialogExt)
    , m_config(config)
{
    setUp();
}

MacroDialogExt::MacroDialogExt(ConfigDocument *document, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::MacroDialogExt)
    , m_document(document)
{
    setUp();
}

MacroDialogExt::Record MacroDialogExt::storedMacro(int number) const
{
    Record record;
    record.fill(UNSET);
    if (m_document != nullptr && number >= 0 && number < MV100::MACRO_COUNT)
        record = m_document->config().macro(number);
    else if (m_config != nullptr)
        m_config->GetMacro(static_cast<unsigned char>(number), record.data());
    return record;
}

void MacroDialogExt::storeMacro(int number, const Record &record, bool clear)
{
    if (number < 0)
        return;
    if (m_document != nullptr) {
        if (clear)
            m_document->clearMacro(number);
        else
            m_document->storeMacro(number, record);
    } else if (m_config != nullptr) {
        m_config->SetMacro(static_cast<unsigned char>(number), record.data());
    }
}

void MacroDialogExt::setUp()
{
    ui->setupUi(this);

    m_matrix = new KeyMatrixWidget(MATRIX_ROWS, MATRIX_COLUMNS, this);
    m_matrix->setRowHeaderVisible(false);
    m_matrix->setColHeaderVisible(false);
    m_matrix->setSpacing(4, 4);
    auto *scrollArea = new QScrollArea(this);
    scrollArea->setWidgetResizable(true);
    scrollArea->setWidget(m_matrix);
    scrollArea->setFocusPolicy(Qt::NoFocus);
    ui->vlayout_matrix->addWidget(scrollArea);
    connect(m_matrix, &KeyMatrixWidget::keyClicked, this,
            [this](int row, int col, Qt::MouseButton button) {
                if (button == Qt::LeftButton)
                    onKeyClicked(row, col);
            });

    // Filling the selectors must neither load a macro nor count as an edit.
    {
        const QSignalBlocker blocker(ui->cmb_macro);
        for (int number = 0; number < MV100::MACRO_COUNT; ++number)
            ui->cmb_macro->addItem(QString::number(number));
    }
    {
        const QSignalBlocker blocker(ui->cmb_timeout);
        for (int t = 0; t < TIMEOUT_ITEMS; ++t)
            ui->cmb_timeout->addItem(tr("%1 ms").arg(t * 100));
    }

    loadMacro(0);
}

MacroDialogExt::~MacroDialogExt()
{
    delete ui;
}

int MacroDialogExt::currentType() const
{
    const int type = ui->cmb_type->currentIndex();
    return type < 0 ? TypeStable : type;
}

int MacroDialogExt::cellCount(int type)
{
    switch (type) {
    case TypeCell16Bit:
        return 15;
    case TypeCell:
        return 30;
    default:
        return 31;
    }
}

void MacroDialogExt::loadMacro(int number)
{
    if (m_config != nullptr || m_document != nullptr)
        m_macro = storedMacro(number);

    // 0xFF (never set) and unknown types show as "Stable"; the bytes stay as stored.
    const int type = m_macro[0] <= TypeCell16Bit ? int(m_macro[0]) : int(TypeStable);
    {
        const QSignalBlocker typeBlocker(ui->cmb_type);
        const QSignalBlocker timeoutBlocker(ui->cmb_timeout);
        const QSignalBlocker macroBlocker(ui->cmb_macro);
        ui->cmb_type->setCurrentIndex(type);
        if (type == TypeCell || type == TypeCell16Bit)
            ui->cmb_timeout->setCurrentIndex(m_macro[1] < TIMEOUT_ITEMS ? m_macro[1] : -1);
        else
            ui->cmb_timeout->setCurrentIndex(0);
        ui->cmb_macro->setCurrentIndex(number);
    }
    applyTypeLayout();
    showCells();
    m_current = number;
    m_saved = true;
}

void MacroDialogExt::applyTypeLayout()
{
    const int type = currentType();
    const int count = cellCount(type);
    for (int i = 0; i < MATRIX_CELLS; ++i)
        m_matrix->setButtonVisible(i, i < count);
    ui->cmb_timeout->setEnabled(type == TypeCell || type == TypeCell16Bit);
}

void MacroDialogExt::showCells()
{
    m_matrix->clearAllTexts();
    const int type = currentType();
    const int count = cellCount(type);
    for (int i = 0; i < count; ++i) {
        if (type == TypeCell16Bit)
            m_matrix->setButtonText(i, twoByteText(m_macro[2 + 2 * i], m_macro[3 + 2 * i]));
        else
            m_matrix->setButtonText(i, oneByteText(m_macro[(type == TypeCell ? 2 : 1) + i]));
    }
}

QString MacroDialogExt::oneByteText(unsigned char code)
{
    if (code == 0x00 || code == UNSET)
        return QString();
    return QString::fromWCharArray(CKeyTable().GetMacroKeyName(code, 0xFFFF));
}

QString MacroDialogExt::twoByteText(unsigned char high, unsigned char low)
{
    QString text;
    if (high != 0x00 && high != UNSET)
        text = QString::fromWCharArray(CKeyTable().GetModifierKeyName(high, 0x00FF))
            + QLatin1Char('\n');
    return text + oneByteText(low);
}

bool MacroDialogExt::confirmDiscard(const QString &text)
{
    return QMessageBox::question(this, tr("Macro not saved"), text,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

void MacroDialogExt::reject()
{
    if (!m_saved
        && !confirmDiscard(
            tr("The current macro has unsaved changes.\nDiscard them and close the editor?")))
        return;
    QDialog::reject();
}

void MacroDialogExt::onKeyClicked(int row, int col)
{
    const int type = currentType();
    const int i = row * MATRIX_COLUMNS + col;
    if (row < 0 || col < 0 || col >= MATRIX_COLUMNS || i >= cellCount(type))
        return;

    if (type == TypeCell16Bit) {
        const int high = 2 + 2 * i;
        const int low = 3 + 2 * i;
        KeySelectExtDialog picker;
        picker.setUsbCode(static_cast<unsigned short>((m_macro[high] << 8) | m_macro[low]));
        if (picker.exec() != QDialog::Accepted)
            return;
        const unsigned short code = picker.usbCode();
        m_macro[high] = static_cast<unsigned char>(code >> 8);
        m_macro[low] = static_cast<unsigned char>(code & 0x00FF);
        m_matrix->setButtonText(i, twoByteText(m_macro[high], m_macro[low]));
    } else {
        const int offset = (type == TypeCell ? 2 : 1) + i;
        KeySelectDialog picker;
        picker.setUsbCode(m_macro[offset]);
        if (picker.exec() != QDialog::Accepted)
            return;
        m_macro[offset] = static_cast<unsigned char>(picker.usbCode() & 0x00FF);
        m_matrix->setButtonText(i, oneByteText(m_macro[offset]));
    }
    m_saved = false;
}

void MacroDialogExt::on_cmb_macro_currentIndexChanged(int index)
{
    if (index < 0 || index >= MV100::MACRO_COUNT)
        return;
    if (!m_saved
        && !confirmDiscard(tr(
            "The current macro has unsaved changes.\nDiscard them and load the selected macro?"))) {
        const QSignalBlocker blocker(ui->cmb_macro);
        ui->cmb_macro->setCurrentIndex(m_current);
        return;
    }
    loadMacro(index);
}

void MacroDialogExt::on_cmb_type_currentIndexChanged(int)
{
    // The same bytes are now read with the new type's layout; redraw them that way.
    applyTypeLayout();
    showCells();
    m_saved = false;
}

void MacroDialogExt::on_cmb_timeout_currentIndexChanged(int)
{
    m_saved = false;
}

void MacroDialogExt::on_btn_save_clicked()
{
    const int type = ui->cmb_type->currentIndex();
    Record record = m_macro;
    record[0] = type < 0 ? UNSET : static_cast<unsigned char>(type);
    if (type == TypeCell || type == TypeCell16Bit) {
        const int timeout = ui->cmb_timeout->currentIndex();
        record[1] = timeout < 0 ? UNSET : static_cast<unsigned char>(timeout);
    }
    storeMacro(ui->cmb_macro->currentIndex(), record, false);
    m_saved = true;
    emit macroStored();
}

void MacroDialogExt::on_btn_clearall_clicked()
{
    if (QMessageBox::question(this, tr("Clear Macro"),
                              tr("The current macro will be cleared.\nAre you sure?"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;

    Record record {};
    record[0] = UNSET;
    storeMacro(ui->cmb_macro->currentIndex(), record, true);
    m_macro = record;
    applyTypeLayout();
    showCells();
    m_saved = true;
    emit macroStored();
}
