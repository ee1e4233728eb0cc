// CtlShared: what several commands of mv100ctl do alike: load a file, reach the chip, read it and
// print JSON.
#pragma once

#include "Mv100Config.h"
#include "Mv100Transfer.h"

#include <QJsonObject>
#include <QString>

namespace Mv100Ctl {

class Io;
struct Request;

// "mv100ctl: " + text + newline on the error output.
void error(Io &io, const QString &text);
// The JSON object, indented, on the output.
void printJson(Io &io, const QJsonObject &object);

// Reads a configuration file; a refused file is reported on the error output ("The file ...
// cannot be opened: reason").
bool loadFile(Io &io, const QString &fileName, Mv100Config *config);

// Opens the chip; when that fails, reports `failure` and why no chip could be used.
bool openChip(Io &io, Mv100Transfer &transfer, const QString &failure);
// The exit status of a device result code that is not success.
int exitOfResult(unsigned short result);
// Opens the chip and reads it into config (whose new PIN and lock mode stay), reporting what
// goes wrong; EXIT_OK or the exit status. A read of zeros only is warned about, with the
// file's PIN as the likely one when it differs from the PIN used.
int readChip(Io &io, const Request &request, Mv100Config *config, Mv100DeviceInfo *info = nullptr);

} // namespace Mv100Ctl
