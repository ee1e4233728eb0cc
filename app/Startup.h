// Start-up of the editor: style, application identity and language.
#pragma once

#include "AppIdentity.h"

#include <QSettings>
#include <QString>

class QApplication;

namespace Startup {
constexpr const char *APPLICATION_NAME = AppIdentity::APPLICATION_NAME;
constexpr const char *APPLICATION_VERSION = "1.0.4";
constexpr const char *SETTINGS_ORGANISATION = "tarnwicks";
constexpr const char *SETTINGS_APPLICATION = "mv100-editor";
// The folder of the last configuration file opened or saved.
constexpr const char *SETTINGS_KEY_LAST_DIR = "lastDir";

// The editor's settings store.
QSettings settingsStore();
// The folder the file dialogs start in; empty before any file was opened or saved.
QString lastDir();

// Makes the compiled-in icons available, sets the style and the application's name, version
// and window icon, and installs the translation of the chosen language.
void setupApplication(QApplication &app);
} // namespace Startup
