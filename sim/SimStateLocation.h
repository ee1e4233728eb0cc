// Where the demo builds (the editor's and mv100ctl's) keep the simulated chip between runs.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QStandardPaths>
#include <QString>

namespace mv100sim {

// The file MV100_SIM_STATE names, else simulated-morvantide100.state in the application's data
// folder (created if missing). Both demo builds call it after naming the application
// "Morvantide100 Editor", so that they share one simulated chip.
inline QString stateFileLocation()
{
    const QByteArray fromEnvironment = qgetenv("MV100_SIM_STATE");
    if (!fromEnvironment.isEmpty())
        return QString::fromLocal8Bit(fromEnvironment);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return folder + QStringLiteral("/simulated-morvantide100.state");
}

} // namespace mv100sim
