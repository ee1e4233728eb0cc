// AboutDialog: program name, version and year, the maker's links and the third-party licences.
#include "AboutDialog.h"

#include "MakerLinks.h"
#include "Startup.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QUrl>
#include <QVBoxLayout>

namespace {

struct Component
{
    const char *name;
    const char *licence;
    const char *licenceFile;
};

// clang-format off
const Component kComponents[] = {
    {"Qt 6",                  "LGPL-3.0",                 "LICENSE-qt.txt"},
    {"hidapi",                "Own license (permissive)", "LICENSE-hidapi.txt"},
    {"Google Material Icons", "Apache-2.0",               "LICENSE-google-material-icons.txt"},
};

struct Link
{
    const char *title;
    const char *target;
};

const Link kLinks[] = {
    {"Homepage", MakerLinks::HOMEPAGE},
    {"Support",  MakerLinks::SUPPORT_MAIL},
    {"Forum",    MakerLinks::FORUM},
};
// clang-format on

constexpr const char *YEAR = "2026";

// Selectable text whose links work with mouse and keyboard but are handed to the dialog
// instead of being opened by the label.
QLabel *linkLabel(const QString &html, QWidget *parent)
{
    auto *label = new QLabel(html, parent);
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse
                                   | Qt::LinksAccessibleByKeyboard);
    label->setOpenExternalLinks(false);
    return label;
}

} // namespace

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
{
    const QString programName = QString::fromLatin1(Startup::APPLICATION_NAME);
    setWindowTitle(tr("About %1").arg(programName));

    auto *layout = new QVBoxLayout(this);

    auto *header = new QLabel(QStringLiteral("<b>%1</b><br>Version %2<br>%3")
                                  .arg(programName.toHtmlEscaped(),
                                       QString::fromLatin1(Startup::APPLICATION_VERSION),
                                       QString::fromLatin1(YEAR)),
                              this);
    header->setTextFormat(Qt::RichText);
    layout->addWidget(header);

    for (const Link &link : kLinks) {
        const QString target = QString::fromUtf8(link.target);
        // A bare address is a mail address.
        const QString href
            = target.contains(QLatin1String("://")) ? target : QStringLiteral("mailto:") + target;
        QLabel *label = linkLabel(
            QStringLiteral("%1: <a href=\"%2\">%3</a>")
                .arg(QString::fromUtf8(link.title), href.toHtmlEscaped(), target.toHtmlEscaped()),
            this);
        connect(label, &QLabel::linkActivated, this, &AboutDialog::OpenExternalLink);
        layout->addWidget(label);
    }

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);

    layout->addWidget(new QLabel(tr("Third-party components:"), this));

    for (const Component &component : kComponents) {
        QLabel *label = linkLabel(QStringLiteral("<a href=\"%1\">%2 (%3)</a>")
                                      .arg(QString::fromUtf8(component.licenceFile),
                                           QString::fromUtf8(component.name),
                                           QString::fromUtf8(component.licence)),
                                  this);
        connect(label, &QLabel::linkActivated, this, &AboutDialog::OpenLicenseFile);
        layout->addWidget(label);
    }

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QString AboutDialog::programFolder() const
{
    return QCoreApplication::applicationDirPath();
}

void AboutDialog::OpenLicenseFile(QString const &fileName)
{
    const QString dir = programFolder();
    const QString candidates[] = {
        dir + QStringLiteral("/licenses/"),
        dir + QStringLiteral("/../share/doc/mv100-editor/"),
    };

    QString found;
    for (const QString &candidate : candidates) {
        // A folder of that name is no licence text.
        if (QFileInfo(candidate + fileName).isFile()) {
            found = candidate + fileName;
            break;
        }
    }

    if (found.isEmpty()) {
        QMessageBox::warning(this, windowTitle(),
                             tr("License file not found.\n\n%1")
                                 .arg(QDir::toNativeSeparators(candidates[0] + fileName)));
        return;
    }

    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(found))) {
        QMessageBox::warning(
            this, windowTitle(),
            tr("Could not open the license file.\n\n%1").arg(QDir::toNativeSeparators(found)));
    }
}

void AboutDialog::OpenExternalLink(QString const &link)
{
    if (!QDesktopServices::openUrl(QUrl(link, QUrl::TolerantMode))) {
        QMessageBox::warning(this, windowTitle(), tr("Could not open the link.\n\n%1").arg(link));
    }
}
