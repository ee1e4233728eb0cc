// IndexedImage: an RGB image in at most 256 colours, for small and quickly written PNG files.
#pragma once

#include <QImage>

namespace IndexedImage {

// The image as Format_Indexed8. With at most 256 colours every pixel keeps its colour; with more,
// the most frequent colours (the flat fills, lines and text of a drawing) stay exact and the rest
// (mostly antialiased edges) are approximated by a median cut.
QImage fromRgb(const QImage &image);

} // namespace IndexedImage
