// Mv100Ctl: the command line of mv100ctl: options, commands, help and the checks before a command
// runs.
#include "Mv100Ctl.h"

#include "CtlIo.h"
#include "HexText.h"
#include "Mv100Layout.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace Mv100Ctl {

namespace {

struct Command
{
    const char *name;
    const char *synopsis;
    const char *summary;
    int minArguments;
    int maxArguments;
    QStringList options; // the options it takes besides --help and --version
    bool usesPin;
    int (*function)(const Request &, Io &);
};

const QString PIN = QStringLiteral("pin");
const QString JSON = QStringLiteral("json");
const QString FORCE = QStringLiteral("force");
const QString LOCK = QStringLiteral("lock");
const QString NO_VERIFY = QStringLiteral("no-verify");
const QString NO_BACKUP = QStringLiteral("no-backup");
const QString YES = QStringLiteral("yes");
const QString DEVICE = QStringLiteral("device");

const QList<Command> &commands()
{
    static const QList<Command> table = {
        {"info",
         "info",
         "Show the chip's vendor and product id, serial number, firmware, custom "
         "data, lock state and erase count.",
         0,
         0,
         {JSON},
         false,
         commandInfo},
        {"list",
         "list",
         "Count the connected Morvantide100 chips and tell whether they can be "
         "opened.",
         0,
         0,
         {JSON},
         false,
         commandList},
        {"read",
         "read FILE",
         "Read the chip's configuration into FILE; its PIN line is the PIN "
         "used. --force replaces an existing FILE.",
         1,
         1,
         {PIN, FORCE},
         true,
         commandRead},
        {"write",
         "write FILE",
         "Check FILE, back up the chip, write FILE into it and verify it. "
         "--lock locks the chip afterwards; --no-backup, --no-verify leave "
         "those steps out; --yes writes even when no backup can be made.",
         1,
         1,
         {PIN, LOCK, NO_VERIFY, NO_BACKUP, YES},
         true,
         commandWrite},
        {"verify",
         "verify FILE",
         "Compare the chip with FILE and list the differences (file → "
         "chip).",
         1,
         1,
         {PIN},
         true,
         commandVerify},
        {"erase",
         "erase",
         "Erase the chip: every key, macro and setting, and the PIN back to "
         "the factory PIN. Asks first; --yes does not.",
         0,
         0,
         {PIN, YES},
         true,
         commandErase},
        {"check",
         "check FILE",
         "Check FILE and tell why the editor would refuse it.",
         1,
         1,
         {JSON},
         false,
         commandCheck},
        {"diff",
         "diff A B | diff A --device",
         "List the differences from A to B: between two "
         "files, or between a file and the chip.",
         1,
         2,
         {JSON, DEVICE, PIN},
         false,
         commandDiff},
    };
    return table;
}

const Command *findCommand(const QString &name)
{
    for (const Command &command : commands()) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

QString programName()
{
    return QString::fromLatin1(PROGRAM_NAME);
}

int usageError(Io &io, const QString &text)
{
    io.err(QStringLiteral("%1: %2\nTry '%1 --help'.\n").arg(programName(), text));
    return EXIT_USAGE;
}

// The words of text in lines of at most width characters, each line indented.
QString wrapped(const QString &text, int indent, int width = 79)
{
    const QString margin(indent, QLatin1Char(' '));
    QString result;
    QString line;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && indent + line.size() + 1 + word.size() > width) {
            result += margin + line + QLatin1Char('\n');
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty())
        result += margin + line + QLatin1Char('\n');
    return result;
}

QString helpText(const QCommandLineParser &parser)
{
    // The parser's own text starts with a usage line naming the program as it was started.
    QString options = parser.helpText();
    options = options.mid(options.indexOf(QLatin1Char('\n')) + 1);
    QString text = QStringLiteral("Usage: %1 [options] COMMAND [ARGUMENTS]\n").arg(programName());
    text += options;
    text += QStringLiteral("\nCommands:\n");
    for (const Command &command : commands()) {
        text += QStringLiteral("  %1\n").arg(QLatin1String(command.synopsis))
            + wrapped(QString::fromUtf8(command.summary), 6);
    }
    text += QLatin1Char('\n')
        + wrapped(QStringLiteral("The chip's PIN is taken from --pin, else from the environment "
                                 "variable MV100_PIN, else it is the factory PIN %1.")
                      .arg(QLatin1String(MV100_PIN::STRING)),
                  0);
    text += QStringLiteral("\nExit status:\n"
                           "  0  success\n"
                           "  1  a device operation failed (its reason on standard error)\n"
                           "  2  usage error\n"
                           "  3  a file was refused or could not be read or written\n"
                           "  4  verify or diff found differences\n"
                           "  5  no Morvantide100 connected, or several\n");
    return text;
}

} // namespace

void setupApplication()
{
    QCoreApplication::setApplicationName(QString::fromLatin1(APPLICATION_NAME));
    QCoreApplication::setApplicationVersion(QStringLiteral(MV100_VERSION));
}

int run(const QStringList &arguments, Io &io, const std::function<void()> &beforeDevice)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reads, writes, erases and checks the configuration of a Morvantide100\n"
        "keyboard-encoder chip, and checks and compares .mv100 configuration files."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Show the version."));
    parser.addOptions({
        help,
        version,
        {PIN, QStringLiteral("The chip's PIN, 16 hexadecimal digits."), QStringLiteral("HEX")},
        {JSON, QStringLiteral("Results as JSON (info, list, check, diff).")},
        {FORCE, QStringLiteral("read: replace an existing file.")},
        {LOCK, QStringLiteral("write: lock the chip after writing.")},
        {NO_VERIFY, QStringLiteral("write: do not read the chip back to verify it.")},
        {NO_BACKUP, QStringLiteral("write: do not back up the chip first.")},
        {{QStringLiteral("y"), YES},
         QStringLiteral("erase, write: do not ask; write even without a backup.")},
        {DEVICE, QStringLiteral("diff: compare the file with the chip.")},
    });
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("See Commands below."),
                                 QStringLiteral("COMMAND [ARGUMENTS]"));
    if (!parser.parse(arguments))
        return usageError(io, parser.errorText());
    if (parser.isSet(help)) {
        io.out(helpText(parser));
        return EXIT_OK;
    }
    if (parser.isSet(version)) {
        io.out(QStringLiteral("%1 %2\n").arg(programName(), QStringLiteral(MV100_VERSION)));
        return EXIT_OK;
    }

    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return usageError(io, QStringLiteral("no command given."));
    Request request;
    request.command = positional.takeFirst();
    request.arguments = positional;
    const Command *command = findCommand(request.command);
    if (command == nullptr)
        return usageError(io, QStringLiteral("unknown command '%1'.").arg(request.command));

    for (const QString &option : {PIN, JSON, FORCE, LOCK, NO_VERIFY, NO_BACKUP, YES, DEVICE}) {
        if (parser.isSet(option) && !command->options.contains(option)) {
            return usageError(
                io, QStringLiteral("%1 does not take --%2.").arg(request.command, option));
        }
    }
    request.json = parser.isSet(JSON);
    request.force = parser.isSet(FORCE);
    request.lock = parser.isSet(LOCK);
    request.noVerify = parser.isSet(NO_VERIFY);
    request.noBackup = parser.isSet(NO_BACKUP);
    request.yes = parser.isSet(YES);
    request.device = parser.isSet(DEVICE);

    int minArguments = command->minArguments;
    int maxArguments = command->maxArguments;
    if (request.command == QLatin1String("diff"))
        minArguments = maxArguments = request.device ? 1 : 2;
    if (request.arguments.size() < minArguments || request.arguments.size() > maxArguments) {
        return usageError(
            io,
            QStringLiteral("usage: %1 %2").arg(programName(), QLatin1String(command->synopsis)));
    }
    if (request.command == QLatin1String("diff") && parser.isSet(PIN) && !request.device)
        return usageError(io, QStringLiteral("--pin is for diff --device only."));

    if (command->usesPin || request.device) {
        const QByteArray fromEnvironment = qgetenv("MV100_PIN");
        QString source;
        if (parser.isSet(PIN)) {
            request.pin = parser.value(PIN);
            source = QStringLiteral("--pin");
        } else if (!fromEnvironment.isEmpty()) {
            request.pin = QString::fromLocal8Bit(fromEnvironment);
            source = QStringLiteral("MV100_PIN");
        } else {
            request.pin = QString::fromLatin1(MV100_PIN::STRING);
        }
        if (!isPinText(request.pin)) {
            return usageError(io,
                              QStringLiteral("The PIN must be 16 characters long: %1 gives "
                                             "'%2', not 16 hexadecimal digits.")
                                  .arg(source, request.pin));
        }
        request.pin = request.pin.toUpper();
    }
    const bool usesDevice = request.command != QLatin1String("check")
        && (request.command != QLatin1String("diff") || request.device);
    if (usesDevice && beforeDevice)
        beforeDevice();
    return command->function(request, io);
}

} // namespace Mv100Ctl
