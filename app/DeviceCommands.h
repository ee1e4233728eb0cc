// DeviceCommands: the device commands of the window (Read, Write, Erase, Get Info), the backup and
// verify options around Write, and the boxes and status line that report them.
#pragma once

#include "SafeWrite.h"

#include <QObject>
#include <QString>

#include <functional>

QT_BEGIN_NAMESPACE
class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QWidget;
QT_END_NAMESPACE

class ConfigDocument;
struct Mv100DeviceInfo;

class DeviceCommands : public QObject
{
    Q_OBJECT

public:
    // Settings-store keys of the two Write options (booleans, default true).
    static constexpr const char *KEY_BACKUP = "backupBeforeWrite";
    static constexpr const char *KEY_VERIFY = "verifyAfterWrite";

    // confirmDiscard asks the unsaved-changes question with a title; true to go on; openFile
    // opens a configuration file in the editor (Restore Backup).
    DeviceCommands(QMainWindow *window, ConfigDocument *document,
                   std::function<bool(const QString &)> confirmDiscard,
                   std::function<void(const QString &)> openFile);
    // File > Restore Backup and Open Backups Folder before beforeExit; the two Write options at
    // the end of the options menu.
    void createActions(QMenu *fileMenu, QAction *beforeExit, QMenu *optionsMenu);

    // The menu commands: checks and questions first, then the transfer and its box.
    void read();
    void write();
    void erase();

    // The transfers alone. readDevice takes the device's content only when every read
    // succeeded and says itself when it cannot reach the device (result 4096); the caller
    // reports every other result. writeDevice returns the Write's result code; the whole
    // outcome (backup, verify) is lastWrite().
    unsigned short readDevice();
    unsigned short writeDevice();
    void eraseDevice();
    void infoDevice();
    const SafeWriteOutcome &lastWrite() const { return m_lastWrite; }

    SafeWriteOptions writeOptions() const;
    // The status line: the outcome of the last device command with its time.
    QString status() const;

Q_SIGNALS:
    // A Read or Get Info told what the chip is.
    void deviceInfoRead(const Mv100DeviceInfo &info);

private:
    // The "PIN Error" check of the PIN fields.
    bool checkPins(bool withNewPin);
    void showWriteOutcome();
    void setStatus(const QString &outcome);
    // Asked when the backup before a Write could not be made.
    bool confirmWriteWithoutBackup(const SafeWriteOutcome &outcome);
    // A box with an explanation below its text.
    void box(int icon, const QString &title, const QString &text, const QString &informative);

    QMainWindow *m_window;
    ConfigDocument *m_document;
    std::function<bool(const QString &)> m_confirmDiscard;
    std::function<void(const QString &)> m_openFile;
    QAction *m_backupAction = nullptr;
    QAction *m_verifyAction = nullptr;
    QLabel *m_status = nullptr;
    SafeWriteOutcome m_lastWrite;
    bool m_lastReadAllZero = false;
};
