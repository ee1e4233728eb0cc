// Tests of the backup before and the verify after a Write, and of the boxes that say what state
// the chip is in, through the window against the simulated chip.
#include "BackupStore.h"
#include "CMorvantide100.h"
#include "ConfigFile.h"
#include "MainWindow.h"
#include "Mv100Transfer.h"
#include "SimMorvantide100.h"
#include "TestSupport.h"

#include <QtTest>
#include <QtWidgets>

namespace {
const QString FACTORY_PIN = QStringLiteral("3C9A71E04B5D28F6");

// Triggers an action and answers every message box with the first of the given buttons it has
// (or closes it); returns the boxes as "<icon I/W/C/Q> <title>|<text>|<informative text>".
QStringList run(MainWindow &window, const char *action,
                const QStringList &accept = {"Yes", "Yes, lock", "Erase", "OK", "Write Anyway"})
{
    return TestSupport::triggerAnswering(&window, action, accept, true);
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
    config.settings().customData
        = QString("00112233445566778899AABBCCDDEE%1").arg(seed, 2, 10, QChar('0'));
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
    if (!transfer.Open()
        || transfer.Write(config, MV100_PIN::BYTES, false) != MV100::RESULT_SUCCESS)
        qFatal("the simulated chip cannot be written");
    mv100sim::clearLog();
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
        QSettings settings("tarnwicks", "mv100-editor");
        settings.setValue("backupBeforeWrite", true);
        settings.setValue("verifyAfterWrite", true);
        QDir(BackupStore().folder()).removeRecursively();
    }
    void cleanup() { TestSupport::closeAllModals(); }

    void backupBeforeAndVerifyAfter()
    {
        putOnChip(sample(1));
        const Mv100Config previous = chipContent();
        const int start = mv100sim::exchangeCount();
        MainWindow window;
        window.document().reset(sample(2));
        const QStringList boxes = run(window, "actionWrite");
        const QStringList backups = BackupStore().backups();
        QCOMPARE(backups.size(), 1);
        QCOMPARE(boxes,
                 QStringList {"I Success|The data was successfully transferred and verified.|"
                              "A backup of the chip's previous content was saved as "
                              + QDir::toNativeSeparators(backups[0]) + "."});
        QVERIFY(QFileInfo(backups[0]).fileName().endsWith("-1a2b3c4d.mv100"));
        Mv100Config backup;
        QVERIFY(ConfigFile::read(backups[0], &backup));
        QVERIFY(backup == previous);
        QCOMPARE(mv100sim::exchangeCount() - start, 252 + 255 + 252);
    }

    // A chip that stores another byte, or drops a block while answering it as done.
    void verifyFindsWhatTheChipDidNotKeep()
    {
        for (const bool drop : {false, true}) {
            mv100sim::reset();
            putOnChip(sample(1));
            drop ? mv100sim::dropBlockWrite(40) : mv100sim::corruptBlockWrite(17, 3, 0x01);
            MainWindow window;
            window.document().reset(sample(2));
            const QStringList boxes = run(window, "actionWrite");
            QCOMPARE(boxes.size(), 1);
            QVERIFY2(boxes[0].startsWith(QString("W Error|The data was written, but the chip holds "
                                                 "something else: the first difference is in the "
                                                 "memory block %1.|")
                                             .arg(drop ? 40 : 17)),
                     qPrintable(boxes[0]));
            const QString status = window.findChild<QLabel *>("label_device_status")->text();
            QVERIFY2(status.startsWith("Write failed: "), qPrintable(status));
        }
    }

    // A Write that fails after the erase names the backup, which has the chip's PIN of before.
    void failureAfterTheErase()
    {
        mv100sim::chip().pin = {1, 2, 3, 4, 5, 6, 7, 8};
        MainWindow window;
        window.document().reset(sample(2));
        window.findChild<QLineEdit *>("main_edit_pin")->setText("0102030405060708");
        window.findChild<QLineEdit *>("pin_edit_pin")->setText("A1B2C3D4E5F60718");
        mv100sim::failWriteOfExchange(300); // a block of the Write, after the 252 of the backup
        const QStringList boxes = run(window, "actionWrite");
        const QString backup = BackupStore().backups().value(0);
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes[0].endsWith(" The backup of its previous content, "
                                   + QDir::toNativeSeparators(backup)
                                   + ", can be written back: open it with File > Restore "
                                     "Backup… and write it."),
                 qPrintable(boxes[0]));
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
        QVERIFY2(
            boxes[1].contains("The chip did not accept the PIN in the PIN field. If an earlier "
                              "Write stored a new PIN (the PIN tab)"),
            qPrintable(boxes[1]));

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
