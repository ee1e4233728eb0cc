// DiffText: readable and JSON forms of configuration differences.
#include "DiffText.h"

#include "ConfigDocument.h"
#include "KeyDescription.h"

namespace Mv100Ctl::DiffText {

namespace {

const QString ARROW = QStringLiteral(" \u2192 ");

QString hexByte(unsigned value)
{
    return QString::asprintf("%02X", value & 0xFFu);
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

QString keyName(std::uint16_t code)
{
    // The names the key matrix shows, on one line; a code no table knows as its number.
    const QString name = QString::fromStdWString(KeyDescription::shortName(code));
    return name == QLatin1String("Unknown") ? QString::asprintf("0x%04X", unsigned(code)) : name;
}

QString line(const ConfigDifference &d, const Mv100Config &from, const Mv100Config &to)
{
    switch (d.kind) {
    case ConfigDifference::Cell:
        return QStringLiteral("%1 X%2/Y%3: %4")
            .arg(ConfigDocument::layerName(d.layer))
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
        object.insert(QStringLiteral("layer"), ConfigDocument::layerName(d.layer));
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
