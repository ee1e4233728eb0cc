// KeyMatrixWidget: geometry, per-cell state and mouse handling of the cell grid.
#include "KeyMatrixWidget.h"

#include "KeyMatrixAccessible.h"

#include <QMouseEvent>
#include <QSizePolicy>

#include <algorithm>

namespace {

// Blank border inside every edge of the widget.
constexpr int kMargin = 4;

// Minimum sizes are computed wide so that absurd dimensions cannot overflow an int.
int clampToWidgetSize(qint64 value)
{
    return int(std::min<qint64>(value, QWIDGETSIZE_MAX));
}

template<typename T> QList<QList<T>> makeGrid(int rows, int columns, const T &value)
{
    return QList<QList<T>>(rows, QList<T>(columns, value));
}

} // namespace

KeyMatrixWidget::KeyMatrixWidget(int rows, int columns, QWidget *parent)
    : QWidget(parent)
{
    KeyMatrixAccessible::installFactory();
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    resetGrid(rows, columns);
}

void KeyMatrixWidget::setMatrixSize(int rows, int columns)
{
    resetGrid(rows, columns);
    KeyMatrixAccessible::notifyModelReset(this);
}

void KeyMatrixWidget::resetGrid(int rows, int columns)
{
    m_rows = std::max(rows, 1);
    m_columns = std::max(columns, 1);
    m_texts = makeGrid(m_rows, m_columns, QString());
    m_backgrounds = makeGrid(m_rows, m_columns, QColor());
    m_borderColors = makeGrid(m_rows, m_columns, QColor());
    m_textColors = makeGrid(m_rows, m_columns, QColor());
    m_enabled = makeGrid(m_rows, m_columns, true);
    m_visible = makeGrid(m_rows, m_columns, true);
    m_toolTips = makeGrid(m_rows, m_columns, QString());
    m_accessibleNames = makeGrid(m_rows, m_columns, QString());
    m_hoverRow = -1;
    m_hoverCol = -1;
    moveCurrent(0, 0, false);
    recalcSize();
}

void KeyMatrixWidget::setCellSize(int w, int h)
{
    m_cellWidth = std::max(w, 4);
    m_cellHeight = std::max(h, 4);
    recalcSize();
}

void KeyMatrixWidget::setSpacing(int h, int v)
{
    m_hSpacing = std::max(h, 0);
    m_vSpacing = std::max(v, 0);
    recalcSize();
}

void KeyMatrixWidget::setGridOffset(int x, int y)
{
    m_gridOffsetX = std::max(x, 0);
    m_gridOffsetY = std::max(y, 0);
    recalcSize();
}

void KeyMatrixWidget::setHeadersVisible(bool visible)
{
    m_rowHeaderVisible = visible;
    m_colHeaderVisible = visible;
    recalcSize();
}

void KeyMatrixWidget::setRowHeaderVisible(bool visible)
{
    m_rowHeaderVisible = visible;
    recalcSize();
}

void KeyMatrixWidget::setColHeaderVisible(bool visible)
{
    m_colHeaderVisible = visible;
    recalcSize();
}

void KeyMatrixWidget::setRowHeaderWidth(int width)
{
    m_rowHeaderWidth = std::max(width, 4);
    recalcSize();
}

void KeyMatrixWidget::setColHeaderHeight(int height)
{
    m_colHeaderHeight = std::max(height, 4);
    recalcSize();
}

void KeyMatrixWidget::recalcSize()
{
    const qint64 width = 2 * kMargin + (m_rowHeaderVisible ? m_rowHeaderWidth : 0) + m_gridOffsetX
        + qint64(m_columns) * m_cellWidth + qint64(m_columns - 1) * m_hSpacing;
    const qint64 height = 2 * kMargin + (m_colHeaderVisible ? m_colHeaderHeight : 0) + m_gridOffsetY
        + qint64(m_rows) * m_cellHeight + qint64(m_rows - 1) * m_vSpacing;
    setMinimumSize(clampToWidgetSize(width), clampToWidgetSize(height));
    update();
}

void KeyMatrixWidget::setRowHeaderPrefix(const QString &prefix)
{
    m_rowHeaderPrefix = prefix;
    update();
}

void KeyMatrixWidget::setColHeaderPrefix(const QString &prefix)
{
    m_colHeaderPrefix = prefix;
    update();
}

void KeyMatrixWidget::setHoverColor(const QColor &color)
{
    m_hoverColor = color;
    update();
}

bool KeyMatrixWidget::isCell(int row, int col) const
{
    return row >= 0 && row < m_rows && col >= 0 && col < m_columns;
}

bool KeyMatrixWidget::cellFromIndex(int index, int &row, int &col) const
{
    if (index < 0 || qint64(index) >= qint64(m_rows) * m_columns)
        return false;
    row = index / m_columns;
    col = index % m_columns;
    return true;
}

void KeyMatrixWidget::updateCell(int row, int col)
{
    int w = 0, h = 0;
    calcActualCellSize(w, h);
    // The frame of the current cell and the hover outline reach a little beyond the cell.
    update(cellRect(row, col, w, h).adjusted(-2, -2, 2, 2));
}

void KeyMatrixWidget::setButtonText(int row, int col, const QString &text)
{
    if (!isCell(row, col))
        return;
    m_texts[row][col] = text;
    updateCell(row, col);
}

void KeyMatrixWidget::setButtonBackground(int row, int col, const QColor &color)
{
    if (!isCell(row, col))
        return;
    m_backgrounds[row][col] = color;
    updateCell(row, col);
}

void KeyMatrixWidget::setButtonBorderColor(int row, int col, const QColor &color)
{
    if (!isCell(row, col))
        return;
    m_borderColors[row][col] = color;
    updateCell(row, col);
}

void KeyMatrixWidget::setButtonTextColor(int row, int col, const QColor &color)
{
    if (!isCell(row, col))
        return;
    m_textColors[row][col] = color;
    updateCell(row, col);
}

void KeyMatrixWidget::setButtonEnabled(int row, int col, bool enabled)
{
    if (!isCell(row, col))
        return;
    m_enabled[row][col] = enabled;
    update();
}

void KeyMatrixWidget::setButtonVisible(int row, int col, bool visible)
{
    if (!isCell(row, col))
        return;
    m_visible[row][col] = visible;
    update();
}

void KeyMatrixWidget::setButtonText(int index, const QString &text)
{
    int row = 0, col = 0;
    if (cellFromIndex(index, row, col))
        setButtonText(row, col, text);
}

void KeyMatrixWidget::setButtonBackground(int index, const QColor &color)
{
    int row = 0, col = 0;
    if (cellFromIndex(index, row, col))
        setButtonBackground(row, col, color);
}

void KeyMatrixWidget::setButtonBorderColor(int index, const QColor &color)
{
    int row = 0, col = 0;
    if (cellFromIndex(index, row, col))
        setButtonBorderColor(row, col, color);
}

void KeyMatrixWidget::setButtonTextColor(int index, const QColor &color)
{
    int row = 0, col = 0;
    if (cellFromIndex(index, row, col))
        setButtonTextColor(row, col, color);
}

void KeyMatrixWidget::setButtonEnabled(int index, bool enabled)
{
    int row = 0, col = 0;
    if (cellFromIndex(index, row, col))
        setButtonEnabled(row, col, enabled);
}

void KeyMatrixWidget::setButtonVisible(int index, bool visible)
{
    int row = 0, col = 0;
    if (cellFromIndex(index, row, col))
        setButtonVisible(row, col, visible);
}

void KeyMatrixWidget::setButtonToolTip(int row, int col, const QString &text)
{
    if (isCell(row, col))
        m_toolTips[row][col] = text;
}

QString KeyMatrixWidget::buttonToolTip(int row, int col) const
{
    return isCell(row, col) ? m_toolTips[row][col] : QString();
}

void KeyMatrixWidget::setButtonAccessibleName(int row, int col, const QString &name)
{
    if (isCell(row, col))
        m_accessibleNames[row][col] = name;
}

QString KeyMatrixWidget::buttonAccessibleName(int row, int col) const
{
    if (!isCell(row, col))
        return QString();
    if (!m_accessibleNames[row][col].isEmpty())
        return m_accessibleNames[row][col];
    const QString text = m_texts[row][col].simplified();
    return text.isEmpty() ? tr("Empty") : text;
}

void KeyMatrixWidget::clearAllTexts()
{
    m_texts = makeGrid(m_rows, m_columns, QString());
    m_toolTips = makeGrid(m_rows, m_columns, QString());
    m_accessibleNames = makeGrid(m_rows, m_columns, QString());
    update();
}

void KeyMatrixWidget::clearAllColors()
{
    m_backgrounds = makeGrid(m_rows, m_columns, QColor());
    m_borderColors = makeGrid(m_rows, m_columns, QColor());
    m_textColors = makeGrid(m_rows, m_columns, QColor());
    update();
}

QString KeyMatrixWidget::buttonText(int row, int col) const
{
    return isCell(row, col) ? m_texts[row][col] : QString();
}

bool KeyMatrixWidget::buttonEnabled(int row, int col) const
{
    return isCell(row, col) && m_enabled[row][col];
}

bool KeyMatrixWidget::buttonVisible(int row, int col) const
{
    return isCell(row, col) && m_visible[row][col];
}

QString KeyMatrixWidget::rowHeaderText(int row) const
{
    return m_rowHeaderPrefix + QString::number(row);
}

QString KeyMatrixWidget::colHeaderText(int col) const
{
    return m_colHeaderPrefix + QString::number(col);
}

int KeyMatrixWidget::gridLeft() const
{
    return kMargin + (m_rowHeaderVisible ? m_rowHeaderWidth : 0) + m_gridOffsetX;
}

int KeyMatrixWidget::gridTop() const
{
    return kMargin + (m_colHeaderVisible ? m_colHeaderHeight : 0) + m_gridOffsetY;
}

void KeyMatrixWidget::calcActualCellSize(int &w, int &h) const
{
    // Extra room is shared evenly; the remainder of the division stays blank at the right/bottom.
    const int availableWidth = width() - kMargin - gridLeft() - (m_columns - 1) * m_hSpacing;
    const int availableHeight = height() - kMargin - gridTop() - (m_rows - 1) * m_vSpacing;
    w = std::max(m_cellWidth, availableWidth / m_columns);
    h = std::max(m_cellHeight, availableHeight / m_rows);
}

QRect KeyMatrixWidget::cellRect(int row, int col, int w, int h) const
{
    return QRect(gridLeft() + col * (w + m_hSpacing), gridTop() + row * (h + m_vSpacing), w, h);
}

QRect KeyMatrixWidget::colHeaderRect(int col, int w) const
{
    const int left = cellRect(0, col, w, 1).left();
    return QRect(QPoint(left, kMargin), QPoint(left + w - 1, m_colHeaderHeight + 2));
}

QRect KeyMatrixWidget::rowHeaderRect(int row, int h) const
{
    const int top = cellRect(row, 0, 1, h).top();
    return QRect(QPoint(kMargin, top), QPoint(m_rowHeaderWidth + 1, top + h - 1));
}

bool KeyMatrixWidget::cellFromPos(const QPoint &pos, int &row, int &col) const
{
    const int px = pos.x() - gridLeft();
    const int py = pos.y() - gridTop();
    if (px < 0 || py < 0)
        return false;

    int w = 0, h = 0;
    calcActualCellSize(w, h);
    const int pitchX = w + m_hSpacing;
    const int pitchY = h + m_vSpacing;
    const int c = px / pitchX;
    const int r = py / pitchY;
    if (c >= m_columns || r >= m_rows)
        return false;
    if (px % pitchX >= w || py % pitchY >= h)
        return false;

    row = r;
    col = c;
    return true;
}

void KeyMatrixWidget::setHover(int row, int col)
{
    m_hoverRow = row;
    m_hoverCol = col;
    update();
}

void KeyMatrixWidget::mousePressEvent(QMouseEvent *event)
{
    int row = 0, col = 0;
    if (!cellFromPos(event->position().toPoint(), row, col) || !m_visible[row][col])
        return;
    setFocusFrameShown(false);
    moveCurrent(row, col, false);
    if (m_enabled[row][col])
        emit keyClicked(row, col, event->button());
}

void KeyMatrixWidget::mouseMoveEvent(QMouseEvent *event)
{
    int row = 0, col = 0;
    if (cellFromPos(event->position().toPoint(), row, col) && m_enabled[row][col]
        && m_visible[row][col]) {
        if (row != m_hoverRow || col != m_hoverCol)
            setHover(row, col);
    } else if (m_hoverRow != -1) {
        setHover(-1, -1);
    }
}

void KeyMatrixWidget::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    setHover(-1, -1);
}

void KeyMatrixWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    update();
}
