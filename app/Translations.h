// Translations: which language the editor shows, loading its translation and Qt's, and the
// Options > Language menu that chooses it for the next start.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class QMenu;
class QWidget;

class Translations
{
    Q_DECLARE_TR_FUNCTIONS(Translations)

public:
    // The stored choice: "system", "en" or "de" (the settings key "language").
    static constexpr const char *SETTINGS_KEY = "language";
    static QString languageSetting();
    static void setLanguageSetting(const QString &setting);

    // The language shown for a choice: "en" or "de". "system" (and any unknown value) takes the
    // first of the user's interface languages that the editor has, English when none is.
    static QString resolve(const QString &setting, const QStringList &uiLanguages);

    // Installs the editor's and Qt's translators for the stored choice and the system's
    // languages, replacing those installed by an earlier call; returns the language now shown.
    static QString install();

    // Appends the Language submenu ("menuLanguage") to the Options menu; a choice is stored and
    // takes effect when the editor is started again.
    static QMenu *addLanguageMenu(QMenu *options, QWidget *window);
};
