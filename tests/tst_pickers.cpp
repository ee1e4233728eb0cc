// Tests of the macro cell pickers: preselection, the refused "None" key, code composition, Cancel.
#include "KeySelectDialog.h"
#include "KeySelectExtDialog.h"
#include "TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

namespace {

constexpr int ROW_NONE = 0;
constexpr int ROW_A = 1; // "Keyboard a and A", 0x04
constexpr int ROW_RETURN = 37; // "Keyboard Return", 0x28
constexpr int ROW_KP_RETURN = 155; // the second "Keyboard Return", 0x9E
constexpr int ROW_R_GUI_KEY = 215; // the last row, 0xE7

constexpr int MOD_NONE = 0;
constexpr int MOD_L_SHIFT = 2;
constexpr int MOD_R_SHIFT = 6;
constexpr int MOD_R_GUI = 8;

// What a picker showed when it opened, and what the warning box said if one came up.
struct PickerRun
{
    bool opened = false;
    int modifierRow = -1;
    int keyRow = -1;
    bool warned = false;
    QString warningTitle;
    QString warningText;
    QMessageBox::StandardButtons warningButtons;
    bool openAfterWarning = false;
};

QComboBox *combo(QWidget *dialog, const char *name)
{
    return dialog->findChild<QComboBox *>(QLatin1String(name));
}

void click(QWidget *dialog, const char *name)
{
    if (auto *button = dialog->findChild<QPushButton *>(QLatin1String(name)))
        button->click();
}

// While it lives, records any message box that comes up over `own` and closes it with OK.
// Scoped, so that a box that never came cannot catch a later test's dialog.
class WarningAnswerer
{
public:
    WarningAnswerer(QWidget *own, PickerRun *run)
        : m_own(own)
        , m_run(run)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this]() {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal == nullptr || modal == m_own || !modal->isVisible())
                return;
            auto *box = qobject_cast<QMessageBox *>(modal);
            if (box == nullptr) {
                modal->close();
                return;
            }
            m_run->warned = true;
            m_run->warningTitle = box->windowTitle();
            m_run->warningText = box->text();
            m_run->warningButtons = box->standardButtons();
            if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                ok->click();
            else
                box->reject();
        });
        m_timer.start();
    }

private:
    QWidget *m_own;
    PickerRun *m_run;
    QTimer m_timer;
};

// Operates the next picker: records its preselection, selects the rows (-1 keeps one) and
// presses OK (warning boxes answered) and then Cancel if it is still open, or Cancel at once.
void operatePicker(PickerRun *run, int modifierRow, int keyRow, bool pressOk)
{
    TestSupport::onNextModal([=](QWidget *modal) {
        auto *dialog = qobject_cast<QDialog *>(modal);
        if (dialog == nullptr) {
            modal->close();
            return;
        }
        run->opened = true;
        if (QComboBox *modifier = combo(dialog, "cmb_modifier"))
            run->modifierRow = modifier->currentIndex();
        if (QComboBox *key = combo(dialog, "cmb_key"))
            run->keyRow = key->currentIndex();
        if (modifierRow >= 0 && combo(dialog, "cmb_modifier") != nullptr)
            combo(dialog, "cmb_modifier")->setCurrentIndex(modifierRow);
        if (keyRow >= 0 && combo(dialog, "cmb_key") != nullptr)
            combo(dialog, "cmb_key")->setCurrentIndex(keyRow);
        if (pressOk) {
            const WarningAnswerer answerer(dialog, run);
            click(dialog, "btn_ok");
            if (!dialog->isVisible())
                return;
            run->openAfterWarning = true;
        }
        click(dialog, "btn_cancel");
        if (dialog->isVisible())
            dialog->reject();
    });
}

} // namespace

class TestPickers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void formsAreFixedAndTitled();
    void listsFollowTheTables();
    void keyPreselection_data();
    void keyPreselection();
    void extPreselection_data();
    void extPreselection();
    void keyOkYieldsChosenCode();
    void extOkComposesCode_data();
    void extOkComposesCode();
    void noneIsRefused_data();
    void noneIsRefused();
    void cancelKeepsSeed_data();
    void cancelKeepsSeed();
};

void TestPickers::init()
{
    QTest::failOnWarning(QRegularExpression("QMetaObject::connectSlotsByName"));
}

void TestPickers::cleanup()
{
    TestSupport::closeAllModals();
}

void TestPickers::formsAreFixedAndTitled()
{
    KeySelectDialog keyDialog;
    QCOMPARE(keyDialog.objectName(), QString("KeySelectDialog"));
    QCOMPARE(keyDialog.windowTitle(), QString("Select a key"));
    QVERIFY(!keyDialog.windowIcon().isNull());
    QVERIFY(keyDialog.layout() != nullptr);
    QCOMPARE(keyDialog.layout()->sizeConstraint(), QLayout::SetFixedSize);
    keyDialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&keyDialog));
    QCOMPARE(keyDialog.minimumSize(), keyDialog.maximumSize());
    QCOMPARE(keyDialog.findChild<QPushButton *>("btn_ok")->text(), QString("OK"));
    QCOMPARE(keyDialog.findChild<QPushButton *>("btn_cancel")->text(), QString("Cancel"));

    KeySelectExtDialog extDialog;
    QCOMPARE(extDialog.objectName(), QString("KeySelectExtDialog"));
    QCOMPARE(extDialog.windowTitle(), QString("Cell Extended 16Bit"));
    QVERIFY(extDialog.layout() != nullptr);
    QCOMPARE(extDialog.layout()->sizeConstraint(), QLayout::SetFixedSize);
    extDialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&extDialog));
    QCOMPARE(extDialog.minimumSize(), extDialog.maximumSize());
}

void TestPickers::listsFollowTheTables()
{
    KeySelectDialog keyDialog;
    KeySelectExtDialog extDialog;
    for (QComboBox *keys : {combo(&keyDialog, "cmb_key"), combo(&extDialog, "cmb_key")}) {
        QVERIFY(keys != nullptr);
        QCOMPARE(keys->count(), 216);
        QCOMPARE(keys->itemText(ROW_NONE), QString("None"));
        QCOMPARE(keys->itemText(ROW_A), QString("Keyboard a and A"));
        QCOMPARE(keys->itemText(ROW_RETURN), QString("Keyboard Return"));
        QCOMPARE(keys->itemData(ROW_NONE).toInt(), 0xFFFF);
        QCOMPARE(keys->itemData(ROW_RETURN).toInt(), 0x28);
        QCOMPARE(keys->itemData(ROW_R_GUI_KEY).toInt(), 0xE7);
    }
    QComboBox *modifiers = combo(&extDialog, "cmb_modifier");
    QVERIFY(modifiers != nullptr);
    const QStringList names
        = {"None", "L-CTRL", "L-Shift", "L-ALT", "L-GUI", "R-CTRL", "R-Shift", "R-ALT", "R-GUI"};
    QCOMPARE(modifiers->count(), names.size());
    for (int row = 0; row < names.size(); ++row) {
        QCOMPARE(modifiers->itemText(row), names.at(row));
        QCOMPARE(modifiers->itemData(row).toInt(), row == 0 ? 0 : 0xE0 + row - 1);
    }
}

void TestPickers::keyPreselection_data()
{
    QTest::addColumn<int>("seed");
    QTest::addColumn<int>("row");
    QTest::newRow("0xFF empty") << 0xFF << ROW_NONE;
    QTest::newRow("0x00 empty") << 0x00 << ROW_NONE;
    QTest::newRow("0x04 a") << 0x04 << ROW_A;
    QTest::newRow("0x28 Return") << 0x28 << ROW_RETURN;
    QTest::newRow("0x9E second Return") << 0x9E << ROW_KP_RETURN;
    QTest::newRow("0xE7 last row") << 0xE7 << ROW_R_GUI_KEY;
    QTest::newRow("0xA5 unknown") << 0xA5 << ROW_NONE;
    QTest::newRow("0x01 unknown") << 0x01 << ROW_NONE;
}

void TestPickers::keyPreselection()
{
    QFETCH(int, seed);
    QFETCH(int, row);
    KeySelectDialog dialog;
    // A selection left from before must not survive: the seed decides on every show.
    combo(&dialog, "cmb_key")->setCurrentIndex(100);
    dialog.setUsbCode(static_cast<unsigned char>(seed));
    PickerRun run;
    operatePicker(&run, -1, -1, false);
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY(run.opened);
    QCOMPARE(run.keyRow, row);
}

void TestPickers::extPreselection_data()
{
    QTest::addColumn<int>("seed");
    QTest::addColumn<int>("modifierRow");
    QTest::addColumn<int>("keyRow");
    QTest::newRow("0xE528 R-Shift Return") << 0xE528 << MOD_R_SHIFT << ROW_RETURN;
    QTest::newRow("0x7728 no modifier") << 0x7728 << MOD_NONE << ROW_RETURN;
    QTest::newRow("0x00FF empty") << 0x00FF << MOD_NONE << ROW_NONE;
    QTest::newRow("0x0000 empty") << 0x0000 << MOD_NONE << ROW_NONE;
    QTest::newRow("0xFFFF empty") << 0xFFFF << MOD_NONE << ROW_NONE;
    QTest::newRow("0xE104 L-Shift a") << 0xE104 << MOD_L_SHIFT << ROW_A;
    QTest::newRow("0xE7FF modifier only") << 0xE7FF << MOD_R_GUI << ROW_NONE;
    QTest::newRow("0x00A5 unknown key") << 0x00A5 << MOD_NONE << ROW_NONE;
}

void TestPickers::extPreselection()
{
    QFETCH(int, seed);
    QFETCH(int, modifierRow);
    QFETCH(int, keyRow);
    KeySelectExtDialog dialog;
    combo(&dialog, "cmb_modifier")->setCurrentIndex(3);
    combo(&dialog, "cmb_key")->setCurrentIndex(100);
    dialog.setUsbCode(static_cast<unsigned short>(seed));
    PickerRun run;
    operatePicker(&run, -1, -1, false);
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY(run.opened);
    QCOMPARE(run.modifierRow, modifierRow);
    QCOMPARE(run.keyRow, keyRow);
}

void TestPickers::keyOkYieldsChosenCode()
{
    KeySelectDialog dialog;
    dialog.setUsbCode(0x04);
    PickerRun run;
    operatePicker(&run, -1, ROW_RETURN, true);
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QVERIFY(!run.warned);
    QCOMPARE(dialog.usbCode(), 0x28);
}

void TestPickers::extOkComposesCode_data()
{
    QTest::addColumn<int>("modifierRow");
    QTest::addColumn<int>("keyRow");
    QTest::addColumn<int>("code");
    QTest::newRow("L-Shift + a") << MOD_L_SHIFT << ROW_A << 0xE104;
    QTest::newRow("None + Return") << MOD_NONE << ROW_RETURN << 0x0028;
    QTest::newRow("R-GUI + second Return") << MOD_R_GUI << ROW_KP_RETURN << 0xE79E;
    QTest::newRow("R-Shift + R-GUI key") << MOD_R_SHIFT << ROW_R_GUI_KEY << 0xE5E7;
}

void TestPickers::extOkComposesCode()
{
    QFETCH(int, modifierRow);
    QFETCH(int, keyRow);
    QFETCH(int, code);
    KeySelectExtDialog dialog;
    dialog.setUsbCode(0xE22C);
    PickerRun run;
    operatePicker(&run, modifierRow, keyRow, true);
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QVERIFY(!run.warned);
    QCOMPARE(int(dialog.usbCode()), code);
}

void TestPickers::noneIsRefused_data()
{
    QTest::addColumn<bool>("extended");
    QTest::addColumn<int>("seed");
    QTest::addColumn<int>("modifierRow");
    QTest::newRow("key, opened on None") << false << 0xFF << -1;
    QTest::newRow("key, None chosen") << false << 0x04 << -1;
    QTest::newRow("ext, R-GUI without key") << true << 0xE104 << MOD_R_GUI;
    QTest::newRow("ext, empty cell") << true << 0x00FF << -1;
}

void TestPickers::noneIsRefused()
{
    QFETCH(bool, extended);
    QFETCH(int, seed);
    QFETCH(int, modifierRow);
    KeySelectDialog keyDialog;
    KeySelectExtDialog extDialog;
    QDialog *dialog = extended ? static_cast<QDialog *>(&extDialog) : &keyDialog;
    keyDialog.setUsbCode(static_cast<unsigned char>(seed));
    extDialog.setUsbCode(static_cast<unsigned short>(seed));

    PickerRun run;
    operatePicker(&run, modifierRow, ROW_NONE, true);
    QCOMPARE(dialog->exec(), int(QDialog::Rejected));
    QVERIFY(run.warned);
    QCOMPARE(run.warningTitle, QString("Warning"));
    QCOMPARE(run.warningText, QString("Please select a key."));
    QCOMPARE(run.warningButtons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(run.openAfterWarning);
    // The refusal stored nothing: Cancel afterwards still reports the seed.
    QCOMPARE(int(extended ? extDialog.usbCode() : keyDialog.usbCode()), seed);
}

void TestPickers::cancelKeepsSeed_data()
{
    QTest::addColumn<bool>("extended");
    QTest::addColumn<int>("seed");
    QTest::newRow("key") << false << 0x04;
    QTest::newRow("key, empty") << false << 0xFF;
    QTest::newRow("ext") << true << 0xE528;
    QTest::newRow("ext, unknown modifier") << true << 0x7728;
}

void TestPickers::cancelKeepsSeed()
{
    QFETCH(bool, extended);
    QFETCH(int, seed);
    KeySelectDialog keyDialog;
    KeySelectExtDialog extDialog;
    QDialog *dialog = extended ? static_cast<QDialog *>(&extDialog) : &keyDialog;
    keyDialog.setUsbCode(static_cast<unsigned char>(seed));
    extDialog.setUsbCode(static_cast<unsigned short>(seed));

    PickerRun run;
    operatePicker(&run, MOD_L_SHIFT, ROW_A, false);
    QCOMPARE(dialog->exec(), int(QDialog::Rejected));
    QVERIFY(run.opened);
    QCOMPARE(int(extended ? extDialog.usbCode() : keyDialog.usbCode()), seed);
}

QTEST_MAIN(TestPickers)
#include "tst_pickers.moc"
