// LegendDialog: the legend choices built in code, and the export and print commands.
#include "LegendDialog.h"

#include "Startup.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
// The folder and base name the file dialog proposes: the configuration's, else the folder of the
// last file opened or saved.
QString proposedPath(const QString &configFile, LegendDialog::Format format)
{
    QString folder;
    QString base = QStringLiteral("legend");
    if (!configFile.isEmpty()) {
        const QFileInfo info(configFile);
        folder = info.absolutePath();
        base = info.completeBaseName() + QLatin1String("-legend");
    } else {
        folder = Startup::lastDir();
    }
    const QString suffix
        = format == LegendDialog::Format::Pdf ? QStringLiteral(".pdf") : QStringLiteral(".png");
    return folder.isEmpty() ? base + suffix : QDir(folder).filePath(base + suffix);
}

bool confirmReplace(QWidget *parent, const QStringList &files)
{
    if (files.isEmpty())
        return true;
    QStringList shown;
    for (const QString &file : files)
        shown.append(QDir::toNativeSeparators(file));
    QMessageBox box(parent);
    box.setWindowTitle(LegendDialog::tr("Export Legend"));
    box.setText(LegendDialog::tr("These files already exist:\n%1\nDo you want to replace them?")
                    .arg(shown.join(QLatin1Char('\n'))));
    box.setIcon(QMessageBox::Question);
    QPushButton *yes = box.addButton(LegendDialog::tr("Yes"), QMessageBox::YesRole);
    box.addButton(LegendDialog::tr("Cancel"), QMessageBox::RejectRole);
    box.exec();
    return box.clickedButton() == yes;
}
} // namespace

LegendDialog::LegendDialog(Purpose purpose, int currentLayer, QWidget *parent)
    : QDialog(parent)
    , m_currentLayer(currentLayer)
{
    setWindowTitle(purpose == Purpose::Export ? tr("Export Legend") : tr("Print Legend"));

    auto *layers = new QGroupBox(tr("Layers"), this);
    m_current = new QRadioButton(
        tr("Current layer (%1)").arg(LegendRenderer::layerName(currentLayer)), layers);
    m_current->setObjectName(QStringLiteral("radio_current_layer"));
    m_current->setChecked(true);
    m_all = new QRadioButton(tr("All layers, one page each"), layers);
    m_all->setObjectName(QStringLiteral("radio_all_layers"));
    auto *layersLayout = new QVBoxLayout(layers);
    layersLayout->addWidget(m_current);
    layersLayout->addWidget(m_all);

    m_trim = new QCheckBox(tr("Leave out empty rows and columns"), this);
    m_trim->setObjectName(QStringLiteral("check_trim_empty"));

    auto *format = new QGroupBox(tr("Format"), this);
    m_pdf = new QRadioButton(tr("PDF (A4 landscape)"), format);
    m_pdf->setObjectName(QStringLiteral("radio_pdf"));
    m_pdf->setChecked(true);
    m_png = new QRadioButton(tr("PNG (one image per layer)"), format);
    m_png->setObjectName(QStringLiteral("radio_png"));
    auto *formatLayout = new QVBoxLayout(format);
    formatLayout->addWidget(m_pdf);
    formatLayout->addWidget(m_png);
    format->setVisible(purpose == Purpose::Export);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)
        ->setText(purpose == Purpose::Export ? tr("Export\u2026") : tr("Print\u2026"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(layers);
    layout->addWidget(m_trim);
    layout->addWidget(format);
    layout->addWidget(buttons);
}

LegendOptions LegendDialog::options() const
{
    LegendOptions options;
    options.layers
        = m_all->isChecked() ? LegendOptions::Layers::All : LegendOptions::Layers::Current;
    options.currentLayer = m_currentLayer;
    options.trimEmpty = m_trim->isChecked();
    return options;
}

LegendDialog::Format LegendDialog::format() const
{
    return m_png->isChecked() ? Format::Png : Format::Pdf;
}

QStringList LegendDialog::exportLegend(QWidget *parent, const Mv100Config &config, int currentLayer,
                                       const QString &configFile)
{
    LegendDialog dialog(Purpose::Export, currentLayer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const Format format = dialog.format();
    LegendOptions options = dialog.options();
    options.fileName = configFile;

    const bool pdf = format == Format::Pdf;
    QString file = QFileDialog::getSaveFileName(
        parent, tr("Export Legend"), proposedPath(configFile, format),
        pdf ? tr("PDF Files (*.pdf)") : tr("PNG Images (*.png)"));
    if (file.isEmpty())
        return {};
    const QString suffix = pdf ? QStringLiteral(".pdf") : QStringLiteral(".png");
    const bool suffixAdded = !file.endsWith(suffix, Qt::CaseInsensitive);
    if (suffixAdded)
        file += suffix;

    // The file dialog asked about the name it was given; ask about any other file replaced.
    const QStringList files
        = pdf ? QStringList {file} : LegendRenderer::pngFileNames(file, options);
    QStringList existing;
    for (const QString &written : files) {
        if ((written != file || suffixAdded) && QFileInfo::exists(written))
            existing.append(written);
    }
    if (!confirmReplace(parent, existing))
        return {};

    QString error;
    const bool written = pdf ? LegendRenderer::exportPdf(file, config, options, &error)
                             : LegendRenderer::exportPng(file, config, options, &error);
    if (!written) {
        QMessageBox::warning(
            parent, tr("Export Legend"),
            tr("The legend cannot be saved as %1: %2").arg(QDir::toNativeSeparators(file), error));
        return {};
    }
    return files;
}

bool LegendDialog::printLegend(QWidget *parent, const Mv100Config &config, int currentLayer,
                               const QString &configFile)
{
    LegendDialog dialog(Purpose::Print, currentLayer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    LegendOptions options = dialog.options();
    options.fileName = configFile;

    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(tr("Key legend"));
    QPrintDialog printDialog(&printer, parent);
    printDialog.setWindowTitle(tr("Print Legend"));
    if (printDialog.exec() != QDialog::Accepted)
        return false;
    LegendRenderer::print(&printer, config, options);
    return true;
}
