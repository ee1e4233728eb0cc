// Tests of the key dialog's search and key capture: filtered lists, unchanged results of OK,
// the pressed key with its modifier, keys without a code, cancelling.
#include "ButtonDialog.h"
#include "CKeyTable.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// The native scan code of a key event for a key given by its evdev and set-1 codes.
quint32 native([[maybe_unused]] quint32 evdev, [[maybe_unused]] quint32 set1)
{
#ifdef Q_OS_WIN
    return set1;
#else
    return evdev + 8;
#endif
}

const quint32 KEY_A = native(30, 0x1E);
const quint32 KEY_ENTER = native(28, 0x1C);
const quint32 KEY_L_CTRL = native(29, 0x1D);
const quint32 KEY_R_SHIFT = native(54, 0x36);
const quint32 KEY_MUTE = native(113, 0x120); // a media key: no keyboard-page code here

int tableRow(int code)
{
    for (int row = 0; row < int(CKeyTable::m_KeyMapping.size()); ++row) {
        if (CKeyTable::m_KeyMapping[row].code == code)
            return row;
    }
    return -1;
}

} // namespace

class TestButtonDialog : public QObject
{
    Q_OBJECT

    std::unique_ptr<ButtonDialog> m_dialog;

    QComboBox *combo(const char *name) const { return m_dialog->findChild<QComboBox *>(name); }
    QLineEdit *searchEdit() const { return m_dialog->findChild<QLineEdit *>("edit_search"); }
    QPushButton *pressKey() const { return m_dialog->findChild<QPushButton *>("btn_press_key"); }
    QString status() const { return m_dialog->findChild<QLabel *>("label_press_status")->text(); }
    QString chosen() const
    {
        return combo("cmb_modifier")->currentText() + " + " + combo("cmb_key")->currentText();
    }
    // Sends a key event the way the platform delivers it: to the focused widget.
    void key(QEvent::Type type, int qtKey, quint32 nativeScanCode,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const QString text = qtKey == Qt::Key_A ? "a" : "";
        QKeyEvent event(type, qtKey, modifiers, nativeScanCode, 0, 0, text);
        QApplication::sendEvent(searchEdit(), &event);
    }
    unsigned short accepted()
    {
        TestSupport::SeenBox box;
        TestSupport::answerNextBox("OK", &box);
        m_dialog->findChild<QPushButton *>("btn_accept")->click();
        TestSupport::cancelPendingAnswers();
        return box.seen ? 0xDEAD : m_dialog->m_code;
    }

private slots:
    void init()
    {
        QTest::failOnWarning(QRegularExpression("QMetaObject::connectSlotsByName"));
        m_dialog = std::make_unique<ButtonDialog>(3, 10, 0xE104);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }
    void cleanup()
    {
        m_dialog.reset();
        TestSupport::closeAllModals();
    }

    void search();
    void searchKeepsChoiceAndResult();
    void pressedKey();
    void pressedKeyEvents();
};

void TestButtonDialog::search()
{
    // Query, the first items shown, how many.
    const std::tuple<QString, QStringList, int> rows[]
        = {{"shift", {"Keyboard LeftShift", "Keyboard RightShift", "Locking LeftShift"}, 6},
           {"  F12 ", {"Keyboard F12"}, 1}, // blanks around
           {"VOLUME", {"Keyboard Volume Up", "Keyboard Volume Down", "Volume +", "Volume -"}, 4},
           {"num-", {"Keypad -", "Keypad ENTER"}, 2}, // the short name only
           {"pwm2 t", {"PWM2 toggle (Rev. 101B)"}, 1},
           {"xyzzy", {}, 0},
           {"", {"None", "Keyboard a and A"}, 333}};
    QComboBox *keys = combo("cmb_key");
    for (const auto &[query, first, count] : rows) {
        searchEdit()->setText("kanji"); // a previous search does not linger
        searchEdit()->setText(query);
        QCOMPARE(keys->count(), count);
        QStringList shown;
        int previousRow = -1;
        for (int item = 0; item < keys->count(); ++item) {
            if (item < first.size())
                shown.append(keys->itemText(item));
            // Items keep the table's order and carry their own code.
            const int row = tableRow(keys->itemData(item).toInt());
            QVERIFY(row > previousRow);
            QCOMPARE(keys->itemText(item),
                     QString::fromWCharArray(CKeyTable::m_KeyMapping[row].longName));
            previousRow = row;
        }
        QCOMPARE(shown, first);
        // The first match of "kanji" became the choice; it is kept where it shows.
        QCOMPARE(keys->currentIndex(), count == 0 ? -1 : query.isEmpty() ? 132 : 0);
        QCOMPARE(keys->currentText(),
                 count == 0            ? ""
                     : query.isEmpty() ? "Keyboard Kanji1"
                                       : first[0]);
    }
}

void TestButtonDialog::searchKeepsChoiceAndResult()
{
    QComboBox *keys = combo("cmb_key");
    searchEdit()->setText("keyboard");
    QCOMPARE(chosen(), "L-Shift + Keyboard a and A"); // still matches: kept
    searchEdit()->setText("volume");
    QCOMPARE(chosen(), "L-Shift + Keyboard Volume Up"); // the first match
    keys->setCurrentIndex(2);
    combo("cmb_modifier")->setCurrentIndex(0);
    QCOMPARE(accepted(), 0x010D); // "Volume +", not the third row of the table
    // A filtered item with a modifier: the modifier goes to the high byte of the shown key.
    m_dialog = std::make_unique<ButtonDialog>(0, 0, 0xFFFF);
    searchEdit()->setText("b and");
    combo("cmb_modifier")->setCurrentIndex(6);
    QCOMPARE(accepted(), 0xE505);

    // A search that matches nothing shows no key: OK gives an empty cell. Clearing the search
    // shows the whole list again with the key chosen before it.
    m_dialog = std::make_unique<ButtonDialog>(0, 0, 0x0028);
    searchEdit()->setText("xyzzy");
    QCOMPARE(combo("cmb_key")->currentIndex(), -1);
    searchEdit()->clear();
    QVERIFY(combo("cmb_key")->count() == 333 && combo("cmb_key")->currentData() == 0x0028);
    searchEdit()->setText("xyzzy");
    QCOMPARE(accepted(), 0xFFFF);
}

void TestButtonDialog::pressedKey()
{
    // clang-format off
    const struct { quint32 scan; Qt::KeyboardModifiers modifiers; bool ok; const char *chosen; } rows[] = {
        {KEY_A, Qt::NoModifier, true, "None + Keyboard a and A"},
        {KEY_A, Qt::ShiftModifier, true, "L-Shift + Keyboard a and A"},
        {KEY_A, Qt::ControlModifier | Qt::AltModifier, true, "L-CTRL + Keyboard a and A"},
        {KEY_ENTER, Qt::MetaModifier | Qt::KeypadModifier, true, "L-GUI + Keyboard Return"},
        {KEY_R_SHIFT, Qt::ShiftModifier, true, "None + Keyboard RightShift"},
        {KEY_MUTE, Qt::NoModifier, false, "L-Shift + Keyboard a and A"},
        {0, Qt::NoModifier, false, "L-Shift + Keyboard a and A"}};
    // clang-format on
    for (const auto &r : rows) {
        m_dialog = std::make_unique<ButtonDialog>(0, 0, 0xE104);
        searchEdit()->setText("f12"); // hides the pressed key
        QCOMPARE(m_dialog->selectPressedKey(r.scan, r.modifiers), r.ok);
        QCOMPARE(chosen(), r.ok ? r.chosen : "L-Shift + Keyboard F12");
        QCOMPARE(status(), r.ok ? "" : "This key has no Morvantide100 code.");
        QCOMPARE(searchEdit()->text(), r.ok ? "" : "f12");
    }
    // A pressed key replaces a chosen macro, which would win on OK.
    m_dialog = std::make_unique<ButtonDialog>(0, 0, 0x0207);
    QVERIFY(m_dialog->selectPressedKey(KEY_A, Qt::NoModifier));
    QCOMPARE(combo("cmb_macro")->currentIndex(), 0);
    QCOMPARE(accepted(), 0x0004);
}

void TestButtonDialog::pressedKeyEvents()
{
    QVERIFY(!pressKey()->autoDefault()); // Return in the search line must not start a capture
    pressKey()->click();
    QVERIFY(m_dialog->isWaitingForKey() && pressKey()->isChecked());
    QCOMPARE(status(), "Press a key on the keyboard…");
    // The right Shift held with A: the scan code tells the side.
    key(QEvent::KeyPress, Qt::Key_Shift, KEY_R_SHIFT);
    QVERIFY(m_dialog->isWaitingForKey());
    key(QEvent::KeyPress, Qt::Key_A, KEY_A, Qt::ShiftModifier);
    QVERIFY(!m_dialog->isWaitingForKey() && !pressKey()->isChecked());
    QCOMPARE(chosen(), "R-Shift + Keyboard a and A");
    QVERIFY(searchEdit()->text().isEmpty() && status().isEmpty()); // the line edit got no key
    key(QEvent::KeyRelease, Qt::Key_Shift, KEY_R_SHIFT); // after the capture: ignored
    QCOMPARE(chosen(), "R-Shift + Keyboard a and A");

    // A modifier pressed and released alone is the key; Return is a key, not OK.
    pressKey()->click();
    key(QEvent::KeyPress, Qt::Key_Control, KEY_L_CTRL);
    key(QEvent::KeyRelease, Qt::Key_Control, KEY_L_CTRL, Qt::ControlModifier);
    QCOMPARE(chosen(), "None + Keyboard LeftControl");
    pressKey()->click();
    key(QEvent::KeyPress, Qt::Key_Return, KEY_ENTER);
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(chosen(), "None + Keyboard Return");

    // Escape and a second click cancel the waiting and leave the choice and the dialog alone.
    pressKey()->click();
    key(QEvent::KeyPress, Qt::Key_Escape, native(1, 0x01));
    QVERIFY(!m_dialog->isWaitingForKey() && m_dialog->isVisible() && status().isEmpty());
    pressKey()->click();
    pressKey()->click();
    QVERIFY(!m_dialog->isWaitingForKey());
    key(QEvent::KeyPress, Qt::Key_A, KEY_A);
    QCOMPARE(searchEdit()->text(), "a"); // keys go to the focused widget again
    QCOMPARE(chosen(), "None + Keyboard Return");

    // Closing the dialog ends the waiting (an unknown key's message is checked in pressedKey).
    pressKey()->click();
    m_dialog->reject();
    QVERIFY(!m_dialog->isWaitingForKey());
}

QTEST_MAIN(TestButtonDialog)
#include "tst_buttondialog.moc"
