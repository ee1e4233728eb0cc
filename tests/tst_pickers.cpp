// Tests of the macro cell pickers: preselection, the refused "None" key, code composition, Cancel.
#include "KeySelectDialog.h"
#include "KeySelectExtDialog.h"
#include "TestSupport.h"

#include <QTest>
#include <QtWidgets>

class TestPickers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { TestSupport::closeAllModals(); }

    void pick_data()
    {
        // Seeds above 0xFF go to KeySelectExtDialog. "modifier/key" rows: 2 L-Shift, 6 R-Shift,
        // 8 R-GUI; keys 1 "Keyboard a and A", 37 "Keyboard Return"; 0 None. Code = seed: refused.
        QTest::addColumn<int>("seed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("code");
        QTest::newRow("0xFF: None") << 0xFF << "-1/0" << QString("-1/0") << 0xFF;
        QTest::newRow("0x04") << 0x04 << "-1/1" << QString("-1/37") << 0x28;
        QTest::newRow("0xA5: None") << 0xA5 << "-1/0" << QString("-1/1") << 0x04;
        QTest::newRow("0xE528") << 0xE528 << "6/37" << QString("2/1") << 0xE104;
        QTest::newRow("0x7728: no modifier") << 0x7728 << "0/37" << QString("0/37") << 0x0028;
        QTest::newRow("R-GUI, no key") << 0xE104 << "2/1" << QString("8/0") << 0xE104;
    }

    void pick()
    {
        QFETCH(int, seed);
        QFETCH(QString, shown);
        QFETCH(QString, chosen);
        QFETCH(int, code);
        KeySelectDialog keyDialog;
        KeySelectExtDialog extDialog;
        keyDialog.setUsbCode(uchar(seed));
        extDialog.setUsbCode(ushort(seed));
        QDialog *dialog = seed > 0xFF ? static_cast<QDialog *>(&extDialog) : &keyDialog;
        dialog->show(); // preselects
        QComboBox *modifiers = dialog->findChild<QComboBox *>("cmb_modifier");
        QComboBox *keys = dialog->findChild<QComboBox *>("cmb_key");
        const int modifierRow = modifiers != nullptr ? modifiers->currentIndex() : -1;
        QCOMPARE(QString("%1/%2").arg(modifierRow).arg(keys->currentIndex()), shown);
        if (modifiers != nullptr)
            modifiers->setCurrentIndex(chosen.section('/', 0, 0).toInt());
        keys->setCurrentIndex(chosen.section('/', 1).toInt());

        const bool refused = code == seed;
        TestSupport::SeenBox box;
        TestSupport::answerNextBox("OK", &box);
        dialog->findChild<QPushButton *>("btn_ok")->click();
        QCOMPARE(box.seen ? box.title + ": " + box.text : QString(),
                 refused ? "Warning: Please select a key." : QString());
        QCOMPARE(dialog->isVisible(), refused);
        if (refused)
            dialog->findChild<QPushButton *>("btn_cancel")->click();
        QCOMPARE(dialog->result(), int(refused ? QDialog::Rejected : QDialog::Accepted));
        QCOMPARE(int(seed > 0xFF ? extDialog.usbCode() : keyDialog.usbCode()), code);
    }
};

QTEST_MAIN(TestPickers)
#include "tst_pickers.moc"
