// Start-up of the editor: style, application identity and language.
#pragma once

class QApplication;

namespace Startup {
constexpr const char *APPLICATION_NAME = "Morvantide100 Editor";
constexpr const char *APPLICATION_VERSION = "1.0.4";
constexpr const char *SETTINGS_ORGANISATION = "tarnwicks";
constexpr const char *SETTINGS_APPLICATION = "mv100-editor";

// Makes the compiled-in icons available, sets the style and the application's name, version
// and window icon, and installs the translation of the chosen language.
void setupApplication(QApplication &app);
} // namespace Startup
