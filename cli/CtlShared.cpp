// CtlShared: file loading, chip access and JSON output shared by mv100ctl's commands.
#include "CtlShared.h"

#include "ConfigFile.h"
#include "CtlIo.h"
#include "CtlMessages.h"
#include "DeviceMessages.h"
#include "Mv100Ctl.h"

#include <QDir>
#include <QJsonDocument>

namespace Mv100Ctl {

void error(Io &io, const QString &text)
{
    io.err(QStringLiteral("%1: %2\n").arg(QLatin1String(PROGRAM_NAME), text));
}

void printJson(Io &io, const QJsonObject &object)
{
    io.out(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)));
}

bool loadFile(Io &io, const QString &fileName, Mv100Config *config)
{
    ConfigFile::Refusal refusal;
    if (ConfigFile::read(fileName, config, &refusal))
        return true;
    error(io,
          QStringLiteral("The file %1 cannot be opened: %2")
              .arg(QDir::toNativeSeparators(fileName), refusal.reason));
    return false;
}

bool openChip(Io &io, Mv100Transfer &transfer, const QString &failure)
{
    if (transfer.Open())
        return true;
    error(io, failure);
    io.err(DeviceMessages::noDeviceExplanation() + QLatin1Char('\n'));
    return false;
}

int exitOfResult(unsigned short result)
{
    if (result == MV100::RESULT_SUCCESS)
        return EXIT_OK;
    return result == MV100::RESULT_OPEN ? EXIT_NO_DEVICE : EXIT_DEVICE_FAILED;
}

int readChip(Io &io, const Request &request, Mv100Config *config, Mv100DeviceInfo *info)
{
    Mv100Transfer transfer;
    if (!openChip(io, transfer, QStringLiteral("No Device or too many devices found")))
        return EXIT_NO_DEVICE;
    const unsigned short result
        = transfer.Read(Mv100Transfer::pinBytes(request.pin), *config, info);
    const bool allZero = transfer.lastReadAllZero();
    transfer.Close();
    if (result != MV100::RESULT_SUCCESS) {
        error(io, Messages::resultText(result));
        if (result == MV100::RESULT_OPEN)
            io.err(DeviceMessages::noDeviceExplanation() + QLatin1Char('\n'));
        return exitOfResult(result);
    }
    if (allZero) {
        QString warning = Messages::allZeroRead();
        const QString filePin = config->settings().newPin.toUpper();
        if (filePin != request.pin) {
            warning
                += QStringLiteral(" The file's PIN is %1; give it with --pin if the chip has it.")
                       .arg(filePin);
        }
        error(io, warning);
    }
    return EXIT_OK;
}

} // namespace Mv100Ctl
