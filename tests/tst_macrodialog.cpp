// Tests of the macro editor: loading, cell positions and pickers, Accept, Clear, and the questions.
#include "CKeyTable.h"
#include "CMorvantide100.h"
#include "KeyMatrixWidget.h"
#include "KeySelectDialog.h"
#include "KeySelectExtDialog.h"
#include "MacroDialogExt.h"
#include "MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>

using Record = std::array<unsigned char, MV100::MACRO_SIZE>;
Q_DECLARE_METATYPE(Record)

namespace {

constexpr int ROW_RETURN = 37; // "Keyboard Return", 0x28
constexpr int MOD_R_SHIFT = 6; // 0xE5
const QString NOT_SAVED_TITLE = QStringLiteral("Macro not saved");
const QString LOAD_QUESTION = QStringLiteral(
    "The current macro has unsaved changes.\nDiscard them and load the selected macro?");
const QString CLOSE_QUESTION
    = QStringLiteral("The current macro has unsaved changes.\nDiscard them and close the editor?");

// A record: type byte, then the given bytes from byte 1 on, the rest `fill`.
Record makeRecord(unsigned char type, std::initializer_list<unsigned char> bytes,
                  unsigned char fill = 0x00)
{
    Record record;
    record.fill(fill);
    record[0] = type;
    int i = 1;
    for (unsigned char b : bytes)
        record[i++] = b;
    return record;
}

// A record whose content bytes are all different keys, so that a seed shows which byte it came
// from.
Record distinctRecord(unsigned char type)
{
    Record record;
    record[0] = type;
    for (int i = 1; i < MV100::MACRO_SIZE; ++i)
        record[i] = static_cast<unsigned char>(0x04 + i); // 0x05 .. 0x23: b .. 6
    if (type == MacroDialogExt::TypeCell || type == MacroDialogExt::TypeCell16Bit)
        record[1] = 3;
    if (type == MacroDialogExt::TypeCell16Bit) {
        for (int k = 0; k < 15; ++k)
            record[2 + 2 * k] = static_cast<unsigned char>(0xE0 + k % 8);
    }
    return record;
}

Record storedMacro(const CMorvantide100 &config, int number)
{
    Record record;
    config.GetMacro(static_cast<unsigned char>(number), record.data());
    return record;
}

QByteArray hex(const Record &record)
{
    return QByteArray(reinterpret_cast<const char *>(record.data()), int(record.size())).toHex(' ');
}

QComboBox *combo(QWidget *dialog, const char *name)
{
    return dialog->findChild<QComboBox *>(QLatin1String(name));
}

QPushButton *button(QWidget *dialog, const char *name)
{
    return dialog->findChild<QPushButton *>(QLatin1String(name));
}

QString cellText(const MacroDialogExt &dialog, int index)
{
    return dialog.matrix()->buttonText(index / 8, index % 8);
}

void clickCell(const MacroDialogExt &dialog, int index,
               Qt::MouseButton mouseButton = Qt::LeftButton)
{
    KeyMatrixWidget *matrix = dialog.matrix();
    int w = 0;
    int h = 0;
    matrix->calcActualCellSize(w, h);
    const QRect rect = matrix->cellRect(index / 8, index % 8, w, h);
    QTest::mouseClick(matrix, mouseButton, Qt::NoModifier, rect.center());
}

// While it lives, hands every modal widget other than `own` that shows up to `handler`, which
// must close it. Scoped, so that a widget that never came cannot catch a later test's dialog.
class ModalHandler
{
public:
    ModalHandler(std::function<void(QWidget *)> handler, QWidget *own)
        : m_handler(std::move(handler))
        , m_own(own)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this]() {
            QWidget *modal = QApplication::activeModalWidget();
            if (m_busy || modal == nullptr || modal == m_own || !modal->isVisible())
                return;
            m_busy = true; // modals the handler opens itself belong to other handlers
            m_handler(modal);
            m_busy = false;
        });
        m_timer.start();
    }

private:
    std::function<void(QWidget *)> m_handler;
    QWidget *m_own;
    QTimer m_timer;
    bool m_busy = false;
};
using Handler = std::unique_ptr<ModalHandler>;

// What the picker opened by a cell click showed, and how it was answered.
struct PickerSeen
{
    bool seen = false;
    bool extended = false;
    bool parentless = false;
    int modifierRow = -1;
    int keyRow = -1;
};

// Answers pickers: records the kind and preselection, chooses the rows and presses OK, or
// Cancel when keyRow is -1.
Handler answerPicker(PickerSeen *seen, int modifierRow, int keyRow)
{
    return std::make_unique<ModalHandler>(
        [=](QWidget *modal) {
            auto *dialog = qobject_cast<QDialog *>(modal);
            if (dialog == nullptr) {
                modal->close();
                return;
            }
            seen->seen = qobject_cast<KeySelectDialog *>(dialog) != nullptr
                || qobject_cast<KeySelectExtDialog *>(dialog) != nullptr;
            seen->extended = qobject_cast<KeySelectExtDialog *>(dialog) != nullptr;
            seen->parentless = dialog->parentWidget() == nullptr;
            if (QComboBox *modifier = combo(dialog, "cmb_modifier")) {
                seen->modifierRow = modifier->currentIndex();
                if (modifierRow >= 0)
                    modifier->setCurrentIndex(modifierRow);
            }
            if (QComboBox *key = combo(dialog, "cmb_key")) {
                seen->keyRow = key->currentIndex();
                if (keyRow >= 0)
                    key->setCurrentIndex(keyRow);
            }
            if (keyRow >= 0 && button(dialog, "btn_ok") != nullptr)
                button(dialog, "btn_ok")->click();
            if (dialog->isVisible())
                dialog->done(QDialog::Rejected);
        },
        nullptr);
}

// Answers message boxes over `own` with the button of this text, recording what they said.
struct SeenBoxes
{
    QStringList titles;
    QStringList texts;
};
Handler answerBoxes(const QString &buttonText, SeenBoxes *seen, QWidget *own = nullptr)
{
    return std::make_unique<ModalHandler>(
        [=](QWidget *modal) {
            seen->titles << modal->windowTitle();
            auto *box = qobject_cast<QMessageBox *>(modal);
            seen->texts << (box != nullptr ? box->text() : QString());
            if (box != nullptr) {
                for (QAbstractButton *b : box->buttons()) {
                    if (b->text().remove(QLatin1Char('&')) == buttonText) {
                        b->click();
                        return;
                    }
                }
            }
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->done(QDialog::Rejected);
            else
                modal->close();
        },
        own);
}

// The check that an action asks nothing: every modal over `own` is recorded and closed.
Handler watchModals(SeenBoxes *seen, QWidget *own = nullptr)
{
    return answerBoxes(QString(), seen, own);
}

// The kinds of unsaved edit of the shown macro.
enum Edit { EditNone, EditCell, EditType, EditTimeout };

// Makes one edit as the user would, on a dialog showing a "Cell" macro.
void makeEdit(MacroDialogExt &dialog, Edit edit)
{
    switch (edit) {
    case EditNone:
        break;
    case EditCell: {
        PickerSeen seen;
        const Handler picker = answerPicker(&seen, -1, ROW_RETURN);
        clickCell(dialog, 0);
        break;
    }
    case EditType:
        combo(&dialog, "cmb_type")->setCurrentIndex(MacroDialogExt::TypeTyping);
        break;
    case EditTimeout:
        combo(&dialog, "cmb_timeout")->setCurrentIndex(9);
        break;
    }
}

} // namespace

class TestMacroDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void formAndSelectors();
    void opensOnMacroZero();
    void typeLayout_data();
    void typeLayout();
    void cellEditsItsBytes_data();
    void cellEditsItsBytes();
    void cellsShowBytesAtTheirPositions_data();
    void cellsShowBytesAtTheirPositions();
    void gapCellEditsTheByteItShows();
    void typeChangeRedrawsCells();
    void rejectedPickerChangesNothing();
    void onlyLeftClickEdits_data();
    void onlyLeftClickEdits();
    void timeoutSelector_data();
    void timeoutSelector();
    void acceptStoresRecord_data();
    void acceptStoresRecord();
    void clear_data();
    void clear();
    void clearThenEditStoresOneKey();
    void switchingMacros_data();
    void switchingMacros();
    void closing_data();
    void closing();
    void mainWindowFlag_data();
    void mainWindowFlag();
};

void TestMacroDialog::init()
{
    QTest::failOnWarning(QRegularExpression("QMetaObject::connectSlotsByName"));
}

void TestMacroDialog::cleanup()
{
    // done() rather than reject(): a dialog left with edits must not ask from here.
    for (int i = 0; i < 10; ++i) {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal == nullptr)
            break;
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->done(QDialog::Rejected);
        else
            modal->close();
        QApplication::processEvents();
    }
}

void TestMacroDialog::formAndSelectors()
{
    CMorvantide100 config;
    MacroDialogExt dialog(&config);
    QCOMPARE(dialog.objectName(), QString("MacroDialogExt"));
    QCOMPARE(dialog.windowTitle(), QString("Set Macro"));
    QCOMPARE(button(&dialog, "btn_save")->text(), QString("Accept"));
    QCOMPARE(button(&dialog, "btn_clearall")->text(), QString("Clear"));

    QComboBox *macros = combo(&dialog, "cmb_macro");
    QCOMPARE(macros->count(), 176);
    QCOMPARE(macros->itemText(0), QString("0"));
    QCOMPARE(macros->itemText(175), QString("175"));
    QCOMPARE(macros->currentIndex(), 0);

    QComboBox *types = combo(&dialog, "cmb_type");
    QCOMPARE(types->count(), 4);
    QCOMPARE(types->itemText(0), QString("Stable"));
    QCOMPARE(types->itemText(1), QString("Typing"));
    QCOMPARE(types->itemText(2), QString("Cell"));
    QCOMPARE(types->itemText(3), QString("Cell 16Bit"));

    QComboBox *timeouts = combo(&dialog, "cmb_timeout");
    QCOMPARE(timeouts->count(), 255);
    QCOMPARE(timeouts->itemText(0), QString("0 ms"));
    QCOMPARE(timeouts->itemText(5), QString("500 ms"));
    QCOMPARE(timeouts->itemText(254), QString("25400 ms"));

    QCOMPARE(dialog.matrix()->rows(), 4);
    QCOMPARE(dialog.matrix()->columns(), 8);
    // Opening stores nothing and leaves nothing to save.
    QVERIFY(dialog.isSaved());
    const Record empty = makeRecord(0xFF, {}, 0xFF);
    for (int n = 0; n < MV100::MACRO_COUNT; ++n)
        QCOMPARE(hex(storedMacro(config, n)), hex(empty));
}

void TestMacroDialog::opensOnMacroZero()
{
    CMorvantide100 config;
    const Record cell = makeRecord(MacroDialogExt::TypeCell, {5, 0x04, 0x05});
    config.SetMacro(0, cell.data());
    config.SetMacro(1, makeRecord(MacroDialogExt::TypeStable, {0x06}).data());
    MacroDialogExt dialog(&config);
    QCOMPARE(combo(&dialog, "cmb_macro")->currentIndex(), 0);
    QCOMPARE(combo(&dialog, "cmb_type")->currentText(), QString("Cell"));
    QCOMPARE(combo(&dialog, "cmb_timeout")->currentText(), QString("500 ms"));
    QVERIFY(combo(&dialog, "cmb_timeout")->isEnabled());
    QCOMPARE(cellText(dialog, 0), QString("A"));
    QCOMPARE(cellText(dialog, 1), QString("B"));
    QVERIFY(dialog.matrix()->buttonVisible(3, 5)); // cell 29
    QVERIFY(!dialog.matrix()->buttonVisible(3, 6)); // cell 30
    QVERIFY(dialog.isSaved());
}

void TestMacroDialog::typeLayout_data()
{
    QTest::addColumn<int>("typeByte");
    QTest::addColumn<QString>("typeText");
    QTest::addColumn<int>("visibleCells");
    QTest::addColumn<bool>("timeoutEnabled");
    QTest::newRow("Stable") << 0 << "Stable" << 31 << false;
    QTest::newRow("Typing") << 1 << "Typing" << 31 << false;
    QTest::newRow("Cell") << 2 << "Cell" << 30 << true;
    QTest::newRow("Cell 16Bit") << 3 << "Cell 16Bit" << 15 << true;
    QTest::newRow("unset 0xFF") << 0xFF << "Stable" << 31 << false;
    QTest::newRow("unknown 0x07") << 0x07 << "Stable" << 31 << false;
}

void TestMacroDialog::typeLayout()
{
    QFETCH(int, typeByte);
    QFETCH(QString, typeText);
    QFETCH(int, visibleCells);
    QFETCH(bool, timeoutEnabled);
    CMorvantide100 config;
    config.SetMacro(7, makeRecord(static_cast<unsigned char>(typeByte), {1, 0x04}).data());
    MacroDialogExt dialog(&config);
    // Loaded on selection, and the same again when the user switches the type by hand.
    combo(&dialog, "cmb_macro")->setCurrentIndex(7);
    for (int pass = 0; pass < 2; ++pass) {
        QCOMPARE(combo(&dialog, "cmb_type")->currentText(), typeText);
        QCOMPARE(combo(&dialog, "cmb_timeout")->isEnabled(), timeoutEnabled);
        for (int i = 0; i < 32; ++i)
            QCOMPARE(dialog.matrix()->buttonVisible(i / 8, i % 8), i < visibleCells);
        combo(&dialog, "cmb_type")->setCurrentIndex(typeText == "Cell 16Bit" ? 0 : 3);
        combo(&dialog, "cmb_type")->setCurrentIndex(combo(&dialog, "cmb_type")->findText(typeText));
    }
}

void TestMacroDialog::cellEditsItsBytes_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("offset"); // the (first) byte the cell edits
    QTest::newRow("Stable cell 0") << 0 << 0 << 1;
    QTest::newRow("Stable cell 30") << 0 << 30 << 31;
    QTest::newRow("Typing cell 9") << 1 << 9 << 10;
    QTest::newRow("Cell cell 0") << 2 << 0 << 2;
    QTest::newRow("Cell cell 12") << 2 << 12 << 14;
    QTest::newRow("Cell cell 29") << 2 << 29 << 31;
    QTest::newRow("Cell 16Bit cell 0") << 3 << 0 << 2;
    QTest::newRow("Cell 16Bit cell 9") << 3 << 9 << 20;
    QTest::newRow("Cell 16Bit cell 14") << 3 << 14 << 30;
}

void TestMacroDialog::cellEditsItsBytes()
{
    QFETCH(int, type);
    QFETCH(int, cell);
    QFETCH(int, offset);
    const bool extended = type == MacroDialogExt::TypeCell16Bit;
    CMorvantide100 config;
    const Record original = distinctRecord(static_cast<unsigned char>(type));
    config.SetMacro(4, original.data());
    MacroDialogExt dialog(&config);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    combo(&dialog, "cmb_macro")->setCurrentIndex(4);

    PickerSeen seen;
    const Handler picker = answerPicker(&seen, MOD_R_SHIFT, ROW_RETURN);
    clickCell(dialog, cell);
    QVERIFY(seen.seen);
    QCOMPARE(seen.extended, extended);
    QVERIFY(seen.parentless);
    const CKeyTable table;
    if (extended) {
        QCOMPARE(seen.modifierRow, table.GetModifierIndexByUsbCode(original[offset]));
        QCOMPARE(seen.keyRow, table.GetIndexByMacroUsbCode(original[offset + 1]));
        QCOMPARE(cellText(dialog, cell), QString("R-Shift\nReturn"));
    } else {
        QCOMPARE(seen.keyRow, table.GetIndexByMacroUsbCode(original[offset]));
        QCOMPARE(cellText(dialog, cell), QString("Return"));
    }
    QVERIFY(!dialog.isSaved());
    // Nothing reaches the configuration before "Accept".
    QCOMPARE(hex(storedMacro(config, 4)), hex(original));

    button(&dialog, "btn_save")->click();
    Record expected = original;
    if (extended) {
        expected[offset] = 0xE5;
        expected[offset + 1] = 0x28;
    } else {
        expected[offset] = 0x28;
    }
    QCOMPARE(hex(storedMacro(config, 4)), hex(expected));
    QVERIFY(dialog.isSaved());
}

void TestMacroDialog::cellsShowBytesAtTheirPositions_data()
{
    QTest::addColumn<Record>("record");
    QTest::addColumn<QStringList>("texts"); // cells 0, 1, 2, ...
    QTest::newRow("Stable with a gap")
        << makeRecord(0, {0x04, 0xFF, 0x05, 0x06}) << QStringList {"A", "", "B", "C", ""};
    QTest::newRow("Typing with 0x00 and unknown 0xA5")
        << makeRecord(1, {0x00, 0x04, 0xA5, 0x05}) << QStringList {"", "A", "", "B", ""};
    QTest::newRow("Cell, timeout byte not shown")
        << makeRecord(2, {0x04, 0x00, 0x05, 0xFF, 0x06}) << QStringList {"", "B", "", "C", ""};
    QTest::newRow("unset type shows as Stable")
        << makeRecord(0xFF, {0x04, 0x00, 0x05}) << QStringList {"A", "", "B"};
    QTest::newRow("unknown type keeps its bytes in place")
        << makeRecord(0x09, {0x00, 0x04}) << QStringList {"", "A", ""};
    QTest::newRow("Cell 16Bit") << makeRecord(
        3, {1, 0xE1, 0x04, 0x00, 0x28, 0xFF, 0xFF, 0xE7, 0xFF, 0x00, 0x05})
                                << QStringList {"L-Shift\nA", "Return", "", "R-GUI\n", "B", ""};
    QTest::newRow("cleared record") << makeRecord(0xFF, {}) << QStringList {"", "", "", ""};
}

void TestMacroDialog::cellsShowBytesAtTheirPositions()
{
    QFETCH(Record, record);
    QFETCH(QStringList, texts);
    CMorvantide100 config;
    config.SetMacro(0, makeRecord(0, {0x1D, 0x1D, 0x1D, 0x1D, 0x1D, 0x1D}).data()); // "Z"s
    config.SetMacro(2, record.data());
    MacroDialogExt dialog(&config);
    combo(&dialog, "cmb_macro")->setCurrentIndex(2);
    for (int i = 0; i < texts.size(); ++i)
        QCOMPARE(cellText(dialog, i), texts.at(i));
    QVERIFY(dialog.isSaved());
}

void TestMacroDialog::gapCellEditsTheByteItShows()
{
    CMorvantide100 config;
    const Record original = makeRecord(0, {0x04, 0xFF, 0x05, 0x06});
    config.SetMacro(0, original.data());
    MacroDialogExt dialog(&config);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    PickerSeen seen;
    const Handler picker = answerPicker(&seen, -1, ROW_RETURN);
    clickCell(dialog, 1);
    QVERIFY(seen.seen);
    QCOMPARE(seen.keyRow, 0); // the empty byte 2 opens on "None"
    QCOMPARE(cellText(dialog, 0), QString("A"));
    QCOMPARE(cellText(dialog, 1), QString("Return"));
    QCOMPARE(cellText(dialog, 2), QString("B"));
    QCOMPARE(cellText(dialog, 3), QString("C"));
    button(&dialog, "btn_save")->click();
    QCOMPARE(hex(storedMacro(config, 0)), hex(makeRecord(0, {0x04, 0x28, 0x05, 0x06})));
}

void TestMacroDialog::typeChangeRedrawsCells()
{
    CMorvantide100 config;
    config.SetMacro(0, makeRecord(0, {0x04, 0x05, 0x06, 0xE1, 0x07}).data());
    MacroDialogExt dialog(&config);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(cellText(dialog, 0), QString("A"));

    // As "Cell" the same bytes start one later: cell 0 edits byte 2.
    combo(&dialog, "cmb_type")->setCurrentIndex(MacroDialogExt::TypeCell);
    QCOMPARE(cellText(dialog, 0), QString("B"));
    QCOMPARE(cellText(dialog, 1), QString("C"));
    PickerSeen seen;
    const Handler picker = answerPicker(&seen, -1, -1);
    clickCell(dialog, 0);
    QCOMPARE(seen.keyRow, CKeyTable().GetIndexByMacroUsbCode(0x05));

    // As "Cell 16Bit" cell 1 is bytes 4 and 5.
    combo(&dialog, "cmb_type")->setCurrentIndex(MacroDialogExt::TypeCell16Bit);
    QCOMPARE(cellText(dialog, 1), QString("L-Shift\nD"));
    QVERIFY(!dialog.isSaved());
}

void TestMacroDialog::rejectedPickerChangesNothing()
{
    CMorvantide100 config;
    const Record original = distinctRecord(MacroDialogExt::TypeCell16Bit);
    config.SetMacro(0, original.data());
    MacroDialogExt dialog(&config);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QString before = cellText(dialog, 3);

    PickerSeen seen;
    const Handler picker = answerPicker(&seen, MOD_R_SHIFT, -1);
    clickCell(dialog, 3);
    QVERIFY(seen.seen);
    QCOMPARE(cellText(dialog, 3), before);
    QVERIFY(dialog.isSaved());
    button(&dialog, "btn_save")->click();
    QCOMPARE(hex(storedMacro(config, 0)), hex(original));
}

void TestMacroDialog::onlyLeftClickEdits_data()
{
    QTest::addColumn<int>("mouseButton");
    QTest::newRow("right") << int(Qt::RightButton);
    QTest::newRow("middle") << int(Qt::MiddleButton);
}

void TestMacroDialog::onlyLeftClickEdits()
{
    QFETCH(int, mouseButton);
    CMorvantide100 config;
    config.SetMacro(0, makeRecord(0, {0x04}).data());
    MacroDialogExt dialog(&config);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    {
        SeenBoxes seen;
        const Handler watcher = watchModals(&seen);
        clickCell(dialog, 0, static_cast<Qt::MouseButton>(mouseButton));
        clickCell(dialog, 5, static_cast<Qt::MouseButton>(mouseButton));
        QApplication::processEvents();
        QCOMPARE(seen.titles, QStringList());
    }
    QCOMPARE(cellText(dialog, 0), QString("A"));
    QVERIFY(dialog.isSaved());
}

void TestMacroDialog::timeoutSelector_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("timeoutByte");
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("text");
    QTest::newRow("Cell 5") << 2 << 5 << 5 << "500 ms";
    QTest::newRow("Cell 0") << 2 << 0 << 0 << "0 ms";
    QTest::newRow("Cell 254") << 2 << 254 << 254 << "25400 ms";
    QTest::newRow("Cell 0xFF") << 2 << 0xFF << -1 << "";
    QTest::newRow("Cell 16Bit 17") << 3 << 17 << 17 << "1700 ms";
    QTest::newRow("Cell 16Bit 0xFF") << 3 << 0xFF << -1 << "";
}

void TestMacroDialog::timeoutSelector()
{
    QFETCH(int, type);
    QFETCH(int, timeoutByte);
    QFETCH(int, item);
    QFETCH(QString, text);
    CMorvantide100 config;
    // Macro 0 has another timeout, so that loading must really set the selector.
    config.SetMacro(0, makeRecord(2, {9}).data());
    const Record original = makeRecord(static_cast<unsigned char>(type),
                                       {static_cast<unsigned char>(timeoutByte), 0xE1, 0x04});
    config.SetMacro(3, original.data());
    MacroDialogExt dialog(&config);
    combo(&dialog, "cmb_macro")->setCurrentIndex(3);
    QCOMPARE(combo(&dialog, "cmb_timeout")->currentIndex(), item);
    QCOMPARE(combo(&dialog, "cmb_timeout")->currentText(), text);
    QVERIFY(dialog.isSaved());

    // Stored back unchanged, 0xFF included.
    button(&dialog, "btn_save")->click();
    QCOMPARE(hex(storedMacro(config, 3)), hex(original));

    // A chosen timeout goes to byte 1.
    combo(&dialog, "cmb_timeout")->setCurrentIndex(42);
    button(&dialog, "btn_save")->click();
    Record expected = original;
    expected[1] = 42;
    QCOMPARE(hex(storedMacro(config, 3)), hex(expected));
}

void TestMacroDialog::acceptStoresRecord_data()
{
    QTest::addColumn<Record>("original");
    QTest::addColumn<int>("newType"); // -1: keep the loaded type
    QTest::addColumn<Record>("expected");
    const Record keys = makeRecord(0, {0x04, 0x00, 0x05, 0xFF, 0x06}, 0xFF);
    Record typing = keys;
    typing[0] = 1;
    QTest::newRow("Stable unchanged") << keys << -1 << keys;
    QTest::newRow("Typing unchanged") << typing << -1 << typing;
    QTest::newRow("Stable to Typing") << keys << 1 << typing;
    QTest::newRow("unset type stored as Stable")
        << makeRecord(0xFF, {0x04}) << -1 << makeRecord(0, {0x04});
    QTest::newRow("unknown type stored as Stable with its bytes")
        << makeRecord(0x07, {0x04, 0x05}) << -1 << makeRecord(0, {0x04, 0x05});
    QTest::newRow("Cell keeps timeout")
        << makeRecord(2, {12, 0x04, 0x05}) << -1 << makeRecord(2, {12, 0x04, 0x05});
    QTest::newRow("Cell 16Bit keeps timeout") << makeRecord(3, {7, 0xE1, 0x04, 0x00, 0x28}) << -1
                                              << makeRecord(3, {7, 0xE1, 0x04, 0x00, 0x28});
    // The timeout selector of a loaded one-byte macro stands on "0 ms".
    QTest::newRow("Stable to Cell writes timeout 0 into byte 1")
        << keys << 2 << makeRecord(2, {0x00, 0x00, 0x05, 0xFF, 0x06}, 0xFF);
    QTest::newRow("Cell to Stable keeps byte 1")
        << makeRecord(2, {12, 0x04}) << 0 << makeRecord(0, {12, 0x04});
}

void TestMacroDialog::acceptStoresRecord()
{
    QFETCH(Record, original);
    QFETCH(int, newType);
    QFETCH(Record, expected);
    CMorvantide100 config;
    config.SetMacro(175, original.data());
    MacroDialogExt dialog(&config);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QSignalSpy stored(&dialog, &MacroDialogExt::macroStored);
    combo(&dialog, "cmb_macro")->setCurrentIndex(175);
    if (newType >= 0)
        combo(&dialog, "cmb_type")->setCurrentIndex(newType);
    button(&dialog, "btn_save")->click();
    QCOMPARE(hex(storedMacro(config, 175)), hex(expected));
    QCOMPARE(stored.count(), 1);
    QVERIFY(dialog.isSaved());
    // Only the shown macro was written.
    QCOMPARE(hex(storedMacro(config, 0)), hex(makeRecord(0xFF, {}, 0xFF)));
    QCOMPARE(hex(storedMacro(config, 174)), hex(makeRecord(0xFF, {}, 0xFF)));
    QVERIFY(dialog.isVisible()); // accepting a record does not close the editor
}

void TestMacroDialog::clear_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void TestMacroDialog::clear()
{
    QFETCH(bool, yes);
    CMorvantide100 config;
    const Record original = makeRecord(3, {4, 0xE1, 0x04, 0x00, 0x28});
    config.SetMacro(9, original.data());
    MacroDialogExt dialog(&config);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    combo(&dialog, "cmb_macro")->setCurrentIndex(9);
    QSignalSpy stored(&dialog, &MacroDialogExt::macroStored);

    SeenBoxes box;
    {
        const Handler answer = answerBoxes(yes ? "Yes" : "No", &box);
        button(&dialog, "btn_clearall")->click();
    }
    QCOMPARE(box.titles, QStringList("Clear Macro"));
    QCOMPARE(box.texts, QStringList("The current macro will be cleared.\nAre you sure?"));

    // The selectors keep their items either way.
    QCOMPARE(combo(&dialog, "cmb_type")->currentIndex(), int(MacroDialogExt::TypeCell16Bit));
    QCOMPARE(combo(&dialog, "cmb_timeout")->currentIndex(), 4);
    QVERIFY(dialog.matrix()->buttonVisible(1, 6)); // cell 14
    QVERIFY(!dialog.matrix()->buttonVisible(1, 7)); // cell 15
    QVERIFY(dialog.isSaved());
    if (yes) {
        QCOMPARE(hex(storedMacro(config, 9)), hex(makeRecord(0xFF, {}, 0x00)));
        QCOMPARE(stored.count(), 1);
        QCOMPARE(cellText(dialog, 0), QString());
        QCOMPARE(cellText(dialog, 1), QString());
    } else {
        QCOMPARE(hex(storedMacro(config, 9)), hex(original));
        QCOMPARE(stored.count(), 0);
        QCOMPARE(cellText(dialog, 0), QString("L-Shift\nA"));
        QCOMPARE(cellText(dialog, 1), QString("Return"));
    }
}

void TestMacroDialog::clearThenEditStoresOneKey()
{
    CMorvantide100 config;
    config.SetMacro(0, makeRecord(0, {0x04, 0x05, 0x06}).data());
    MacroDialogExt dialog(&config);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    SeenBoxes box;
    {
        const Handler answer = answerBoxes("Yes", &box);
        button(&dialog, "btn_clearall")->click();
    }
    QCOMPARE(box.titles, QStringList("Clear Macro"));
    QCOMPARE(hex(storedMacro(config, 0)), hex(makeRecord(0xFF, {}, 0x00)));

    PickerSeen seen;
    const Handler picker = answerPicker(&seen, -1, ROW_RETURN);
    clickCell(dialog, 0);
    QCOMPARE(seen.keyRow, 0); // 0x00 opens on "None"
    button(&dialog, "btn_save")->click();
    QCOMPARE(hex(storedMacro(config, 0)), hex(makeRecord(0, {0x28}, 0x00)));
}

void TestMacroDialog::switchingMacros_data()
{
    QTest::addColumn<int>("edit");
    QTest::addColumn<bool>("acceptFirst");
    QTest::addColumn<QString>("answer"); // empty: no question expected
    QTest::newRow("no edit") << int(EditNone) << false << QString();
    QTest::newRow("cell edit, No") << int(EditCell) << false << "No";
    QTest::newRow("cell edit, Yes") << int(EditCell) << false << "Yes";
    QTest::newRow("cell edit accepted") << int(EditCell) << true << QString();
    QTest::newRow("type change, No") << int(EditType) << false << "No";
    QTest::newRow("type change, Yes") << int(EditType) << false << "Yes";
    QTest::newRow("timeout change, No") << int(EditTimeout) << false << "No";
    QTest::newRow("timeout change, Yes") << int(EditTimeout) << false << "Yes";
}

void TestMacroDialog::switchingMacros()
{
    QFETCH(int, edit);
    QFETCH(bool, acceptFirst);
    QFETCH(QString, answer);
    CMorvantide100 config;
    const Record first = makeRecord(2, {5, 0x04, 0x05});
    const Record second = makeRecord(3, {8, 0xE1, 0x06});
    config.SetMacro(10, first.data());
    config.SetMacro(20, second.data());
    MacroDialogExt dialog(&config);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    combo(&dialog, "cmb_macro")->setCurrentIndex(10);
    makeEdit(dialog, Edit(edit));
    if (acceptFirst)
        button(&dialog, "btn_save")->click();
    const QString cell0 = cellText(dialog, 0);
    const int type = combo(&dialog, "cmb_type")->currentIndex();
    const int timeout = combo(&dialog, "cmb_timeout")->currentIndex();
    const Record storedFirst = storedMacro(config, 10);

    SeenBoxes box;
    {
        const Handler answerer = answerBoxes(answer, &box);
        combo(&dialog, "cmb_macro")->setCurrentIndex(20);
    }
    if (answer.isEmpty()) {
        QCOMPARE(box.titles, QStringList());
    } else {
        QCOMPARE(box.titles, QStringList(NOT_SAVED_TITLE));
        QCOMPARE(box.texts, QStringList(LOAD_QUESTION));
    }
    if (answer == "No") {
        QCOMPARE(combo(&dialog, "cmb_macro")->currentIndex(), 10);
        QCOMPARE(cellText(dialog, 0), cell0);
        QCOMPARE(combo(&dialog, "cmb_type")->currentIndex(), type);
        QCOMPARE(combo(&dialog, "cmb_timeout")->currentIndex(), timeout);
        QVERIFY(!dialog.isSaved());
        // Still unsaved: "Accept" stores the edit into the macro it was made on.
        button(&dialog, "btn_save")->click();
        QVERIFY(storedMacro(config, 10) != first);
        QCOMPARE(hex(storedMacro(config, 20)), hex(second));
    } else {
        QCOMPARE(combo(&dialog, "cmb_macro")->currentIndex(), 20);
        QCOMPARE(combo(&dialog, "cmb_type")->currentText(), QString("Cell 16Bit"));
        QCOMPARE(combo(&dialog, "cmb_timeout")->currentText(), QString("800 ms"));
        QCOMPARE(cellText(dialog, 0), QString("L-Shift\nC"));
        QVERIFY(dialog.isSaved());
        QCOMPARE(hex(storedMacro(config, 10)), hex(storedFirst));
        QCOMPARE(hex(storedMacro(config, 20)), hex(second));
    }
}

void TestMacroDialog::closing_data()
{
    QTest::addColumn<int>("edit");
    QTest::addColumn<bool>("acceptFirst");
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("no edit, window button") << int(EditNone) << false << false;
    QTest::newRow("no edit, Escape") << int(EditNone) << false << true;
    QTest::newRow("accepted edit") << int(EditCell) << true << false;
    QTest::newRow("cell edit, window button") << int(EditCell) << false << false;
    QTest::newRow("cell edit, Escape") << int(EditCell) << false << true;
    QTest::newRow("type change") << int(EditType) << false << false;
    QTest::newRow("timeout change, Escape") << int(EditTimeout) << false << true;
}

void TestMacroDialog::closing()
{
    QFETCH(int, edit);
    QFETCH(bool, acceptFirst);
    QFETCH(bool, byEscape);
    const bool asks = edit != EditNone && !acceptFirst;
    CMorvantide100 config;
    const Record original = makeRecord(2, {5, 0x04, 0x05});
    config.SetMacro(0, original.data());
    MacroDialogExt dialog(&config);

    struct Outcome
    {
        bool ran = false;
        QStringList questions;
        bool openAfterNo = false;
        bool openAfterClose = true;
    } outcome;
    auto close = [&dialog, byEscape]() {
        if (byEscape)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            dialog.close();
    };
    const Handler operate = std::make_unique<ModalHandler>(
        [&](QWidget *modal) {
            if (modal != &dialog || outcome.ran) {
                // Closing failed: end the run anyway, so that the failure shows, not a hang.
                if (auto *other = qobject_cast<QDialog *>(modal))
                    other->done(QDialog::Accepted);
                return;
            }
            outcome.ran = true;
            makeEdit(dialog, Edit(edit));
            if (acceptFirst)
                button(&dialog, "btn_save")->click();
            SeenBoxes boxes;
            if (asks) {
                {
                    const Handler answer = answerBoxes("No", &boxes, &dialog);
                    close();
                }
                outcome.openAfterNo = dialog.isVisible();
                const Handler answer = answerBoxes("Yes", &boxes, &dialog);
                close();
            } else {
                const Handler watcher = watchModals(&boxes, &dialog);
                close();
                QApplication::processEvents();
            }
            for (int i = 0; i < boxes.titles.size(); ++i)
                outcome.questions << boxes.titles.at(i) + "|" + boxes.texts.at(i);
            outcome.openAfterClose = dialog.isVisible();
        },
        nullptr);
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY(outcome.ran);
    QVERIFY(!outcome.openAfterClose);
    if (asks) {
        const QString question = NOT_SAVED_TITLE + "|" + CLOSE_QUESTION;
        QCOMPARE(outcome.questions, QStringList({question, question}));
        QVERIFY(outcome.openAfterNo);
    } else {
        QCOMPARE(outcome.questions, QStringList());
    }
    // Closing stores nothing.
    if (!acceptFirst)
        QCOMPARE(hex(storedMacro(config, 0)), hex(original));
}

void TestMacroDialog::mainWindowFlag_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("changed");
    QTest::newRow("Accept") << "accept" << true;
    QTest::newRow("Clear, Yes") << "clear-yes" << true;
    QTest::newRow("Clear, No") << "clear-no" << false;
    QTest::newRow("nothing stored") << "none" << false;
}

void TestMacroDialog::mainWindowFlag()
{
    QFETCH(QString, action);
    QFETCH(bool, changed);
    MainWindow window;
    const Record original = makeRecord(1, {0x04, 0x05});
    window.config().SetMacro(0, original.data());
    QVERIFY(!window.hasUnsavedChanges());
    auto *macros = window.findChild<QAction *>("actionMacros");
    QVERIFY(macros != nullptr);
    QVERIFY(macros->isEnabled());

    struct Outcome
    {
        bool ran = false;
        bool childOfWindow = false;
        bool closed = false;
        QStringList unexpected;
    } outcome;
    const Handler operate = std::make_unique<ModalHandler>(
        [&](QWidget *modal) {
            auto *dialog = qobject_cast<MacroDialogExt *>(modal);
            if (dialog == nullptr || outcome.ran) {
                if (auto *other = qobject_cast<QDialog *>(modal))
                    other->done(QDialog::Rejected);
                return;
            }
            outcome.ran = true;
            outcome.childOfWindow = dialog->parentWidget() == &window;
            if (action == "accept") {
                combo(dialog, "cmb_type")->setCurrentIndex(MacroDialogExt::TypeStable);
                button(dialog, "btn_save")->click();
            } else if (action.startsWith("clear")) {
                SeenBoxes question;
                const Handler answer
                    = answerBoxes(action == "clear-yes" ? "Yes" : "No", &question, dialog);
                button(dialog, "btn_clearall")->click();
            }
            SeenBoxes unexpected;
            {
                // A question here would be a fault; the watcher closes it so the run ends.
                const Handler watcher = watchModals(&unexpected, dialog);
                dialog->close();
                QApplication::processEvents();
            }
            outcome.unexpected = unexpected.titles;
            outcome.closed = !dialog->isVisible();
            if (!outcome.closed)
                dialog->done(QDialog::Rejected);
        },
        nullptr);
    macros->trigger();
    QVERIFY(outcome.ran);
    QVERIFY(outcome.childOfWindow);
    QVERIFY(outcome.closed);
    QCOMPARE(outcome.unexpected, QStringList());
    QCOMPARE(window.hasUnsavedChanges(), changed);
    Record expected = original;
    if (action == "accept")
        expected[0] = 0;
    else if (action == "clear-yes")
        expected = makeRecord(0xFF, {}, 0x00);
    QCOMPARE(hex(storedMacro(window.config(), 0)), hex(expected));
}

QTEST_MAIN(TestMacroDialog)
#include "tst_macrodialog.moc"
