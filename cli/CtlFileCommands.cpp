// CtlFileCommands: mv100ctl check and diff.
#include "ConfigFile.h"
#include "CtlIo.h"
#include "CtlShared.h"
#include "DiffText.h"
#include "Mv100Ctl.h"

#include <QDir>
#include <QJsonArray>

namespace Mv100Ctl {

int commandCheck(const Request &request, Io &io)
{
    const QString fileName = request.arguments.at(0);
    Mv100Config config;
    ConfigFile::Refusal refusal;
    const bool valid = ConfigFile::read(fileName, &config, &refusal);
    if (request.json) {
        QJsonObject object {{QStringLiteral("file"), fileName}, {QStringLiteral("valid"), valid}};
        if (!valid) {
            object.insert(QStringLiteral("line"), refusal.line);
            object.insert(QStringLiteral("reason"), refusal.reason);
        }
        printJson(io, object);
    } else if (valid) {
        io.out(
            QStringLiteral("%1: a valid configuration.\n").arg(QDir::toNativeSeparators(fileName)));
    } else {
        // The reason names the line where one is to blame.
        error(io,
              QStringLiteral("The file %1 cannot be opened: %2")
                  .arg(QDir::toNativeSeparators(fileName), refusal.reason));
    }
    return valid ? EXIT_OK : EXIT_FILE;
}

int commandDiff(const Request &request, Io &io)
{
    const QString nameA = request.arguments.at(0);
    Mv100Config a;
    if (!loadFile(io, nameA, &a))
        return EXIT_FILE;
    Mv100Config b;
    QString nameB;
    if (request.device) {
        // As verify: what the chip does not hold stays the file's.
        b = a;
        nameB = QStringLiteral("the chip");
        const int status = readChip(io, request, &b);
        if (status != EXIT_OK)
            return status;
    } else {
        nameB = request.arguments.at(1);
        if (!loadFile(io, nameB, &b))
            return EXIT_FILE;
    }

    const bool equal = a == b;
    if (request.json) {
        printJson(io,
                  {{QStringLiteral("a"), nameA},
                   {QStringLiteral("b"), request.device ? QStringLiteral("device") : nameB},
                   {QStringLiteral("equal"), equal},
                   {QStringLiteral("differences"), DiffText::jsonArray(a, b)}});
    } else {
        for (const QString &line : DiffText::lines(a, b))
            io.out(line + QLatin1Char('\n'));
    }
    return equal ? EXIT_OK : EXIT_DIFFERENT;
}

} // namespace Mv100Ctl
