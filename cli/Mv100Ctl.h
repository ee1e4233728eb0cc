// Mv100Ctl: the command-line tool mv100ctl as a library: its exit codes, the parsed request and
// the entry that runs one command line.
#pragma once

#include "AppIdentity.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace Mv100Ctl {

class Io;

// The exit status of mv100ctl.
enum Exit : int {
    EXIT_OK = 0,
    EXIT_DEVICE_FAILED = 1, // a device operation failed; its result text is on stderr
    EXIT_USAGE = 2, // the command line is wrong, or a question could not be asked
    EXIT_FILE = 3, // a file was refused, could not be read or could not be written
    EXIT_DIFFERENT = 4, // verify or diff found differences
    EXIT_NO_DEVICE = 5, // no usable chip, or several
};

// The application name the tool runs under: the editor's, so that the backups and the demo
// build's simulated chip live in the same data folder as the editor's.
constexpr const char *APPLICATION_NAME = AppIdentity::APPLICATION_NAME;
constexpr const char *PROGRAM_NAME = "mv100ctl";

// One command line, parsed and checked.
struct Request
{
    QString command;
    QStringList arguments; // after the command
    QString pin; // the chip's PIN: 16 hexadecimal digits
    bool json = false;
    bool force = false;
    bool lock = false;
    bool noVerify = false;
    bool noBackup = false;
    bool yes = false;
    bool device = false;
};

// Names the application and its version, as main does before run.
void setupApplication();

// Runs one command line (arguments[0] is the program) and returns the exit status.
// beforeDevice is called once before a command that talks to the chip, and not for the commands
// on files alone, which so start faster (the demo build loads its simulated chip there).
int run(const QStringList &arguments, Io &io, const std::function<void()> &beforeDevice = {});

// The commands, each on a checked request.
int commandInfo(const Request &request, Io &io);
int commandList(const Request &request, Io &io);
int commandRead(const Request &request, Io &io);
int commandWrite(const Request &request, Io &io);
int commandVerify(const Request &request, Io &io);
int commandErase(const Request &request, Io &io);
int commandCheck(const Request &request, Io &io);
int commandDiff(const Request &request, Io &io);

} // namespace Mv100Ctl
