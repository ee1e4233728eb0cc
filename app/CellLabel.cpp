// CellLabel: the text, colour, tool tip and accessible name of a key layer cell.
#include "CellLabel.h"

#include "CKeyTable.h"
#include "KeyDescription.h"
#include "MaterialColor.h"

#include <QCoreApplication>

namespace {
QString fromWide(const wchar_t *text)
{
    return QString::fromWCharArray(text);
}
} // namespace

CellLabel CellLabel::of(std::uint16_t code, const Mv100Config &config)
{
    const CKeyTable keys;
    const Kind kind = kindOf(code);
    CellLabel label;
    label.color = textColor(kind);
    switch (kind) {
    case Kind::Empty:
        break;
    case Kind::Media:
        label.text = tr("Media\n") + fromWide(keys.GetKeyName(code, FUNCTION_MASK));
        break;
    case Kind::Macro:
        label.text = tr("Macro\n") + QString::asprintf("#%02d", code & LOW_BYTE_MASK);
        break;
    case Kind::Mouse:
        label.text = tr("Mouse\n") + fromWide(keys.GetKeyName(code, FUNCTION_MASK));
        break;
    case Kind::Led:
        label.text = tr("LED\n") + fromWide(keys.GetKeyName(code, FUNCTION_MASK));
        break;
    case Kind::Key:
        if ((code & 0xF000) == 0xE000) {
            label.text = fromWide(keys.GetModifierKeyName(std::uint16_t(code >> 8), 0xFF))
                + QLatin1Char('\n') + fromWide(keys.GetKeyName(code, LOW_BYTE_MASK));
        } else {
            label.text = fromWide(keys.GetKeyName(code, LOW_BYTE_MASK));
        }
        break;
    }
    label.accessibleName = QString::fromStdWString(KeyDescription::shortName(code));
    label.toolTip = QString::fromStdWString(KeyDescription::toolTip(code));
    if (kind == Kind::Macro) {
        // Which macro, and what kind of macro it is now, named as the macro dialog names it.
        static const char *const types[] = {
            QT_TRANSLATE_NOOP("MainWindow", "Stable"), QT_TRANSLATE_NOOP("MainWindow", "Typing"),
            QT_TRANSLATE_NOOP("MainWindow", "Cell"), QT_TRANSLATE_NOOP("MainWindow", "Cell 16Bit")};
        const int number = code & LOW_BYTE_MASK;
        const int type = number < MV100::MACRO_COUNT ? config.macro(number)[0] : 0xFF;
        label.toolTip += QLatin1Char('\n')
            + (type < 4 ? tr("Macro type: %1")
                              .arg(QCoreApplication::translate("MainWindow", types[type]))
                        : tr("Macro not set"));
    }
    return label;
}

CellLabel::Kind CellLabel::kindOf(std::uint16_t code)
{
    if (code == Mv100Config::EMPTY_CELL)
        return Kind::Empty;
    switch (code >> 8) {
    case 0x01:
        return Kind::Media;
    case 0x02:
        return Kind::Macro;
    case 0x03:
        return Kind::Mouse;
    case 0x04:
        return Kind::Led;
    default:
        return Kind::Key;
    }
}

QColor CellLabel::textColor(Kind kind)
{
    switch (kind) {
    case Kind::Media:
        return MaterialColor::Green;
    case Kind::Macro:
        return MaterialColor::Blue;
    case Kind::Mouse:
        return MaterialColor::Pink;
    case Kind::Led:
        return MaterialColor::Orange;
    default:
        return MaterialColor::Black;
    }
}
