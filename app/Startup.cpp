// Start-up of the editor: style and application identity.
#include "Startup.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

namespace Startup {

void setupApplication(QApplication &app)
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setApplicationName(QString::fromLatin1(APPLICATION_NAME));
    QApplication::setApplicationVersion(QString::fromLatin1(APPLICATION_VERSION));
    app.setWindowIcon(QIcon(QStringLiteral(":/icons/keyboard-alt-tools_512px.png")));
}

} // namespace Startup
