// Program entry of the editor and of its demo build on the simulated chip.
#include "MainWindow.h"
#include "Startup.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

#ifdef MV100_SIMULATED
#    include "SimMorvantide100.h"
#    include "SimStateLocation.h"

#    include <QDir>
#    include <QLabel>
#    include <QStatusBar>
#endif

int qMain(int argc, char **argv)
{
    QApplication app(argc, argv);
    Startup::setupApplication(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QObject::tr("Configuration editor for the Morvantide100 keyboard encoder."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QObject::tr("A configuration file (.mv100) to open."),
                                 QStringLiteral("[FILE]"));
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(QObject::tr("mv100-editor: only one file can be opened.")));
        return 2;
    }

#ifdef MV100_SIMULATED
    // The simulated chip keeps what was written to it between runs.
    const QString stateFile = mv100sim::stateFileLocation();
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
    // A file that is refused shows the usual warning over the window, which then stays empty.
    if (!files.isEmpty())
        window.openFile(files.first());
    return app.exec();
}

int main(int argc, char **argv)
{
    return qMain(argc, argv);
}
