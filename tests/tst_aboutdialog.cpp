// Tests of AboutDialog: the texts of its link labels, the licence look-up and its warning.
#include "AboutDialog.h"
#include "MakerLinks.h"
#include "TestSupport.h"

#include <QTest>
#include <QtWidgets>

// Looks the licence folders up below a folder of the test's choosing.
struct PlacedAboutDialog : AboutDialog
{
    QString folder;
    QString programFolder() const override { return folder; }
};

class TestAboutDialog : public QObject
{
    Q_OBJECT
    QStringList m_opened; // what the desktop was asked to open

public Q_SLOTS:
    void open(const QUrl &url) { m_opened << QDir::cleanPath(url.toLocalFile()); }

private Q_SLOTS:
    void cleanup() { TestSupport::closeAllModals(); }
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler("file"); }

    void labelsAndLicenceLookup()
    {
        QDesktopServices::setUrlHandler("file", this, "open");
        QTemporaryDir root;
        PlacedAboutDialog dialog;
        dialog.folder = root.path() + "/bin";
        const QList<QLabel *> labels = dialog.findChildren<QLabel *>();
        const QString link("%1: <a href=\"%2\">%3</a>");
        const QString mail = MakerLinks::SUPPORT_MAIL;
        QCOMPARE(labels.at(1)->text(),
                 link.arg("Homepage", MakerLinks::HOMEPAGE, MakerLinks::HOMEPAGE));
        QCOMPARE(labels.at(2)->text(), link.arg("Support", "mailto:" + mail, mail));

        // The licence files: bin/licenses/ first, then share/doc/mv100-editor/.
        const QString first = root.path() + "/bin/licenses/LICENSE-hidapi.txt";
        const QString second = root.path() + "/share/doc/mv100-editor/LICENSE-hidapi.txt";
        QVERIFY(QDir().mkpath(root.path() + "/bin/licenses"));
        QVERIFY(QDir().mkpath(root.path() + "/share/doc/mv100-editor"));
        TestSupport::SeenBox box;
        TestSupport::answerNextBox("OK", &box);
        emit labels.at(6)->linkActivated("LICENSE-hidapi.txt"); // "hidapi", in neither folder
        QCOMPARE(box.title, QString("About Morvantide100 Editor"));
        QCOMPARE(box.text, "License file not found.\n\n" + QDir::toNativeSeparators(first));
        QVERIFY(QFile(second).open(QIODevice::WriteOnly));
        emit labels.at(6)->linkActivated("LICENSE-hidapi.txt"); // second only
        QVERIFY(QFile(first).open(QIODevice::WriteOnly));
        emit labels.at(6)->linkActivated("LICENSE-hidapi.txt"); // both
        QVERIFY(QFile::remove(second));
        emit labels.at(6)->linkActivated("LICENSE-hidapi.txt"); // first only
        QCOMPARE(m_opened, QStringList({second, first, first}));
    }
};

QTEST_MAIN(TestAboutDialog)
#include "tst_aboutdialog.moc"
