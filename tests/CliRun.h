// Helpers of the mv100ctl tests: one command line run in process, and configuration files to
// give it.
#pragma once

#include "ConfigFile.h"
#include "CtlIo.h"
#include "Mv100Ctl.h"

#include <QStringList>

struct CliRun
{
    int code = -1;
    QString out;
    QString err;
    QStringList questions;
};

// Runs "mv100ctl <arguments>" with a buffer for the console; answers = what a person at a
// terminal types (none = no terminal).
inline CliRun runCli(const QStringList &arguments, const QStringList &answers = {},
                     bool interactive = false)
{
    Mv100Ctl::BufferIo io;
    io.isInteractive = interactive || !answers.isEmpty();
    io.answers = answers;
    CliRun run;
    run.code = Mv100Ctl::run(QStringList {QStringLiteral("mv100ctl")} + arguments, io);
    run.out = io.outText;
    run.err = io.errText;
    run.questions = io.questions;
    return run;
}

// Writes config as a configuration file; false when it cannot.
inline bool saveConfig(const QString &fileName, const Mv100Config &config)
{
    QString error;
    return ConfigFile::write(fileName, config, &error);
}
