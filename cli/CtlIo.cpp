// CtlIo: console and buffer input/output of mv100ctl.
#include "CtlIo.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

namespace Mv100Ctl {

bool Io::confirm(const QString &question)
{
    const QString answer = ask(question + QStringLiteral(" [y/N] ")).trimmed().toLower();
    return answer == QLatin1String("y") || answer == QLatin1String("yes");
}

namespace {
void writeAll(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}
} // namespace

void ConsoleIo::out(const QString &text)
{
    writeAll(stdout, text);
}

void ConsoleIo::err(const QString &text)
{
    writeAll(stderr, text);
}

bool ConsoleIo::interactive() const
{
    return isatty(STDIN_FILENO) == 1 && isatty(STDERR_FILENO) == 1;
}

QString ConsoleIo::ask(const QString &question)
{
    // Asked on the error output, so that the results on standard output stay clean.
    writeAll(stderr, question);
    std::string line;
    if (!std::getline(std::cin, line))
        return {};
    return QString::fromStdString(line);
}

QString BufferIo::ask(const QString &question)
{
    questions.append(question);
    return answers.isEmpty() ? QString() : answers.takeFirst();
}

} // namespace Mv100Ctl
