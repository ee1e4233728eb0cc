// Helpers shared by the tests: answering modal boxes and dialogs from a timer.
#include "TestSupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

namespace TestSupport {

namespace {
// Answers still waiting for their modal widget; a test's cleanup cancels them so that a box
// that never came cannot catch the next test's dialog.
QList<QPointer<QTimer>> &pendingTimers()
{
    static QList<QPointer<QTimer>> timers;
    return timers;
}
} // namespace

void cancelPendingAnswers()
{
    for (const QPointer<QTimer> &timer : std::as_const(pendingTimers())) {
        if (timer) {
            timer->stop();
            timer->deleteLater();
        }
    }
    pendingTimers().clear();
}

void onNextModal(std::function<void(QWidget *modal)> handler, int timeoutMs)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(10);
    pendingTimers().append(timer);
    QElapsedTimer elapsed;
    elapsed.start();
    QObject::connect(timer, &QTimer::timeout, qApp, [timer, elapsed, handler, timeoutMs]() {
        QWidget *modal = QApplication::activeModalWidget();
        const bool found = modal != nullptr && modal->isVisible();
        if (found || elapsed.elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            pendingTimers().removeAll(timer);
        }
        if (found)
            handler(modal);
    });
    timer->start();
}

void answerNextBox(const QString &buttonText, SeenBox *seen, int timeoutMs)
{
    onNextModal(
        [buttonText, seen](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            const QList<QAbstractButton *> buttons
                = box ? box->buttons() : modal->findChildren<QAbstractButton *>();
            if (seen != nullptr) {
                seen->seen = true;
                seen->title = modal->windowTitle();
                if (box != nullptr) {
                    seen->text = box->text();
                    for (QAbstractButton *button : buttons)
                        seen->buttons << button->text();
                }
            }
            for (QAbstractButton *button : buttons) {
                if (button->text().remove(QLatin1Char('&')) == buttonText)
                    return button->click();
            }
            if (auto *dialog = qobject_cast<QDialog *>(modal)) // a QMessageBox too
                dialog->reject();
            else
                modal->close();
        },
        timeoutMs);
}

void closeAllModals()
{
    cancelPendingAnswers();
    for (int i = 0; i < 10; ++i) {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal == nullptr)
            return;
        // done() rather than reject(): a dialog may ask before it lets itself be rejected.
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->done(QDialog::Rejected);
        else
            modal->close();
        QApplication::processEvents();
    }
}

QStringList triggerAnswering(QWidget *window, const QString &action, const QStringList &accept,
                             bool withInformative)
{
    QStringList boxes;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&]() {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        QString seen = QString(" IWCQ"[box->icon()]) + ' ' + box->windowTitle() + '|' + box->text();
        if (withInformative)
            seen += '|' + box->informativeText();
        boxes << seen;
        for (QAbstractButton *button : box->buttons()) {
            if (accept.contains(button->text().remove('&')))
                return button->click();
        }
        box->done(QDialog::Rejected);
    });
    timer.start(5);
    window->findChild<QAction *>(action)->trigger();
    return boxes;
}

} // namespace TestSupport
