// MainWindow: the key layer tabs, the cell drawing, the Clear Table actions and the editor reset.
#include "MainWindow.h"
#include "ui_mainwindow.h"

#include "ButtonDialog.h"
#include "CellLabel.h"
#include "KeyMatrixWidget.h"

#include <QScrollArea>
#include <QVBoxLayout>

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

    const CellLabel label = CellLabel::of(code, m_document.config());
    matrix->setButtonText(y, x, label.text);
    matrix->setButtonTextColor(y, x, label.color);
    matrix->setButtonAccessibleName(y, x, label.accessibleName);
    matrix->setButtonToolTip(y, x, label.toolTip);
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
    // Macro cells name their macro's type in the tool tip; only the cells of that macro show it.
    connect(&m_document, &ConfigDocument::macroChanged, this, [this](int number) {
        const std::uint16_t macroCode = std::uint16_t(0x0200 | number);
        const Mv100Config &config = m_document.config();
        for (int layer = 0; layer < MV100::LAYERS; ++layer) {
            for (int y = 0; y < MV100::ROWS; ++y) {
                for (int x = 0; x < MV100::COLUMNS; ++x) {
                    if (config.keyCode(layer, x, y) == macroCode)
                        setButton(layer, x, y, macroCode);
                }
            }
        }
    });
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
    // A new configuration's PIN is the factory PIN.
    openConfiguration(Mv100Config(), QString());
}

void MainWindow::openConfiguration(const Mv100Config &config, const QString &fileName)
{
    m_document.reset(config, fileName);
    // The configuration's PIN becomes the device's PIN too: after a Write the device has it.
    m_document.setDevicePin(config.settings().newPin);
}
