// CtlIo: where mv100ctl's commands write their results and errors and ask their questions: the
// console, or text buffers for the tests.
#pragma once

#include <QString>
#include <QStringList>

namespace Mv100Ctl {

class Io
{
public:
    virtual ~Io() = default;
    // Results; the caller ends lines itself.
    virtual void out(const QString &text) = 0;
    // Errors, warnings and notes.
    virtual void err(const QString &text) = 0;
    // True when a person can answer questions: standard input and the error output are a terminal.
    virtual bool interactive() const = 0;
    // Asks on the terminal and reads one line; empty at the end of the input.
    virtual QString ask(const QString &question) = 0;

    // A question answered with "y" or "yes" (either case); anything else is No.
    bool confirm(const QString &question);
};

// Standard output, standard error and standard input.
class ConsoleIo : public Io
{
public:
    void out(const QString &text) override;
    void err(const QString &text) override;
    bool interactive() const override;
    QString ask(const QString &question) override;
};

// Collects the output; questions are answered from a list, as a person at a terminal would.
class BufferIo : public Io
{
public:
    QString outText;
    QString errText;
    bool isInteractive = false;
    QStringList answers; // taken from the front; an empty list answers end of input
    QStringList questions; // every question asked

    void out(const QString &text) override { outText += text; }
    void err(const QString &text) override { errText += text; }
    bool interactive() const override { return isInteractive; }
    QString ask(const QString &question) override;
};

} // namespace Mv100Ctl
