// Fault matrix: each step of Read, Write, Erase and Get Info under each fault of the chip.
#include "CMorvantide100.h"
#include "MainWindow.h"
#include "MemoryImage.h"
#include "SafeWrite.h"
#include "SimMorvantide100.h"
#include "TestSupport.h"

#include <QtTest>
#include <QtWidgets>

namespace {
using namespace MV100;
const QString FACTORY_PIN = QStringLiteral("3C9A71E04B5D28F6");
const std::array<unsigned char, 8> NEW_PIN = {0xA1, 0xB2, 0xC3, 0xD4, 0xE5, 0xF6, 0x07, 0x18};
const QString NO_ANSWER = QStringLiteral("A Morvantide100 is connected but does not answer.");
const QString NONE_THERE = QStringLiteral("No Morvantide100 is connected.");
const QString PIN_REFUSED = QStringLiteral("The chip did not accept the PIN in the PIN field.");
const QString UNTOUCHED = PIN_REFUSED + "*Nothing on the chip was changed.";
const QString ERASED = QStringLiteral("The chip was erased and holds only part of the "
                                      "configuration; its PIN is now the factory PIN (%1).")
                           .arg(FACTORY_PIN);
const QString BACKUP_SAVED = QStringLiteral("A backup of the chip's previous content was saved as");
const QString SUCCESS = QStringLiteral("I Success|The data was successfully transferred.");
const QString VERIFIED = QString(SUCCESS).replace("transferred", "transferred and verified");
const QString QUESTION = QStringLiteral("W Back Up Before Writing|The chip's configuration could "
                                        "not be backed up: %1\nWrite anyway?");
const QString NOT_CLEARED
    = QStringLiteral("W USB Error|The device's storage could not be cleared.");
const QString NOT_VERIFIED = QStringLiteral("The data was written, but it could not be read back "
                                            "to verify it: ");
const QString NOT_LOCKED = QStringLiteral("The configuration was written and the chip has the new "
                                          "PIN from the PIN tab, but it could not be locked.");
// A command sent but not answered may have been carried out: the box says "may".
const QString ERASE_LOST = QStringLiteral("The chip did not answer the erase, so it may have "
                                          "carried it out: it may now be empty, with the factory "
                                          "PIN (%1).")
                               .arg(FACTORY_PIN);
const QString NEW_PIN_LOST = QStringLiteral("The configuration was written, but the chip did not "
                                            "answer the new PIN: its PIN is either the factory PIN "
                                            "(%1) or the new PIN from the PIN tab.")
                                 .arg(FACTORY_PIN);
const QString LOCK_LOST = NOT_LOCKED.left(NOT_LOCKED.indexOf("could not"))
    + "did not answer the lock: it may be locked.";
const QString DENIED_TEXT = QStringLiteral(
    "A Morvantide100 is connected, but it cannot be opened (Permission denied). On Linux a normal "
    "user may open it only once the udev rule 70-morvantide100.rules is loaded:\nsudo install -m "
    "644 packaging/70-morvantide100.rules /etc/udev/rules.d/\nsudo udevadm control --reload-rules "
    "&& sudo udevadm trigger");
const QString NO_INFO = QStringLiteral("I Device Error|No Morvantide100 present");
const QString CLEARED = "I Success|Morvantide100 storage has been successfully cleared";

enum Fault { OK, FAIL, SILENT, UNPLUG, EMPTY, STALE, TWO, NONE, LOCKED, DENIED, BAD_PIN, DETAIL };
const char *const FAULTS[] = {"ok",   "wfail", "silent", "unplug", "empty",  "stale",
                              "2dev", "0dev",  "locked", "denied", "badpin", "erase"};
// What the chip holds afterwards.
enum ChipCheck { UNCHANGED, NOTHING_SENT, PARTLY, WRITTEN, LOCKED_BY_WRITE, ERASED_CHIP, UNKNOWN };
enum Phase { READ, BACKUP, WRITE, VERIFY, ERASE, INFO };
enum Option { BACKUP_ON = 1, VERIFY_ON = 2, LOCK_ON = 4 };

QString text(unsigned short result)
{
    return QString::fromWCharArray(CMorvantide100::GetReturnErrorText(result));
}

// The reads of a Read (and of the backup and the verify) and the commands of a Write, with each
// one's exchange counted from the start of its sequence.
// clang-format off
struct Step { const char *name; int n; unsigned short result; };
const Step READS[] = {{"info", 0, RESULT_OPEN}, {"mouse", 1, RESULT_MOUSE}, {"LED", 2, RESULT_LED},
    {"debounce", 3, RESULT_DEBOUNCE}, {"block 0", 4, RESULT_MEMORY},
    {"block 247", 251, RESULT_MEMORY}};
const Step WRITES[] = {{"info", 0, RESULT_OPEN}, {"erase", 1, RESULT_ERASE}, {"LED", 2, RESULT_LED},
    {"mouse", 3, RESULT_MOUSE}, {"custom data", 4, RESULT_CUSTOM_DATA},
    {"block 0", 5, RESULT_MEMORY}, {"block 247", 252, RESULT_MEMORY},
    {"debounce", 253, RESULT_DEBOUNCE}, {"new PIN", 254, RESULT_NEW_PIN},
    {"lock", 255, RESULT_LOCK}};

// The step sequences of the commands: "Write" has backup and verify on, "Write plain" neither.
// The backup takes exchanges 0..251, the Write 252..506 (its lock 507), the verify 507..758; the
// Write's last progress step counts with or without the lock, so the verify's steps start at 508.
// Removing any one status check of Mv100Transfer fails a row: ReadRaw's info, mouse, LED,
// debounce and memory checks (Read, backup, verify); Write's info, erase (status and flag), LED,
// mouse, custom data, memory, debounce, new PIN and lock checks (Write, Write plain); Erase's
// status and flag (Erase); Info's status (Get Info). The transfer rows' stale answers need the
// drain before each command. exchange: of its first step; progress: steps counted before it.
struct Sequence { const char *op; const char *prefix; Phase phase; int exchange; int progress; };
const Sequence SEQUENCES[] = {{"Read", "", READ, 0, 0}, {"Write", "backup ", BACKUP, 0, 0},
    {"Write", "", WRITE, 252, 252}, {"Write", "verify ", VERIFY, 507, 508},
    {"Write plain", "", WRITE, 0, 0}, {"Erase", "", ERASE, 0, 0}, {"Get Info", "", INFO, 0, 0}};
// clang-format on

template<typename F> void forEachStep(F f)
{
    for (const Sequence &seq : SEQUENCES) {
        const bool reads = seq.phase != WRITE;
        const int count = seq.phase >= ERASE ? 1 : reads ? std::size(READS) : std::size(WRITES);
        for (int i = 0; i < count; ++i) {
            Step step = reads ? READS[i] : WRITES[i];
            if (seq.phase >= ERASE)
                step.name = seq.phase == ERASE ? "erase" : "info";
            f(seq, QString(seq.prefix) + step.name, step.n + seq.exchange, step);
        }
    }
}

// A cell through the window: the last box ("<icon> title|text"), the parts of its informative
// text (split by '*'; the first starts it), the start of the status line, the chip afterwards.
struct Cell
{
    QString box, informative, status;
    ChipCheck chip;
    Fault fault;
    int n; // exchange, device count or detail
};
// A cell of the transfers alone: the fault put in after this many progress steps (-1: none) and
// the steps counted.
struct Run
{
    Fault fault;
    int at, options;
    ChipCheck chip;
    int steps;
};
} // namespace
Q_DECLARE_METATYPE(Cell)
Q_DECLARE_METATYPE(Run)

namespace {
void addRow(const QString &op, const QString &step, const Cell &cell)
{
    QTest::newRow(qPrintable(op + ": " + step + " / " + FAULTS[cell.fault])) << cell;
}

// No chip that can be opened when the command starts.
void addAbsent(const QString &op, const QString &step, Fault fault, int n, const QString &why)
{
    const QHash<QString, QString> boxes = {{"Read", "C Error|No Device or too many devices found"},
                                           {"Erase", "C USB Error|Morvantide100 was not found."},
                                           {"Get Info", ""}};
    const bool info = op == "Get Info";
    addRow(op, step,
           {boxes.value(op, "W Error|" + text(RESULT_OPEN)), info ? "" : why,
            (info ? op : op.section(' ', 0, 0)) + " failed: " + (info ? why : ""), NOTHING_SENT,
            fault, n});
}

// Keys, custom data shorter than its 16 bytes, a new PIN; locked after writing if asked.
Mv100Config sample(bool lock)
{
    Mv100Config config;
    for (int cell = 0; cell < CELLS; cell += 5)
        config.setKeyCode(cell % 3, cell % COLUMNS, cell / COLUMNS, std::uint16_t(4 + cell % 90));
    config.settings().newPin = QStringLiteral("A1B2C3D4E5F60718");
    config.settings().customData = QStringLiteral("0011");
    config.settings().debounce = 9;
    config.settings().lockMode = lock ? 1 : 0;
    return config;
}

// Puts the fault into the simulated chip; n: the exchange, device count or erase detail.
void inject(Fault fault, int n)
{
    // clang-format off
    switch (fault) {
    case OK: break;
    case FAIL: mv100sim::failWriteOfExchange(n); break;
    case SILENT: mv100sim::stopAnsweringAfter(n); break;
    case UNPLUG: mv100sim::unplugAfter(n); break;
    case EMPTY: mv100sim::answerEmpty(true); break;
    // Zeros: taken for the info answer, they would read as locked.
    case STALE: mv100sim::queueStaleAnswer(0, std::vector<unsigned char>(64, 0)); break;
    case TWO: case NONE: mv100sim::setDeviceCount(n); break;
    case LOCKED: mv100sim::chip().lockWord = mv100sim::LOCKED_WORD; break;
    case DENIED: mv100sim::setOpenDenied(true); break;
    case BAD_PIN:
        mv100sim::chip().pin.fill(9);
        mv100sim::chip().lockWord = n ? mv100sim::LOCKED_WORD : mv100sim::UNLOCKED_WORD;
        break;
    case DETAIL: mv100sim::setEraseError(std::uint8_t(n)); break;
    }
    // clang-format on
}

QStringList infoLabels(const MainWindow &window)
{
    QStringList labels;
    for (const QLabel *label : window.findChild<QWidget *>("tab_info")->findChildren<QLabel *>())
        labels << label->text();
    return labels;
}

// The chip as the check says, against its state before the command.
void checkChip(int check, const mv100sim::ChipState &before, const Mv100Config &config)
{
    if (check == NOTHING_SENT)
        QCOMPARE(mv100sim::exchangeCount(), 0);
    if (check == UNKNOWN || mv100sim::deviceCount() == 0)
        return;
    const mv100sim::ChipState &chip = mv100sim::chip();
    mv100sim::ChipState erased = mv100sim::erasedChip();
    erased.eraseCount = before.eraseCount + 1;
    if (check == UNCHANGED || check == NOTHING_SENT || check == ERASED_CHIP) {
        QVERIFY(chip == (check == ERASED_CHIP ? erased : before));
        return;
    }
    QCOMPARE(chip.eraseCount, erased.eraseCount);
    QCOMPARE(chip.pin, check == PARTLY ? mv100sim::FACTORY_PIN : NEW_PIN);
    QCOMPARE(chip.lockWord, check == LOCKED_BY_WRITE ? mv100sim::LOCKED_WORD : erased.lockWord);
    if (check != PARTLY) {
        std::array<unsigned char, 16> custom = erased.customData; // "0011" padded with 0xFF
        std::copy_n("\x00\x11", 2, custom.begin());
        QCOMPARE(chip.customData, custom);
        const MemoryImage::Image image = MemoryImage::build(config);
        QVERIFY(std::equal(image.begin(), image.end(), chip.memory.begin(), chip.memory.end()));
    }
}
} // namespace

class TestFaultMatrix : public QObject
{
    Q_OBJECT

    QTemporaryDir m_backups;

private Q_SLOTS:
    void initTestCase() { CMorvantide100::SetReadTimeout(20); }
    void init()
    {
        mv100sim::reset();
        mv100sim::ChipState &chip = mv100sim::chip();
        for (std::size_t i = 0; i < chip.memory.size(); ++i)
            chip.memory[i] = std::uint8_t(i * 7 + i / 32);
        for (int i = 0; i < 16; ++i)
            chip.customData[i] = std::uint8_t(0xC0 + i);
    }
    void cleanup() { TestSupport::closeAllModals(); }

    void window_data()
    {
        QTest::addColumn<Cell>("cell");
        forEachStep([](const Sequence &seq, const QString &step, int n, const Step &s) {
            const QString r = text(s.result);
            const QString backup = QString(seq.op) == "Write" ? "*" + BACKUP_SAVED : "";
            const QString erasedNote = backup.isEmpty() ? "*No backup" : "*The backup of";
            const QString failed = (seq.phase == READ ? "Read" : "Write") + QString(" failed: ");
            for (const Fault f : {FAIL, SILENT, UNPLUG}) {
                const QString why = f == UNPLUG ? NONE_THERE : NO_ANSWER;
                const QString lockNote = f == SILENT ? LOCK_LOST : NOT_LOCKED;
                Cell c = {"W Error|" + r, "", failed + r, UNCHANGED, f, n};
                if (f == UNPLUG && n == 0) { // gone before the command starts
                    addAbsent(seq.op, step, f, n, why);
                    continue;
                }
                if (seq.phase == READ && s.result == RESULT_OPEN)
                    c.informative = why;
                else if (seq.phase == BACKUP)
                    c = {QUESTION.arg(r), "", "Write cancelled", UNCHANGED, f, n};
                else if (seq.phase == VERIFY)
                    c = {"W Error|" + NOT_VERIFIED + r, BACKUP_SAVED, failed, WRITTEN, f, n};
                else if (seq.phase == ERASE)
                    c = {NOT_CLEARED, "", "Erase failed: ", UNCHANGED, f, n};
                else if (seq.phase == INFO)
                    c = {NO_INFO, "", "Get Info failed: No Morvantide100 present", UNCHANGED, f, n};
                else if (seq.phase == WRITE && s.result == RESULT_OPEN)
                    c.informative = why + backup;
                else if (seq.phase == WRITE && s.result == RESULT_ERASE)
                    c.informative = (f == SILENT ? ERASE_LOST : UNTOUCHED) + backup;
                else if (s.result == RESULT_LOCK)
                    c = {c.box, lockNote + backup, c.status, WRITTEN, f, n};
                else if (seq.phase == WRITE && f == SILENT && s.result == RESULT_NEW_PIN)
                    c = {c.box, NEW_PIN_LOST, c.status, PARTLY, f, n};
                else if (seq.phase == WRITE) // after the erase
                    c = {c.box, ERASED + erasedNote, c.status, PARTLY, f, n};
                addRow(seq.op, step, c);
            }
        });
        const QString open = "W Error|" + text(RESULT_OPEN);
        const QString locked = "W Error|" + text(RESULT_LOCKED);
        // clang-format off
        for (const Fault f : {OK, STALE}) { // stale answers before the command are drained
            addRow("Read", "all", {SUCCESS, "", "Read ", UNCHANGED, f, 0});
            addRow("Write", "all", {VERIFIED, BACKUP_SAVED, "Written and verified ", WRITTEN, f, 0});
            addRow("Write plain", "all", {SUCCESS, "", "Written ", WRITTEN, f, 0});
            addRow("Erase", "all", {CLEARED, "", "Erased ", ERASED_CHIP, f, 0});
            addRow("Get Info", "all", {"", "", "Info read ", UNCHANGED, f, 0});
        }
        addRow("Write", "lock", {SUCCESS, "The chip was locked by this Write, so it could not be "
               "read back to verify it.*" + BACKUP_SAVED, "Written ", LOCKED_BY_WRITE, OK, 0});
        addRow("Write plain", "lock", {SUCCESS, "", "Written ", LOCKED_BY_WRITE, OK, 0});
        // Every answer empty from the start. The chip carries the erase out all the same.
        addRow("Read", "all", {open, NO_ANSWER, "Read failed: ", UNCHANGED, EMPTY, 0});
        addRow("Write", "all", {QUESTION.arg(text(RESULT_OPEN)), "", "Write cancelled", UNCHANGED, EMPTY, 0});
        addRow("Write plain", "all", {open, NO_ANSWER, "Write failed: ", UNCHANGED, EMPTY, 0});
        addRow("Erase", "all", {NOT_CLEARED, "", "Erase failed: ", UNKNOWN, EMPTY, 0});
        addRow("Get Info", "all", {NO_INFO, "", "Get Info failed: ", UNCHANGED, EMPTY, 0});
        // A locked chip is read and written by no one; its only way out is an erase.
        addRow("Read", "all", {locked, "", "Read failed: " + text(RESULT_LOCKED), UNCHANGED, LOCKED, 0});
        addRow("Write", "all", {locked, "", "Write failed: " + text(RESULT_LOCKED), UNCHANGED, LOCKED, 0});
        addRow("Write plain", "all", {locked, "", "Write failed: ", UNCHANGED, LOCKED, 0});
        addRow("Erase", "all", {CLEARED, "", "Erased ", ERASED_CHIP, LOCKED, 0});
        addRow("Get Info", "all", {"", "", "Info read ", UNCHANGED, LOCKED, 0});
        // A wrong PIN: the erase is refused with detail 3, on a locked chip with 4; the other
        // details only come from a faulty chip.
        addRow("Write plain", "all", {"W Error|" + text(RESULT_ERASE), UNTOUCHED, "Write failed: ",
               UNCHANGED, BAD_PIN, 0});
        addRow("Erase", "all", {"C Error|Error: Erase/Write failed", PIN_REFUSED,
               "Erase failed: Error: Erase/Write failed", UNCHANGED, BAD_PIN, 0});
        addRow("Erase", "locked", {"C Error|Error: Device is locked", PIN_REFUSED,
               "Erase failed: Error: Device is locked", UNCHANGED, BAD_PIN, 1});
        const char *const details[] = {"", "Block numer is out of range", "Erasecount could not written",
                                       "Erase/Write failed", "Device is locked", "", "", ""};
        // clang-format on
        for (const int d : {1, 2, 7}) {
            const QString detail = QString("Error: ") + details[d];
            addRow("Erase", "detail " + QString::number(d),
                   {"C Error|" + detail, "", "Erase failed: " + detail, UNCHANGED, DETAIL, d});
        }
        for (const char *op : {"Read", "Write", "Write plain", "Erase", "Get Info"}) {
            addAbsent(op, "all", TWO, 2, "2 Morvantide100 chips are connected.");
            addAbsent(op, "all", NONE, 0, NONE_THERE);
            addAbsent(op, "all", DENIED, 1, DENIED_TEXT);
        }
    }
    void window()
    {
        QFETCH(const Cell, cell);
        const QString op = QString(QTest::currentDataTag()).section(':', 0, 0);
        const bool lock = QString(QTest::currentDataTag()).contains(": lock /");
        QSettings settings("tarnwicks", "mv100-editor");
        settings.setValue("backupBeforeWrite", op == "Write");
        settings.setValue("verifyAfterWrite", op == "Write");
        MainWindow window;
        const Mv100Config config = sample(lock);
        window.document().reset(config);
        window.document().assignKey(0, 0, 0, config.keyCode(0, 0, 0)); // unsaved
        inject(cell.fault, cell.n);
        const mv100sim::ChipState before
            = mv100sim::deviceCount() ? mv100sim::chip() : mv100sim::ChipState();
        const QStringList labels = infoLabels(window);

        QElapsedTimer clock;
        clock.start();
        const QString action
            = QString(op).replace("Erase", "Empty").remove(" plain").remove("Get ");
        // Every box answered with the first of these buttons it has, else closed; the last one
        // as "<icon I/W/C/Q> <title>|<text>|<informative text>".
        const QStringList boxes = TestSupport::triggerAnswering(
            &window, "action" + action, {"Yes", "Yes, lock", "Erase", "OK"}, true);
        const QString shown = boxes.value(boxes.size() - 1);
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(shown.section('|', 0, 1), cell.box);
        const QString informative = shown.section('|', 2);
        QVERIFY2(informative.startsWith(cell.informative.section('*', 0, 0))
                     && (informative.isEmpty() || !cell.informative.isEmpty()),
                 qPrintable(informative));
        for (const QString &part : cell.informative.split('*', Qt::SkipEmptyParts))
            QVERIFY2(informative.contains(part), qPrintable(informative));
        const QString line = window.findChild<QLabel *>("label_device_status")->text();
        QVERIFY2(line.startsWith(cell.status), qPrintable(line));
        QCOMPARE(mv100sim::openHandleCount(), 0);
        QVERIFY(!QApplication::overrideCursor()); // the wait cursor ends with every outcome
        if (cell.fault == FAIL || cell.fault == SILENT) // nothing is sent after the failed step
            QCOMPARE(mv100sim::exchangeCount(), cell.n + 1);
        checkChip(cell.chip, before, config);

        // Only a complete Read, and Get Info, change the editor.
        const bool read = op == "Read" && cell.box == SUCCESS;
        QCOMPARE(window.configuration().settings().customData,
                 read ? "C0C1C2C3C4C5C6C7C8C9CACBCCCDCECF" : "0011");
        QCOMPARE(window.configuration() == config, !read);
        QCOMPARE(window.hasUnsavedChanges(), !read);
        if (read || line.startsWith("Info read")) {
            const QString locked = window.findChild<QLabel *>("info_label_lock")->text();
            QCOMPARE(locked, cell.fault == LOCKED ? "Locked" : "Unlocked");
            QCOMPARE(window.findChild<QLabel *>("info_label_sn")->text(), "1a2b3c4d");
        } else {
            QCOMPARE(infoLabels(window), labels);
        }
        const QTabWidget *tabs = window.findChild<QTabWidget *>("tabWidget");
        QCOMPARE(tabs->currentWidget()->objectName() == "tab_info", op == "Get Info"); // shown
    }

    // The safe write alone (its backup and verify are each a Read), a stale answer put in before
    // a given progress step: drained, the whole sequence succeeds and counts every step.
    void transfer_data()
    {
        QTest::addColumn<Run>("run");
        const auto row = [](const QString &cell, const Run &run) {
            QTest::newRow(qPrintable("T " + cell + " / " + FAULTS[run.fault])) << run;
        };
        forEachStep([&row](const Sequence &seq, const QString &step, int, const Step &s) {
            if (QString(seq.op) != "Write")
                return;
            const bool lock = step == "lock";
            row("Write: " + step,
                {STALE, seq.progress + s.n, BACKUP_ON | (lock ? LOCK_ON : VERIFY_ON),
                 lock ? LOCKED_BY_WRITE : WRITTEN, lock ? 508 : 760});
        });
        // clang-format off
        row("Write: old firmware", {OK, -1, BACKUP_ON | VERIFY_ON, WRITTEN, 760});
        row("Write: backup, lock", {OK, -1, BACKUP_ON | LOCK_ON, LOCKED_BY_WRITE, 508});
        row("Write: verify", {OK, -1, VERIFY_ON, WRITTEN, 508});
        row("Write: verify, lock", {OK, -1, VERIFY_ON | LOCK_ON, LOCKED_BY_WRITE, 256});
        row("Write plain: all", {OK, -1, 0, WRITTEN, 256});
        // clang-format on
    }
    void transfer()
    {
        QFETCH(const Run, run);
        if (QString(QTest::currentDataTag()).contains("old firmware")) // without debounce
            mv100sim::chip().firmwareVersion = 0x102F;
        const Mv100Config config = sample(run.options & LOCK_ON);
        const mv100sim::ChipState before = mv100sim::chip();
        const SafeWriteOptions o = {bool(run.options & BACKUP_ON), bool(run.options & VERIFY_ON),
                                    bool(run.options & LOCK_ON), m_backups.path()};
        int counted = 0;
        SafeWriteOutcome w;
        {
            Mv100Transfer transfer([&]() {
                if (++counted == run.at)
                    inject(run.fault, 0);
            });
            QVERIFY(transfer.Open());
            if (run.at == 0)
                inject(run.fault, 0);
            w = safeWrite(transfer, config, FACTORY_PIN, o,
                          [](const SafeWriteOutcome &) { return false; });
        }
        QVERIFY2(w.succeeded() && w.backupMade == o.backup && w.verified == (o.verify && !o.lock),
                 qPrintable(QString("backup %1, write %2, verify %3 %4")
                                .arg(w.backupReadResult)
                                .arg(w.result)
                                .arg(w.verifyReadResult)
                                .arg(w.verifyDifference)));
        QCOMPARE(mv100sim::openHandleCount(), 0);
        checkChip(run.chip, before, config);
        QCOMPARE(counted, run.steps);
        QCOMPARE(safeWriteSteps(o), run.steps); // the length of the window's progress
    }
};

QTEST_MAIN(TestFaultMatrix)
#include "tst_faultmatrix.moc"
