// Tests of Read, Write, Erase and Get Info through the window against the simulated chip.
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

template<typename T> T *find(MainWindow &window, const char *name)
{
    return window.findChild<T *>(QLatin1String(name));
}

// Triggers an action, clicks the first button of each message box that is one of the given
// ones (or closes the box) and returns the boxes as "<icon I/W/C/Q> <title>|<text>".
QStringList run(MainWindow &window, const char *action,
                const QStringList &accept = {"Yes", "Yes, lock", "Erase", "OK"})
{
    QStringList boxes;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&]() {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        boxes << QString(" IWCQ"[box->icon()]) + ' ' + box->windowTitle() + '|' + box->text();
        for (QAbstractButton *button : box->buttons()) {
            if (accept.contains(button->text().remove('&')))
                return button->click();
        }
        box->done(QDialog::Rejected);
    });
    timer.start(5);
    find<QAction>(window, action)->trigger();
    return boxes;
}

// What a transfer may change: lines, cells, info labels, text fields, unsaved-changes flag.
QStringList snapshot(MainWindow &window)
{
    QStringList state = window.GetItems();
    for (int layer = 0; layer < MV100::LAYERS; ++layer)
        for (int cell = 0; cell < MV100::CELLS; ++cell)
            state << window.matrix(layer)->buttonText(cell / MV100::COLUMNS, cell % MV100::COLUMNS);
    for (const QLabel *label : find<QWidget>(window, "tab_info")->findChildren<QLabel *>())
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
    for (int block = 0; block < MV100::BLOCK_COUNT; ++block) {
        QByteArray bytes;
        for (int i = 0; i < MV100::BLOCK_SIZE; ++i)
            bytes.append(char(block * 7 + i * 13));
        items << bytes.toHex().toUpper();
    }
    return items << "14";
}

// Eight bytes from an offset as hex digits: a PIN in the chip or in a report.
template<typename Bytes> QString pinOf(const Bytes &bytes, int from = 0)
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data()) + from, 8).toHex().toUpper();
}

template<typename... T> void row(const char *name, T... values)
{
    (QTest::newRow(name) << ... << values);
}

// Faults of the failure table, each with a number n.
enum Fault { DEVICES, BAD_PIN, BAD_NEW_PIN, FAIL, SILENT, LOCKED, WRONG_PIN, ERASE };
} // namespace

class TestTransfers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
        find<QLineEdit>(writer, "main_edit_pin")->setText("0102030405060708");
        writer.setUnsavedChanges(true);
        const QStringList before = snapshot(writer);
        const QString question = "Q Read|Changes have been made and not saved. Continue?";
        QCOMPARE(run(writer, "actionRead", {"Cancel"}), QStringList {question});
        QCOMPARE(mv100sim::exchangeCount(), 0);
        QCOMPARE(run(writer, "actionWrite"), QStringList {SUCCESS});
        QCOMPARE(snapshot(writer), before);
        QCOMPARE(pinOf(mv100sim::chip().pin), NEW_PIN);

        MainWindow reader;
        find<QLineEdit>(reader, "main_edit_pin")->setText(NEW_PIN);
        find<QLineEdit>(reader, "pin_edit_pin")->setText(NEW_PIN);
        // Read decodes only the set mouse flags: the others must not stay as they were.
        for (QCheckBox *box : find<QWidget>(reader, "tab_mouse")->findChildren<QCheckBox *>())
            box->setChecked(true);
        reader.setUnsavedChanges(true);
        QCOMPARE(run(reader, "actionRead"), (QStringList {question, SUCCESS}));
        const int itemsAndCells = sampleItems().size() + MV100::LAYERS * MV100::CELLS;
        QCOMPARE(snapshot(reader).mid(0, itemsAndCells), snapshot(writer).mid(0, itemsAndCells));
        QVERIFY(!reader.hasUnsavedChanges());
        QStringList info;
        for (const char *name : {"sn", "ver", "lock", "erasecount", "customdata"})
            info << find<QLabel>(reader, QByteArray("info_label_") + name)->text();
        QCOMPARE(info.join(','),
                 "1a2b3c4d,1030,Unlocked,1,00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF ");
    }

    void lockedDeviceIsRecoveredByErase()
    {
        MainWindow window;
        find<QLineEdit>(window, "pin_edit_pin")->setText(NEW_PIN);
        find<QComboBox>(window, "main_cmb_lock")->setCurrentIndex(1);
        const QString question = "Q Lock MV100|Do you really want to lock the Morvantide100?\nYou "
                                 "can not read/write any data until you erase the device.";
        QCOMPARE(run(window, "actionWrite", {"Cancel"}), QStringList {question});
        QCOMPARE(mv100sim::exchangeCount(), 0);
        QCOMPARE(run(window, "actionWrite"), (QStringList {question, SUCCESS}));
        QCOMPARE(int(mv100sim::writtenReports().back().bytes[1]), 0x06);
        QCOMPARE(pinOf(mv100sim::writtenReports().back().bytes, 5), NEW_PIN);

        QCOMPARE(run(window, "actionInfo"), QStringList {}); // Read, Write refused: failure table
        QCOMPARE(find<QLabel>(window, "info_label_lock")->text(), "Locked");
        find<QLineEdit>(window, "main_edit_pin")->setText(NEW_PIN);
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
        auto *debounce = find<QSpinBox>(window, "spin_debounce");
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
            row(name + "Get Info", "Info", DEVICES, n, "");
        }
        const QString pinError = "W PIN Error|The PIN must be 16 characters long.";
        row("Read: PIN not hex", "Read", BAD_PIN, 0, pinError);
        row("Erase: PIN not hex", "Empty", BAD_PIN, 0, pinError);
        row("Write: PIN not hex", "Write", BAD_PIN, 0, pinError);
        row("Write: new PIN short", "Write", BAD_NEW_PIN, 0,
            "W PIN Error|The new PIN must be 16 characters long.");
        // A silent device is not taken for a locked one.
        row("Read: silent", "Read", SILENT, 0, errorBox(RESULT_OPEN));
        row("Read: locked", "Read", LOCKED, 0, errorBox(RESULT_LOCKED));
        row("Read: mouse", "Read", FAIL, 1, errorBox(RESULT_MOUSE));
        row("Read: block 247", "Read", FAIL, 251, errorBox(RESULT_MEMORY));
        row("Read: silent from block 96", "Read", SILENT, 100, errorBox(RESULT_MEMORY));
        row("Write: silent", "Write", SILENT, 0, errorBox(RESULT_OPEN));
        row("Write: locked", "Write", LOCKED, 0, errorBox(RESULT_LOCKED));
        row("Write: erase refused", "Write", WRONG_PIN, 1, errorBox(RESULT_ERASE));
        row("Write: LED", "Write", FAIL, 2, errorBox(RESULT_LED));
        row("Write: mouse", "Write", FAIL, 3, errorBox(RESULT_MOUSE));
        row("Write: custom data", "Write", FAIL, 4, errorBox(RESULT_CUSTOM_DATA));
        row("Write: block 247", "Write", FAIL, 252, errorBox(RESULT_MEMORY));
        row("Write: debounce", "Write", FAIL, 253, errorBox(RESULT_DEBOUNCE));
        row("Write: new PIN", "Write", FAIL, 254, errorBox(RESULT_NEW_PIN));
        row("Write: lock", "Write", FAIL, 255, errorBox(RESULT_LOCK));
        row("Erase: silent", "Empty", SILENT, 0,
            "W USB Error|The device's storage could not be cleared.");
        row("Erase: 1", "Empty", ERASE, 1, "C Error|Error: Block numer is out of range");
        row("Erase: 2", "Empty", ERASE, 2, "C Error|Error: Erasecount could not written");
        row("Erase: 3", "Empty", ERASE, 3, "C Error|Error: Erase/Write failed");
        row("Erase: 4", "Empty", ERASE, 4, "C Error|Error: Device is locked");
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
        find<QComboBox>(window, "main_cmb_lock")->setCurrentIndex(lastBox.endsWith("(lock)."));
        window.setUnsavedChanges(true);
        // Text fields are set by the program: their validators do not stop non-hex digits.
        const std::function<void()> faults[] = {
            [n] { mv100sim::setDeviceCount(n); },
            [&] { find<QLineEdit>(window, "main_edit_pin")->setText("3C9A71E04B5D28FG"); },
            [&] { find<QLineEdit>(window, "pin_edit_pin")->setText("3C9A71E04B5D28F"); },
            [n] { mv100sim::failWriteOfExchange(n); },
            [n] { mv100sim::stopAnsweringAfter(n); },
            [] { mv100sim::chip().lockWord = mv100sim::LOCKED_WORD; },
            [] { mv100sim::chip().pin.fill(9); },
            [n] { mv100sim::setEraseError(n); },
        };
        faults[fault]();
        const QStringList before = snapshot(window);
        const QDeadlineTimer fewSeconds(5000);
        const QStringList boxes = run(window, qPrintable("action" + action));
        QVERIFY(!fewSeconds.hasExpired());
        QCOMPARE(boxes.value(boxes.size() - 1), lastBox);
        // The failing step is the last one sent.
        QCOMPARE(mv100sim::exchangeCount(), fault < FAIL ? 0 : fault == ERASE ? 1 : n + 1);
        QCOMPARE(mv100sim::openHandleCount(), 0);
        QCOMPARE(snapshot(window), before);
        QCOMPARE(find<QTabWidget>(window, "tabWidget")->currentIndex() > 0, action == "Info");
    }

    void progressIsWindowModalWithoutCancel()
    {
        mv100sim::setLatencyMicroseconds(3000); // long enough for the progress dialog to appear
        MainWindow window;
        window.show();
        QSet<int> values;
        bool asExpected = true;
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, [&]() {
            auto *dialog = window.findChild<QProgressDialog *>();
            const QCursor *cursor = QApplication::overrideCursor();
            if (dialog == nullptr || !dialog->isVisible())
                return;
            values << dialog->value();
            asExpected = asExpected && dialog->windowModality() == Qt::WindowModal
                && dialog->findChildren<QPushButton *>().isEmpty() && cursor != nullptr
                && cursor->shape() == Qt::WaitCursor;
        });
        watcher.start(15);
        QCOMPARE(run(window, "actionRead"), QStringList {SUCCESS});
        QVERIFY(asExpected);
        QVERIFY2(values.size() >= 5, qPrintable(QString::number(values.size()))); // block by block
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }
};

QTEST_MAIN(TestTransfers)
#include "tst_transfers.moc"
