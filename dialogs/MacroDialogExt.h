// MacroDialogExt: edits the 176 macros of a configuration in place, one macro at a time.
#pragma once

#include "CMorvantide100.h"

#include <QDialog>

#include <array>

QT_BEGIN_NAMESPACE
namespace Ui {
class MacroDialogExt;
}
QT_END_NAMESPACE

class ConfigDocument;
class KeyMatrixWidget;

class MacroDialogExt : public QDialog
{
    Q_OBJECT

public:
    // The macro types in the order of the type selector; the index is the record's byte 0.
    enum MacroType { TypeStable = 0, TypeTyping = 1, TypeCell = 2, TypeCell16Bit = 3 };

    static constexpr int MATRIX_ROWS = 4;
    static constexpr int MATRIX_COLUMNS = 8;
    static constexpr int TIMEOUT_ITEMS = 255; // 0 ms .. 25400 ms in steps of 100 ms

    // config is edited in place and must outlive the dialog.
    MacroDialogExt(CMorvantide100 *config, QWidget *parent = nullptr);
    // Edits the document's macros, each Accept or Clear one undoable step; document must
    // outlive the dialog.
    MacroDialogExt(ConfigDocument *document, QWidget *parent = nullptr);
    ~MacroDialogExt() override;

    KeyMatrixWidget *matrix() const { return m_matrix; }
    // True while the shown macro has no edit that "Accept" has not stored.
    bool isSaved() const { return m_saved; }

    // Closing asks first when the shown macro has unsaved edits.
    void reject() override;

Q_SIGNALS:
    // A record was written into the configuration ("Accept" or "Clear").
    void macroStored();

public Q_SLOTS:
    void onKeyClicked(int row, int col);
    void on_cmb_macro_currentIndexChanged(int index);
    void on_cmb_type_currentIndexChanged(int index);
    void on_btn_save_clicked();
    void on_btn_clearall_clicked();
    void on_cmb_timeout_currentIndexChanged(int index);

private:
    using Record = std::array<unsigned char, MV100::MACRO_SIZE>;

    // The type selector's item; a selector without an item counts as "Stable".
    int currentType() const;
    // Number of cells a type edits, from cell 0 on.
    static int cellCount(int type);
    // Loads macro `number` into the working copy and the controls; not an edit.
    void loadMacro(int number);
    // Cell visibility and the timeout selector's enabled state for the current type.
    void applyTypeLayout();
    // Draws every cell from the working copy, each at the byte position it edits.
    void showCells();
    // Asks the "Macro not saved" question with the given text; true to discard.
    bool confirmDiscard(const QString &text);

    // Builds the controls; shared by both constructors.
    void setUp();
    // The stored record of a macro, and storing one (clear = the Clear button's step).
    Record storedMacro(int number) const;
    void storeMacro(int number, const Record &record, bool clear);

    static QString oneByteText(unsigned char code);
    static QString twoByteText(unsigned char high, unsigned char low);

    Ui::MacroDialogExt *ui = nullptr;
    CMorvantide100 *m_config = nullptr;
    ConfigDocument *m_document = nullptr;
    KeyMatrixWidget *m_matrix = nullptr;
    Record m_macro {};
    int m_current = 0;
    bool m_saved = true;
};
