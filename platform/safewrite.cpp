#include "platform/safewrite.h"

#include "platform/filemessages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>
#ifdef Q_OS_LINUX
#include <fcntl.h>
#endif

namespace {

// Hands every byte on to the file. A write that a filling disk cuts short reports no error, and
// only the next one gives the disk's own reason, so a short write is continued until it fails.
class WholeWrites final : public QIODevice {
public:
    explicit WholeWrites(QFileDevice& file) : file_(file) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        for (qint64 done = 0; done < size;) {
            const qint64 written = file_.write(data + done, size - done);
            if (written <= 0) {
                setErrorString(file_.errorString());
                return -1;
            }
            done += written;
        }
        return size;
    }

private:
    QFileDevice& file_;
};

QString reasonOf(const QFileDevice& file) {
    // Qt reports "no space left on device" as a resource error while writing.
    if (file.error() == QFileDevice::ResourceError)
        return diskFullReason();
    if (file.error() == QFileDevice::NoError)
        return QStringLiteral("Its contents could not be written.");
    return sentence(file.errorString());
}

// Qt 6.4's QSaveFile::commit() reports success when the bytes still in its buffer could not be
// written, and puts the short file in place; the flush here catches that before anything is replaced.
std::optional<QString> writeOut(QFileDevice& file, const FileWriter& write) {
    WholeWrites device(file);
    const bool written = write(device);
    const bool flushed = file.flush(); // after a failure too: buffered bytes give the disk's reason
    if (written && flushed && file.error() == QFileDevice::NoError)
        return std::nullopt;
    return reasonOf(file);
}

std::optional<QString> writeThroughLinks(const QString& path, const FileWriter& write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return createFailure(path, file);
    if (std::optional<QString> reason = writeOut(file, write)) {
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return reasonOf(file);
    return std::nullopt;
}

std::filesystem::path nativePath(const QString& path) {
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

} // namespace

std::optional<QString> writeWhole(const QString& path, FileOwner owner, const FileWriter& write) {
    if (owner == FileOwner::User)
        return writeThroughLinks(path, write);
    StagedFile file(path);
    if (std::optional<QString> reason = file.open())
        return reason;
    if (std::optional<QString> reason = writeOut(file.file(), write))
        return reason;
    return file.commit();
}

QString diskFullReason() {
    return QStringLiteral("The disk is full: there is no room left on it for the file.");
}

StagedFile::StagedFile(const QString& path)
    : path_(path),
      // Beside the target, so the rename stays on one disk.
      file_(
          std::make_unique<QTemporaryFile>(QFileInfo(path).absoluteFilePath() + QStringLiteral(".XXXXXX"))) {}

StagedFile::~StagedFile() = default; // an uncommitted file goes with file_

std::optional<QString> StagedFile::open(Buffering buffering) {
    QIODevice::OpenMode mode = QIODevice::ReadWrite;
    if (buffering == Buffering::Unbuffered)
        mode |= QIODevice::Unbuffered;
    if (!static_cast<QFile&>(*file_).open(mode)) // QTemporaryFile creates its file with the mode
        return createFailure(path_, *file_);
    return std::nullopt;
}

QFileDevice& StagedFile::file() {
    return *file_;
}

QString StagedFile::failure() const {
    return reasonOf(*file_);
}

bool StagedFile::writeAt(qint64 offset, const char* data, qint64 size) {
    if (!file_->seek(offset))
        return false;
    for (qint64 done = 0; done < size;) { // a filling disk first cuts a write short, see WholeWrites
        const qint64 written = file_->write(data + done, size - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

void StagedFile::startWriting(qint64 offset, qint64 size) {
#ifdef Q_OS_LINUX
    // Only whole pages: one still being filled would be written twice.
    constexpr qint64 page = 4096;
    const qint64 first = (offset + page - 1) / page * page;
    const qint64 end = (offset + size) / page * page;
    if (end > first)
        ::sync_file_range(file_->handle(), first, end - first, SYNC_FILE_RANGE_WRITE);
#else
    Q_UNUSED(offset);
    Q_UNUSED(size);
#endif
}

// Written under a fresh name, then renamed over the path: a rename replaces a link itself, never
// the file it leads to.
std::optional<QString> StagedFile::commit() {
    QTemporaryFile& file = *file_;
    if (!file.flush() || file.error() != QFileDevice::NoError)
        return reasonOf(file);
    file.close();
    if (file.error() != QFileDevice::NoError)
        return reasonOf(file);
    namespace fs = std::filesystem;
    std::error_code error;
    // The old file's own bits (Qt's would answer for root's rights), plus what the program needs to
    // read its file again.
    const fs::file_status old = fs::symlink_status(nativePath(path_), error);
    constexpr fs::perms readWrite = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(nativePath(file.fileName()),
                    fs::is_regular_file(old) ? (old.permissions() & fs::perms::all) | readWrite
                                             : readWrite | fs::perms::group_read | fs::perms::others_read,
                    error);
    std::filesystem::rename(nativePath(file.fileName()), nativePath(path_), error);
    if (error)
        return sentence(QString::fromStdString(error.message()));
    file.setAutoRemove(false);
    return std::nullopt;
}

void removeStagedLeftovers(const QString& folder) {
    static const QRegularExpression staged(QStringLiteral("^.+\\.(bmp|ini|obn)\\.[A-Za-z0-9]{6}$"));
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (staged.match(name).hasMatch())
            QFile::remove(dir.filePath(name));
}
