// Tests of the key layer tabs: cell drawing, the key dialog, clicks, Clear Table, Clear, the flag.
#include "ButtonDialog.h"
#include "KeyMatrixWidget.h"
#include "MainWindow.h"
#include "MaterialColor.h"
#include "TestSupport.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

using namespace MaterialColor;

class TestKeyTabs : public QObject
{
    Q_OBJECT
    std::unique_ptr<MainWindow> m_window;

    static QComboBox *combo(QObject *d, const char *n) { return d->findChild<QComboBox *>(n); }
    KeyMatrixWidget *matrix(int layer) const { return m_window->matrix(layer); }
    int code(int layer, int x, int y) const
    {
        return m_window->configuration().keyCode(layer, x, y);
    }
    QString text(int layer, int x, int y) const { return matrix(layer)->buttonText(y, x); }
    // Whether cell x, y shows its text in colour: setting that colour again changes no pixel.
    bool inkIs(int layer, int x, int y, const QColor &colour) const
    {
        const QImage before = matrix(layer)->grab().toImage();
        matrix(layer)->setButtonTextColor(y, x, colour);
        return matrix(layer)->grab().toImage() == before;
    }

private slots:
    void init()
    {
        QTest::failOnWarning(QRegularExpression("QMetaObject::connectSlotsByName"));
        m_window = std::make_unique<MainWindow>();
    }
    void cleanup() { TestSupport::closeAllModals(); }

    void cellDrawing()
    {
        // clang-format off
        const struct { int code; const char *text; QColor colour; } rows[] = {
            {0xFFFF, "", Black}, {0x00A5, "", Black}, {0xE104, "L-Shift\nA", Black},
            {0xE804, "\nA", Black}, {0x0205, "Macro\n#05", Blue}, {0x02AF, "Macro\n#175", Blue},
            {0x010C, "Media\nMute", Green}, {0x0123, "Media\n", Green}, {0x1A04, "A", Black},
            {0x0310, "Mouse\nMouse L-Btn", Pink}, {0x0401, "LED\nDAC0\nMax", Orange}};
        // clang-format on
        for (const auto &r : rows) {
            m_window->setButton(1, 3, 10, 0x0310); // pink first: every code sets its colour
            m_window->setButton(1, 3, 10, static_cast<unsigned short>(r.code));
            QCOMPARE(text(1, 3, 10), r.text);
            QVERIFY2(inkIs(1, 3, 10, r.colour), r.text);
        }
    }

    void dialogLists()
    {
        // The key list itself is checked in tst_buttondialog; the codes of the lists in dialogOk.
        ButtonDialog dialog(3, 10, 0xFFFF);
        QComboBox *macros = combo(&dialog, "cmb_macro");
        QCOMPARE(QStringList({dialog.findChild<QLabel *>("label_coords")->text(),
                              macros->itemText(13), macros->itemText(176)}),
                 QStringList({"X:3 / Y:10 ", "Macro #  12", "Macro # 175"}));
    }

    // Seed; items chosen (macro -1: preselection kept); code from OK, or -1: refused, then Cancel.
    void dialogOk()
    {
        // clang-format off
        const int rows[][5] = {
            {0xFFFF, -1, 0, 0, 0xFFFF}, {0x0207, -1, 0, 0, 0x0207}, {0x02B0, -1, 0, 0, 0xFFFF},
            {0x02AF, -1, 0, 0, 0x02AF}, {0x010C, -1, 0, 0, 0x010C}, {0x0123, -1, 0, 0, 0xFFFF},
            {0x0310, -1, 0, 0, 0x0310}, {0x0448, -1, 0, 0, 0x0448}, {0x0504, -1, 0, 0, 0xFFFF},
            {0xE7FF, -1, 0, 0, 0xE7FF}, {0xE804, -1, 0, 0, 0x0004}, {0x00A5, -1, 0, 0, 0xFFFF},
            {0xFFFF, 8, 2, 0x0004, 0x0207}, {0xFFFF, 1, 2, 0x010D, 0x0200},
            {0xFFFF, 0, 2, 0x0004, 0xE104}, {0x0205, 0, 0, 0x0005, 0x0005},
            {0xFFFF, 0, 0, 0x010D, 0x010D}, {0xE104, 0, 2, 0xFFFF, 0xFFFF},
            {0xE104, 0, 2, 0x010D, -1}, {0xE104, 0, 8, 0x0448, -1}};
        // clang-format on
        for (const auto &r : rows) {
            ButtonDialog dialog(0, 0, static_cast<unsigned short>(r[0]));
            dialog.show();
            QComboBox *keys = combo(&dialog, "cmb_key"), *mods = combo(&dialog, "cmb_modifier");
            if (r[1] >= 0) {
                combo(&dialog, "cmb_macro")->setCurrentIndex(r[1]);
                mods->setCurrentIndex(r[2]);
                keys->setCurrentIndex(keys->findData(r[3]));
            }
            TestSupport::SeenBox box;
            TestSupport::answerNextBox("OK", &box);
            dialog.findChild<QPushButton *>("btn_accept")->click();
            TestSupport::cancelPendingAnswers();
            const bool refused = r[4] == -1;
            if (refused) {
                QCOMPARE(box.title + ": " + box.text,
                         "Warning: Modifier keys and special keys for media control, mouse or LED "
                         "outputs can not used at the same time.");
                QVERIFY(dialog.isVisible() && mods->currentIndex() == r[2]);
                QCOMPARE(keys->currentData(), r[3]);
                dialog.findChild<QPushButton *>("btn_cancel")->click();
            }
            QCOMPARE(QString::asprintf("%04X %d %d %d %04X", r[0], box.seen, dialog.isVisible(),
                                       dialog.result(), dialog.m_code),
                     QString::asprintf("%04X %d 0 %d %04X", r[0], refused, !refused,
                                       refused ? r[0] : r[4]));
        }
    }

    // A click on cell x, y holding macro 7 opens the dialog on it, which returns code by OK/Cancel.
    void clicks()
    {
        // clang-format off
        const struct { int layer, code; bool ok; const char *text; int mirror; } rows[] = {
            {0, 0x00FF, true, "FN1", 1}, {0, 0x00FC, true, "Lock FN2", 2},
            {0, 0xE1FF, true, "L-Shift\nFN1", -1}, {2, 0x00FF, true, "FN1", -1},
            {1, 0x0004, false, "", -1}};
        // clang-format on
        for (int x = 0; x < 5; ++x) {
            const auto &r = rows[x];
            m_window->document().setCells({{r.layer, x, 5, 0x0207}}, "macro 7");
            m_window->document().markSaved(QString());
            const Mv100Config before = m_window->configuration();
            int seen = 0;
            TestSupport::onNextModal([&](QWidget *modal) {
                auto *dialog = qobject_cast<ButtonDialog *>(modal);
                seen = std::exchange(dialog->m_code, static_cast<unsigned short>(r.code));
                r.ok ? dialog->accept() : dialog->reject();
            });
            int w = 0, h = 0;
            matrix(r.layer)->calcActualCellSize(w, h);
            QTest::mouseClick(matrix(r.layer), x % 2 ? Qt::RightButton : Qt::LeftButton, {},
                              matrix(r.layer)->cellRect(5, x, w, h).center());
            QCOMPARE(seen, 0x0207);
            for (int l = 0; l < 3; ++l) {
                const bool gets = l == r.layer || l == r.mirror;
                QCOMPARE(code(l, x, 5), !gets ? 0xFFFF : r.ok ? r.code : 0x0207);
                QCOMPARE(text(l, x, 5), !gets ? "" : r.ok ? r.text : "Macro\n#07");
            }
            QCOMPARE(m_window->hasUnsavedChanges(), r.ok);
            if (!r.ok)
                continue;
            // One undo takes back the assignment and its FN mirror, cells and texts alike.
            QAction *undo = m_window->findChild<QAction *>("actionUndo");
            QCOMPARE(undo->text().remove('&'), QString("Undo Assign X%1/Y5").arg(x));
            undo->trigger();
            QVERIFY(m_window->configuration() == before && !m_window->hasUnsavedChanges());
            for (int l = 0; l < 3; ++l)
                QCOMPARE(text(l, x, 5), l == r.layer ? "Macro\n#07" : "");
            m_window->findChild<QAction *>("actionRedo")->trigger();
            QCOMPARE(code(r.layer, x, 5), r.code);
        }
    }

    // Over the settings lines of a file and macro 5 in every cell, Options > Clear Table empties
    // one layer and leaves the rest; Clear (layer 3) resets all.
    void clearing()
    {
        const QList<QString> settings
            = QString("0123456789ABCDEF 00112233445566778899AABBCCDDEEFF "
                      "52 03C501FE0709096465666768696A6B "
                      "0A0B0C0D0EC8C9CACBCC0001000100 293201101100FF05 01 2A")
                  .split(' ');
        const QList<QString> blocks(MV100::BLOCK_COUNT, QString("0502").repeated(16));
        const char *actions[] = {"actionDefault", "actionFN1", "actionFN2"};
        for (int layer = 0; layer < 4; ++layer) {
            m_window->SetItems(settings.mid(0, 7) + blocks + settings.mid(7));
            const Mv100Config loaded = m_window->configuration();
            layer < 3 ? m_window->findChild<QAction *>(actions[layer])->trigger()
                      : m_window->Clear();
            // Clear leaves what a new window shows; Clear Table leaves the settings alone.
            const QList<QString> items = m_window->GetItems();
            QCOMPARE(layer < 3 ? items.mid(0, 7) + items.mid(255) : items,
                     layer < 3 ? settings : MainWindow().GetItems());
            QCOMPARE(m_window->findChild<QWidget *>("pin_edit_pin")->property("text"),
                     layer < 3 ? settings[0] : "3C9A71E04B5D28F6");
            for (int l = 0; l < 3; ++l) {
                const bool cleared = l == layer || layer == 3;
                QCOMPARE(code(l, 15, 23), cleared ? 0xFFFF : 0x0205);
                QCOMPARE(text(l, 15, 23), cleared ? "" : "Macro\n#05");
            }
            QCOMPARE(m_window->hasUnsavedChanges(), layer < 3); // a thrown-away layer is a change
            if (layer == 3) // Clear starts a new history
                QVERIFY(!m_window->document().undoStack()->canUndo());
            else {
                m_window->document().undoStack()->undo();
                QVERIFY(m_window->configuration() == loaded && !m_window->hasUnsavedChanges());
                QCOMPARE(text(layer, 15, 23), "Macro\n#05");
            }
        }
    }
};

QTEST_MAIN(TestKeyTabs)
#include "tst_keytabs.moc"
