// MainWindow: File > New, Open, Save, the recently opened files and the file's text encoding.
#include "MainWindow.h"
#include "ui_mainwindow.h"

#include "ConfigFile.h"
#include "Startup.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>

namespace {
constexpr int MAX_RECENT_FILES = 10;

const char *const KEY_RECENT_FILES = "recentFiles";
const char *const KEY_LAST_DIR = "lastDir";

QString suffix()
{
    return QStringLiteral(".mv100");
}

QString lastDir()
{
    const QSettings settings(QString::fromLatin1(Startup::SETTINGS_ORGANISATION),
                             QString::fromLatin1(Startup::SETTINGS_APPLICATION));
    return settings.value(QLatin1String(KEY_LAST_DIR)).toString();
}

void storeLastDir(const QString &fileName)
{
    QSettings settings(QString::fromLatin1(Startup::SETTINGS_ORGANISATION),
                       QString::fromLatin1(Startup::SETTINGS_APPLICATION));
    settings.setValue(QLatin1String(KEY_LAST_DIR), QFileInfo(fileName).absolutePath());
}

} // namespace

void MainWindow::on_actionNew_triggered()
{
    if (!confirmDiscardChanges(tr("New Configuration")))
        return;
    Clear();
    for (QLabel *label :
         {ui->info_label_vid, ui->info_label_pid, ui->info_label_sn, ui->info_label_ver,
          ui->info_label_customdata, ui->info_label_lock, ui->info_label_erasecount}) {
        label->setText(tr("-"));
    }
}

void MainWindow::on_actionOpen_triggered()
{
    if (!confirmDiscardChanges(tr("New Configuration")))
        return;
    const QString fileName = QFileDialog::getOpenFileName(
        this, tr("MV100 File open"), lastDir(), tr("MV100 Files (*.mv100);;All Files (*)"));
    if (fileName.isEmpty())
        return;
    storeLastDir(fileName);
    loadConfiguration(fileName);
}

void MainWindow::on_actionSave_triggered()
{
    QString fileName = QFileDialog::getSaveFileName(this, tr("MV100 File save"), lastDir(),
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

    QString error;
    if (!ConfigFile::write(fileName, m_document.config(), &error)) {
        QMessageBox::warning(
            this, tr("Save Configuration"),
            tr("The file %1 cannot be saved: %2").arg(QDir::toNativeSeparators(fileName), error));
        return;
    }
    m_document.markSaved(fileName);
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

bool MainWindow::loadConfiguration(const QString &fileName)
{
    Mv100Config config;
    ConfigFile::Refusal refusal;
    if (!ConfigFile::read(fileName, &config, &refusal)) {
        QMessageBox::warning(this, tr("Open Configuration"),
                             tr("The file %1 cannot be opened: %2")
                                 .arg(QDir::toNativeSeparators(fileName), refusal.reason));
        return false;
    }
    m_document.reset(config, fileName);
    // The saved PIN becomes the device's PIN too: after a Write the device has it.
    m_document.setDevicePin(config.settings().newPin);
    addRecentFile(fileName);
    return true;
}

void MainWindow::openRecentFile(const QString &fileName)
{
    if (!confirmDiscardChanges(tr("New Configuration")))
        return;
    loadConfiguration(fileName);
}

void MainWindow::addRecentFile(const QString &fileName)
{
    m_recentFiles.removeAll(fileName);
    m_recentFiles.prepend(fileName);
    while (m_recentFiles.size() > MAX_RECENT_FILES)
        m_recentFiles.removeLast();

    QSettings settings(QString::fromLatin1(Startup::SETTINGS_ORGANISATION),
                       QString::fromLatin1(Startup::SETTINGS_APPLICATION));
    settings.setValue(QLatin1String(KEY_RECENT_FILES), QStringList(m_recentFiles));
    updateRecentFilesMenu();
}

void MainWindow::updateRecentFilesMenu()
{
    QMenu *menu = ui->menuRecently_Opened;
    // This runs inside the handler of one of the entries it replaces: they are deleted only
    // once control is back in the event loop.
    const QList<QAction *> old = menu->actions();
    for (QAction *action : old) {
        menu->removeAction(action);
        action->deleteLater();
    }

    if (m_recentFiles.isEmpty()) {
        menu->addAction(tr("(empty)"))->setEnabled(false);
        return;
    }
    menu->setToolTipsVisible(true);
    for (const QString &path : std::as_const(m_recentFiles)) {
        // A "&" in a file name is a letter, not a mnemonic.
        QString text = QFileInfo(path).fileName();
        text.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction *action = menu->addAction(text);
        action->setToolTip(path);
        connect(action, &QAction::triggered, this, [this, path]() { openRecentFile(path); });
    }
}
