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

// An edit that changes nothing but the history: the window then has unsaved changes.
void markEdited(MainWindow &window)
{
    window.document().assignKey(0, 0, 0, window.configuration().keyCode(0, 0, 0));
}
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
        MainWindow writer;
        writer.SetItems(sampleItems(NEW_PIN));
        writer.findChild<QLineEdit *>("main_edit_pin")->setText(FACTORY_PIN);
        QCOMPARE(run(writer, "actionWrite"), QStringList {SUCCESS});

        MainWindow reader;
        reader.findChild<QLineEdit *>("main_edit_pin")->setText(NEW_PIN);
        reader.findChild<QLineEdit *>("pin_edit_pin")->setText(NEW_PIN);
        // Read decodes only the set mouse flags: the others must not stay as they were.
        for (QCheckBox *box : reader.findChild<QWidget *>("tab_mouse")->findChildren<QCheckBox *>())
            box->setChecked(true);
        markEdited(reader);
        const Mv100Config beforeRead = reader.configuration();
        const QString question = "Q Read|Changes have been made and not saved. Continue?";
        const int written = mv100sim::exchangeCount();
        QCOMPARE(run(reader, "actionRead", {"Cancel"}), QStringList {question});
        QCOMPARE(mv100sim::exchangeCount(), written);
        QCOMPARE(run(reader, "actionRead"), (QStringList {question, SUCCESS}));
        const int itemsAndCells = sampleItems().size() + MV100::LAYERS * MV100::CELLS;
        QCOMPARE(snapshot(reader).mid(0, itemsAndCells), snapshot(writer).mid(0, itemsAndCells));
        QStringList info;
        for (const char *name : {"sn", "ver", "lock", "erasecount", "customdata"})
            info << reader.findChild<QLabel *>(QByteArray("info_label_") + name)->text();
        QCOMPARE(info.join(','),
                 "1a2b3c4d,1030,Unlocked,1,00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF ");
        // Undo takes the Read back whole.
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
        window.findChild<QLineEdit *>("main_edit_pin")->setText(NEW_PIN);
        QCOMPARE(run(window, "actionEmpty"),
                 (QStringList {"Q Erase MV100|Do you really want to clear the Morvantide100?\nAll "
                               "data will be lost and the PIN will set to default.",
                               "I Success|Morvantide100 storage has been successfully cleared"}));
    }

    // A PIN field the chip would not take stops before anything is sent.
    void badPinSendsNothing()
    {
        const QString notHex = "3C9A71E04B5D28FG";
        const struct
        {
            const char *action, *field;
            QString text, lastBox;
        } cases[] = {{"actionRead", "main_edit_pin", notHex,
                      "W PIN Error|The PIN must be 16 characters long."},
                     {"actionWrite", "pin_edit_pin", notHex.left(15),
                      "W PIN Error|The new PIN must be 16 characters long."}};
        for (const auto &c : cases) {
            MainWindow window;
            window.SetItems(sampleItems());
            markEdited(window);
            window.findChild<QLineEdit *>(c.field)->setText(c.text);
            const QStringList before = snapshot(window);
            QCOMPARE(run(window, c.action), QStringList {c.lastBox});
            QCOMPARE(mv100sim::exchangeCount() + mv100sim::openHandleCount(), 0);
            QCOMPARE(snapshot(window), before);
        }
    }
};

QTEST_MAIN(TestTransfers)
#include "tst_transfers.moc"
