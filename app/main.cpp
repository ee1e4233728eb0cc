// Program entry of the editor and of its demo build on the simulated chip.
#include "MainWindow.h"
#include "Startup.h"

#include <QApplication>

#ifdef MV100_SIMULATED
#    include "SimMorvantide100.h"

#    include <QDir>
#    include <QLabel>
#    include <QStandardPaths>
#    include <QStatusBar>

// The simulated chip keeps what was written to it between runs, in the user's data folder
// unless MV100_SIM_STATE names another file.
static QString simulatorStateFile()
{
    const QByteArray fromEnvironment = qgetenv("MV100_SIM_STATE");
    if (!fromEnvironment.isEmpty())
        return QString::fromLocal8Bit(fromEnvironment);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return folder + QStringLiteral("/simulated-morvantide100.state");
}
#endif

int qMain(int argc, char **argv)
{
    QApplication app(argc, argv);
    Startup::setupApplication(app);

#ifdef MV100_SIMULATED
    const QString stateFile = simulatorStateFile();
    mv100sim::setStateFile(stateFile.toStdString());
#endif

    MainWindow window;
#ifdef MV100_SIMULATED
    auto *notice = new QLabel(
        QObject::tr("Demo build: the device is a simulated Morvantide100 (state in %1)")
            .arg(QDir::toNativeSeparators(stateFile)),
        &window);
    window.statusBar()->addPermanentWidget(notice);
#endif
    window.show();
    return app.exec();
}

int main(int argc, char **argv)
{
    return qMain(argc, argv);
}
