// Tests of the key layer tabs through the real window: cell drawing, clicks, FN mirroring,
// Clear Table, the editor reset and the unsaved-changes flag.
#include "ButtonDialog.h"
#include "KeyMatrixWidget.h"
#include "MainWindow.h"
#include "MaterialColor.h"
#include "TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtTest>

#include <cmath>
#include <functional>
#include <memory>

namespace {
constexpr int LEAVE = -2; // a list left at its preselected item

// What the test chooses in the key dialog; key is a code (-1 leaves the list alone).
struct Pick
{
    int macro = LEAVE;
    int modifier = LEAVE;
    int key = -1;
    bool ok = true;
};

// What the dialog showed when it opened.
struct Shown
{
    bool shown = false;
    QString coords;
    int macro = -9;
    int modifier = -9;
    int key = -9;
};

QComboBox *combo(QWidget *dialog, const char *name)
{
    return dialog->findChild<QComboBox *>(QLatin1String(name));
}

// Answers the next ButtonDialog from a timer with pick; a dialog left open is rejected.
void answerButtonDialog(const Pick &pick, Shown *shown)
{
    TestSupport::onNextModal([pick, shown](QWidget *modal) {
        auto *dialog = qobject_cast<ButtonDialog *>(modal);
        if (dialog == nullptr) {
            modal->close();
            return;
        }
        shown->shown = true;
        shown->coords = dialog->findChild<QLabel *>(QStringLiteral("label_coords"))->text();
        shown->macro = combo(dialog, "cmb_macro")->currentIndex();
        shown->modifier = combo(dialog, "cmb_modifier")->currentIndex();
        shown->key = combo(dialog, "cmb_key")->currentIndex();
        if (pick.macro != LEAVE)
            combo(dialog, "cmb_macro")->setCurrentIndex(pick.macro);
        if (pick.modifier != LEAVE)
            combo(dialog, "cmb_modifier")->setCurrentIndex(pick.modifier);
        if (pick.key != -1)
            combo(dialog, "cmb_key")->setCurrentIndex(combo(dialog, "cmb_key")->findData(pick.key));
        const char *name = pick.ok ? "btn_accept" : "btn_cancel";
        dialog->findChild<QPushButton *>(QLatin1String(name))->click();
        if (dialog->isVisible())
            dialog->reject();
    });
}

QPoint cellCentre(KeyMatrixWidget *matrix, int row, int col)
{
    int w = 0;
    int h = 0;
    matrix->calcActualCellSize(w, h);
    return matrix->cellRect(row, col, w, h).center();
}

QRect cellArea(KeyMatrixWidget *matrix, int row, int col)
{
    int w = 0;
    int h = 0;
    matrix->calcActualCellSize(w, h);
    return matrix->cellRect(row, col, w, h);
}

// Checks that the text of a cell is drawn in the colour expected. The strongest text pixel of
// an antialiased glyph lies on the line from the cell's fill towards the text colour, close to
// the colour itself; a different colour leaves that line.
QString inkMismatch(KeyMatrixWidget *matrix, int row, int col, const QColor &expected)
{
    const QImage image = matrix->grab(cellArea(matrix, row, col)).toImage();
    const QColor fill = image.pixelColor(3, 3);
    const double ex = expected.red() - fill.red();
    const double ey = expected.green() - fill.green();
    const double ez = expected.blue() - fill.blue();
    const double elen2 = ex * ex + ey * ey + ez * ez;
    double best = 0;
    QColor strongest = fill;
    for (int y = 2; y < image.height() - 2; ++y) {
        for (int x = 2; x < image.width() - 2; ++x) {
            const QColor p = image.pixelColor(x, y);
            const double dx = p.red() - fill.red();
            const double dy = p.green() - fill.green();
            const double dz = p.blue() - fill.blue();
            const double d2 = dx * dx + dy * dy + dz * dz;
            if (d2 > best) {
                best = d2;
                strongest = p;
            }
        }
    }
    if (best < 400)
        return QStringLiteral("no text drawn");
    const double dx = strongest.red() - fill.red();
    const double dy = strongest.green() - fill.green();
    const double dz = strongest.blue() - fill.blue();
    const double a = (dx * ex + dy * ey + dz * ez) / elen2;
    const double rx = dx - a * ex;
    const double ry = dy - a * ey;
    const double rz = dz - a * ez;
    const double residual = std::sqrt(rx * rx + ry * ry + rz * rz);
    if (a < 0.6 || a > 1.1 || residual > 25) {
        return QStringLiteral("text drawn in %1, expected %2")
            .arg(strongest.name(), expected.name());
    }
    return QString();
}

// The text colour of a cell whatever its text: draws a probe text with the stored colour.
QString colourMismatch(KeyMatrixWidget *matrix, int row, int col, const QColor &expected)
{
    const QString text = matrix->buttonText(row, col);
    if (text.trimmed().isEmpty())
        matrix->setButtonText(row, col, QStringLiteral("WM"));
    const QString mismatch = inkMismatch(matrix, row, col, expected);
    matrix->setButtonText(row, col, text);
    return mismatch;
}

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

class TestKeyTabs : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MainWindow> m_window;

    KeyMatrixWidget *matrix(int layer) const { return m_window->matrix(layer); }
    int code(int layer, int x, int y) const { return m_window->config().GetKeyCode(layer, x, y); }

    template<typename T> T *child(const QString &name) const
    {
        return m_window->findChild<T *>(name);
    }

    // A click with button on the cell (row, col) of a layer, as the user makes it.
    void clickCell(int layer, int row, int col, Qt::MouseButton button = Qt::LeftButton)
    {
        child<QTabWidget>(QStringLiteral("tabWidget"))->setCurrentIndex(layer);
        QTest::mouseClick(matrix(layer), button, {}, cellCentre(matrix(layer), row, col));
    }

    // Puts a code into the configuration and onto the screen, as a file load does.
    void put(int layer, int x, int y, unsigned short value)
    {
        m_window->config().SetKeyCode(layer, x, y, value);
        m_window->setButton(layer, x, y, value);
    }

    void fillAll(unsigned short value)
    {
        for (int layer = 0; layer < MV100::LAYERS; ++layer)
            for (int y = 0; y < MV100::ROWS; ++y)
                for (int x = 0; x < MV100::COLUMNS; ++x)
                    put(layer, x, y, value);
    }

    // Empty cells and codes of one layer, or a description of the first difference.
    QString layerEmpty(int layer) const
    {
        for (int y = 0; y < MV100::ROWS; ++y) {
            for (int x = 0; x < MV100::COLUMNS; ++x) {
                if (code(layer, x, y) != 0xFFFF || !matrix(layer)->buttonText(y, x).isEmpty())
                    return QStringLiteral("layer %1 x %2 y %3 not empty").arg(layer).arg(x).arg(y);
            }
        }
        return QString();
    }

    QString layerHolds(int layer, int value, const QString &text) const
    {
        for (int y = 0; y < MV100::ROWS; ++y) {
            for (int x = 0; x < MV100::COLUMNS; ++x) {
                if (code(layer, x, y) != value || matrix(layer)->buttonText(y, x) != text)
                    return QStringLiteral("layer %1 x %2 y %3 changed").arg(layer).arg(x).arg(y);
            }
        }
        return QString();
    }

private slots:
    void init()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("QMetaObject::connectSlotsByName")));
        m_window = std::make_unique<MainWindow>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        TestSupport::closeAllModals();
        m_window->setUnsavedChanges(false);
        m_window.reset();
    }

    void layerTabs()
    {
        const char *pages[] = {"tab_default", "tab_fn1", "tab_fn2"};
        for (int layer = 0; layer < MV100::LAYERS; ++layer) {
            KeyMatrixWidget *m = matrix(layer);
            QVERIFY(m != nullptr);
            QCOMPARE(m->rows(), 24);
            QCOMPARE(m->columns(), 16);
            // Cell 50 x 50, spacing 3, offset 10/5 and both headers give exactly this.
            QCOMPARE(m->minimumSize(), QSize(885, 1300));
            auto *scroll = qobject_cast<QScrollArea *>(m->parentWidget()->parentWidget());
            QVERIFY(scroll != nullptr);
            QCOMPARE(scroll->widget(), m);
            QVERIFY(scroll->widgetResizable());
            QWidget *page = child<QWidget>(QLatin1String(pages[layer]));
            QCOMPARE(scroll->parentWidget(), page);
            auto *layout = qobject_cast<QVBoxLayout *>(page->layout());
            QVERIFY(layout != nullptr);
            QCOMPARE(layout->contentsMargins(), QMargins(4, 4, 4, 4));
        }
        QCOMPARE(m_window->hasUnsavedChanges(), false);
    }

    void cellDrawing_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("unassigned") << 0xFFFF << "" << MaterialColor::Black;
        QTest::newRow("plain A") << 0x0004 << "A" << MaterialColor::Black;
        QTest::newRow("FN1") << 0x00FF << "FN1" << MaterialColor::Black;
        QTest::newRow("L-Shift + A") << 0xE104 << "L-Shift\nA" << MaterialColor::Black;
        QTest::newRow("L-CTRL + A") << 0xE004 << "L-CTRL\nA" << MaterialColor::Black;
        QTest::newRow("R-GUI + Z") << 0xE71D << "R-GUI\nZ" << MaterialColor::Black;
        QTest::newRow("0xE8 has no modifier name") << 0xE804 << "\nA" << MaterialColor::Black;
        QTest::newRow("0xEF has no modifier name") << 0xEF04 << "\nA" << MaterialColor::Black;
        QTest::newRow("macro 0") << 0x0200 << "Macro\n#00" << MaterialColor::Blue;
        QTest::newRow("macro 5") << 0x0205 << "Macro\n#05" << MaterialColor::Blue;
        QTest::newRow("macro 175") << 0x02AF << "Macro\n#175" << MaterialColor::Blue;
        QTest::newRow("macro 255") << 0x02FF << "Macro\n#255" << MaterialColor::Blue;
        QTest::newRow("media Mute") << 0x010C << "Media\nMute" << MaterialColor::Green;
        QTest::newRow("media without entry") << 0x0123 << "Media\n" << MaterialColor::Green;
        QTest::newRow("mouse L-Btn") << 0x0310 << "Mouse\nMouse L-Btn" << MaterialColor::Pink;
        QTest::newRow("mouse without entry") << 0x0304 << "Mouse\n" << MaterialColor::Pink;
        QTest::newRow("LED DAC0 Max") << 0x0401 << "LED\nDAC0\nMax" << MaterialColor::Orange;
        QTest::newRow("LED PWM2 toggle") << 0x0448 << "LED\nPWM2\ntoggle" << MaterialColor::Orange;
        QTest::newRow("high byte 0x1A") << 0x1A04 << "A" << MaterialColor::Black;
        QTest::newRow("high byte 0x05") << 0x0505 << "B" << MaterialColor::Black;
        QTest::newRow("high byte 0xF0") << 0xF004 << "A" << MaterialColor::Black;
        QTest::newRow("low byte without entry") << 0x00A5 << "" << MaterialColor::Black;
    }

    void cellDrawing()
    {
        QFETCH(int, value);
        QFETCH(QString, text);
        QFETCH(QColor, colour);
        for (int layer = 0; layer < MV100::LAYERS; ++layer) {
            // A cell drawn in another colour first shows that the colour is always set.
            m_window->setButton(layer, 7, 9, 0x0310);
            m_window->setButton(layer, 7, 9, static_cast<unsigned short>(value));
            QCOMPARE(matrix(layer)->buttonText(9, 7), text);
            const QString mismatch = colourMismatch(matrix(layer), 9, 7, colour);
            QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
            // Drawing alone leaves the configuration as it is.
            QCOMPARE(code(layer, 7, 9), 0xFFFF);
        }
    }

    void cellAddressing()
    {
        m_window->setButton(1, 3, 10, 0x0004);
        QCOMPARE(matrix(1)->buttonText(10, 3), QStringLiteral("A"));
        QCOMPARE(matrix(1)->buttonText(3, 10), QString());
        QCOMPARE(matrix(0)->buttonText(10, 3), QString());
        QCOMPARE(matrix(2)->buttonText(10, 3), QString());
        // Positions outside the matrix and unknown layers are ignored.
        m_window->setButton(3, 0, 0, 0x0004);
        m_window->setButton(-1, 0, 0, 0x0004);
        m_window->setButton(0, 16, 0, 0x0004);
        m_window->setButton(0, 0, 24, 0x0004);
        for (int layer = 0; layer < MV100::LAYERS; ++layer)
            QCOMPARE(matrix(layer)->buttonText(0, 0), QString());
    }

    void redrawAllCells()
    {
        for (int layer = 0; layer < MV100::LAYERS; ++layer) {
            for (int y = 0; y < MV100::ROWS; ++y)
                for (int x = 0; x < MV100::COLUMNS; ++x)
                    m_window->config().SetKeyCode(layer, x, y, 0x0200 + layer * 16 + x);
        }
        m_window->config().SetKeyCode(2, 15, 23, 0xE104);
        m_window->redrawAllCells();
        QCOMPARE(matrix(0)->buttonText(0, 0), QStringLiteral("Macro\n#00"));
        QCOMPARE(matrix(1)->buttonText(23, 15), QStringLiteral("Macro\n#31"));
        QCOMPARE(matrix(2)->buttonText(12, 4), QStringLiteral("Macro\n#36"));
        QCOMPARE(matrix(2)->buttonText(23, 15), QStringLiteral("L-Shift\nA"));
        const QString mismatch = colourMismatch(matrix(1), 5, 5, MaterialColor::Blue);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }

    void anyMouseButtonAssigns_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("left") << Qt::LeftButton;
        QTest::newRow("right") << Qt::RightButton;
        QTest::newRow("middle") << Qt::MiddleButton;
        QTest::newRow("back") << Qt::BackButton;
    }

    void anyMouseButtonAssigns()
    {
        QFETCH(Qt::MouseButton, button);
        Shown shown;
        answerButtonDialog({LEAVE, 2, 0x0004, true}, &shown);
        clickCell(0, 5, 3, button);
        QVERIFY(shown.shown);
        QCOMPARE(shown.coords, QStringLiteral("X:3 / Y:5 "));
        QCOMPARE(code(0, 3, 5), 0xE104);
        QCOMPARE(matrix(0)->buttonText(5, 3), QStringLiteral("L-Shift\nA"));
        const QString mismatch = colourMismatch(matrix(0), 5, 3, MaterialColor::Black);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        QVERIFY(m_window->hasUnsavedChanges());
    }

    // The dialog starts from the code at the clicked position (x = column, y = row).
    void dialogSeededFromCell()
    {
        put(2, 10, 4, 0x0207);
        put(2, 4, 10, 0x0004);
        m_window->setUnsavedChanges(false);
        Shown shown;
        answerButtonDialog({3, LEAVE, -1, false}, &shown);
        clickCell(2, 4, 10);
        QVERIFY(shown.shown);
        QCOMPARE(shown.coords, QStringLiteral("X:10 / Y:4 "));
        QCOMPARE(shown.macro, 8);
        QCOMPARE(shown.modifier, 0);
        QCOMPARE(shown.key, 0);
        // Cancel changes nothing, not even the flag.
        QCOMPARE(code(2, 10, 4), 0x0207);
        QCOMPARE(matrix(2)->buttonText(4, 10), QStringLiteral("Macro\n#07"));
        QVERIFY(!m_window->hasUnsavedChanges());
    }

    void macroChoice()
    {
        Shown shown;
        answerButtonDialog({8, 2, 0x0004, true}, &shown);
        clickCell(1, 0, 15);
        QVERIFY(shown.shown);
        QCOMPARE(code(1, 15, 0), 0x0207);
        QCOMPARE(matrix(1)->buttonText(0, 15), QStringLiteral("Macro\n#07"));
        const QString mismatch = colourMismatch(matrix(1), 0, 15, MaterialColor::Blue);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }

    void fnMirroring_data()
    {
        QTest::addColumn<int>("layer");
        QTest::addColumn<int>("modifier");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("mirror"); // layer that also receives the code, -1 none
        QTest::newRow("FN1 on Default") << 0 << 0 << 0x00FF << 1;
        QTest::newRow("Sticky FN1 on Default") << 0 << 0 << 0x00FB << 1;
        QTest::newRow("Locking FN1 on Default") << 0 << 0 << 0x00FD << 1;
        QTest::newRow("FN2 on Default") << 0 << 0 << 0x00FE << 2;
        QTest::newRow("Sticky FN2 on Default") << 0 << 0 << 0x00FA << 2;
        QTest::newRow("Locking FN2 on Default") << 0 << 0 << 0x00FC << 2;
        QTest::newRow("Counting FN on Default") << 0 << 0 << 0x00F9 << -1;
        QTest::newRow("L-Shift + FN1 on Default") << 0 << 2 << 0x00FF << -1;
        QTest::newRow("R-GUI + FN2 on Default") << 0 << 8 << 0x00FE << -1;
        QTest::newRow("FN1 on FN1") << 1 << 0 << 0x00FF << -1;
        QTest::newRow("FN1 on FN2") << 2 << 0 << 0x00FF << -1;
        QTest::newRow("FN2 on FN1") << 1 << 0 << 0x00FE << -1;
    }

    void fnMirroring()
    {
        QFETCH(int, layer);
        QFETCH(int, modifier);
        QFETCH(int, key);
        QFETCH(int, mirror);
        for (int l = 0; l < MV100::LAYERS; ++l)
            put(l, 3, 5, 0x0004);
        Shown shown;
        answerButtonDialog({0, modifier, key, true}, &shown);
        clickCell(layer, 5, 3);
        QVERIFY(shown.shown);

        const int stored = modifier == 0 ? key : (key | ((0xE0 + modifier - 1) << 8));
        for (int l = 0; l < MV100::LAYERS; ++l) {
            const bool gets = l == layer || l == mirror;
            QCOMPARE(code(l, 3, 5), gets ? stored : 0x0004);
            if (!gets)
                QCOMPARE(matrix(l)->buttonText(5, 3), QStringLiteral("A"));
        }
        if (mirror >= 0)
            QCOMPARE(matrix(mirror)->buttonText(5, 3), matrix(layer)->buttonText(5, 3));
        QVERIFY(!matrix(layer)->buttonText(5, 3).isEmpty());
    }

    void fnMirroringShowsName()
    {
        Shown shown;
        answerButtonDialog({0, 0, 0x00FF, true}, &shown);
        clickCell(0, 5, 3);
        QVERIFY(shown.shown);
        QCOMPARE(matrix(0)->buttonText(5, 3), QStringLiteral("FN1"));
        QCOMPARE(matrix(1)->buttonText(5, 3), QStringLiteral("FN1"));
        QCOMPARE(code(1, 3, 5), 0x00FF);
        QCOMPARE(matrix(2)->buttonText(5, 3), QString());
        QCOMPARE(code(2, 3, 5), 0xFFFF);
        // Only that one position of the FN1 layer is touched.
        QCOMPARE(code(1, 5, 3), 0xFFFF);
        QCOMPARE(matrix(1)->buttonText(3, 5), QString());
    }

    void refusedCombinationKeepsCell()
    {
        put(0, 1, 1, 0x0005);
        m_window->setUnsavedChanges(false);
        TestSupport::SeenBox box;
        bool shown = false;
        TestSupport::onNextModal([&box, &shown](QWidget *modal) {
            auto *dialog = qobject_cast<ButtonDialog *>(modal);
            if (dialog == nullptr) {
                modal->close();
                return;
            }
            shown = true;
            combo(dialog, "cmb_modifier")->setCurrentIndex(2);
            combo(dialog, "cmb_key")->setCurrentIndex(combo(dialog, "cmb_key")->findData(0x010D));
            TestSupport::answerNextBox(QStringLiteral("OK"), &box);
            dialog->findChild<QPushButton *>(QStringLiteral("btn_accept"))->click();
            dialog->findChild<QPushButton *>(QStringLiteral("btn_cancel"))->click();
        });
        clickCell(0, 1, 1);
        QVERIFY(shown);
        QVERIFY(box.seen);
        QCOMPARE(box.title, QStringLiteral("Warning"));
        QCOMPARE(code(0, 1, 1), 0x0005);
        QCOMPARE(matrix(0)->buttonText(1, 1), QStringLiteral("B"));
        QVERIFY(!m_window->hasUnsavedChanges());
    }

    void unsavedFlag_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("changed");
        QTest::newRow("OK without a change") << true << true;
        QTest::newRow("Cancel") << false << false;
    }

    void unsavedFlag()
    {
        QFETCH(bool, ok);
        QFETCH(bool, changed);
        QVERIFY(!m_window->hasUnsavedChanges());
        Shown shown;
        answerButtonDialog({LEAVE, LEAVE, -1, ok}, &shown);
        clickCell(0, 23, 15);
        QVERIFY(shown.shown);
        QCOMPARE(m_window->hasUnsavedChanges(), changed);
        QCOMPARE(code(0, 15, 23), 0xFFFF);
        QCOMPARE(matrix(0)->buttonText(23, 15), QString());
    }

    void clearTable_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("layer");
        QTest::newRow("Default") << "actionDefault" << 0;
        QTest::newRow("FN1") << "actionFN1" << 1;
        QTest::newRow("FN2") << "actionFN2" << 2;
    }

    void clearTable()
    {
        QFETCH(QString, action);
        QFETCH(int, layer);
        fillAll(0x0205);
        unsigned char macro[MV100::MACRO_SIZE];
        std::fill(std::begin(macro), std::end(macro), 0x11);
        m_window->config().SetMacro(4, macro);
        child<QSpinBox>(QStringLiteral("spin_debounce"))->setValue(7);
        m_window->setUnsavedChanges(false);

        // No question is asked: any box that shows up is noted and closed.
        bool boxSeen = false;
        QTimer boxWatch;
        connect(&boxWatch, &QTimer::timeout, this, [&boxSeen]() {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                boxSeen = true;
                modal->close();
            }
        });
        boxWatch.start(10);
        auto *trigger = child<QAction>(action);
        QVERIFY(trigger != nullptr);
        QVERIFY(trigger->isEnabled());
        trigger->trigger();
        boxWatch.stop();
        QVERIFY(!boxSeen);

        const QString empty = layerEmpty(layer);
        QVERIFY2(empty.isEmpty(), qPrintable(empty));
        // The colours go too: a text put into a cleared cell is black again.
        matrix(layer)->setButtonText(6, 6, QStringLiteral("WM"));
        QString mismatch = inkMismatch(matrix(layer), 6, 6, MaterialColor::Black);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        for (int other = 0; other < MV100::LAYERS; ++other) {
            if (other == layer)
                continue;
            const QString held = layerHolds(other, 0x0205, QStringLiteral("Macro\n#05"));
            QVERIFY2(held.isEmpty(), qPrintable(held));
            mismatch = inkMismatch(matrix(other), 6, 6, MaterialColor::Blue);
            QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        }
        unsigned char kept[MV100::MACRO_SIZE];
        m_window->config().GetMacro(4, kept);
        QVERIFY(std::equal(std::begin(kept), std::end(kept), std::begin(macro)));
        QCOMPARE(child<QSpinBox>(QStringLiteral("spin_debounce"))->value(), 7);
        // Throwing a layer away is an unsaved change.
        QVERIFY(m_window->hasUnsavedChanges());
    }

    void clearResetsEverything()
    {
        fillAll(0x0401);
        unsigned char macro[MV100::MACRO_SIZE];
        std::fill(std::begin(macro), std::end(macro), 0x22);
        m_window->config().SetMacro(175, macro);

        child<QLineEdit>(QStringLiteral("main_edit_pin"))
            ->setText(QStringLiteral("0011223344556677"));
        child<QComboBox>(QStringLiteral("main_cmb_lock"))->setCurrentIndex(1);
        child<QComboBox>(QStringLiteral("mouse_cmb_function"))->setCurrentIndex(0);
        const QStringList mouseBoxes
            = {"mouse_chk_opt_analog",   "mouse_chk_opt_optical",  "mouse_chk_opt_center",
               "mouse_chk_opt_range",    "mouse_chk_opt_reduce",   "mouse_chk_opt_invert_x",
               "mouse_chk_opt_invert_y", "mouse_chk_opt_invert_z", "mouse_chk_balistic_x",
               "mouse_chk_balistic_y",   "mouse_chk_balistic_z",   "mouse_chk_balistic_z_slow"};
        for (const QString &name : mouseBoxes)
            child<QCheckBox>(name)->setChecked(true);
        const QStringList mouseSpins
            = {"mouse_spin_min", "mouse_spin_max", "mouse_spin_dead_xy", "mouse_spin_dead_z"};
        for (const QString &name : mouseSpins)
            child<QSpinBox>(name)->setValue(99);
        for (int i = 0; i < 8; ++i)
            child<QSpinBox>(QStringLiteral("mouse_spin_balistic_%1").arg(i))->setValue(99);
        child<QLineEdit>(QStringLiteral("custom_edit"))->setText(QStringLiteral("0123"));
        child<QComboBox>(QStringLiteral("lockkeys_cmb_fn1"))->setCurrentIndex(2);
        child<QComboBox>(QStringLiteral("lockkeys_cmb_fn2"))->setCurrentIndex(5);
        child<QLineEdit>(QStringLiteral("pin_edit_pin"))->setText(QStringLiteral("ABCDEF"));
        const QStringList backlight = {"init", "step", "flags"};
        for (const QString &kind : backlight) {
            for (int i = 0; i < 5; ++i)
                child<QSpinBox>(QStringLiteral("backlight_spin_%1_%2").arg(kind).arg(i))
                    ->setValue(1);
        }
        const QStringList ledBoxes = {"ctrl", "shift", "alt", "gui"};
        for (int n = 0; n < 8; ++n) {
            child<QComboBox>(QStringLiteral("led_cmb_function_%1").arg(n))->setCurrentIndex(8);
            for (const QString &box : ledBoxes)
                child<QCheckBox>(QStringLiteral("led_chk_%1_%2").arg(box).arg(n))->setChecked(true);
        }
        child<QSpinBox>(QStringLiteral("spin_debounce"))->setValue(9);
        child<QLabel>(QStringLiteral("info_label_vid"))->setText(QStringLiteral("0x07C0 (1984)"));
        m_window->setUnsavedChanges(true);

        m_window->Clear();

        const QString pin = QStringLiteral("3C9A71E04B5D28F6");
        QCOMPARE(child<QLineEdit>(QStringLiteral("main_edit_pin"))->text(), pin);
        QCOMPARE(child<QComboBox>(QStringLiteral("main_cmb_lock"))->currentIndex(), 0);
        QCOMPARE(child<QComboBox>(QStringLiteral("mouse_cmb_function"))->currentIndex(), 3);
        for (const QString &name : mouseBoxes)
            QVERIFY2(!child<QCheckBox>(name)->isChecked(), qPrintable(name));
        const int axes[] = {60, 185, 30, 10};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(child<QSpinBox>(mouseSpins.at(i))->value(), axes[i]);
        const int ballistic[] = {3, 5, 8, 10, 13, 15, 18, 20};
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(child<QSpinBox>(QStringLiteral("mouse_spin_balistic_%1").arg(i))->value(),
                     ballistic[i]);
        }
        QCOMPARE(child<QLineEdit>(QStringLiteral("custom_edit"))->text(),
                 QString(32, QLatin1Char('F')));
        QCOMPARE(child<QComboBox>(QStringLiteral("lockkeys_cmb_fn1"))->currentIndex(), 0);
        QCOMPARE(child<QComboBox>(QStringLiteral("lockkeys_cmb_fn2"))->currentIndex(), 0);
        QCOMPARE(child<QLineEdit>(QStringLiteral("pin_edit_pin"))->text(), pin);
        for (const QString &kind : backlight) {
            for (int i = 0; i < 5; ++i) {
                const QString name = QStringLiteral("backlight_spin_%1_%2").arg(kind).arg(i);
                QVERIFY2(child<QSpinBox>(name)->value() == 0, qPrintable(name));
            }
        }
        for (int n = 0; n < 8; ++n) {
            auto *function = child<QComboBox>(QStringLiteral("led_cmb_function_%1").arg(n));
            QCOMPARE(function->currentIndex(), 10);
            QCOMPARE(function->currentText(), QStringLiteral("Off, LED not used"));
            for (const QString &box : ledBoxes) {
                auto *check = child<QCheckBox>(QStringLiteral("led_chk_%1_%2").arg(box).arg(n));
                QVERIFY(!check->isChecked());
                QVERIFY(!check->isEnabled());
            }
        }
        QCOMPARE(child<QSpinBox>(QStringLiteral("spin_debounce"))->value(), 3);
        // The device info stays until New clears it.
        QCOMPARE(child<QLabel>(QStringLiteral("info_label_vid"))->text(),
                 QStringLiteral("0x07C0 (1984)"));

        for (int layer = 0; layer < MV100::LAYERS; ++layer) {
            const QString empty = layerEmpty(layer);
            QVERIFY2(empty.isEmpty(), qPrintable(empty));
            matrix(layer)->setButtonText(2, 2, QStringLiteral("WM"));
            const QString mismatch = inkMismatch(matrix(layer), 2, 2, MaterialColor::Black);
            QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        }
        unsigned char slot[MV100::MACRO_SIZE];
        m_window->config().GetMacro(175, slot);
        QVERIFY(std::all_of(std::begin(slot), std::end(slot),
                            [](unsigned char b) { return b == 0xFF; }));
        QVERIFY(!m_window->hasUnsavedChanges());
    }

    // Filling a whole layer costs one repaint of its matrix, not one per cell.
    void fillingALayerPaintsOnce()
    {
        child<QTabWidget>(QStringLiteral("tabWidget"))->setCurrentIndex(1);
        KeyMatrixWidget *m = matrix(1);
        QTRY_VERIFY(m->isVisible());
        QTest::qWait(20);
        PaintCounter counter;
        m->installEventFilter(&counter);
        for (int y = 0; y < MV100::ROWS; ++y)
            for (int x = 0; x < MV100::COLUMNS; ++x)
                m_window->setButton(1, x, y, static_cast<unsigned short>(0x0004 + x));
        QCOMPARE(counter.paints, 0);
        QTRY_VERIFY(counter.paints >= 1);
        QTest::qWait(30);
        QCOMPARE(counter.paints, 1);
        m->removeEventFilter(&counter);
    }
};

QTEST_MAIN(TestKeyTabs)
#include "tst_keytabs.moc"
