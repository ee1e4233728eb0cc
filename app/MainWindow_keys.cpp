// MainWindow: the key layer tabs, the cell drawing, the Clear Table actions and the editor reset.
#include "MainWindow.h"
#include "ui_mainwindow.h"

#include "ButtonDialog.h"
#include "CKeyTable.h"
#include "KeyDescription.h"
#include "KeyMatrixWidget.h"
#include "MaterialColor.h"

#include <QScrollArea>
#include <QVBoxLayout>

namespace {
constexpr unsigned short CODE_NONE = 0xFFFF;
// Media, mouse and LED names are looked up without bit 11, which no table code carries.
constexpr unsigned short FUNCTION_MASK = 0xF7FF;
constexpr unsigned short LOW_BYTE_MASK = 0x00FF;

QString fromWide(const wchar_t *text)
{
    return QString::fromWCharArray(text);
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
    // Tab goes to the matrix itself, not to the area around it.
    scroll->setFocusPolicy(Qt::NoFocus);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(scroll);
    return matrix;
}

void MainWindow::onKeyClicked(int layer, int row, int col, Qt::MouseButton button)
{
    // Any mouse button assigns: the right and middle buttons have no other meaning here.
    Q_UNUSED(button);
    if (!Mv100Config::isCell(layer, col, row))
        return;

    const unsigned short current = m_document.config().keyCode(layer, col, row);
    ButtonDialog dialog(static_cast<unsigned char>(col), static_cast<unsigned char>(row), current,
                        this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The document mirrors an FN key of the Default layer in the same step.
    m_document.assignKey(layer, col, row, dialog.m_code);
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
    matrix->setButtonAccessibleName(y, x, QString::fromStdWString(KeyDescription::shortName(code)));
    QString tip = QString::fromStdWString(KeyDescription::toolTip(code));
    if (high == 0x02 && code != CODE_NONE) {
        // Which macro, and what kind of macro it is now.
        static const char *const types[] = {QT_TR_NOOP("Stable"), QT_TR_NOOP("Typing"),
                                            QT_TR_NOOP("Cell"), QT_TR_NOOP("Cell 16Bit")};
        const int number = code & LOW_BYTE_MASK;
        const int type = number < MV100::MACRO_COUNT ? m_document.config().macro(number)[0] : 0xFF;
        tip += QLatin1Char('\n')
            + (type < 4 ? tr("Macro type: %1").arg(tr(types[type])) : tr("Macro not set"));
    }
    matrix->setButtonToolTip(y, x, tip);
}

void MainWindow::redrawLayer(int layer)
{
    const Mv100Config &config = m_document.config();
    for (int y = 0; y < MV100::ROWS; ++y) {
        for (int x = 0; x < MV100::COLUMNS; ++x)
            setButton(layer, x, y, config.keyCode(layer, x, y));
    }
}

void MainWindow::connectLayerTabs()
{
    connect(&m_document, &ConfigDocument::cellChanged, this, [this](int layer, int x, int y) {
        setButton(layer, x, y, m_document.config().keyCode(layer, x, y));
    });
    connect(&m_document, &ConfigDocument::layerChanged, this, &MainWindow::redrawLayer);
    connect(&m_document, &ConfigDocument::configReplaced, this, &MainWindow::redrawAllCells);
    // Macro cells name their macro's type in the tool tip.
    connect(&m_document, &ConfigDocument::macroChanged, this, &MainWindow::redrawAllCells);
}

void MainWindow::redrawAllCells()
{
    for (int layer = 0; layer < MV100::LAYERS; ++layer)
        redrawLayer(layer);
}

void MainWindow::on_actionDefault_triggered()
{
    m_document.clearLayer(0);
}

void MainWindow::on_actionFN1_triggered()
{
    m_document.clearLayer(1);
}

void MainWindow::on_actionFN2_triggered()
{
    m_document.clearLayer(2);
}

void MainWindow::Clear()
{
    m_document.reset();
    m_document.setDevicePin(QString::fromLatin1(MV100_PIN::STRING));
}
