// End-to-end tests of the programs mv100ctl-sim and mv100-editor-sim, run as processes that share
// the simulated chip's state file.
#include "CliRun.h"
#include "Startup.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Finished
{
    int code = -1;
    QString out;
    QString err;
};

// A rich configuration: codes of every family on all layers, macros, settings away from their
// defaults, a PIN of its own. Normalised, as a file read back gives it.
Mv100Config richConfig()
{
    Mv100Config config;
    const std::uint16_t codes[] = {0x0004, 0xE104, 0x0205, 0x0104, 0x0301, 0x00FF, 0x0028};
    for (int layer = 0; layer < MV100::LAYERS; ++layer) {
        for (int cell = 0; cell < MV100::CELLS; cell += 5 + layer)
            config.setKeyCode(layer, cell % MV100::COLUMNS, cell / MV100::COLUMNS,
                              codes[(cell + layer) % 7]);
    }
    for (int number = 0; number < MV100::MACRO_COUNT; number += 9) {
        Mv100Config::Macro macro = Mv100Config::emptyMacro();
        for (int i = 0; i < 8; ++i)
            macro[std::size_t(i)] = std::uint8_t(number + i);
        config.setMacro(number, macro);
    }
    Mv100Settings &s = config.settings();
    s.newPin = QStringLiteral("A1B2C3D4E5F60718");
    s.customData = QStringLiteral("00112233445566778899AABBCCDDEEFF");
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

private slots:
    void init();
    void writeVerifyReadRoundTrip();
    void sharedDataFolder();
    void jsonAndEnvironment();
    void editorCommandLine();

private:
    Finished run(const QString &program, const QStringList &arguments);
    Finished ctl(const QStringList &arguments)
    {
        return run(QStringLiteral(MV100CTL_SIM), arguments);
    }
    QString path(const QString &name) const { return m_dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QProcessEnvironment m_environment;
};

void TestCliProcess::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_environment = QProcessEnvironment::systemEnvironment();
    m_environment.insert(QStringLiteral("MV100_SIM_STATE"), path(QStringLiteral("chip.state")));
    m_environment.insert(QStringLiteral("XDG_DATA_HOME"), path(QStringLiteral("data")));
    m_environment.remove(QStringLiteral("MV100_PIN"));
}

Finished TestCliProcess::run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessEnvironment(m_environment);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments);
    Finished finished;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        qWarning("%s did not finish", qPrintable(program));
        process.kill();
        process.waitForFinished();
        return finished;
    }
    finished.code = process.exitCode();
    finished.out = QString::fromUtf8(process.readAllStandardOutput());
    finished.err = QString::fromUtf8(process.readAllStandardError());
    return finished;
}

void TestCliProcess::writeVerifyReadRoundTrip()
{
    const QString source = path(QStringLiteral("source.mv100"));
    const QString copy = path(QStringLiteral("copy.mv100"));
    QVERIFY(saveConfig(source, richConfig()));

    const Finished write = ctl({QStringLiteral("write"), source});
    QCOMPARE(write.code, 0);
    QVERIFY2(write.out.startsWith(QLatin1String("The data was successfully transferred and "
                                                "verified.\n")),
             qPrintable(write.out + write.err));
    // Each run is a process of its own: the chip lives on in the state file.
    const Finished verify = ctl({QStringLiteral("verify"), source, QStringLiteral("--pin"),
                                 QStringLiteral("A1B2C3D4E5F60718")});
    QCOMPARE(verify.code, 0);
    const Finished read = ctl({QStringLiteral("read"), copy, QStringLiteral("--pin"),
                               QStringLiteral("A1B2C3D4E5F60718")});
    QCOMPARE(read.code, 0);
    QFile a(source);
    QFile b(copy);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(b.readAll(), a.readAll());

    // Another file written in between makes verify tell the differences.
    const QString other = path(QStringLiteral("other.mv100"));
    QVERIFY(saveConfig(other, Mv100Config()));
    QCOMPARE(ctl({QStringLiteral("write"), other, QStringLiteral("--pin"),
                  QStringLiteral("A1B2C3D4E5F60718")})
                 .code,
             0);
    const Finished differs = ctl({QStringLiteral("verify"), source});
    QCOMPARE(differs.code, 4);
    QVERIFY(differs.out.contains(QStringLiteral("Default X0/Y0: A \u2192 Empty\n")));
}

void TestCliProcess::sharedDataFolder()
{
    // Without MV100_SIM_STATE the chip and the backups live in the editor's data folder.
    QCOMPARE(QLatin1String(Mv100Ctl::APPLICATION_NAME), QLatin1String(Startup::APPLICATION_NAME));
    m_environment.remove(QStringLiteral("MV100_SIM_STATE"));
    const QString folder = path(QStringLiteral("data/Morvantide100 Editor"));
    const QString file = path(QStringLiteral("x.mv100"));
    QVERIFY(saveConfig(file, richConfig()));
    QCOMPARE(ctl({QStringLiteral("write"), file}).code, 0);
    QVERIFY(QFileInfo::exists(folder + QStringLiteral("/simulated-morvantide100.state")));
    QCOMPARE(QDir(folder + QStringLiteral("/backups")).entryList(QDir::Files).size(), 1);
    const Finished info = ctl({QStringLiteral("info")});
    QVERIFY(info.out.contains(QLatin1String("Custom data:       00 11 22 33")));
}

void TestCliProcess::jsonAndEnvironment()
{
    const QString file = path(QStringLiteral("y.mv100"));
    QVERIFY(saveConfig(file, richConfig()));
    QCOMPARE(ctl({QStringLiteral("write"), file}).code, 0);

    m_environment.insert(QStringLiteral("MV100_PIN"), QStringLiteral("A1B2C3D4E5F60718"));
    const Finished diff
        = ctl({QStringLiteral("diff"), file, QStringLiteral("--device"), QStringLiteral("--json")});
    QCOMPARE(diff.code, 0);
    const QJsonObject object = QJsonDocument::fromJson(diff.out.toUtf8()).object();
    QCOMPARE(object.value(QLatin1String("equal")).toBool(false), true);
    QCOMPARE(object.value(QLatin1String("b")).toString(), QStringLiteral("device"));

    m_environment.insert(QStringLiteral("MV100_PIN"), QStringLiteral("A1B2"));
    const Finished bad = ctl({QStringLiteral("verify"), file});
    QCOMPARE(bad.code, 2);
    QVERIFY(bad.out.isEmpty());
    QVERIFY(bad.err.contains(QLatin1String("MV100_PIN gives 'A1B2'")));

    const Finished info = ctl({QStringLiteral("info"), QStringLiteral("--json")});
    QCOMPARE(info.code, 0);
    QCOMPARE(QJsonDocument::fromJson(info.out.toUtf8())
                 .object()
                 .value(QLatin1String("eraseCount"))
                 .toInt(),
             1);
    QVERIFY2(info.err.isEmpty(), qPrintable(info.err));
}

void TestCliProcess::editorCommandLine()
{
    const QString editor = QStringLiteral(MV100_EDITOR_SIM);
    m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const Finished version = run(editor, {QStringLiteral("--version")});
    QCOMPARE(version.code, 0);
    QCOMPARE(version.out, QStringLiteral("Morvantide100 Editor 1.0.4\n"));
    const Finished help = run(editor, {QStringLiteral("--help")});
    QCOMPARE(help.code, 0);
    QVERIFY(help.out.contains(QLatin1String("[FILE]")));
    const Finished two = run(editor, {QStringLiteral("a.mv100"), QStringLiteral("b.mv100")});
    QCOMPARE(two.code, 2);
    QVERIFY(two.err.contains(QLatin1String("only one file can be opened")));
}

QTEST_GUILESS_MAIN(TestCliProcess)
#include "tst_cliprocess.moc"
