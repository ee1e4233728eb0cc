// DiffText: the differences between two configurations as readable lines and as JSON, with the
// key codes of the cells named.
#pragma once

#include "Mv100Config.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace Mv100Ctl::DiffText {

// The name of a cell's code as the key matrix shows it, on one line: "A", "L-Shift + A",
// "Macro #05", "Rewind", "DAC0 Max", "Empty"; the code in hexadecimal when no table knows it.
QString keyName(std::uint16_t code);
// One difference of from → to: "FN1 X3/Y10: A → L-Shift + A", "Macro 12: byte 3 04 → 05",
// "mouse: byte 2 3C → 40", "PIN: 3C9A71E04B5D28F6 → 0102030405060708".
QString line(const ConfigDifference &difference, const Mv100Config &from, const Mv100Config &to);
QStringList lines(const Mv100Config &from, const Mv100Config &to);
// The same as objects with the numbers and names apart, and the line as "text".
QJsonObject json(const ConfigDifference &difference, const Mv100Config &from,
                 const Mv100Config &to);
QJsonArray jsonArray(const Mv100Config &from, const Mv100Config &to);

} // namespace Mv100Ctl::DiffText
