// Tests of the backup before and the verify after a Write, and of the boxes that say what state
// the chip is in, through the window against the simulated chip.
#include "BackupStore.h"
#include "CMorvantide100.h"
#include "ConfigFile.h"
#include "DeviceMessages.h"
#include "MainWindow.h"
#include "Mv100Transfer.h"
#include "SafeWrite.h"
#include "SimMorvantide100.h"
#include "TestSupport.h"

#include <QtTest>
#include <QtWidgets>

namespace {
const QString FACTORY_PIN = QStringLiteral("3C9A71E04B5D28F6");
const QString ERASED = QStringLiteral("The chip was erased and holds only part of the "
                                      "configuration; its PIN is now the factory PIN "
                                      "(3C9A71E04B5D28F6).");

// Triggers an action and answers every message box with the first of the given buttons it has
// (or closes it); returns the boxes as "<icon I/W/C/Q> <title>|<text>|<informative text>".
QStringList run(MainWindow &window, const char *action,
                const QStringList &accept = {"Yes", "Yes, lock", "Erase", "OK", "Write Anyway"})
{
    return TestSupport::triggerAnswering(&window, action, accept, true);
}

QString status(const MainWindow &window)
{
    return window.findChild<QLabel *>("label_device_status")->text();
}

// Cells, macros and settings unlike an empty configuration's.
Mv100Config sample(int seed)
{
    Mv100Config config;
    for (int cell = 0; cell < MV100::CELLS; cell += 7)
        config.setKeyCode(cell % 3, cell % MV100::COLUMNS, cell / MV100::COLUMNS,
                          std::uint16_t(0x0004 + (cell + seed) % 90));
    for (int number = 0; number < MV100::MACRO_COUNT; number += 11) {
        Mv100Config::Macro record = Mv100Config::emptyMacro();
        record[0] = 1;
        record[1] = std::uint8_t(0x04 + seed + number % 20);
        config.setMacro(number, record);
    }
    config.settings().customData = QString("00112233445566778899AABBCCDDEE%1").arg(seed, 2, 10, QChar('0'));
    config.settings().debounce = std::uint8_t(5 + seed);
    config.settings().mouse[2] = std::uint8_t(40 + seed);
    return config;
}

// What the chip holds as a Read gives it back (PIN line: the PIN it was read with).
Mv100Config chipContent()
{
    Mv100Transfer transfer;
    Mv100Config config;
    if (!transfer.Open()
        || transfer.Read(Mv100Transfer::pinBytes(FACTORY_PIN), config) != MV100::RESULT_SUCCESS)
        qFatal("the simulated chip cannot be read");
    config.settings().newPin = FACTORY_PIN;
    return config;
}

void putOnChip(const Mv100Config &config)
{
    Mv100Transfer transfer;
    if (!transfer.Open() || transfer.Write(config, MV100_PIN::BYTES, false) != MV100::RESULT_SUCCESS)
        qFatal("the simulated chip cannot be written");
    mv100sim::clearLog();
}

void setOptions(bool backup, bool verify)
{
    QSettings settings("tarnwicks", "mv100-editor");
    settings.setValue("backupBeforeWrite", backup);
    settings.setValue("verifyAfterWrite", verify);
}

// Commands of the reports written so far, in order.
QByteArray commands()
{
    QByteArray sent;
    for (const mv100sim::LoggedReport &report : mv100sim::writtenReports())
        sent.append(char(report.bytes.at(1)));
    return sent;
}
} // namespace

class TestSafeWrite : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { CMorvantide100::SetReadTimeout(20); }
    void init()
    {
        mv100sim::reset();
        setOptions(true, true);
        QDir(BackupStore().folder()).removeRecursively();
    }
    void cleanup() { TestSupport::closeAllModals(); }

    void backupBeforeAndVerifyAfter()
    {
        putOnChip(sample(1));
        const Mv100Config previous = chipContent();
        mv100sim::clearLog();
        const int start = mv100sim::exchangeCount();
        MainWindow window;
        window.document().reset(sample(2));
        const QStringList boxes = run(window, "actionWrite");
        const QStringList backups = BackupStore().backups();
        QCOMPARE(backups.size(), 1);
        QCOMPARE(boxes, QStringList {"I Success|The data was successfully transferred and verified.|"
                                     "A backup of the chip's previous content was saved as "
                                     + QDir::toNativeSeparators(backups[0]) + "."});
        QVERIFY(QFileInfo(backups[0]).fileName().endsWith("-1a2b3c4d.mv100"));
        Mv100Config backup;
        QVERIFY(ConfigFile::read(backups[0], &backup));
        QVERIFY(backup == previous);
        // Every block was read before the erase; the read-back follows the write.
        const QByteArray sent = commands();
        QCOMPARE(sent.left(sent.indexOf(char(MV100::CMD_ERASE))).count(char(MV100::CMD_READ_BLOCK)),
                 MV100::BLOCK_COUNT);
        QCOMPARE(mv100sim::exchangeCount() - start, 252 + 255 + 252);
        QVERIFY(chipContent().differences(window.configuration()).isEmpty());
        QVERIFY(status(window).startsWith("Written and verified "));

        // Switched off, Write sends its own sequence alone.
        setOptions(false, false);
        MainWindow plain;
        plain.document().reset(sample(3));
        mv100sim::clearLog();
        const int before = mv100sim::exchangeCount();
        QCOMPARE(run(plain, "actionWrite"),
                 QStringList {"I Success|The data was successfully transferred.|"});
        QCOMPARE(mv100sim::exchangeCount() - before, 255);
        QCOMPARE(commands().left(2), QByteArray("\x00\x03", 2));
        QCOMPARE(BackupStore().backups().size(), 1);
    }

    void verifyFindsWhatTheChipDidNotKeep_data()
    {
        QTest::addColumn<bool>("drop");
        QTest::addColumn<int>("block");
        QTest::newRow("a changed byte") << false << 17;
        QTest::newRow("a dropped block") << true << 83; // macro 11, which differs
    }
    void verifyFindsWhatTheChipDidNotKeep()
    {
        QFETCH(bool, drop);
        QFETCH(int, block);
        putOnChip(sample(1));
        drop ? mv100sim::dropBlockWrite(block) : mv100sim::corruptBlockWrite(block, 3, 0x01);
        MainWindow window;
        window.document().reset(sample(2));
        const QStringList boxes = run(window, "actionWrite");
        QCOMPARE(boxes.size(), 1);
        const QString text = QString("W Error|The data was written, but the chip holds something "
                                     "else: the first difference is in the memory block %1.|")
                                 .arg(block);
        QVERIFY2(boxes[0].startsWith(text), qPrintable(boxes[0]));
        QVERIFY(status(window).startsWith("Write failed: "));
    }

    // A Write that fails after the erase says so, names the backup and leaves the chip as said.
    void failureAfterTheErase_data()
    {
        QTest::addColumn<int>("exchange");
        QTest::addColumn<int>("result");
        // The backup takes exchanges 0..251; the Write's info 252, erase 253, then its steps.
        const int rows[][2] = {{254, MV100::RESULT_LED},         {255, MV100::RESULT_MOUSE},
                               {256, MV100::RESULT_CUSTOM_DATA}, {300, MV100::RESULT_MEMORY},
                               {505, MV100::RESULT_DEBOUNCE},    {506, MV100::RESULT_NEW_PIN}};
        for (const auto &r : rows)
            QTest::newRow(qPrintable(QString::number(r[1]))) << r[0] << r[1];
    }
    void failureAfterTheErase()
    {
        QFETCH(int, exchange);
        QFETCH(int, result);
        mv100sim::chip().pin = {1, 2, 3, 4, 5, 6, 7, 8};
        MainWindow window;
        window.document().reset(sample(2));
        window.findChild<QLineEdit *>("main_edit_pin")->setText("0102030405060708");
        window.findChild<QLineEdit *>("pin_edit_pin")->setText("A1B2C3D4E5F60718");
        mv100sim::failWriteOfExchange(exchange);
        const QStringList boxes = run(window, "actionWrite");
        const QString backup = BackupStore().backups().value(0);
        QVERIFY(QFileInfo::exists(backup));
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].section('|', 0, 1),
                 "W Error|" + QString::fromWCharArray(CMorvantide100::GetReturnErrorText(result)));
        QVERIFY2(boxes[0].section('|', 2).startsWith(ERASED), qPrintable(boxes[0]));
        QVERIFY(boxes[0].contains(QDir::toNativeSeparators(backup)));
        // As the box says: the factory PIN, and nothing after the failed step.
        QCOMPARE(mv100sim::chip().pin, mv100sim::FACTORY_PIN);
        QCOMPARE(mv100sim::exchangeCount(), exchange + 1);
        Mv100Config restored;
        QVERIFY(ConfigFile::read(backup, &restored));
        QCOMPARE(restored.settings().newPin, QString("0102030405060708"));
    }

    void wrongPinAndTheBackupQuestion()
    {
        // The chip answers the wrong PIN with zeros: no backup is made of those; Cancel stops.
        mv100sim::chip().pin = {1, 2, 3, 4, 5, 6, 7, 8};
        MainWindow window;
        const QString question = "W Back Up Before Writing|The chip's configuration could not be "
                                 "backed up: the chip answered with zeros only; the PIN may be "
                                 "wrong.\nWrite anyway?|";
        QCOMPARE(run(window, "actionWrite", {"Cancel"}), QStringList {question});
        QCOMPARE(mv100sim::exchangeCount(), 252);
        QVERIFY(BackupStore().backups().isEmpty());
        // Written anyway, the erase is refused: the box says which PIN the chip wants.
        const QStringList boxes = run(window, "actionWrite");
        QCOMPARE(boxes.size(), 2);
        QVERIFY2(boxes[1].contains("The chip did not accept the PIN in the PIN field. If an earlier "
                                   "Write stored a new PIN (the PIN tab)"),
                 qPrintable(boxes[1]));
        QCOMPARE(mv100sim::chip().pin, (std::array<unsigned char, 8> {1, 2, 3, 4, 5, 6, 7, 8}));

        // A Read of zeros warns, keeps what it read, and Undo takes it back.
        const Mv100Config before = window.configuration();
        QCOMPARE(run(window, "actionRead"),
                 QStringList {"W Read|The chip's memory image and settings came back all zero.|"
                              "The PIN in the PIN field may be wrong: the chip answers a wrong PIN "
                              "with zeros. The configuration was loaded all the same; Edit > Undo "
                              "takes it back."});
        QCOMPARE(window.configuration().keyCode(0, 0, 0), 0x0000);
        window.document().undoStack()->undo();
        QVERIFY(window.configuration() == before);
    }

    // A command the chip carried out but whose answer was lost: the box must not claim that
    // nothing changed (erase) or name one PIN for sure (new PIN).
    void answerLostAfterTheCommand_data()
    {
        QTest::addColumn<int>("stepsBefore");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("says");
        QTest::newRow("erase") << 1 << int(MV100::RESULT_ERASE)
                               << "The chip did not answer the erase, so it may have carried it out";
        QTest::newRow("new PIN") << 5 + MV100::BLOCK_COUNT + 1 << int(MV100::RESULT_NEW_PIN)
                                 << "its PIN is either the factory PIN (3C9A71E04B5D28F6) or the new";
    }
    void answerLostAfterTheCommand()
    {
        QFETCH(int, stepsBefore);
        QFETCH(int, result);
        QFETCH(QString, says);
        putOnChip(sample(1));
        int steps = 0;
        Mv100Transfer transfer([&steps, stepsBefore]() {
            if (++steps == stepsBefore)
                mv100sim::answerEmpty(true); // carried out, answered with nothing
        });
        QVERIFY(transfer.Open());
        SafeWriteOptions options;
        options.backup = options.verify = false;
        const SafeWriteOutcome outcome
            = safeWrite(transfer, sample(2), FACTORY_PIN, options, nullptr);
        QCOMPARE(int(outcome.result), result);
        QVERIFY(outcome.answerLost);
        QVERIFY2(DeviceMessages::writeFailure(outcome).contains(says),
                 qPrintable(DeviceMessages::writeFailure(outcome)));
        QCOMPARE(mv100sim::chip().eraseCount, 2); // the erase was carried out
    }

    void lockedByTheWriteIsNotVerified()
    {
        MainWindow window;
        window.findChild<QComboBox *>("main_cmb_lock")->setCurrentIndex(1);
        const QStringList boxes = run(window, "actionWrite");
        QVERIFY2(boxes.value(1).startsWith(
                     "I Success|The data was successfully transferred.|The chip was locked by "
                     "this Write, so it could not be read back to verify it. A backup"),
                 qPrintable(boxes.join('\n')));
        QCOMPARE(mv100sim::exchangeCount(), 252 + 256);
        QCOMPARE(mv100sim::chip().lockWord, mv100sim::LOCKED_WORD);
    }

    // Whether no chip, several or one that may not be opened: every command says which.
    void noDevice_data()
    {
        QTest::addColumn<int>("devices");
        QTest::addColumn<bool>("denied");
        QTest::addColumn<QString>("explanation");
        QTest::newRow("none") << 0 << false << "No Morvantide100 is connected.";
        QTest::newRow("two") << 2 << false << "2 Morvantide100 chips are connected.";
        QTest::newRow("not permitted")
            << 1 << true
            << "A Morvantide100 is connected, but it cannot be opened (Permission denied). On "
               "Linux a normal user may open it only once the udev rule 70-morvantide100.rules is "
               "loaded:\nsudo install -m 644 packaging/70-morvantide100.rules /etc/udev/rules.d/\n"
               "sudo udevadm control --reload-rules && sudo udevadm trigger";
    }
    void noDevice()
    {
        QFETCH(int, devices);
        QFETCH(bool, denied);
        QFETCH(QString, explanation);
        mv100sim::setDeviceCount(devices);
        mv100sim::setOpenDenied(denied);
        MainWindow window;
        for (const char *action : {"actionRead", "actionWrite", "actionEmpty"}) {
            const QStringList boxes = run(window, action);
            QVERIFY2(boxes.constLast().section('|', 2).startsWith(explanation),
                     qPrintable(boxes.join('\n')));
        }
        QCOMPARE(run(window, "actionInfo"), QStringList {});
        QVERIFY2(status(window).startsWith("Get Info failed: " + explanation),
                 qPrintable(status(window)));
        QCOMPARE(mv100sim::exchangeCount(), 0);
        QCOMPARE(mv100sim::openHandleCount(), 0);
    }

    void newestBackupsAreKept()
    {
        QTemporaryDir dir;
        BackupStore store(dir.path());
        const QDateTime start(QDate(2026, 12, 7), QTime(14, 0));
        QStringList made;
        for (int i = 0; i < BackupStore::KEEP + 3; ++i) {
            QString file;
            QVERIFY(store.store(sample(i % 5), 0x1A2B3C4D, &file, nullptr, start.addSecs(i)));
            made.prepend(file);
        }
        QCOMPARE(store.backups(), made.mid(0, BackupStore::KEEP));
        QVERIFY(!QFileInfo::exists(made.constLast()));
    }
};

QTEST_MAIN(TestSafeWrite)
#include "tst_safewrite.moc"
