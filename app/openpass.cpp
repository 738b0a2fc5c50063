#include "app/openpass.h"

#include "app/rowworker.h"
#include "app/stretchrows.h"
#include "platform/bmprowfile.h"

#include <optional>

namespace {

// Rows waiting for the thread that writes and sums them: enough to ride out a slow write.
constexpr int kRowsInFlight = 32;

// Where the rows go as they come: the reader fills the picture, and a second thread writes each row
// into the working file and adds it to the stretch while the reader decodes the next. It never
// throws: the reader is stopped instead and the reason kept for afterwards.
class RowFanOut {
public:
    RowFanOut(const QString& workingFile, QSize stretchSize, const RowProgress& progress)
        : workingFile_(workingFile), stretchSize_(stretchSize), progress_(progress) {}

    bool take(const QImage& picture, int y) noexcept {
        try {
            if (!worker_ && !start(picture, y))
                return false;
            if (!worker_->put(y, picture.constScanLine(y))) {
                failure_ = worker_->finish();
                return false;
            }
            ++rows_;
            cancelled_ = progress_ && !progress_(rows_, picture.height());
            return !cancelled_;
        } catch (...) {
            failure_ = QStringLiteral("There is not enough memory for it.");
            return false;
        }
    }

    bool rowsCame() const { return file_.has_value(); }
    bool cancelled() const { return cancelled_; }
    const std::optional<QString>& failure() const { return failure_; }
    // Once the reader is done: every row written, the file put in place.
    std::optional<QString> commit() {
        if (std::optional<QString> reason = worker_->finish())
            return reason;
        return file_->commit();
    }
    QImage stretched() const { return stretch_->result(); }

private:
    bool start(const QImage& picture, int firstRow) {
        file_.emplace(workingFile_, picture);
        if ((failure_ = file_->open()))
            return false;
        const bool topDown = firstRow == 0;
        stretch_.emplace(picture.size(), stretchSize_,
                         topDown ? StretchRows::Order::TopDown : StretchRows::Order::BottomUp);
        worker_.emplace(qsizetype(picture.width()) * 3, kRowsInFlight,
                        [this](int y, const uchar* row) -> std::optional<QString> {
                            if (!file_->writeRow(y, row))
                                return file_->failure();
                            stretch_->add(row);
                            return std::nullopt;
                        });
        return true;
    }

    QString workingFile_;
    QSize stretchSize_;
    const RowProgress& progress_;
    std::optional<BmpRowFile> file_;
    std::optional<StretchRows> stretch_;
    std::optional<RowWorker> worker_; // after what it uses, so it stops first
    std::optional<QString> failure_;
    qint64 rows_ = 0;
    bool cancelled_ = false;
};

} // namespace

OpenedPicture openInOnePass(const QString& path, const QString& workingFile, QSize stretchSize, bool toBitmap,
                            const RowProgress& progress) {
    RowFanOut rows(workingFile, stretchSize, progress);
    OpenedPicture opened;
    opened.picture = Picture::load(path, [&rows](const QImage& picture, int y) { return rows.take(picture, y); });
    if (rows.failure())
        cannotSavePicture(workingFile, *rows.failure());
    if (rows.cancelled()) {
        opened.cancelled = true;
        opened.picture = Picture();
        return opened;
    }
    if (!rows.rowsCame()) { // an indexed picture, read whole
        if (toBitmap && opened.picture.bitmap().format() != QImage::Format_BGR888)
            opened.picture.assign(opened.picture.bitmap().convertToFormat(QImage::Format_BGR888));
        opened.picture.saveBmp(workingFile);
        return opened;
    }
    if (const std::optional<QString> reason = rows.commit())
        cannotSavePicture(workingFile, *reason);
    opened.stretched = rows.stretched();
    return opened;
}
