#include "app/openpass.h"

#include "app/stretchrows.h"
#include "platform/bmprowfile.h"

#include <optional>

namespace {

// Where the rows go as they come. It never throws: the reader is stopped instead and the
// reason kept for afterwards.
class RowFanOut {
public:
    RowFanOut(const QString& workingFile, QSize stretchSize, const RowProgress& progress)
        : workingFile_(workingFile), stretchSize_(stretchSize), progress_(progress) {}

    bool take(const QImage& picture, int y) noexcept {
        try {
            if (!file_ && !start(picture, y))
                return false;
            if (!file_->writeRow(y, picture.constScanLine(y))) {
                failure_ = file_->failure();
                return false;
            }
            stretch_->add(picture.constScanLine(y));
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
    std::optional<QString> commit() { return file_->commit(); }
    QImage stretched() const { return stretch_->result(); }

private:
    bool start(const QImage& picture, int firstRow) {
        file_.emplace(workingFile_, picture);
        if ((failure_ = file_->open()))
            return false;
        const bool topDown = firstRow == 0;
        stretch_.emplace(picture.size(), stretchSize_,
                         topDown ? StretchRows::Order::TopDown : StretchRows::Order::BottomUp);
        return true;
    }

    QString workingFile_;
    QSize stretchSize_;
    const RowProgress& progress_;
    std::optional<BmpRowFile> file_;
    std::optional<StretchRows> stretch_;
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
