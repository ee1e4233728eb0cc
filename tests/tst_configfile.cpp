// Tests of the configuration file in the editor: Open, Save and the recent files.
#include "ConfigFile.h"
#include "KeyMatrixWidget.h"
#include "MainWindow.h"
#include "TestSupport.h"

#include <QtTest>
#include <QtWidgets>

#include <csignal>
#include <sys/resource.h>

namespace {
const QString QUESTION = "New Configuration|Changes have been made and not saved. Continue?";

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>";
}

// Every named control (value, text, whether disabled), every cell text, and the lines.
QStringList snapshot(MainWindow &window)
{
    QStringList state;
    for (const QWidget *w : window.findChildren<QWidget *>(QRegularExpression("^(?!qt_).")))
        state << w->objectName() + '=' + w->metaObject()->userProperty().read(w).toString()
                + w->property("text").toString() + (w->isEnabled() ? "" : " disabled");
    for (int i = 0; i < MV100::LAYERS * MV100::CELLS; ++i)
        state << window.matrix(i / MV100::CELLS)->buttonText(i / 16 % 24, i % 16);
    return state + window.GetItems(); // its image holds every cell and macro
}

// Edits every settings control; cells of every kind on all layers; macros of all four types.
void fill(MainWindow &window)
{
    int k = 0;
    for (QSpinBox *spin : window.findChildren<QSpinBox *>())
        spin->setValue(spin->minimum() + 37 * ++k % (spin->maximum() - spin->minimum() + 1));
    for (QComboBox *combo : window.findChildren<QComboBox *>())
        combo->setCurrentIndex((k += 3) % combo->count());
    for (QCheckBox *box : window.findChildren<QCheckBox *>())
        box->setChecked(box->isEnabled() && ++k % 3 != 0);
    for (const char *name : {"main_edit_pin", "pin_edit_pin", "custom_edit"})
        window.findChild<QLineEdit *>(name)->setText("0123456789ABCDEF");
    const unsigned short codes[] = {0x0004, 0xE104, 0x010C, 0x0205, 0x0310, 0x0401, 0x00FF};
    for (int i = 0; i < 21; ++i) // layer i % 3 gets every code
        window.document().assignKey(i % 3, i % 16, i, codes[i / 3]);
    for (int slot : {0, 1, 2, 175}) { // types 0 to 3, "Stable" to "Cell 16Bit"
        Mv100Config::Macro record;
        record.fill(uchar(slot % 4));
        window.document().storeMacro(slot, record);
    }
}

// Answers the coming modals in turn: a file dialog with a path, a message box with the button of
// that text. Notes "title|text" of each box and "title|filters" of each file dialog.
void answer(QStringList replies, QStringList *seen)
{
    TestSupport::onNextModal([replies, seen](QWidget *modal) mutable {
        const QString reply = replies.takeFirst();
        if (!replies.isEmpty())
            answer(replies, seen);
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            *seen << box->windowTitle() + '|' + box->text();
            for (QAbstractButton *button : box->buttons())
                if (button->text().remove('&') == reply)
                    return button->click();
        } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            *seen << dialog->windowTitle() + '|' + dialog->nameFilters().join(";;");
            dialog->findChild<QLineEdit *>("fileNameEdit")->setText(reply);
            static_cast<QDialog *>(dialog)->accept();
        }
        modal->close(); // an unknown button, or a name the dialog refused
    });
}
} // namespace

class TestConfigFile : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase() { QSettings("tarnwicks", "mv100-editor").clear(); }
    void init() { QTest::failOnWarning(QRegularExpression("QMetaObject::connectSlotsByName")); }
    void cleanup() { TestSupport::closeAllModals(); }

    // Order, duplicates, letter case, the cap of 10, a restart; refused files change nothing.
    void recentAndRefusedFiles()
    {
        MainWindow window;
        QCOMPARE(window.GetItems(), ConfigFile::toLines(Mv100Config()));
        QMenu *menu = window.findChild<QMenu *>("menuRecently_Opened");
        QVERIFY(menu->actions().size() == 1 && !menu->actions()[0]->isEnabled()
                && menu->actions()[0]->text() == "(empty)");
        for (const QString &name : QString("0 1 2 3 4 5 6 7 8 a A a").split(' ')) {
            QVERIFY(window.SaveFile(path(name), window.GetItems())); // the reset editor
            window.openRecentFile(path(name));
        }
        QCOMPARE(window.recentFiles().join(' ').remove(m_dir.path() + '/'), "a A 8 7 6 5 4 3 2 1");
        QCOMPARE(menu->actions()[1]->text(), "A");
        const QList<QString> recent = window.recentFiles();
        MainWindow restarted;
        QCOMPARE(restarted.recentFiles(), recent);

        fill(window); // with unsaved changes an entry asks first; Cancel keeps everything

        const QStringList before = snapshot(window);
        QStringList seen;
        answer({"Cancel"}, &seen);
        QPointer<QAction> entry = menu->actions()[9];
        entry->trigger();
        QCOMPARE(seen, QStringList {QUESTION});
        QCOMPARE(snapshot(window), before);

        // Refused files, through Open or a recent entry, change nothing either.
        const QList<std::tuple<int, int, QString, QString, bool>> cases
            = {{254, 2, "00", "it has 254 lines, but a configuration has 256.", true},
               {256, 254, "zz" + QString(62, 'F'),
                "line 255 is not a memory block of 64 hexadecimal digits.", false}};
        for (const auto &[count, line, text, problem, viaOpen] : cases) {
            QList<QString> lines = restarted.GetItems().mid(0, count);
            lines[line] = text;
            const QString bad = path("bad");
            QVERIFY(window.SaveFile(bad, lines));
            answer(viaOpen ? QStringList {"Yes", bad, "OK"} : QStringList {"Yes", "OK"}, &seen);
            viaOpen ? window.findChild<QAction *>("actionOpen")->trigger()
                    : window.openRecentFile(bad);
            QCOMPARE(seen.last(),
                     "Open Configuration|The file " + QDir::toNativeSeparators(bad)
                         + " cannot be opened: " + problem);
            QCOMPARE(snapshot(window), before);
            QVERIFY(window.hasUnsavedChanges() && window.recentFiles() == recent);
        }
        answer({"Yes"}, &seen); // loads it
        entry->trigger();
        QVERIFY(!entry.isNull()); // the rebuilt menu drops it only after its handler returned
        QCOMPARE(snapshot(window), snapshot(restarted)); // reset -> Save -> Open: reset
        QVERIFY(!window.hasUnsavedChanges() && window.recentFiles().first() == path("1"));

        // New asks as well: Cancel keeps everything, Yes resets every tab and the device info.
        fill(window);
        const auto labels = window.findChildren<QLabel *>(QRegularExpression("^info_label_"));
        for (QLabel *label : labels)
            label->setText("1a2b");
        const QStringList filled = snapshot(window), recentNow = window.recentFiles();
        seen.clear();
        for (const QString reply : {"Cancel", "Yes"}) {
            answer({reply}, &seen);
            window.findChild<QAction *>("actionNew")->trigger();
            QCOMPARE(snapshot(window), reply == "Yes" ? snapshot(restarted) : filled);
        }
        QVERIFY(seen == (QStringList {QUESTION, QUESTION}) && labels.size() == 7
                && !window.hasUnsavedChanges() && window.recentFiles() == recentNow);
    }

    // A grown list is cut to ten when read; a gone file may leave the list; equal names show
    // their folders.
    void recentListLimits()
    {
        QStringList many;
        for (int i = 0; i < 5000; ++i)
            many << path(QString("dir%1/same.mv100").arg(i % 2));
        many[3] = path("gone.mv100");
        QSettings("tarnwicks", "mv100-editor").setValue("recentFiles", many);
        MainWindow window;
        QCOMPARE(window.recentFiles(), many.mid(0, 10));
        const QList<QAction *> entries
            = window.findChild<QMenu *>("menuRecently_Opened")->actions();
        QCOMPARE(entries.size(), 10);
        QCOMPARE(entries[0]->text(), "same.mv100 (" + QDir::toNativeSeparators(path("dir0")) + ")");
        QCOMPARE(entries[3]->text(), "gone.mv100");

        QStringList seen;
        QTest::ignoreMessage(QtWarningMsg, qPrintable("Error: File open: " + path("gone.mv100")));
        answer({"Yes"}, &seen);
        entries[3]->trigger();
        QCOMPARE(seen,
                 QStringList {"Open Configuration|The file "
                              + QDir::toNativeSeparators(path("gone.mv100"))
                              + " cannot be opened: No such file or directory"});
        QCOMPARE(window.recentFiles().size(), 9);
        QVERIFY(!window.recentFiles().contains(path("gone.mv100")));
        QCOMPARE(QSettings("tarnwicks", "mv100-editor").value("recentFiles").toStringList(),
                 QStringList(window.recentFiles()));
    }

    // Save and Open through the menu; replacing.
    void saveAndOpen()
    {
        MainWindow source;
        fill(source);
        QStringList seen;
        answer({path("saved")}, &seen);
        source.findChild<QAction *>("actionSave")->trigger();
        const QList<QString> lines = source.GetItems();
        const QString saved = path("saved.mv100");
        const QByteArray bytes = readAll(saved);
        QCOMPARE(bytes, QStringEncoder(QStringConverter::Utf16LE)(lines.join('\n') + '\n'));
        MainWindow target;
        answer({saved, "OK"}, &seen); // "OK" to a refusal, which must not come
        target.findChild<QAction *>("actionOpen")->trigger();
        TestSupport::cancelPendingAnswers();
        QCOMPARE(snapshot(target), snapshot(source));
        QCOMPARE(seen[0], "MV100 File save|MV100 Dateien (*.mv100);;All Files (*)");
        QCOMPARE(seen[1], "MV100 File open|MV100 Files (*.mv100);;All Files (*)");

        source.findChild<QSpinBox *>("spin_debounce")->setValue(99);
        rlimit old {};
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit diskFull = {4096, old.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN); // a write beyond the limit fails instead of ending the test
        setrlimit(RLIMIT_FSIZE, &diskFull);
        QTest::ignoreMessage(QtWarningMsg, qPrintable("Error: Write :" + saved));
        answer({path("saved"), "Yes", "OK"}, &seen); // "saved" means saved.mv100: replace it?
        source.findChild<QAction *>("actionSaveAs")->trigger();
        setrlimit(RLIMIT_FSIZE, &old);
        QCOMPARE(
            seen.mid(seen.size() - 2).join('\n').replace(QDir::toNativeSeparators(saved), "F"),
            "MV100 File save|The file F already exists.\nDo you want to replace it?\n"
            "Save Configuration|The file F cannot be saved: not all of the data could be written.");
        QVERIFY(readAll(saved) == bytes && source.hasUnsavedChanges());
        // The configuration has its file now: Save writes there without asking.
        const int asked = seen.size();
        source.findChild<QAction *>("actionSave")->trigger();
        QVERIFY(source.LoadFile(saved) == source.GetItems() && !source.hasUnsavedChanges());
        QCOMPARE(seen.size(), asked);
        QCOMPARE(source.windowTitle(), "saved.mv100[*] - Morvantide100 Editor");
        // Save As starts with the current name and switches to the new file.
        QString startedWith;
        TestSupport::onNextModal([&](QWidget *modal) {
            startedWith = qobject_cast<QFileDialog *>(modal)->selectedFiles().value(0);
        });
        answer({path("other")}, &seen);
        source.findChild<QAction *>("actionSaveAs")->trigger();
        QCOMPARE(startedWith, saved);
        QCOMPARE(source.document().fileName(), path("other.mv100"));
        QCOMPARE(source.recentFiles().first(), path("other.mv100"));
        QVERIFY(readAll(path("other.mv100")) == readAll(saved));
    }
};

QTEST_MAIN(TestConfigFile)
#include "tst_configfile.moc"
