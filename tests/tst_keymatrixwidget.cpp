// Tests of KeyMatrixWidget: geometry, hit tests, cell state, mouse handling, painting and repaints.
#include "KeyMatrixWidget.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <functional>

namespace {

// A full block glyph paints solid pixels of the exact pen colour, so colours can be compared
// exactly.
const QString kBlock = QString(QChar(0x2588));
const QColor kDefaultFill(225, 225, 230);
const QColor kOutline(180, 180, 180);
const QColor kDisabledFill(200, 200, 200);
const QColor kDisabledText(150, 150, 150);
const QColor kHover(80, 140, 210);

class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *target)
        : QObject(target)
    {
        target->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

QRect actualCell(const KeyMatrixWidget &w, int row, int col)
{
    int cw = 0, ch = 0;
    w.calcActualCellSize(cw, ch);
    return w.cellRect(row, col, cw, ch);
}

void sendMouse(QWidget *w, QEvent::Type type, const QPointF &pos, Qt::MouseButton button)
{
    const Qt::MouseButtons buttons
        = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::MouseButtons();
    QMouseEvent event(type, pos, w->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void moveTo(QWidget *w, const QPointF &pos)
{
    sendMouse(w, QEvent::MouseMove, pos, Qt::NoButton);
}

void leave(QWidget *w)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(w, &event);
}

QColor pixel(const QImage &image, const QPoint &p)
{
    return image.pixelColor(p);
}

// Fill colour of a cell, sampled next to its top-left corner, away from the outline and the text.
QColor fillOf(const QImage &image, const QRect &cell)
{
    return pixel(image, cell.topLeft() + QPoint(3, 3));
}

int countPixels(const QImage &image, const QRect &area, const std::function<bool(QColor)> &match)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += match(image.pixelColor(x, y)) ? 1 : 0;
    return n;
}

int countColor(const QImage &image, const QRect &area, const QColor &color)
{
    return countPixels(image, area, [&](QColor c) { return c.rgb() == color.rgb(); });
}

// Bounding box of the pixels of one exact colour inside an area.
QRect inkBox(const QImage &image, const QRect &area, const QColor &color)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y).rgb() == color.rgb())
                box |= QRect(x, y, 1, 1);
    return box;
}

// 3 x 3 cells at their default geometry: cells start at x 26 and y 22, pitch 38 x 26.
void showSmall(KeyMatrixWidget &w)
{
    w.resize(w.minimumSize());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
}

} // namespace

class TestKeyMatrixWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void construction();
    void minimumSize_data();
    void minimumSize();
    void setterClamping_data();
    void setterClamping();
    void actualCellSize_data();
    void actualCellSize();
    void cellAndLabelRects();
    void hitTest_data();
    void hitTest();

    void outOfRangeIgnored();
    void indexForm();
    void clearAll();
    void setMatrixSizeResets();

    void press_data();
    void press();
    void hover();

    void cellLooks_data();
    void cellLooks();
    void textColours();
    void linesAndClipping();
    void headers();

    void repaintsCoalesce();
};

void TestKeyMatrixWidget::initTestCase()
{
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans")));
}

void TestKeyMatrixWidget::construction()
{
    KeyMatrixWidget w(24, 16);
    QVERIFY(w.hasMouseTracking());
    QCOMPARE(w.sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(w.sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(w.rows(), 24);
    QCOMPARE(w.columns(), 16);
    // Default geometry: headers 22 / 18, cells 37 x 25, spacing 1.
    QCOMPARE(w.minimumSize(), QSize(637, 649));
    for (int r = 0; r < 24; ++r) {
        for (int c = 0; c < 16; ++c) {
            QVERIFY(w.buttonText(r, c).isEmpty());
            QVERIFY(w.buttonEnabled(r, c));
            QVERIFY(w.buttonVisible(r, c));
        }
    }

    KeyMatrixWidget tiny(0, -3);
    QCOMPARE(tiny.rows(), 1);
    QCOMPARE(tiny.columns(), 1);
    QCOMPARE(tiny.minimumSize(), QSize(67, 51));
}

void TestKeyMatrixWidget::minimumSize_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QSize>("cell");
    QTest::addColumn<QSize>("spacing");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<bool>("rowHeader");
    QTest::addColumn<bool>("colHeader");
    QTest::addColumn<QSize>("expected");

    QTest::newRow("24x16 large cells, headers")
        << 24 << 16 << QSize(50, 50) << QSize(3, 3) << QPoint(10, 5) << true << true
        << QSize(885, 1300);
    QTest::newRow("4x8 no headers") << 4 << 8 << QSize(37, 25) << QSize(4, 4) << QPoint(0, 0)
                                    << false << false << QSize(332, 120);
    QTest::newRow("row header only")
        << 2 << 3 << QSize(10, 20) << QSize(2, 7) << QPoint(1, 2) << true << false << QSize(65, 57);
    QTest::newRow("column header only")
        << 2 << 3 << QSize(10, 20) << QSize(2, 7) << QPoint(1, 2) << false << true << QSize(43, 75);
    QTest::newRow("1x1 no spacing")
        << 1 << 1 << QSize(4, 4) << QSize(0, 0) << QPoint(0, 0) << false << false << QSize(12, 12);
}

void TestKeyMatrixWidget::minimumSize()
{
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(QSize, cell);
    QFETCH(QSize, spacing);
    QFETCH(QPoint, offset);
    QFETCH(bool, rowHeader);
    QFETCH(bool, colHeader);
    QFETCH(QSize, expected);

    KeyMatrixWidget w(1, 1);
    w.setMatrixSize(rows, columns);
    w.setCellSize(cell.width(), cell.height());
    w.setSpacing(spacing.width(), spacing.height());
    w.setGridOffset(offset.x(), offset.y());
    w.setRowHeaderVisible(rowHeader);
    w.setColHeaderVisible(colHeader);
    QCOMPARE(w.minimumSize(), expected);
}

void TestKeyMatrixWidget::setterClamping_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<QSize>("expected");

    // Base: 2 x 2 cells of 37 x 25, spacing 1, no headers -> 83 x 59.
    QTest::newRow("cell size 2 x 100") << "cellSize" << 2 << 100 << QSize(17, 209);
    QTest::newRow("cell size 3 x 3") << "cellSize" << 3 << 3 << QSize(17, 17);
    QTest::newRow("cell size -7 x 5") << "cellSize" << -7 << 5 << QSize(17, 19);
    QTest::newRow("spacing -1, 5") << "spacing" << -1 << 5 << QSize(82, 63);
    QTest::newRow("spacing 0, -9") << "spacing" << 0 << -9 << QSize(82, 58);
    QTest::newRow("offset -5, 7") << "offset" << -5 << 7 << QSize(83, 66);
    QTest::newRow("offset 6, -1") << "offset" << 6 << -1 << QSize(89, 59);
    QTest::newRow("row header width 0") << "rowHeaderWidth" << 0 << 0 << QSize(87, 59);
    QTest::newRow("row header width 30") << "rowHeaderWidth" << 30 << 0 << QSize(113, 59);
    QTest::newRow("column header height -3") << "colHeaderHeight" << -3 << 0 << QSize(83, 63);
    QTest::newRow("both headers") << "headers" << 1 << 0 << QSize(105, 77);
    QTest::newRow("matrix 0 x -3") << "matrix" << 0 << -3 << QSize(45, 33);
    QTest::newRow("matrix 3 x 0") << "matrix" << 3 << 0 << QSize(45, 85);
}

void TestKeyMatrixWidget::setterClamping()
{
    QFETCH(QString, op);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(QSize, expected);

    KeyMatrixWidget w(2, 2);
    w.setHeadersVisible(false);
    QCOMPARE(w.minimumSize(), QSize(83, 59));

    if (op == "cellSize") {
        w.setCellSize(a, b);
    } else if (op == "spacing") {
        w.setSpacing(a, b);
    } else if (op == "offset") {
        w.setGridOffset(a, b);
    } else if (op == "rowHeaderWidth") {
        w.setRowHeaderVisible(true);
        w.setRowHeaderWidth(a);
    } else if (op == "colHeaderHeight") {
        w.setColHeaderVisible(true);
        w.setColHeaderHeight(a);
    } else if (op == "headers") {
        w.setHeadersVisible(a != 0);
    } else if (op == "matrix") {
        w.setMatrixSize(a, b);
        QCOMPARE(w.rows(), std::max(a, 1));
        QCOMPARE(w.columns(), std::max(b, 1));
    } else {
        QFAIL("unknown operation");
    }
    QCOMPARE(w.minimumSize(), expected);
}

void TestKeyMatrixWidget::actualCellSize_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<bool>("headers");
    QTest::addColumn<QSize>("widgetSize");
    QTest::addColumn<QSize>("expectedCell");
    QTest::addColumn<QPoint>("cell11TopLeft");

    // Available width 100 - 8 - 1 = 91 -> 45 each, remainder left blank.
    QTest::newRow("100 wide, 2 columns")
        << 2 << 2 << false << QSize(100, 59) << QSize(45, 25) << QPoint(50, 30);
    QTest::newRow("101 wide, 2 columns")
        << 2 << 2 << false << QSize(101, 59) << QSize(46, 25) << QPoint(51, 30);
    QTest::newRow("taller with headers")
        << 3 << 3 << true << QSize(143, 200) << QSize(37, 57) << QPoint(64, 80);
    QTest::newRow("at minimum") << 3 << 3 << true << QSize(143, 103) << QSize(37, 25)
                                << QPoint(64, 48);
    QTest::newRow("below minimum")
        << 3 << 3 << true << QSize(60, 40) << QSize(37, 25) << QPoint(64, 48);
}

void TestKeyMatrixWidget::actualCellSize()
{
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(bool, headers);
    QFETCH(QSize, widgetSize);
    QFETCH(QSize, expectedCell);
    QFETCH(QPoint, cell11TopLeft);

    KeyMatrixWidget w(rows, columns);
    w.setHeadersVisible(headers);
    // Lift the minimum so that a size below it can be tried.
    w.setMinimumSize(0, 0);
    w.resize(widgetSize);
    QCOMPARE(w.size(), widgetSize);

    int cw = 0, ch = 0;
    w.calcActualCellSize(cw, ch);
    QCOMPARE(QSize(cw, ch), expectedCell);
    QCOMPARE(w.cellRect(1, 1, cw, ch), QRect(cell11TopLeft, expectedCell));
    const QPoint firstCell = headers ? QPoint(26, 22) : QPoint(4, 4);
    QCOMPARE(w.cellRect(0, 0, cw, ch).topLeft(), firstCell);
}

void TestKeyMatrixWidget::cellAndLabelRects()
{
    KeyMatrixWidget w(24, 16);
    w.setCellSize(50, 50);
    w.setSpacing(3, 3);
    w.setGridOffset(10, 5);
    w.resize(w.minimumSize());
    QCOMPARE(w.size(), QSize(885, 1300));

    int cw = 0, ch = 0;
    w.calcActualCellSize(cw, ch);
    QCOMPARE(cw, 50);
    QCOMPARE(ch, 50);
    QCOMPARE(w.cellRect(0, 0, cw, ch), QRect(QPoint(36, 27), QPoint(85, 76)));
    QCOMPARE(w.cellRect(1, 2, cw, ch), QRect(QPoint(142, 80), QPoint(191, 129)));
    // The last cell ends four pixels before the right and bottom edges.
    QCOMPARE(w.cellRect(23, 15, cw, ch), QRect(QPoint(831, 1246), QPoint(880, 1295)));
    QCOMPARE(w.colHeaderRect(0, cw), QRect(QPoint(36, 4), QPoint(85, 20)));
    QCOMPARE(w.colHeaderRect(15, cw), QRect(QPoint(831, 4), QPoint(880, 20)));
    QCOMPARE(w.rowHeaderRect(0, ch), QRect(QPoint(4, 27), QPoint(23, 76)));
    QCOMPARE(w.rowHeaderRect(23, ch), QRect(QPoint(4, 1246), QPoint(23, 1295)));

    KeyMatrixWidget plain(4, 8);
    plain.setHeadersVisible(false);
    plain.setSpacing(4, 4);
    plain.resize(plain.minimumSize());
    QCOMPARE(plain.size(), QSize(332, 120));
    QCOMPARE(actualCell(plain, 0, 0), QRect(4, 4, 37, 25));
    QCOMPARE(actualCell(plain, 3, 7), QRect(291, 91, 37, 25));
}

void TestKeyMatrixWidget::hitTest_data()
{
    QTest::addColumn<bool>("narrow");
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");

    // Large layout of cellAndLabelRects: cells 50 x 50 at pitch 53 from (36, 27).
    QTest::newRow("cell 0,0 top-left") << false << QPoint(36, 27) << 0 << 0;
    QTest::newRow("cell 0,0 bottom-right") << false << QPoint(85, 76) << 0 << 0;
    QTest::newRow("cell 2,1") << false << QPoint(89 + 10, 133 + 49) << 2 << 1;
    QTest::newRow("last cell") << false << QPoint(880, 1295) << 23 << 15;
    QTest::newRow("gap right of 0,0") << false << QPoint(86, 50) << -1 << -1;
    QTest::newRow("gap last pixel") << false << QPoint(88, 50) << -1 << -1;
    QTest::newRow("gap below 0,0") << false << QPoint(50, 78) << -1 << -1;
    QTest::newRow("grid offset left of cells") << false << QPoint(30, 50) << -1 << -1;
    QTest::newRow("grid offset above cells") << false << QPoint(50, 24) << -1 << -1;
    QTest::newRow("column header") << false << QPoint(50, 10) << -1 << -1;
    QTest::newRow("row header") << false << QPoint(10, 50) << -1 << -1;
    QTest::newRow("margin") << false << QPoint(2, 2) << -1 << -1;
    QTest::newRow("right margin") << false << QPoint(884, 50) << -1 << -1;
    QTest::newRow("bottom margin") << false << QPoint(50, 1299) << -1 << -1;
    QTest::newRow("outside widget") << false << QPoint(2000, 50) << -1 << -1;
    QTest::newRow("negative") << false << QPoint(-40, -40) << -1 << -1;

    // 100 x 59 without headers, 2 x 2 cells stretched to 45 wide: x 4..48 and 50..94.
    QTest::newRow("narrow first cell") << true << QPoint(4, 4) << 0 << 0;
    QTest::newRow("narrow second cell start") << true << QPoint(50, 4) << 0 << 1;
    QTest::newRow("narrow second cell end") << true << QPoint(94, 54) << 1 << 1;
    QTest::newRow("narrow gap") << true << QPoint(49, 4) << -1 << -1;
    QTest::newRow("right of last column") << true << QPoint(96, 10) << -1 << -1;
    QTest::newRow("right edge") << true << QPoint(99, 10) << -1 << -1;
    QTest::newRow("below last row") << true << QPoint(10, 56) << -1 << -1;
}

void TestKeyMatrixWidget::hitTest()
{
    QFETCH(bool, narrow);
    QFETCH(QPoint, pos);
    QFETCH(int, row);
    QFETCH(int, col);

    KeyMatrixWidget w(24, 16);
    if (narrow) {
        w.setMatrixSize(2, 2);
        w.setHeadersVisible(false);
        w.resize(100, 59);
    } else {
        w.setCellSize(50, 50);
        w.setSpacing(3, 3);
        w.setGridOffset(10, 5);
        w.resize(w.minimumSize());
    }

    int r = -7, c = -7;
    const bool hit = w.cellFromPos(pos, r, c);
    QCOMPARE(hit, row >= 0);
    if (hit) {
        QCOMPARE(r, row);
        QCOMPARE(c, col);
    }
}

void TestKeyMatrixWidget::outOfRangeIgnored()
{
    KeyMatrixWidget w(3, 4);
    PaintCounter paints(&w);
    showSmall(w);
    QTRY_VERIFY(paints.count > 0);
    QTest::qWait(30);
    paints.count = 0;

    const QColor red(Qt::red);
    w.setButtonText(-1, 0, "x");
    w.setButtonText(0, 4, "x");
    w.setButtonText(3, 0, "x");
    w.setButtonText(0, -1, "x");
    w.setButtonBackground(3, 3, red);
    w.setButtonBorderColor(0, 4, red);
    w.setButtonTextColor(-1, -1, red);
    w.setButtonEnabled(2, 4, false);
    w.setButtonVisible(3, 0, false);
    w.setButtonText(12, "x");
    w.setButtonText(-1, "x");
    w.setButtonBackground(12, red);
    w.setButtonBorderColor(-5, red);
    w.setButtonTextColor(100, red);
    w.setButtonEnabled(12, false);
    w.setButtonVisible(-1, false);
    QTest::qWait(50);
    QCOMPARE(paints.count, 0);

    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            QVERIFY2(w.buttonText(r, c).isEmpty(), qPrintable(QString("%1,%2").arg(r).arg(c)));
            QVERIFY(w.buttonEnabled(r, c));
            QVERIFY(w.buttonVisible(r, c));
        }
    }
    const QImage image = w.grab().toImage();
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            QCOMPARE(fillOf(image, actualCell(w, r, c)), kDefaultFill);

    // Queries out of range give the neutral answers.
    QVERIFY(w.buttonText(3, 0).isEmpty());
    QVERIFY(!w.buttonEnabled(0, 4));
    QVERIFY(!w.buttonVisible(-1, 0));

    // The counter does see an in-range change.
    paints.count = 0;
    w.setButtonText(2, 3, "x");
    QTRY_COMPARE(paints.count, 1);
}

void TestKeyMatrixWidget::indexForm()
{
    KeyMatrixWidget w(24, 16);
    w.setButtonText(17, "A");
    QCOMPARE(w.buttonText(1, 1), QString("A"));
    w.setButtonEnabled(383, false);
    QVERIFY(!w.buttonEnabled(23, 15));
    w.setButtonVisible(16, false);
    QVERIFY(!w.buttonVisible(1, 0));

    w.setButtonText(-1, "B");
    w.setButtonText(16 * 24, "B");
    w.setButtonEnabled(-1, false);
    w.setButtonVisible(16 * 24, false);
    int texts = 0, disabled = 0, hidden = 0;
    for (int r = 0; r < 24; ++r) {
        for (int c = 0; c < 16; ++c) {
            texts += w.buttonText(r, c).isEmpty() ? 0 : 1;
            disabled += w.buttonEnabled(r, c) ? 0 : 1;
            hidden += w.buttonVisible(r, c) ? 0 : 1;
        }
    }
    QCOMPARE(texts, 1);
    QCOMPARE(disabled, 1);
    QCOMPARE(hidden, 1);

    // The index runs over the actual column count, and the colour forms reach the same cell.
    KeyMatrixWidget odd(3, 5);
    odd.setHeadersVisible(false);
    odd.setButtonText(7, "C");
    QCOMPARE(odd.buttonText(1, 2), QString("C"));
    odd.setButtonBackground(7, QColor(Qt::red));
    odd.setButtonBorderColor(14, QColor(Qt::blue));
    odd.setButtonBackground(15, QColor(Qt::green));
    odd.resize(odd.minimumSize());
    const QImage image = odd.grab().toImage();
    QCOMPARE(fillOf(image, actualCell(odd, 1, 2)), QColor(Qt::red));
    const QRect last = actualCell(odd, 2, 4);
    QCOMPARE(pixel(image, QPoint(last.left(), last.center().y())), QColor(Qt::blue));
    QCOMPARE(countColor(image, image.rect(), QColor(Qt::green)), 0);
}

void TestKeyMatrixWidget::clearAll()
{
    KeyMatrixWidget w(2, 3);
    w.resize(w.minimumSize());
    w.setButtonText(0, 0, "a");
    w.setButtonText(1, 2, "b");
    w.setButtonBackground(0, 1, QColor(Qt::red));
    w.setButtonBorderColor(0, 2, QColor(Qt::blue));
    w.setButtonEnabled(1, 0, false);
    w.setButtonVisible(1, 1, false);

    w.clearAllTexts();
    QVERIFY(w.buttonText(0, 0).isEmpty());
    QVERIFY(w.buttonText(1, 2).isEmpty());
    QImage image = w.grab().toImage();
    QCOMPARE(fillOf(image, actualCell(w, 0, 1)), QColor(Qt::red));

    w.setButtonText(0, 0, "a");
    w.clearAllColors();
    QCOMPARE(w.buttonText(0, 0), QString("a"));
    QVERIFY(!w.buttonEnabled(1, 0));
    QVERIFY(!w.buttonVisible(1, 1));
    image = w.grab().toImage();
    QCOMPARE(fillOf(image, actualCell(w, 0, 1)), kDefaultFill);
    const QRect bordered = actualCell(w, 0, 2);
    QCOMPARE(pixel(image, QPoint(bordered.left(), bordered.center().y())), kOutline);
    QCOMPARE(fillOf(image, actualCell(w, 1, 0)), kDisabledFill);
}

void TestKeyMatrixWidget::setMatrixSizeResets()
{
    KeyMatrixWidget w(3, 3);
    showSmall(w);
    const QRect hovered = actualCell(w, 2, 2);
    moveTo(&w, hovered.center());
    w.setButtonText(0, 0, "a");
    w.setButtonBackground(0, 1, QColor(Qt::red));
    w.setButtonEnabled(1, 0, false);
    w.setButtonVisible(1, 1, false);
    QImage image = w.grab().toImage();
    QCOMPARE(fillOf(image, hovered), kHover);

    w.setMatrixSize(3, 3);
    QCOMPARE(w.rows(), 3);
    QCOMPARE(w.columns(), 3);
    QVERIFY(w.buttonText(0, 0).isEmpty());
    QVERIFY(w.buttonEnabled(1, 0));
    QVERIFY(w.buttonVisible(1, 1));
    image = w.grab().toImage();
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            QCOMPARE(fillOf(image, actualCell(w, r, c)), kDefaultFill);

    w.setMatrixSize(5, 2);
    QCOMPARE(w.rows(), 5);
    QCOMPARE(w.columns(), 2);
    QCOMPARE(w.minimumSize(), QSize(8 + 22 + 2 * 37 + 1, 8 + 18 + 5 * 25 + 4));
    w.setButtonText(4, 1, "z");
    QCOMPARE(w.buttonText(4, 1), QString("z"));
}

void TestKeyMatrixWidget::press_data()
{
    QTest::addColumn<QPointF>("pos");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");

    // 3 x 3 default layout: cells 37 x 25 from (26, 22) at pitch 38 x 26.
    // Cell (0, 1) is disabled and cell (1, 0) hidden.
    QTest::newRow("left on 0,0") << QPointF(40, 30) << Qt::LeftButton << 0 << 0;
    QTest::newRow("right on 2,2") << QPointF(120, 85) << Qt::RightButton << 2 << 2;
    QTest::newRow("middle on 1,1") << QPointF(80, 60) << Qt::MiddleButton << 1 << 1;
    QTest::newRow("back on 2,1") << QPointF(80, 85) << Qt::BackButton << 2 << 1;
    QTest::newRow("first pixel") << QPointF(26, 22) << Qt::LeftButton << 0 << 0;
    QTest::newRow("last pixel") << QPointF(62, 46) << Qt::LeftButton << 0 << 0;
    QTest::newRow("rounds up onto cell") << QPointF(25.6, 30) << Qt::LeftButton << 0 << 0;
    QTest::newRow("rounds down onto cell") << QPointF(62.4, 30) << Qt::LeftButton << 0 << 0;
    QTest::newRow("rounds into gap") << QPointF(62.6, 30) << Qt::LeftButton << -1 << -1;
    QTest::newRow("horizontal gap") << QPointF(63, 30) << Qt::LeftButton << -1 << -1;
    QTest::newRow("vertical gap") << QPointF(40, 47) << Qt::RightButton << -1 << -1;
    QTest::newRow("column header") << QPointF(40, 10) << Qt::LeftButton << -1 << -1;
    QTest::newRow("row header") << QPointF(10, 30) << Qt::LeftButton << -1 << -1;
    QTest::newRow("margin") << QPointF(2, 2) << Qt::LeftButton << -1 << -1;
    QTest::newRow("right of last column") << QPointF(140, 30) << Qt::LeftButton << -1 << -1;
    QTest::newRow("below last row") << QPointF(40, 100) << Qt::LeftButton << -1 << -1;
    QTest::newRow("disabled cell") << QPointF(80, 30) << Qt::LeftButton << -1 << -1;
    QTest::newRow("disabled cell, right") << QPointF(80, 30) << Qt::RightButton << -1 << -1;
    QTest::newRow("hidden cell") << QPointF(40, 60) << Qt::LeftButton << -1 << -1;
}

void TestKeyMatrixWidget::press()
{
    QFETCH(QPointF, pos);
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, row);
    QFETCH(int, col);

    KeyMatrixWidget w(3, 3);
    w.setButtonEnabled(0, 1, false);
    w.setButtonVisible(1, 0, false);
    showSmall(w);
    QCOMPARE(w.size(), QSize(143, 103));

    QSignalSpy spy(&w, &KeyMatrixWidget::keyClicked);
    sendMouse(&w, QEvent::MouseButtonPress, pos, button);
    sendMouse(&w, QEvent::MouseButtonRelease, pos, button);
    if (row < 0) {
        QCOMPARE(spy.count(), 0);
        return;
    }
    QCOMPARE(spy.count(), 1);
    const QList<QVariant> args = spy.takeFirst();
    QCOMPARE(args.at(0).toInt(), row);
    QCOMPARE(args.at(1).toInt(), col);
    QCOMPARE(args.at(2).value<Qt::MouseButton>(), button);
}

void TestKeyMatrixWidget::hover()
{
    KeyMatrixWidget w(3, 3);
    showSmall(w);
    const QRect c00 = actualCell(w, 0, 0);
    const QRect c01 = actualCell(w, 0, 1);
    const QRect c11 = actualCell(w, 1, 1);
    const QRect c22 = actualCell(w, 2, 2);

    moveTo(&w, c00.center());
    QImage image = w.grab().toImage();
    QCOMPARE(fillOf(image, c00), kHover);
    QCOMPARE(fillOf(image, c01), kDefaultFill);
    // The hovered cell keeps its outline.
    QCOMPARE(pixel(image, QPoint(c00.left(), c00.center().y())), kOutline);

    w.setButtonBackground(0, 1, QColor(Qt::red));
    w.setButtonText(0, 1, kBlock);
    moveTo(&w, c01.center());
    image = w.grab().toImage();
    QCOMPARE(fillOf(image, c00), kDefaultFill);
    QCOMPARE(fillOf(image, c01), kHover);
    QVERIFY(countColor(image, c01, QColor(Qt::white)) > 0);
    QCOMPARE(countColor(image, c01, QColor(Qt::red)), 0);

    w.setHoverColor(QColor(Qt::green));
    image = w.grab().toImage();
    QCOMPARE(fillOf(image, c01), QColor(Qt::green));

    // Moving onto a disabled cell clears the hover; the disabled cell never shows it.
    w.setButtonEnabled(1, 1, false);
    moveTo(&w, c11.center());
    image = w.grab().toImage();
    QCOMPARE(fillOf(image, c01), QColor(Qt::red));
    QCOMPARE(fillOf(image, c11), kDisabledFill);
    w.setButtonEnabled(1, 1, true);
    QCOMPARE(fillOf(w.grab().toImage(), c11), kDefaultFill);

    // A gap and a hidden cell clear it as well.
    moveTo(&w, c00.center());
    moveTo(&w, QPointF(c00.right() + 1, c00.center().y()));
    QCOMPARE(fillOf(w.grab().toImage(), c00), kDefaultFill);
    w.setButtonVisible(0, 2, false);
    moveTo(&w, c00.center());
    moveTo(&w, actualCell(w, 0, 2).center());
    QCOMPARE(fillOf(w.grab().toImage(), c00), kDefaultFill);

    // Leaving the widget clears it.
    moveTo(&w, c00.center());
    QCOMPARE(fillOf(w.grab().toImage(), c00), QColor(Qt::green));
    leave(&w);
    QCOMPARE(fillOf(w.grab().toImage(), c00), kDefaultFill);

    // Disabling the hovered cell shows the disabled look at once; the hover itself stays
    // until the mouse moves, so enabling the cell again brings the hover look back.
    moveTo(&w, c22.center());
    w.setButtonEnabled(2, 2, false);
    QCOMPARE(fillOf(w.grab().toImage(), c22), kDisabledFill);
    w.setButtonEnabled(2, 2, true);
    QCOMPARE(fillOf(w.grab().toImage(), c22), QColor(Qt::green));
}

void TestKeyMatrixWidget::cellLooks_data()
{
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("border");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("unsetAgain");
    QTest::addColumn<QColor>("fill");
    QTest::addColumn<QColor>("outline");

    const QColor none;
    const QColor red(Qt::red);
    const QColor blue(Qt::blue);
    QTest::newRow("default") << none << none << true << true << false << kDefaultFill << kOutline;
    QTest::newRow("own colours") << red << blue << true << true << false << red << blue;
    QTest::newRow("own background only") << red << none << true << true << false << red << kOutline;
    QTest::newRow("invalid colour restores default")
        << red << blue << true << true << true << kDefaultFill << kOutline;
    QTest::newRow("disabled hides own colours")
        << red << blue << false << true << false << kDisabledFill << kOutline;
    // Hidden: fill and outline are whatever lies behind (compared with the margin).
    QTest::newRow("hidden") << red << blue << true << false << false << none << none;
}

void TestKeyMatrixWidget::cellLooks()
{
    QFETCH(QColor, background);
    QFETCH(QColor, border);
    QFETCH(bool, enabled);
    QFETCH(bool, visible);
    QFETCH(bool, unsetAgain);
    QFETCH(QColor, fill);
    QFETCH(QColor, outline);

    KeyMatrixWidget w(3, 3);
    w.resize(w.minimumSize());
    w.setButtonBackground(1, 1, background);
    w.setButtonBorderColor(1, 1, border);
    if (unsetAgain) {
        w.setButtonBackground(1, 1, QColor());
        w.setButtonBorderColor(1, 1, QColor());
    }
    w.setButtonEnabled(1, 1, enabled);
    w.setButtonVisible(1, 1, visible);

    const QImage image = w.grab().toImage();
    const QColor behind = pixel(image, QPoint(1, 1));
    const QRect cell = actualCell(w, 1, 1);
    QCOMPARE(fillOf(image, cell), fill.isValid() ? fill : behind);
    QCOMPARE(pixel(image, cell.center()), fill.isValid() ? fill : behind);
    const int midY = cell.center().y();
    const int midX = cell.center().x();
    const QColor edge = outline.isValid() ? outline : behind;
    QCOMPARE(pixel(image, QPoint(cell.left(), midY)), edge);
    QCOMPARE(pixel(image, QPoint(cell.right(), midY)), edge);
    QCOMPARE(pixel(image, QPoint(midX, cell.top())), edge);
    QCOMPARE(pixel(image, QPoint(midX, cell.bottom())), edge);
    // The outline stays inside the cell: the gaps show what lies behind.
    QCOMPARE(pixel(image, QPoint(cell.right() + 1, midY)), behind);
    QCOMPARE(pixel(image, QPoint(midX, cell.bottom() + 1)), behind);
    // Neighbours are untouched.
    QCOMPARE(fillOf(image, actualCell(w, 1, 2)), kDefaultFill);
    QCOMPARE(fillOf(image, actualCell(w, 2, 1)), kDefaultFill);
}

void TestKeyMatrixWidget::textColours()
{
    KeyMatrixWidget w(1, 3);
    w.setCellSize(60, 30);
    w.resize(w.minimumSize());
    const QColor blue(Qt::blue);
    w.setButtonText(0, 0, kBlock);
    w.setButtonTextColor(0, 0, blue);
    w.setButtonText(0, 1, kBlock);
    w.setButtonText(0, 2, kBlock);
    w.setButtonTextColor(0, 2, QColor(Qt::red));
    w.setButtonEnabled(0, 2, false);

    QImage image = w.grab().toImage();
    const QRect c0 = actualCell(w, 0, 0);
    const QRect c1 = actualCell(w, 0, 1);
    const QRect c2 = actualCell(w, 0, 2);
    QVERIFY(countColor(image, c0, blue) > 0);
    QVERIFY(countColor(image, c1, QColor(Qt::black)) > 0);
    QVERIFY(countColor(image, c2, kDisabledText) > 0);
    QCOMPARE(countColor(image, c2, QColor(Qt::red)), 0);

    w.clearAllColors();
    QCOMPARE(w.buttonText(0, 0), kBlock);
    image = w.grab().toImage();
    QCOMPARE(countColor(image, c0, blue), 0);
    QVERIFY(countColor(image, c0, QColor(Qt::black)) > 0);

    w.clearAllTexts();
    image = w.grab().toImage();
    QCOMPARE(countColor(image, c0, QColor(Qt::black)), 0);
    QCOMPARE(countColor(image, c0.adjusted(1, 1, -1, -1), kDefaultFill), (60 - 2) * (30 - 2));
}

void TestKeyMatrixWidget::linesAndClipping()
{
    KeyMatrixWidget w(1, 3);
    w.setHeadersVisible(false);
    w.setCellSize(80, 60);
    w.resize(w.minimumSize());
    const QColor black(Qt::black);
    w.setButtonText(0, 0, kBlock);
    w.setButtonText(0, 1, kBlock + "\n" + kBlock);

    QImage image = w.grab().toImage();
    const QRect c0 = actualCell(w, 0, 0);
    const QRect c1 = actualCell(w, 0, 1);
    const QRect one = inkBox(image, c0, black);
    const QRect two = inkBox(image, c1, black);
    QVERIFY(!one.isEmpty());
    QVERIFY(!two.isEmpty());
    // Two lines: same width, about twice the height, both centred in the cell.
    QCOMPARE(two.width(), one.width());
    QVERIFY2(two.height() > one.height() * 3 / 2, qPrintable(QString::number(two.height())));
    QVERIFY(qAbs(one.center().x() - c0.center().x()) <= 2);
    QVERIFY(qAbs(one.center().y() - c0.center().y()) <= 2);
    QVERIFY(qAbs(two.center().x() - c1.center().x()) <= 2);
    QVERIFY(qAbs(two.center().y() - c1.center().y()) <= 2);

    // A text wider than its cell is clipped, not wrapped or elided: it covers the whole width and
    // nothing spills into the gap or the neighbour.
    w.setButtonText(0, 1, QString(40, kBlock.at(0)));
    image = w.grab().toImage();
    const QRect wide = inkBox(image, c1, black);
    QCOMPARE(wide.left(), c1.left());
    QCOMPARE(wide.right(), c1.right());
    QCOMPARE(wide.height(), one.height());
    const QColor behind = pixel(image, QPoint(1, 1));
    for (int y = c1.top(); y <= c1.bottom(); ++y) {
        QCOMPARE(pixel(image, QPoint(c1.left() - 1, y)), behind);
        QCOMPARE(pixel(image, QPoint(c1.right() + 1, y)), behind);
    }
    const QRect c2 = actualCell(w, 0, 2);
    QCOMPARE(countColor(image, c2.adjusted(1, 1, -1, -1), kDefaultFill), 78 * 58);
}

void TestKeyMatrixWidget::headers()
{
    KeyMatrixWidget w(2, 2);
    w.setCellSize(60, 30);
    w.setRowHeaderWidth(30);
    w.setColHeaderHeight(25);
    w.setRowHeaderPrefix(kBlock);
    w.setColHeaderPrefix(kBlock);
    w.resize(w.minimumSize());
    int cw = 0, ch = 0;
    w.calcActualCellSize(cw, ch);

    const QColor grey(Qt::darkGray);
    QImage image = w.grab().toImage();
    const QColor behind = pixel(image, QPoint(1, 1));
    for (int c = 0; c < 2; ++c) {
        const QRect label = w.colHeaderRect(c, cw);
        QVERIFY(countColor(image, label, grey) > 0);
        QCOMPARE(pixel(image, label.topLeft()), behind); // no fill
        QVERIFY(qAbs(inkBox(image, label, grey).center().x() - label.center().x()) <= 4);
    }
    for (int r = 0; r < 2; ++r) {
        const QRect label = w.rowHeaderRect(r, ch);
        QVERIFY(countColor(image, label, grey) > 0);
        QCOMPARE(pixel(image, label.bottomLeft()), behind);
        QVERIFY(qAbs(inkBox(image, label, grey).center().y() - label.center().y()) <= 2);
    }
    QCOMPARE(countColor(image, w.rect(), QColor(Qt::black)), 0);

    // Hidden headers draw nothing; the cells move into their place.
    const QRect belowColumnHeaders(0, 28, image.width(), image.height() - 28);
    QVERIFY(countColor(image, belowColumnHeaders, grey) > 0);
    w.setRowHeaderVisible(false);
    image = w.grab().toImage();
    QCOMPARE(countColor(image, belowColumnHeaders, grey), 0);
    w.calcActualCellSize(cw, ch);
    QVERIFY(countColor(image, w.colHeaderRect(0, cw), grey) > 0);
    QCOMPARE(actualCell(w, 0, 0).topLeft(), QPoint(4, 29));
    w.setColHeaderVisible(false);
    image = w.grab().toImage();
    QCOMPARE(countColor(image, image.rect(), grey), 0);
    QCOMPARE(actualCell(w, 0, 0).topLeft(), QPoint(4, 4));
}

void TestKeyMatrixWidget::repaintsCoalesce()
{
    KeyMatrixWidget w(24, 16);
    PaintCounter paints(&w);
    showSmall(w);
    QTRY_VERIFY(paints.count > 0);
    QTest::qWait(30);

    paints.count = 0;
    for (int i = 0; i < 24 * 16; ++i)
        w.setButtonText(i, QString::number(i));
    for (int r = 0; r < 24; ++r)
        for (int c = 0; c < 16; ++c)
            w.setButtonBackground(r, c, QColor(r * 10, c * 10, 100));
    QTRY_COMPARE(paints.count, 1);
    QTest::qWait(30);
    QCOMPARE(paints.count, 1);

    // Hover changes repaint once; moves that change nothing and presses do not repaint.
    const QRect cell = actualCell(w, 2, 3);
    paints.count = 0;
    moveTo(&w, QPointF(cell.right() + 1, cell.center().y())); // gap, nothing hovered
    sendMouse(&w, QEvent::MouseButtonPress, cell.center(), Qt::LeftButton);
    sendMouse(&w, QEvent::MouseButtonRelease, cell.center(), Qt::LeftButton);
    QTest::qWait(50);
    QCOMPARE(paints.count, 0);
    moveTo(&w, cell.center());
    QTRY_COMPARE(paints.count, 1);
    moveTo(&w, cell.center() + QPoint(3, 2));
    QTest::qWait(50);
    QCOMPARE(paints.count, 1);
    moveTo(&w, actualCell(w, 2, 4).center());
    QTRY_COMPARE(paints.count, 2);

    // Every kind of change asks for a repaint.
    const auto expectRepaint = [&](const char *what, const std::function<void()> &change) {
        paints.count = 0;
        change();
        QTRY_VERIFY2(paints.count >= 1, what);
    };
    expectRepaint("cell size", [&] { w.setCellSize(38, 25); });
    expectRepaint("spacing", [&] { w.setSpacing(2, 2); });
    expectRepaint("offset", [&] { w.setGridOffset(1, 1); });
    expectRepaint("headers", [&] { w.setHeadersVisible(false); });
    expectRepaint("row header", [&] { w.setRowHeaderVisible(true); });
    expectRepaint("column header", [&] { w.setColHeaderVisible(true); });
    expectRepaint("row header width", [&] { w.setRowHeaderWidth(30); });
    expectRepaint("column header height", [&] { w.setColHeaderHeight(30); });
    expectRepaint("recalc", [&] { w.recalcSize(); });
    expectRepaint("row prefix", [&] { w.setRowHeaderPrefix("R"); });
    expectRepaint("column prefix", [&] { w.setColHeaderPrefix("C"); });
    expectRepaint("hover colour", [&] { w.setHoverColor(Qt::yellow); });
    expectRepaint("border", [&] { w.setButtonBorderColor(5, Qt::red); });
    expectRepaint("text colour", [&] { w.setButtonTextColor(0, 0, Qt::red); });
    expectRepaint("enabled", [&] { w.setButtonEnabled(3, false); });
    expectRepaint("visible", [&] { w.setButtonVisible(4, false); });
    expectRepaint("clear texts", [&] { w.clearAllTexts(); });
    expectRepaint("clear colours", [&] { w.clearAllColors(); });
    expectRepaint("matrix size", [&] { w.setMatrixSize(24, 16); });
    expectRepaint("leave", [&] { leave(&w); });
    expectRepaint("resize", [&] { w.resize(w.width() + 20, w.height() + 20); });
}

QTEST_MAIN(TestKeyMatrixWidget)
#include "tst_keymatrixwidget.moc"
