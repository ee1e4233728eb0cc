// Tests of the German translation: nothing visible stays English, the English run is unchanged,
// the language choice takes effect at the next start, and the .ts file is complete.
#include "ButtonDialog.h"
#include "CKeyTable.h"
#include "CMorvantide100.h"
#include "CellLabel.h"
#include "DeviceMessages.h"
#include "MainWindow.h"
#include "Startup.h"
#include "TestSupport.h"
#include "Translations.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

namespace {
// Where a text is shown, and the text.
using Texts = QList<QPair<QString, QString>>;

// Texts that read the same in German, on purpose: names, abbreviations, units and loan words.
const QStringList SAME_IN_GERMAN = {
    "PIN",         "PIN:",  "FN1",   "FN2",       "OK",        "X",     "Y",        "Z",
    "LED\n",       "ms",    "Flags", "Trackball", "Joystick",  "Forum", "System",   "English",
    "Deutsch",     "Num",   "Caps",  "Scroll",    "Compose",   "Kana",  "NUM Lock", "CAPS Lock",
    "SCROLL Lock", "Shift", "Alt",   "GUI/Win",   "Ctrl/Strg",
};
// Numbered outputs ("DAC 0", "PWM 2", "LED 4 (Pin X)") and the cell coordinates.
const QRegularExpression
    SAME_IN_GERMAN_PATTERN(QStringLiteral(R"(^((DAC|PWM) \d|LED \d \(Pin X\)|X:\d+ / Y:\d+ )$)"));

QSet<QString> keyNames()
{
    QSet<QString> names;
    for (const KeyMapping &row : CKeyTable::m_KeyMapping)
        names << QString::fromWCharArray(row.longName) << QString::fromWCharArray(row.shortName);
    for (const KeyName &row : CKeyTable::m_ModifierKeys)
        names << QString::fromWCharArray(row.name);
    return names;
}

void addText(Texts &texts, const QString &where, const QString &text)
{
    if (!text.isEmpty())
        texts << qMakePair(where, text);
}

// Every text that a person sees in the widget and its children, in a fixed order.
Texts visibleTexts(const QWidget *top)
{
    Texts texts;
    addText(texts, QStringLiteral("windowTitle"), top->windowTitle());
    for (const QWidget *widget : top->findChildren<QWidget *>()) {
        const QString where
            = QString::fromLatin1(widget->metaObject()->className()) + ' ' + widget->objectName();
        addText(texts, where + " toolTip", widget->toolTip());
        if (const auto *label = qobject_cast<const QLabel *>(widget)) {
            addText(texts, where, label->text());
        } else if (const auto *button = qobject_cast<const QAbstractButton *>(widget)) {
            addText(texts, where, button->text());
        } else if (const auto *combo = qobject_cast<const QComboBox *>(widget)) {
            for (int i = 0; i < combo->count(); ++i)
                addText(texts, where + QStringLiteral(" item %1").arg(i), combo->itemText(i));
        } else if (const auto *group = qobject_cast<const QGroupBox *>(widget)) {
            addText(texts, where, group->title());
        } else if (const auto *tabs = qobject_cast<const QTabBar *>(widget)) {
            for (int i = 0; i < tabs->count(); ++i)
                addText(texts, where + QStringLiteral(" tab %1").arg(i), tabs->tabText(i));
        } else if (const auto *menu = qobject_cast<const QMenu *>(widget)) {
            addText(texts, where, menu->title());
            for (const QAction *action : menu->actions()) {
                if (action->menu() != nullptr)
                    continue; // a submenu is a QMenu of its own
                const QString at = where + '/' + action->objectName();
                addText(texts, at, action->text());
                addText(texts, at + " toolTip", action->toolTip());
                addText(texts, at + " statusTip", action->statusTip());
            }
        } else if (const auto *toolBar = qobject_cast<const QToolBar *>(widget)) {
            addText(texts, where, toolBar->windowTitle());
        } else if (const auto *edit = qobject_cast<const QLineEdit *>(widget)) {
            addText(texts, where + " placeholder", edit->placeholderText());
        }
    }
    return texts;
}

// The texts of a window built as at a start with this language chosen.
Texts textsIn(const QString &language, bool mainWindow)
{
    Translations::setLanguageSetting(language);
    Translations::install();
    if (mainWindow)
        return visibleTexts(std::make_unique<MainWindow>().get());
    return visibleTexts(std::make_unique<ButtonDialog>(3, 5, 0x0004).get());
}

QString menuTitle(const QWidget &window, const char *menu)
{
    return window.findChild<QMenu *>(QLatin1String(menu))->title();
}

QString standardCancelText()
{
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Cancel)->text();
}
} // namespace

class TranslationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        TestSupport::closeAllModals();
        Translations::setLanguageSetting(QStringLiteral("system"));
        Translations::install();
    }

    void resolvesTheLanguage()
    {
        // Setting, the desktop's languages -> the language shown.
        const std::tuple<const char *, QStringList, const char *> rows[]
            = {{"system", {"de-DE", "en"}, "de"},
               {"system", {"en-GB", "de"}, "en"},
               {"system", {"fr-FR", "de-CH"}, "de"},
               {"system", {"fr-FR"}, "en"},
               {"system", {}, "en"},
               {"en", {"de-DE"}, "en"},
               {"de", {"en-US"}, "de"},
               {"fr", {"de-DE"}, "de"}};
        for (const auto &[setting, uiLanguages, shown] : rows)
            QCOMPARE(Translations::resolve(setting, uiLanguages), shown);
    }

    // The main window with its menus, and the key picker.
    void nothingVisibleStaysEnglish()
    {
        Texts english, german;
        for (const bool mainWindow : {true, false}) {
            english += textsIn(QStringLiteral("en"), mainWindow);
            german += textsIn(QStringLiteral("de"), mainWindow);
        }
        QCOMPARE(german.size(), english.size());

        const QSet<QString> keys = keyNames();
        QStringList untranslated;
        for (int i = 0; i < english.size(); ++i) {
            QCOMPARE(german[i].first, english[i].first);
            const QString text = english[i].second;
            if (german[i].second != text)
                continue;
            const bool noLetters = !text.contains(QRegularExpression(QStringLiteral("\\p{L}")));
            if (noLetters || keys.contains(text) || SAME_IN_GERMAN.contains(text)
                || SAME_IN_GERMAN_PATTERN.match(text).hasMatch())
                continue;
            untranslated << english[i].first + QStringLiteral(": ") + text;
        }
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join('\n')));
    }

    // The cells draw their texts themselves: no widget scan sees them.
    void cellLabelsFollowTheLanguage()
    {
        Mv100Config config;
        config.setMacro(5, Mv100Config::Macro {1});
        const auto labels = [&config](const char *language) {
            Translations::setLanguageSetting(QLatin1String(language));
            Translations::install();
            QStringList texts;
            for (const std::uint16_t code : {0x0104, 0x0205, 0x0206, 0x0301, 0x0401})
                texts << CellLabel::of(code, config).text.section('\n', 0, 0)
                      << CellLabel::of(code, config).toolTip.section('\n', -1);
            return texts;
        };
        QCOMPARE(labels("de"),
                 QStringList({"Medien", "Rewind (0x0104)", "Makro", "Makrotyp: Tippen", "Makro",
                              "Makro nicht belegt", "Maus", "Mouse Left (0x0301)", "LED",
                              "DAC0 Max (0x0401)"}));
        QCOMPARE(labels("en")[3], QStringLiteral("Macro type: Typing"));
    }

    // The GUI's copies of the device layer's result texts are the same English texts for every
    // code, and go through the translation.
    void resultTextsFollowTheDeviceLayer()
    {
        for (const bool german : {false, true}) {
            Translations::setLanguageSetting(german ? QStringLiteral("de") : QStringLiteral("en"));
            Translations::install();
            for (unsigned code = 0; code <= 0xFFFF; ++code) {
                const QString shown = DeviceMessages::resultText(code);
                const auto device = CMorvantide100::GetReturnErrorText(ushort(code));
                if ((shown == QString::fromWCharArray(device)) == german)
                    QFAIL(qPrintable(QStringLiteral("result %1: \"%2\"").arg(code).arg(shown)));
            }
        }
        QCOMPARE(DeviceMessages::resultText(MV100::RESULT_SUCCESS),
                 QStringLiteral("Die Daten wurden erfolgreich übertragen."));
    }

    void languageChoiceTakesEffectAtTheNextStart()
    {
        Translations::setLanguageSetting(QStringLiteral("en"));
        Translations::install();
        auto window = std::make_unique<MainWindow>();
        const auto shown = [&window] {
            QStringList texts;
            for (const QAction *action :
                 window->findChild<QMenu *>(QStringLiteral("menuLanguage"))->actions())
                texts << action->text() + (action->isChecked() ? "*" : "");
            return texts;
        };
        QCOMPARE(shown(), QStringList({"System", "English*", "Deutsch"}));

        TestSupport::SeenBox seen;
        TestSupport::answerNextBox(QStringLiteral("OK"), &seen);
        window->findChild<QAction *>(QStringLiteral("actionLanguageGerman"))->trigger();
        QCOMPARE(seen.title + '|' + seen.text,
                 QStringLiteral("Language|The language changes when the editor is started again."));
        QCOMPARE(QSettings("tarnwicks", "mv100-editor").value("language").toString(), "de");
        QCOMPARE(shown(), QStringList({"System", "English", "Deutsch*"}));
        QCOMPARE(menuTitle(*window, "menuFile"), QStringLiteral("File"));

        // The next start installs the chosen language, Qt's own translation too.
        window.reset();
        Startup::setupApplication(*qApp);
        window = std::make_unique<MainWindow>();
        QCOMPARE(menuTitle(*window, "menuFile"), QStringLiteral("Datei"));
        QCOMPARE(standardCancelText(), QStringLiteral("Abbrechen"));
        QCOMPARE(shown(), QStringList({"System", "English", "Deutsch*"}));

        TestSupport::answerNextBox(QStringLiteral("OK"), &seen);
        window->findChild<QAction *>(QStringLiteral("actionLanguageSystem"))->trigger();
        QCOMPARE(seen.title, QStringLiteral("Sprache"));
        QCOMPARE(Translations::languageSetting(), QStringLiteral("system"));
        QCOMPARE(Translations::install(), QStringLiteral("en")); // the tests run in the C locale
        QCOMPARE(standardCancelText(), QStringLiteral("Cancel")); // Qt's German is gone too
    }

    // Every text of the .ts file has a German translation that keeps its placeholders and its
    // closing line break, so a text added without one fails here.
    void everyEntryIsTranslated()
    {
        QFile file(QStringLiteral(MV100_TS_FILE));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        QXmlStreamReader xml(&file);
        const auto placeholders = [](const QString &text) {
            QStringList found;
            for (const auto &match : QRegularExpression(QStringLiteral("%\\d+")).globalMatch(text))
                found << match.captured();
            found.sort();
            return found;
        };
        QString context, source;
        QStringList faults;
        int entries = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (xml.name() == QLatin1String("translation")) {
                const QString type = xml.attributes().value(QLatin1String("type")).toString();
                const QString translation
                    = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                if (type == QLatin1String("vanished") || type == QLatin1String("obsolete"))
                    continue;
                ++entries;
                const QString where = context + QStringLiteral(": \"") + source + '"';
                if (type == QLatin1String("unfinished"))
                    faults << where + QStringLiteral(" is unfinished");
                else if (translation.isEmpty())
                    faults << where + QStringLiteral(" has no translation");
                else if (placeholders(translation) != placeholders(source))
                    faults << where + QStringLiteral(" loses a placeholder");
                else if (source.endsWith('\n') != translation.endsWith('\n'))
                    faults << where + QStringLiteral(" changes the closing line break");
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(entries > 250);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }
};

QTEST_MAIN(TranslationTest)
#include "tst_translation.moc"
