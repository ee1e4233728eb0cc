// KeyMatrixWidget: the current cell, keyboard navigation, the selection, scrolling and tool tips.
#include "KeyMatrixWidget.h"

#include "KeyMatrixAccessible.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>

namespace {

// Room kept around a cell scrolled into view, so that its frame is not cut at the viewport edge.
constexpr int kScrollMargin = 4;

bool isActivationKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space
        || key == Qt::Key_F2;
}

bool isNavigationKey(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

// The keys the matrix acts on: moves, plain or with Shift (Home and End also with Ctrl), Ctrl+A,
// and the plain activation keys and Delete.
bool isMatrixKey(int key, Qt::KeyboardModifiers modifiers)
{
    modifiers &= ~Qt::KeypadModifier;
    if (modifiers & ~(Qt::ShiftModifier | Qt::ControlModifier))
        return false;
    if (key == Qt::Key_A)
        return modifiers == Qt::ControlModifier;
    if (isNavigationKey(key))
        return !modifiers.testFlag(Qt::ControlModifier) || key == Qt::Key_Home
            || key == Qt::Key_End;
    return modifiers == Qt::NoModifier && (isActivationKey(key) || key == Qt::Key_Delete);
}

QRect spanning(const QPoint &a, const QPoint &b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

} // namespace

void KeyMatrixWidget::setCurrentCell(int row, int col)
{
    if (!isCell(row, col) || !m_visible[row][col])
        return;
    moveCurrent(row, col, false);
    scrollToCell(row, col);
}

void KeyMatrixWidget::clearSelection()
{
    m_anchor = QPoint(m_currentCol, m_currentRow);
    setSelectionRect(QRect(m_anchor, QSize(1, 1)));
}

void KeyMatrixWidget::selectAll()
{
    m_anchor = QPoint(m_currentCol, m_currentRow);
    setSelectionRect(QRect(0, 0, m_columns, m_rows));
}

void KeyMatrixWidget::moveCurrent(int row, int col, bool extend)
{
    const bool moved = row != m_currentRow || col != m_currentCol;
    if (moved && m_focusFrameShown && hasFocus())
        update();
    m_currentRow = row;
    m_currentCol = col;
    const QPoint current(col, row);
    if (!extend)
        m_anchor = current;
    setSelectionRect(spanning(m_anchor, current));
    if (!moved)
        return;
    emit currentCellChanged(row, col);
    if (hasFocus())
        notifyAccessibleFocus();
}

void KeyMatrixWidget::setSelectionRect(const QRect &selection)
{
    if (selection == m_selection)
        return;
    // Only a selection of several cells is painted; a single cell is shown by the focus frame.
    if (hasSelection() || selection.width() * selection.height() > 1)
        update();
    m_selection = selection;
    KeyMatrixAccessible::notifySelectionChanged(this);
    emit selectionChanged();
}

void KeyMatrixWidget::setFocusFrameShown(bool shown)
{
    if (shown == m_focusFrameShown)
        return;
    m_focusFrameShown = shown;
    if (hasFocus())
        update();
}

void KeyMatrixWidget::notifyAccessibleFocus()
{
    KeyMatrixAccessible::notifyFocus(this, m_currentRow, m_currentCol);
}

bool KeyMatrixWidget::firstVisibleInRow(int row, int from, int step, int &col) const
{
    for (int c = from; c >= 0 && c < m_columns; c += step) {
        if (m_visible[row][c]) {
            col = c;
            return true;
        }
    }
    return false;
}

bool KeyMatrixWidget::firstVisibleInColumn(int col, int from, int step, int &row) const
{
    for (int r = from; r >= 0 && r < m_rows; r += step) {
        if (m_visible[r][col]) {
            row = r;
            return true;
        }
    }
    return false;
}

bool KeyMatrixWidget::firstVisibleCell(bool forward, int &row, int &col) const
{
    const int count = m_rows * m_columns;
    for (int i = 0; i < count; ++i) {
        const int index = forward ? i : count - 1 - i;
        if (m_visible[index / m_columns][index % m_columns]) {
            row = index / m_columns;
            col = index % m_columns;
            return true;
        }
    }
    return false;
}

// Where a navigation key leads from the current cell, skipping hidden cells. False when there is
// no visible cell in that direction: the current cell then stays.
bool KeyMatrixWidget::navigationTarget(int key, bool control, int &row, int &col) const
{
    row = m_currentRow;
    col = m_currentCol;
    switch (key) {
    case Qt::Key_Left:
        return firstVisibleInRow(row, col - 1, -1, col);
    case Qt::Key_Right:
        return firstVisibleInRow(row, col + 1, 1, col);
    case Qt::Key_Up:
        return firstVisibleInColumn(col, row - 1, -1, row);
    case Qt::Key_Down:
        return firstVisibleInColumn(col, row + 1, 1, row);
    case Qt::Key_Home:
        return control ? firstVisibleCell(true, row, col) : firstVisibleInRow(row, 0, 1, col);
    case Qt::Key_End:
        return control ? firstVisibleCell(false, row, col)
                       : firstVisibleInRow(row, m_columns - 1, -1, col);
    case Qt::Key_PageUp: {
        // As far as a page goes, or the nearest visible cell on the way back.
        const int target = std::max(0, m_currentRow - pageRows());
        for (int r = target; r < m_currentRow; ++r) {
            if (m_visible[r][col]) {
                row = r;
                return true;
            }
        }
        return false;
    }
    case Qt::Key_PageDown: {
        const int target = std::min(m_rows - 1, m_currentRow + pageRows());
        for (int r = target; r > m_currentRow; --r) {
            if (m_visible[r][col]) {
                row = r;
                return true;
            }
        }
        return false;
    }
    default:
        return false;
    }
}

// Handles the keys of the matrix; false leaves the key to the parent (Tab, Escape, shortcuts).
bool KeyMatrixWidget::handleKey(const QKeyEvent *event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (!isMatrixKey(key, modifiers))
        return false;
    setFocusFrameShown(true);
    if (key == Qt::Key_A) {
        selectAll();
    } else if (isNavigationKey(key)) {
        int row = 0, col = 0;
        if (navigationTarget(key, modifiers.testFlag(Qt::ControlModifier), row, col)) {
            moveCurrent(row, col, modifiers.testFlag(Qt::ShiftModifier));
            scrollToCell(row, col);
        }
    } else if (key == Qt::Key_Delete) {
        emit deleteRequested();
    } else if (isCell(m_currentRow, m_currentCol) && m_enabled[m_currentRow][m_currentCol]
               && m_visible[m_currentRow][m_currentCol]) {
        // Exactly what a left click on the cell emits, and only where a click would.
        emit keyClicked(m_currentRow, m_currentCol, Qt::LeftButton);
    }
    return true;
}

void KeyMatrixWidget::keyPressEvent(QKeyEvent *event)
{
    if (handleKey(event))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

bool KeyMatrixWidget::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // The matrix's own keys win over window shortcuts while it has the focus.
        const auto *key = static_cast<QKeyEvent *>(event);
        if (isMatrixKey(key->key(), key->modifiers())) {
            event->accept();
            return true;
        }
        break;
    }
    case QEvent::ToolTip: {
        auto *help = static_cast<QHelpEvent *>(event);
        int row = 0, col = 0;
        if (cellFromPos(help->pos(), row, col) && m_visible[row][col]
            && !m_toolTips[row][col].isEmpty()) {
            int w = 0, h = 0;
            calcActualCellSize(w, h);
            QToolTip::showText(help->globalPos(), m_toolTips[row][col], this,
                               cellRect(row, col, w, h));
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    default:
        break;
    }
    return QWidget::event(event);
}

void KeyMatrixWidget::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason
        || reason == Qt::ShortcutFocusReason)
        m_focusFrameShown = true;
    if (m_focusFrameShown)
        update();
    // A current cell hidden since it was chosen gives way to the first visible one; the move
    // announces the new cell itself.
    int row = 0, col = 0;
    if (!m_visible[m_currentRow][m_currentCol] && firstVisibleCell(true, row, col))
        moveCurrent(row, col, false);
    else
        notifyAccessibleFocus();
}

void KeyMatrixWidget::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    if (m_focusFrameShown)
        update();
}

QScrollArea *KeyMatrixWidget::enclosingScrollArea() const
{
    for (QWidget *parent = parentWidget(); parent != nullptr; parent = parent->parentWidget()) {
        if (auto *area = qobject_cast<QScrollArea *>(parent))
            return area;
    }
    return nullptr;
}

int KeyMatrixWidget::pageRows() const
{
    int w = 0, h = 0;
    calcActualCellSize(w, h);
    const QScrollArea *area = enclosingScrollArea();
    const int visibleHeight = area != nullptr ? area->viewport()->height() : height();
    return std::max(1, visibleHeight / (h + m_vSpacing));
}

void KeyMatrixWidget::scrollToCell(int row, int col)
{
    QScrollArea *area = enclosingScrollArea();
    QWidget *content = area != nullptr ? area->widget() : nullptr;
    if (content == nullptr || (content != this && !content->isAncestorOf(this)))
        return;
    int w = 0, h = 0;
    calcActualCellSize(w, h);
    QRect rect = cellRect(row, col, w, h);
    // The first row and column bring their headers into view as well.
    if (row == 0)
        rect.setTop(0);
    if (col == 0)
        rect.setLeft(0);
    const QPoint centre = mapTo(content, rect.center());
    area->ensureVisible(centre.x(), centre.y(), rect.width() / 2 + kScrollMargin,
                        rect.height() / 2 + kScrollMargin);
}
