// Tests of editing the key layers at speed: the keyboard path through the window, the cell
// clipboard, Copy Layer To, and what each cell tells (tool tip, accessible name). Pasting and
// assigning share the FN mirroring that tst_keytabs checks.
#include "ButtonDialog.h"
#include "CellEditing.h"
#include "KeyMatrixWidget.h"
#include "MainWindow.h"
#include "TestSupport.h"

#include <QtTest>
#include <QtWidgets>

namespace {
constexpr std::uint16_t KEY_A = 0x0004;
constexpr std::uint16_t SHIFT_A = 0xE104;

QAction *action(MainWindow &window, const char *name)
{
    QAction *found = window.findChild<QAction *>(name);
    if (found == nullptr)
        qFatal("no action %s", name);
    return found;
}
} // namespace

class TestKeyEditing : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { TestSupport::closeAllModals(); }

    // Tab reaches the matrix, arrows move, Enter opens the cell's dialog, Delete empties, and
    // Undo takes each step back: all through key events on the window.
    void keyboardOnly()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        KeyMatrixWidget *matrix = window.matrix(0);
        matrix->setCurrentCell(0, 0);
        for (int i = 0; i < 40 && !matrix->hasFocus(); ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(matrix->hasFocus());

        QTest::keyClick(matrix, Qt::Key_Right);
        QTest::keyClick(matrix, Qt::Key_Down);
        QTest::keyClick(matrix, Qt::Key_Down);
        QCOMPARE(matrix->currentRow() * 100 + matrix->currentColumn(), 201);
        TestSupport::onNextModal([](QWidget *modal) {
            auto *dialog = qobject_cast<ButtonDialog *>(modal);
            dialog->m_code = SHIFT_A;
            dialog->accept();
        });
        QTest::keyClick(matrix, Qt::Key_Return);
        // The offscreen platform does not give the activation back after a dialog by itself.
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(window.configuration().keyCode(0, 1, 2), SHIFT_A);
        QCOMPARE(matrix->buttonText(2, 1), QString("L-Shift\nA"));

        QTest::keyClick(matrix, Qt::Key_Delete);
        QCOMPARE(window.configuration().keyCode(0, 1, 2), Mv100Config::EMPTY_CELL);
        QCOMPARE(action(window, "actionUndo")->text().remove('&'), QString("Undo Delete"));
        QTest::keyClick(matrix, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(window.configuration().keyCode(0, 1, 2), SHIFT_A);
    }

    // A block copied from Default goes to FN2 at the current cell, clipped to the matrix; the
    // clipboard's text is the key names; one undo restores the layer exactly.
    void copyAndPaste()
    {
        MainWindow window;
        window.show();
        auto *tabs = window.findChild<QTabWidget *>("tabWidget");
        Mv100Config start;
        start.setKeyCode(0, 2, 3, KEY_A);
        start.setKeyCode(0, 3, 3, SHIFT_A);
        start.setKeyCode(0, 3, 4, 0x0205);
        start.setKeyCode(2, 15, 23, 0x0310);
        window.document().reset(start);
        KeyMatrixWidget *source = window.matrix(0);
        source->setCurrentCell(3, 2);
        QTest::keyClick(source, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(source, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(source->selection(), QRect(2, 3, 2, 2));
        action(window, "actionCopy")->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QString("A\tL-Shift + A\n\tMacro #05\n"));

        tabs->setCurrentWidget(window.findChild<QWidget *>("tab_fn2"));
        window.matrix(2)->setCurrentCell(22, 15); // only one column and two rows fit
        action(window, "actionPaste")->trigger();
        const Mv100Config &now = window.configuration();
        QCOMPARE(now.keyCode(2, 15, 22), KEY_A);
        QCOMPARE(now.keyCode(2, 15, 23), Mv100Config::EMPTY_CELL);
        QCOMPARE(now.differences(start).size(), 2);
        QCOMPARE(window.matrix(2)->buttonText(22, 15), QString("A"));
        action(window, "actionUndo")->trigger();
        QVERIFY(window.configuration() == start);

        // Cut empties the block after copying it.
        tabs->setCurrentWidget(window.findChild<QWidget *>("tab_default"));
        action(window, "actionCut")->trigger();
        QVERIFY(window.configuration().isLayerEmpty(0));
        QCOMPARE(CellEditing::codesOf(QApplication::clipboard()->mimeData()).value(1).value(1),
                 std::uint16_t(0x0205));

        // Content that does not hold what it says is not pasted.
        auto *damaged = new QMimeData;
        damaged->setData(
            CellEditing::MIME_TYPE,
            QApplication::clipboard()->mimeData()->data(CellEditing::MIME_TYPE).left(5));
        QApplication::clipboard()->setMimeData(damaged);
        const int steps = window.document().undoStack()->index();
        action(window, "actionPaste")->trigger();
        QCOMPARE(window.document().undoStack()->index(), steps);
    }

    void copyLayerTo()
    {
        MainWindow window;
        Mv100Config start;
        start.setKeyCode(0, 0, 0, KEY_A);
        start.setKeyCode(1, 5, 5, SHIFT_A);
        window.document().reset(start);
        // FN1 is not empty: asked, and Cancel keeps it.
        TestSupport::SeenBox seen;
        TestSupport::answerNextBox("Cancel", &seen);
        action(window, "actionCopyLayerToFN1")->trigger();
        QCOMPARE(seen.text,
                 QString("The layer FN1 is not empty.\nReplace its keys with those of "
                         "the layer Default?"));
        QVERIFY(window.configuration() == start);
        TestSupport::answerNextBox("Yes");
        action(window, "actionCopyLayerToFN1")->trigger();
        QVERIFY(window.configuration().layer(1) == start.layer(0));
        // An empty target is not asked about.
        action(window, "actionCopyLayerToFN2")->trigger();
        QVERIFY(window.configuration().layer(2) == start.layer(0));
        QCOMPARE(action(window, "actionUndo")->text().remove('&'),
                 QString("Undo Copy Layer Default To FN2"));
    }

    void cellsSayWhatTheyHold()
    {
        MainWindow window;
        Mv100Config config;
        config.setKeyCode(0, 3, 10, SHIFT_A);
        config.setKeyCode(0, 4, 10, 0x0207);
        Mv100Config::Macro macro = Mv100Config::emptyMacro();
        macro[0] = 1;
        config.setMacro(7, macro);
        window.document().reset(config);
        KeyMatrixWidget *matrix = window.matrix(0);
        QCOMPARE(matrix->buttonAccessibleName(10, 3), QString("L-Shift + A"));
        QCOMPARE(matrix->buttonToolTip(10, 4), QString("Macro #07 (0x0207)\nMacro type: Typing"));
        QCOMPARE(matrix->buttonAccessibleName(0, 0), QString("Empty"));
        // A macro edit changes what its cells tell.
        window.document().clearMacro(7);
        QCOMPARE(matrix->buttonToolTip(10, 4), QString("Macro #07 (0x0207)\nMacro not set"));
    }
};

QTEST_MAIN(TestKeyEditing)
#include "tst_keyediting.moc"
