// MainWindow: construction, destruction, the close guard, Exit and Forum.
#include "MainWindow.h"
#include "ui_mainwindow.h"

#include "KeyMatrixWidget.h"
#include "MakerLinks.h"
#include "Startup.h"

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
// The form has LED outputs 0 to 7; a few more indexes are looked for so that a form with more
// rows is wired without touching this code.
constexpr int LED_COMBO_LOOKUP_COUNT = 10;

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

    for (int i = 0; i < LED_COMBO_LOOKUP_COUNT; ++i) {
        auto *combo = findChild<QComboBox *>(QStringLiteral("led_cmb_function_%1").arg(i));
        if (combo == nullptr)
            continue;
        connect(combo, &QComboBox::currentIndexChanged, this,
                [this, i](int index) { onLedCmbFunctionChanged(i, index); });
    }

    m_matrices.resize(3);
    m_matrices[0] = createMatrixTab(ui->tab_default);
    m_matrices[1] = createMatrixTab(ui->tab_fn1);
    m_matrices[2] = createMatrixTab(ui->tab_fn2);

    m_config.ClearAll();

    for (int layer = 0; layer < m_matrices.size(); ++layer) {
        connect(m_matrices[layer], &KeyMatrixWidget::keyClicked, this,
                [this, layer](int row, int col, Qt::MouseButton button) {
                    onKeyClicked(layer, row, col, button);
                });
    }

    QSettings settings(QString::fromLatin1(Startup::SETTINGS_ORGANISATION),
                       QString::fromLatin1(Startup::SETTINGS_APPLICATION));
    m_recentFiles = settings.value(QStringLiteral("recentFiles")).toStringList();
    updateRecentFilesMenu();

    setHexValidator(ui->main_edit_pin, 16);
    setHexValidator(ui->pin_edit_pin, 16);
    setHexValidator(ui->custom_edit, 32);

    m_changed = false;
    Clear();
    // Only now: the reset above is the program's own doing, not an edit.
    connectSettingEdits();
}

MainWindow::~MainWindow()
{
    hid_exit();
    delete ui;
}

bool MainWindow::confirmDiscardChanges(const QString &title)
{
    if (!m_changed)
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
