// MainWindow: the 256 lines of a configuration file, taken from and given to the document.
#include "MainWindow.h"

#include "ConfigFile.h"

QList<QString> MainWindow::GetItems()
{
    return ConfigFile::toLines(m_document.config());
}

QString MainWindow::checkItems(const QList<QString> &items)
{
    return ConfigFile::check(items).reason;
}

void MainWindow::SetItems(QList<QString> items)
{
    Mv100Config config;
    if (!ConfigFile::fromLines(items, &config))
        return;
    openConfiguration(config, m_document.fileName());
}
