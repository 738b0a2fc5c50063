#include "doubles/testprinter.h"

#include "platform/orbalinerror.h"

#include <QPaintEngine>

namespace {

// Records pictures with the rectangle they land in; counts every other drawing.
class RecordingEngine : public QPaintEngine {
public:
    explicit RecordingEngine(TestPrinter::Job& job) : QPaintEngine(QPaintEngine::AllFeatures), job_(job) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override {
        if (state.state() & QPaintEngine::DirtyTransform)
            transform_ = state.transform();
    }

    void drawImage(const QRectF& r, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags) override {
        const QImage carried = source == QRectF(image.rect()) ? image : image.copy(source.toRect());
        // A deep copy: the caller's pixels may be gone once the call returns.
        job_.images.push_back({carried.copy(), transform_.mapRect(r).toRect(), transform_.m22() < 0});
    }
    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& source) override {
        drawImage(r, pixmap.toImage(), source, Qt::AutoColor);
    }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override { ++job_.otherDrawings; }
    void drawPath(const QPainterPath&) override { ++job_.otherDrawings; }
    void drawTextItem(const QPointF&, const QTextItem&) override { ++job_.otherDrawings; }

private:
    TestPrinter::Job& job_;
    QTransform transform_;
};

} // namespace

// One page of a test job, with the printer's metrics.
class RecordingPage : public QPaintDevice {
public:
    RecordingPage(TestPrinter::Job& job, const PrinterMetrics& metrics) : engine_(job), metrics_(metrics) {}
    QPaintEngine* paintEngine() const override { return &engine_; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return metrics_.horzRes;
        case PdmHeight:
            return metrics_.vertRes;
        case PdmWidthMM:
            return metrics_.horzSizeMm;
        case PdmHeightMM:
            return metrics_.vertSizeMm;
        case PdmDpiX:
        case PdmPhysicalDpiX:
            return metrics_.logPixelsX;
        case PdmDpiY:
        case PdmPhysicalDpiY:
            return metrics_.logPixelsY;
        case PdmDepth:
            return 24;
        case PdmNumColors:
            return 1 << 24;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(QPaintDevice::devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    mutable RecordingEngine engine_;
    PrinterMetrics metrics_;
};

TestPrinter::TestPrinter() = default;
TestPrinter::TestPrinter(const PrinterMetrics& metrics) : metrics_(metrics) {}
TestPrinter::TestPrinter(const PrinterPose& pose) : metrics_(pose.metrics), sheet_(pose.sheet) {}

PrinterPose TestPrinter::posedAt(QSizeF paperMm, int dpi, int marginDots) {
    const auto dots = [dpi](double mm) { return int(mm / 25.4 * dpi + 1e-6); }; // whole dots on the sheet
    const auto mm = [dpi](int count) { return count * 25.4 / dpi; };
    const int across = dots(paperMm.width()) - 2 * marginDots;
    const int down = dots(paperMm.height()) - 2 * marginDots;
    const QRectF printable(mm(marginDots), mm(marginDots), mm(across), mm(down));
    return {{dpi, dpi, qRound(printable.width()), qRound(printable.height()), across, down},
            {paperMm, printable}};
}

PrinterPose TestPrinter::a4WithMargins() {
    return posedAt(QSizeF(210, 297), 600, 100);
}

PrinterPose TestPrinter::letterWithMargins() {
    return posedAt(QSizeF(215.9, 279.4), 600, 150);
}

namespace {
void answerOrThrow(bool silent) {
    if (silent)
        throw OrbalinError(QStringLiteral("No printer can be used: the print service does not answer."));
}
} // namespace

std::optional<PageGeometry> TestPrinter::pageGeometry() {
    answerOrThrow(silent);
    if (!metrics_)
        return std::nullopt;
    return sheet_ ? sheet_ : PrinterPort::pageGeometry();
}
TestPrinter::~TestPrinter() {
    if (painter_.isActive())
        painter_.end();
}

bool TestPrinter::anyInstalled() {
    answerOrThrow(silent);
    return metrics_.has_value();
}

int TestPrinter::deviceCaps(DeviceCap index) {
    answerOrThrow(silent);
    if (!metrics_)
        return 0;
    switch (index) {
    case DeviceCap::LOGPIXELSX:
        return metrics_->logPixelsX;
    case DeviceCap::LOGPIXELSY:
        return metrics_->logPixelsY;
    case DeviceCap::HORZSIZE:
        return metrics_->horzSizeMm;
    case DeviceCap::VERTSIZE:
        return metrics_->vertSizeMm;
    case DeviceCap::HORZRES:
        return metrics_->horzRes;
    case DeviceCap::VERTRES:
        return metrics_->vertRes;
    }
    return 0;
}

QPainter& TestPrinter::beginJob(const QString& title) {
    if (!metrics_)
        throw OrbalinError(QStringLiteral("No printer is installed: \"%1\" was not printed.").arg(title));
    if (refuseJobs)
        throw OrbalinError(QStringLiteral("The printer refused the job \"%1\".").arg(title));
    jobs.push_back(Job{title, {}, 0, false, false});
    page_ = std::make_unique<RecordingPage>(jobs.back(), *metrics_);
    painter_.begin(page_.get());
    return painter_;
}

void TestPrinter::endJob() {
    if (painter_.isActive())
        painter_.end();
    if (!jobs.empty())
        jobs.back().ended = true;
}

void TestPrinter::abortJob() {
    if (painter_.isActive())
        painter_.end();
    if (!jobs.empty())
        jobs.back().aborted = true;
}
