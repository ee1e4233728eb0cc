// Helpers shared by the tests: answering modal boxes and dialogs from a timer.
#include "TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

namespace TestSupport {

void onNextModal(std::function<void(QWidget *modal)> handler, int timeoutMs)
{
    auto *timer = new QTimer(qApp);
    auto *elapsed = new QElapsedTimer;
    elapsed->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, qApp, [timer, elapsed, handler, timeoutMs]() {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            delete elapsed;
            handler(modal);
            return;
        }
        if (elapsed->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            delete elapsed;
        }
    });
    timer->start();
}

void answerNextBox(const QString &buttonText, SeenBox *seen, int timeoutMs)
{
    onNextModal(
        [buttonText, seen](QWidget *modal) {
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                if (seen != nullptr) {
                    seen->seen = true;
                    seen->title = box->windowTitle();
                    seen->text = box->text();
                }
                for (QAbstractButton *button : box->buttons()) {
                    if (button->text().remove(QLatin1Char('&')) == buttonText) {
                        button->click();
                        return;
                    }
                }
                box->reject();
                return;
            }
            if (seen != nullptr) {
                seen->seen = true;
                seen->title = modal->windowTitle();
            }
            const auto buttons = modal->findChildren<QAbstractButton *>();
            for (QAbstractButton *button : buttons) {
                if (button->text().remove(QLatin1Char('&')) == buttonText) {
                    button->click();
                    return;
                }
            }
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->reject();
            else
                modal->close();
        },
        timeoutMs);
}

void closeAllModals()
{
    for (int i = 0; i < 10; ++i) {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal == nullptr)
            return;
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
        QApplication::processEvents();
    }
}

} // namespace TestSupport
