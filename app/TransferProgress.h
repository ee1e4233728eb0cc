// TransferProgress: the wait cursor and the progress dialog shown while a device transfer runs.
#pragma once

#include <QElapsedTimer>
#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

// Shows the wait cursor for as long as it lives.
class WaitCursor
{
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

// The progress of one transfer on the GUI thread: a wait cursor and, once the transfer takes
// longer than a moment, a window-modal progress dialog without a cancel button. While it is
// shown every step lets the window repaint; the dialog blocks all input to the window, so no
// second command can start halfway through a transfer, and it cannot be closed before the end.
class TransferProgress
{
public:
    static constexpr int SHOW_AFTER_MS = 300;
    static constexpr int UPDATE_INTERVAL_MS = 80;

    TransferProgress(QWidget *window, const QString &title, const QString &label, int steps);
    ~TransferProgress();
    TransferProgress(const TransferProgress &) = delete;
    TransferProgress &operator=(const TransferProgress &) = delete;

    // Counts finished steps; never goes past the number given at construction.
    void step(int count = 1);
    int done() const { return m_done; }

private:
    WaitCursor m_cursor;
    std::unique_ptr<QProgressDialog> m_dialog;
    QElapsedTimer m_shown;
    int m_steps = 0;
    int m_done = 0;
};
