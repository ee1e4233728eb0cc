// DiffText: readable and JSON forms of configuration differences.
#include "DiffText.h"

#include "CKeyTable.h"

namespace Mv100Ctl::DiffText {

namespace {

const QString ARROW = QStringLiteral(" \u2192 ");

QString hexByte(unsigned value)
{
    return QString::asprintf("%02X", value & 0xFFu);
}

QString fromWide(const wchar_t *text)
{
    return QString::fromWCharArray(text);
}

// The before and after text of a setting without a byte index.
QString settingValue(SettingGroup group, const Mv100Settings &s)
{
    switch (group) {
    case SettingGroup::NewPin:
        return s.newPin;
    case SettingGroup::CustomData:
        return s.customData;
    case SettingGroup::LockKeys:
        return hexByte(s.lockKeys);
    case SettingGroup::LockMode:
        return hexByte(s.lockMode);
    case SettingGroup::Debounce:
        return QStringLiteral("%1 ms").arg(s.debounce);
    default:
        return {};
    }
}

const char *kindName(ConfigDifference::Kind kind)
{
    switch (kind) {
    case ConfigDifference::Cell:
        return "cell";
    case ConfigDifference::Macro:
        return "macro";
    case ConfigDifference::Setting:
        return "setting";
    }
    return "";
}

} // namespace

QString layerName(int layer)
{
    switch (layer) {
    case 0:
        return QStringLiteral("Default");
    case 1:
        return QStringLiteral("FN1");
    case 2:
        return QStringLiteral("FN2");
    default:
        return QStringLiteral("Layer %1").arg(layer);
    }
}

QString keyName(std::uint16_t code)
{
    // The same families the key matrix paints, on one line.
    const CKeyTable keys;
    const unsigned high = code >> 8;
    QString name;
    if (code == Mv100Config::EMPTY_CELL)
        return QStringLiteral("Empty");
    if (high == 0x02)
        return QString::asprintf("Macro #%02d", code & 0xFF);
    if (high == 0x01 || high == 0x03 || high == 0x04) {
        name = fromWide(keys.GetKeyName(code, 0xF7FF));
    } else if ((code & 0xF000) == 0xE000) {
        const QString modifier = fromWide(keys.GetModifierKeyName(high, 0xFF));
        const QString key = fromWide(keys.GetKeyName(code, 0x00FF));
        if (!modifier.isEmpty() && !key.isEmpty())
            name = modifier + QStringLiteral(" + ") + key;
    } else if (high == 0x00) {
        name = fromWide(keys.GetKeyName(code, 0x00FF));
    }
    return name.isEmpty() ? QString::asprintf("0x%04X", unsigned(code)) : name;
}

QString line(const ConfigDifference &d, const Mv100Config &from, const Mv100Config &to)
{
    switch (d.kind) {
    case ConfigDifference::Cell:
        return QStringLiteral("%1 X%2/Y%3: %4")
            .arg(layerName(d.layer))
            .arg(d.column)
            .arg(d.row)
            .arg(keyName(std::uint16_t(d.before)) + ARROW + keyName(std::uint16_t(d.after)));
    case ConfigDifference::Macro:
        return QStringLiteral("Macro %1: byte %2 %3")
            .arg(d.macro)
            .arg(d.byteIndex)
            .arg(hexByte(d.before) + ARROW + hexByte(d.after));
    case ConfigDifference::Setting:
        break;
    }
    const QString name = Mv100Config::settingName(d.setting);
    if (d.byteIndex >= 0) {
        return QStringLiteral("%1: byte %2 %3")
            .arg(name)
            .arg(d.byteIndex)
            .arg(hexByte(d.before) + ARROW + hexByte(d.after));
    }
    return name + QStringLiteral(": ") + settingValue(d.setting, from.settings()) + ARROW
        + settingValue(d.setting, to.settings());
}

QStringList lines(const Mv100Config &from, const Mv100Config &to)
{
    QStringList result;
    for (const ConfigDifference &d : from.differences(to))
        result.append(line(d, from, to));
    return result;
}

QJsonObject json(const ConfigDifference &d, const Mv100Config &from, const Mv100Config &to)
{
    QJsonObject object {{QStringLiteral("kind"), QLatin1String(kindName(d.kind))},
                        {QStringLiteral("text"), line(d, from, to)}};
    switch (d.kind) {
    case ConfigDifference::Cell:
        object.insert(QStringLiteral("layer"), layerName(d.layer));
        object.insert(QStringLiteral("column"), d.column);
        object.insert(QStringLiteral("row"), d.row);
        object.insert(QStringLiteral("before"), int(d.before));
        object.insert(QStringLiteral("after"), int(d.after));
        object.insert(QStringLiteral("beforeName"), keyName(std::uint16_t(d.before)));
        object.insert(QStringLiteral("afterName"), keyName(std::uint16_t(d.after)));
        return object;
    case ConfigDifference::Macro:
        object.insert(QStringLiteral("macro"), d.macro);
        break;
    case ConfigDifference::Setting:
        object.insert(QStringLiteral("setting"), Mv100Config::settingName(d.setting));
        if (d.byteIndex < 0) {
            object.insert(QStringLiteral("before"), settingValue(d.setting, from.settings()));
            object.insert(QStringLiteral("after"), settingValue(d.setting, to.settings()));
            return object;
        }
        break;
    }
    object.insert(QStringLiteral("byte"), d.byteIndex);
    object.insert(QStringLiteral("before"), int(d.before));
    object.insert(QStringLiteral("after"), int(d.after));
    return object;
}

QJsonArray jsonArray(const Mv100Config &from, const Mv100Config &to)
{
    QJsonArray result;
    for (const ConfigDifference &d : from.differences(to))
        result.append(json(d, from, to));
    return result;
}

} // namespace Mv100Ctl::DiffText
