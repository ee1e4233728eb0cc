// CellLabel: how a key layer cell shows its code: the text and colour drawn in the cell, its tool
// tip and the name a screen reader says.
#pragma once

#include "Mv100Config.h"

#include <QColor>
#include <QCoreApplication>
#include <QString>

struct CellLabel
{
    Q_DECLARE_TR_FUNCTIONS(CellLabel)

public:
    // What a code assigns, by its high byte; the layer tabs and the legend colour each kind.
    enum class Kind { Empty, Key, Media, Macro, Mouse, Led };

    // Media, mouse and LED names are looked up without bit 11, which no table code carries.
    static constexpr std::uint16_t FUNCTION_MASK = 0xF7FF;
    static constexpr std::uint16_t LOW_BYTE_MASK = 0x00FF;

    QString text;
    QColor color;
    QString toolTip;
    QString accessibleName;

    // config gives the macro records that macro cells describe.
    static CellLabel of(std::uint16_t code, const Mv100Config &config);

    static Kind kindOf(std::uint16_t code);
    // The colour a kind's text is drawn in.
    static QColor textColor(Kind kind);
};
