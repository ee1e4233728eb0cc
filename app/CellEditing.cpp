// CellEditing: the clipboard and layer-copy edits of the key layer tabs.
#include "CellEditing.h"

#include "ConfigDocument.h"
#include "KeyDescription.h"
#include "KeyMatrixWidget.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDataStream>
#include <QIODevice>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QTabWidget>

namespace {
// The object names of the Copy Layer To actions.
const char *const LAYER_NAMES[] = {"Default", "FN1", "FN2"};
// A block larger than the matrix cannot come from this editor.
constexpr int MAX_BLOCK_SIDE = 64;
} // namespace

CellEditing::CellEditing(QWidget *window, ConfigDocument *document,
                         QList<KeyMatrixWidget *> matrices, QTabWidget *tabs)
    : QObject(window)
    , m_window(window)
    , m_document(document)
    , m_matrices(std::move(matrices))
    , m_tabs(tabs)
{
    for (KeyMatrixWidget *matrix : std::as_const(m_matrices))
        connect(matrix, &KeyMatrixWidget::deleteRequested, this, &CellEditing::deleteCells);
}

void CellEditing::addActions(QMenu *menu)
{
    const auto add = [this, menu](const char *name, const QString &text,
                                  QKeySequence::StandardKey key, void (CellEditing::*slot)()) {
        QAction *action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, slot);
    };
    menu->addSeparator();
    add("actionCut", tr("Cu&t"), QKeySequence::Cut, &CellEditing::cut);
    add("actionCopy", tr("&Copy"), QKeySequence::Copy, &CellEditing::copy);
    add("actionPaste", tr("&Paste"), QKeySequence::Paste, &CellEditing::paste);
    add("actionDelete", tr("&Delete"), QKeySequence::Delete, &CellEditing::deleteCells);
    menu->addSeparator();
    QMenu *layers = menu->addMenu(tr("Copy Layer To"));
    layers->setObjectName(QStringLiteral("menuCopyLayerTo"));
    for (int layer = 0; layer < MV100::LAYERS; ++layer) {
        QAction *action = layers->addAction(ConfigDocument::layerName(layer));
        action->setObjectName(
            QStringLiteral("actionCopyLayerTo%1").arg(QLatin1String(LAYER_NAMES[layer])));
        connect(action, &QAction::triggered, this, [this, layer]() { copyLayerTo(layer); });
    }
    // Only another layer can be a target.
    connect(layers, &QMenu::aboutToShow, this, [this, layers]() {
        const QList<QAction *> actions = layers->actions();
        for (int layer = 0; layer < actions.size(); ++layer)
            actions[layer]->setEnabled(currentLayer() >= 0 && layer != currentLayer());
    });
}

int CellEditing::currentLayer() const
{
    const QWidget *page = m_tabs->currentWidget();
    for (int layer = 0; layer < m_matrices.size(); ++layer) {
        if (page != nullptr && page->isAncestorOf(m_matrices[layer]))
            return layer;
    }
    return -1;
}

KeyMatrixWidget *CellEditing::currentMatrix() const
{
    return m_matrices.value(currentLayer());
}

QMimeData *CellEditing::mimeData(const Mv100Config &config, int layer, const QRect &cells)
{
    QByteArray codes;
    QDataStream stream(&codes, QIODevice::WriteOnly);
    stream << quint16(cells.height()) << quint16(cells.width());
    QStringList lines;
    for (int row = cells.top(); row <= cells.bottom(); ++row) {
        QStringList names;
        for (int column = cells.left(); column <= cells.right(); ++column) {
            const std::uint16_t code = config.keyCode(layer, column, row);
            stream << quint16(code);
            names << (code == Mv100Config::EMPTY_CELL
                          ? QString()
                          : QString::fromStdWString(KeyDescription::shortName(code)));
        }
        lines << names.join(QLatin1Char('\t'));
    }
    auto *data = new QMimeData;
    data->setData(QString::fromLatin1(MIME_TYPE), codes);
    // A layout pastes into a spreadsheet as a table of key names.
    data->setText(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    return data;
}

QList<QList<std::uint16_t>> CellEditing::codesOf(const QMimeData *data)
{
    if (data == nullptr || !data->hasFormat(QString::fromLatin1(MIME_TYPE)))
        return {};
    QDataStream stream(data->data(QString::fromLatin1(MIME_TYPE)));
    quint16 rows = 0;
    quint16 columns = 0;
    stream >> rows >> columns;
    if (rows == 0 || columns == 0 || rows > MAX_BLOCK_SIDE || columns > MAX_BLOCK_SIDE)
        return {};
    QList<QList<std::uint16_t>> block;
    for (int row = 0; row < rows; ++row) {
        QList<std::uint16_t> codes;
        for (int column = 0; column < columns; ++column) {
            quint16 code = 0;
            stream >> code;
            codes << code;
        }
        block << codes;
    }
    // Content shorter than it says it is was not written by this editor.
    return stream.status() == QDataStream::Ok ? block : QList<QList<std::uint16_t>>();
}

void CellEditing::copy()
{
    const KeyMatrixWidget *matrix = currentMatrix();
    if (matrix == nullptr)
        return;
    QApplication::clipboard()->setMimeData(
        mimeData(m_document->config(), currentLayer(), matrix->selection()));
}

void CellEditing::cut()
{
    if (currentMatrix() == nullptr)
        return;
    copy();
    deleteCells();
}

void CellEditing::deleteCells()
{
    const KeyMatrixWidget *matrix = currentMatrix();
    if (matrix == nullptr)
        return;
    const QRect cells = matrix->selection();
    QList<ConfigDocument::CellEdit> edits;
    for (int row = cells.top(); row <= cells.bottom(); ++row) {
        for (int column = cells.left(); column <= cells.right(); ++column)
            edits << ConfigDocument::CellEdit {currentLayer(), column, row,
                                               Mv100Config::EMPTY_CELL};
    }
    m_document->setCells(edits, tr("Delete"));
}

void CellEditing::paste()
{
    const KeyMatrixWidget *matrix = currentMatrix();
    const QList<QList<std::uint16_t>> block = codesOf(QApplication::clipboard()->mimeData());
    if (matrix == nullptr || block.isEmpty())
        return;
    // At the current cell; what reaches beyond the matrix is left out.
    QList<ConfigDocument::CellEdit> edits;
    for (int r = 0; r < block.size(); ++r) {
        for (int c = 0; c < block[r].size(); ++c) {
            const int row = matrix->currentRow() + r;
            const int column = matrix->currentColumn() + c;
            if (Mv100Config::isCell(currentLayer(), column, row))
                edits << ConfigDocument::CellEdit {currentLayer(), column, row, block[r][c]};
        }
    }
    m_document->setCells(edits, tr("Paste"));
}

void CellEditing::copyLayerTo(int target)
{
    const int source = currentLayer();
    if (source < 0 || target < 0 || target >= MV100::LAYERS || target == source)
        return;
    const Mv100Config &config = m_document->config();
    if (!config.isLayerEmpty(target)) {
        const auto answer = QMessageBox::question(
            m_window, tr("Copy Layer To"),
            tr("The layer %1 is not empty.\nReplace its keys with those of the layer %2?")
                .arg(ConfigDocument::layerName(target), ConfigDocument::layerName(source)),
            QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel);
        if (answer != QMessageBox::Yes)
            return;
    }
    QList<ConfigDocument::CellEdit> edits;
    for (int cell = 0; cell < MV100::CELLS; ++cell) {
        const int column = cell % MV100::COLUMNS;
        const int row = cell / MV100::COLUMNS;
        edits << ConfigDocument::CellEdit {target, column, row,
                                           config.keyCode(source, column, row)};
    }
    m_document->setCells(
        edits,
        tr("Copy Layer %1 To %2")
            .arg(ConfigDocument::layerName(source), ConfigDocument::layerName(target)));
}
