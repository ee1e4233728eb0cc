// MainWindow: construction, destruction, the close guard, Exit and Forum.
#include "MainWindow.h"
#include "ui_mainwindow.h"

#include "DeviceCommands.h"
#include "DeviceInfoPanel.h"
#include "KeyMatrixWidget.h"
#include "MakerLinks.h"
#include "RecentFiles.h"
#include "SettingsTabs.h"
#include "Startup.h"
#include "Translations.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSettings>
#include <QUrl>

#include <hidapi.h>

namespace {
void setHexValidator(QLineEdit *edit, int digits)
{
    const QRegularExpression pattern(QStringLiteral("^[0-9A-Fa-f]{0,%1}$").arg(digits));
    edit->setValidator(new QRegularExpressionValidator(pattern, edit));
}
} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    ui->actionNew->setShortcut(QKeySequence::New);
    ui->actionOpen->setShortcut(QKeySequence::Open);
    ui->actionSave->setShortcut(QKeySequence::Save);
    ui->actionExit->setShortcut(QKeySequence::Quit);

    m_matrices.resize(MV100::LAYERS);
    m_matrices[0] = createMatrixTab(ui->tab_default);
    m_matrices[1] = createMatrixTab(ui->tab_fn1);
    m_matrices[2] = createMatrixTab(ui->tab_fn2);
    for (int layer = 0; layer < m_matrices.size(); ++layer) {
        connect(m_matrices[layer], &KeyMatrixWidget::keyClicked, this,
                [this, layer](int row, int col, Qt::MouseButton button) {
                    onKeyClicked(layer, row, col, button);
                });
    }
    connectLayerTabs();

    setHexValidator(ui->main_edit_pin, 16);
    setHexValidator(ui->pin_edit_pin, 16);
    setHexValidator(ui->custom_edit, 32);
    m_settingsTabs = new SettingsTabs(ui, &m_document, this);
    m_deviceCommands = new DeviceCommands(
        this, &m_document, [this](const QString &title) { return confirmDiscardChanges(title); },
        [this](const QString &file) { loadConfiguration(file, false); });
    m_deviceCommands->createActions(ui->menuFile, ui->actionExit, ui->menuOptions);
    connect(m_deviceCommands, &DeviceCommands::deviceInfoRead, this,
            [this](const Mv100DeviceInfo &info) { DeviceInfoPanel::show(ui, info); });
    createEditMenu();
    Translations::addLanguageMenu(ui->menuOptions, this);

    m_recentFiles = new RecentFiles(ui->menuRecently_Opened, this);
    connect(m_recentFiles, &RecentFiles::openRequested, this, &MainWindow::openRecentFile);

    auto *saveAsAction = new QAction(tr("Save As…"), this);
    saveAsAction->setObjectName(QStringLiteral("actionSaveAs"));
    saveAsAction->setShortcut(QKeySequence::SaveAs);
    connect(saveAsAction, &QAction::triggered, this, &MainWindow::saveAs);
    const QList<QAction *> fileActions = ui->menuFile->actions();
    ui->menuFile->insertAction(fileActions.value(fileActions.indexOf(ui->actionSave) + 1),
                               saveAsAction);
    connect(&m_document, &ConfigDocument::fileNameChanged, this, &MainWindow::updateTitle);
    connect(&m_document, &ConfigDocument::modifiedChanged, this, &MainWindow::updateTitle);

    Clear();
    updateTitle();
    createLegendActions();
}

MainWindow::~MainWindow()
{
    hid_exit();
    delete ui;
}

bool MainWindow::confirmDiscardChanges(const QString &title)
{
    if (!m_document.isModified())
        return true;
    QMessageBox box(this);
    box.setWindowTitle(title);
    box.setText(tr("Changes have been made and not saved. Continue?"));
    box.setIcon(QMessageBox::Question);
    QPushButton *yes = box.addButton(tr("Yes"), QMessageBox::YesRole);
    box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    box.exec();
    return box.clickedButton() == yes;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!confirmDiscardChanges(tr("Exit"))) {
        event->ignore();
        return;
    }
    event->accept();
    QMainWindow::closeEvent(event);
}

void MainWindow::on_actionExit_triggered()
{
    close();
}

void MainWindow::on_actionForum_triggered()
{
    const QUrl url = QUrl::fromUserInput(QString::fromLatin1(MakerLinks::FORUM));
    if (!QDesktopServices::openUrl(url)) {
        QMessageBox::warning(
            this, tr("Forum"),
            tr("Der Standardbrowser konnte nicht geöffnet werden.\n\n%1").arg(url.toString()));
    }
}
