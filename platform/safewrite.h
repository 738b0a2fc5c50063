#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QFileDevice;
class QIODevice;
class QTemporaryFile;

// Whose choice a file's path is.
enum class FileOwner {
    // One of the program's own files in its folder: a link found at the path is replaced by a plain
    // file and never written through, so nothing the program writes by itself lands elsewhere.
    Program,
    // A path the user picked: a link there is followed, as a Save through a link always did.
    User,
};

// Puts the file's bytes on the device; false when the device refused some.
using FileWriter = std::function<bool(QIODevice& device)>;

// Writes a file whole or not at all. Every byte the writer hands over reaches the disk and is
// checked before the new file takes the path's place, so a full disk or any other failure leaves
// an existing file exactly as it was and no temporary file behind.
// Returns why the file could not be written, a sentence for the user; nothing when it was written.
[[nodiscard]] std::optional<QString> writeWhole(const QString& path, FileOwner owner,
                                                const FileWriter& write);

// The reason given when the disk holding the file has no room left.
QString diskFullReason();

// One of the program's own files written in pieces, at any offset, beside its path under a fresh
// name. It takes the path's place only through commit(): until then, and when it is dropped
// instead, an existing file at the path stays exactly as it was and nothing is left behind. A link
// at the path is replaced, never written through.
class StagedFile {
public:
    explicit StagedFile(const QString& path);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Creates the file; why it could not, or nothing. Unbuffered, every write meets the disk at
    // once and a full disk is named by the write that finds it.
    enum class Buffering { Buffered, Unbuffered };
    [[nodiscard]] std::optional<QString> open(Buffering buffering = Buffering::Buffered);
    // False when the disk refused some of the bytes; failure() then says why.
    bool writeAt(qint64 offset, const char* data, qint64 size);
    // Starts the disk writing the whole pages of bytes already written in [offset, offset + size),
    // so that little is left for commit() to wait on. Where the system cannot, it does nothing.
    void startWriting(qint64 offset, qint64 size);
    QFileDevice& file();
    QString failure() const;
    // Every byte reaches the disk and is checked before the file is renamed over the path.
    [[nodiscard]] std::optional<QString> commit();

private:
    QString path_;
    std::unique_ptr<QTemporaryFile> file_;
};

// A write killed between its last byte and the rename leaves its file under the fresh name
// (`refresh1.bmp.Ab12Cd`). Removes those of the program's own files (.bmp, .ini, .obn) from the
// folder, which only the program holding the folder's lock may do.
void removeStagedLeftovers(const QString& folder);
