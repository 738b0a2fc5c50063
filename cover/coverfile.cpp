#include "cover/coverfile.h"

#include "cover/coverfilenames.h"
#include "cover/covermanifest.h"
#include "platform/bmpwriter.h"
#include "platform/filemessages.h"
#include "platform/safewrite.h"
#include "platform/zipcontainer.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

// Writing a cover; reading one is in coverfileread.cpp.

namespace {

// Every photo a slot's steps, and its picture waiting to be fitted, were opened from.
template <typename Visit> void forEachPhoto(const CoverSnapshot& snapshot, Visit visit) {
    for (const SlotSnapshot& slot : snapshot.slotSnapshots) {
        for (const CoverStep& step : slot.steps)
            if (const auto* fit = std::get_if<FitStep>(&step.inputs))
                if (const auto* opened = std::get_if<OpenedSource>(&fit->source))
                    visit(*opened);
        if (slot.unfitted)
            if (const auto* opened = std::get_if<OpenedSource>(&slot.unfitted->source))
                visit(*opened);
    }
}

QString cannotKeepPhoto(const QString& path, const QString& reason) {
    return QStringLiteral("The photo \"%1\" cannot be kept in the cover. %2").arg(shownPath(path), reason);
}

// The photo's bytes, or why they cannot be had as they were when it was opened.
std::optional<QString> photoBytes(const OpenedSource& source, QByteArray& bytes) {
    if (std::optional<QString> reason = notAFile(source.path))
        return reason;
    const QFileInfo info(source.path);
    // Its steps were made from the photo as it was opened; other bytes would not give them back.
    if (info.size() != source.bytes || info.lastModified() != source.modified)
        return QStringLiteral("It has changed since it was opened.");
    if (!photoExtension(source.path))
        return QStringLiteral("It is neither a JPEG nor a BMP picture.");
    if (info.size() > kLargestPictureBytes)
        return QStringLiteral("It is larger than a picture in a cover can be.");
    QFile file(source.path);
    if (!file.open(QIODevice::ReadOnly))
        return sentence(file.errorString());
    bytes = file.readAll();
    if (bytes.size() != source.bytes)
        return QStringLiteral("It has changed since it was opened.");
    return std::nullopt;
}

QByteArray bmpBytes(const QImage& picture) {
    // Inserted pictures come from BMP files, which keep their format; any other is made 24-bit.
    const QImage written =
        writesBmp(picture.format()) ? picture : picture.convertToFormat(QImage::Format_BGR888);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!writeBmp(buffer, written))
        return {};
    return bytes;
}

} // namespace

std::optional<QString> gatherPhotos(const CoverSnapshot& snapshot, PhotoBytes& photos) {
    std::optional<QString> fault;
    forEachPhoto(snapshot, [&](const OpenedSource& source) {
        if (fault || photos.contains(source.path))
            return;
        QByteArray bytes;
        if (std::optional<QString> reason = photoBytes(source, bytes))
            fault = cannotKeepPhoto(source.path, *reason);
        else
            photos.emplace(source.path, std::move(bytes));
    });
    return fault;
}

std::optional<QString> writeCover(const QString& path, const CoverSnapshot& snapshot,
                                  const PhotoBytes& photos) {
    const auto cannotSave = [&](const QString& reason) {
        return QStringLiteral("The cover \"%1\" cannot be saved. %2").arg(shownPath(path), reason);
    };
    std::map<QString, ZipEntry> pictures; // by name: a picture used many times is kept once
    std::optional<QString> fault;
    const PictureNaming naming{
        [&](const OpenedSource& source) {
            const auto bytes = photos.find(source.path);
            const std::optional<QString> extension = photoExtension(source.path);
            if (bytes == photos.end() || !extension) {
                fault = fault.value_or(
                    QStringLiteral("Its photo \"%1\" was not read.").arg(shownPath(source.path)));
                return QString();
            }
            const QString name = photoEntry(bytes->second, *extension);
            pictures.try_emplace(name, ZipEntry{name, bytes->second, *extension == u"bmp"});
            return name;
        },
        [&](const QImage& picture) {
            const QByteArray bmp = bmpBytes(picture);
            if (bmp.isEmpty()) {
                fault = fault.value_or(QStringLiteral("An inserted picture cannot be written."));
                return QString();
            }
            const QString name = insertEntry(bmp);
            pictures.try_emplace(name, ZipEntry{name, bmp, true});
            return name;
        }};
    std::vector<ZipEntry> entries{{kManifestEntry, manifestOf(snapshot, naming), true}};
    if (fault)
        return cannotSave(*fault);
    for (auto& [name, entry] : pictures)
        entries.push_back(std::move(entry));
    std::variant<QByteArray, QString> zip = packZip(entries);
    if (const QString* reason = std::get_if<QString>(&zip))
        return cannotSave(*reason);
    const QByteArray& bytes = std::get<QByteArray>(zip);
    if (std::optional<QString> reason = writeWhole(
            path, FileOwner::User, [&](QIODevice& device) { return device.write(bytes) == bytes.size(); }))
        return cannotSave(*reason);
    return std::nullopt;
}
