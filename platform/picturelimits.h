#pragma once

#include <QString>
#include <QtGlobal>
#include <climits>

// What the picture readers share: the size limit and the messages for pictures they refuse.

// Pictures with more pixels are refused before any pixel memory is taken: 2^27, about 134
// million, leaves room for any camera photo while keeping a 24-bit bitmap near 400 MB.
inline constexpr qint64 kMaxPicturePixels = qint64(1) << 27;

// The widest picture: Qt counts the bits of a row in an int, and the program works on 24-bit rows
// (89,478,484 pixels), so a picture of few pixels may still be too wide.
inline constexpr qint64 kMaxPictureWidth = (qint64(INT_MAX) - 31) / 24;

// Throws the OrbalinError for a picture that cannot be opened: the file, then the reason.
[[noreturn]] void cannotOpenPicture(const QString& path, const QString& reason);
// The reason given for a picture over kMaxPicturePixels.
QString tooManyPixels(qint64 width, qint64 height);
// The reason given for a picture over kMaxPictureWidth.
QString tooWide(qint64 width);
