// CellEditing: cut, copy, paste and delete of key cells, and copying a whole layer, each one
// undoable step of the document.
#pragma once

#include "Mv100Config.h"

#include <QList>
#include <QObject>
#include <QRect>

QT_BEGIN_NAMESPACE
class QMenu;
class QMimeData;
class QTabWidget;
class QWidget;
QT_END_NAMESPACE

class ConfigDocument;
class KeyMatrixWidget;

class CellEditing : public QObject
{
    Q_OBJECT

public:
    // The private clipboard format: rows, columns (16 bits each), then the codes row by row.
    static constexpr const char *MIME_TYPE = "application/x-mv100-cells";

    // matrices: the layer tabs' matrices, index = layer; tabs: the tab widget that shows them.
    CellEditing(QWidget *window, ConfigDocument *document, QList<KeyMatrixWidget *> matrices,
                QTabWidget *tabs);

    // Adds Cut, Copy, Paste, Delete and "Copy Layer To" to the Edit menu.
    void addActions(QMenu *menu);

    // The layer of the tab shown now, -1 when it is no layer tab.
    int currentLayer() const;

    void cut();
    void copy();
    void paste();
    void deleteCells();
    // Copies the shown layer to another; asks first when that one is not empty.
    void copyLayerTo(int target);

    // The clipboard content of a block of cells of a layer: the codes and, as text, the short
    // key names separated by tabs and line ends.
    static QMimeData *mimeData(const Mv100Config &config, int layer, const QRect &cells);
    // The codes of a block from clipboard content; empty when it holds none.
    static QList<QList<std::uint16_t>> codesOf(const QMimeData *data);

private:
    KeyMatrixWidget *currentMatrix() const;

    QWidget *m_window;
    ConfigDocument *m_document;
    QList<KeyMatrixWidget *> m_matrices;
    QTabWidget *m_tabs;
};
