// DeviceCommands: the device commands of the window (Read, Write, Erase, Get Info) and the boxes
// that report them.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

QT_BEGIN_NAMESPACE
namespace Ui {
class MainWindow;
}
class QWidget;
QT_END_NAMESPACE

class ConfigDocument;
struct Mv100DeviceInfo;

class DeviceCommands : public QObject
{
    Q_OBJECT

public:
    // confirmDiscard asks the unsaved-changes question with a title; true to go on.
    DeviceCommands(QWidget *window, Ui::MainWindow *ui, ConfigDocument *document,
                   std::function<bool(const QString &)> confirmDiscard);

    // The menu commands: checks and questions first, then the transfer and its box.
    void read();
    void write();
    void erase();
    void info();

    // The transfers alone. readDevice takes the device's content only when every read
    // succeeded and says itself when it cannot reach the device (result 4096); the caller
    // reports every other result.
    unsigned short readDevice();
    unsigned short writeDevice();
    void eraseDevice();
    void infoDevice();

private:
    // The "PIN Error" check of the PIN fields.
    bool checkPins(bool withNewPin);
    void showTransferResult(unsigned short result);
    void showDeviceInfo(const Mv100DeviceInfo &info);

    QWidget *m_window;
    Ui::MainWindow *ui;
    ConfigDocument *m_document;
    std::function<bool(const QString &)> m_confirmDiscard;
};
