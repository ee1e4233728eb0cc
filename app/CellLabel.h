// CellLabel: how a key layer cell shows its code: the text and colour drawn in the cell, its tool
// tip and the name a screen reader says.
#pragma once

#include "Mv100Config.h"

#include <QColor>
#include <QString>

struct CellLabel
{
    QString text;
    QColor color;
    QString toolTip;
    QString accessibleName;

    // config gives the macro records that macro cells describe.
    static CellLabel of(std::uint16_t code, const Mv100Config &config);
};
