// MaterialColor: the text colours that tell the kind of function in a key cell.
#pragma once

#include <QColor>

namespace MaterialColor {
inline const QColor Blue(33, 150, 243);  // macro
inline const QColor Pink(233, 30, 99);   // mouse
inline const QColor Black(0, 0, 0);      // key, modifier + key
inline const QColor Green(76, 175, 80);  // media
inline const QColor Orange(255, 152, 0); // backlight output
} // namespace MaterialColor
