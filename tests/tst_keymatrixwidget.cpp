// Tests of KeyMatrixWidget: geometry, hit tests, cell state, presses, cell looks and repaints.
#include "KeyMatrixWidget.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

namespace {

const QColor kDefaultFill(225, 225, 230);
const QColor kDisabledFill(200, 200, 200);
const QColor kHover(80, 140, 210);
// A full block glyph paints solid pixels of the exact text colour.
const QString kBlock = QString(QChar(0x2588));

struct PaintCounter : QObject
{
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

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

} // namespace

class TestKeyMatrixWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"))); }
    void geometry();
    void cellStateAndRepaints();
    void press();
    void looks();
};

void TestKeyMatrixWidget::geometry()
{
    KeyMatrixWidget w(0, -3);
    QCOMPARE(w.minimumSize(), QSize(67, 51)); // one cell; headers 22 / 18, cells 37 x 25
    QVERIFY(w.hasMouseTracking());
    w.setMatrixSize(2, 2);
    w.setHeadersVisible(false);
    w.setCellSize(2, 100);
    w.setSpacing(-1, 5);
    w.setGridOffset(-5, 7);
    QCOMPARE(w.minimumSize(), QSize(16, 220)); // cells 4 x 100, spacing 0 / 5, offset 0 / 7

    KeyMatrixWidget narrow(2, 2);
    narrow.setHeadersVisible(false);
    narrow.resize(100, 59); // 91 pixels for two columns: 45 each, the remainder stays blank
    QCOMPARE(cell(narrow, 0, 0), QRect(4, 4, 45, 25));
    QCOMPARE(cell(narrow, 1, 1), QRect(50, 30, 45, 25));

    KeyMatrixWidget big(24, 16);
    big.setCellSize(50, 50);
    big.setSpacing(3, 3);
    big.setGridOffset(10, 5);
    QCOMPARE(big.minimumSize(), QSize(885, 1300));
    big.resize(big.minimumSize());
    QCOMPARE(cell(big, 0, 0), QRect(QPoint(36, 27), QPoint(85, 76)));
    QCOMPARE(cell(big, 23, 15), QRect(QPoint(831, 1246), QPoint(880, 1295)));
    QCOMPARE(big.colHeaderRect(0, 50), QRect(QPoint(36, 4), QPoint(85, 20)));
    const QPoint none(-1, -1);
    const QList<std::pair<QPoint, QPoint>> hits
        = {// position -> (row, column)
           {{36, 27}, {0, 0}}, {{85, 76}, {0, 0}}, {{99, 182}, {2, 1}}, {{880, 1295}, {23, 15}},
           {{86, 50}, none},   {{88, 50}, none},   {{50, 78}, none}, // gaps
           {{30, 50}, none},   {{50, 10}, none},   {{10, 50}, none}, // grid offset, headers
           {{2, 2}, none},     {{884, 50}, none},  {{50, 1299}, none}}; // margins
    for (const auto &[pos, expected] : hits) {
        int row = -1, col = -1;
        QCOMPARE(big.cellFromPos(pos, row, col), expected != none);
        QCOMPARE(QPoint(row, col), expected);
    }
}

void TestKeyMatrixWidget::cellStateAndRepaints()
{
    KeyMatrixWidget w(24, 16);
    PaintCounter paints;
    w.installEventFilter(&paints);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_VERIFY(paints.count > 0);
    QTest::qWait(30);
    paints.count = 0;
    w.setButtonText(-1, 0, "x");
    w.setButtonBackground(24, 15, Qt::red);
    w.setButtonEnabled(23, 16, false);
    w.setButtonVisible(0, -1, false);
    w.setButtonText(24 * 16, "x");
    w.setButtonText(-1, "x");
    mouse(&w, QEvent::MouseButtonPress, cell(w, 2, 3).center(), Qt::LeftButton);
    QTest::qWait(50);
    QCOMPARE(paints.count, 0); // neither the ignored setters nor a press repaint
    for (int i = 0; i < 24 * 16; ++i)
        QVERIFY(w.buttonText(i / 16, i % 16).isEmpty() && w.buttonEnabled(i / 16, i % 16)
                && w.buttonVisible(i / 16, i % 16));
    QVERIFY(w.buttonText(24, 0).isEmpty() && !w.buttonEnabled(0, 16) && !w.buttonVisible(-1, 0));

    for (int i = 0; i < 24 * 16; ++i) { // row by row: index 17 is row 1, column 1
        w.setButtonText(i, QString::number(i));
        w.setButtonBackground(i / 16, i % 16, QColor(i % 256, 0, 100));
    }
    w.setButtonEnabled(383, false);
    QTRY_COMPARE(paints.count, 1);
    QTest::qWait(30);
    QCOMPARE(paints.count, 1);
    QVERIFY(w.buttonText(1, 1) == "17" && !w.buttonEnabled(23, 15));
    w.setHoverColor(Qt::yellow);
    QTRY_COMPARE(paints.count, 2);
    // Resizing to the same dimensions still resets every cell.
    w.setMatrixSize(24, 16);
    QVERIFY(w.buttonText(1, 1).isEmpty() && w.buttonEnabled(23, 15));
}

void TestKeyMatrixWidget::press()
{
    // Cells 37 x 25 from (26, 22) at a pitch of 38 x 26; (0, 1) is disabled, (2, 0) hidden.
    KeyMatrixWidget w(3, 3);
    w.resize(w.minimumSize());
    w.setButtonEnabled(0, 1, false);
    w.setButtonVisible(2, 0, false);
    QSignalSpy spy(&w, &KeyMatrixWidget::keyClicked);
    mouse(&w, QEvent::MouseButtonPress, {40, 30}, Qt::LeftButton);
    mouse(&w, QEvent::MouseButtonPress, {120, 85}, Qt::RightButton);
    mouse(&w, QEvent::MouseButtonPress, {25.6, 50}, Qt::MiddleButton); // rounds onto cell 1, 0
    QCOMPARE(QList<QVariantList>(spy),
             QList<QVariantList>({{0, 0, QVariant::fromValue(Qt::LeftButton)},
                                  {2, 2, QVariant::fromValue(Qt::RightButton)},
                                  {1, 0, QVariant::fromValue(Qt::MiddleButton)}}));
    // A gap, a header, the disabled and the hidden cell.
    for (const QPointF pos : {QPointF(63, 30), QPointF(40, 10), QPointF(80, 30), QPointF(40, 75)})
        mouse(&w, QEvent::MouseButtonPress, pos, Qt::LeftButton);
    QCOMPARE(spy.count(), 3);
}

void TestKeyMatrixWidget::looks()
{
    KeyMatrixWidget w(3, 3);
    w.resize(w.minimumSize());
    w.setButtonBackground(0, 0, Qt::red);
    w.setButtonBackground(0, 1, Qt::red);
    w.setButtonBackground(0, 1, QColor()); // an invalid colour restores the default
    w.setButtonBackground(0, 2, Qt::red);
    w.setButtonEnabled(0, 2, false);
    w.setButtonVisible(1, 0, false);
    QCOMPARE(colorAt(w, 0, 0), QColor(Qt::red));
    QCOMPARE(colorAt(w, 0, 1), kDefaultFill);
    QCOMPARE(colorAt(w, 0, 2), kDisabledFill);
    QCOMPARE(colorAt(w, 1, 0), w.grab().toImage().pixelColor(1, 1)); // nothing drawn

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

QTEST_MAIN(TestKeyMatrixWidget)
#include "tst_keymatrixwidget.moc"
