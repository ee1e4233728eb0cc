// ConfigDocument: the edited configuration and its undoable edits.
#include "ConfigDocument.h"

#include "CKeyTable.h"

#include <algorithm>

namespace {
// Edits of more cells of one layer than this redraw the layer at once.
constexpr int CELLS_PER_LAYER_REDRAW = 32;
} // namespace

QString ConfigDocument::layerName(int layer)
{
    static const char *const names[]
        = {QT_TRANSLATE_NOOP("ConfigDocument", "Default"),
           QT_TRANSLATE_NOOP("ConfigDocument", "FN1"), QT_TRANSLATE_NOOP("ConfigDocument", "FN2")};
    return layer >= 0 && layer < MV100::LAYERS ? tr(names[layer]) : QString();
}

// --- Commands ---------------------------------------------------------------------------------

class CellsCommand : public UndoCommand
{
public:
    CellsCommand(ConfigDocument *document, QList<ConfigDocument::CellEdit> after,
                 const QString &text)
        : UndoCommand(text)
        , m_document(document)
        , m_after(std::move(after))
    {
        m_before = m_after;
        for (ConfigDocument::CellEdit &cell : m_before)
            cell.code = document->m_config.keyCode(cell.layer, cell.column, cell.row);
        // Restored in reverse, so that a cell named twice gets its first value back.
        std::reverse(m_before.begin(), m_before.end());
    }
    void redo() override { m_document->applyCells(m_after); }
    void undo() override { m_document->applyCells(m_before); }

private:
    ConfigDocument *m_document;
    QList<ConfigDocument::CellEdit> m_after;
    QList<ConfigDocument::CellEdit> m_before;
};

class MacroCommand : public UndoCommand
{
public:
    MacroCommand(ConfigDocument *document, int number, const Mv100Config::Macro &after,
                 const QString &text)
        : UndoCommand(text)
        , m_document(document)
        , m_number(number)
        , m_before(document->m_config.macro(number))
        , m_after(after)
    { }
    void redo() override { m_document->applyMacro(m_number, m_after); }
    void undo() override { m_document->applyMacro(m_number, m_before); }

private:
    ConfigDocument *m_document;
    int m_number;
    Mv100Config::Macro m_before;
    Mv100Config::Macro m_after;
};

class SettingsCommand : public UndoCommand
{
public:
    static constexpr int ID = 1;

    SettingsCommand(ConfigDocument *document, SettingGroup group, const Mv100Settings &after,
                    const QString &text, int mergeKey)
        : UndoCommand(text)
        , m_document(document)
        , m_group(group)
        , m_before(document->m_config.settings())
        , m_after(after)
        , m_mergeKey(mergeKey)
    { }
    void redo() override { m_document->applySettings(m_group, m_after); }
    void undo() override { m_document->applySettings(m_group, m_before); }
    int id() const override { return m_mergeKey >= 0 ? ID : -1; }
    bool mergeWith(const UndoCommand *other) override
    {
        const auto *next = static_cast<const SettingsCommand *>(other);
        if (next->m_mergeKey != m_mergeKey || next->m_group != m_group)
            return false;
        m_after = next->m_after;
        return true;
    }
    bool isObsolete() const override { return m_before == m_after; }

private:
    ConfigDocument *m_document;
    SettingGroup m_group;
    Mv100Settings m_before;
    Mv100Settings m_after;
    int m_mergeKey;
};

class ReplaceCommand : public UndoCommand
{
public:
    ReplaceCommand(ConfigDocument *document, const Mv100Config &after, const QString &text)
        : UndoCommand(text)
        , m_document(document)
        , m_before(document->m_config)
        , m_after(after)
    { }
    void redo() override { m_document->applyConfig(m_after); }
    void undo() override { m_document->applyConfig(m_before); }

private:
    ConfigDocument *m_document;
    Mv100Config m_before;
    Mv100Config m_after;
};

// --- Document ---------------------------------------------------------------------------------

ConfigDocument::ConfigDocument(QObject *parent)
    : QObject(parent)
{
    connect(&m_undo, &UndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
}

void ConfigDocument::setDevicePin(const QString &pin)
{
    if (pin == m_devicePin)
        return;
    m_devicePin = pin;
    emit devicePinChanged(pin);
}

int ConfigDocument::fnTargetLayer(std::uint16_t code)
{
    // The whole code is compared, so a modifier + key code never counts as an FN key.
    return CKeyTable::IsFN1Key(code) ? 1 : CKeyTable::IsFN2Key(code) ? 2 : 0;
}

void ConfigDocument::assignKey(int layer, int column, int row, std::uint16_t code)
{
    if (!Mv100Config::isCell(layer, column, row))
        return;
    setCells({CellEdit {layer, column, row, code}}, tr("Assign X%1/Y%2").arg(column).arg(row));
}

void ConfigDocument::setCells(const QList<CellEdit> &edits, const QString &text)
{
    QList<CellEdit> cells;
    cells.reserve(edits.size());
    for (const CellEdit &edit : edits) {
        if (!Mv100Config::isCell(edit.layer, edit.column, edit.row))
            continue;
        // An FN key on the Default layer is also put on the layer it switches to, so that the
        // key keeps its FN function while that layer is active.
        const int target = edit.layer == 0 ? fnTargetLayer(edit.code) : 0;
        if (target != 0)
            cells.append(CellEdit {target, edit.column, edit.row, edit.code});
        cells.append(edit);
    }
    if (cells.isEmpty())
        return;
    m_undo.push(std::make_unique<CellsCommand>(this, cells, text));
}

void ConfigDocument::clearLayer(int layer)
{
    if (layer < 0 || layer >= MV100::LAYERS)
        return;
    QList<CellEdit> cells;
    cells.reserve(MV100::CELLS);
    for (int cell = 0; cell < MV100::CELLS; ++cell)
        cells.append(CellEdit {layer, cell % MV100::COLUMNS, cell / MV100::COLUMNS,
                               Mv100Config::EMPTY_CELL});
    m_undo.push(
        std::make_unique<CellsCommand>(this, cells, tr("Clear Table %1").arg(layerName(layer))));
}

void ConfigDocument::storeMacro(int number, const Mv100Config::Macro &record)
{
    if (number < 0 || number >= MV100::MACRO_COUNT)
        return;
    m_undo.push(
        std::make_unique<MacroCommand>(this, number, record, tr("Store Macro %1").arg(number)));
}

void ConfigDocument::clearMacro(int number)
{
    if (number < 0 || number >= MV100::MACRO_COUNT)
        return;
    Mv100Config::Macro record {};
    record[0] = 0xFF;
    m_undo.push(
        std::make_unique<MacroCommand>(this, number, record, tr("Clear Macro %1").arg(number)));
}

void ConfigDocument::changeSettings(SettingGroup group, const Mv100Settings &settings,
                                    const QString &text, int mergeKey)
{
    m_undo.push(std::make_unique<SettingsCommand>(this, group, settings, text, mergeKey));
}

void ConfigDocument::replaceConfig(const Mv100Config &config, const QString &text)
{
    m_undo.push(std::make_unique<ReplaceCommand>(this, config, text));
}

void ConfigDocument::reset(const Mv100Config &config, const QString &fileName)
{
    m_undo.clear();
    applyConfig(config);
    setFileName(fileName);
}

void ConfigDocument::markSaved(const QString &fileName)
{
    setFileName(fileName);
    m_undo.setClean();
}

void ConfigDocument::setFileName(const QString &fileName)
{
    if (fileName == m_fileName)
        return;
    m_fileName = fileName;
    emit fileNameChanged(fileName);
}

void ConfigDocument::applyCells(const QList<CellEdit> &cells)
{
    std::array<int, MV100::LAYERS> perLayer {};
    for (const CellEdit &cell : cells) {
        m_config.setKeyCode(cell.layer, cell.column, cell.row, cell.code);
        ++perLayer[std::size_t(cell.layer)];
    }
    for (int layer = 0; layer < MV100::LAYERS; ++layer) {
        if (perLayer[layer] > CELLS_PER_LAYER_REDRAW)
            emit layerChanged(layer);
    }
    for (const CellEdit &cell : cells) {
        if (perLayer[std::size_t(cell.layer)] <= CELLS_PER_LAYER_REDRAW)
            emit cellChanged(cell.layer, cell.column, cell.row);
    }
}

void ConfigDocument::applyMacro(int number, const Mv100Config::Macro &record)
{
    m_config.setMacro(number, record);
    emit macroChanged(number);
}

void ConfigDocument::applySettings(SettingGroup group, const Mv100Settings &settings)
{
    m_config.settings() = settings;
    emit settingChanged(group);
}

void ConfigDocument::applyConfig(const Mv100Config &config)
{
    m_config = config;
    emit configReplaced();
}
