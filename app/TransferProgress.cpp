// TransferProgress: the wait cursor and the progress dialog shown while a device transfer runs.
#include "TransferProgress.h"

#include <QApplication>
#include <QCloseEvent>
#include <QProgressDialog>

#include <algorithm>

namespace {
// A half-written chip is worse than a slow one: Escape and the close button do nothing.
class UncancellableProgressDialog : public QProgressDialog
{
public:
    using QProgressDialog::QProgressDialog;
    void reject() override { }

protected:
    // The base class would take a close request for a cancel and hide the dialog.
    void closeEvent(QCloseEvent *event) override { event->ignore(); }
};
} // namespace

WaitCursor::WaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor()
{
    QApplication::restoreOverrideCursor();
}

TransferProgress::TransferProgress(QWidget *window, const QString &title, const QString &label,
                                   int steps)
    : m_dialog(std::make_unique<UncancellableProgressDialog>(window))
    , m_steps(std::max(steps, 1))
{
    m_dialog->setWindowTitle(title);
    m_dialog->setLabelText(label);
    m_dialog->setCancelButton(nullptr);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(SHOW_AFTER_MS);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setRange(0, m_steps);
    // Starts the clock after which the dialog appears.
    m_dialog->setValue(0);
}

TransferProgress::~TransferProgress() = default;

void TransferProgress::step(int count)
{
    m_done = std::min(m_done + std::max(count, 0), m_steps);
    // Every shown value lets the whole window repaint: about a dozen a second are plenty, more
    // would add to the time the chip's bus takes.
    if (m_done < m_steps && m_shown.isValid() && m_shown.elapsed() < UPDATE_INTERVAL_MS)
        return;
    m_dialog->setValue(m_done);
    m_shown.start();
}
