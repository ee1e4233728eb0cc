// CellLabel: the text, colour, tool tip and accessible name of a key layer cell.
#include "CellLabel.h"

#include "CKeyTable.h"
#include "KeyDescription.h"
#include "MaterialColor.h"

#include <QCoreApplication>

namespace {
constexpr std::uint16_t CODE_NONE = 0xFFFF;
// Media, mouse and LED names are looked up without bit 11, which no table code carries.
constexpr std::uint16_t FUNCTION_MASK = 0xF7FF;
constexpr std::uint16_t LOW_BYTE_MASK = 0x00FF;

QString fromWide(const wchar_t *text)
{
    return QString::fromWCharArray(text);
}

// The cells are the window's: their texts keep the window's translation context.
QString tr(const char *text)
{
    return QCoreApplication::translate("MainWindow", text);
}
} // namespace

CellLabel CellLabel::of(std::uint16_t code, const Mv100Config &config)
{
    const CKeyTable keys;
    const unsigned high = code >> 8;
    CellLabel label;
    label.color = MaterialColor::Black;
    if (code == CODE_NONE) {
        // empty and black
    } else if (high == 0x01) {
        label.text = tr("Media\n") + fromWide(keys.GetKeyName(code, FUNCTION_MASK));
        label.color = MaterialColor::Green;
    } else if (high == 0x02) {
        label.text = tr("Macro\n") + QString::asprintf("#%02d", code & LOW_BYTE_MASK);
        label.color = MaterialColor::Blue;
    } else if (high == 0x03) {
        label.text = tr("Mouse\n") + fromWide(keys.GetKeyName(code, FUNCTION_MASK));
        label.color = MaterialColor::Pink;
    } else if (high == 0x04) {
        label.text = tr("LED\n") + fromWide(keys.GetKeyName(code, FUNCTION_MASK));
        label.color = MaterialColor::Orange;
    } else if ((code & 0xF000) == 0xE000) {
        label.text = fromWide(keys.GetModifierKeyName(std::uint16_t(high), 0xFF))
            + QLatin1Char('\n') + fromWide(keys.GetKeyName(code, LOW_BYTE_MASK));
    } else {
        label.text = fromWide(keys.GetKeyName(code, LOW_BYTE_MASK));
    }
    label.accessibleName = QString::fromStdWString(KeyDescription::shortName(code));
    label.toolTip = QString::fromStdWString(KeyDescription::toolTip(code));
    if (high == 0x02 && code != CODE_NONE) {
        // Which macro, and what kind of macro it is now.
        static const char *const types[] = {QT_TRANSLATE_NOOP("MainWindow", "Stable"),
                                            QT_TRANSLATE_NOOP("MainWindow", "Typing"),
                                            QT_TRANSLATE_NOOP("MainWindow", "Cell"),
                                            QT_TRANSLATE_NOOP("MainWindow", "Cell 16Bit")};
        const int number = code & LOW_BYTE_MASK;
        const int type = number < MV100::MACRO_COUNT ? config.macro(number)[0] : 0xFF;
        label.toolTip += QLatin1Char('\n')
            + (type < 4 ? tr("Macro type: %1").arg(tr(types[type])) : tr("Macro not set"));
    }
    return label;
}
