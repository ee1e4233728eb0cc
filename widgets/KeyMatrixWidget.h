// KeyMatrixWidget: a custom-painted grid of labelled cells with headers, hover, a click signal,
// a keyboard-driven current cell and a rectangular selection.
#pragma once

#include <QColor>
#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>

class QScrollArea;

class KeyMatrixWidget : public QWidget
{
    Q_OBJECT

public:
    KeyMatrixWidget(int rows, int columns, QWidget *parent = nullptr);

    void setMatrixSize(int rows, int columns);
    void setCellSize(int w, int h);
    void setSpacing(int h, int v);
    void setGridOffset(int x, int y);
    void setHeadersVisible(bool visible);
    void setRowHeaderVisible(bool visible);
    void setColHeaderVisible(bool visible);
    void setRowHeaderWidth(int width);
    void setColHeaderHeight(int height);
    void recalcSize();

    void setRowHeaderPrefix(const QString &prefix);
    void setColHeaderPrefix(const QString &prefix);
    void setHoverColor(const QColor &color);

    void setButtonText(int row, int col, const QString &text);
    void setButtonBackground(int row, int col, const QColor &color);
    void setButtonBorderColor(int row, int col, const QColor &color);
    void setButtonTextColor(int row, int col, const QColor &color);
    void setButtonEnabled(int row, int col, bool enabled);
    void setButtonVisible(int row, int col, bool visible);

    void setButtonText(int index, const QString &text);
    void setButtonBackground(int index, const QColor &color);
    void setButtonBorderColor(int index, const QColor &color);
    void setButtonTextColor(int index, const QColor &color);
    void setButtonEnabled(int index, bool enabled);
    void setButtonVisible(int index, bool visible);

    // Shown over the cell on a tool-tip event; none over an empty tip.
    void setButtonToolTip(int row, int col, const QString &text);
    QString buttonToolTip(int row, int col) const;
    // The name a screen reader announces for the cell.
    void setButtonAccessibleName(int row, int col, const QString &name);

    // Clears the texts, tool tips and accessible names of all cells.
    void clearAllTexts();
    void clearAllColors();

    QString buttonText(int row, int col) const;
    bool buttonEnabled(int row, int col) const;
    bool buttonVisible(int row, int col) const;
    // The name set for the cell, else its text on one line, else "Empty".
    QString buttonAccessibleName(int row, int col) const;

    // Header labels, "Y10" and "X3" with the prefixes "Y" and "X".
    QString rowHeaderText(int row) const;
    QString colHeaderText(int col) const;
    // The font of the cell texts, and a cell's text as painted: each line elided to the width.
    QFont cellFont() const;
    QString displayedText(int row, int col) const;

    // The current cell: moved by the keyboard, set by a mouse press, framed while focused.
    int currentRow() const { return m_currentRow; }
    int currentColumn() const { return m_currentCol; }
    // Ignored for a cell outside the matrix or a hidden one; clears the selection.
    void setCurrentCell(int row, int col);

    // The selected cells in cell coordinates (x = column, y = row); the current cell alone when
    // nothing is extended.
    QRect selection() const { return m_selection; }
    bool hasSelection() const { return m_selection.width() * m_selection.height() > 1; }
    void clearSelection();
    void selectAll();

    int rows() const { return m_rows; }
    int columns() const { return m_columns; }

    void calcActualCellSize(int &w, int &h) const;
    QRect cellRect(int row, int col, int w, int h) const;
    bool cellFromPos(const QPoint &pos, int &row, int &col) const;
    // Label areas of the headers for an actual cell width w (column) or height h (row).
    QRect colHeaderRect(int col, int w) const;
    QRect rowHeaderRect(int row, int h) const;

Q_SIGNALS:
    void keyClicked(int row, int col, Qt::MouseButton button);
    void currentCellChanged(int row, int col);
    void selectionChanged();
    void deleteRequested();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void resetGrid(int rows, int columns);
    bool isCell(int row, int col) const;
    // Schedules a repaint of one cell and its frame.
    void updateCell(int row, int col);
    bool cellFromIndex(int index, int &row, int &col) const;
    int gridLeft() const;
    int gridTop() const;
    void setHover(int row, int col);
    QString elidedLines(const QString &text, const QFontMetrics &metrics, int width) const;

    // Keyboard navigation (KeyMatrixWidget_keyboard.cpp).
    bool handleKey(const QKeyEvent *event);
    bool navigationTarget(int key, bool control, int &row, int &col) const;
    bool firstVisibleInRow(int row, int from, int step, int &col) const;
    bool firstVisibleInColumn(int col, int from, int step, int &row) const;
    bool firstVisibleCell(bool forward, int &row, int &col) const;
    void moveCurrent(int row, int col, bool extend);
    void setSelectionRect(const QRect &selection);
    void setFocusFrameShown(bool shown);
    QScrollArea *enclosingScrollArea() const;
    int pageRows() const;
    void scrollToCell(int row, int col);
    void notifyAccessibleFocus();

    bool m_rowHeaderVisible = true;
    bool m_colHeaderVisible = true;
    int m_rowHeaderWidth = 22;
    int m_colHeaderHeight = 18;
    QString m_rowHeaderPrefix;
    QString m_colHeaderPrefix;
    int m_rows = 1;
    int m_columns = 1;
    int m_cellWidth = 37;
    int m_cellHeight = 25;
    int m_hSpacing = 1;
    int m_vSpacing = 1;
    int m_gridOffsetX = 0;
    int m_gridOffsetY = 0;
    QList<QList<QString>> m_texts;
    QList<QList<QColor>> m_backgrounds;
    QList<QList<QColor>> m_borderColors;
    QList<QList<QColor>> m_textColors;
    QList<QList<bool>> m_enabled;
    QList<QList<bool>> m_visible;
    QList<QList<QString>> m_toolTips;
    QList<QList<QString>> m_accessibleNames;
    QColor m_hoverColor = QColor(80, 140, 210);
    int m_hoverRow = -1;
    int m_hoverCol = -1;
    int m_currentRow = 0;
    int m_currentCol = 0;
    QPoint m_anchor; // the fixed corner of a Shift-extended selection (x = column, y = row)
    QRect m_selection {0, 0, 1, 1};
    // The focus frame follows keyboard use: a mouse press hides it until the next key.
    bool m_focusFrameShown = false;
};
