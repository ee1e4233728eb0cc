// MainWindow: File > New, Open, Save, the recently opened files and the file's text encoding.
#include "MainWindow.h"
#include "ui_mainwindow.h"

#include "Startup.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>
#include <QTextStream>

namespace {
constexpr int MAX_RECENT_FILES = 10;
// A configuration file is about 33 KB; a file far larger was chosen by mistake and is not read.
constexpr qint64 MAX_FILE_SIZE = 1024 * 1024;

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

// The non-empty lines of a UTF-16 LE file; false with the reason when it cannot be read.
bool readLines(const QString &fileName, QList<QString> *lines, QString *error)
{
    QFile file(fileName);
    // No text mode: the stream takes LF and CR LF line ends alike.
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("%s", qPrintable(QStringLiteral("Error: File open: ") + fileName));
        *error = file.errorString();
        return false;
    }
    if (file.size() > MAX_FILE_SIZE) {
        *error = MainWindow::tr("it is too large for a configuration file.");
        return false;
    }
    QTextStream stream(&file);
    stream.setEncoding(QStringConverter::Utf16LE);
    QString line;
    while (stream.readLineInto(&line)) {
        if (!line.isEmpty())
            lines->append(line);
    }
    return true;
}

// Writes every line with a bare LF in UTF-16 LE without byte-order mark. The file is replaced
// only once all of it has been written, so a failure leaves an existing file as it was.
bool writeLines(const QString &fileName, const QList<QString> &items, QString *error)
{
    QSaveFile file(fileName);
    QString reason;
    if (file.open(QIODevice::WriteOnly)) {
        QTextStream stream(&file);
        stream.setEncoding(QStringConverter::Utf16LE);
        stream.setGenerateByteOrderMark(false);
        for (const QString &line : items)
            stream << line << '\n';
        stream.flush();
        // Flushed here, the reason of a failure is still known; commit would only say that it
        // failed.
        if (stream.status() == QTextStream::Ok && file.flush()) {
            if (file.commit())
                return true;
            reason = file.errorString();
        } else {
            // A short write (full disk, size limit) leaves the file without an error of its own.
            reason = file.error() != QFileDevice::NoError
                ? file.errorString()
                : MainWindow::tr("not all of the data could be written.");
            file.cancelWriting();
        }
    } else {
        reason = file.errorString();
    }
    qWarning("%s", qPrintable(QStringLiteral("Error: Write :") + fileName));
    if (error != nullptr)
        *error = reason;
    return false;
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
    m_changed = false;
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
    if (!writeLines(fileName, GetItems(), &error)) {
        QMessageBox::warning(
            this, tr("Save Configuration"),
            tr("The file %1 cannot be saved: %2").arg(QDir::toNativeSeparators(fileName), error));
        return;
    }
    m_changed = false;
}

QList<QString> MainWindow::LoadFile(QString fileName)
{
    QList<QString> lines;
    QString error;
    if (!readLines(fileName, &lines, &error))
        return {};
    return lines;
}

bool MainWindow::SaveFile(QString fileName, QList<QString> items)
{
    return writeLines(fileName, items, nullptr);
}

bool MainWindow::loadConfiguration(const QString &fileName)
{
    QList<QString> lines;
    QString problem;
    if (readLines(fileName, &lines, &problem))
        problem = checkItems(lines);
    if (!problem.isEmpty()) {
        QMessageBox::warning(this, tr("Open Configuration"),
                             tr("The file %1 cannot be opened: %2")
                                 .arg(QDir::toNativeSeparators(fileName), problem));
        return false;
    }
    // Decoding only sets what the file holds (a mouse box of a clear bit is left alone), so the
    // file is applied to the reset editor.
    Clear();
    SetItems(lines);
    m_changed = false;
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
