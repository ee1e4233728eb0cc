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
        const auto on = [&](auto signal, const char *format) {
            QObject::connect(&document, signal, &m_context, [this, format](auto... arguments) {
                QString text = QString::fromLatin1(format);
                ((text = text.arg(int(arguments))), ...);
                m_events << text;
            });
        };
        on(&D::cellChanged, "cell %1/%2/%3");
        on(&D::layerChanged, "layer %1");
        on(&D::macroChanged, "macro %1");
        on(&D::settingChanged, "setting %1");
        on(&D::configReplaced, "replaced");
        on(&D::modifiedChanged, "modified %1");
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
        QTest::addColumn<bool>("clean");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("texts"); // undo text, redo text
        QTest::newRow("three, id -1") << "1 10 100" << 111 << false << 3 << "100 ";
        QTest::newRow("undo") << "1 10 100 U" << 11 << false << 3 << "10 100";
        QTest::newRow("undo past the start") << "1 U U" << 0 << true << 1 << " 1";
        QTest::newRow("redo") << "1 10 U U R" << 1 << false << 2 << "1 10";
        QTest::newRow("push drops redo") << "1 10 U 1000 R" << 1001 << false << 2 << "1000 ";
        QTest::newRow("saved") << "1 C 10 U" << 1 << true << 2 << "1 10";
        QTest::newRow("saved state dropped") << "1 C U 10 U R" << 10 << false << 1 << "10 ";
        QTest::newRow("three merge") << "1@5 2@5 4@5 U" << 0 << true << 1 << " 1";
        QTest::newRow("other id apart") << "1@5 10@6" << 11 << false << 2 << "10 ";
        QTest::newRow("not across saved") << "1@5 C 10@5" << 11 << false << 2 << "10 ";
        QTest::newRow("not into undone") << "1@5 U 10@5" << 10 << false << 1 << "10 ";
        QTest::newRow("obsolete dropped") << "5@5 -5@5" << 0 << true << 0 << " ";
        QTest::newRow("obsolete, rest kept") << "1 5@5 -5@5 U" << 0 << true << 1 << " 1";
    }
    void undoStack()
    {
        QFETCH(QString, script);
        QFETCH(int, value);
        QFETCH(bool, clean);
        QFETCH(int, count);
        QFETCH(QString, texts);
        UndoStack stack;
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
        QCOMPARE(stack.isClean(), clean);
        QVERIFY(stack.canUndo() == !stack.undoText().isEmpty()
                && stack.canRedo() == !stack.redoText().isEmpty());
    }

    void assignKey()
    {
        // Layer, code, the layer that also gets it (or -1).
        const int rows[][3]
            = {{0, 0x00FF, 1},  {0, 0x00FD, 1},  {0, 0x00FB, 1}, // FN1, Locking FN1, Sticky FN1
               {0, 0x00FE, 2},  {0, 0x00FC, 2},  {0, 0x00FA, 2},
               {0, 0x0004, -1}, {0, 0x02FE, -1}, // a key; a modifier with an FN key's low byte
               {1, 0x00FF, -1}, {1, 0x00FE, -1}};
        Mv100Config start = sample();
        for (int l = 0; l < MV100::LAYERS; ++l)
            start.setKeyCode(l, 3, 10, std::uint16_t(0x0005 + l));
        for (const auto &[layer, code, mirror] : rows) {
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
            QVERIFY2(document.config() == expected, qPrintable(QString::number(code, 16)));
            QCOMPARE(document.undoStack()->undoText(), "Assign X3/Y10");
            QStringList seen = recorder.take();
            seen.sort();
            events.sort();
            QCOMPARE(seen, events);
            undoAll(document, {start}); // one step for both cells
            QVERIFY(!document.isModified());
        }
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

        // More than 32 cells of a layer are redrawn as the whole layer.
        QList<Edit> many;
        for (int cell = 0; cell < 33; ++cell)
            many << Edit {1, cell % 16, cell / 16, 0x0007};
        states << c;
        document.setCells(many + QList<Edit> {Edit {2, 1, 1, 0x0008}}, "Paste");
        QCOMPARE(recorder.take(), (QStringList {"layer 1", "cell 2/1/1"}));

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

        document.setDevicePin("0011223344556677");
        QCOMPARE(document.devicePin(), "0011223344556677");
        QVERIFY(document.undoStack()->count() == 1 && !document.isModified()); // no edit

        document.assignKey(0, 1, 1, 0x0004);
        document.reset(sample(), "b.mv100");
        QVERIFY(document.config() == sample() && !document.isModified());
        QVERIFY(document.undoStack()->count() == 0 && document.fileName() == "b.mv100");
        QCOMPARE(recorder.take().mid(2), (QStringList {"modified 0", "replaced"}));
    }
};

QTEST_GUILESS_MAIN(TestCoreDocument)
#include "tst_coredocument.moc"
