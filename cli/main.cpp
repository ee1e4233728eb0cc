// Program entry of mv100ctl and of its demo build on the simulated chip.
#include "CtlIo.h"
#include "Mv100Ctl.h"

#include <QCoreApplication>

#ifdef MV100_SIMULATED
#    include "SimMorvantide100.h"
#    include "SimStateLocation.h"
#endif

// The core's own diagnostics (a refused file, a device that went away) are for developers; the
// tool says what went wrong in its own words. Critical messages still get through.
static void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        fprintf(stderr, "%s\n", qPrintable(message));
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Mv100Ctl::setupApplication();
    if (qEnvironmentVariableIsEmpty("MV100CTL_DEBUG"))
        qInstallMessageHandler(quietMessages);
#ifdef MV100_SIMULATED
    mv100sim::setStateFile(mv100sim::stateFileLocation().toStdString());
#endif
    Mv100Ctl::ConsoleIo io;
    return Mv100Ctl::run(app.arguments(), io);
}
