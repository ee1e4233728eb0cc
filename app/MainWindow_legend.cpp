// MainWindow: File > Export Legend and Print Legend, on the layer tab shown.
#include "MainWindow.h"
#include "ui_mainwindow.h"

#include "CellEditing.h"
#include "LegendDialog.h"

#include <QAction>
#include <QDir>
#include <QStatusBar>

#include <algorithm>

void MainWindow::createLegendActions()
{
    auto *exportAction
        = new QAction(QIcon(QStringLiteral(":/icons/res/png/legend-export_32px.png")),
                      tr("Export Legend\u2026"), this);
    exportAction->setObjectName(QStringLiteral("actionExportLegend"));
    auto *printAction = new QAction(QIcon(QStringLiteral(":/icons/res/png/legend-print_32px.png")),
                                    tr("Print Legend\u2026"), this);
    printAction->setObjectName(QStringLiteral("actionPrintLegend"));

    // A group of their own after the Save commands.
    const QList<QAction *> actions = ui->menuFile->actions();
    QAction *saveAs = findChild<QAction *>(QStringLiteral("actionSaveAs"));
    QAction *before = actions.value(actions.indexOf(saveAs) + 1, ui->actionExit);
    ui->menuFile->insertSeparator(before);
    ui->menuFile->insertActions(before, {exportAction, printAction});

    connect(exportAction, &QAction::triggered, this, &MainWindow::exportLegend);
    connect(printAction, &QAction::triggered, this, &MainWindow::printLegend);
}

void MainWindow::exportLegend()
{
    // On a settings tab the legend shows the Default layer.
    const int layer = std::max(0, m_cellEditing->currentLayer());
    const QStringList files
        = LegendDialog::exportLegend(this, m_document.config(), layer, m_document.fileName());
    if (!files.isEmpty()) {
        statusBar()->showMessage(
            tr("Legend saved: %1").arg(QDir::toNativeSeparators(files.join(QLatin1String(", ")))),
            5000);
    }
}

void MainWindow::printLegend()
{
    // On a settings tab the legend shows the Default layer.
    const int layer = std::max(0, m_cellEditing->currentLayer());
    LegendDialog::printLegend(this, m_document.config(), layer, m_document.fileName());
}
