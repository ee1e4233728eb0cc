// Tests of the key matrix's accessible table: cells, names, headers, selection and focus events.
#include "KeyMatrixAccessible.h"
#include "KeyMatrixWidget.h"

#include <QAccessible>
#include <QApplication>
#include <QtTest>

namespace {

QString name(QAccessibleInterface *iface)
{
    return iface != nullptr ? iface->text(QAccessible::Name) : QStringLiteral("<null>");
}

struct SeenEvent
{
    QAccessible::Event type;
    QObject *object;
    int child;
    QString name; // of the interface the event is about
};

QList<SeenEvent> g_events;

void recordEvent(QAccessibleEvent *event)
{
    g_events.append(
        {event->type(), event->object(), event->child(), name(event->accessibleInterface())});
}

} // namespace

class TestKeyMatrixAccessible : public QObject
{
    Q_OBJECT

private slots:
    // The offscreen platform has no accessibility bridge, so Qt drops the events; the matrix's
    // observer still sees them.
    void initTestCase() { KeyMatrixAccessible::setEventObserver(recordEvent); }
    void cleanupTestCase() { KeyMatrixAccessible::setEventObserver(nullptr); }
    void init() { g_events.clear(); }

    void table();
    void events();
};

void TestKeyMatrixAccessible::table()
{
    KeyMatrixWidget w(3, 4);
    w.setRowHeaderPrefix("Y");
    w.setColHeaderPrefix("X");
    w.setButtonText(0, 1, "Media\nMute");
    w.setButtonText(1, 2, "L-Shift\nA");
    w.setButtonAccessibleName(1, 2, "L-Shift + Keyboard a and A");
    w.setButtonToolTip(1, 2, "L-Shift + Keyboard a and A (0xE104)");
    w.setButtonEnabled(2, 0, false);
    w.setButtonVisible(2, 1, false);

    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&w);
    QAccessibleTableInterface *table = iface->tableInterface();
    QCOMPARE(
        QList<int>({iface->role(), iface->childCount(), table->rowCount(), table->columnCount()}),
        QList<int>({QAccessible::Table, 12, 3, 4}));
    QCOMPARE(QStringList(
                 {table->rowDescription(2), table->columnDescription(3), table->rowDescription(3)}),
             QStringList({"Y2", "X3", ""}));

    // clang-format off
    const struct { int row, col; const char *name; } cells[] = {
        {0, 0, "Empty"}, {0, 1, "Media Mute"}, {1, 2, "L-Shift + Keyboard a and A"}};
    // clang-format on
    for (const auto &c : cells) {
        QAccessibleInterface *cell = table->cellAt(c.row, c.col);
        const int index = c.row * 4 + c.col;
        QVERIFY(cell != nullptr && cell->role() == QAccessible::Cell && cell->parent() == iface);
        QVERIFY(cell == iface->child(index) && iface->indexOfChild(cell) == index);
        QCOMPARE(name(cell), c.name);
        QAccessibleTableCellInterface *tableCell = cell->tableCellInterface();
        QVERIFY(tableCell->rowIndex() == c.row && tableCell->columnIndex() == c.col);
        const auto rowHeaders = tableCell->rowHeaderCells();
        const auto columnHeaders = tableCell->columnHeaderCells();
        QVERIFY(rowHeaders.size() == 1 && columnHeaders.size() == 1
                && rowHeaders[0]->role() == QAccessible::RowHeader);
        QCOMPARE(name(rowHeaders[0]) + name(columnHeaders[0]),
                 QString("Y%1X%2").arg(c.row).arg(c.col));
    }
    QCOMPARE(table->cellAt(1, 2)->text(QAccessible::Description),
             "L-Shift + Keyboard a and A (0xE104)");
    QVERIFY(table->cellAt(3, 0) == nullptr && iface->child(12) == nullptr);
    QVERIFY(table->cellAt(2, 0)->state().disabled && !table->cellAt(1, 0)->state().disabled);
    QVERIFY(table->cellAt(2, 1)->state().invisible);
    w.resize(w.minimumSize());
    const QRect cellRect = table->cellAt(1, 3)->rect();
    QCOMPARE(iface->childAt(cellRect.center().x(), cellRect.center().y()), table->cellAt(1, 3));

    // The selection: the current cell alone, then the rectangle; hidden cells are left out.
    QCOMPARE(table->selectedCells(), QList<QAccessibleInterface *>({table->cellAt(0, 0)}));
    w.setCurrentCell(1, 0);
    QTest::keyClick(&w, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&w, Qt::Key_Right, Qt::ShiftModifier); // over the hidden (2, 1)
    QCOMPARE(table->selectedCellCount(), 5); // rows 1 and 2, columns 0 to 2, but (2, 1)
    for (const auto &[row, col, selected] : {std::tuple(2, 0, true), {2, 1, false}, {0, 0, false}})
        QCOMPARE(table->cellAt(row, col)->tableCellInterface()->isSelected(), selected);
    QVERIFY(table->selectedRows().isEmpty() && table->selectedColumns().isEmpty());
    w.selectAll();
    QCOMPARE(table->selectedRows(), QList<int>({0, 1, 2}));
    QCOMPARE(table->selectedColumnCount(), 4);

    // A new size gives new cells.
    w.setMatrixSize(2, 2);
    QCOMPARE(iface->childCount(), 4);
    QVERIFY(table->cellAt(2, 0) == nullptr);
    QCOMPARE(name(table->cellAt(1, 1)), "Empty");
}

void TestKeyMatrixAccessible::events()
{
    KeyMatrixWidget w(3, 4);
    w.setButtonText(1, 1, "A");
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.setFocus();
    QTRY_VERIFY(w.hasFocus());
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&w);
    QCOMPARE(iface->focusChild(), iface->child(0));
    g_events.clear();

    QTest::keyClick(&w, Qt::Key_Right);
    QTest::keyClick(&w, Qt::Key_Down);
    QTest::keyClick(&w, Qt::Key_Down, Qt::ShiftModifier);
    QStringList focused; // child: name
    int selectionEvents = 0;
    for (const SeenEvent &event : std::as_const(g_events)) {
        QCOMPARE(event.object, &w);
        if (event.type == QAccessible::Focus)
            focused << QString::number(event.child) + ": " + event.name;
        selectionEvents += event.type == QAccessible::SelectionWithin;
    }
    QCOMPARE(focused, QStringList({"1: Empty", "5: A", "9: Empty"}));
    QCOMPARE(selectionEvents, 3);
    QCOMPARE(iface->focusChild(), iface->child(9));
    QVERIFY(iface->child(9)->state().focused && !iface->child(5)->state().focused);

    // Without the focus a move is not announced.
    w.clearFocus();
    QTRY_VERIFY(!w.hasFocus());
    g_events.clear();
    w.setCurrentCell(0, 0);
    for (const SeenEvent &event : std::as_const(g_events))
        QVERIFY(event.type != QAccessible::Focus);
    QVERIFY(iface->focusChild() == nullptr);
}

QTEST_MAIN(TestKeyMatrixAccessible)
#include "tst_keymatrixaccessible.moc"
