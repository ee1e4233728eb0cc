// LegendRenderer: the legend's layout (trimming, fitting each cell's text) and its painting.
#include "LegendRenderer.h"

#include "CKeyTable.h"
#include "ConfigDocument.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace LegendRenderer {

namespace {
// Layout units; a PNG pixel is one unit.
constexpr qreal MARGIN = 24;
constexpr qreal TITLE_HEIGHT = 44;
constexpr qreal COLUMN_HEADER_HEIGHT = 28;
constexpr qreal ROW_HEADER_WIDTH = 52;
constexpr qreal GAP = 4;
constexpr qreal PADDING = 5;
constexpr int TITLE_PIXELS = 24;
constexpr int HEADER_PIXELS = 16;
constexpr int TAG_PIXELS = 11;
constexpr int NAME_MAX_PIXELS = 17;
constexpr int NAME_MIN_PIXELS = 9;

QString tr(const char *text)
{
    return QCoreApplication::translate("LegendRenderer", text);
}

QString longName(quint16 code)
{
    const KeyMapping &row = CKeyTable::m_KeyMapping[CKeyTable().GetIndexByUsbCode(code)];
    return row.code == code ? QString::fromWCharArray(row.longName).trimmed() : QString();
}

QString hexCode(quint16 code)
{
    return QLatin1String("0x")
        + QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

QFont pixelFont(int pixels, bool bold)
{
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// The columns (or rows) that a page shows: all of them, or those with an assignment.
QList<int> shownLines(const Mv100Config &config, int layer, bool trim, bool columns)
{
    QList<int> lines;
    const int count = columns ? MV100::COLUMNS : MV100::ROWS;
    const int across = columns ? MV100::ROWS : MV100::COLUMNS;
    for (int i = 0; i < count; ++i) {
        bool used = !trim;
        for (int j = 0; j < across && !used; ++j) {
            const quint16 code
                = columns ? config.keyCode(layer, i, j) : config.keyCode(layer, j, i);
            used = code != Mv100Config::EMPTY_CELL;
        }
        if (used)
            lines.append(i);
    }
    return lines;
}

// A cell name set in one font: its lines, and whether the last one had to be cut.
struct FittedText
{
    QFont font;
    QStringList lines;
    bool elided = false;
};

struct WrappedLine
{
    QString text;
    int start = 0;
};

QList<WrappedLine> wrap(const QString &text, const QFont &font, qreal width, QPaintDevice *device)
{
    QString laidOut = text;
    laidOut.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(laidOut, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QList<WrappedLine> lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        QString part = laidOut.mid(line.textStart(), line.textLength());
        part.remove(QChar::LineSeparator);
        lines.append({part.trimmed(), line.textStart()});
    }
    layout.endLayout();
    return lines;
}

// The largest font from NAME_MAX_PIXELS down to NAME_MIN_PIXELS whose wrapped lines fit the
// box; at the smallest one the lines that fit, the last of them elided.
FittedText fitText(const QString &text, const QSizeF &box, QPaintDevice *device)
{
    FittedText fitted;
    for (int pixels = NAME_MAX_PIXELS; pixels >= NAME_MIN_PIXELS; --pixels) {
        const QFont font = pixelFont(pixels, false);
        const QFontMetricsF metrics(font, device);
        const QList<WrappedLine> lines = wrap(text, font, box.width(), device);
        bool fits = (lines.size() - 1) * metrics.lineSpacing() + metrics.height() <= box.height();
        for (const WrappedLine &line : lines)
            fits = fits && metrics.horizontalAdvance(line.text) <= box.width();
        fitted.font = font;
        fitted.lines.clear();
        for (const WrappedLine &line : lines)
            fitted.lines.append(line.text);
        if (fits)
            return fitted;
        if (pixels > NAME_MIN_PIXELS)
            continue;
        // The smallest font: as many lines as fit, the last one taking the rest of the text.
        const int room = std::max(
            1, int(std::floor((box.height() - metrics.height()) / metrics.lineSpacing())) + 1);
        fitted.lines.clear();
        for (int i = 0; i < lines.size() && i < room; ++i) {
            const bool last = i == room - 1 && lines.size() > room;
            const QString line = last ? text.mid(lines.at(i).start).simplified() : lines.at(i).text;
            const QString shown = metrics.elidedText(line, Qt::ElideRight, box.width());
            fitted.elided = fitted.elided || last || shown != line;
            fitted.lines.append(shown);
        }
    }
    return fitted;
}

QRectF gridOrigin()
{
    return QRectF(MARGIN + ROW_HEADER_WIDTH, MARGIN + TITLE_HEIGHT + COLUMN_HEADER_HEIGHT, 0, 0);
}

QString titleOf(int layer, const LegendOptions &options)
{
    const QString file
        = options.fileName.isEmpty() ? tr("Untitled") : QFileInfo(options.fileName).fileName();
    const QDate date = options.date.isValid() ? options.date : QDate::currentDate();
    return tr("%1 layer \u2013 %2 \u2013 %3")
        .arg(layerName(layer), file, date.toString(Qt::ISODate));
}

// Draws one cell; returns its geometry.
LegendCell paintCell(QPainter *painter, const QRectF &rect, quint16 code,
                     const LegendOptions &options)
{
    LegendCell cell;
    cell.code = code;
    cell.cellRect = rect;
    const Kind kind = kindOf(code);
    painter->setPen(QPen(kind == Kind::Empty ? QColor(189, 189, 189) : borderColor(), 1.5));
    painter->setBrush(fillColor(kind));
    painter->drawRect(rect);
    if (kind == Kind::Empty)
        return cell;

    QRectF inner = rect.adjusted(PADDING, PADDING, -PADDING, -PADDING);
    painter->setPen(textColor(kind));
    const QString tag = kindTag(kind);
    if (!tag.isEmpty()) {
        const QFont font = pixelFont(TAG_PIXELS, true);
        const QFontMetricsF metrics(font, painter->device());
        const QString shown = metrics.elidedText(tag, Qt::ElideRight, inner.width());
        painter->setFont(font);
        painter->drawText(QPointF(inner.left(), inner.top() + metrics.ascent()), shown);
        cell.textRect
            = QRectF(inner.left(), inner.top(), metrics.horizontalAdvance(shown), metrics.height());
        inner.setTop(inner.top() + metrics.lineSpacing());
    }

    const QString text = options.cellText ? options.cellText(code) : defaultCellText(code);
    const FittedText fitted = fitText(text, inner.size(), painter->device());
    const QFontMetricsF metrics(fitted.font, painter->device());
    const qreal height = (fitted.lines.size() - 1) * metrics.lineSpacing() + metrics.height();
    qreal top = inner.top() + std::max<qreal>(0, (inner.height() - height) / 2);
    painter->setFont(fitted.font);
    for (const QString &line : fitted.lines) {
        const qreal width = metrics.horizontalAdvance(line);
        const qreal left = inner.center().x() - width / 2;
        painter->drawText(QPointF(left, top + metrics.ascent()), line);
        cell.textRect |= QRectF(left, top, width, metrics.height());
        top += metrics.lineSpacing();
    }
    cell.fontPixels = fitted.font.pixelSize();
    cell.elided = fitted.elided;
    return cell;
}

} // namespace

QString layerName(int layer)
{
    return ConfigDocument::layerName(layer == 1 || layer == 2 ? layer : 0);
}

QString kindTag(Kind kind)
{
    switch (kind) {
    case Kind::Media:
        return tr("Media");
    case Kind::Macro:
        return tr("Macro");
    case Kind::Mouse:
        return tr("Mouse");
    case Kind::Led:
        return tr("LED");
    default:
        return QString();
    }
}

QColor fillColor(Kind kind)
{
    // The palette's lightest tints of the text colours: the kind shows on colour paper, and
    // black-and-white prints keep the text dark on nearly white.
    switch (kind) {
    case Kind::Key:
        return QColor(238, 238, 238);
    case Kind::Media:
        return QColor(232, 245, 233);
    case Kind::Macro:
        return QColor(227, 242, 253);
    case Kind::Mouse:
        return QColor(252, 228, 236);
    case Kind::Led:
        return QColor(255, 243, 224);
    default:
        return Qt::white;
    }
}

QColor borderColor()
{
    return QColor(66, 66, 66);
}

QString defaultCellText(quint16 code)
{
    const quint16 high = code >> 8;
    QString name;
    switch (kindOf(code)) {
    case Kind::Empty:
        return tr("Empty");
    case Kind::Macro:
        return QString::asprintf("Macro #%02d", code & CellLabel::LOW_BYTE_MASK);
    case Kind::Media:
    case Kind::Mouse:
    case Kind::Led:
        name = longName(code & CellLabel::FUNCTION_MASK);
        break;
    case Kind::Key:
        name = longName(code & CellLabel::LOW_BYTE_MASK);
        if ((code & 0xF000) == 0xE000 && !name.isEmpty()) {
            const QString modifier
                = QString::fromWCharArray(CKeyTable().GetModifierKeyName(high, 0xFF));
            if (!modifier.isEmpty())
                name = modifier + QLatin1String(" + ") + name;
        }
        break;
    }
    return name.isEmpty() ? hexCode(code) : name;
}

QList<int> layersOf(const LegendOptions &options)
{
    if (options.layers == LegendOptions::Layers::All)
        return {0, 1, 2};
    return {std::clamp(options.currentLayer, 0, MV100::LAYERS - 1)};
}

QSizeF layoutSize(const Mv100Config &config, int layer, const LegendOptions &options)
{
    // A layer with nothing left after trimming keeps one cell's room for its notice.
    const int columns = std::max<int>(1, shownLines(config, layer, options.trimEmpty, true).size());
    const int rows = std::max<int>(1, shownLines(config, layer, options.trimEmpty, false).size());
    const QRectF origin = gridOrigin();
    return QSizeF(origin.x() + columns * options.cellSize.width() + (columns - 1) * GAP + MARGIN,
                  origin.y() + rows * options.cellSize.height() + (rows - 1) * GAP + MARGIN);
}

LegendPage paint(QPainter *painter, const Mv100Config &config, int layer,
                 const LegendOptions &options)
{
    LegendPage page;
    page.size = layoutSize(config, layer, options);
    page.columns = shownLines(config, layer, options.trimEmpty, true);
    page.rows = shownLines(config, layer, options.trimEmpty, false);
    const QRectF origin = gridOrigin();
    const qreal cellWidth = options.cellSize.width();
    const qreal cellHeight = options.cellSize.height();

    painter->save();
    QFont font = pixelFont(TITLE_PIXELS, true);
    painter->setFont(font);
    painter->setPen(Qt::black);
    const QFontMetricsF titleMetrics(font, painter->device());
    const QString title = titleMetrics.elidedText(titleOf(layer, options), Qt::ElideMiddle,
                                                  page.size.width() - 2 * MARGIN);
    painter->drawText(QPointF(MARGIN, MARGIN + titleMetrics.ascent()), title);

    if (page.columns.isEmpty() || page.rows.isEmpty()) {
        painter->setFont(pixelFont(HEADER_PIXELS, false));
        painter->drawText(QRectF(origin.x(), origin.y(), cellWidth, cellHeight),
                          Qt::AlignCenter | Qt::TextWordWrap, tr("No assignments"));
        painter->restore();
        return page;
    }

    font = pixelFont(HEADER_PIXELS, true);
    painter->setFont(font);
    for (int i = 0; i < page.columns.size(); ++i) {
        const QRectF header(origin.x() + i * (cellWidth + GAP), origin.y() - COLUMN_HEADER_HEIGHT,
                            cellWidth, COLUMN_HEADER_HEIGHT);
        painter->drawText(header, Qt::AlignCenter, QStringLiteral("X%1").arg(page.columns.at(i)));
    }
    for (int j = 0; j < page.rows.size(); ++j) {
        const QRectF header(MARGIN, origin.y() + j * (cellHeight + GAP), ROW_HEADER_WIDTH - GAP,
                            cellHeight);
        painter->drawText(header, Qt::AlignCenter, QStringLiteral("Y%1").arg(page.rows.at(j)));
    }

    for (int j = 0; j < page.rows.size(); ++j) {
        for (int i = 0; i < page.columns.size(); ++i) {
            const QRectF rect(origin.x() + i * (cellWidth + GAP),
                              origin.y() + j * (cellHeight + GAP), cellWidth, cellHeight);
            const int column = page.columns.at(i);
            const int row = page.rows.at(j);
            LegendCell cell = paintCell(painter, rect, config.keyCode(layer, column, row), options);
            cell.column = column;
            cell.row = row;
            page.cells.append(cell);
        }
    }
    painter->restore();
    return page;
}

} // namespace LegendRenderer
