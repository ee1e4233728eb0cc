// Tests of the undo history and of the undoable edits of the configuration document.
#include "ConfigDocument.h"
#include "UndoStack.h"

#include <QtTest>

namespace {
// Adds an amount to a number; commands of one id merge by adding their amounts.
struct AddCommand : UndoCommand
{
    AddCommand(int *number, int by, int id)
        : UndoCommand(QString::number(by))
        , value(number)
        , amount(by)
        , key(id)
    { }
    void redo() override { *value += amount; }
    void undo() override { *value -= amount; }
    int id() const override { return key; }
    bool mergeWith(const UndoCommand *other) override
    {
        amount += static_cast<const AddCommand *>(other)->amount;
        return true;
    }
    bool isObsolete() const override { return amount == 0; }
    int *value;
    int amount;
    int key;
};

// Every signal of a document as text, in the order of emission.
class Recorder
{
public:
    explicit Recorder(ConfigDocument &document)
    {
        using D = ConfigDocument;
        const auto on = [&](auto signal, auto describe) {
            QObject::connect(&document, signal, &m_context, [this, describe](auto... arguments) {
                m_events << describe(arguments...);
            });
        };
        on(&D::cellChanged, [](int l, int c, int r) {
            return QStringLiteral("cell %1/%2/%3").arg(l).arg(c).arg(r);
        });
        on(&D::layerChanged, [](int layer) { return QStringLiteral("layer %1").arg(layer); });
        on(&D::macroChanged, [](int number) { return QStringLiteral("macro %1").arg(number); });
        on(&D::settingChanged,
           [](SettingGroup group) { return QStringLiteral("setting %1").arg(int(group)); });
        on(&D::configReplaced, [] { return QStringLiteral("replaced"); });
        on(&D::modifiedChanged, [](bool on) { return QStringLiteral("modified %1").arg(on); });
    }
    QStringList take() { return std::exchange(m_events, {}); }

private:
    QObject m_context;
    QStringList m_events;
};

Mv100Config sample()
{
    Mv100Config config;
    for (int cell = 0; cell < MV100::CELLS; cell += 5)
        config.setKeyCode(cell % 3, cell % 16, cell / 16, std::uint16_t(cell + 4));
    config.setMacro(5, Mv100Config::Macro {2, 4, 6, 8});
    return config;
}

// Undoes every step, checking that each one brings back exactly the state before it.
void undoAll(ConfigDocument &document, QList<Mv100Config> before)
{
    QCOMPARE(document.undoStack()->index(), int(before.size()));
    while (!before.isEmpty()) {
        document.undoStack()->undo();
        QVERIFY(document.config() == before.takeLast());
    }
}
} // namespace

class TestCoreDocument : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void undoStack_data()
    {
        QTest::addColumn<QString>("script"); // amount[@id] pushes; U undo, R redo, C setClean
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("cleanSignals");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("texts"); // undo text, redo text
        QTest::newRow("three, id -1") << "1 10 100" << 111 << "0" << 3 << "100 ";
        QTest::newRow("undo") << "1 10 100 U" << 11 << "0" << 3 << "10 100";
        QTest::newRow("undo past the start") << "1 U U" << 0 << "01" << 1 << " 1";
        QTest::newRow("redo") << "1 10 U U R" << 1 << "010" << 2 << "1 10";
        QTest::newRow("push drops redo") << "1 10 U 1000 R" << 1001 << "0" << 2 << "1000 ";
        QTest::newRow("saved") << "1 C 10 U" << 1 << "0101" << 2 << "1 10";
        QTest::newRow("saved state dropped") << "1 C U 10 U R" << 10 << "010" << 1 << "10 ";
        QTest::newRow("three merge") << "1@5 2@5 4@5 U" << 0 << "01" << 1 << " 1";
        QTest::newRow("other id apart") << "1@5 10@6" << 11 << "0" << 2 << "10 ";
        QTest::newRow("not across saved") << "1@5 C 10@5" << 11 << "010" << 2 << "10 ";
        QTest::newRow("not into undone") << "1@5 U 10@5" << 10 << "010" << 1 << "10 ";
        QTest::newRow("obsolete dropped") << "5@5 -5@5" << 0 << "01" << 0 << " ";
        QTest::newRow("obsolete, rest kept") << "1 5@5 -5@5 U" << 0 << "01" << 1 << " 1";
    }
    void undoStack()
    {
        QFETCH(QString, script);
        QFETCH(int, value);
        QFETCH(QString, cleanSignals);
        QFETCH(int, count);
        QFETCH(QString, texts);
        UndoStack stack;
        QSignalSpy clean(&stack, &UndoStack::cleanChanged);
        int number = 0;
        for (const QString &token : script.split(' ')) {
            if (token == "C")
                stack.setClean();
            else if (token == "U")
                stack.undo();
            else if (token == "R")
                stack.redo();
            else
                stack.push(std::make_unique<AddCommand>(&number, token.section('@', 0, 0).toInt(),
                                                        token.section('@', 1).toInt()
                                                            - !token.contains('@')));
        }
        QCOMPARE(number, value);
        QCOMPARE(stack.count(), count);
        QCOMPARE(stack.undoText() + ' ' + stack.redoText(), texts);
        QString emitted;
        for (const QList<QVariant> &call : clean)
            emitted += QString::number(call.at(0).toBool());
        QCOMPARE(emitted, cleanSignals);
        QCOMPARE(stack.isClean(), cleanSignals.endsWith('1'));
        QVERIFY(stack.canUndo() == !stack.undoText().isEmpty()
                && stack.canRedo() == !stack.redoText().isEmpty());
    }

    void assignKey_data()
    {
        QTest::addColumn<int>("layer");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("mirror"); // the layer that also gets it, or -1
        for (const int code : {0x00FF, 0x00FD, 0x00FB}) // FN1, Locking FN1, Sticky FN1
            QTest::addRow("%x on Default", code) << 0 << code << 1;
        for (const int code : {0x00FE, 0x00FC, 0x00FA})
            QTest::addRow("%x on Default", code) << 0 << code << 2;
        for (const int code : {0x0004, 0x02FE}) // a key; a modifier with an FN key's low byte
            QTest::addRow("%x on Default", code) << 0 << code << -1;
        for (const int code : {0x00FF, 0x00FE})
            QTest::addRow("%x on FN1", code) << 1 << code << -1;
    }
    void assignKey()
    {
        QFETCH(int, layer);
        QFETCH(int, code);
        QFETCH(int, mirror);
        Mv100Config start = sample();
        for (int l = 0; l < MV100::LAYERS; ++l)
            start.setKeyCode(l, 3, 10, std::uint16_t(0x0005 + l));
        ConfigDocument document;
        document.reset(start);
        Recorder recorder(document);
        document.assignKey(layer, 3, 10, std::uint16_t(code));
        Mv100Config expected = start;
        QStringList events = {"modified 1"};
        for (const int l : {layer, mirror}) {
            if (l >= 0) {
                expected.setKeyCode(l, 3, 10, std::uint16_t(code));
                events << QStringLiteral("cell %1/3/10").arg(l);
            }
        }
        QVERIFY(document.config() == expected);
        QCOMPARE(document.undoStack()->undoText(), "Assign X3/Y10");
        QStringList seen = recorder.take();
        seen.sort();
        events.sort();
        QCOMPARE(seen, events);
        undoAll(document, {start}); // one step for both cells
        QVERIFY(!document.isModified());
    }

    void cellEdits()
    {
        ConfigDocument document;
        document.reset(sample());
        Recorder recorder(document);
        using Edit = ConfigDocument::CellEdit;
        document.setCells({Edit {3, 0, 0, 9}, Edit {0, 16, 0, 9}, Edit {0, 0, 24, 9}}, "Paste");
        QCOMPARE(document.undoStack()->count(), 0); // all outside the matrix: nothing to do

        QList<Mv100Config> states {document.config()};
        // A cell named twice gets its first value back; an FN key on Default is mirrored.
        document.setCells({Edit {0, 0, 0, 1}, Edit {0, 0, 0, 2}, Edit {1, 15, 23, 4},
                           Edit {0, 5, 5, 0x00FE}, Edit {-1, 0, 0, 9}},
                          "Paste");
        QCOMPARE(document.undoStack()->undoText(), "Paste");
        const Mv100Config &c = document.config();
        QVERIFY(c.keyCode(0, 0, 0) == 2 && c.keyCode(1, 15, 23) == 4 && c.keyCode(2, 5, 5) == 0xFE);
        QCOMPARE(recorder.take().size(), 6); // five cells and the modified flag

        // Up to 32 cells of a layer are redrawn one by one, more as the whole layer.
        QList<Edit> many;
        for (int cell = 0; cell < 33; ++cell)
            many << Edit {1, cell % 16, cell / 16, 0x0007};
        states << c;
        document.setCells(many + QList<Edit> {Edit {2, 1, 1, 0x0008}}, "Paste");
        QCOMPARE(recorder.take(), (QStringList {"layer 1", "cell 2/1/1"}));
        states << c;
        document.setCells(many.mid(1), "Paste");
        const QStringList events = recorder.take();
        QVERIFY2(events.size() == 32 && events.first() == "cell 1/1/0",
                 qPrintable(events.join(',')));

        states << c;
        document.clearLayer(2);
        QVERIFY(document.config().isLayerEmpty(2));
        QCOMPARE(document.undoStack()->undoText(), "Clear Table FN2");
        QCOMPARE(recorder.take(), QStringList {"layer 2"});
        undoAll(document, states);
        QCOMPARE(recorder.take().first(), "layer 2");
    }

    void macroAndSettingsEdits()
    {
        ConfigDocument document;
        Recorder recorder(document);
        QList<Mv100Config> states {document.config()};
        document.storeMacro(7, Mv100Config::Macro {3, 1, 0x04, 0x05});
        QCOMPARE(document.undoStack()->undoText(), "Store Macro 7");
        states << document.config();
        document.clearMacro(7);
        QCOMPARE(document.undoStack()->undoText(), "Clear Macro 7");
        QVERIFY(document.config().macro(7) == Mv100Config::Macro {0xFF}); // then 31 zeros
        QCOMPARE(recorder.take(), (QStringList {"macro 7", "modified 1", "macro 7"}));

        Mv100Settings s = document.config().settings();
        states << document.config();
        for (const int ms : {4, 5, 6}) { // the steps of one spin box undo at once
            s.debounce = std::uint8_t(ms);
            document.changeSettings(SettingGroup::Debounce, s, "Debounce", 7);
        }
        QCOMPARE(recorder.take(), (QStringList {"setting 7", "setting 7", "setting 7"}));
        s.lockMode = 1; // another control
        states << document.config();
        document.changeSettings(SettingGroup::LockMode, s, "Lock", 8);
        s.led[0] = 0x01; // another group with the same key
        states << document.config();
        document.changeSettings(SettingGroup::Led, s, "LED", 8);
        for (const int code : {0x11, 0x12}) { // no key: never merged
            s.lockKeys = std::uint8_t(code);
            states << document.config();
            document.changeSettings(SettingGroup::LockKeys, s, "Lock keys");
        }
        QCOMPARE(recorder.take(),
                 (QStringList {"setting 6", "setting 5", "setting 2", "setting 2"}));
        undoAll(document, states);
        QCOMPARE(recorder.take().last(), "modified 0");

        // Steps that end where they began leave nothing to undo.
        document.reset();
        for (const int ms : {9, 3}) {
            s = document.config().settings();
            s.debounce = std::uint8_t(ms);
            document.changeSettings(SettingGroup::Debounce, s, "Debounce", 7);
        }
        QVERIFY(document.undoStack()->count() == 0 && !document.isModified());
    }

    void replaceSaveAndReset()
    {
        ConfigDocument document;
        Recorder recorder(document);
        QSignalSpy names(&document, &ConfigDocument::fileNameChanged);
        document.replaceConfig(sample(), "Read");
        QVERIFY(document.config() == sample() && document.undoStack()->undoText() == "Read");
        document.markSaved("a.mv100");
        QVERIFY(!document.isModified() && document.fileName() == "a.mv100");
        document.undoStack()->undo();
        QVERIFY(document.config() == Mv100Config() && document.isModified());
        document.undoStack()->redo();
        QVERIFY(!document.isModified());
        QCOMPARE(recorder.take(),
                 (QStringList {"replaced", "modified 1", "modified 0", "replaced", "modified 1",
                               "replaced", "modified 0"}));

        QSignalSpy pins(&document, &ConfigDocument::devicePinChanged);
        document.setDevicePin("0011223344556677");
        document.setDevicePin("0011223344556677");
        QVERIFY(pins.count() == 1 && document.devicePin() == "0011223344556677");
        QVERIFY(document.undoStack()->count() == 1 && !document.isModified()); // no edit

        document.assignKey(0, 1, 1, 0x0004);
        document.reset(sample(), "b.mv100");
        QVERIFY(document.config() == sample() && !document.isModified());
        QVERIFY(document.undoStack()->count() == 0 && document.fileName() == "b.mv100");
        QCOMPARE(names.count(), 2);
        QCOMPARE(recorder.take().mid(2), (QStringList {"modified 0", "replaced"}));
    }
};

QTEST_GUILESS_MAIN(TestCoreDocument)
#include "tst_coredocument.moc"
