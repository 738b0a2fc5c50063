#pragma once

#include <QImage>
#include <functional>

// Told of each row as a reader finishes it in `picture`, counted from the top; rows come in the
// order the file stores them. Returns false to stop the reading. Must not throw: it runs between
// the decoder's own steps.
using DecodedRow = std::function<bool(const QImage& picture, int y)>;
