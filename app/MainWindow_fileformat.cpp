// MainWindow: the lines of a configuration file (placeholder until the file format lands).
#include "MainWindow.h"

QList<QString> MainWindow::GetItems()
{
    return {};
}

void MainWindow::SetItems(QList<QString> items)
{
    Q_UNUSED(items);
}

QString MainWindow::checkItems(const QList<QString> &items)
{
    Q_UNUSED(items);
    return tr("Configuration files are not supported yet.");
}
