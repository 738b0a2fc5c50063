#include "cover/coverfile.h"

#include "cover/coverfilenames.h"
#include "cover/covermanifest.h"
#include "platform/filemessages.h"
#include "platform/orbalinerror.h"
#include "platform/picture.h"
#include "platform/safewrite.h"
#include "platform/zipcontainer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Reads the pictures the manifest names, each once, keeping the sum within a cover's size.
class PictureEntries {
public:
    explicit PictureEntries(const ZipReader& zip) : zip_(zip) {}

    std::variant<OpenedSource, QString> photo(const QString& name) {
        if (!isPhotoEntry(name))
            return QStringLiteral("Its manifest names a photo \"%1\" as no cover names its photos.")
                .arg(name.left(100));
        if (!photos_.contains(name)) {
            std::variant<QByteArray, QString> bytes = entry(name);
            if (const QString* reason = std::get_if<QString>(&bytes))
                return *reason;
            photos_.emplace(name, std::get<QByteArray>(std::move(bytes)));
        }
        return OpenedSource{name, {}, photos_.at(name).size()};
    }

    std::variant<QImage, QString> insert(const QString& name) {
        if (!isInsertEntry(name))
            return QStringLiteral("Its manifest names a picture \"%1\" as no cover names its pictures.")
                .arg(name.left(100));
        if (!inserts_.contains(name)) {
            std::variant<QByteArray, QString> bytes = entry(name);
            if (const QString* reason = std::get_if<QString>(&bytes))
                return *reason;
            try { // the BMP reader's limits and messages, as for a file on disk
                inserts_.emplace(name, Picture::decodeBmp(std::get<QByteArray>(bytes), name).bitmap());
            } catch (const OrbalinError& error) {
                return error.message();
            }
        }
        return inserts_.at(name);
    }

    PhotoBytes& photos() { return photos_; }

private:
    std::variant<QByteArray, QString> entry(const QString& name) {
        const ZipReader::Listed* listed = zip_.find(name);
        if (!listed)
            return QStringLiteral("Its manifest names a picture \"%1\" that is not in the file.").arg(name);
        if (listed->size > kLargestCoverBytes - total_)
            return QStringLiteral("Its pictures come to more than a cover can hold.");
        std::variant<QByteArray, QString> bytes = zip_.read(name, kLargestPictureBytes);
        if (const QString* reason = std::get_if<QString>(&bytes))
            return *reason;
        total_ += listed->size;
        if (hashOf(std::get<QByteArray>(bytes)) != hashOfEntry(name))
            return QStringLiteral("Its picture \"%1\" is damaged.").arg(name);
        return bytes;
    }

    const ZipReader& zip_;
    qint64 total_ = 0;
    PhotoBytes photos_; // by entry name
    std::map<QString, QImage> inserts_;
};

std::variant<OpenedCover, QString> readOpened(const ZipReader& zip) {
    if (!zip.find(kManifestEntry))
        return QStringLiteral("It is not a cover: it has no manifest.");
    std::variant<QByteArray, QString> manifest = zip.read(kManifestEntry, kLargestManifestBytes);
    if (const QString* reason = std::get_if<QString>(&manifest))
        return *reason;
    PictureEntries entries(zip);
    const PictureLookup lookup{[&](const QString& name) { return entries.photo(name); },
                               [&](const QString& name) { return entries.insert(name); }};
    try {
        CoverSnapshot snapshot = snapshotOf(std::get<QByteArray>(manifest), lookup);
        return OpenedCover{std::move(snapshot), std::move(entries.photos())};
    } catch (const OrbalinError& error) {
        return error.message();
    }
}

// Each of the snapshot's photos, named by its entry, pointed at `place(entry)`.
template <typename Place> void pointPhotos(CoverSnapshot& snapshot, Place place) {
    const auto point = [&](std::variant<OpenedSource, GradientSource>& source) {
        if (auto* opened = std::get_if<OpenedSource>(&source))
            *opened = place(opened->path);
    };
    for (SlotSnapshot& slot : snapshot.slotSnapshots) {
        for (CoverStep& step : slot.steps)
            if (auto* fit = std::get_if<FitStep>(&step.inputs))
                point(fit->source);
        if (slot.unfitted)
            point(slot.unfitted->source);
    }
}

bool holds(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return QFileInfo(path).isFile() && file.size() == bytes.size() && file.open(QIODevice::ReadOnly) &&
           file.readAll() == bytes;
}

// Puts the photos in the folder, where the program opens them again, and points the steps there.
std::optional<QString> placePhotos(OpenedCover& cover, const QString& folder) {
    if (!QDir().mkpath(folder))
        return QStringLiteral("The folder \"%1\" for its photos cannot be made.").arg(shownPath(folder));
    PhotoBytes placed;
    std::map<QString, OpenedSource> sources; // by entry name
    for (auto& [entry, bytes] : cover.photos) {
        const QString path = QDir(folder).filePath(QFileInfo(entry).fileName());
        if (!holds(path, bytes)) {
            const QByteArray& written = bytes;
            if (std::optional<QString> reason = writeWhole(path, FileOwner::Program, [&](QIODevice& device) {
                    return device.write(written) == written.size();
                }))
                return QStringLiteral("Its photo cannot be put in \"%1\". %2").arg(shownPath(path), *reason);
        }
        const QFileInfo info(path);
        sources[entry] = OpenedSource{path, info.lastModified(), info.size()};
        placed.emplace(path, std::move(bytes));
    }
    pointPhotos(cover.snapshot, [&](const QString& entry) { return sources.at(entry); });
    cover.photos = std::move(placed);
    return std::nullopt;
}

QString cannotOpen(const QString& shownName, const QString& reason) {
    return QStringLiteral("The cover \"%1\" cannot be opened. %2").arg(shownName, reason);
}

} // namespace

std::variant<OpenedCover, QString> readCover(const QString& path, const QString& photoFolder) {
    const QString shown = shownPath(path);
    if (std::optional<QString> reason = notAFile(path))
        return cannotOpen(shown, *reason);
    if (QFileInfo(path).size() == 0)
        return cannotOpen(shown, QStringLiteral("It is empty."));
    ZipReader zip;
    if (std::optional<QString> reason = zip.openFile(path))
        return cannotOpen(shown, *reason);
    std::variant<OpenedCover, QString> read = readOpened(zip);
    if (const QString* reason = std::get_if<QString>(&read))
        return cannotOpen(shown, *reason);
    auto& cover = std::get<OpenedCover>(read);
    if (std::optional<QString> reason = placePhotos(cover, photoFolder))
        return cannotOpen(shown, *reason);
    return read;
}

std::variant<OpenedCover, QString> readCoverBytes(const QByteArray& bytes, const QString& shownName) {
    if (bytes.isEmpty())
        return cannotOpen(shownName, QStringLiteral("It is empty."));
    ZipReader zip;
    if (std::optional<QString> reason = zip.openBytes(bytes))
        return cannotOpen(shownName, *reason);
    std::variant<OpenedCover, QString> read = readOpened(zip);
    if (const QString* reason = std::get_if<QString>(&read))
        return cannotOpen(shownName, *reason);
    return read;
}
