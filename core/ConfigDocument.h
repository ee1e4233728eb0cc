// ConfigDocument: the configuration being edited, its file, its device PIN and the history of
// its edits. Views change it only through its edit operations, each one undoable step, and
// redraw from its signals.
#pragma once

#include "Mv100Config.h"
#include "UndoStack.h"

#include <QObject>
#include <QString>

class ConfigDocument : public QObject
{
    Q_OBJECT

public:
    // One cell's new code, for edits of many cells at once.
    struct CellEdit
    {
        int layer = 0;
        int column = 0;
        int row = 0;
        std::uint16_t code = Mv100Config::EMPTY_CELL;
    };

    explicit ConfigDocument(QObject *parent = nullptr);

    const Mv100Config &config() const { return m_config; }
    UndoStack *undoStack() { return &m_undo; }
    const UndoStack *undoStack() const { return &m_undo; }

    // The file the configuration was opened from or saved to; empty for a new one.
    QString fileName() const { return m_fileName; }
    bool isModified() const { return !m_undo.isClean(); }

    // The PIN the chip has now (the PIN field of the window). It is no part of the
    // configuration's history: setting it is never undone.
    QString devicePin() const { return m_devicePin; }
    void setDevicePin(const QString &pin);

    // The layer an FN key switches to (1 or 2), 0 for any other code.
    static int fnTargetLayer(std::uint16_t code);
    // A layer's name as its tab shows it, in the interface's language; empty outside 0..2.
    static QString layerName(int layer);

    // --- Edits (each one undoable step) --------------------------------------------------
    // A cell's assignment; an FN key on the Default layer also goes to the layer it switches
    // to, in the same step. Done even when the code is the same: the user chose it.
    void assignKey(int layer, int column, int row, std::uint16_t code);
    // Several cells in one step named text (paste, delete); FN mirroring applies to FN keys put
    // on the Default layer. Cells outside the matrix are left out.
    void setCells(const QList<CellEdit> &edits, const QString &text);
    // Options > Clear Table of one layer.
    void clearLayer(int layer);
    void storeMacro(int number, const Mv100Config::Macro &record);
    void clearMacro(int number);
    // A settings edit of one group. Consecutive edits with the same mergeKey (>= 0, one per
    // control) merge into one step, so that the steps of a spin box undo at once.
    void changeSettings(SettingGroup group, const Mv100Settings &settings, const QString &text,
                        int mergeKey = -1);
    // The whole configuration in one step (a device Read).
    void replaceConfig(const Mv100Config &config, const QString &text);

    // --- Whole-document operations (not undoable) -----------------------------------------
    // New and Open: this configuration, a fresh history, nothing unsaved.
    void reset(const Mv100Config &config = Mv100Config(), const QString &fileName = QString());
    // The present state is the saved one, in this file.
    void markSaved(const QString &fileName);
    void setFileName(const QString &fileName);

Q_SIGNALS:
    void cellChanged(int layer, int column, int row);
    void layerChanged(int layer);
    void macroChanged(int number);
    void settingChanged(SettingGroup group);
    // Everything may have changed.
    void configReplaced();
    void modifiedChanged(bool modified);
    void fileNameChanged(const QString &fileName);
    void devicePinChanged(const QString &pin);

private:
    friend class CellsCommand;
    friend class MacroCommand;
    friend class SettingsCommand;
    friend class ReplaceCommand;

    void applyCells(const QList<CellEdit> &cells);
    void applyMacro(int number, const Mv100Config::Macro &record);
    void applySettings(SettingGroup group, const Mv100Settings &settings);
    void applyConfig(const Mv100Config &config);

    Mv100Config m_config;
    UndoStack m_undo;
    QString m_fileName;
    QString m_devicePin = QString::fromLatin1(MV100_PIN::STRING);
};
