// Helpers of the device transfer tests: message boxes seen and answered, window snapshots, logs.
#pragma once

#include "KeyMatrixWidget.h"
#include "MainWindow.h"
#include "SimMorvantide100.h"
#include "TestSupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include <random>

namespace TransferTest {

// One message box as the user saw it.
struct Box
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool hasParent = false;
    QMap<QString, QMessageBox::ButtonRole> buttons; // texts without '&'
    QString clicked;
};

// Answers every message box that appears while it lives, clicking the given button texts in
// turn (when they run out, or the text is missing, the box is closed without a choice), and
// records what each box showed. Other modal widgets (the progress dialog) are left alone.
// Only one may live at a time: the first would take the boxes meant for the second.
class BoxAnswerer
{
public:
    explicit BoxAnswerer(QStringList answers = {})
        : m_answers(std::move(answers))
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this]() { poll(); });
        m_timer.start();
    }

    QList<Box> boxes;

    QStringList titles() const
    {
        QStringList result;
        for (const Box &box : boxes)
            result << box.title;
        return result;
    }

private:
    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        Box seen;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.hasParent = box->parentWidget() != nullptr;
        QAbstractButton *target = nullptr;
        const QString answer = m_answers.isEmpty() ? QString() : m_answers.takeFirst();
        for (QAbstractButton *button : box->buttons()) {
            const QString text = button->text().remove(QLatin1Char('&'));
            seen.buttons.insert(text, box->buttonRole(button));
            if (text == answer)
                target = button;
        }
        seen.clicked = target != nullptr ? answer : QString();
        boxes << seen;
        if (target != nullptr)
            target->click();
        else
            box->done(QDialog::Rejected);
    }

    QStringList m_answers;
    QTimer m_timer;
};

inline void trigger(MainWindow *window, const char *actionName)
{
    auto *action = window->findChild<QAction *>(QLatin1String(actionName));
    QVERIFY2(action != nullptr, actionName);
    QVERIFY2(action->isEnabled(), actionName);
    action->trigger();
}

// Everything of the window that a transfer may change.
struct WindowState
{
    QList<QString> items;
    QStringList cells;
    QStringList infoLabels;
    QString devicePin;
    bool changed = false;

    bool operator==(const WindowState &other) const
    {
        return items == other.items && cells == other.cells && infoLabels == other.infoLabels
            && devicePin == other.devicePin && changed == other.changed;
    }
};

inline QStringList cellTexts(const MainWindow &window)
{
    QStringList texts;
    for (int layer = 0; layer < MV100::LAYERS; ++layer) {
        for (int row = 0; row < MV100::ROWS; ++row) {
            for (int col = 0; col < MV100::COLUMNS; ++col)
                texts << window.matrix(layer)->buttonText(row, col);
        }
    }
    return texts;
}

inline const char *const INFO_LABELS[] = {
    "info_label_vid",        "info_label_pid",  "info_label_sn",         "info_label_ver",
    "info_label_customdata", "info_label_lock", "info_label_erasecount",
};

inline QString labelText(const MainWindow &window, const char *name)
{
    const auto *label = window.findChild<QLabel *>(QLatin1String(name));
    return label != nullptr ? label->text()
                            : QStringLiteral("<missing %1>").arg(QLatin1String(name));
}

inline WindowState stateOf(MainWindow &window)
{
    WindowState state;
    state.items = window.GetItems();
    state.cells = cellTexts(window);
    for (const char *name : INFO_LABELS)
        state.infoLabels << labelText(window, name);
    state.devicePin = window.findChild<QLineEdit *>(QStringLiteral("main_edit_pin"))->text();
    state.changed = window.hasUnsavedChanges();
    return state;
}

// The lines of a configuration whose settings the widgets show as they are: random key cells,
// macros and settings, drawn from the seed.
inline QList<QString> randomItems(unsigned seed, const QString &pin)
{
    std::mt19937 random(seed);
    auto byte = [&random]() {
        return static_cast<unsigned char>(random() & 0xFF);
    };
    auto hex = [](const QByteArray &bytes) {
        return QString::fromLatin1(bytes.toHex().toUpper());
    };

    QList<QString> items;
    items << pin;
    QByteArray custom;
    for (int i = 0; i < MV100::CUSTOM_DATA_SIZE; ++i)
        custom.append(char(byte()));
    items << hex(custom);
    items << hex(QByteArray(1, char((random() % 6) << 4 | (random() % 6))));

    static const unsigned char mouseFunctions[] = {0x00, 0x01, 0x02, 0x03, 0xFF};
    QByteArray mouse;
    mouse.append(char(mouseFunctions[random() % 5]));
    mouse.append(char(byte()));
    for (int i = 0; i < 4; ++i)
        mouse.append(char(byte()));
    mouse.append(char(byte() & 0x0F));
    for (int i = 0; i < 8; ++i)
        mouse.append(char(byte()));
    items << hex(mouse);

    QByteArray backlight;
    for (int i = 0; i < 10; ++i)
        backlight.append(char(byte()));
    for (int i = 0; i < 5; ++i)
        backlight.append(char(random() % 2));
    items << hex(backlight);

    static const unsigned char plainLedCodes[]
        = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x10, 0x11, 0xFF};
    QByteArray led;
    for (int n = 0; n < MV100_BLOCK::LED_OUTPUTS; ++n) {
        const unsigned kind = random() % 3;
        if (kind == 0)
            led.append(char(plainLedCodes[random() % 9]));
        else
            led.append(char((kind == 1 ? 0x20 : 0x30) | (random() & 0x0F)));
    }
    items << hex(led);
    items << QStringLiteral("00");

    for (int block = 0; block < MV100::BLOCK_COUNT; ++block) {
        QByteArray line;
        for (int i = 0; i < MV100::BLOCK_SIZE; ++i)
            line.append(char(byte()));
        items << hex(line);
    }
    items << hex(QByteArray(1, char(1 + random() % 255)));
    return items;
}

// The command bytes of the reports sent to configuration interfaces, in order.
inline QList<int> sentCommands()
{
    QList<int> commands;
    for (const mv100sim::LoggedReport &report : mv100sim::writtenReports()) {
        if (report.isConfig && report.bytes.size() > 1)
            commands << report.bytes[1];
    }
    return commands;
}

inline QList<mv100sim::LoggedReport> reportsOf(int command)
{
    QList<mv100sim::LoggedReport> found;
    for (const mv100sim::LoggedReport &report : mv100sim::writtenReports()) {
        if (report.isConfig && report.bytes.size() > 1 && report.bytes[1] == command)
            found << report;
    }
    return found;
}

inline QByteArray reportBytes(const mv100sim::LoggedReport &report, int from, int count)
{
    return QByteArray(reinterpret_cast<const char *>(report.bytes.data()) + from, count);
}

inline QByteArray pinOf(const QString &text)
{
    return QByteArray::fromHex(text.toLatin1());
}

inline QByteArray bytesOf(const std::array<unsigned char, 8> &pin)
{
    return QByteArray(reinterpret_cast<const char *>(pin.data()), int(pin.size()));
}

// The result texts of the transfer result codes.
inline QString resultText(unsigned short code)
{
    return QString::fromWCharArray(CMorvantide100::GetReturnErrorText(code));
}

const QString SUCCESS_TEXT = QStringLiteral("The data was successfully transferred.");
const QString LOCKED_TEXT
    = QStringLiteral("The Morvantide is protected/locked and can be neither read nor written to.");
const QString FACTORY_PIN = QStringLiteral("3C9A71E04B5D28F6");

} // namespace TransferTest
