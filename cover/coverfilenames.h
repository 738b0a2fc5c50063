#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The names of a cover file's entries, shared by its writer and its reader.

inline const QString kManifestEntry = QStringLiteral("manifest.json");

// Larger entries are not ours: the manifest of the longest history is a few megabytes, and no
// picture the program opens is larger than a 32-bit BMP of the most pixels it takes (512 MB).
inline constexpr qint64 kLargestManifestBytes = qint64(16) << 20;
inline constexpr qint64 kLargestPictureBytes = qint64(640) << 20;
// All the entries a cover's manifest names together.
inline constexpr qint64 kLargestCoverBytes = qint64(2) << 30;

// The extension a photo is kept under, as Picture::load chooses its reader: "jpg" or "bmp".
std::optional<QString> photoExtension(const QString& path);
// "photos/<sha-256>.<extension>" and "inserts/<sha-256>.bmp".
QString photoEntry(const QByteArray& bytes, const QString& extension);
QString insertEntry(const QByteArray& bmp);
// Whether a name the manifest gives is one of those; its content must then have that hash.
bool isPhotoEntry(const QString& name);
bool isInsertEntry(const QString& name);
// The hash an entry's name gives, which its bytes must have.
QString hashOfEntry(const QString& name);
QString hashOf(const QByteArray& bytes);
