// Tests of the macro editor: cell layout and bytes per type, Accept, Clear, the unsaved questions.
#include "KeyMatrixWidget.h"
#include "KeySelectDialog.h"
#include "KeySelectExtDialog.h"
#include "MacroDialogExt.h"
#include "MainWindow.h"
#include "TestSupport.h"

#include <QTest>
#include <QtWidgets>

namespace {

// A macro record from hex text, padded with zero bytes.
QByteArray rec(const char *hex)
{
    return QByteArray::fromHex(QByteArray(hex).leftJustified(2 * MV100::MACRO_SIZE, '0'));
}

void setMacro(CMorvantide100 &config, const QByteArray &record, int number = 0)
{
    config.SetMacro(uchar(number), reinterpret_cast<const uchar *>(record.constData()));
}

QByteArray stored(const CMorvantide100 &config)
{
    QByteArray record(MV100::MACRO_SIZE, 0);
    config.GetMacro(0, reinterpret_cast<uchar *>(record.data()));
    return record;
}

// Answers the next picker with R-Shift (where it has modifiers) and Return; *seed gets its seed.
void answerPicker(int *seed)
{
    TestSupport::onNextModal([seed](QWidget *modal) {
        auto *ext = qobject_cast<KeySelectExtDialog *>(modal);
        *seed = ext != nullptr ? ext->usbCode() : qobject_cast<KeySelectDialog *>(modal)->usbCode();
        if (ext != nullptr)
            ext->findChild<QComboBox *>("cmb_modifier")->setCurrentIndex(6);
        modal->findChild<QComboBox *>("cmb_key")->setCurrentIndex(37);
        modal->findChild<QPushButton *>("btn_ok")->click();
    });
}

// Runs action, answering the box it opens with `answer`; gives "title: text", empty for no box.
QString ask(const QString &answer, const std::function<void()> &action)
{
    TestSupport::SeenBox box;
    TestSupport::answerNextBox(answer, &box);
    action();
    TestSupport::cancelPendingAnswers();
    return box.seen ? box.title + ": " + box.text : QString();
}

} // namespace

class TestMacroDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { TestSupport::closeAllModals(); }
    void cellEdits_data();
    void cellEdits();
    void unsavedQuestion();
    void acceptAndClearFromTheWindow();
};

void TestMacroDialog::cellEdits_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("offset"); // the (high) byte the cell edits
    QTest::addColumn<int>("visible"); // cells 0 .. visible - 1 are shown
    QTest::addColumn<QString>("timeout"); // byte 1 is 5 for "Cell", 0xFF for "Cell 16Bit"
    QTest::newRow("Stable, cell 30") << 0 << 30 << 31 << 31 << "0 ms";
    QTest::newRow("Typing, cell 9") << 1 << 9 << 10 << 31 << "0 ms";
    QTest::newRow("Cell, cell 29") << 2 << 29 << 31 << 30 << "500 ms";
    QTest::newRow("Cell 16Bit, cell 14") << 3 << 14 << 30 << 15 << "";
}

void TestMacroDialog::cellEdits()
{
    QFETCH(int, type);
    QFETCH(int, cell);
    QFETCH(int, offset);
    QFETCH(int, visible);
    QFETCH(QString, timeout);
    const bool ext = type == MacroDialogExt::TypeCell16Bit;
    QByteArray original(MV100::MACRO_SIZE, 0); // distinct keys, so that a seed shows its byte
    for (int i = 0; i < original.size(); ++i)
        original[i] = char(i == 0 ? type : 0x04 + i);
    original[1] = char(type == 2 ? 5 : type == 3 ? 0xFF : 0x05); // the timeout of the cell types
    original.replace(offset - (ext ? 2 : 1), ext ? 2 : 1, ext ? "\xFF\xFF" : "\xFF"); // a gap
    CMorvantide100 config;
    setMacro(config, original);
    MacroDialogExt dialog(&config); // opens on macro 0
    KeyMatrixWidget *matrix = dialog.matrix();
    auto *timeouts = dialog.findChild<QComboBox *>("cmb_timeout");
    QCOMPARE(timeouts->currentText(), timeout);
    QCOMPARE(timeouts->isEnabled(), type >= MacroDialogExt::TypeCell);
    for (int i = 0; i < 32; ++i)
        QCOMPARE(matrix->buttonVisible(i / 8, i % 8), i < visible);
    QCOMPARE(matrix->buttonText((cell - 1) / 8, (cell - 1) % 8), QString()); // the gap, in place

    int seed = -1;
    answerPicker(&seed);
    emit matrix->keyClicked(cell / 8, cell % 8, Qt::RightButton);
    QCOMPARE(seed, -1); // a right click opens nothing
    emit matrix->keyClicked(cell / 8, cell % 8, Qt::LeftButton);
    QCOMPARE(seed, ext ? original[offset] << 8 | original[offset + 1] : original[offset]);
    QCOMPARE(matrix->buttonText(cell / 8, cell % 8), QString(ext ? "R-Shift\nReturn" : "Return"));

    QByteArray expected = original;
    expected.replace(offset, ext ? 2 : 1, ext ? "\xE5\x28" : "\x28");
    if (type == MacroDialogExt::TypeCell) { // a chosen timeout goes to byte 1; 0xFF is kept
        timeouts->setCurrentIndex(42);
        expected[1] = 42;
    }
    dialog.findChild<QPushButton *>("btn_save")->click();
    QCOMPARE(stored(config), expected);
    QCOMPARE(ask("Yes", [&] { dialog.reject(); }), QString()); // all stored: closing asks nothing
}

void TestMacroDialog::unsavedQuestion()
{
    const QString question("Macro not saved: The current macro has unsaved changes.\n"
                           "Discard them and %1?");
    const QString load = question.arg("load the selected macro");
    const QString close = question.arg("close the editor");
    CMorvantide100 config;
    setMacro(config, rec("02050405")); // "Cell", A, B
    setMacro(config, rec("0308e106"), 20); // "Cell 16Bit", L-Shift + C
    MacroDialogExt dialog(&config);
    dialog.show();
    auto *macros = dialog.findChild<QComboBox *>("cmb_macro");
    int seed = -1;
    answerPicker(&seed);
    emit dialog.matrix()->keyClicked(0, 0, Qt::LeftButton);
    QCOMPARE(ask("No", [&] { macros->setCurrentIndex(20); }), load);
    QCOMPARE(macros->currentIndex(), 0);
    QCOMPARE(dialog.matrix()->buttonText(0, 0), QString("Return")); // the edit is kept
    QCOMPARE(ask("Yes", [&] { macros->setCurrentIndex(20); }), load);
    QCOMPARE(dialog.matrix()->buttonText(0, 0), QString("L-Shift\nC"));
    QCOMPARE(ask("Yes", [&] { macros->setCurrentIndex(0); }), QString()); // nothing to discard

    // Type and timeout changes are edits too; closing with edits asks, and No keeps it open.
    dialog.findChild<QComboBox *>("cmb_type")->setCurrentIndex(MacroDialogExt::TypeTyping);
    QCOMPARE(ask("No", [&] { macros->setCurrentIndex(20); }), load);
    dialog.findChild<QPushButton *>("btn_save")->click();
    dialog.findChild<QComboBox *>("cmb_timeout")->setCurrentIndex(1);
    QCOMPARE(ask("No", [&] { dialog.close(); }), close);
    QVERIFY(dialog.isVisible());
    QCOMPARE(ask("Yes", [&] { QTest::keyClick(&dialog, Qt::Key_Escape); }), close);
    QVERIFY(!dialog.isVisible());
}

void TestMacroDialog::acceptAndClearFromTheWindow()
{
    for (const QString answer : {"", "No", "Yes"}) { // to "Clear Macro"; empty: "Accept" instead
        MainWindow window;
        Mv100Config start;
        Mv100Config::Macro record;
        const QByteArray bytes = rec("0304e1040028");
        std::copy_n(bytes.begin(), MV100::MACRO_SIZE, record.begin());
        start.setMacro(0, record);
        window.document().reset(start);
        QString seen; // the question, and cell 0 afterwards
        TestSupport::onNextModal([&](QWidget *modal) {
            auto *dialog = qobject_cast<MacroDialogExt *>(modal); // the editor, over the window
            const char *button = answer.isEmpty() ? "btn_save" : "btn_clearall";
            seen = ask(answer, [&] { dialog->findChild<QPushButton *>(button)->click(); });
            seen += "|" + dialog->matrix()->buttonText(0, 0);
            dialog->done(QDialog::Rejected);
        });
        window.findChild<QAction *>("actionMacros")->trigger();
        const QString clear("Clear Macro: The current macro will be cleared.\nAre you sure?");
        QCOMPARE(seen,
                 (answer.isEmpty() ? "|" : clear + "|") + (answer == "Yes" ? "" : "L-Shift\nA"));
        const Mv100Config::Macro &now = window.configuration().macro(0);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(now.data()), MV100::MACRO_SIZE),
                 rec(answer == "Yes" ? "ff" : "0304e1040028"));
        QCOMPARE(window.hasUnsavedChanges(), answer != "No"); // every stored macro is a change
        // Accept and Clear are one step each, named after the macro; undo restores the record.
        if (answer != "No") {
            QAction *undo = window.findChild<QAction *>("actionUndo");
            QCOMPARE(undo->text().remove('&'),
                     answer.isEmpty() ? "Undo Store Macro 0" : "Undo Clear Macro 0");
            undo->trigger();
            QVERIFY(window.configuration() == start && !window.hasUnsavedChanges());
        }
    }
}

QTEST_MAIN(TestMacroDialog)
#include "tst_macrodialog.moc"
