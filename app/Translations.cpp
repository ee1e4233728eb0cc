// Translations: the language choice, the translators and the Language menu.
#include "Translations.h"

#include "Startup.h"

#include <QAction>
#include <QActionGroup>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QTranslator>

#include <memory>

namespace {
// The translators this file installed carry this name, so that a later install() finds and
// replaces them without touching anyone else's.
const char *const TRANSLATOR_NAME = "mv100-translator";
const QString SYSTEM = QStringLiteral("system");
const QString ENGLISH = QStringLiteral("en");
const QString GERMAN = QStringLiteral("de");

bool installTranslator(const QString &fileName, const QString &folder)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(fileName, folder)) {
        qWarning("No translation %s in %s", qPrintable(fileName), qPrintable(folder));
        return false;
    }
    translator->setObjectName(QString::fromLatin1(TRANSLATOR_NAME));
    translator->setParent(QCoreApplication::instance());
    QCoreApplication::installTranslator(translator.release());
    return true;
}
} // namespace

QString Translations::languageSetting()
{
    const QString setting = Startup::settingsStore().value(QLatin1String(SETTINGS_KEY)).toString();
    return setting == ENGLISH || setting == GERMAN ? setting : SYSTEM;
}

void Translations::setLanguageSetting(const QString &setting)
{
    Startup::settingsStore().setValue(QLatin1String(SETTINGS_KEY), setting);
}

QString Translations::resolve(const QString &setting, const QStringList &uiLanguages)
{
    if (setting == ENGLISH || setting == GERMAN)
        return setting;
    // The first language the user reads that the editor has wins: a German desktop with English
    // as its fallback shows German, an English one with German as its fallback shows English.
    for (const QString &name : uiLanguages) {
        const QLocale::Language language = QLocale(name).language();
        if (language == QLocale::English)
            return ENGLISH;
        if (language == QLocale::German)
            return GERMAN;
    }
    return ENGLISH;
}

QString Translations::install()
{
    QCoreApplication *app = QCoreApplication::instance();
    const QList<QTranslator *> installed = app->findChildren<QTranslator *>(
        QString::fromLatin1(TRANSLATOR_NAME), Qt::FindDirectChildrenOnly);
    for (QTranslator *translator : installed) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }

    const QString language = resolve(languageSetting(), QLocale::system().uiLanguages());
    if (language == ENGLISH)
        return language; // the source texts are English
    installTranslator(QStringLiteral("mv100-editor_") + language, QStringLiteral(":/i18n"));
    // Qt's own texts: the standard buttons and dialogs.
    installTranslator(QStringLiteral("qtbase_") + language,
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return language;
}

QMenu *Translations::addLanguageMenu(QMenu *options, QWidget *window)
{
    auto *menu = new QMenu(tr("Language"), options);
    menu->setObjectName(QStringLiteral("menuLanguage"));
    auto *group = new QActionGroup(menu);
    group->setExclusive(true);

    // A language's own name is not translated, so that it can be found whatever is shown now.
    struct Choice
    {
        QString setting;
        const char *objectName;
        QString text;
    };
    const Choice choices[] = {
        {SYSTEM, "actionLanguageSystem", tr("System")},
        {ENGLISH, "actionLanguageEnglish", QStringLiteral("English")},
        {GERMAN, "actionLanguageGerman", QStringLiteral("Deutsch")},
    };
    const QString current = languageSetting();
    for (const Choice &choice : choices) {
        QAction *action = menu->addAction(choice.text);
        action->setObjectName(QString::fromLatin1(choice.objectName));
        action->setCheckable(true);
        action->setChecked(choice.setting == current);
        group->addAction(action);
        const QString setting = choice.setting;
        QObject::connect(action, &QAction::triggered, window, [window, setting]() {
            if (languageSetting() == setting)
                return;
            setLanguageSetting(setting);
            QMessageBox::information(window, tr("Language"),
                                     tr("The language changes when the editor is started again."));
        });
    }
    options->addSeparator();
    options->addMenu(menu);
    return menu;
}
