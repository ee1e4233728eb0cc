// FuzzSamples: configurations and file bytes that the fuzz targets and the seed generator share.
#pragma once

#include "Mv100Config.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace FuzzSamples {

// A configuration that uses every part of the file: cells on all layers, macros, and settings
// away from their defaults.
Mv100Config richConfig();

// The bytes ConfigFile::writeLines puts into a file for these lines: each line and a bare LF,
// UTF-16 LE without byte-order mark.
QByteArray fileBytes(const QList<QString> &lines);

} // namespace FuzzSamples
