// LegendRenderer: a printable legend of the key layers (title, X/Y headers, each cell's full
// assignment in its kind's colours) painted onto any device, exported as PDF or PNG, or printed.
#pragma once

#include "CellLabel.h"
#include "Mv100Config.h"

#include <QColor>
#include <QDate>
#include <QImage>
#include <QList>
#include <QPageSize>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

QT_BEGIN_NAMESPACE
class QPainter;
class QPrinter;
QT_END_NAMESPACE

struct LegendOptions
{
    enum class Layers { Current, All };
    // The current layer alone, or all three, one page (or PNG file) each.
    Layers layers = Layers::Current;
    int currentLayer = 0;
    // Leaves out every row and column of a layer that has no assignment, at the edges and in
    // between; the headers keep the real X/Y numbers, so the gaps stay visible.
    bool trimEmpty = false;
    // The text of a non-empty cell; empty = LegendRenderer::defaultCellText.
    std::function<QString(quint16)> cellText;
    // Shown in the title: the file's name without its folder ("Untitled" when empty) and the date
    // (today when invalid).
    QString fileName;
    QDate date;
    // One cell in layout units, which are the pixels of a PNG. Pages scale the whole legend to
    // fit, so this also sets the proportions of the printed cells.
    QSize cellSize = QSize(144, 60);
    // The PDF page; printing uses the printer's page.
    QPageSize pageSize = QPageSize(QPageSize::A4);
};

// Where a painted legend put one cell and its text, in layout units.
struct LegendCell
{
    int column = 0;
    int row = 0;
    quint16 code = Mv100Config::EMPTY_CELL;
    QRectF cellRect;
    // The bounding rect of everything written into the cell (kind tag and name); null for an
    // empty cell.
    QRectF textRect;
    qreal fontPixels = 0; // the name's font size
    bool elided = false; // the name did not fit even at the smallest font
};

// The geometry of one painted layer.
struct LegendPage
{
    QSizeF size; // layout units
    QList<int> columns; // the X numbers shown, left to right
    QList<int> rows; // the Y numbers shown, top to bottom
    QList<LegendCell> cells; // row by row
};

namespace LegendRenderer {

using Kind = CellLabel::Kind;

// "Default", "FN1", "FN2" as the layer tabs name them, in the interface's language.
QString layerName(int layer);
// The kind of a code by its high byte, as the layer tabs colour it.
inline Kind kindOf(quint16 code)
{
    return CellLabel::kindOf(code);
}
// "Media", "Macro", "Mouse", "LED"; empty for keys and empty cells.
QString kindTag(Kind kind);
// The text colour of a kind as the layer tabs draw it, its light fill and the cell border.
inline QColor textColor(Kind kind)
{
    return CellLabel::textColor(kind);
}
QColor fillColor(Kind kind);
QColor borderColor();
// The full name of an assignment from the key tables, e.g. "L-Shift + Keyboard a and A",
// "Mouse Left Button", "Macro #05"; the code in hex when the tables do not know it.
QString defaultCellText(quint16 code);

// The layers an export covers, in page order.
QList<int> layersOf(const LegendOptions &options);
// The layout size of a layer's legend.
QSizeF layoutSize(const Mv100Config &config, int layer, const LegendOptions &options);
// Paints a layer's legend at the painter's transform, in layout units, from (0, 0).
LegendPage paint(QPainter *painter, const Mv100Config &config, int layer,
                 const LegendOptions &options);

// One layer as an image of layoutSize pixels on white; page (optional) gets the geometry.
QImage renderPng(const Mv100Config &config, int layer, const LegendOptions &options,
                 LegendPage *page = nullptr);
// The files exportPng writes: file itself for one layer; for all layers one per layer, named
// file's base name + "-Default", "-FN1", "-FN2" + ".png" in file's folder (one file per layer
// rather than one tall image, so that each prints as a page like the PDF's).
QStringList pngFileNames(const QString &file, const LegendOptions &options);
// 8-bit palette PNG files, each replaced only once written whole; the layers are drawn in
// parallel, cellText is called in this thread only.
bool exportPng(const QString &file, const Mv100Config &config, const LegendOptions &options,
               QString *error = nullptr);
// A4 landscape (options.pageSize), one page per layer.
bool exportPdf(const QString &file, const Mv100Config &config, const LegendOptions &options,
               QString *error = nullptr);
// One page per layer on the printer's page and orientation (the print dialog starts landscape).
void print(QPrinter *printer, const Mv100Config &config, const LegendOptions &options);

} // namespace LegendRenderer
