#pragma once

#include "platform/printerport.h"

// A print job that is given up unless it is finished: an error while the page is drawn never
// sends half a page to the printer nor leaves the job open.
class PrintJob {
public:
    PrintJob(PrinterPort& printer, const QString& title)
        : printer_(printer), canvas_(printer.beginJob(title)) {}
    ~PrintJob() {
        if (!finished_)
            printer_.abortJob();
    }
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    QPainter& canvas() { return canvas_; }
    void finish() {
        finished_ = true;
        printer_.endJob();
    }

private:
    PrinterPort& printer_;
    QPainter& canvas_;
    bool finished_ = false;
};
