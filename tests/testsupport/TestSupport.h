// Helpers shared by the tests: answering modal boxes and dialogs from a timer.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace TestSupport {

// Runs handler on the next modal widget that appears (polled from a timer, up to timeoutMs).
// The handler gets the modal widget and must close it. Returns immediately; the handler runs
// while the code under test sits in the modal event loop.
void onNextModal(std::function<void(QWidget *modal)> handler, int timeoutMs = 5000);

// Clicks the button with this text in the active QMessageBox (or any QDialog) and records the
// box's title and text for later checks.
struct SeenBox
{
    bool seen = false;
    QString title;
    QString text;
    QStringList buttons; // button texts, in the box's order
};
void answerNextBox(const QString &buttonText, SeenBox *seen = nullptr, int timeoutMs = 5000);

// Triggers the window's action of this object name and answers every message box on the way
// with the first of the given buttons it has (or closes it). Returns the boxes as
// "<icon I/W/C/Q> <title>|<text>", followed by "|<informative text>" when asked for.
QStringList triggerAnswering(QWidget *window, const QString &action, const QStringList &accept,
                             bool withInformative = false);

// Stops every answer that is still waiting for its modal widget.
void cancelPendingAnswers();

// Closes every modal widget left open (and cancels waiting answers), so that one failing test does not block the next.
void closeAllModals();

} // namespace TestSupport
