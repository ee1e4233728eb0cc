// KeyMatrixAccessible: the accessible table of a KeyMatrixWidget, its cells and header cells.
#pragma once

#include <QAccessibleWidget>
#include <QHash>
#include <QPoint>

class KeyMatrixWidget;

class KeyMatrixAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit KeyMatrixAccessible(KeyMatrixWidget *matrix);
    ~KeyMatrixAccessible() override;

    // Makes every KeyMatrixWidget use this interface; repeated calls do nothing.
    static void installFactory();
    // Events for assistive tools. Qt hands them on only to an active accessibility bridge.
    static void notifyFocus(KeyMatrixWidget *matrix, int row, int col);
    static void notifySelectionChanged(KeyMatrixWidget *matrix);
    static void notifyModelReset(KeyMatrixWidget *matrix);
    // Sees every event the matrices post, also while no bridge is active and Qt drops them;
    // for diagnostics and tests. nullptr removes it.
    using EventObserver = void (*)(QAccessibleEvent *event);
    static void setEventObserver(EventObserver observer);

    KeyMatrixWidget *matrix() const;
    // The interface of a row (Qt::Vertical) or column (Qt::Horizontal) header cell.
    QAccessibleInterface *headerCell(Qt::Orientation orientation, int index) const;

    // QAccessibleInterface
    void *interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

    // QAccessibleTableInterface
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int columnCount() const override;
    int rowCount() const override;
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface *> selectedCells() const override;
    int selectedColumnCount() const override { return int(selectedColumns().size()); }
    int selectedRowCount() const override { return int(selectedRows().size()); }
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    // The selection follows the keyboard and the mouse only.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *event) override;

private:
    static void post(QAccessibleEvent *event);
    void clearCache();

    // Interfaces handed out so far, owned by Qt's accessibility cache and released here.
    mutable QHash<QPoint, QAccessible::Id> m_cells; // (column, row)
    mutable QHash<QPoint, QAccessible::Id> m_headerCells; // (orientation, index)
};
