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
    static auto data(const QByteArray &b) { return reinterpret_cast<const uchar *>(b.data()); }
    template<size_t N> static QByteArray bytes(const std::array<uchar, N> &b)
    {
        return QByteArray(reinterpret_cast<const char *>(b.data()), int(N));
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
            if (!shown) // 0x1F, 0x45, ...
                QCOMPARE(widget<QComboBox>("led_cmb_function_7")->currentText(),
                         QStringLiteral("Off, LED not used"));
        }
        m_window->applyLedBlock(data(QByteArray::fromHex("002F3A101105451F")));
        QCOMPARE(bytes(m_window->ledBlock()), QByteArray::fromHex("002F3A101105FFFF"));
        QVERIFY(!m_window->hasUnsavedChanges());

        auto *combo = widget<QComboBox>("led_cmb_function_2");
        m_window->setLEDElements(0x34, 2); // Sticky + X with Alt
        combo->setCurrentIndex(8); // Locking + X keeps the boxes
        QVERIFY(ledBox("alt", 2)->isChecked() && ledBox("ctrl", 2)->isEnabled());
        QCOMPARE(m_window->getLEDElements(2), 0x24);
        combo->setCurrentIndex(1); // NUM Lock takes none
        QVERIFY(!ledBox("alt", 2)->isChecked() && !ledBox("gui", 2)->isEnabled());
        QCOMPARE(m_window->getLEDElements(2), 0x01);
    }

    void mouseBlock()
    {
        const QByteArray defaults = QByteArray::fromHex("FF003CB91E0A000305080A0D0F1214");
        QCOMPARE(bytes(m_window->mouseBlock()), defaults);
        // Items 3 ("Off") and 4 (slow mode) swap their codes; unknown codes show "Off".
        auto *function = widget<QComboBox>("mouse_cmb_function");
        const int cases[][3] = {{0x03, 4, 0x03}, {0xFF, 3, 0xFF}, {0x01, 1, 0x01}, {0x07, 3, 0xFF}};
        for (const auto &c : cases) {
            m_window->applyMouseBlock(data(char(c[0]) + defaults.mid(1)));
            QCOMPARE(function->currentIndex(), c[1]);
            QCOMPARE(int(m_window->mouseBlock()[0]), c[2]);
        }
        const QByteArray block = QByteArray::fromHex("0282020304050A0708090A0B0C0D0E");
        m_window->applyMouseBlock(data(block));
        QCOMPARE(bytes(m_window->mouseBlock()), block);
        // Option bits from analog (bit 0) to invert Z (bit 7); ballistic X, Y, Z, Z slow.
        for (const QString name :
             {"+opt_optical", "+opt_invert_z", "+balistic_y", "+balistic_z_slow", "-opt_analog",
              "-opt_invert_y", "-balistic_x", "-balistic_z"})
            QVERIFY2(widget<QCheckBox>("mouse_chk_" + name.mid(1))->isChecked() == (name[0] == '+'),
                     qPrintable(name));
        QCOMPARE(widget<QSpinBox>("mouse_spin_balistic_7")->value(), 14);
        QVERIFY(!m_window->hasUnsavedChanges());
    }

    void otherBytes()
    {
        // Init, Step and Flags columns of DAC 0 to PWM 2; a flag is at most 1.
        m_window->applyBacklightBlock(data(QByteArray::fromHex("0102030405A0A1A2A3A4FF00010001")));
        QCOMPARE(widget<QSpinBox>("backlight_spin_step_0")->value(), 0xA0);
        QCOMPARE(bytes(m_window->backlightBlock()),
                 QByteArray::fromHex("0102030405A0A1A2A3A40100010001"));
        // Lock keys: FN1 in the low nibble, FN2 in the high one; a nibble that names no item
        // shows "None" and keeps the other one.
        auto *fn1 = widget<QComboBox>("lockkeys_cmb_fn1");
        auto *fn2 = widget<QComboBox>("lockkeys_cmb_fn2");
        for (const char *row : {"52 Caps Kana 52", "04 Compose None 04", "31 Num Scroll 31",
                                "3A None Scroll 30", "A3 Scroll None 03"}) {
            const QStringList field = QString::fromLatin1(row).split(' ');
            m_window->applyLockKeyByte(uchar(field[0].toInt(nullptr, 16)));
            QCOMPARE(fn1->currentText() + ' ' + fn2->currentText(), field[1] + ' ' + field[2]);
            QCOMPARE(int(m_window->lockKeyByte()), field[3].toInt(nullptr, 16));
        }
        QVERIFY(!m_window->hasUnsavedChanges()); // loads are the program's doing
        widget<QComboBox>("main_cmb_lock")->setCurrentIndex(1);
        widget<QSpinBox>("spin_debounce")->setValue(255);
        QCOMPARE(m_window->lockModeByte() << 8 | m_window->debounceByte(), 0x01FF);
    }

    void rangesAndHexFields()
    {
        const QList<QSpinBox *> spins = m_window->findChildren<QSpinBox *>();
        QCOMPARE(spins.size(), 4 + 8 + 15 + 1);
        for (const QSpinBox *spin : spins) {
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

    void unsavedFlag()
    {
        int edited = 0; // every control a file stores, and the device PIN that none stores
        for (QWidget *w : m_window->findChildren<QWidget *>()) {
            m_window->setUnsavedChanges(false);
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
            QVERIFY2(m_window->hasUnsavedChanges() == (w->objectName() != "main_edit_pin"),
                     qPrintable(w->objectName()));
            ++edited;
        }
        QCOMPARE(edited, 87);
        QCOMPARE(widget<QLineEdit>("main_edit_pin")->text(), QStringLiteral("3C9A71E04B5D28F"));
        m_window->setUnsavedChanges(true);
        m_window->Clear();
        QVERIFY(!m_window->hasUnsavedChanges());
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
