// Tests of the file commands: New, Open, Save, the file's bytes, refused files, recent files.
#include "FileTestFixture.h"
#include "TestSupport.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QSettings>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>

using namespace FileTest;

namespace {
const char *const INFO_LABELS[]
    = {"info_label_vid",        "info_label_pid",  "info_label_sn",        "info_label_ver",
       "info_label_customdata", "info_label_lock", "info_label_erasecount"};

// The editor's settings store (a prvalue: QSettings cannot be copied or moved).
QSettings editorSettings()
{
    return QSettings(QStringLiteral("tarnwicks"), QStringLiteral("mv100-editor"));
}
} // namespace

namespace {
QByteArray utf16(const QString &text)
{
    QStringEncoder encoder(QStringConverter::Utf16LE);
    return encoder(text);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QAction *action(const MainWindow &window, const char *name)
{
    return widget<QAction>(window, name);
}

QList<QAction *> recentEntries(const MainWindow &window)
{
    return widget<QMenu>(window, "menuRecently_Opened")->actions();
}

struct FileDialogSeen
{
    bool seen = false;
    QString title;
    QString directory;
    QStringList filters;
};

// Answers the next file dialog with a path (an empty path cancels it). then() runs before the
// dialog is accepted, to answer what the acceptance brings up.
void answerFileDialog(const QString &path, FileDialogSeen *seen, std::function<void()> then = {})
{
    TestSupport::onNextModal([path, seen, then](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (dialog == nullptr) {
            modal->close();
            return;
        }
        seen->seen = true;
        seen->title = dialog->windowTitle();
        seen->directory = dialog->directory().absolutePath();
        seen->filters = dialog->nameFilters();
        if (then)
            then();
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->selectFile(path);
        // selectFile leaves the name field alone while it has the focus: type the name as well.
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            name->setText(path);
        static_cast<QDialog *>(dialog)->accept(); // QFileDialog hides its override
        // A dialog that refused the name stays open; do not leave it blocking the test.
        if (dialog->isVisible())
            dialog->reject();
    });
}

// Clicks a button of the next message box and then sets up the next answer.
void answerBox(const QString &button, TestSupport::SeenBox *seen, std::function<void()> then)
{
    TestSupport::onNextModal([button, seen, then](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (box == nullptr) {
            modal->close();
            return;
        }
        seen->seen = true;
        seen->title = box->windowTitle();
        seen->text = box->text();
        if (then)
            then();
        for (QAbstractButton *candidate : box->buttons()) {
            if (candidate->text().remove(QLatin1Char('&')) == button) {
                candidate->click();
                return;
            }
        }
        box->reject();
    });
}

// Records a modal widget that shows up where none is expected, and closes it.
struct NoModal
{
    bool seen = false;
    QString title;
    NoModal()
    {
        QTimer::singleShot(0, [this]() {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                seen = true;
                title = modal->windowTitle();
                modal->close();
            }
        });
    }
    ~NoModal() { QCoreApplication::processEvents(); }
};

// Makes every write beyond limit bytes fail, as a full disk would.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit lowered = m_old;
        lowered.rlim_cur = limit;
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        m_active = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool active() const { return m_active; }

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};
} // namespace

class TestFileCommands : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString &name) const { return m_dir->filePath(name); }

    // A valid configuration file of a filled editor.
    QString writeConfiguration(const QString &name)
    {
        MainWindow source;
        fillSome(source);
        const QString file = path(name);
        if (!source.SaveFile(file, source.GetItems()))
            return QString();
        return file;
    }

private slots:
    void initTestCase() { Q_INIT_RESOURCE(resources); }
    void init()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("QMetaObject::connectSlotsByName")));
        editorSettings().clear();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void cleanup()
    {
        TestSupport::closeAllModals();
        m_dir.reset();
    }

    void standardShortcuts()
    {
        MainWindow window;
        QCOMPARE(action(window, "actionNew")->shortcut(), QKeySequence(QKeySequence::New));
        QCOMPARE(action(window, "actionOpen")->shortcut(), QKeySequence(QKeySequence::Open));
        QCOMPARE(action(window, "actionSave")->shortcut(), QKeySequence(QKeySequence::Save));
        QCOMPARE(action(window, "actionExit")->shortcut(), QKeySequence(QKeySequence::Quit));
    }

    // --- The file's bytes ---------------------------------------------------------------------

    void savedBytes()
    {
        MainWindow window;
        // A character beyond the BMP takes two code units.
        const QList<QString> lines
            = {QStringLiteral("AB"), QString::fromUtf8("\xC3\xBC\xE2\x82\xAC"),
               QString::fromUtf8("\xF0\x9F\x98\x80"), QStringLiteral("x")};
        QVERIFY(window.SaveFile(path(QStringLiteral("a.mv100")), lines));
        const QByteArray bytes = readAll(path(QStringLiteral("a.mv100")));
        QCOMPARE(bytes, QByteArray::fromHex("410042000a00fc00ac200a003dd800de0a0078000a00"));
        QCOMPARE(window.LoadFile(path(QStringLiteral("a.mv100"))), lines);
    }

    void savedConfigurationBytes()
    {
        MainWindow window;
        fillSome(window);
        const QList<QString> lines = window.GetItems();
        const QString file = path(QStringLiteral("full.mv100"));
        QVERIFY(window.SaveFile(file, lines));
        const QByteArray bytes = readAll(file);
        qsizetype units = 0;
        for (const QString &line : lines)
            units += line.size();
        QCOMPARE(bytes.size(), 2 * (units + 256));
        QCOMPARE(bytes.left(4), QByteArray("0\0001\000", 4)); // no byte-order mark
        QCOMPARE(bytes.count(QByteArray("\n\0", 2)), 256);
        QVERIFY(!bytes.contains('\r'));
        QVERIFY(bytes.endsWith(QByteArray("A\0\n\0", 4)));
        QCOMPARE(window.LoadFile(file), lines);
    }

    // Line ends and blank lines of files written elsewhere.
    void readingToleratesLineEnds_data()
    {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("lead");
        QTest::addColumn<bool>("finalEnd");
        QTest::newRow("LF") << QStringLiteral("\n") << QString() << true;
        QTest::newRow("CR LF") << QStringLiteral("\r\n") << QString() << true;
        QTest::newRow("blank lines") << QStringLiteral("\n\n") << QStringLiteral("\n") << true;
        QTest::newRow("blank CR LF lines")
            << QStringLiteral("\r\n\r\n\r\n") << QStringLiteral("\r\n") << true;
        QTest::newRow("no final line end") << QStringLiteral("\n") << QString() << false;
    }
    void readingToleratesLineEnds()
    {
        QFETCH(QString, separator);
        QFETCH(QString, lead);
        QFETCH(bool, finalEnd);
        MainWindow source;
        fillSome(source);
        const QList<QString> lines = source.GetItems();
        const QString file = path(QStringLiteral("written elsewhere.mv100"));
        QVERIFY(writeRaw(file,
                         utf16(lead + lines.join(separator) + (finalEnd ? separator : QString()))));
        QCOMPARE(source.LoadFile(file), lines);

        MainWindow target;
        target.openRecentFile(file);
        QCOMPARE(snapshot(target), snapshot(source));
    }

    void unreadableAndUnwritableFiles()
    {
        MainWindow window;
        const QString missing = path(QStringLiteral("missing.mv100"));
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(QStringLiteral("Error: File open: ") + missing));
        QCOMPARE(window.LoadFile(missing), QList<QString>());

        const QString nowhere = path(QStringLiteral("no folder/x.mv100"));
        QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("Error: Write :") + nowhere));
        QVERIFY(!window.SaveFile(nowhere, window.GetItems()));
        QVERIFY(!QFileInfo::exists(nowhere));
        QVERIFY(window.recentFiles().isEmpty());
    }

    void failedSaveKeepsTheOldFile()
    {
        MainWindow window;
        const QString file = writeConfiguration(QStringLiteral("kept.mv100"));
        QVERIFY(!file.isEmpty());
        const QByteArray before = readAll(file);
        window.Clear();
        {
            FileSizeLimit limit(4096);
            QVERIFY(limit.active());
            QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("Error: Write :") + file));
            QVERIFY(!window.SaveFile(file, window.GetItems()));
        }
        QCOMPARE(readAll(file), before);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files),
                 QStringList {QStringLiteral("kept.mv100")});
    }

    // --- Round trips --------------------------------------------------------------------------

    void roundTripIsByteExact_data()
    {
        QTest::addColumn<bool>("everything");
        QTest::newRow("some of everything") << false;
        QTest::newRow("every cell and macro") << true;
    }
    void roundTripIsByteExact()
    {
        QFETCH(bool, everything);
        MainWindow source;
        if (everything)
            fillEverything(source);
        else
            fillSome(source);
        const QString first = path(QStringLiteral("first.mv100"));
        QVERIFY(source.SaveFile(first, source.GetItems()));

        MainWindow target;
        target.openRecentFile(first);
        QVERIFY(!target.hasUnsavedChanges());
        QCOMPARE(snapshot(target), snapshot(source));
        const QString second = path(QStringLiteral("second.mv100"));
        QVERIFY(target.SaveFile(second, target.GetItems()));
        QCOMPARE(readAll(second), readAll(first));
    }

    // Save the reset editor and Open it over an edited one, both through the menu.
    void saveAndOpenThroughTheActions()
    {
        MainWindow window;
        const QStringList reset = snapshot(window);
        editorSettings().setValue(QStringLiteral("lastDir"), m_dir->path());
        window.setUnsavedChanges(true);

        FileDialogSeen saveDialog;
        answerFileDialog(path(QStringLiteral("reset")), &saveDialog);
        action(window, "actionSave")->trigger();
        QVERIFY(saveDialog.seen);
        QCOMPARE(saveDialog.title, QStringLiteral("MV100 File save"));
        QCOMPARE(saveDialog.directory, m_dir->path());
        QCOMPARE(saveDialog.filters,
                 QStringList(
                     {QStringLiteral("MV100 Dateien (*.mv100)"), QStringLiteral("All Files (*)")}));
        const QString saved = path(QStringLiteral("reset.mv100"));
        QVERIFY(QFileInfo::exists(saved));
        QVERIFY(!window.hasUnsavedChanges());
        QVERIFY(window.recentFiles().isEmpty()); // saving is no opening

        fillSome(window);
        QVERIFY(window.hasUnsavedChanges());
        const QString other = QDir(m_dir->path()).filePath(QStringLiteral("sub"));
        QVERIFY(QDir().mkpath(other));
        editorSettings().setValue(QStringLiteral("lastDir"), other);

        TestSupport::SeenBox question;
        FileDialogSeen openDialog;
        answerBox(QStringLiteral("Yes"), &question,
                  [&]() { answerFileDialog(saved, &openDialog); });
        action(window, "actionOpen")->trigger();
        QCOMPARE(question.title, QStringLiteral("New Configuration"));
        QCOMPARE(question.text, QStringLiteral("Changes have been made and not saved. Continue?"));
        QVERIFY(openDialog.seen);
        QCOMPARE(openDialog.title, QStringLiteral("MV100 File open"));
        QCOMPARE(openDialog.directory, other);
        QCOMPARE(openDialog.filters,
                 QStringList(
                     {QStringLiteral("MV100 Files (*.mv100)"), QStringLiteral("All Files (*)")}));

        QCOMPARE(snapshot(window), reset);
        QVERIFY(!window.hasUnsavedChanges());
        QCOMPARE(window.recentFiles(), QList<QString> {saved});
        QCOMPARE(editorSettings().value(QStringLiteral("lastDir")).toString(), m_dir->path());
    }

    void saveAddsTheSuffix_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("no suffix") << "plain"
                                   << "plain.mv100";
        QTest::newRow("suffix") << "done.mv100"
                                << "done.mv100";
        QTest::newRow("suffix in capitals") << "LOUD.MV100"
                                            << "LOUD.MV100";
        QTest::newRow("other suffix") << "notes.txt"
                                      << "notes.txt.mv100";
    }
    void saveAddsTheSuffix()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        MainWindow window;
        FileDialogSeen dialog;
        answerFileDialog(path(typed), &dialog);
        action(window, "actionSave")->trigger();
        QVERIFY(dialog.seen);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList {written});
        QCOMPARE(window.LoadFile(path(written)), window.GetItems());
        QCOMPARE(editorSettings().value(QStringLiteral("lastDir")).toString(), m_dir->path());
    }

    // The dialog confirmed "x"; "x.mv100" is another file and is not replaced unasked.
    void saveAsksBeforeReplacingTheSuffixedFile_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("Cancel") << "Cancel" << false;
        QTest::newRow("Yes") << "Yes" << true;
    }
    void saveAsksBeforeReplacingTheSuffixedFile()
    {
        QFETCH(QString, answer);
        QFETCH(bool, replaced);
        const QString existing = writeConfiguration(QStringLiteral("x.mv100"));
        QVERIFY(!existing.isEmpty());
        const QByteArray before = readAll(existing);

        MainWindow window;
        window.setUnsavedChanges(true);
        FileDialogSeen dialog;
        TestSupport::SeenBox question;
        answerFileDialog(path(QStringLiteral("x")), &dialog,
                         [&]() { answerBox(answer, &question, {}); });
        action(window, "actionSave")->trigger();
        QVERIFY(question.seen);
        QCOMPARE(question.title, QStringLiteral("MV100 File save"));
        QCOMPARE(question.text,
                 QStringLiteral("The file %1 already exists.\nDo you want to replace it?")
                     .arg(QDir::toNativeSeparators(existing)));
        QCOMPARE(readAll(existing) != before, replaced);
        QCOMPARE(window.hasUnsavedChanges(), !replaced);
    }

    void failedSaveIsReported()
    {
        MainWindow window;
        fillSome(window);
        QVERIFY(window.hasUnsavedChanges());
        const QString file = path(QStringLiteral("big.mv100"));
        FileDialogSeen dialog;
        TestSupport::SeenBox warning;
        {
            FileSizeLimit limit(4096);
            QVERIFY(limit.active());
            QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("Error: Write :") + file));
            answerFileDialog(file, &dialog,
                             [&]() { answerBox(QStringLiteral("OK"), &warning, {}); });
            action(window, "actionSave")->trigger();
        }
        QVERIFY(warning.seen);
        QCOMPARE(warning.title, QStringLiteral("Save Configuration"));
        QVERIFY2(warning.text.startsWith(QStringLiteral("The file %1 cannot be saved: ")
                                             .arg(QDir::toNativeSeparators(file))),
                 qPrintable(warning.text));
        // The reason is told, not an empty or an "Unknown error".
        const QString reason = warning.text.section(QStringLiteral(": "), 1);
        QVERIFY2(!reason.isEmpty() && !reason.contains(QStringLiteral("Unknown")),
                 qPrintable(reason));
        QVERIFY(window.hasUnsavedChanges());
        // No half-written file is left behind.
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());
    }

    // --- New and the unsaved-changes question -------------------------------------------------

    void newAsksFirst_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("reset");
        QTest::newRow("Cancel keeps everything") << "Cancel" << false;
        QTest::newRow("Yes resets") << "Yes" << true;
    }
    void newAsksFirst()
    {
        QFETCH(QString, answer);
        QFETCH(bool, reset);
        const QStringList fresh = snapshot(MainWindow());
        MainWindow window;
        fillSome(window);
        for (const char *name : INFO_LABELS)
            widget<QLabel>(window, name)->setText(QStringLiteral("read"));
        const QStringList before = snapshot(window);

        TestSupport::SeenBox question;
        answerBox(answer, &question, {});
        action(window, "actionNew")->trigger();
        QCOMPARE(question.title, QStringLiteral("New Configuration"));
        QCOMPARE(question.text, QStringLiteral("Changes have been made and not saved. Continue?"));
        QCOMPARE(snapshot(window), reset ? fresh : before);
        QCOMPARE(window.hasUnsavedChanges(), !reset);
        for (const char *name : INFO_LABELS)
            QCOMPARE(widget<QLabel>(window, name)->text(),
                     reset ? QStringLiteral("-") : QStringLiteral("read"));
    }

    void newWithoutChangesDoesNotAsk()
    {
        MainWindow window;
        widget<QLabel>(window, "info_label_sn")->setText(QStringLiteral("12345678"));
        NoModal none;
        action(window, "actionNew")->trigger();
        QCoreApplication::processEvents();
        QVERIFY2(!none.seen, qPrintable(none.title));
        QCOMPARE(widget<QLabel>(window, "info_label_sn")->text(), QStringLiteral("-"));
    }

    void cancelledOpenChangesNothing()
    {
        MainWindow window;
        fillSome(window);
        const QStringList before = snapshot(window);

        TestSupport::SeenBox question;
        FileDialogSeen dialog;
        answerBox(QStringLiteral("Cancel"), &question, {});
        action(window, "actionOpen")->trigger();
        QVERIFY(question.seen);

        window.setUnsavedChanges(false);
        answerFileDialog(QString(), &dialog);
        action(window, "actionOpen")->trigger();
        QVERIFY(dialog.seen);
        QCOMPARE(snapshot(window), before);
        QVERIFY(!editorSettings().contains(QStringLiteral("lastDir")));
        QVERIFY(window.recentFiles().isEmpty());
    }

    // --- Refused files ------------------------------------------------------------------------

    void damagedFilesAreRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("throughOpen");
        QTest::addColumn<QString>("problem");
        for (bool open : {false, true}) {
            const char *route = open ? "Open: " : "recent: ";
            QTest::addRow("%sshort file", route)
                << "short" << open << "it has 200 lines, but a configuration has 256.";
            QTest::addRow("%sdamaged block", route)
                << "block" << open << "line 100 is not a memory block of 64 hexadecimal digits.";
            QTest::addRow("%sdamaged PIN", route)
                << "pin" << open << "the PIN (line 1) is not 1 to 16 hexadecimal digits.";
            QTest::addRow("%sdamaged custom data", route)
                << "custom" << open
                << "the custom data (line 2) is not 1 to 32 hexadecimal digits.";
            QTest::addRow("%sempty line moves the image up", route)
                << "shifted" << open << "line 255 is not a memory block of 64 hexadecimal digits.";
            QTest::addRow("%sUTF-8 file", route)
                << "utf8" << open << "it has 1 lines, but a configuration has 256.";
            QTest::addRow("%shuge file", route)
                << "huge" << open << "it is too large for a configuration file.";
        }
        QTest::newRow("recent: missing file") << "missing" << false << "No such file or directory";
    }
    void damagedFilesAreRefused()
    {
        QFETCH(QString, kind);
        QFETCH(bool, throughOpen);
        QFETCH(QString, problem);

        const QString good = writeConfiguration(QStringLiteral("good.mv100"));
        QVERIFY(!good.isEmpty());
        QList<QString> lines;
        {
            MainWindow source;
            lines = source.GetItems();
        }
        QByteArray bytes;
        if (kind == QLatin1String("short"))
            bytes = utf16(lines.mid(0, 200).join(QLatin1Char('\n')));
        else if (kind == QLatin1String("block"))
            bytes = utf16(
                (lines.mid(0, 99) << lines[99].left(62) << lines.mid(100)).join(QLatin1Char('\n')));
        else if (kind == QLatin1String("pin"))
            bytes = utf16(
                (QList<QString> {QStringLiteral("PIN?")} << lines.mid(1)).join(QLatin1Char('\n')));
        else if (kind == QLatin1String("custom"))
            bytes = utf16((lines.mid(0, 1) << QStringLiteral("FFFF FFFF") << lines.mid(2))
                              .join(QLatin1Char('\n')));
        else if (kind == QLatin1String("shifted")) // the empty line is dropped: every line moves up
            bytes = utf16((lines.mid(0, 1) << QString() << lines.mid(2)).join(QLatin1Char('\n')));
        else if (kind == QLatin1String("utf8"))
            bytes = lines.join(QLatin1Char('\n')).toUtf8();
        else if (kind == QLatin1String("huge"))
            bytes = utf16(lines.join(QLatin1Char('\n'))).repeated(40);
        const QString file = path(QStringLiteral("bad.mv100"));
        if (kind != QLatin1String("missing"))
            QVERIFY(writeRaw(file, bytes));

        MainWindow window;
        window.openRecentFile(good);
        fillSome(window);
        widget<QSpinBox>(window, "spin_debounce")->setValue(77);
        const QStringList before = snapshot(window);
        const QList<QString> recent = window.recentFiles();

        TestSupport::SeenBox warning;
        if (kind == QLatin1String("missing"))
            QTest::ignoreMessage(QtWarningMsg,
                                 qPrintable(QStringLiteral("Error: File open: ") + file));
        if (throughOpen) {
            TestSupport::SeenBox question;
            FileDialogSeen dialog;
            answerBox(QStringLiteral("Yes"), &question, [&]() {
                answerFileDialog(file, &dialog,
                                 [&]() { answerBox(QStringLiteral("OK"), &warning, {}); });
            });
            action(window, "actionOpen")->trigger();
            QVERIFY(dialog.seen);
        } else {
            TestSupport::SeenBox question;
            answerBox(QStringLiteral("Yes"), &question,
                      [&]() { answerBox(QStringLiteral("OK"), &warning, {}); });
            window.openRecentFile(file);
            QCOMPARE(question.title, QStringLiteral("New Configuration"));
        }
        QVERIFY(warning.seen);
        QCOMPARE(warning.title, QStringLiteral("Open Configuration"));
        QCOMPARE(warning.text,
                 QStringLiteral("The file %1 cannot be opened: %2")
                     .arg(QDir::toNativeSeparators(file), problem));
        QCOMPARE(snapshot(window), before);
        QVERIFY(window.hasUnsavedChanges());
        QCOMPARE(window.recentFiles(), recent);
        QCOMPARE(editorSettings().value(QStringLiteral("recentFiles")).toStringList(),
                 QStringList(recent));
    }

    // --- Recent files -------------------------------------------------------------------------

    void emptyRecentMenu()
    {
        MainWindow window;
        const QList<QAction *> entries = recentEntries(window);
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0]->text(), QStringLiteral("(empty)"));
        QVERIFY(!entries[0]->isEnabled());
    }

    void recentOrderDuplicatesAndCap()
    {
        QStringList files;
        for (int i = 0; i < 12; ++i) {
            files << writeConfiguration(QStringLiteral("f%1.mv100").arg(i));
            QVERIFY(!files.last().isEmpty());
        }
        MainWindow window;
        window.openRecentFile(files[0]);
        window.openRecentFile(files[1]);
        window.openRecentFile(files[0]);
        QCOMPARE(window.recentFiles(), (QList<QString> {files[0], files[1]}));
        for (int i = 2; i < 12; ++i)
            window.openRecentFile(files[i]);
        QList<QString> expected;
        for (int i = 11; i >= 2; --i)
            expected << files[i];
        QCOMPARE(window.recentFiles(), expected);
        QCOMPARE(editorSettings().value(QStringLiteral("recentFiles")).toStringList(),
                 QStringList(expected));

        const QList<QAction *> entries = recentEntries(window);
        QCOMPARE(entries.size(), 10);
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(entries[i]->text(), QFileInfo(expected[i]).fileName());
            QCOMPARE(entries[i]->toolTip(), expected[i]);
            QVERIFY(entries[i]->isEnabled());
        }

        // The list and the menu survive a restart.
        MainWindow restarted;
        QCOMPARE(restarted.recentFiles(), expected);
        QCOMPARE(recentEntries(restarted).size(), 10);
        QCOMPARE(recentEntries(restarted).first()->toolTip(), files[11]);
    }

    void recentPathsAreCaseSensitive()
    {
        const QString lower = writeConfiguration(QStringLiteral("case.mv100"));
        const QString upper = writeConfiguration(QStringLiteral("CASE.mv100"));
        QVERIFY(!lower.isEmpty() && !upper.isEmpty());
        MainWindow window;
        window.openRecentFile(lower);
        window.openRecentFile(upper);
        QCOMPARE(window.recentFiles(), (QList<QString> {upper, lower}));
        QCOMPARE(recentEntries(window)[1]->text(), QStringLiteral("case.mv100"));
    }

    // The entry being handled is replaced by the rebuild; it must outlive its own handler.
    void recentEntryLoadsItsFile()
    {
        const QString first = writeConfiguration(QStringLiteral("first.mv100"));
        MainWindow source;
        const QString second = path(QStringLiteral("second & last.mv100"));
        QVERIFY(source.SaveFile(second, source.GetItems()));
        MainWindow window;
        window.openRecentFile(second);
        window.openRecentFile(first);
        QCOMPARE(recentEntries(window)[1]->text(), QStringLiteral("second && last.mv100"));
        QCOMPARE(recentEntries(window)[1]->toolTip(), second);
        fillSome(window);
        window.setUnsavedChanges(false);

        QPointer<QAction> entry = recentEntries(window)[1];
        entry->trigger();
        QVERIFY(!entry.isNull());
        QTRY_VERIFY(entry.isNull());
        QCOMPARE(snapshot(window), snapshot(source));
        QCOMPARE(window.recentFiles(), (QList<QString> {second, first}));
        QCOMPARE(recentEntries(window).size(), 2);
        QCOMPARE(recentEntries(window)[0]->toolTip(), second);
    }

    void recentEntryAsksFirst_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("loaded");
        QTest::newRow("Cancel keeps everything") << "Cancel" << false;
        QTest::newRow("Yes loads") << "Yes" << true;
    }
    void recentEntryAsksFirst()
    {
        QFETCH(QString, answer);
        QFETCH(bool, loaded);
        const QString first = writeConfiguration(QStringLiteral("first.mv100"));
        MainWindow source;
        const QString second = path(QStringLiteral("second.mv100"));
        QVERIFY(source.SaveFile(second, source.GetItems()));

        MainWindow window;
        window.openRecentFile(second);
        window.openRecentFile(first);
        widget<QSpinBox>(window, "spin_debounce")->setValue(99);
        QVERIFY(window.hasUnsavedChanges());
        const QStringList before = snapshot(window);

        TestSupport::SeenBox question;
        answerBox(answer, &question, {});
        recentEntries(window)[1]->trigger();
        QCOMPARE(question.title, QStringLiteral("New Configuration"));
        QCOMPARE(question.text, QStringLiteral("Changes have been made and not saved. Continue?"));
        QCOMPARE(snapshot(window), loaded ? snapshot(source) : before);
        QCOMPARE(window.hasUnsavedChanges(), !loaded);
        QCOMPARE(window.recentFiles(),
                 loaded ? (QList<QString> {second, first}) : (QList<QString> {first, second}));
    }
};

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
