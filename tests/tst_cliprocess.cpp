// End-to-end tests of the programs mv100ctl-sim and mv100-editor-sim, run as processes that share
// the simulated chip's state file.
#include "CliRun.h"
#include "Startup.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString PIN = "A1B2C3D4E5F60718";

// Cells at both ends of the memory, the last macro, settings away from their defaults, a PIN of
// its own (every byte of the state file is tst_sim's). Normalised, as a file read back gives it.
Mv100Config richConfig()
{
    Mv100Config config;
    config.setKeyCode(0, 0, 0, 0x0004);
    config.setKeyCode(2, 15, 23, 0xE104);
    config.setMacro(MV100::MACRO_COUNT - 1, Mv100Config::Macro {0x01, 0x04});
    Mv100Settings &s = config.settings();
    s.newPin = PIN;
    s.customData = "00112233445566778899AABBCCDDEEFF";
    s.lockKeys = 0x21;
    s.mouse[0] = 0x01;
    s.mouse[2] = 0x40;
    s.led[0] = 0x02;
    s.backlight[0] = 5;
    s.debounce = 12;
    s = s.normalized();
    return config;
}

} // namespace

class TestCliProcess : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QProcessEnvironment m_environment;
    QString path(const QString &name) const { return m_dir->filePath(name); }

    CliRun run(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.setProcessEnvironment(m_environment);
        process.setStandardInputFile(QProcess::nullDevice());
        process.start(program, arguments);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
            qWarning("%s did not finish", qPrintable(program));
            process.kill();
            process.waitForFinished();
            return {};
        }
        return {process.exitCode(),
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError()),
                {}};
    }
    CliRun ctl(const QStringList &arguments) { return run(MV100CTL_SIM, arguments); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.insert("MV100_SIM_STATE", path("chip.state"));
        m_environment.insert("XDG_DATA_HOME", path("data"));
        m_environment.remove("MV100_PIN");
    }

    // Each run is a process of its own: the chip lives on in the state file.
    void chipSharedBetweenRuns()
    {
        const QString source = path("source.mv100"), copy = path("copy.mv100");
        QVERIFY(saveConfig(source, richConfig()));
        const CliRun write = ctl({"write", source});
        QCOMPARE(write.code, 0);
        QVERIFY2(write.out.startsWith("The data was successfully transferred and verified.\n"),
                 qPrintable(write.out + write.err));
        QCOMPARE(ctl({"verify", source, "--pin", PIN}).code, 0);

        m_environment.insert("MV100_PIN", PIN);
        QCOMPARE(ctl({"read", copy}).code, 0);
        QFile a(source), b(copy);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(b.readAll(), a.readAll());
        const CliRun diff = ctl({"diff", source, "--device", "--json"});
        QCOMPARE(diff.code, 0);
        QCOMPARE(diff.json().value("equal"), true);
        QCOMPARE(diff.json().value("b"), "device");
    }

    void sharedDataFolder()
    {
        // Without MV100_SIM_STATE the chip and the backups live in the editor's data folder.
        QCOMPARE(QLatin1String(Mv100Ctl::APPLICATION_NAME),
                 QLatin1String(Startup::APPLICATION_NAME));
        m_environment.remove("MV100_SIM_STATE");
        const QString folder = path("data/Morvantide100 Editor");
        const QString file = path("x.mv100");
        QVERIFY(saveConfig(file, richConfig()));
        QCOMPARE(ctl({"write", file}).code, 0);
        QVERIFY(QFileInfo::exists(folder + "/simulated-morvantide100.state"));
        QCOMPARE(QDir(folder + "/backups").entryList(QDir::Files).size(), 1);
        QVERIFY(ctl({"info"}).out.contains("Custom data:       00 11 22 33"));
    }

    void editorCommandLine()
    {
        m_environment.insert("QT_QPA_PLATFORM", "offscreen");
        const CliRun version = run(MV100_EDITOR_SIM, {"--version"});
        QCOMPARE(version.code, 0);
        QCOMPARE(version.out, "Morvantide100 Editor 1.0.4\n");
        const CliRun help = run(MV100_EDITOR_SIM, {"--help"});
        QCOMPARE(help.code, 0);
        QVERIFY(help.out.contains("[FILE]"));
        const CliRun two = run(MV100_EDITOR_SIM, {"a.mv100", "b.mv100"});
        QCOMPARE(two.code, 2);
        QVERIFY(two.err.contains("only one file can be opened"));
    }
};

QTEST_GUILESS_MAIN(TestCliProcess)
#include "tst_cliprocess.moc"
