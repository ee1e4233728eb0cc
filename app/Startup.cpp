// Start-up of the editor: style, application identity and language.
#include "Startup.h"

#include "Translations.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

// The icons are compiled into the static editor library, whose resource object the linker would
// drop unless something refers to it; the macro must stand outside any namespace.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace Startup {

QSettings settingsStore()
{
    return QSettings(QString::fromLatin1(SETTINGS_ORGANISATION),
                     QString::fromLatin1(SETTINGS_APPLICATION));
}

QString lastDir()
{
    return settingsStore().value(QLatin1String(SETTINGS_KEY_LAST_DIR)).toString();
}

void setupApplication(QApplication &app)
{
    initResources();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setApplicationName(QString::fromLatin1(APPLICATION_NAME));
    QApplication::setApplicationVersion(QString::fromLatin1(APPLICATION_VERSION));
    app.setWindowIcon(QIcon(QStringLiteral(":/icons/keyboard-alt-tools_512px.png")));
    Translations::install();
}

} // namespace Startup
