// KeyMatrixAccessible: the matrix as an accessible table of cells named after their keys.
#include "KeyMatrixAccessible.h"

#include "KeyMatrixWidget.h"

#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace {

QRect globalRect(const QWidget *widget, const QRect &rect)
{
    return QRect(widget->mapToGlobal(rect.topLeft()), rect.size());
}

QWindow *windowOf(const QWidget *widget)
{
    return widget != nullptr ? widget->window()->windowHandle() : nullptr;
}

// A header label, announced with the cells of its row or column; not a child of the table.
class HeaderCell : public QAccessibleInterface
{
public:
    HeaderCell(KeyMatrixWidget *matrix, Qt::Orientation orientation, int index)
        : m_matrix(matrix)
        , m_orientation(orientation)
        , m_index(index)
    { }

    bool isValid() const override
    {
        return m_matrix != nullptr && m_index >= 0
            && m_index < (m_orientation == Qt::Vertical ? m_matrix->rows() : m_matrix->columns());
    }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return windowOf(m_matrix); }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_matrix);
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text type) const override
    {
        if (type != QAccessible::Name || !isValid())
            return QString();
        return m_orientation == Qt::Vertical ? m_matrix->rowHeaderText(m_index)
                                             : m_matrix->colHeaderText(m_index);
    }
    void setText(QAccessible::Text, const QString &) override { }
    QRect rect() const override
    {
        if (!isValid())
            return QRect();
        int w = 0, h = 0;
        m_matrix->calcActualCellSize(w, h);
        return globalRect(m_matrix,
                          m_orientation == Qt::Vertical ? m_matrix->rowHeaderRect(m_index, h)
                                                        : m_matrix->colHeaderRect(m_index, w));
    }
    QAccessible::Role role() const override
    {
        return m_orientation == Qt::Vertical ? QAccessible::RowHeader : QAccessible::ColumnHeader;
    }
    QAccessible::State state() const override { return {}; }

private:
    QPointer<KeyMatrixWidget> m_matrix;
    Qt::Orientation m_orientation;
    int m_index;
};

class Cell : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    Cell(KeyMatrixWidget *matrix, int row, int col)
        : m_matrix(matrix)
        , m_row(row)
        , m_col(col)
    { }

    bool isValid() const override
    {
        return m_matrix != nullptr && m_row < m_matrix->rows() && m_col < m_matrix->columns();
    }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return windowOf(m_matrix); }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_matrix);
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text type) const override
    {
        if (!isValid())
            return QString();
        if (type == QAccessible::Name)
            return m_matrix->buttonAccessibleName(m_row, m_col);
        if (type == QAccessible::Description)
            return m_matrix->buttonToolTip(m_row, m_col);
        return QString();
    }
    void setText(QAccessible::Text, const QString &) override { }
    QRect rect() const override
    {
        if (!isValid())
            return QRect();
        int w = 0, h = 0;
        m_matrix->calcActualCellSize(w, h);
        return globalRect(m_matrix, m_matrix->cellRect(m_row, m_col, w, h));
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid())
            return state;
        state.focusable = true;
        state.selectable = true;
        state.selected = isSelected();
        state.focused = m_matrix->hasFocus() && m_matrix->currentRow() == m_row
            && m_matrix->currentColumn() == m_col;
        state.invisible = !m_matrix->buttonVisible(m_row, m_col);
        state.disabled = !m_matrix->buttonEnabled(m_row, m_col);
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface *>(this);
        return nullptr;
    }

    bool isSelected() const override
    {
        return isValid() && m_matrix->buttonVisible(m_row, m_col)
            && m_matrix->selection().contains(m_col, m_row);
    }
    QList<QAccessibleInterface *> columnHeaderCells() const override
    {
        return headerCells(Qt::Horizontal, m_col);
    }
    QList<QAccessibleInterface *> rowHeaderCells() const override
    {
        return headerCells(Qt::Vertical, m_row);
    }
    int columnIndex() const override { return m_col; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

private:
    QList<QAccessibleInterface *> headerCells(Qt::Orientation orientation, int index) const
    {
        auto *table = isValid() ? static_cast<KeyMatrixAccessible *>(parent()) : nullptr;
        QAccessibleInterface *header = table ? table->headerCell(orientation, index) : nullptr;
        return header ? QList<QAccessibleInterface *> {header} : QList<QAccessibleInterface *> {};
    }

    QPointer<KeyMatrixWidget> m_matrix;
    int m_row;
    int m_col;
};

KeyMatrixAccessible::EventObserver g_observer = nullptr;

QAccessibleInterface *createInterface(const QString &className, QObject *object)
{
    Q_UNUSED(className);
    if (auto *matrix = qobject_cast<KeyMatrixWidget *>(object))
        return new KeyMatrixAccessible(matrix);
    return nullptr;
}

} // namespace

KeyMatrixAccessible::KeyMatrixAccessible(KeyMatrixWidget *matrix)
    : QAccessibleWidget(matrix, QAccessible::Table)
{ }

KeyMatrixAccessible::~KeyMatrixAccessible()
{
    clearCache();
}

void KeyMatrixAccessible::installFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(createInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

void KeyMatrixAccessible::setEventObserver(EventObserver observer)
{
    g_observer = observer;
}

void KeyMatrixAccessible::post(QAccessibleEvent *event)
{
    if (g_observer != nullptr)
        g_observer(event);
    QAccessible::updateAccessibility(event);
}

void KeyMatrixAccessible::notifyFocus(KeyMatrixWidget *matrix, int row, int col)
{
    QAccessibleEvent event(matrix, QAccessible::Focus);
    event.setChild(row * matrix->columns() + col);
    post(&event);
}

void KeyMatrixAccessible::notifySelectionChanged(KeyMatrixWidget *matrix)
{
    QAccessibleEvent event(matrix, QAccessible::SelectionWithin);
    post(&event);
}

void KeyMatrixAccessible::notifyModelReset(KeyMatrixWidget *matrix)
{
    QAccessibleTableModelChangeEvent event(matrix, QAccessibleTableModelChangeEvent::ModelReset);
    post(&event);
}

KeyMatrixWidget *KeyMatrixAccessible::matrix() const
{
    return static_cast<KeyMatrixWidget *>(widget());
}

void *KeyMatrixAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

int KeyMatrixAccessible::childCount() const
{
    return matrix()->rows() * matrix()->columns();
}

QAccessibleInterface *KeyMatrixAccessible::child(int index) const
{
    const int columns = matrix()->columns();
    if (index < 0 || index >= childCount())
        return nullptr;
    return cellAt(index / columns, index % columns);
}

int KeyMatrixAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const auto *cell = dynamic_cast<const Cell *>(child);
    if (cell == nullptr || !cell->isValid()
        || cell->table() != static_cast<const QAccessibleInterface *>(this))
        return -1;
    return cell->rowIndex() * matrix()->columns() + cell->columnIndex();
}

QAccessibleInterface *KeyMatrixAccessible::childAt(int x, int y) const
{
    int row = 0, col = 0;
    if (!matrix()->cellFromPos(matrix()->mapFromGlobal(QPoint(x, y)), row, col))
        return nullptr;
    return cellAt(row, col);
}

QAccessibleInterface *KeyMatrixAccessible::focusChild() const
{
    if (!matrix()->hasFocus())
        return nullptr;
    return cellAt(matrix()->currentRow(), matrix()->currentColumn());
}

QString KeyMatrixAccessible::columnDescription(int column) const
{
    return column >= 0 && column < columnCount() ? matrix()->colHeaderText(column) : QString();
}

QString KeyMatrixAccessible::rowDescription(int row) const
{
    return row >= 0 && row < rowCount() ? matrix()->rowHeaderText(row) : QString();
}

int KeyMatrixAccessible::columnCount() const
{
    return matrix()->columns();
}

int KeyMatrixAccessible::rowCount() const
{
    return matrix()->rows();
}

QAccessibleInterface *KeyMatrixAccessible::cellAt(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    const QPoint key(column, row);
    if (const QAccessible::Id id = m_cells.value(key))
        return QAccessible::accessibleInterface(id);
    QAccessibleInterface *cell = new Cell(matrix(), row, column);
    m_cells.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

QAccessibleInterface *KeyMatrixAccessible::headerCell(Qt::Orientation orientation, int index) const
{
    if (index < 0 || index >= (orientation == Qt::Vertical ? rowCount() : columnCount()))
        return nullptr;
    const QPoint key(int(orientation), index);
    if (const QAccessible::Id id = m_headerCells.value(key))
        return QAccessible::accessibleInterface(id);
    QAccessibleInterface *header = new HeaderCell(matrix(), orientation, index);
    m_headerCells.insert(key, QAccessible::registerAccessibleInterface(header));
    return header;
}

int KeyMatrixAccessible::selectedCellCount() const
{
    return int(selectedCells().size());
}

QList<QAccessibleInterface *> KeyMatrixAccessible::selectedCells() const
{
    QList<QAccessibleInterface *> cells;
    const QRect selection = matrix()->selection();
    for (int row = selection.top(); row <= selection.bottom(); ++row) {
        for (int col = selection.left(); col <= selection.right(); ++col) {
            QAccessibleInterface *cell = cellAt(row, col);
            if (cell->tableCellInterface()->isSelected())
                cells.append(cell);
        }
    }
    return cells;
}

QList<int> KeyMatrixAccessible::selectedColumns() const
{
    QList<int> columns;
    for (int col = 0; col < columnCount(); ++col) {
        if (isColumnSelected(col))
            columns.append(col);
    }
    return columns;
}

QList<int> KeyMatrixAccessible::selectedRows() const
{
    QList<int> rows;
    for (int row = 0; row < rowCount(); ++row) {
        if (isRowSelected(row))
            rows.append(row);
    }
    return rows;
}

bool KeyMatrixAccessible::isColumnSelected(int column) const
{
    const QRect selection = matrix()->selection();
    return selection.height() == rowCount() && column >= selection.left()
        && column <= selection.right();
}

bool KeyMatrixAccessible::isRowSelected(int row) const
{
    const QRect selection = matrix()->selection();
    return selection.width() == columnCount() && row >= selection.top()
        && row <= selection.bottom();
}

void KeyMatrixAccessible::modelChange(QAccessibleTableModelChangeEvent *event)
{
    // Only whole resets happen: the matrix changes its size and nothing else.
    if (event->modelChangeType() == QAccessibleTableModelChangeEvent::ModelReset)
        clearCache();
}

void KeyMatrixAccessible::clearCache()
{
    for (const QAccessible::Id id : std::as_const(m_cells))
        QAccessible::deleteAccessibleInterface(id);
    for (const QAccessible::Id id : std::as_const(m_headerCells))
        QAccessible::deleteAccessibleInterface(id);
    m_cells.clear();
    m_headerCells.clear();
}
