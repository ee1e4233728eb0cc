// MainWindow: File > New, Open, Save, Save As, the recently opened files and the window title.
#include "MainWindow.h"
#include "ui_mainwindow.h"

#include "ConfigFile.h"
#include "DeviceInfoPanel.h"
#include "RecentFiles.h"
#include "Startup.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>

namespace {
QString suffix()
{
    return QStringLiteral(".mv100");
}

void storeLastDir(const QString &fileName)
{
    Startup::settingsStore().setValue(QLatin1String(Startup::SETTINGS_KEY_LAST_DIR),
                                      QFileInfo(fileName).absolutePath());
}
} // namespace

void MainWindow::on_actionNew_triggered()
{
    if (!confirmDiscardChanges(tr("New Configuration")))
        return;
    Clear();
    DeviceInfoPanel::clear(ui);
}

void MainWindow::on_actionOpen_triggered()
{
    if (!confirmDiscardChanges(tr("New Configuration")))
        return;
    const QString fileName
        = QFileDialog::getOpenFileName(this, tr("MV100 File open"), Startup::lastDir(),
                                       tr("MV100 Files (*.mv100);;All Files (*)"));
    if (fileName.isEmpty())
        return;
    storeLastDir(fileName);
    loadConfiguration(fileName, false);
}

void MainWindow::on_actionSave_triggered()
{
    // A configuration that has a file is saved there; a new one is given a name first.
    if (m_document.fileName().isEmpty())
        saveAs();
    else
        saveTo(m_document.fileName());
}

void MainWindow::saveAs()
{
    const QString start
        = m_document.fileName().isEmpty() ? Startup::lastDir() : m_document.fileName();
    QString fileName = QFileDialog::getSaveFileName(this, tr("MV100 File save"), start,
                                                    tr("MV100 Dateien (*.mv100);;All Files (*)"));
    if (fileName.isEmpty())
        return;
    bool suffixAdded = false;
    if (!fileName.endsWith(suffix(), Qt::CaseInsensitive)) {
        fileName += suffix();
        suffixAdded = true;
    }
    storeLastDir(fileName);

    // The dialog asked about the name as typed; with the suffix it may name another file.
    if (suffixAdded && QFileInfo::exists(fileName)) {
        QMessageBox box(this);
        box.setWindowTitle(tr("MV100 File save"));
        box.setText(tr("The file %1 already exists.\nDo you want to replace it?")
                        .arg(QDir::toNativeSeparators(fileName)));
        box.setIcon(QMessageBox::Question);
        QPushButton *yes = box.addButton(tr("Yes"), QMessageBox::YesRole);
        box.addButton(tr("Cancel"), QMessageBox::RejectRole);
        box.exec();
        if (box.clickedButton() != yes)
            return;
    }
    saveTo(fileName);
}

bool MainWindow::saveTo(const QString &fileName)
{
    QString error;
    if (!ConfigFile::write(fileName, m_document.config(), &error)) {
        QMessageBox::warning(
            this, tr("Save Configuration"),
            tr("The file %1 cannot be saved: %2").arg(QDir::toNativeSeparators(fileName), error));
        return false;
    }
    m_document.markSaved(fileName);
    addRecentFile(fileName);
    return true;
}

void MainWindow::updateTitle()
{
    const QString file = m_document.fileName();
    const QString shown = file.isEmpty() ? tr("Untitled") : QFileInfo(file).fileName();
    setWindowTitle(tr("%1[*] - %2").arg(shown, QString::fromLatin1(Startup::APPLICATION_NAME)));
    setWindowModified(m_document.isModified());
}

QList<QString> MainWindow::LoadFile(QString fileName)
{
    QList<QString> lines;
    if (!ConfigFile::readLines(fileName, &lines, nullptr))
        return {};
    return lines;
}

bool MainWindow::SaveFile(QString fileName, QList<QString> items)
{
    return ConfigFile::writeLines(fileName, items, nullptr);
}

bool MainWindow::loadConfiguration(const QString &fileName, bool recentEntry)
{
    Mv100Config config;
    ConfigFile::Refusal refusal;
    if (!ConfigFile::read(fileName, &config, &refusal)) {
        QMessageBox box(QMessageBox::Warning, tr("Open Configuration"),
                        tr("The file %1 cannot be opened: %2")
                            .arg(QDir::toNativeSeparators(fileName), refusal.reason),
                        recentEntry ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, this);
        // A recent entry that cannot be opened would stay in the way.
        if (recentEntry)
            box.setInformativeText(tr("Remove it from the list?"));
        if (box.exec() == QMessageBox::Yes)
            m_recentFiles->remove(fileName);
        return false;
    }
    openConfiguration(config, fileName);
    addRecentFile(fileName);
    return true;
}

void MainWindow::openRecentFile(const QString &fileName)
{
    if (!confirmDiscardChanges(tr("New Configuration")))
        return;
    loadConfiguration(fileName, true);
}

void MainWindow::addRecentFile(const QString &fileName)
{
    m_recentFiles->add(fileName);
}

void MainWindow::updateRecentFilesMenu()
{
    m_recentFiles->updateMenu();
}

const QList<QString> &MainWindow::recentFiles() const
{
    return m_recentFiles->files();
}
