// Program entry of mv100ctl and of its demo build on the simulated chip.
#include "CtlIo.h"
#include "Mv100Ctl.h"

#include <QCoreApplication>

#include <cstdio>
#include <functional>

#ifdef MV100_SIMULATED
#    include "SimMorvantide100.h"
#    include "SimStateLocation.h"
#endif

// The core's own diagnostics (a refused file, a device that went away) are for developers; the
// tool says what went wrong in its own words. Critical messages still get through.
static void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

int main(int argc, char **argv)
{
    // The tool runs no event loop: the GLib event dispatcher would only cost start-up time.
    qputenv("QT_NO_GLIB", "1");
    QCoreApplication app(argc, argv);
    Mv100Ctl::setupApplication();
    if (qEnvironmentVariableIsEmpty("MV100CTL_DEBUG"))
        qInstallMessageHandler(quietMessages);
    std::function<void()> beforeDevice;
#ifdef MV100_SIMULATED
    beforeDevice = []() {
        mv100sim::setStateFile(mv100sim::stateFileLocation().toStdString());
    };
#endif
    Mv100Ctl::ConsoleIo io;
    return Mv100Ctl::run(app.arguments(), io, beforeDevice);
}
