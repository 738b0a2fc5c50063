#pragma once

#include "cover/covermode.h"
#include "cover/coverstep.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <map>
#include <optional>
#include <variant>
#include <vector>

// A cover file (.orbcover): the four inserts and their eight pictures kept as the steps that made
// them, with the photos and inserted pictures those steps use, so that the cover can be opened
// again, undone step by step and printed sharp after the photos on disk are gone.
//
// The file is a zip container: manifest.json (the format's name and version, the mode and picture
// shown, each picture's steps), each photo as its original bytes under photos/<sha-256>.<jpg|bmp>,
// each inserted picture as a BMP under inserts/<sha-256>.bmp. A picture used by many steps is kept
// once, by its content.

// What one picture slot holds.
struct SlotSnapshot {
    // Since the slot's last fit, oldest first (SlotHistory::stepsDone()).
    std::vector<CoverStep> steps;
    // A photo or gradient put in the slot and not yet fitted: what its fit would take.
    std::optional<FitStep> unfitted;
    bool loaded = false;
    bool resized = false;
};

struct CoverSnapshot {
    CoverMode mode = CoverMode::CdCover;
    bool secondPicture = false;                         // Picture #2 of the mode is shown
    std::array<SlotSnapshot, kSlotCount> slotSnapshots; // by SlotInfo::index
};

// The original bytes of the photos the steps were opened from, by the path their OpenedSource names.
using PhotoBytes = std::map<QString, QByteArray>;

// Reads into `photos` the bytes of every photo the snapshot's steps use that it does not hold yet.
// A photo changed or gone since it was opened cannot give its steps back: the message says which.
[[nodiscard]] std::optional<QString> gatherPhotos(const CoverSnapshot& snapshot, PhotoBytes& photos);

// Writes the cover whole or not at all: an existing file at `path` stays as it was when anything
// fails. `photos` must hold every photo the steps use (see gatherPhotos). The message for the
// user when it could not be written, or nothing.
[[nodiscard]] std::optional<QString> writeCover(const QString& path, const CoverSnapshot& snapshot,
                                                const PhotoBytes& photos);

struct OpenedCover {
    CoverSnapshot snapshot;
    PhotoBytes photos; // by the paths the snapshot's steps now name
};

// Reads a cover file. Its photos are put in `photoFolder` (made when missing) as <sha-256>.<ext>,
// where the program opens them again, and the steps point there; a photo already there with the
// same bytes is used as it is. A file that is damaged, cut short, too large or hostile is refused
// whole, before any photo is put anywhere: the message names the file and what is wrong.
std::variant<OpenedCover, QString> readCover(const QString& path, const QString& photoFolder);

// The cover in `bytes` checked and read as readCover() reads a file, without putting its photos
// anywhere: the steps name the photos by their entries. For the fuzzer.
std::variant<OpenedCover, QString> readCoverBytes(const QByteArray& bytes, const QString& shownName);
