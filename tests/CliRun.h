// Helpers of the mv100ctl tests: one command line run in process, and configuration files to
// give it.
#pragma once

#include "ConfigFile.h"
#include "CtlIo.h"
#include "Mv100Ctl.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

struct CliRun
{
    int code = -1;
    QString out;
    QString err;
    QStringList questions;
    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
    // The output's JSON, compact and with ' for ", which keeps expected texts short.
    QString jsonText() const
    {
        const QJsonDocument document = QJsonDocument::fromJson(out.toUtf8());
        return QString::fromUtf8(document.toJson(QJsonDocument::Compact)).replace('"', '\'');
    }
};

// Runs "mv100ctl <arguments>" with a buffer for the console; answers = what a person at a
// terminal types (none = no terminal).
inline CliRun runCli(const QStringList &arguments, const QStringList &answers = {},
                     bool interactive = false)
{
    Mv100Ctl::BufferIo io;
    io.isInteractive = interactive || !answers.isEmpty();
    io.answers = answers;
    const int code = Mv100Ctl::run(QStringList {"mv100ctl"} + arguments, io);
    return {code, io.outText, io.errText, io.questions};
}

// Writes config as a configuration file; false when it cannot.
inline bool saveConfig(const QString &fileName, const Mv100Config &config)
{
    QString error;
    return ConfigFile::write(fileName, config, &error);
}
