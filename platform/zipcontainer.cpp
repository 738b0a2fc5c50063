#include "platform/zipcontainer.h"

#include "platform/filemessages.h"

#include <QFile>
#include <QSet>
#include <zip.h>

namespace {

// 2000-01-01: a time for every entry, so that saving the same cover twice gives the same bytes.
constexpr time_t kEntryTime = 946684800;

QString zipReason(zip_error_t& error) {
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&error));
    zip_error_fini(&error);
    return sentence(text);
}

// Why libzip could not open a container, in the words a user needs.
QString openReason(zip_error_t& error) {
    switch (zip_error_code_zip(&error)) {
    case ZIP_ER_NOZIP:
        zip_error_fini(&error);
        return QStringLiteral("It is not a cover file, or it was cut short.");
    case ZIP_ER_INCONS:
    case ZIP_ER_EOF:
    case ZIP_ER_CRC:
        zip_error_fini(&error);
        return QStringLiteral("It is damaged or cut short.");
    case ZIP_ER_EXISTS: // libzip finds names given twice
        zip_error_fini(&error);
        return QStringLiteral("It holds an entry twice.");
    case ZIP_ER_MEMORY:
        zip_error_fini(&error);
        return QStringLiteral("There is not enough memory to read it.");
    default:
        return zipReason(error);
    }
}

struct SourceCloser {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using Source = std::unique_ptr<zip_source_t, SourceCloser>;

// Hands the bytes libzip wrote into `buffer` on.
std::variant<QByteArray, QString> bytesOf(zip_source_t* buffer) {
    if (zip_source_open(buffer) < 0)
        return zipReason(*zip_source_error(buffer));
    zip_stat_t stat;
    zip_stat_init(&stat);
    QByteArray bytes;
    if (zip_source_stat(buffer, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) &&
        stat.size < quint64(INT32_MAX)) {
        bytes.resize(qsizetype(stat.size));
        if (zip_source_read(buffer, bytes.data(), stat.size) != zip_int64_t(stat.size))
            bytes.clear();
    }
    zip_source_close(buffer);
    if (bytes.isEmpty())
        return QStringLiteral("It would be larger than a cover can be.");
    return bytes;
}

} // namespace

std::variant<QByteArray, QString> packZip(const std::vector<ZipEntry>& entries) {
    zip_error_t error;
    zip_error_init(&error);
    const Source buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!buffer)
        return zipReason(error);
    zip_t* archive = zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error);
    if (!archive)
        return zipReason(error);
    zip_source_keep(buffer.get()); // the archive lets go of it on closing; we read it after
    for (const ZipEntry& entry : entries) {
        zip_source_t* data =
            zip_source_buffer(archive, entry.bytes.constData(), zip_uint64_t(entry.bytes.size()), 0);
        const zip_int64_t index =
            data ? zip_file_add(archive, entry.name.toUtf8().constData(), data, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            zip_source_free(data);
            const QString reason = sentence(QString::fromLocal8Bit(zip_strerror(archive)));
            zip_discard(archive);
            return reason;
        }
        zip_set_file_compression(archive, zip_uint64_t(index), entry.compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE,
                                 0);
        zip_file_set_mtime(archive, zip_uint64_t(index), kEntryTime, 0);
    }
    if (zip_close(archive) < 0) {
        const QString reason = sentence(QString::fromLocal8Bit(zip_strerror(archive)));
        zip_discard(archive);
        return reason;
    }
    return bytesOf(buffer.get());
}

std::optional<QString> unsafeEntryName(const QString& name) {
    if (name.isEmpty())
        return QStringLiteral("It holds an entry without a name.");
    const QString shown = QStringLiteral("It holds an entry \"%1\" that ").arg(name);
    if (name.startsWith(u'/') || name.contains(u'\\') || (name.size() > 1 && name[1] == u':'))
        return shown + QStringLiteral("names a place outside the cover.");
    const QStringList pieces = name.split(u'/');
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        // A folder's own entry ends in a separator: its last piece alone may be empty.
        if (pieces[i] == u".." || pieces[i] == u"." || (pieces[i].isEmpty() && i + 1 < pieces.size()))
            return shown + QStringLiteral("names a place outside the cover.");
        for (const QChar c : pieces[i])
            if (c.category() == QChar::Other_Control)
                return shown + QStringLiteral("has a control character in its name.");
    }
    return std::nullopt;
}

struct ZipReader::Archive {
    zip_t* zip = nullptr;
    ~Archive() {
        if (zip)
            zip_discard(zip);
    }
};

ZipReader::ZipReader() = default;
ZipReader::~ZipReader() = default;

std::optional<QString> ZipReader::openFile(const QString& path) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_file_create(QFile::encodeName(path).constData(), 0, -1, &error);
    if (!source)
        return zipReason(error);
    return open(source);
}

std::optional<QString> ZipReader::openBytes(const QByteArray& bytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    if (!source)
        return zipReason(error);
    return open(source);
}

std::optional<QString> ZipReader::open(void* opaque) {
    auto* source = static_cast<zip_source_t*>(opaque);
    zip_error_t error;
    zip_error_init(&error);
    archive_ = std::make_unique<Archive>();
    archive_->zip = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive_->zip) {
        zip_source_free(source);
        return openReason(error);
    }
    zip_error_fini(&error);
    return list();
}

std::optional<QString> ZipReader::list() {
    const zip_int64_t count = zip_get_num_entries(archive_->zip, 0);
    if (count < 0 || count > kMostZipEntries)
        return QStringLiteral("It holds more entries than a cover can.");
    QSet<QString> seen;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive_->zip, zip_uint64_t(i), 0, &stat) < 0 || !(stat.valid & ZIP_STAT_NAME) ||
            !(stat.valid & ZIP_STAT_SIZE))
            return QStringLiteral("It is damaged or cut short.");
        const QString name = QString::fromUtf8(stat.name);
        if (std::optional<QString> reason = unsafeEntryName(name))
            return reason;
        if (seen.contains(name))
            return QStringLiteral("It holds an entry twice.");
        seen.insert(name);
        if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
            return QStringLiteral("Its entry \"%1\" is encrypted.").arg(name);
        if ((stat.valid & ZIP_STAT_COMP_METHOD) && stat.comp_method != ZIP_CM_STORE &&
            stat.comp_method != ZIP_CM_DEFLATE)
            return QStringLiteral("Its entry \"%1\" is compressed in a way a cover never is.").arg(name);
        // Stated sizes beyond any qint64 count as too large for every limit.
        const qint64 size = stat.size > quint64(INT64_MAX) ? INT64_MAX : qint64(stat.size);
        entries_.push_back({name, size, zip_uint64_t(i)});
    }
    return std::nullopt;
}

const ZipReader::Listed* ZipReader::find(const QString& name) const {
    for (const Listed& entry : entries_)
        if (entry.name == name)
            return &entry;
    return nullptr;
}

std::variant<QByteArray, QString> ZipReader::read(const QString& name, qint64 limit) const {
    const Listed* entry = find(name);
    if (!entry)
        return QStringLiteral("It has no entry \"%1\".").arg(name);
    if (entry->size > limit)
        return QStringLiteral("Its entry \"%1\" states %2 bytes, more than the %3 it may hold.")
            .arg(name)
            .arg(entry->size)
            .arg(limit);
    zip_file_t* file = zip_fopen_index(archive_->zip, entry->index, 0);
    if (!file)
        return QStringLiteral("Its entry \"%1\" cannot be read: %2")
            .arg(name, sentence(QString::fromLocal8Bit(zip_strerror(archive_->zip))));
    QByteArray bytes(entry->size, Qt::Uninitialized);
    qint64 done = 0;
    QString reason;
    while (done < entry->size) {
        const zip_int64_t got = zip_fread(file, bytes.data() + done, zip_uint64_t(entry->size - done));
        if (got <= 0)
            break;
        done += got;
    }
    char more = 0;
    if (done < entry->size)
        reason = QStringLiteral("Its entry \"%1\" is damaged or cut short.").arg(name);
    else if (const zip_int64_t past = zip_fread(file, &more, 1);
             past > 0) // a bomb inflates past what it states
        reason = QStringLiteral("Its entry \"%1\" inflates past the size it states.").arg(name);
    else if (past < 0) // its check sum, read at its end
        reason = QStringLiteral("Its entry \"%1\" is damaged or cut short.").arg(name);
    zip_fclose(file);
    if (!reason.isEmpty())
        return reason;
    return bytes;
}
