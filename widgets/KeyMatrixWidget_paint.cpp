// KeyMatrixWidget: painting of the headers and cells, the selection tint, the focus frame and
// the elided cell texts.
#include "KeyMatrixWidget.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

const QColor kDisabledFill(200, 200, 200);
const QColor kDisabledText(150, 150, 150);
const QColor kDefaultOutline(180, 180, 180);
const QColor kDefaultFill(225, 225, 230);
// Drawn over selected cells; translucent so that the cell's own colour still shows.
const QColor kSelectionTint(30, 100, 220, 90);
// Two pixels of dark blue inside a white line: visible on light, dark and hovered cells alike.
const QColor kFocusFrame(0, 40, 140);
constexpr int kFocusFrameWidth = 2;
// Cell texts keep this distance from the cell's left and right edges.
constexpr int kTextPadding = 1;

} // namespace

QFont KeyMatrixWidget::cellFont() const
{
    QFont cell = font();
    cell.setPointSize(7);
    return cell;
}

QString KeyMatrixWidget::elidedLines(const QString &text, const QFontMetrics &metrics,
                                     int width) const
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = metrics.elidedText(line, Qt::ElideRight, width);
    return lines.join(QLatin1Char('\n'));
}

QString KeyMatrixWidget::displayedText(int row, int col) const
{
    if (!isCell(row, col))
        return QString();
    int w = 0, h = 0;
    calcActualCellSize(w, h);
    return elidedLines(m_texts[row][col], QFontMetrics(cellFont()), w - 2 * kTextPadding);
}

void KeyMatrixWidget::paintEvent(QPaintEvent *event)
{
    // An edit of one cell repaints that cell only: the others are not even laid out.
    const QRect dirty = event->rect();
    int w = 0, h = 0;
    calcActualCellSize(w, h);

    const QFont textFont = cellFont();
    QFont headerFont = textFont;
    headerFont.setWeight(QFont::Bold);

    QPainter painter(this);
    painter.setFont(headerFont);
    painter.setPen(Qt::darkGray);
    if (m_colHeaderVisible) {
        for (int col = 0; col < m_columns; ++col)
            painter.drawText(colHeaderRect(col, w), Qt::AlignCenter, colHeaderText(col));
    }
    if (m_rowHeaderVisible) {
        for (int row = 0; row < m_rows; ++row)
            painter.drawText(rowHeaderRect(row, h), Qt::AlignCenter, rowHeaderText(row));
    }

    painter.setFont(textFont);
    painter.setBrush(Qt::NoBrush);
    const QFontMetrics metrics(textFont);
    const bool tinted = hasSelection();
    for (int row = 0; row < m_rows; ++row) {
        for (int col = 0; col < m_columns; ++col) {
            if (!m_visible[row][col] || !cellRect(row, col, w, h).adjusted(-2, -2, 2, 2).intersects(dirty))
                continue;

            // Per-cell colours of a disabled cell stay stored but are not shown.
            QColor fill = kDisabledFill;
            QColor outline = kDefaultOutline;
            QColor text = kDisabledText;
            if (m_enabled[row][col]) {
                const bool hovered = row == m_hoverRow && col == m_hoverCol;
                const QColor &background = m_backgrounds[row][col];
                const QColor &border = m_borderColors[row][col];
                const QColor &textColor = m_textColors[row][col];
                if (border.isValid())
                    outline = border;
                if (hovered) {
                    fill = m_hoverColor;
                    text = Qt::white;
                } else {
                    fill = background.isValid() ? background : kDefaultFill;
                    text = textColor.isValid() ? textColor : QColor(Qt::black);
                }
            }

            const QRect rect = cellRect(row, col, w, h);
            painter.fillRect(rect, fill);
            if (tinted && m_selection.contains(col, row))
                painter.fillRect(rect, kSelectionTint);
            // A 1-pixel outline of a QRect covers one pixel more each way; keep it inside the cell.
            painter.setPen(QPen(outline, 1));
            painter.drawRect(rect.adjusted(0, 0, -1, -1));

            const QString &label = m_texts[row][col];
            if (label.isEmpty())
                continue;
            painter.save();
            painter.setClipRect(rect);
            painter.setPen(text);
            painter.drawText(rect, Qt::AlignCenter,
                             elidedLines(label, metrics, w - 2 * kTextPadding));
            painter.restore();
        }
    }

    if (hasFocus() && m_focusFrameShown && isCell(m_currentRow, m_currentCol)
        && m_visible[m_currentRow][m_currentCol]) {
        const QRect rect = cellRect(m_currentRow, m_currentCol, w, h);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(rect.adjusted(kFocusFrameWidth, kFocusFrameWidth, -kFocusFrameWidth - 1,
                                       -kFocusFrameWidth - 1));
        // A pen of even width is centred on the rectangle's edge: draw it half a width inside.
        painter.setPen(
            QPen(kFocusFrame, kFocusFrameWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        const QRectF frame
            = QRectF(rect).adjusted(kFocusFrameWidth / 2.0, kFocusFrameWidth / 2.0,
                                    -kFocusFrameWidth / 2.0, -kFocusFrameWidth / 2.0);
        painter.drawRect(frame);
    }
}
