#pragma once

#include "platform/printerport.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <list>
#include <memory>
#include <optional>
#include <vector>

struct PrinterMetrics {
    int logPixelsX = 0;
    int logPixelsY = 0;
    int horzSizeMm = 0;
    int vertSizeMm = 0;
    int horzRes = 0;
    int vertRes = 0;
};

// A picture as it reached the page: the bitmap the job carried, and the rectangle in printer
// dots it was stretched into.
struct PrintedImage {
    QImage image;            // as the job carried it, before any scaling
    QRect target;            // in printer dots
    bool upsideDown = false; // the device was asked to turn the rows over

    // The picture as it appears on paper, at the job's own resolution.
    QImage asSeen() const { return upsideDown ? image.mirrored(false, true) : image; }
};

// A printer as a test poses it: its metrics and the sheet they lie on.
struct PrinterPose {
    PrinterMetrics metrics;
    PageGeometry sheet;
};

class RecordingPage;

// A printer for tests: either none at all, or one with the given metrics whose jobs record the
// pictures drawn on their page.
class TestPrinter : public PrinterPort {
public:
    struct Job {
        QString title;
        std::vector<PrintedImage> images;
        int otherDrawings = 0; // anything drawn that is not a picture
        bool ended = false;
        bool aborted = false;
    };

    TestPrinter(); // no printer installed
    explicit TestPrinter(const PrinterMetrics& metrics);
    ~TestPrinter() override;

    explicit TestPrinter(const PrinterPose& pose);

    static PrinterMetrics dpi600Letter() { return {600, 600, 203, 279, 4800, 6600}; }
    // 600 dpi printers that cannot reach the sheet's edges, as most cannot: an A4 one with margins
    // of 100 dots (4.2 mm) and a Letter one with margins of 150 dots (a quarter of an inch).
    static PrinterPose a4WithMargins();
    static PrinterPose letterWithMargins();
    // A printer of `dpi` dots per inch whose printable area keeps `marginDots` from each edge.
    static PrinterPose posedAt(QSizeF paperMm, int dpi, int marginDots);

    // A printer given by its metrics alone prints all of its sheet.
    void install(const PrinterMetrics& metrics) {
        metrics_ = metrics;
        sheet_.reset();
    }
    void poseAs(const PrinterPose& pose) {
        metrics_ = pose.metrics;
        sheet_ = pose.sheet;
    }
    void uninstall() {
        metrics_.reset();
        sheet_.reset();
    }
    bool refuseJobs = false;
    // A print service that does not answer: asking for anything of the printer throws.
    bool silent = false;

    std::list<Job> jobs;

    bool anyInstalled() override;
    int deviceCaps(DeviceCap index) override;
    QPainter& beginJob(const QString& title) override;
    void endJob() override;
    void abortJob() override;
    std::optional<PageGeometry> pageGeometry() override;

private:
    std::optional<PrinterMetrics> metrics_;
    std::optional<PageGeometry> sheet_;
    std::unique_ptr<RecordingPage> page_;
    QPainter painter_;
};
