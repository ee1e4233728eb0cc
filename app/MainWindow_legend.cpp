// MainWindow: File > Export Legend and Print Legend, on the layer tab shown.
#include "MainWindow.h"
#include "ui_mainwindow.h"

#include "LegendDialog.h"

#include <QAction>
#include <QDir>
#include <QStatusBar>

namespace {
// The layer of the tab shown; any other tab counts as the Default layer.
int shownLayer(const Ui::MainWindow *ui)
{
    const QWidget *tab = ui->tabWidget->currentWidget();
    if (tab == ui->tab_fn1)
        return 1;
    if (tab == ui->tab_fn2)
        return 2;
    return 0;
}
} // namespace

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
    const auto *saveAs = findChild<QAction *>(QStringLiteral("actionSaveAs"));
    QAction *before = actions.value(actions.indexOf(const_cast<QAction *>(saveAs)) + 1,
                                    ui->actionExit);
    ui->menuFile->insertSeparator(before);
    ui->menuFile->insertActions(before, {exportAction, printAction});

    connect(exportAction, &QAction::triggered, this, &MainWindow::exportLegend);
    connect(printAction, &QAction::triggered, this, &MainWindow::printLegend);
}

void MainWindow::exportLegend()
{
    const QStringList files = LegendDialog::exportLegend(this, m_document.config(), shownLayer(ui),
                                                         m_document.fileName());
    if (!files.isEmpty()) {
        statusBar()->showMessage(
            tr("Legend saved: %1").arg(QDir::toNativeSeparators(files.join(QLatin1String(", ")))),
            5000);
    }
}

void MainWindow::printLegend()
{
    LegendDialog::printLegend(this, m_document.config(), shownLayer(ui), m_document.fileName());
}
