#pragma once

#include "cover/coverfile.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>

// The manifest of a cover file: its JSON text and the snapshot it describes. The pictures are
// named, not held: the file keeps them beside the manifest.

inline constexpr int kCoverFormatVersion = 1;
inline constexpr char kCoverFormatName[] = "orbalin-cover";

// Bounds no cover the program makes comes near; beyond them a manifest is damaged or hostile.
inline constexpr qsizetype kMostStepsPerSlot = 10000;
inline constexpr qsizetype kMostTextDraws = 1000;
inline constexpr qsizetype kLongestText = 10000;   // characters of a text, a font's name or a step's name
inline constexpr int kFarthestCoordinate = 100000; // pixels from a cover picture's corner
inline constexpr int kLargestPointSize = 1000;

// The entry names the manifest gives the pictures a snapshot's steps use.
struct PictureNaming {
    std::function<QString(const OpenedSource&)> photo;
    std::function<QString(const QImage&)> insert;
};
QByteArray manifestOf(const CoverSnapshot& snapshot, const PictureNaming& naming);

// The pictures a manifest names, found in the file, or why not: a sentence for the user.
struct PictureLookup {
    std::function<std::variant<OpenedSource, QString>(const QString& entry)> photo;
    std::function<std::variant<QImage, QString>(const QString& entry)> insert;
};
// The snapshot the manifest describes. Throws OrbalinError with the reason, a sentence for the
// user, when it is not a manifest of ours, is of a newer version or holds a value no cover has.
CoverSnapshot snapshotOf(const QByteArray& json, const PictureLookup& lookup);
