// Tests of the German translation: nothing visible stays English, the English run is unchanged,
// the language choice takes effect at the next start, and the .ts file is complete.
#include "ButtonDialog.h"
#include "CKeyTable.h"
#include "CMorvantide100.h"
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

void addMenu(Texts &texts, const QMenu *menu)
{
    const QString where = QStringLiteral("QMenu ") + menu->objectName();
    addText(texts, where, menu->title());
    for (const QAction *action : menu->actions()) {
        if (action->isSeparator() || action->menu() != nullptr)
            continue; // a submenu is a QMenu of its own
        addText(texts, where + '/' + action->objectName(), action->text());
        addText(texts, where + '/' + action->objectName() + " toolTip", action->toolTip());
        addText(texts, where + '/' + action->objectName() + " statusTip", action->statusTip());
    }
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
            addMenu(texts, menu);
        } else if (const auto *toolBar = qobject_cast<const QToolBar *>(widget)) {
            addText(texts, where, toolBar->windowTitle());
        } else if (const auto *edit = qobject_cast<const QLineEdit *>(widget)) {
            addText(texts, where + " placeholder", edit->placeholderText());
        }
    }
    return texts;
}

std::unique_ptr<QWidget> build(const QString &which)
{
    if (which == QLatin1String("MainWindow"))
        return std::make_unique<MainWindow>();
    return std::make_unique<ButtonDialog>(3, 5, 0x0004);
}

// The texts of a window built as at a start with this language chosen.
Texts textsIn(const QString &language, const QString &which)
{
    Translations::setLanguageSetting(language);
    Translations::install();
    return visibleTexts(build(which).get());
}

QString menuTitle(const QWidget &window, const char *menu)
{
    return window.findChild<QMenu *>(QLatin1String(menu))->title();
}

QString actionText(const QWidget &window, const char *action)
{
    return window.findChild<QAction *>(QLatin1String(action))->text();
}

QString standardCancelText()
{
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Cancel)->text();
}

QString resultTextOfDevice(unsigned short code)
{
    return QString::fromWCharArray(CMorvantide100::GetReturnErrorText(code));
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

    void startUpInstallsTheChosenLanguage()
    {
        QVERIFY(QFile::exists(QStringLiteral(":/i18n/mv100-editor_de.qm")));
        Translations::setLanguageSetting(QStringLiteral("de"));
        Startup::setupApplication(*qApp);
        const MainWindow window;
        QCOMPARE(menuTitle(window, "menuFile"), QStringLiteral("Datei"));
        QCOMPARE(actionText(window, "actionSaveAs"), QStringLiteral("Speichern unter…"));
        QCOMPARE(actionText(window, "actionUndo"), QStringLiteral("&Rückgängig"));
        // Qt's own translation is loaded too.
        QCOMPARE(standardCancelText(), QStringLiteral("Abbrechen"));
    }

    void resolvesTheLanguage_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QStringList>("uiLanguages");
        QTest::addColumn<QString>("shown");
        QTest::newRow("German desktop") << "system" << QStringList {"de-DE", "en"} << "de";
        QTest::newRow("Austrian desktop") << "system" << QStringList {"de-AT"} << "de";
        QTest::newRow("English before German") << "system" << QStringList {"en-GB", "de"} << "en";
        QTest::newRow("French, then German") << "system" << QStringList {"fr-FR", "de-CH"} << "de";
        QTest::newRow("French only") << "system" << QStringList {"fr-FR"} << "en";
        QTest::newRow("C locale") << "system" << QStringList {"C"} << "en";
        QTest::newRow("none") << "system" << QStringList {} << "en";
        QTest::newRow("English chosen") << "en" << QStringList {"de-DE"} << "en";
        QTest::newRow("German chosen") << "de" << QStringList {"en-US"} << "de";
        QTest::newRow("unknown choice") << "fr" << QStringList {"de-DE"} << "de";
    }
    void resolvesTheLanguage()
    {
        QFETCH(QString, setting);
        QFETCH(QStringList, uiLanguages);
        QFETCH(QString, shown);
        QCOMPARE(Translations::resolve(setting, uiLanguages), shown);
    }

    void nothingVisibleStaysEnglish_data()
    {
        QTest::addColumn<QString>("which");
        QTest::newRow("main window and its menus") << "MainWindow";
        QTest::newRow("key picker") << "ButtonDialog";
    }
    void nothingVisibleStaysEnglish()
    {
        QFETCH(QString, which);
        const Texts english = textsIn(QStringLiteral("en"), which);
        const Texts german = textsIn(QStringLiteral("de"), which);
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

    void englishRunShowsTheSources()
    {
        Translations::setLanguageSetting(QStringLiteral("en"));
        QCOMPARE(Translations::install(), QStringLiteral("en"));
        const MainWindow window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Untitled[*] - Morvantide100 Editor"));
        QCOMPARE(menuTitle(window, "menuFile"), QStringLiteral("File"));
        QCOMPARE(actionText(window, "actionSaveAs"), QStringLiteral("Save As…"));
        QCOMPARE(actionText(window, "actionEmpty"), QStringLiteral("Erase"));
        QCOMPARE(window.findChild<QTabWidget *>("tabWidget")->tabText(0),
                 QStringLiteral("Default"));
        const ButtonDialog dialog(0, 0, 0xFFFF);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Select Key"));
        QCOMPARE(standardCancelText(), QStringLiteral("Cancel"));
    }

    // The GUI's copies of the device layer's result texts are the same English texts for every
    // code, and go through the translation.
    void resultTextsFollowTheDeviceLayer()
    {
        Translations::setLanguageSetting(QStringLiteral("en"));
        Translations::install();
        for (unsigned code = 0; code <= 0xFFFF; ++code) {
            if (DeviceMessages::resultText(code) != resultTextOfDevice(code))
                QFAIL(qPrintable(
                    QStringLiteral("result %1: \"%2\", the device layer says \"%3\"")
                        .arg(code)
                        .arg(DeviceMessages::resultText(code), resultTextOfDevice(code))));
        }
        Translations::setLanguageSetting(QStringLiteral("de"));
        Translations::install();
        for (unsigned code = 0; code <= 0xFFFF; ++code) {
            if (DeviceMessages::resultText(code) == resultTextOfDevice(code))
                QFAIL(qPrintable(QStringLiteral("result %1 is not translated").arg(code)));
        }
        QCOMPARE(DeviceMessages::resultText(MV100::RESULT_SUCCESS),
                 QStringLiteral("Die Daten wurden erfolgreich übertragen."));
    }

    void languageChoiceTakesEffectAtTheNextStart()
    {
        Translations::setLanguageSetting(QStringLiteral("en"));
        Translations::install();
        auto window = std::make_unique<MainWindow>();
        auto *menu = window->findChild<QMenu *>(QStringLiteral("menuLanguage"));
        QVERIFY(menu != nullptr);
        QCOMPARE(menu->title(), QStringLiteral("Language"));
        QStringList shown;
        for (const QAction *action : menu->actions())
            shown << action->text() + (action->isChecked() ? "*" : "");
        QCOMPARE(shown, QStringList({"System", "English*", "Deutsch"}));
        QVERIFY(menu->actions().first()->actionGroup()->isExclusive());

        TestSupport::SeenBox seen;
        TestSupport::answerNextBox(QStringLiteral("OK"), &seen);
        window->findChild<QAction *>(QStringLiteral("actionLanguageGerman"))->trigger();
        QVERIFY(seen.seen);
        QCOMPARE(seen.title + '|' + seen.text,
                 QStringLiteral("Language|The language changes when the editor is started again."));
        QCOMPARE(QSettings("tarnwicks", "mv100-editor").value("language").toString(), "de");
        QVERIFY(window->findChild<QAction *>(QStringLiteral("actionLanguageGerman"))->isChecked());
        QCOMPARE(menuTitle(*window, "menuFile"), QStringLiteral("File"));

        // Choosing the language already chosen stores nothing new and says nothing.
        window->findChild<QAction *>(QStringLiteral("actionLanguageGerman"))->trigger();
        QTest::qWait(50);
        QVERIFY(QApplication::activeModalWidget() == nullptr);

        // The next start.
        window.reset();
        QCOMPARE(Translations::install(), QStringLiteral("de"));
        window = std::make_unique<MainWindow>();
        QCOMPARE(menuTitle(*window, "menuFile"), QStringLiteral("Datei"));
        QVERIFY(window->findChild<QAction *>(QStringLiteral("actionLanguageGerman"))->isChecked());

        TestSupport::answerNextBox(QStringLiteral("OK"), &seen);
        window->findChild<QAction *>(QStringLiteral("actionLanguageSystem"))->trigger();
        QCOMPARE(seen.title, QStringLiteral("Sprache"));
        QCOMPARE(Translations::languageSetting(), QStringLiteral("system"));
        window.reset();
        QCOMPARE(Translations::install(), QStringLiteral("en")); // the tests run in the C locale
        window = std::make_unique<MainWindow>();
        QCOMPARE(menuTitle(*window, "menuFile"), QStringLiteral("File"));
        QVERIFY(window->findChild<QAction *>(QStringLiteral("actionLanguageSystem"))->isChecked());
    }

    // Every text of the .ts file has a German translation that keeps its placeholders and its
    // closing line break, so a text added without one fails here.
    void everyEntryIsTranslated()
    {
        QFile file(QStringLiteral(MV100_TS_FILE));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        QXmlStreamReader xml(&file);
        const QRegularExpression placeholder(QStringLiteral("%\\d+"));
        const auto placeholders = [&placeholder](const QString &text) {
            QStringList found;
            for (const QRegularExpressionMatch &match : placeholder.globalMatch(text))
                found << match.captured();
            found.sort();
            return found;
        };
        QString context;
        QString source;
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
