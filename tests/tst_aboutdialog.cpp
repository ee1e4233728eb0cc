// Tests of AboutDialog: its texts and links, the licence look-up and its warnings.
#include "AboutDialog.h"
#include "MainWindow.h"
#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("About Morvantide100 Editor");

// Looks the licence folders up below a folder of the test's choosing.
class PlacedAboutDialog : public AboutDialog
{
public:
    explicit PlacedAboutDialog(const QString &folder)
        : m_folder(folder)
    { }

protected:
    QString programFolder() const override { return m_folder; }

private:
    QString m_folder;
};

QList<QLabel *> labelsInOrder(const QDialog &dialog)
{
    QList<QLabel *> labels;
    QLayout *layout = dialog.layout();
    for (int i = 0; layout != nullptr && i < layout->count(); ++i) {
        if (auto *label = qobject_cast<QLabel *>(layout->itemAt(i)->widget()))
            labels.append(label);
    }
    return labels;
}

QLabel *labelContaining(const QDialog &dialog, const QString &part)
{
    for (QLabel *label : labelsInOrder(dialog)) {
        if (label->text().contains(part))
            return label;
    }
    return nullptr;
}

QString hrefOf(const QLabel *label)
{
    return QRegularExpression(QStringLiteral("href=\"([^\"]*)\"")).match(label->text()).captured(1);
}

bool writeFile(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("licence text\n") > 0;
}

} // namespace

// Receives what the desktop would have been asked to open.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public Q_SLOTS:
    void open(const QUrl &url) { urls.append(url); }
};

class tst_AboutDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void contentTopToBottom();
    void linksOpenTheirTargets_data();
    void linksOpenTheirTargets();
    void closeButtonRejects();
    void licenceLookup_data();
    void licenceLookup();
    void everyComponentOpensItsOwnFile_data();
    void everyComponentOpensItsOwnFile();
    void linkThatCannotBeOpenedWarns();
    void licenceThatCannotBeOpenedWarns();
    void helpAboutOpensTheDialogOverTheWindow();

private:
    void captureScheme(const char *scheme);

    UrlRecorder m_recorder;
};

void tst_AboutDialog::captureScheme(const char *scheme)
{
    QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &m_recorder, "open");
}

void tst_AboutDialog::init()
{
    m_recorder.urls.clear();
    captureScheme("https");
    captureScheme("mailto");
    captureScheme("file");
}

void tst_AboutDialog::cleanup()
{
    for (const char *scheme : {"https", "mailto", "file"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    TestSupport::closeAllModals();
}

void tst_AboutDialog::contentTopToBottom()
{
    AboutDialog dialog;
    QCOMPARE(dialog.windowTitle(), kTitle);

    const auto interactive
        = Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard;
    QStringList seen;
    QLayout *layout = dialog.layout();
    QVERIFY(qobject_cast<QVBoxLayout *>(layout) != nullptr);
    for (int i = 0; i < layout->count(); ++i) {
        QWidget *widget = layout->itemAt(i)->widget();
        QVERIFY(widget != nullptr);
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            seen << label->text();
            if (label->text().contains(QLatin1String("<a "))) {
                QCOMPARE(label->textInteractionFlags(), interactive);
                QVERIFY(!label->openExternalLinks());
            }
        } else if (auto *buttons = qobject_cast<QDialogButtonBox *>(widget)) {
            seen << QStringLiteral("[buttons %1]").arg(int(buttons->standardButtons()));
        } else if (auto *frame = qobject_cast<QFrame *>(widget)) {
            seen << QStringLiteral("[line %1 %2]")
                        .arg(frame->frameShape())
                        .arg(frame->frameShadow());
        } else {
            seen << QString::fromLatin1(widget->metaObject()->className());
        }
    }

    const QStringList expected = {
        QStringLiteral("<b>Morvantide100 Editor</b><br>Version 1.0.4<br>2026"),
        QStringLiteral(
            "Homepage: <a "
            "href=\"https://www.morvantide.example/\">https://www.morvantide.example/</a>"),
        QStringLiteral("Support: <a "
                       "href=\"mailto:support@morvantide.example\">support@morvantide.example</a>"),
        QStringLiteral("Forum: <a "
                       "href=\"https://forum.morvantide.example/mv100\">https://"
                       "forum.morvantide.example/mv100</a>"),
        QStringLiteral("[line %1 %2]").arg(QFrame::HLine).arg(QFrame::Sunken),
        QStringLiteral("Third-party components:"),
        QStringLiteral("<a href=\"LICENSE-qt.txt\">Qt 6 (LGPL-3.0)</a>"),
        QStringLiteral("<a href=\"LICENSE-hidapi.txt\">hidapi (Own license (permissive))</a>"),
        QStringLiteral(
            "<a href=\"LICENSE-google-material-icons.txt\">Google Material Icons (Apache-2.0)</a>"),
        QStringLiteral("[buttons %1]").arg(int(QDialogButtonBox::Close)),
    };
    QCOMPARE(seen, expected);
}

void tst_AboutDialog::linksOpenTheirTargets_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QUrl>("opened");
    QTest::newRow("homepage") << "Homepage"
                              << QUrl(QStringLiteral("https://www.morvantide.example/"));
    QTest::newRow("support") << "Support"
                             << QUrl(QStringLiteral("mailto:support@morvantide.example"));
    QTest::newRow("forum") << "Forum"
                           << QUrl(QStringLiteral("https://forum.morvantide.example/mv100"));
}

void tst_AboutDialog::linksOpenTheirTargets()
{
    QFETCH(QString, title);
    QFETCH(QUrl, opened);

    AboutDialog dialog;
    QLabel *label = labelContaining(dialog, title + QLatin1String(": "));
    QVERIFY(label != nullptr);
    // What the label hands on when the user follows its link.
    emit label->linkActivated(hrefOf(label));

    QCOMPARE(m_recorder.urls, QList<QUrl> {opened});
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void tst_AboutDialog::closeButtonRejects()
{
    AboutDialog dialog;
    bool clicked = false;
    TestSupport::onNextModal([&clicked](QWidget *modal) {
        auto *buttons = modal->findChild<QDialogButtonBox *>();
        QPushButton *close
            = buttons != nullptr ? buttons->button(QDialogButtonBox::Close) : nullptr;
        if (close != nullptr) {
            clicked = true;
            close->click();
        } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            dialog->done(-1);
        }
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY(clicked);
    QVERIFY(!dialog.isVisible());
}

void tst_AboutDialog::licenceLookup_data()
{
    QTest::addColumn<QString>("firstEntry"); // "file", "folder" or "" in bin/licenses/
    QTest::addColumn<bool>("inSecond"); // a file in share/doc/mv100-editor/
    QTest::addColumn<QString>("expected"); // "first", "second" or "" for the warning

    QTest::newRow("first only") << "file" << false << "first";
    QTest::newRow("second only") << "" << true << "second";
    QTest::newRow("both: first wins") << "file" << true << "first";
    QTest::newRow("neither") << "" << false << "";
    QTest::newRow("folder of that name in first") << "folder" << true << "second";
}

void tst_AboutDialog::licenceLookup()
{
    QFETCH(QString, firstEntry);
    QFETCH(bool, inSecond);
    QFETCH(QString, expected);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString bin = root.path() + QStringLiteral("/bin");
    QVERIFY(QDir().mkpath(bin));
    const QString first = bin + QStringLiteral("/licenses/LICENSE-hidapi.txt");
    const QString second
        = root.path() + QStringLiteral("/share/doc/mv100-editor/LICENSE-hidapi.txt");
    if (firstEntry == QLatin1String("file"))
        QVERIFY(writeFile(first));
    if (firstEntry == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(first));
    if (inSecond)
        QVERIFY(writeFile(second));

    PlacedAboutDialog dialog(bin);
    QLabel *hidapi = labelContaining(dialog, QStringLiteral(">hidapi ("));
    QVERIFY(hidapi != nullptr);

    TestSupport::SeenBox box;
    if (expected.isEmpty())
        TestSupport::answerNextBox(QStringLiteral("OK"), &box);
    emit hidapi->linkActivated(hrefOf(hidapi));

    if (expected.isEmpty()) {
        QVERIFY(box.seen);
        QCOMPARE(box.title, kTitle);
        QCOMPARE(box.text,
                 QStringLiteral("License file not found.\n\n") + QDir::toNativeSeparators(first));
        QVERIFY(m_recorder.urls.isEmpty());
        return;
    }
    QCOMPARE(m_recorder.urls.size(), 1);
    const QUrl opened = m_recorder.urls.first();
    QVERIFY(opened.isLocalFile());
    const QString wanted = expected == QLatin1String("first") ? first : second;
    QCOMPARE(QFileInfo(opened.toLocalFile()).canonicalFilePath(),
             QFileInfo(wanted).canonicalFilePath());
}

void tst_AboutDialog::everyComponentOpensItsOwnFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file");
    QTest::newRow("qt") << "Qt 6"
                        << "LICENSE-qt.txt";
    QTest::newRow("hidapi") << "hidapi"
                            << "LICENSE-hidapi.txt";
    QTest::newRow("icons") << "Google Material Icons"
                           << "LICENSE-google-material-icons.txt";
}

void tst_AboutDialog::everyComponentOpensItsOwnFile()
{
    QFETCH(QString, name);
    QFETCH(QString, file);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString docs = root.path() + QStringLiteral("/share/doc/mv100-editor/");
    for (const char *each :
         {"LICENSE-qt.txt", "LICENSE-hidapi.txt", "LICENSE-google-material-icons.txt"})
        QVERIFY(writeFile(docs + QLatin1String(each)));
    QVERIFY(QDir().mkpath(root.path() + QStringLiteral("/bin")));

    PlacedAboutDialog dialog(root.path() + QStringLiteral("/bin"));
    QLabel *label = labelContaining(dialog, QLatin1Char('>') + name + QLatin1String(" ("));
    QVERIFY(label != nullptr);
    emit label->linkActivated(hrefOf(label));

    QCOMPARE(m_recorder.urls.size(), 1);
    QCOMPARE(QFileInfo(m_recorder.urls.first().toLocalFile()).canonicalFilePath(),
             QFileInfo(docs + file).canonicalFilePath());
}

// Without a handler for the scheme the request reaches the offscreen platform, which has no
// desktop to open anything with and reports failure.
void tst_AboutDialog::linkThatCannotBeOpenedWarns()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    AboutDialog dialog;
    QLabel *forum = labelContaining(dialog, QStringLiteral("Forum: "));
    QVERIFY(forum != nullptr);

    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("does not support .*openUrl")));
    TestSupport::SeenBox box;
    TestSupport::answerNextBox(QStringLiteral("OK"), &box);
    emit forum->linkActivated(hrefOf(forum));

    QVERIFY(box.seen);
    QCOMPARE(box.title, kTitle);
    QCOMPARE(box.text,
             QStringLiteral("Could not open the link.\n\nhttps://forum.morvantide.example/mv100"));
}

void tst_AboutDialog::licenceThatCannotBeOpenedWarns()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString file = root.path() + QStringLiteral("/licenses/LICENSE-qt.txt");
    QVERIFY(writeFile(file));

    PlacedAboutDialog dialog(root.path());
    QLabel *qt = labelContaining(dialog, QStringLiteral(">Qt 6 ("));
    QVERIFY(qt != nullptr);

    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("does not support .*openDocument")));
    TestSupport::SeenBox box;
    TestSupport::answerNextBox(QStringLiteral("OK"), &box);
    emit qt->linkActivated(hrefOf(qt));

    QVERIFY(box.seen);
    QCOMPARE(box.title, kTitle);
    QCOMPARE(box.text,
             QStringLiteral("Could not open the license file.\n\n")
                 + QDir::toNativeSeparators(file));
}

void tst_AboutDialog::helpAboutOpensTheDialogOverTheWindow()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("QMetaObject::connectSlotsByName")));
    MainWindow window;
    auto *about = window.findChild<QAction *>(QStringLiteral("actionAbout"));
    QVERIFY(about != nullptr);

    QString shown;
    QWidget *parent = nullptr;
    TestSupport::onNextModal([&shown, &parent](QWidget *modal) {
        shown = QString::fromLatin1(modal->metaObject()->className());
        parent = modal->parentWidget();
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
    });
    about->trigger();

    QCOMPARE(shown, QStringLiteral("AboutDialog"));
    QCOMPARE(parent, static_cast<QWidget *>(&window));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

int main(int argc, char **argv)
{
    // Nothing may really be opened: the offscreen platform has no desktop behind it.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tst_AboutDialog test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_aboutdialog.moc"
