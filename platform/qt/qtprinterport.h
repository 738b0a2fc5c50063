#pragma once

#include "platform/printerport.h"

#include <QPainter>
#include <memory>

// The system's printers through QPrinter (CUPS on Linux). A print server that does not answer
// within a few seconds is reported (OrbalinError) before Qt is let to ask it anything.
class QtPrinterPort : public PrinterPort {
public:
    // The system's default printer, or the named one.
    explicit QtPrinterPort(QString printerName = {});
    ~QtPrinterPort() override;

    bool anyInstalled() override;
    int deviceCaps(DeviceCap index) override;
    QPainter& beginJob(const QString& title) override;
    void endJob() override;
    void abortJob() override;
    QPrinter* device() override;
    std::optional<PageGeometry> pageGeometry() override; // qtprinterpage.cpp

private:
    // The Qt printer, made on first use once the print server answers.
    QPrinter* printer();

    QString printerName_;
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    bool toFile_ = false; // the job begun last goes to a PDF file
};
