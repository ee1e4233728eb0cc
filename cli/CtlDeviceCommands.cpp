// CtlDeviceCommands: mv100ctl's info, list, read, verify and erase.
#include "ConfigFile.h"
#include "CtlIo.h"
#include "CtlMessages.h"
#include "CtlShared.h"
#include "DeviceMessages.h"
#include "DiffText.h"
#include "Mv100Ctl.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>

namespace Mv100Ctl {

namespace {

QString customDataText(const Mv100DeviceInfo &info, const QString &separator)
{
    QStringList bytes;
    for (const std::uint8_t byte : info.customData)
        bytes.append(QString::asprintf("%02X", byte));
    return bytes.join(separator);
}

} // namespace

int commandInfo(const Request &request, Io &io)
{
    Mv100Transfer transfer;
    if (!openChip(io, transfer, QStringLiteral("No Morvantide100 present")))
        return EXIT_NO_DEVICE;
    Mv100DeviceInfo info;
    const bool answered = transfer.Info(info);
    transfer.Close();
    if (!answered) {
        error(io, QStringLiteral("No Morvantide100 present"));
        return EXIT_DEVICE_FAILED;
    }
    const QString serial = info.serialText();
    const QString firmware = info.firmwareText();
    if (request.json) {
        printJson(io,
                  {{QStringLiteral("vendorId"), int(MV100::VENDOR_ID)},
                   {QStringLiteral("productId"), int(MV100::PRODUCT_ID)},
                   {QStringLiteral("serial"), serial},
                   {QStringLiteral("firmware"), firmware},
                   {QStringLiteral("customData"), customDataText(info, QString())},
                   {QStringLiteral("locked"), info.locked},
                   {QStringLiteral("eraseCount"), int(info.eraseCount)}});
        return EXIT_OK;
    }
    // The labels and number forms of the editor's Device info tab.
    const auto row = [&io](const char *label, const QString &value) {
        io.out(QStringLiteral("%1 %2\n").arg(QLatin1String(label), -18).arg(value));
    };
    row("Vendor ID:", QString::asprintf("0x%04X (%d)", MV100::VENDOR_ID, int(MV100::VENDOR_ID)));
    row("Product ID:", QString::asprintf("0x%04X (%d)", MV100::PRODUCT_ID, int(MV100::PRODUCT_ID)));
    row("Serial number:", serial);
    row("Firmware version:", firmware);
    row("Custom data:", customDataText(info, QStringLiteral(" ")));
    row("Lock status:", info.locked ? QStringLiteral("Locked") : QStringLiteral("Unlocked"));
    row("Erase count:", QString::number(info.eraseCount));
    return EXIT_OK;
}

int commandList(const Request &request, Io &io)
{
    const CMorvantide100::Census census = CMorvantide100::TakeCensus();
    const bool usable = census.listed == 1 && census.openable == 1;
    const QString openError = QString::fromStdWString(census.openError);
    const bool denied = census.listed > census.openable;
    if (request.json) {
        QJsonObject object {{QStringLiteral("connected"), census.listed},
                            {QStringLiteral("openable"), census.openable},
                            {QStringLiteral("usable"), usable}};
        if (denied) {
            object.insert(QStringLiteral("openError"), openError);
            object.insert(QStringLiteral("hint"), DeviceMessages::udevHint());
        }
        printJson(io, object);
    } else {
        io.out(QStringLiteral("%1 Morvantide100 connected (vendor %2, product %3), %4 of them "
                              "can be opened.\n")
                   .arg(census.listed)
                   .arg(QString::asprintf("%04x", MV100::VENDOR_ID),
                        QString::asprintf("%04x", MV100::PRODUCT_ID))
                   .arg(census.openable));
        if (!usable)
            io.err(DeviceMessages::noDeviceExplanation(census) + QLatin1Char('\n'));
        if (denied && census.listed > 1)
            io.err(DeviceMessages::udevHint() + QLatin1Char('\n'));
    }
    return usable ? EXIT_OK : EXIT_NO_DEVICE;
}

int commandRead(const Request &request, Io &io)
{
    const QString fileName = request.arguments.at(0);
    // Checked before the chip is read, so that nothing is read in vain.
    if (QFileInfo::exists(fileName) && !request.force) {
        error(io,
              QStringLiteral("%1 exists; --force replaces it.")
                  .arg(QDir::toNativeSeparators(fileName)));
        return EXIT_FILE;
    }
    // As the editor's backups: written back, the file gives the chip the PIN it has now.
    Mv100Config config;
    config.settings().newPin = request.pin;
    const int status = readChip(io, request, &config);
    if (status != EXIT_OK)
        return status;
    QString why;
    if (!ConfigFile::write(fileName, config, &why)) {
        error(io,
              QStringLiteral("The file %1 cannot be saved: %2")
                  .arg(QDir::toNativeSeparators(fileName), why));
        return EXIT_FILE;
    }
    io.out(QStringLiteral("The data was successfully transferred.\n"));
    return EXIT_OK;
}

int commandVerify(const Request &request, Io &io)
{
    const QString fileName = request.arguments.at(0);
    Mv100Config file;
    if (!loadFile(io, fileName, &file))
        return EXIT_FILE;
    // Read into a copy of the file's configuration: what the chip does not hold (the new PIN,
    // the lock mode, the debounce time of older firmware) stays the file's and compares equal.
    Mv100Config chip = file;
    const int status = readChip(io, request, &chip);
    if (status != EXIT_OK)
        return status;
    const QStringList differences = DiffText::lines(file, chip);
    if (differences.isEmpty()) {
        io.out(QStringLiteral("The chip holds the configuration of %1.\n")
                   .arg(QDir::toNativeSeparators(fileName)));
        return EXIT_OK;
    }
    io.out(QStringLiteral("The chip differs from %1 in %2 places (file \u2192 chip):\n")
               .arg(QDir::toNativeSeparators(fileName))
               .arg(differences.size()));
    for (const QString &line : differences)
        io.out(line + QLatin1Char('\n'));
    return EXIT_DIFFERENT;
}

int commandErase(const Request &request, Io &io)
{
    if (!request.yes) {
        if (!io.interactive()) {
            error(io,
                  QStringLiteral("erase asks before it erases: give --yes when there is no "
                                 "terminal to ask on."));
            return EXIT_USAGE;
        }
        if (!io.confirm(QStringLiteral("Erase the Morvantide100? All data will be lost and the "
                                       "PIN will be set to default."))) {
            io.err(QStringLiteral("Nothing was erased.\n"));
            return EXIT_OK;
        }
    }
    Mv100Transfer transfer;
    if (!openChip(io, transfer, QStringLiteral("Morvantide100 was not found.")))
        return EXIT_NO_DEVICE;
    std::uint8_t detail = 0;
    const Mv100Transfer::EraseOutcome outcome
        = transfer.Erase(Mv100Transfer::pinBytes(request.pin), &detail);
    transfer.Close();
    if (outcome == Mv100Transfer::EraseOutcome::NoAnswer) {
        error(io, QStringLiteral("The device's storage could not be cleared."));
        return EXIT_DEVICE_FAILED;
    }
    if (outcome == Mv100Transfer::EraseOutcome::Refused) {
        error(io, DeviceMessages::eraseErrorText(detail));
        // Details 3 and 4 are what the chip answers a PIN it does not take.
        if (detail == 3 || detail == 4)
            io.err(Messages::pinRefused() + QLatin1Char('\n'));
        return EXIT_DEVICE_FAILED;
    }
    io.out(QStringLiteral("Morvantide100 storage has been successfully cleared\n"));
    return EXIT_OK;
}

} // namespace Mv100Ctl
