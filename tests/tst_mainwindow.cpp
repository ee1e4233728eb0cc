// Tests of the main window frame: tool bar, tabs, PIN row, title, close guard.
#include "MainWindow.h"
#include "Startup.h"
#include "TestSupport.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

class TestMainWindow : public QObject
{
    Q_OBJECT
    std::unique_ptr<MainWindow> m_window;

    template<typename T> T *child(const QString &name) { return m_window->findChild<T *>(name); }
    // Closes the window, clicking answer in a question; returns its "title|text|buttons" if any.
    QString closeAnswering(const QString &answer, bool viaExit = false)
    {
        TestSupport::SeenBox seen;
        TestSupport::answerNextBox(answer, &seen);
        viaExit ? child<QAction>("actionExit")->trigger() : void(m_window->close());
        TestSupport::cancelPendingAnswers();
        seen.buttons.sort();
        return seen.seen ? seen.title + '|' + seen.text + '|' + seen.buttons.join(',') : QString();
    }

private Q_SLOTS:
    // The icons live in the static library: only the start-up code makes them loadable.
    void initTestCase() { Startup::setupApplication(*qApp); }
    void init()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("QMetaObject::connectSlotsByName")));
        m_window = std::make_unique<MainWindow>();
    }
    void cleanup() { m_window.reset(); }

    // Write comes before Read here; every button shows an icon.
    void toolBar()
    {
        QStringList shown;
        for (const QAction *a : child<QWidget>("toolBar")->actions()) {
            shown << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
            QVERIFY2(a->isSeparator() || !a->icon().pixmap(32).toImage().isNull(),
                     qPrintable(a->text()));
        }
        QCOMPARE(shown.join(' '),
                 "actionNew actionOpen actionSave - actionUndo actionRedo - actionWrite actionRead "
                 "actionEmpty actionInfo actionMacros");
    }

    void tabsAndPinRow()
    {
        auto *tabs = child<QTabWidget>("tabWidget");
        auto *lock = child<QComboBox>("main_cmb_lock");
        QStringList shown
            = {child<QLabel>("main_label_pin")->text(), child<QLineEdit>("main_edit_pin")->text(),
               child<QPushButton>("btn_pin_default")->text(),
               child<QLabel>("main_label_lock")->text()};
        shown << lock->itemText(0) << lock->itemText(1) << QString::number(lock->count());
        for (int i = 0; i < tabs->count(); ++i)
            shown << tabs->tabText(i);
        QCOMPARE(shown,
                 QStringList({"PIN:", "3C9A71E04B5D28F6", "Default", "Lock mode", "Unlock", "Lock",
                              "2", "Default", "FN1", "FN2", "Mouse", "Custom Data", "Lock Keys",
                              "PIN", "Backlight", "LED Outputs", "Debounce", "Device info"}));
    }

    void closeGuard()
    {
        m_window->show();
        QTest::keyClick(child<QLineEdit>("custom_edit"), Qt::Key_Backspace);
        const QString question
            = QStringLiteral("Exit|Changes have been made and not saved. Continue?|Cancel,Yes");
        QCOMPARE(closeAnswering("Cancel"), question);
        QCOMPARE(closeAnswering("Cancel"), question); // asks again
        QVERIFY(m_window->isVisible());
        QCOMPARE(closeAnswering("Yes", true), question);
        QVERIFY(!m_window->isVisible());
    }

    // The title names the file and marks unsaved changes; undoing back to the saved state
    // leaves nothing to ask about.
    void titleFollowsTheDocument()
    {
        const QString untitled = "Untitled[*] - Morvantide100 Editor";
        QCOMPARE(m_window->windowTitle(), untitled);
        QVERIFY(!m_window->isWindowModified());
        QTest::keyClick(child<QLineEdit>("custom_edit"), Qt::Key_Backspace);
        QVERIFY(m_window->isWindowModified());
        child<QAction>("actionUndo")->trigger();
        QVERIFY(!m_window->isWindowModified());
        m_window->show();
        QVERIFY(closeAnswering("Cancel").isEmpty() && !m_window->isVisible());

        QTemporaryDir dir;
        const QString file = dir.filePath("panel & keys.mv100");
        m_window->document().markSaved(file);
        QCOMPARE(m_window->windowTitle(), "panel & keys.mv100[*] - Morvantide100 Editor");
        child<QSpinBox>("spin_debounce")->setValue(9);
        QVERIFY(m_window->isWindowModified());
        TestSupport::answerNextBox("Cancel");
        child<QAction>("actionNew")->trigger(); // nothing changes
        QCOMPARE(m_window->windowTitle(), "panel & keys.mv100[*] - Morvantide100 Editor");
        TestSupport::answerNextBox("Yes");
        child<QAction>("actionNew")->trigger();
        QCOMPARE(m_window->windowTitle(), untitled);
        QVERIFY(!m_window->isWindowModified());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
