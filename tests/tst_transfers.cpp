// Tests of Read, Write, Erase and Get Info through the window against the simulated chip.
#include "CMorvantide100.h"
#include "KeyMatrixWidget.h"
#include "MainWindow.h"
#include "SimMorvantide100.h"
#include "TestSupport.h"

#include <QtTest>
#include <QtWidgets>

namespace {
const QString FACTORY_PIN = QStringLiteral("3C9A71E04B5D28F6");
const QString NEW_PIN = QStringLiteral("A1B2C3D4E5F60718");
const QString SUCCESS = QStringLiteral("I Success|The data was successfully transferred.");

QString errorBox(int code)
{
    return "W Error|" + QString::fromWCharArray(CMorvantide100::GetReturnErrorText(code));
}

// Triggers an action, clicks the first button of each message box that is one of the given
// ones (or closes the box) and returns the boxes as "<icon I/W/C/Q> <title>|<text>".
QStringList run(MainWindow &window, const char *action,
                const QStringList &accept = {"Yes", "Yes, lock", "Erase", "OK"})
{
    return TestSupport::triggerAnswering(&window, action, accept);
}

// What a transfer may change: lines, cells, info labels, text fields, unsaved-changes flag.
QStringList snapshot(MainWindow &window)
{
    QStringList state = window.GetItems();
    for (int layer = 0; layer < MV100::LAYERS; ++layer)
        for (int cell = 0; cell < MV100::CELLS; ++cell)
            state << window.matrix(layer)->buttonText(cell / MV100::COLUMNS, cell % MV100::COLUMNS);
    for (const QLabel *label : window.findChild<QWidget *>("tab_info")->findChildren<QLabel *>())
        state << label->text();
    for (const QLineEdit *edit : window.findChildren<QLineEdit *>())
        state << edit->text();
    return state << QString::number(window.hasUnsavedChanges());
}

// Configuration lines unlike the defaults everywhere that the widgets show as they are.
const QString SETTINGS = "00112233445566778899AABBCCDDEEFF,25,02A5102030400B0102030405060708,"
                         "0102030405060708090A0100010001,00051011FF2A3F21,00";
QList<QString> sampleItems(const QString &pin = FACTORY_PIN)
{
    QList<QString> items = QStringList {pin} + SETTINGS.split(',');
    QByteArray bytes;
    for (int i = 0; i < MV100::BLOCK_COUNT * MV100::BLOCK_SIZE; ++i)
        bytes.append(char(i / MV100::BLOCK_SIZE * 7 + i % MV100::BLOCK_SIZE * 13));
    for (int block = 0; block < MV100::BLOCK_COUNT; ++block)
        items << bytes.mid(block * MV100::BLOCK_SIZE, MV100::BLOCK_SIZE).toHex().toUpper();
    return items << "14";
}

template<typename Bytes> QString pinOf(const Bytes &bytes, int from = 0)
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data()) + from, 8).toHex().toUpper();
}

// An edit that changes nothing but the history: the window then has unsaved changes.
void markEdited(MainWindow &window)
{
    window.document().assignKey(0, 0, 0, window.configuration().keyCode(0, 0, 0));
}

template<typename... T> void row(const char *name, T... values)
{
    (QTest::newRow(name) << ... << values);
}

enum Fault { DEVICES, BAD_PIN, BAD_NEW_PIN, FAIL, SILENT, LOCKED, WRONG_PIN, ERASE };
} // namespace

class TestTransfers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Silent chips are given up after this instead of the default second.
    void initTestCase()
    {
        CMorvantide100::SetReadTimeout(20);
        // These tests look at Write's own report sequence: no backup before, no read-back after.
        QSettings settings("tarnwicks", "mv100-editor");
        settings.setValue("backupBeforeWrite", false);
        settings.setValue("verifyAfterWrite", false);
    }
    void init()
    {
        QTest::failOnWarning(QRegularExpression("QMetaObject::connectSlotsByName"));
        mv100sim::reset();
    }
    void cleanup() { TestSupport::closeAllModals(); }

    void writeThenReadGivesEverythingBack()
    {
        mv100sim::chip().pin = {1, 2, 3, 4, 5, 6, 7, 8};
        MainWindow writer;
        writer.SetItems(sampleItems(NEW_PIN));
        writer.findChild<QLineEdit *>("main_edit_pin")->setText("0102030405060708");
        markEdited(writer);
        const QStringList before = snapshot(writer);
        const QString question = "Q Read|Changes have been made and not saved. Continue?";
        QCOMPARE(run(writer, "actionRead", {"Cancel"}), QStringList {question});
        QCOMPARE(mv100sim::exchangeCount(), 0);
        QCOMPARE(run(writer, "actionWrite"), QStringList {SUCCESS});
        QCOMPARE(snapshot(writer), before);
        QCOMPARE(pinOf(mv100sim::chip().pin), NEW_PIN);

        MainWindow reader;
        reader.findChild<QLineEdit *>("main_edit_pin")->setText(NEW_PIN);
        reader.findChild<QLineEdit *>("pin_edit_pin")->setText(NEW_PIN);
        // Read decodes only the set mouse flags: the others must not stay as they were.
        for (QCheckBox *box : reader.findChild<QWidget *>("tab_mouse")->findChildren<QCheckBox *>())
            box->setChecked(true);
        markEdited(reader);
        const Mv100Config beforeRead = reader.configuration();
        QCOMPARE(run(reader, "actionRead"), (QStringList {question, SUCCESS}));
        const int itemsAndCells = sampleItems().size() + MV100::LAYERS * MV100::CELLS;
        QCOMPARE(snapshot(reader).mid(0, itemsAndCells), snapshot(writer).mid(0, itemsAndCells));
        QVERIFY(!reader.hasUnsavedChanges());
        QStringList info;
        for (const char *name : {"sn", "ver", "lock", "erasecount", "customdata"})
            info << reader.findChild<QLabel *>(QByteArray("info_label_") + name)->text();
        QCOMPARE(info.join(','),
                 "1a2b3c4d,1030,Unlocked,1,00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF ");
        // The chip's content as a value is the written one; Undo takes the Read back whole.
        QCOMPARE(reader.configuration().differences(writer.configuration()).size(), 0);
        QAction *undo = reader.findChild<QAction *>("actionUndo");
        QCOMPARE(undo->text().remove('&'), QStringLiteral("Undo Read from Device"));
        undo->trigger();
        QVERIFY(reader.configuration() == beforeRead && reader.hasUnsavedChanges());
        QVERIFY(reader.findChild<QCheckBox *>("mouse_chk_opt_analog")->isChecked());
    }

    void lockedDeviceIsRecoveredByErase()
    {
        MainWindow window;
        window.findChild<QLineEdit *>("pin_edit_pin")->setText(NEW_PIN);
        window.findChild<QComboBox *>("main_cmb_lock")->setCurrentIndex(1);
        const QString question = "Q Lock MV100|Do you really want to lock the Morvantide100?\nYou "
                                 "can not read/write any data until you erase the device.";
        QCOMPARE(run(window, "actionWrite", {"Cancel"}), QStringList {question});
        QCOMPARE(mv100sim::exchangeCount(), 0);
        QCOMPARE(run(window, "actionWrite"), (QStringList {question, SUCCESS}));
        QCOMPARE(int(mv100sim::writtenReports().back().bytes[1]), 0x06);
        QCOMPARE(pinOf(mv100sim::writtenReports().back().bytes, 5), NEW_PIN);

        QCOMPARE(run(window, "actionInfo"), QStringList {}); // Read, Write refused: failure table
        QCOMPARE(window.findChild<QLabel *>("info_label_lock")->text(), "Locked");
        window.findChild<QLineEdit *>("main_edit_pin")->setText(NEW_PIN);
        QCOMPARE(run(window, "actionEmpty"),
                 (QStringList {"Q Erase MV100|Do you really want to clear the Morvantide100?\nAll "
                               "data will be lost and the PIN will set to default.",
                               "I Success|Morvantide100 storage has been successfully cleared"}));
        QCOMPARE(mv100sim::chip().lockWord, mv100sim::UNLOCKED_WORD);
        QCOMPARE(pinOf(mv100sim::chip().pin), FACTORY_PIN);
    }

    void oldFirmwareHasNoDebounce()
    {
        // Debounce commands would be refused as unknown. 0x1030 and later: the round trip.
        mv100sim::chip().firmwareVersion = 0x102F;
        MainWindow window;
        auto *debounce = window.findChild<QSpinBox *>("spin_debounce");
        debounce->setValue(20);
        QCOMPARE(run(window, "actionWrite"), QStringList {SUCCESS});
        debounce->setValue(77);
        QCOMPARE(run(window, "actionRead").constLast(), SUCCESS);
        QCOMPARE(debounce->value(), 77);
    }

    void failureChangesNothing_data()
    {
        using namespace MV100;
        QTest::addColumn<QString>("action");
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("lastBox");
        for (int n : {0, 2}) {
            const QByteArray name = QByteArray::number(n) + " devices: ";
            row(name + "Read", "Read", DEVICES, n, "C Error|No Device or too many devices found");
            row(name + "Write", "Write", DEVICES, n, errorBox(RESULT_OPEN));
            row(name + "Erase", "Empty", DEVICES, n, "C USB Error|Morvantide100 was not found.");
        }
        const QString pinError = "W PIN Error|The %1PIN must be 16 characters long.";
        row("Read: PIN not hex", "Read", BAD_PIN, 0, pinError.arg(""));
        row("Write: PIN not hex", "Write", BAD_PIN, 0, pinError.arg(""));
        row("Write: new PIN short", "Write", BAD_NEW_PIN, 0, pinError.arg("new "));
        row("Read: silent, not locked", "Read", SILENT, 0, errorBox(RESULT_OPEN));
        row("Read: locked", "Read", LOCKED, 0, errorBox(RESULT_LOCKED));
        row("Read: block 247", "Read", FAIL, 251, errorBox(RESULT_MEMORY));
        row("Write: silent, not locked", "Write", SILENT, 0, errorBox(RESULT_OPEN));
        row("Write: locked", "Write", LOCKED, 0, errorBox(RESULT_LOCKED));
        row("Write: erase refused", "Write", WRONG_PIN, 1, errorBox(RESULT_ERASE));
        row("Write: block 247", "Write", FAIL, 252, errorBox(RESULT_MEMORY));
        row("Write: debounce", "Write", FAIL, 253, errorBox(RESULT_DEBOUNCE));
        row("Write: lock", "Write", FAIL, 255, errorBox(RESULT_LOCK));
        row("Erase: silent", "Empty", SILENT, 0,
            "W USB Error|The device's storage could not be cleared.");
        row("Erase: 1", "Empty", ERASE, 1, "C Error|Error: Block numer is out of range");
        row("Erase: 7", "Empty", ERASE, 7, "C Error|Error: ");
        row("Get Info: silent", "Info", SILENT, 0, "I Device Error|No Morvantide100 present");
    }
    void failureChangesNothing()
    {
        QFETCH(QString, action);
        QFETCH(Fault, fault);
        QFETCH(int, n);
        QFETCH(QString, lastBox);
        MainWindow window;
        window.SetItems(sampleItems());
        window.findChild<QComboBox *>("main_cmb_lock")->setCurrentIndex(n == 255); // lock step
        markEdited(window);
        const std::function<void()> faults[] = {
            [n] { mv100sim::setDeviceCount(n); },
            [&] { window.findChild<QLineEdit *>("main_edit_pin")->setText("3C9A71E04B5D28FG"); },
            [&] { window.findChild<QLineEdit *>("pin_edit_pin")->setText("3C9A71E04B5D28F"); },
            [n] { mv100sim::failWriteOfExchange(n); },
            [n] { mv100sim::stopAnsweringAfter(n); },
            [] { mv100sim::chip().lockWord = mv100sim::LOCKED_WORD; },
            [] { mv100sim::chip().pin.fill(9); },
            [n] { mv100sim::setEraseError(n); },
        };
        faults[fault]();
        const QStringList before = snapshot(window);
        const QStringList boxes = run(window, qPrintable("action" + action));
        QCOMPARE(boxes.value(boxes.size() - 1), lastBox);
        QCOMPARE(mv100sim::exchangeCount(), fault < FAIL ? 0 : fault == ERASE ? 1 : n + 1);
        QCOMPARE(mv100sim::openHandleCount(), 0);
        QCOMPARE(snapshot(window), before);
        QCOMPARE(window.findChild<QTabWidget *>("tabWidget")->currentIndex() > 0, action == "Info");
    }

    void progressIsWindowModalWithoutCancel()
    {
        mv100sim::setLatencyMicroseconds(3000); // long enough for the progress dialog to appear
        MainWindow window;
        window.show();
        QSet<int> values;
        bool ok = true;
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, [&]() {
            const auto *dialog = window.findChild<QProgressDialog *>();
            if (dialog == nullptr || !dialog->isVisible())
                return;
            values << dialog->value();
            ok &= dialog->windowModality() == Qt::WindowModal
                && !dialog->findChild<QPushButton *>();
            ok &= qApp->overrideCursor() && qApp->overrideCursor()->shape() == Qt::WaitCursor;
        });
        watcher.start(15);
        QCOMPARE(run(window, "actionRead"), QStringList {SUCCESS});
        QVERIFY(ok);
        QVERIFY2(values.size() >= 5, qPrintable(QString::number(values.size()))); // block by block
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }
};

QTEST_MAIN(TestTransfers)
#include "tst_transfers.moc"
