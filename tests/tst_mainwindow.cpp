// Tests of the main window frame: identity, actions, menus, tool bar, tabs, close guard, Forum.
#include "KeyMatrixWidget.h"
#include "MainWindow.h"
#include "MakerLinks.h"
#include "Startup.h"
#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QtTest>

#include <memory>

namespace {
// An action list as names: actions by object name, submenus by their menu's object name,
// separators as "-".
QStringList entryNames(const QList<QAction *> &actions)
{
    QStringList names;
    for (const QAction *action : actions) {
        if (action->isSeparator())
            names << QStringLiteral("-");
        else if (action->menu() != nullptr)
            names << action->menu()->objectName();
        else
            names << action->objectName();
    }
    return names;
}

// What the close-guard box showed, and which button the test pressed.
struct QuestionSeen
{
    bool seen = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMap<QString, QMessageBox::ButtonRole> buttons;
};

enum class Answer { Yes, Cancel, Escape };

// Answers the next question box while it lives; a scoped object, so that an answer meant for
// one test can never reach a box of the next one.
class QuestionAnswerer
{
public:
    explicit QuestionAnswerer(Answer answer)
        : m_answer(answer)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this]() { poll(); });
        m_timer.start();
    }
    QuestionSeen seen;

private:
    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        m_timer.stop();
        seen.seen = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        for (QAbstractButton *button : box->buttons())
            seen.buttons.insert(button->text(), box->buttonRole(button));
        if (m_answer == Answer::Escape) {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        const QString wanted
            = m_answer == Answer::Yes ? QStringLiteral("Yes") : QStringLiteral("Cancel");
        for (QAbstractButton *button : box->buttons()) {
            if (button->text() == wanted) {
                button->click();
                return;
            }
        }
        box->reject();
    }

    Answer m_answer;
    QTimer m_timer;
};
} // namespace

// Stands in for the desktop's browser.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl &url) { urls << url; }
};

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MainWindow> m_window;

    template<typename T> T *child(const QString &name) const
    {
        return m_window->findChild<T *>(name);
    }
    // A user edit of a stored setting, which makes the window's state unsaved.
    void editSetting()
    {
        auto *custom = child<QLineEdit>(QStringLiteral("custom_edit"));
        QTest::keyClick(custom, Qt::Key_Backspace);
        QVERIFY(m_window->hasUnsavedChanges());
    }

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void identity();
    void windowFrame();
    void actions_data();
    void actions();
    void menus();
    void toolBar();
    void tabs();
    void pinRow();
    void deviceInfoStartsEmpty();

    void closeWithoutChangesAsksNothing();
    void closeWithChangesAsks_data();
    void closeWithChangesAsks();
    void closeYesCloses();
    void exitUsesTheGuard();

    void forumOpensTheForumPage();
    void forumFailureWarns();
};

void TestMainWindow::initTestCase()
{
    Startup::setupApplication(*qobject_cast<QApplication *>(QCoreApplication::instance()));
}

void TestMainWindow::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("QMetaObject::connectSlotsByName")));
    m_window = std::make_unique<MainWindow>();
}

void TestMainWindow::cleanup()
{
    TestSupport::closeAllModals();
    if (m_window)
        m_window->setUnsavedChanges(false);
    m_window.reset();
}

void TestMainWindow::identity()
{
    QCOMPARE(QApplication::style()->name().toLower(), QStringLiteral("fusion"));
    QCOMPARE(QApplication::applicationName(), QStringLiteral("Morvantide100 Editor"));
    QCOMPARE(QApplication::applicationVersion(), QStringLiteral("1.0.4"));
    QVERIFY(!QApplication::windowIcon().pixmap(32, 32).isNull());
    QVERIFY(QCoreApplication::organizationName().isEmpty());
}

void TestMainWindow::windowFrame()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("MainWindow"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Morvantide100 Editor"));
    QCOMPARE(m_window->size(), QSize(1004, 742));
    const QImage expected = QIcon(QStringLiteral(":/icons/res/png/keyboard-alt-tools_512px.png"))
                                .pixmap(64, 64)
                                .toImage();
    QVERIFY(!expected.isNull());
    QCOMPARE(m_window->windowIcon().pixmap(64, 64).toImage(), expected);
    QVERIFY(m_window->centralWidget());
    QCOMPARE(m_window->centralWidget()->objectName(), QStringLiteral("centralwidget"));
    QCOMPARE(m_window->centralWidget()->minimumWidth(), 772);
    QVERIFY(m_window->statusBar());
    QCOMPARE(m_window->statusBar()->objectName(), QStringLiteral("statusbar"));
    QVERIFY(!m_window->hasUnsavedChanges());
}

void TestMainWindow::actions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("icon");
    QTest::newRow("About") << "actionAbout"
                           << "About"
                           << ""
                           << "info_32px.png";
    QTest::newRow("New") << "actionNew"
                         << "New"
                         << "New Configuration"
                         << "insert-drive-file_32px.png";
    QTest::newRow("Open") << "actionOpen"
                          << "Open"
                          << "Open Configuration"
                          << "folder-open_32px.png";
    QTest::newRow("Save") << "actionSave"
                          << "Save"
                          << "Save Configuration"
                          << "save_32px.png";
    QTest::newRow("Exit") << "actionExit"
                          << "Exit"
                          << ""
                          << "exit-to-app_32px.png";
    QTest::newRow("Read") << "actionRead"
                          << "Read"
                          << "Read from Morvantide100"
                          << "keyboard-alt-arrow-down_32px.png";
    QTest::newRow("Write") << "actionWrite"
                           << "Write"
                           << "Write to Morvantide100"
                           << "keyboard-alt-arrow-up_32px.png";
    QTest::newRow("Erase") << "actionEmpty"
                           << "Erase"
                           << "Clear Morvantide100 Memory"
                           << "keyboard-alt-delete_32px.png";
    QTest::newRow("Get Info") << "actionInfo"
                              << "Get Info"
                              << "Morvantide100 Informations"
                              << "keyboard-alt-search_32px.png";
    QTest::newRow("Macros") << "actionMacros"
                            << "Macros"
                            << "Set Morvantide100 Macros"
                            << "keyboard-alt-play_32px.png";
    QTest::newRow("Default") << "actionDefault"
                             << "Default"
                             << ""
                             << "grid-on-delete_32px.png";
    QTest::newRow("FN1") << "actionFN1"
                         << "FN1"
                         << ""
                         << "grid-on-delete_32px.png";
    QTest::newRow("FN2") << "actionFN2"
                         << "FN2"
                         << ""
                         << "grid-on-delete_32px.png";
    QTest::newRow("Forum") << "actionForum"
                           << "Forum"
                           << ""
                           << "forum_32px.png";
}

void TestMainWindow::actions()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, toolTip);
    QFETCH(QString, icon);
    auto *action = child<QAction>(name);
    QVERIFY(action);
    QCOMPARE(action->text(), text);
    // Without a tool tip of its own an action shows its text.
    QCOMPARE(action->toolTip(), toolTip.isEmpty() ? text : toolTip);

    const QString path = QStringLiteral(":/icons/res/png/") + icon;
    QVERIFY2(QFile::exists(path), qPrintable(path));
    const QImage expected = QIcon(path).pixmap(32, 32).toImage();
    QVERIFY(!expected.isNull());
    QCOMPARE(action->icon().pixmap(32, 32).toImage(), expected);
    if (name == QLatin1String("actionFN1") || name == QLatin1String("actionFN2"))
        QCOMPARE(action->icon().cacheKey(),
                 child<QAction>(QStringLiteral("actionDefault"))->icon().cacheKey());
}

void TestMainWindow::menus()
{
    QMenuBar *bar = m_window->menuBar();
    QCOMPARE(bar->objectName(), QStringLiteral("menubar"));
    QStringList titles;
    for (const QAction *action : bar->actions())
        titles << action->text();
    QCOMPARE(titles, (QStringList {"File", "Device", "Options", "Help"}));
    QCOMPARE(entryNames(bar->actions()),
             (QStringList {"menuFile", "menuDevice", "menuOptions", "menuHelp"}));

    auto *file = child<QMenu>(QStringLiteral("menuFile"));
    QVERIFY(file);
    QCOMPARE(entryNames(file->actions()),
             (QStringList {"actionNew", "actionOpen", "menuRecently_Opened", "actionSave", "-",
                           "actionExit"}));
    QCOMPARE(child<QMenu>(QStringLiteral("menuRecently_Opened"))->title(),
             QStringLiteral("Recently Opened"));
    QCOMPARE(
        entryNames(child<QMenu>(QStringLiteral("menuDevice"))->actions()),
        (QStringList {"actionRead", "actionWrite", "actionEmpty", "actionInfo", "actionMacros"}));
    QCOMPARE(entryNames(child<QMenu>(QStringLiteral("menuOptions"))->actions()),
             QStringList {"menuClear_Table"});
    auto *clearTable = child<QMenu>(QStringLiteral("menuClear_Table"));
    QCOMPARE(clearTable->title(), QStringLiteral("Clear Table"));
    QCOMPARE(entryNames(clearTable->actions()),
             (QStringList {"actionDefault", "actionFN1", "actionFN2"}));
    QCOMPARE(entryNames(child<QMenu>(QStringLiteral("menuHelp"))->actions()),
             (QStringList {"actionAbout", "actionForum"}));
}

void TestMainWindow::toolBar()
{
    auto *bar = child<QToolBar>(QStringLiteral("toolBar"));
    QVERIFY(bar);
    QCOMPARE(m_window->toolBarArea(bar), Qt::TopToolBarArea);
    QCOMPARE(bar->iconSize(), QSize(32, 32));
    QCOMPARE(entryNames(bar->actions()),
             (QStringList {"actionNew", "actionOpen", "actionSave", "-", "actionWrite",
                           "actionRead", "actionEmpty", "actionInfo", "actionMacros"}));
}

void TestMainWindow::tabs()
{
    auto *tabs = child<QTabWidget>(QStringLiteral("tabWidget"));
    QVERIFY(tabs);
    const QStringList pages = {"tab_default",    "tab_fn1",       "tab_fn2", "tab_mouse",
                               "tab_customdata", "tab_lock_keys", "tab_pin", "tab_backlight",
                               "tab_outputs",    "tab_debounce",  "tab_info"};
    const QStringList texts
        = {"Default", "FN1",       "FN2",         "Mouse",    "Custom Data", "Lock Keys",
           "PIN",     "Backlight", "LED Outputs", "Debounce", "Device info"};
    QCOMPARE(tabs->count(), pages.size());
    for (int i = 0; i < tabs->count(); ++i) {
        QCOMPARE(tabs->widget(i)->objectName(), pages[i]);
        QCOMPARE(tabs->tabText(i), texts[i]);
    }
    QCOMPARE(tabs->currentIndex(), 0);
    // Each layer page holds the matrix of its layer.
    for (int layer = 0; layer < 3; ++layer) {
        KeyMatrixWidget *matrix = m_window->matrix(layer);
        QVERIFY(matrix);
        QVERIFY(tabs->widget(layer)->isAncestorOf(matrix));
    }
}

void TestMainWindow::pinRow()
{
    auto *label = child<QLabel>(QStringLiteral("main_label_pin"));
    auto *pin = child<QLineEdit>(QStringLiteral("main_edit_pin"));
    auto *defaultButton = child<QPushButton>(QStringLiteral("btn_pin_default"));
    auto *lockLabel = child<QLabel>(QStringLiteral("main_label_lock"));
    auto *lock = child<QComboBox>(QStringLiteral("main_cmb_lock"));
    QVERIFY(label && pin && defaultButton && lockLabel && lock);
    QCOMPARE(label->text(), QStringLiteral("PIN:"));
    QCOMPARE(label->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(label->minimumWidth(), 50);
    QCOMPARE(pin->maxLength(), 16);
    QCOMPARE(pin->text(), QStringLiteral("3C9A71E04B5D28F6"));
    QCOMPARE(defaultButton->text(), QStringLiteral("Default"));
    QCOMPARE(lockLabel->text(), QStringLiteral("Lock mode"));
    QCOMPARE(lock->count(), 2);
    QCOMPARE(lock->itemText(0), QStringLiteral("Unlock"));
    QCOMPARE(lock->itemText(1), QStringLiteral("Lock"));
    QCOMPARE(lock->currentIndex(), 0);

    // One row above the tabs, left to right, with the lock mode pushed to the right.
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    auto *tabs = child<QTabWidget>(QStringLiteral("tabWidget"));
    auto x = [this](QWidget *w) {
        return w->mapTo(m_window.get(), QPoint(0, 0)).x();
    };
    auto bottom = [this](QWidget *w) {
        return w->mapTo(m_window.get(), QPoint(0, w->height())).y();
    };
    QVERIFY(x(label) < x(pin));
    QVERIFY(x(pin) < x(defaultButton));
    QVERIFY(x(defaultButton) + defaultButton->width() + 100 < x(lockLabel));
    QVERIFY(x(lockLabel) < x(lock));
    for (QWidget *w : QList<QWidget *> {label, pin, defaultButton, lockLabel, lock})
        QVERIFY(bottom(w) <= tabs->mapTo(m_window.get(), QPoint(0, 0)).y());

    pin->setText(QStringLiteral("0123"));
    defaultButton->click();
    QCOMPARE(pin->text(), QStringLiteral("3C9A71E04B5D28F6"));
}

void TestMainWindow::deviceInfoStartsEmpty()
{
    const QStringList captions
        = {"Vendor ID:",   "Product ID:",  "Serial number:", "Firmware version:",
           "Custom data:", "Lock status:", "Erase count:"};
    const QStringList values = {"vid", "pid", "sn", "ver", "customdata", "lock", "erasecount"};
    auto *page = child<QWidget>(QStringLiteral("tab_info"));
    QStringList shown;
    for (const QLabel *label : page->findChildren<QLabel *>())
        shown << label->text();
    for (const QString &caption : captions)
        QVERIFY2(shown.contains(caption), qPrintable(caption));
    for (const QString &value : values) {
        auto *label = child<QLabel>(QStringLiteral("info_label_") + value);
        QVERIFY2(label, qPrintable(value));
        QVERIFY(page->isAncestorOf(label));
        QCOMPARE(label->text(), QStringLiteral("-"));
    }
}

void TestMainWindow::closeWithoutChangesAsksNothing()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QuestionAnswerer answerer(Answer::Cancel);
    QVERIFY(m_window->close());
    QVERIFY(!m_window->isVisible());
    QVERIFY(!answerer.seen.seen);
}

void TestMainWindow::closeWithChangesAsks_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Cancel") << false;
    QTest::newRow("Escape") << true;
}

void TestMainWindow::closeWithChangesAsks()
{
    QFETCH(bool, escape);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    editSetting();

    QuestionAnswerer answerer(escape ? Answer::Escape : Answer::Cancel);
    QVERIFY(!m_window->close());
    QVERIFY(answerer.seen.seen);
    QCOMPARE(answerer.seen.title, QStringLiteral("Exit"));
    QCOMPARE(answerer.seen.text, QStringLiteral("Changes have been made and not saved. Continue?"));
    QCOMPARE(answerer.seen.icon, QMessageBox::Question);
    const QMap<QString, QMessageBox::ButtonRole> buttons
        = {{"Yes", QMessageBox::YesRole}, {"Cancel", QMessageBox::RejectRole}};
    QCOMPARE(answerer.seen.buttons, buttons);
    QVERIFY(m_window->isVisible());
    QVERIFY(m_window->hasUnsavedChanges());

    // It asks again the next time.
    QuestionAnswerer again(Answer::Cancel);
    QVERIFY(!m_window->close());
    QVERIFY(again.seen.seen);
    QVERIFY(m_window->isVisible());
}

void TestMainWindow::closeYesCloses()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    editSetting();
    QuestionAnswerer answerer(Answer::Yes);
    QVERIFY(m_window->close());
    QVERIFY(answerer.seen.seen);
    QVERIFY(!m_window->isVisible());
}

void TestMainWindow::exitUsesTheGuard()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    auto *exit = child<QAction>(QStringLiteral("actionExit"));
    m_window->setUnsavedChanges(true);
    QuestionAnswerer answerer(Answer::Cancel);
    exit->trigger();
    QVERIFY(answerer.seen.seen);
    QCOMPARE(answerer.seen.title, QStringLiteral("Exit"));
    QVERIFY(m_window->isVisible());

    m_window->setUnsavedChanges(false);
    exit->trigger();
    QVERIFY(!m_window->isVisible());
}

void TestMainWindow::forumOpensTheForumPage()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    child<QAction>(QStringLiteral("actionForum"))->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(catcher.urls.size(), 1);
    QCOMPARE(catcher.urls.first(), QUrl::fromUserInput(QString::fromLatin1(MakerLinks::FORUM)));
}

void TestMainWindow::forumFailureWarns()
{
    // A handler without the method it names makes the desktop report failure.
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "noSuchMethod");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("noSuchMethod")));
    TestSupport::SeenBox seen;
    TestSupport::answerNextBox(QStringLiteral("OK"), &seen);
    child<QAction>(QStringLiteral("actionForum"))->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QVERIFY(seen.seen);
    QCOMPARE(seen.title, QStringLiteral("Forum"));
    QCOMPARE(seen.text,
             QStringLiteral("Der Standardbrowser konnte nicht geöffnet werden.\n\n%1")
                 .arg(QUrl::fromUserInput(QString::fromLatin1(MakerLinks::FORUM)).toString()));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
