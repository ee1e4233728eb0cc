// SettingsTabs: binds the controls of the settings tabs (mouse, LED outputs, backlight, lock keys,
// PIN, custom data, debounce, lock mode and the PIN field) to the configuration document.
#pragma once

#include "Mv100Config.h"

#include <QObject>

#include <array>

QT_BEGIN_NAMESPACE
namespace Ui {
class MainWindow;
}
class QCheckBox;
class QComboBox;
class QSpinBox;
QT_END_NAMESPACE

class ConfigDocument;

// One direction each: a user's edit of a control becomes an undoable settings change of the
// document; a change of the document redraws the controls of its group. No control is ever
// read to build a file or a device write.
class SettingsTabs : public QObject
{
    Q_OBJECT

public:
    SettingsTabs(Ui::MainWindow *ui, ConfigDocument *document, QObject *parent = nullptr);

    // Shows the document's settings in every control.
    void refreshAll();
    void refresh(SettingGroup group);

    // An edit of the LED output index to this code (normalised as the row shows it).
    void setLedCode(int index, std::uint8_t code);
    // Mouse > Load default: an edit when it changes anything.
    void loadMouseDefaults();

private:
    struct MouseControls
    {
        QComboBox *function = nullptr;
        std::array<QCheckBox *, 8> options {};
        std::array<QSpinBox *, 4> axes {};
        std::array<QCheckBox *, 4> ballisticFlags {};
        std::array<QSpinBox *, 8> ballisticTable {};
    };
    struct LedRowControls
    {
        QComboBox *function = nullptr;
        std::array<QCheckBox *, 4> modifiers {}; // Ctrl, Shift, Alt, GUI = bits 0..3
    };

    void findControls();
    void connectEdits();
    // Puts an edited copy of the settings into the document as one step.
    void edit(SettingGroup group, const Mv100Settings &settings, int mergeKey = -1);
    Mv100Settings current() const;
    // A merge key per spin box and line edit, so that consecutive steps of one control merge.
    int mergeKeyOf(const QObject *control) const;

    void showMouse(const Mv100Settings::MouseBlock &block);
    void showLedRow(int index, std::uint8_t code);
    void showBacklight(const Mv100Settings::BacklightBlock &block);

    Ui::MainWindow *ui;
    ConfigDocument *m_document;
    MouseControls m_mouse;
    std::array<LedRowControls, MV100_BLOCK::LED_OUTPUTS> m_led {};
    std::array<QSpinBox *, MV100_BLOCK::BACKLIGHT> m_backlight {};
    QList<const QObject *> m_mergeable;
    // Set while the controls show the document, so that their signals are not taken for edits.
    bool m_showing = false;
};
