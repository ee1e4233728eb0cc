// MainWindow: the editor's one window; its operations are split by concern over MainWindow_*.cpp.
#pragma once

#include "CMorvantide100.h"

#include <QList>
#include <QMainWindow>
#include <QString>

#include <array>

QT_BEGIN_NAMESPACE
namespace Ui {
class MainWindow;
}
class QCloseEvent;
QT_END_NAMESPACE

class KeyMatrixWidget;

// Sizes of the settings blocks as the file and the device carry them.
namespace MV100_BLOCK {
constexpr int MOUSE = 15;
constexpr int BACKLIGHT = 15;
constexpr int LED = 8;
constexpr int LED_OUTPUTS = 8;
constexpr int BACKLIGHT_OUTPUTS = 5;
} // namespace MV100_BLOCK

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // --- Key assignment tabs (MainWindow_keys.cpp) ---------------------------------------
    KeyMatrixWidget *createMatrixTab(QWidget *page);
    void setButton(int layer, int x, int y, unsigned short code);
    void Clear();
    // Redraws all 3 x 24 x 16 cells from m_config.
    void redrawAllCells();

    // --- Settings tabs and their byte encodings (MainWindow_settings.cpp) ----------------
    void setLEDElements(unsigned char value, unsigned char index);
    int getLEDElements(int index);
    void onLedCmbFunctionChanged(int index, int item);
    void LoadMouseDefaults();
    bool pinCheck(QString pin);

    unsigned char lockKeyByte() const;
    void applyLockKeyByte(unsigned char value);
    std::array<unsigned char, MV100_BLOCK::MOUSE> mouseBlock() const;
    // Sets the function, checks the boxes of set bits (clear bits leave boxes alone), sets
    // the spin boxes.
    void applyMouseBlock(const unsigned char *block);
    std::array<unsigned char, MV100_BLOCK::BACKLIGHT> backlightBlock() const;
    void applyBacklightBlock(const unsigned char *block);
    std::array<unsigned char, MV100_BLOCK::LED> ledBlock();
    void applyLedBlock(const unsigned char *block);
    unsigned char lockModeByte() const;
    unsigned char debounceByte() const;

    // --- Configuration file format (MainWindow_fileformat.cpp) ---------------------------
    QList<QString> GetItems();
    // Replaces the configuration and the settings by the lines; a list that checkItems refuses
    // is ignored.
    void SetItems(QList<QString> items);
    // Empty when the lines form a configuration that SetItems applies whole; else the problem.
    static QString checkItems(const QList<QString> &items);

    // --- File commands and recent files (MainWindow_files.cpp) ---------------------------
    void updateRecentFilesMenu();
    void addRecentFile(const QString &fileName);
    // The non-empty lines of a file, or none when it cannot be read; the recent list is left to
    // the caller, which adds the file once its content has been accepted.
    QList<QString> LoadFile(QString fileName);
    bool SaveFile(QString fileName, QList<QString> items);
    // Loads a recent entry (asks first when there are unsaved changes).
    void openRecentFile(const QString &fileName);

    // --- Device transfers (MainWindow_device.cpp) -----------------------------------------
    // Takes the device's content only when every read succeeded; says itself when it cannot
    // reach the device (result 4096), the caller reports every other result.
    unsigned short ReadMv100();
    unsigned short WriteMv100();
    void EraseMv100();
    void InfoMv100();

    // --- State, for the window's own parts and for tests ---------------------------------
    CMorvantide100 &config() { return m_config; }
    const CMorvantide100 &config() const { return m_config; }
    KeyMatrixWidget *matrix(int layer) const { return m_matrices.value(layer); }
    bool hasUnsavedChanges() const { return m_changed; }
    void setUnsavedChanges(bool changed) { m_changed = changed; }
    const QList<QString> &recentFiles() const { return m_recentFiles; }

public Q_SLOTS:
    void onKeyClicked(int layer, int row, int col, Qt::MouseButton button);
    void on_actionAbout_triggered();
    void on_actionNew_triggered();
    void on_actionOpen_triggered();
    void on_actionSave_triggered();
    void on_actionWrite_triggered();
    void on_actionRead_triggered();
    void on_actionEmpty_triggered();
    void on_actionInfo_triggered();
    void on_actionMacros_triggered();
    void on_actionExit_triggered();
    void on_actionDefault_triggered();
    void on_actionFN1_triggered();
    void on_actionFN2_triggered();
    void on_mouse_btn_default_clicked();
    void on_btn_pin_default_clicked();
    void on_pin_btn_default_clicked();
    void on_actionForum_triggered();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Marks changes that the program itself makes to the settings controls (reset, file
    // load, device read), so that only the user's edits count as unsaved changes.
    class ProgrammaticChange
    {
    public:
        explicit ProgrammaticChange(MainWindow *window) : m_window(window) { ++m_window->m_programmatic; }
        ~ProgrammaticChange() { --m_window->m_programmatic; }
        ProgrammaticChange(const ProgrammaticChange &) = delete;
        ProgrammaticChange &operator=(const ProgrammaticChange &) = delete;

    private:
        MainWindow *m_window;
    };

    // Connects the edit signals of every control a configuration file stores.
    void connectSettingEdits();
    void onSettingEdited();
    // The "Changes have been made and not saved. Continue?" question; true to go on.
    bool confirmDiscardChanges(const QString &title);
    // Empties one key layer (Options > Clear Table) in the configuration and on screen.
    void clearLayer(int layer);
    // Applies a configuration file whole, or refuses it with a warning and changes nothing.
    bool loadConfiguration(const QString &fileName);
    // Device transfers: the "PIN Error" check of the PIN fields, and the box of a result code.
    bool checkDevicePins(bool withNewPin);
    void showTransferResult(unsigned short result);

    Ui::MainWindow *ui = nullptr;
    QList<KeyMatrixWidget *> m_matrices;
    CMorvantide100 m_config;
    bool m_changed = false;
    QList<QString> m_recentFiles;
    int m_programmatic = 0;
};
