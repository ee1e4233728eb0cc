// Tests of the settings tabs: byte encodings, LED rows, ranges, validators, unsaved-changes flag.
#include "MainWindow.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

class TestSettings : public QObject
{
    Q_OBJECT
    std::unique_ptr<MainWindow> m_window;

    template<typename T> T *widget(const QString &name) { return m_window->findChild<T *>(name); }
    const Mv100Settings &settings() const { return m_window->configuration().settings(); }
    template<size_t N> static QByteArray bytes(const std::array<uchar, N> &b)
    {
        return QByteArray(reinterpret_cast<const char *>(b.data()), int(N));
    }
    template<size_t N> static void put(std::array<uchar, N> &block, const QByteArray &hex)
    {
        const QByteArray b = QByteArray::fromHex(hex);
        std::copy_n(b.begin(), N, block.begin());
    }
    // Loads settings as a file or a Read does: normalised, no edit.
    template<typename Change> void load(Change change)
    {
        Mv100Config config;
        change(config.settings());
        config.settings() = config.settings().normalized();
        m_window->document().reset(config);
    }
    // What the controls show, in one list.
    QStringList controls() const
    {
        QStringList state;
        for (QWidget *w : m_window->findChildren<QWidget *>()) {
            if (auto *combo = qobject_cast<QComboBox *>(w))
                state << combo->currentText();
            else if (auto *spin = qobject_cast<QSpinBox *>(w))
                state << QString::number(spin->value());
            else if (auto *box = qobject_cast<QCheckBox *>(w))
                state << QString::number(box->isChecked()) + QString::number(box->isEnabled());
            else if (auto *edit = qobject_cast<QLineEdit *>(w))
                state << edit->text();
        }
        return state;
    }

private Q_SLOTS:
    void init()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("QMetaObject::connectSlotsByName")));
        m_window = std::make_unique<MainWindow>();
    }
    void cleanup() { m_window.reset(); }

    void ledCodes()
    {
        auto ledBox = [this](const char *modifier, int row) {
            return widget<QCheckBox>(QStringLiteral("led_chk_%1_%2").arg(modifier).arg(row));
        };
        for (int code = 0; code <= 0xFF; ++code) {
            const bool modifiers = code >= 0x20 && code <= 0x3F;
            const bool shown = code <= 0x05 || code == 0x10 || code == 0x11 || modifiers;
            m_window->setLEDElements(0x3F, 7); // every box on: decoding must clear them
            m_window->setLEDElements(uchar(code), 7);
            QCOMPARE(m_window->getLEDElements(7), shown ? code : 0xFF);
            QCOMPARE(ledBox("alt", 7)->isEnabled(), modifiers);
            QCOMPARE(ledBox("alt", 7)->isChecked(), modifiers && (code & 0x04) != 0);
            if (!shown) // 0x1F, 0x45, ...
                QCOMPARE(widget<QComboBox>("led_cmb_function_7")->currentText(),
                         QStringLiteral("Off, LED not used"));
        }
        load([](Mv100Settings &s) { put(s.led, "002F3A101105451F"); });
        QCOMPARE(bytes(settings().led), QByteArray::fromHex("002F3A101105FFFF"));
        QVERIFY(ledBox("shift", 1)->isChecked() && !ledBox("ctrl", 6)->isEnabled());

        auto *combo = widget<QComboBox>("led_cmb_function_2");
        m_window->setLEDElements(0x34, 2); // Sticky + X with Alt
        combo->setCurrentIndex(8); // Locking + X keeps the boxes
        QVERIFY(ledBox("alt", 2)->isChecked() && ledBox("ctrl", 2)->isEnabled());
        QCOMPARE(m_window->getLEDElements(2), 0x24);
        ledBox("gui", 2)->click();
        QCOMPARE(m_window->getLEDElements(2), 0x2C);
        combo->setCurrentIndex(1); // NUM Lock takes none
        QVERIFY(!ledBox("alt", 2)->isChecked() && !ledBox("gui", 2)->isEnabled());
        QCOMPARE(m_window->getLEDElements(2), 0x01);
    }

    void mouseBlock()
    {
        const QByteArray defaults = QByteArray::fromHex("FF003CB91E0A000305080A0D0F1214");
        QCOMPARE(bytes(settings().mouse), defaults);
        // Items 3 ("Off") and 4 (slow mode) swap their codes; unknown codes show "Off".
        auto *function = widget<QComboBox>("mouse_cmb_function");
        const int cases[][3] = {{0x03, 4, 0x03}, {0xFF, 3, 0xFF}, {0x01, 1, 0x01}, {0x07, 3, 0xFF}};
        for (const auto &c : cases) {
            load([&](Mv100Settings &s) { s.mouse[0] = uchar(c[0]); });
            QCOMPARE(function->currentIndex(), c[1]);
            QCOMPARE(int(settings().mouse[0]), c[2]);
        }
        const QByteArray block = QByteArray::fromHex("0282020304050A0708090A0B0C0D0E");
        load([&](Mv100Settings &s) { put(s.mouse, block.toHex()); });
        QCOMPARE(bytes(settings().mouse), block);
        // Option bits from analog (bit 0) to invert Z (bit 7); ballistic X, Y, Z, Z slow.
        for (const QString name :
             {"+opt_optical", "+opt_invert_z", "+balistic_y", "+balistic_z_slow", "-opt_analog",
              "-opt_invert_y", "-balistic_x", "-balistic_z"})
            QVERIFY2(widget<QCheckBox>("mouse_chk_" + name.mid(1))->isChecked() == (name[0] == '+'),
                     qPrintable(name));
        QCOMPARE(widget<QSpinBox>("mouse_spin_balistic_7")->value(), 14);
        // The user's edits reach the block bit by bit; Load default is one step back.
        widget<QCheckBox>("mouse_chk_opt_analog")->click();
        widget<QSpinBox>("mouse_spin_dead_z")->setValue(77);
        QCOMPARE(bytes(settings().mouse), QByteArray::fromHex("02830203044D0A0708090A0B0C0D0E"));
        m_window->findChild<QPushButton *>("mouse_btn_default")->click();
        QCOMPARE(bytes(settings().mouse), defaults);
        QVERIFY(!widget<QCheckBox>("mouse_chk_opt_optical")->isChecked());
        m_window->document().undoStack()->undo();
        QCOMPARE(bytes(settings().mouse), QByteArray::fromHex("02830203044D0A0708090A0B0C0D0E"));
    }

    void otherBytes()
    {
        // Init, Step and Flags columns of DAC 0 to PWM 2; a flag is at most 1.
        load([](Mv100Settings &s) { put(s.backlight, "0102030405A0A1A2A3A4FF00010001"); });
        QCOMPARE(widget<QSpinBox>("backlight_spin_step_0")->value(), 0xA0);
        QCOMPARE(bytes(settings().backlight),
                 QByteArray::fromHex("0102030405A0A1A2A3A40100010001"));
        // Lock keys: FN1 in the low nibble, FN2 in the high one; a nibble that names no item
        // shows "None" and keeps the other one.
        auto *fn1 = widget<QComboBox>("lockkeys_cmb_fn1");
        auto *fn2 = widget<QComboBox>("lockkeys_cmb_fn2");
        for (const char *row : {"52 Caps Kana 52", "04 Compose None 04", "31 Num Scroll 31",
                                "3A None Scroll 30", "A3 Scroll None 03"}) {
            const QStringList field = QString::fromLatin1(row).split(' ');
            load([&](Mv100Settings &s) { s.lockKeys = uchar(field[0].toInt(nullptr, 16)); });
            QCOMPARE(fn1->currentText() + ' ' + fn2->currentText(), field[1] + ' ' + field[2]);
            QCOMPARE(int(settings().lockKeys), field[3].toInt(nullptr, 16));
        }
        QVERIFY(!m_window->hasUnsavedChanges()); // loads are the program's doing
        fn2->setCurrentIndex(2);
        widget<QComboBox>("main_cmb_lock")->setCurrentIndex(1);
        widget<QSpinBox>("spin_debounce")->setValue(255);
        QCOMPARE(settings().lockKeys << 16 | settings().lockMode << 8 | settings().debounce,
                 0x2301FF);
    }

    void rangesAndHexFields()
    {
        for (const QSpinBox *spin : m_window->findChildren<QSpinBox *>()) {
            const QString name = spin->objectName();
            const int max = name.startsWith("backlight_spin_flags_") ? 1 : 255;
            QVERIFY2(spin->minimum() == int(name == "spin_debounce") && spin->maximum() == max,
                     qPrintable(name));
        }
        // Typing keeps hex digits of either case, up to the field's length.
        for (const char *name : {"main_edit_pin", "pin_edit_pin", "custom_edit"}) {
            auto *edit = widget<QLineEdit>(name);
            edit->clear();
            QTest::keyClicks(edit, "a1g-Z F2x" + QString(40, '0'));
            QCOMPARE(edit->text(),
                     ("a1F2" + QString(40, '0')).left(qstrcmp(name, "custom_edit") ? 16 : 32));
        }
        for (const char *pin : {"3C9A71E04B5D28F6", "3c9a71e04b5d28f6"})
            QVERIFY2(m_window->pinCheck(pin), pin);
        for (const char *pin : {"", "3C9A71E04B5D28F", "3C9A71E04B5D28F60", "3C9A71E04B5D28FG"})
            QVERIFY2(!m_window->pinCheck(pin), pin);
    }

    void editsAndUndo()
    {
        // Every control a file stores is one step; the device PIN is none. Undoing them all
        // gives back the exact configuration and the exact controls.
        const QStringList before = controls();
        int edited = 0;
        for (QWidget *w : m_window->findChildren<QWidget *>()) {
            if (!w->isEnabled()) // the modifier boxes of rows that take none
                continue;
            const int steps = m_window->document().undoStack()->index();
            m_window->document().markSaved(QString());
            if (auto *combo = qobject_cast<QComboBox *>(w))
                combo->setCurrentIndex(combo->currentIndex() == 0 ? 1 : 0);
            else if (auto *spin = qobject_cast<QSpinBox *>(w))
                spin->setValue(spin->value() == 0 ? 1 : 0);
            else if (auto *box = qobject_cast<QCheckBox *>(w))
                box->toggle();
            else if (qobject_cast<QLineEdit *>(w) && !w->objectName().startsWith("qt_"))
                QTest::keyClick(w, Qt::Key_Backspace);
            else
                continue;
            const bool stored = w->objectName() != "main_edit_pin";
            QVERIFY2(m_window->hasUnsavedChanges() == stored, qPrintable(w->objectName()));
            QCOMPARE(m_window->document().undoStack()->index(), steps + int(stored));
            ++edited;
        }
        QCOMPARE(edited, 55); // 87 controls less the 32 LED modifier boxes of unused rows
        QCOMPARE(widget<QLineEdit>("main_edit_pin")->text(), QStringLiteral("3C9A71E04B5D28F"));

        UndoStack *stack = m_window->document().undoStack();
        while (stack->canUndo())
            stack->undo();
        QVERIFY(m_window->configuration() == Mv100Config());
        QStringList after = controls();
        after.replace(before.indexOf("3C9A71E04B5D28F6"), "3C9A71E04B5D28F6"); // main_edit_pin
        QCOMPARE(after, before);

        // Consecutive steps of one spin box are one step; another control starts a new one.
        auto *debounce = widget<QSpinBox>("spin_debounce");
        for (int v = 4; v <= 9; ++v)
            debounce->setValue(v);
        QCOMPARE(stack->index(), 1);
        QCOMPARE(m_window->findChild<QAction *>("actionUndo")->text().remove('&'),
                 QStringLiteral("Undo Change Debounce"));
        widget<QSpinBox>("mouse_spin_min")->setValue(7);
        QCOMPARE(stack->index(), 2);
        m_window->findChild<QAction *>("actionUndo")->trigger();
        m_window->findChild<QAction *>("actionUndo")->trigger();
        QCOMPARE(debounce->value(), 3);
        QCOMPARE(widget<QSpinBox>("mouse_spin_min")->value(), 60);
        m_window->findChild<QAction *>("actionRedo")->trigger();
        QCOMPARE(settings().debounce, 9);
        m_window->Clear();
        QVERIFY(!m_window->hasUnsavedChanges() && !stack->canUndo());
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
