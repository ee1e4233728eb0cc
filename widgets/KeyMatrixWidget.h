// KeyMatrixWidget: a custom-painted grid of labelled cells with headers, hover and a click signal.
#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QWidget>

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

    void clearAllTexts();
    void clearAllColors();

    QString buttonText(int row, int col) const;
    bool buttonEnabled(int row, int col) const;
    bool buttonVisible(int row, int col) const;

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

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool isCell(int row, int col) const;
    bool cellFromIndex(int index, int &row, int &col) const;
    int gridLeft() const;
    int gridTop() const;
    void setHover(int row, int col);

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
    QColor m_hoverColor = QColor(80, 140, 210);
    int m_hoverRow = -1;
    int m_hoverCol = -1;
};
