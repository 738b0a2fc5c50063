#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

// Zip containers through libzip: the one place that knows it. Reading trusts nothing in the
// container: entry names that climb out of their folder or are absolute, names given twice,
// encrypted entries and methods other than stored and deflated are refused, and no entry is read
// past the size it states or past the limit the caller gives.

struct ZipEntry {
    QString name;
    QByteArray bytes;
    // Pictures already compressed (JPEG) are stored as they are: deflating them gains nothing.
    bool compress = true;
};

// The container of `entries`, in their order, or why it could not be made. The same entries give
// the same bytes: every entry carries one fixed time.
std::variant<QByteArray, QString> packZip(const std::vector<ZipEntry>& entries);

// The most entries a container read may hold; more is not a file of ours.
inline constexpr qint64 kMostZipEntries = 4096;

class ZipReader {
public:
    struct Listed {
        QString name;
        qint64 size = 0; // as the container states it, inflated
        quint64 index = 0;
    };

    // Opens the container at `path` or in `bytes` (which must outlive the reader) and checks its
    // list of entries. Why it cannot be read, a sentence for the user, or nothing.
    [[nodiscard]] std::optional<QString> openFile(const QString& path);
    [[nodiscard]] std::optional<QString> openBytes(const QByteArray& bytes);
    ZipReader();
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    const std::vector<Listed>& entries() const { return entries_; }
    const Listed* find(const QString& name) const;
    // The entry's bytes, exactly its stated size, when that is at most `limit`; else why not.
    std::variant<QByteArray, QString> read(const QString& name, qint64 limit) const;

private:
    std::optional<QString> open(void* source);
    std::optional<QString> list();

    struct Archive;
    std::unique_ptr<Archive> archive_;
    std::vector<Listed> entries_;
};

// Why a name cannot be an entry of ours (absolute, climbing out, empty pieces), or nothing.
std::optional<QString> unsafeEntryName(const QString& name);
