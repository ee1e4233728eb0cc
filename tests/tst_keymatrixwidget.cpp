// Tests of KeyMatrixWidget: geometry and hit tests, cell state and looks, presses, keyboard
// navigation and selection, scrolling, elided texts and tool tips.
#include "KeyMatrixWidget.h"

#include <QtTest>
#include <QtWidgets>

namespace {

const QColor kDefaultFill(225, 225, 230);
const QColor kDisabledFill(200, 200, 200);
const QColor kHover(80, 140, 210);
const QColor kFocusFrame(0, 40, 140);
// A full block glyph paints solid pixels of the exact text colour.
const QString kBlock = QString(QChar(0x2588));

QRect cell(const KeyMatrixWidget &w, int row, int col)
{
    int cw = 0, ch = 0;
    w.calcActualCellSize(cw, ch);
    return w.cellRect(row, col, cw, ch);
}

void mouse(QWidget *w, QEvent::Type type, const QPointF &pos, Qt::MouseButton button = Qt::NoButton)
{
    QMouseEvent event(type, pos, w->mapToGlobal(pos), button, button, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// Colour at a cell's centre, or inside its outline away from a centred text.
QColor colorAt(KeyMatrixWidget &w, int row, int col, bool centre = false)
{
    const QRect r = cell(w, row, col);
    return w.grab().toImage().pixelColor(centre ? r.center() : r.topLeft() + QPoint(3, 3));
}

// Whether the cell's outermost pixel carries the focus frame.
bool framed(KeyMatrixWidget &w, int row, int col)
{
    return w.grab().toImage().pixelColor(cell(w, row, col).topLeft()) == kFocusFrame;
}

QPoint current(const KeyMatrixWidget &w)
{
    return QPoint(w.currentColumn(), w.currentRow());
}

bool sendKey(QWidget *w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(w, &event);
    return event.isAccepted();
}

} // namespace

class TestKeyMatrixWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"))); }

    void geometry()
    {
        KeyMatrixWidget w(0, -3);
        QCOMPARE(w.minimumSize(), QSize(67, 51)); // one cell; headers 22 / 18, cells 37 x 25
        QVERIFY(w.hasMouseTracking()); // the hover follows a mouse without a button

        KeyMatrixWidget big(24, 16);
        big.setCellSize(50, 50);
        big.setSpacing(3, 3);
        big.setGridOffset(10, 5);
        QCOMPARE(big.minimumSize(), QSize(885, 1300));
        big.resize(big.minimumSize());
        QCOMPARE(cell(big, 23, 15), QRect(QPoint(831, 1246), QPoint(880, 1295)));
        const QPoint none(-1, -1);
        // Position -> (row, column); gaps, grid offset, headers and margins hit nothing.
        // clang-format off
        const QList<std::pair<QPoint, QPoint>> hits = {
            {{36, 27}, {0, 0}}, {{85, 76}, {0, 0}}, {{99, 182}, {2, 1}}, {{880, 1295}, {23, 15}},
            {{86, 50}, none}, {{50, 78}, none}, {{30, 50}, none}, {{50, 10}, none},
            {{50, 1299}, none}};
        // clang-format on
        for (const auto &[pos, expected] : hits) {
            int row = -1, col = -1;
            QCOMPARE(big.cellFromPos(pos, row, col), expected != none);
            QCOMPARE(QPoint(row, col), expected);
        }
    }

    void cellState()
    {
        KeyMatrixWidget w(24, 16);
        w.setButtonText(-1, 0, "x"); // out of range: ignored
        w.setButtonBackground(24, 15, Qt::red);
        w.setButtonEnabled(23, 16, false);
        w.setButtonVisible(0, -1, false);
        w.setButtonText(24 * 16, "x");
        w.setButtonText(-1, "x");
        for (int i = 0; i < 24 * 16; ++i) { // row by row: index 17 is row 1, column 1
            const int row = i / 16, col = i % 16;
            QVERIFY(w.buttonText(row, col).isEmpty() && w.buttonVisible(row, col)
                    && w.buttonEnabled(row, col));
            w.setButtonText(i, QString::number(i));
        }
        QVERIFY(!w.buttonEnabled(0, 16) && !w.buttonVisible(-1, 0));
        w.setButtonEnabled(383, false);
        QVERIFY(w.buttonText(1, 1) == "17" && !w.buttonEnabled(23, 15));
        // Resizing to the same dimensions still resets every cell.
        w.setMatrixSize(24, 16);
        QVERIFY(w.buttonText(1, 1).isEmpty() && w.buttonEnabled(23, 15));
    }

    void looks()
    {
        KeyMatrixWidget w(3, 3);
        w.resize(w.minimumSize());
        w.setButtonBackground(0, 0, Qt::red);
        w.setButtonBackground(0, 1, Qt::red);
        w.setButtonBackground(0, 1, QColor()); // an invalid colour restores the default
        w.setButtonBackground(0, 2, Qt::red);
        w.setButtonEnabled(0, 2, false);
        w.setButtonVisible(1, 0, false);
        QCOMPARE(
            QList<QColor>({colorAt(w, 0, 0), colorAt(w, 0, 1), colorAt(w, 0, 2), colorAt(w, 1, 0)}),
            QList<QColor>({Qt::red, kDefaultFill, kDisabledFill, // the hidden cell: nothing drawn
                           w.grab().toImage().pixelColor(1, 1)}));

        mouse(&w, QEvent::MouseMove, cell(w, 0, 0).center());
        QVERIFY(colorAt(w, 0, 0) == kHover && colorAt(w, 0, 1) == kDefaultFill);
        mouse(&w, QEvent::MouseMove, cell(w, 0, 2).center()); // disabled: clears the hover
        QCOMPARE(colorAt(w, 0, 0), QColor(Qt::red));
        mouse(&w, QEvent::MouseMove, cell(w, 1, 1).center());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&w, &leave);
        QCOMPARE(colorAt(w, 1, 1), kDefaultFill);
        // Disabling the hovered cell shows the disabled look before the mouse moves again.
        mouse(&w, QEvent::MouseMove, cell(w, 1, 1).center());
        w.setButtonEnabled(1, 1, false);
        QCOMPARE(colorAt(w, 1, 1), kDisabledFill);

        w.setButtonText(2, 2, kBlock);
        w.setButtonTextColor(2, 2, Qt::blue);
        QCOMPARE(colorAt(w, 2, 2, true), QColor(Qt::blue));
        w.clearAllColors();
        QCOMPARE(colorAt(w, 2, 2, true), QColor(Qt::black));
        QCOMPARE(w.buttonText(2, 2), kBlock);
    }

    void navigation()
    {
        // 4 x 5 cells; hidden: (0, 2), (2, 1), (3, 3), (3, 4). Points are (column, row).
        KeyMatrixWidget w(4, 5);
        w.resize(w.minimumSize());
        for (const QPoint hidden : {QPoint(2, 0), QPoint(1, 2), QPoint(3, 3), QPoint(4, 3)})
            w.setButtonVisible(hidden.y(), hidden.x(), false);
        const Qt::KeyboardModifiers shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
        // clang-format off
        struct Step { int key; Qt::KeyboardModifiers modifiers; QPoint to; QRect selection; };
        const Step steps[] = {
            {Qt::Key_Right, {}, {1, 0}, {1, 0, 1, 1}},
            {Qt::Key_Right, {}, {3, 0}, {3, 0, 1, 1}},     // over the hidden cell
            {Qt::Key_End, {}, {4, 0}, {4, 0, 1, 1}},
            {Qt::Key_Right, {}, {4, 0}, {4, 0, 1, 1}},     // at the edge: stays
            {Qt::Key_Down, Qt::KeypadModifier, {4, 1}, {4, 1, 1, 1}},
            {Qt::Key_Down, {}, {4, 2}, {4, 2, 1, 1}},
            {Qt::Key_Down, {}, {4, 2}, {4, 2, 1, 1}},      // only a hidden cell below
            {Qt::Key_Home, {}, {0, 2}, {0, 2, 1, 1}},
            {Qt::Key_End, ctrl, {2, 3}, {2, 3, 1, 1}},     // the last visible cell
            {Qt::Key_Home, ctrl, {0, 0}, {0, 0, 1, 1}},
            {Qt::Key_Right, shift, {1, 0}, {0, 0, 2, 1}},
            {Qt::Key_Down, shift, {1, 1}, {0, 0, 2, 2}},
            {Qt::Key_End, shift, {4, 1}, {0, 0, 5, 2}},
            {Qt::Key_Left, {}, {3, 1}, {3, 1, 1, 1}},
            {Qt::Key_Left, shift, {2, 1}, {2, 1, 2, 1}},   // the anchor is where extending began
            {Qt::Key_A, ctrl, {2, 1}, {0, 0, 5, 4}},
            {Qt::Key_Home, ctrl | shift, {0, 0}, {0, 0, 3, 2}},
            {Qt::Key_Right, {}, {1, 0}, {1, 0, 1, 1}}};
        // clang-format on
        for (const auto &step : steps) {
            QVERIFY(sendKey(&w, step.key, step.modifiers));
            QCOMPARE(current(w), step.to);
            QCOMPARE(w.selection(), step.selection);
            QCOMPARE(w.hasSelection(), step.selection.width() * step.selection.height() > 1);
        }

        // Keys the matrix leaves to its parent; those that activate the current cell.
        QSignalSpy clicks(&w, &KeyMatrixWidget::keyClicked);
        for (const QKeyCombination keys :
             QList<QKeyCombination>({Qt::Key_Tab, Qt::Key_Escape, Qt::ALT | Qt::Key_Right,
                                     Qt::SHIFT | Qt::Key_Return, Qt::SHIFT | Qt::Key_Delete}))
            QVERIFY(!sendKey(&w, keys.key(), keys.keyboardModifiers()));
        for (const int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_F2})
            QVERIFY(sendKey(&w, key));
        w.setButtonEnabled(0, 1, false);
        QVERIFY(sendKey(&w, Qt::Key_Return)); // a disabled cell takes the key but does not click
        QCOMPARE(QList<QVariantList>(clicks),
                 QList<QVariantList>(4, {0, 1, QVariant::fromValue(Qt::LeftButton)}));

        // Programmatic moves: never onto a hidden cell, and they drop the selection.
        w.selectAll();
        w.setCurrentCell(2, 1);
        w.setCurrentCell(5, 0);
        QCOMPARE(current(w), QPoint(1, 0));
        w.setCurrentCell(3, 2);
        QVERIFY(current(w) == QPoint(2, 3) && w.selection() == QRect(2, 3, 1, 1));
        w.selectAll();
        w.clearSelection();
        QVERIFY(!w.hasSelection() && w.selection() == QRect(2, 3, 1, 1));
        // A new size starts over at the first cell.
        w.setMatrixSize(2, 2);
        QVERIFY(current(w) == QPoint(0, 0) && w.selection() == QRect(0, 0, 1, 1));
    }

    void focusAndFrame()
    {
        QWidget window;
        auto *edit = new QLineEdit(&window);
        auto *w = new KeyMatrixWidget(3, 3, &window);
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(edit);
        layout->addWidget(w);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        QVERIFY(!framed(*w, 0, 0));

        QTest::keyClick(edit, Qt::Key_Tab);
        QTRY_VERIFY(w->hasFocus());
        QVERIFY(framed(*w, 0, 0));
        // The matrix's keys win over window shortcuts; others reach them.
        QAction deleteShortcut(&window), ctrlDownShortcut(&window);
        deleteShortcut.setShortcut(Qt::Key_Delete);
        ctrlDownShortcut.setShortcut(Qt::CTRL | Qt::Key_Down);
        window.addActions({&deleteShortcut, &ctrlDownShortcut});
        QSignalSpy deleteTriggered(&deleteShortcut, &QAction::triggered);
        QSignalSpy ctrlDownTriggered(&ctrlDownShortcut, &QAction::triggered);
        QSignalSpy deletes(w, &KeyMatrixWidget::deleteRequested);
        QTest::keyClick(w, Qt::Key_Delete);
        QTest::keyClick(w, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(
            QList<qsizetype>({deletes.count(), deleteTriggered.count(), ctrlDownTriggered.count()}),
            QList<qsizetype>({1, 0, 1}));
        QCOMPARE(current(*w), QPoint(0, 0));
        QTest::keyClick(w, Qt::Key_Down);
        QVERIFY(framed(*w, 1, 0) && !framed(*w, 0, 0));
        // Selected cells are tinted, the others are not.
        const QColor plain = colorAt(*w, 2, 2);
        QTest::keyClick(w, Qt::Key_Right, Qt::ShiftModifier);
        QVERIFY(colorAt(*w, 1, 0) != plain && colorAt(*w, 1, 1) == colorAt(*w, 1, 0));
        QCOMPARE(colorAt(*w, 2, 2), plain);

        // A press makes the pressed cell current, drops the selection and hides the frame until
        // the keyboard is used again.
        QSignalSpy clicks(w, &KeyMatrixWidget::keyClicked);
        QTest::mouseClick(w, Qt::RightButton, {}, cell(*w, 2, 2).center());
        QVERIFY(current(*w) == QPoint(2, 2) && !w->hasSelection());
        QCOMPARE(QList<QVariantList>(clicks),
                 QList<QVariantList>({{2, 2, QVariant::fromValue(Qt::RightButton)}}));
        QVERIFY(!framed(*w, 2, 2) && colorAt(*w, 1, 0) == plain);
        QTest::keyClick(w, Qt::Key_Left);
        QVERIFY(framed(*w, 2, 1));
        // Disabled cells can be current but do not click; hidden cells are not pressed at all.
        w->setButtonEnabled(0, 0, false);
        w->setButtonVisible(0, 1, false);
        QTest::mouseClick(w, Qt::LeftButton, {}, cell(*w, 0, 1).center());
        QCOMPARE(current(*w), QPoint(1, 2));
        QTest::mouseClick(w, Qt::LeftButton, {}, cell(*w, 0, 0).center());
        QVERIFY(current(*w) == QPoint(0, 0) && clicks.count() == 1);

        edit->setFocus();
        QTRY_VERIFY(!framed(*w, 0, 0));
        // Focus comes back onto a visible cell when the current one was hidden meanwhile.
        w->setButtonVisible(0, 0, false);
        QTest::keyClick(edit, Qt::Key_Tab);
        QTRY_VERIFY(w->hasFocus());
        QCOMPARE(current(*w), QPoint(2, 0));
    }

    void paging()
    {
        // The main window's matrix in a scroll area that shows a few rows and columns.
        QScrollArea area;
        auto *w = new KeyMatrixWidget(24, 16);
        w->setCellSize(50, 50);
        w->setSpacing(3, 3);
        area.setWidget(w);
        area.setWidgetResizable(true);
        area.resize(300, 250);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        const auto shown = [&] {
            const QRect r = cell(*w, w->currentRow(), w->currentColumn());
            return area.viewport()->rect().contains(
                QRect(w->mapTo(area.viewport(), r.topLeft()), r.size()));
        };
        const int page = area.viewport()->height() / 53;
        QVERIFY(page >= 2 && page < 5);

        sendKey(w, Qt::Key_PageDown);
        QVERIFY(current(*w) == QPoint(0, page) && shown());
        sendKey(w, Qt::Key_PageDown);
        sendKey(w, Qt::Key_PageUp, Qt::ShiftModifier);
        QVERIFY(current(*w) == QPoint(0, page) && w->selection() == QRect(0, page, 1, page + 1));
        sendKey(w, Qt::Key_End, Qt::ControlModifier);
        QVERIFY(current(*w) == QPoint(15, 23) && shown());
        w->setButtonVisible(23, 0, false);
        w->setButtonVisible(22, 0, false);
        w->setCurrentCell(23 - page, 0); // scrolls back to it
        QVERIFY(shown());
        sendKey(w, Qt::Key_PageDown); // the page ends on hidden cells: the nearest visible one
        QCOMPARE(current(*w), QPoint(0, 21));
        sendKey(w, Qt::Key_Home, Qt::ControlModifier);
        QVERIFY(current(*w) == QPoint(0, 0) && shown());
        QCOMPARE(area.verticalScrollBar()->value(), 0);

        // Without a scroll area a page is the whole widget's height.
        KeyMatrixWidget alone(24, 2);
        alone.resize(alone.minimumSize());
        sendKey(&alone, Qt::Key_PageDown);
        QCOMPARE(current(alone), QPoint(0, 23));
    }

    void elision()
    {
        KeyMatrixWidget w(1, 2);
        w.resize(w.minimumSize()); // 37 pixels wide cells
        const QFontMetrics metrics(w.cellFont());
        w.setButtonText(0, 0, "Keyboard LeftGUI (Windows/Command)\nA\nWWWWWWWWWWWWWWW");
        w.setButtonText(0, 1, "L-Ctr\nEsc");
        const QStringList lines = w.displayedText(0, 0).split('\n');
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[1], "A");
        for (const int i : {0, 2}) {
            QVERIFY2(lines[i].endsWith(QChar(0x2026)) && lines[i].size() > 1, qPrintable(lines[i]));
            QVERIFY(metrics.horizontalAdvance(lines[i]) <= 37 - 2);
        }
        QVERIFY(lines[0].startsWith("Key"));
        QCOMPARE(w.displayedText(0, 1), "L-Ctr\nEsc");
        QCOMPARE(w.buttonText(0, 0).size(), 52); // the stored text stays whole
        w.resize(600, w.height()); // wider cells show more
        QVERIFY(w.displayedText(0, 0).split('\n')[0].size() > lines[0].size());
    }

    void toolTips()
    {
        KeyMatrixWidget w(2, 2);
        w.resize(w.minimumSize());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.setButtonToolTip(0, 1, "Keyboard a and A (0x0004)");
        w.setButtonToolTip(5, 5, "nowhere"); // ignored
        const auto help = [&](const QPoint &pos) {
            QHelpEvent event(QEvent::ToolTip, pos, w.mapToGlobal(pos));
            QApplication::sendEvent(&w, &event);
            return event.isAccepted();
        };
        QVERIFY(help(cell(w, 0, 1).center()));
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), "Keyboard a and A (0x0004)");
        QVERIFY(!help(cell(w, 1, 1).center())); // an empty tip hides the shown one
        QTRY_VERIFY(!QToolTip::isVisible());
        w.setButtonVisible(0, 1, false);
        QVERIFY(!help(cell(w, 0, 1).center()));
        w.clearAllTexts();
        QVERIFY(w.buttonToolTip(0, 1).isEmpty());
    }
};

QTEST_MAIN(TestKeyMatrixWidget)
#include "tst_keymatrixwidget.moc"
