// MainWindow: the editor's one window; its operations are split by concern over MainWindow_*.cpp.
#pragma once

#include "ConfigDocument.h"

#include <QList>
#include <QMainWindow>
#include <QString>

#include <array>

QT_BEGIN_NAMESPACE
namespace Ui {
class MainWindow;
}
class QAction;
class QCloseEvent;
QT_END_NAMESPACE

class CellEditing;
class KeyMatrixWidget;
class DeviceCommands;
class RecentFiles;
class SettingsTabs;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // --- Key assignment tabs (MainWindow_keys.cpp) ---------------------------------------
    KeyMatrixWidget *createMatrixTab(QWidget *page);
    // Draws one cell of a layer tab for a code (the view; the document holds the codes).
    void setButton(int layer, int x, int y, unsigned short code);
    // Redraws all 3 x 24 x 16 cells from the document.
    void redrawAllCells();
    // File > New's reset: an empty configuration, the factory PIN, a fresh history.
    void Clear();

    // --- Settings tabs (MainWindow_settings.cpp; the controls are bound by SettingsTabs) --
    // An edit of LED output index to value, as the row shows it.
    void setLEDElements(unsigned char value, unsigned char index);
    // The code of LED output index; -1 for an index without an output.
    int getLEDElements(int index);
    // Mouse > Load default: one edit.
    void LoadMouseDefaults();
    bool pinCheck(QString pin);

    // --- Configuration file format (MainWindow_fileformat.cpp) ---------------------------
    QList<QString> GetItems();
    // Replaces the configuration by the lines with a fresh history, nothing unsaved, and makes
    // the file's PIN the device PIN; a list that checkItems refuses is ignored.
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
    // Opens a configuration file (the command line's FILE): applied whole, or refused with the
    // usual warning.
    bool openFile(const QString &fileName) { return loadConfiguration(fileName, false); }

    // --- Device transfers (MainWindow_device.cpp) -----------------------------------------
    // Takes the device's content only when every read succeeded; says itself when it cannot
    // reach the device (result 4096), the caller reports every other result.
    unsigned short ReadMv100();
    unsigned short WriteMv100();
    void EraseMv100();
    void InfoMv100();

    // --- State, for the window's own parts and for tests ---------------------------------
    ConfigDocument &document() { return m_document; }
    const Mv100Config &configuration() const { return m_document.config(); }
    KeyMatrixWidget *matrix(int layer) const { return m_matrices.value(layer); }
    bool hasUnsavedChanges() const { return m_document.isModified(); }
    const QList<QString> &recentFiles() const;

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
    // The Edit menu with Undo and Redo (MainWindow_edit.cpp).
    void createEditMenu();
    // File > Export Legend and Print Legend of the layer tab shown (MainWindow_legend.cpp).
    void createLegendActions();
    void exportLegend();
    void printLegend();
    // Redraws the cells of the layer tabs from the document.
    void connectLayerTabs();
    void redrawLayer(int layer);
    // Replaces the configuration with a fresh history and makes its PIN the device PIN.
    void openConfiguration(const Mv100Config &config, const QString &fileName);
    // The "Changes have been made and not saved. Continue?" question; true to go on.
    bool confirmDiscardChanges(const QString &title);
    // Applies a configuration file whole, or refuses it with a warning and changes nothing; a
    // recent entry that cannot be opened may be removed from the list.
    bool loadConfiguration(const QString &fileName, bool recentEntry);
    // File > Save As: always asks for the name, starting with the current one.
    void saveAs();
    bool saveTo(const QString &fileName);
    // "<file name>[*] - Morvantide100 Editor", or "Untitled".
    void updateTitle();

    Ui::MainWindow *ui = nullptr;
    QList<KeyMatrixWidget *> m_matrices;
    ConfigDocument m_document;
    CellEditing *m_cellEditing = nullptr;
    SettingsTabs *m_settingsTabs = nullptr;
    DeviceCommands *m_deviceCommands = nullptr;
    RecentFiles *m_recentFiles = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;
};
