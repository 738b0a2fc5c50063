#pragma once

#include "platform/printerport.h"

#include <QPainter>
#include <QPicture>
#include <list>
#include <optional>

struct PrinterMetrics {
    int logPixelsX = 0;
    int logPixelsY = 0;
    int horzSizeMm = 0;
    int vertSizeMm = 0;
    int horzRes = 0;
    int vertRes = 0;
};

// A printer for tests: either none at all, or one with the given metrics whose jobs are
// recorded as pictures of their page.
class TestPrinter : public PrinterPort {
public:
    struct Job {
        QString title;
        QPicture page;
        bool ended = false;
    };

    TestPrinter() = default; // no printer installed
    explicit TestPrinter(const PrinterMetrics& metrics) : metrics_(metrics) {}

    static PrinterMetrics dpi600Letter() { return {600, 600, 203, 279, 4800, 6600}; }

    void install(const PrinterMetrics& metrics) { metrics_ = metrics; }
    void uninstall() { metrics_.reset(); }
    bool refuseJobs = false;

    std::list<Job> jobs;

    bool anyInstalled() override { return metrics_.has_value(); }
    int deviceCaps(DeviceCap index) override;
    QPainter& beginJob(const QString& title) override;
    void endJob() override;

private:
    std::optional<PrinterMetrics> metrics_;
    QPainter painter_;
};
