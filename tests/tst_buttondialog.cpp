// Tests of ButtonDialog: its form and lists, the preselection from a cell code, OK, Cancel.
#include "ButtonDialog.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <functional>

namespace {
QComboBox *combo(QWidget *dialog, const char *name)
{
    return dialog->findChild<QComboBox *>(QLatin1String(name));
}

QPushButton *button(QWidget *dialog, const char *name)
{
    return dialog->findChild<QPushButton *>(QLatin1String(name));
}

QString labelText(QWidget *dialog, const char *name)
{
    const auto *label = dialog->findChild<QLabel *>(QLatin1String(name));
    return label != nullptr ? label->text() : QStringLiteral("<missing %1>").arg(name);
}

struct Run
{
    bool shown = false;
    int result = -1;
    unsigned short code = 0;
};

// Runs a dialog modally as the window does; act works on it while it is open. A dialog that
// act leaves open is rejected, so a failed check cannot hang the test.
Run runDialog(unsigned short seed, const std::function<void(ButtonDialog *)> &act)
{
    Run run;
    ButtonDialog dialog(1, 2, seed);
    TestSupport::onNextModal([&run, &act](QWidget *modal) {
        auto *open = qobject_cast<ButtonDialog *>(modal);
        if (open == nullptr) {
            modal->close();
            return;
        }
        run.shown = true;
        act(open);
        if (open->isVisible())
            open->reject();
    });
    run.result = dialog.exec();
    run.code = dialog.m_code;
    return run;
}

// Notes and answers every message box shown while it lives; unlike a one-shot answer it cannot
// outlive the test case and close a later test's dialog.
class BoxWatch
{
public:
    BoxWatch()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this]() {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible())
                return;
            ++count;
            title = box->windowTitle();
            text = box->text();
            parent = box->parentWidget();
            icon = box->icon();
            buttons = box->buttons().size();
            box->close();
        });
        m_timer.start(10);
    }

    int count = 0;
    QString title;
    QString text;
    QWidget *parent = nullptr;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;

private:
    QTimer m_timer;
};

constexpr int LEAVE = -2; // a list left at its preselected item
} // namespace

class TestButtonDialog : public QObject
{
    Q_OBJECT

private slots:
    // The icons live in the editor library, which is static: its resources need a start.
    void initTestCase() { Q_INIT_RESOURCE(resources); }

    void init()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("QMetaObject::connectSlotsByName")));
    }
    void cleanup() { TestSupport::closeAllModals(); }

    void form()
    {
        ButtonDialog dialog(0, 0, 0xFFFF);
        QCOMPARE(dialog.objectName(), QStringLiteral("ButtonDialog"));
        QCOMPARE(dialog.size(), QSize(401, 302));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Select Key"));
        QVERIFY2(!dialog.windowIcon().availableSizes().isEmpty(), "window icon not found");
        QCOMPARE(labelText(&dialog, "label_3"),
                 QStringLiteral("Select a KEY and its MODIFIER or a MACRO for the X/Y position "));
        QCOMPARE(labelText(&dialog, "label_2"), QStringLiteral("Modifier + Key"));
        QCOMPARE(labelText(&dialog, "label_7"), QStringLiteral("+"));
        QCOMPARE(labelText(&dialog, "label_6"), QStringLiteral("or"));
        QCOMPARE(labelText(&dialog, "label_5"), QStringLiteral("Macro"));
        QVERIFY(dialog.findChild<QLabel *>(QStringLiteral("label_coords"))->font().bold());
        QVERIFY(button(&dialog, "btn_accept") != nullptr);
        QVERIFY(button(&dialog, "btn_cancel") != nullptr);
        QCOMPARE(button(&dialog, "btn_accept")->text(), QStringLiteral("OK"));
        QCOMPARE(button(&dialog, "btn_cancel")->text(), QStringLiteral("Cancel"));
    }

    void keyList()
    {
        ButtonDialog dialog(0, 0, 0xFFFF);
        QComboBox *keys = combo(&dialog, "cmb_key");
        QVERIFY(keys != nullptr);
        QCOMPARE(keys->count(), 333);
        const struct
        {
            int item;
            const char *text;
            int code;
        } rows[] = {
            {0, "None", 0xFFFF},
            {1, "Keyboard a and A", 0x0004},
            {25, "Keyboard y and Y - German: z and Z", 0x001C},
            {239, "FN1", 0x00FF},
            {252, "Mute", 0x010C},
            {253, "Volume +", 0x010D},
            {280, "Mouse Left Button", 0x0310},
            {288, "DAC0 Off", 0x0400},
            {332, "PWM2 toggle (Rev. 101B)", 0x0448},
        };
        for (const auto &row : rows) {
            QCOMPARE(keys->itemText(row.item), QString::fromUtf8(row.text));
            QCOMPARE(keys->itemData(row.item).typeId(), int(QMetaType::Int));
            QCOMPARE(keys->itemData(row.item).toInt(), row.code);
        }
    }

    void modifierList()
    {
        ButtonDialog dialog(0, 0, 0xFFFF);
        QComboBox *modifiers = combo(&dialog, "cmb_modifier");
        QVERIFY(modifiers != nullptr);
        const QStringList names = {"None",   "L-CTRL",  "L-Shift", "L-ALT", "L-GUI",
                                   "R-CTRL", "R-Shift", "R-ALT",   "R-GUI"};
        QCOMPARE(modifiers->count(), names.size());
        for (int i = 0; i < names.size(); ++i) {
            QCOMPARE(modifiers->itemText(i), names.at(i));
            QCOMPARE(modifiers->itemData(i).toInt(), i == 0 ? 0 : 0xE0 + i - 1);
        }
    }

    void macroList()
    {
        ButtonDialog dialog(0, 0, 0xFFFF);
        QComboBox *macros = combo(&dialog, "cmb_macro");
        QVERIFY(macros != nullptr);
        QCOMPARE(macros->count(), 177);
        QCOMPARE(macros->itemText(0), QStringLiteral("None"));
        QCOMPARE(macros->itemText(1), QStringLiteral("Macro #   0"));
        QCOMPARE(macros->itemText(13), QStringLiteral("Macro #  12"));
        QCOMPARE(macros->itemText(101), QStringLiteral("Macro # 100"));
        QCOMPARE(macros->itemText(176), QStringLiteral("Macro # 175"));
        for (int i = 0; i < macros->count(); ++i)
            QVERIFY2(!macros->itemData(i).isValid(), qPrintable(QString::number(i)));
    }

    void coordinates_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<QString>("text");
        QTest::newRow("origin") << 0 << 0 << "X:0 / Y:0 ";
        QTest::newRow("x3 y10") << 3 << 10 << "X:3 / Y:10 ";
        QTest::newRow("last cell") << 15 << 23 << "X:15 / Y:23 ";
    }

    void coordinates()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(QString, text);
        ButtonDialog dialog(static_cast<unsigned char>(x), static_cast<unsigned char>(y), 0xFFFF);
        QCOMPARE(labelText(&dialog, "label_coords"), text);
    }

    void preselection_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("macro");
        QTest::addColumn<int>("modifier");
        QTest::addColumn<int>("key");
        QTest::newRow("unassigned") << 0xFFFF << 0 << 0 << 0;
        QTest::newRow("first macro") << 0x0200 << 1 << 0 << 0;
        QTest::newRow("macro 7") << 0x0207 << 8 << 0 << 0;
        QTest::newRow("last macro") << 0x02AF << 176 << 0 << 0;
        QTest::newRow("macro 176 has no item") << 0x02B0 << -1 << 0 << 0;
        QTest::newRow("macro 255 has no item") << 0x02FF << -1 << 0 << 0;
        QTest::newRow("media Mute") << 0x010C << 0 << 0 << 252;
        QTest::newRow("media without entry") << 0x0123 << 0 << 0 << 0;
        QTest::newRow("mouse L-Btn") << 0x0310 << 0 << 0 << 280;
        QTest::newRow("LED DAC0 Max") << 0x0401 << 0 << 0 << 289;
        QTest::newRow("LED PWM2 toggle") << 0x0448 << 0 << 0 << 332;
        QTest::newRow("0x0500") << 0x0500 << 0 << 0 << 0;
        QTest::newRow("0x0504") << 0x0504 << 0 << 0 << 0;
        QTest::newRow("0x05FF") << 0x05FF << 0 << 0 << 0;
        QTest::newRow("plain A") << 0x0004 << 0 << 0 << 1;
        QTest::newRow("FN1") << 0x00FF << 0 << 0 << 239;
        QTest::newRow("L-Shift + A") << 0xE104 << 0 << 2 << 1;
        QTest::newRow("L-CTRL + Z") << 0xE01D << 0 << 1 << 26;
        QTest::newRow("R-GUI + FN1") << 0xE7FF << 0 << 8 << 239;
        QTest::newRow("0xE8 is no modifier") << 0xE804 << 0 << 0 << 1;
        QTest::newRow("unknown high byte") << 0x7704 << 0 << 0 << 1;
        QTest::newRow("unknown low byte") << 0x00A5 << 0 << 0 << 0;
    }

    void preselection()
    {
        QFETCH(int, code);
        QFETCH(int, macro);
        QFETCH(int, modifier);
        QFETCH(int, key);
        ButtonDialog dialog(0, 0, static_cast<unsigned short>(code));
        QCOMPARE(combo(&dialog, "cmb_macro")->currentIndex(), macro);
        QCOMPARE(combo(&dialog, "cmb_modifier")->currentIndex(), modifier);
        QCOMPARE(combo(&dialog, "cmb_key")->currentIndex(), key);
        QCOMPARE(dialog.m_code, static_cast<unsigned short>(code));
    }

    // OK with the lists set as given (LEAVE keeps the preselection; key is a code, -1 none).
    void accept_data()
    {
        QTest::addColumn<int>("seed");
        QTest::addColumn<int>("macro");
        QTest::addColumn<int>("modifier");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("macro wins over key and modifier") << 0xFFFF << 8 << 2 << 0x0004 << 0x0207;
        QTest::newRow("macro wins over a refused pair") << 0xFFFF << 1 << 2 << 0x010D << 0x0200;
        QTest::newRow("last macro") << 0xFFFF << 176 << 0 << -1 << 0x02AF;
        QTest::newRow("L-Shift + A") << 0xFFFF << 0 << 2 << 0x0004 << 0xE104;
        QTest::newRow("R-GUI + Z") << 0xFFFF << 0 << 8 << 0x001D << 0xE71D;
        QTest::newRow("L-CTRL + FN1") << 0xFFFF << 0 << 1 << 0x00FF << 0xE0FF;
        QTest::newRow("plain key") << 0xFFFF << 0 << 0 << 0x0004 << 0x0004;
        QTest::newRow("media key") << 0xFFFF << 0 << 0 << 0x010D << 0x010D;
        QTest::newRow("mouse key") << 0xFFFF << 0 << 0 << 0x0310 << 0x0310;
        QTest::newRow("LED key") << 0xFFFF << 0 << 0 << 0x0448 << 0x0448;
        QTest::newRow("None drops the modifier") << 0xFFFF << 0 << 2 << 0xFFFF << 0xFFFF;
        QTest::newRow("macro back to key") << 0x0205 << 0 << 0 << 0x0005 << 0x0005;
        QTest::newRow("unchanged unassigned") << 0xFFFF << LEAVE << LEAVE << -1 << 0xFFFF;
        QTest::newRow("unchanged macro") << 0x0205 << LEAVE << LEAVE << -1 << 0x0205;
        QTest::newRow("unchanged modifier + key") << 0xE104 << LEAVE << LEAVE << -1 << 0xE104;
        QTest::newRow("unchanged media") << 0x010C << LEAVE << LEAVE << -1 << 0x010C;
        QTest::newRow("unchanged LED") << 0x0401 << LEAVE << LEAVE << -1 << 0x0401;
        QTest::newRow("macro without item") << 0x02B0 << LEAVE << LEAVE << -1 << 0xFFFF;
        QTest::newRow("0x05nn") << 0x0512 << LEAVE << LEAVE << -1 << 0xFFFF;
        QTest::newRow("media without entry") << 0x0123 << LEAVE << LEAVE << -1 << 0xFFFF;
    }

    void accept()
    {
        QFETCH(int, seed);
        QFETCH(int, macro);
        QFETCH(int, modifier);
        QFETCH(int, key);
        QFETCH(int, expected);
        // A warning box here would be a fault.
        const BoxWatch boxes;
        const Run run = runDialog(static_cast<unsigned short>(seed), [&](ButtonDialog *dialog) {
            if (macro != LEAVE)
                combo(dialog, "cmb_macro")->setCurrentIndex(macro);
            if (modifier != LEAVE)
                combo(dialog, "cmb_modifier")->setCurrentIndex(modifier);
            if (key != -1)
                combo(dialog, "cmb_key")->setCurrentIndex(combo(dialog, "cmb_key")->findData(key));
            button(dialog, "btn_accept")->click();
        });
        QVERIFY(run.shown);
        QCOMPARE(boxes.count, 0);
        QCOMPARE(run.result, int(QDialog::Accepted));
        QCOMPARE(run.code, static_cast<unsigned short>(expected));
    }

    void refusedCombination_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Volume +") << 0x010D;
        QTest::newRow("Mute") << 0x010C;
        QTest::newRow("Mouse Right") << 0x0300;
        QTest::newRow("Mouse Left Button") << 0x0310;
        QTest::newRow("DAC0 Off") << 0x0400;
        QTest::newRow("PWM2 toggle") << 0x0448;
    }

    void refusedCombination()
    {
        QFETCH(int, key);
        const BoxWatch boxes;
        int keyItem = -1;
        bool stayedOpen = false;
        int modifierAfter = -1;
        int keyAfter = -1;
        QWidget *dialogSeen = nullptr;
        const Run run = runDialog(0xE104, [&](ButtonDialog *dialog) {
            dialogSeen = dialog;
            QComboBox *keys = combo(dialog, "cmb_key");
            keyItem = keys->findData(key);
            combo(dialog, "cmb_modifier")->setCurrentIndex(2);
            keys->setCurrentIndex(keyItem);
            button(dialog, "btn_accept")->click();
            stayedOpen = dialog->isVisible() && dialog->result() != QDialog::Accepted;
            modifierAfter = combo(dialog, "cmb_modifier")->currentIndex();
            keyAfter = keys->currentIndex();
            button(dialog, "btn_cancel")->click();
        });
        QVERIFY(run.shown);
        QVERIFY(keyItem > 0);
        QCOMPARE(boxes.count, 1);
        QCOMPARE(boxes.title, QStringLiteral("Warning"));
        QCOMPARE(boxes.text,
                 QStringLiteral("Modifier keys and special keys for media control, "
                                "mouse or LED outputs can not used at the same time."));
        QVERIFY(boxes.parent != nullptr);
        QCOMPARE(boxes.parent, dialogSeen);
        QCOMPARE(boxes.icon, QMessageBox::Warning);
        QCOMPARE(boxes.buttons, 1);
        QVERIFY(stayedOpen);
        QCOMPARE(modifierAfter, 2);
        QCOMPARE(keyAfter, keyItem);
        QCOMPARE(run.result, int(QDialog::Rejected));
        QCOMPARE(run.code, static_cast<unsigned short>(0xE104));
    }

    void cancelKeepsCode_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel") << false;
        QTest::newRow("Escape") << true;
    }

    void cancelKeepsCode()
    {
        QFETCH(bool, escape);
        const Run run = runDialog(0xE104, [escape](ButtonDialog *dialog) {
            combo(dialog, "cmb_macro")->setCurrentIndex(6);
            combo(dialog, "cmb_modifier")->setCurrentIndex(0);
            if (escape)
                QTest::keyClick(dialog, Qt::Key_Escape);
            else
                button(dialog, "btn_cancel")->click();
        });
        QVERIFY(run.shown);
        QCOMPARE(run.result, int(QDialog::Rejected));
        QCOMPARE(run.code, static_cast<unsigned short>(0xE104));
    }
};

QTEST_MAIN(TestButtonDialog)
#include "tst_buttondialog.moc"
