#pragma once

#include "platform/printerport.h"
#include "platform/qt/cupsstatus.h"

#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <memory>
#include <optional>

// The system's printers through QPrinter (CUPS on Linux). Every question to the print server is
// asked within a bound (platform/qt/cupsstatus.h); a server that does not answer is reported as
// an OrbalinError.
// The CUPS options Qt keeps for the printer's jobs (name and value in turn), as the print dialog
// chose them.
QStringList cupsOptions(const QPrinter& printer);
void setCupsOptions(QPrinter& printer, const QStringList& options);

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

    // A job for a print queue: drawn into a PDF file, then handed to the server.
    struct Job {
        std::unique_ptr<QPdfWriter> pdf;
        QString file;
        QString title;
        QString printerName;
        JobOptions options;
    };

    QString printerName_;
    std::shared_ptr<QPrinter> printer_;
    std::optional<Job> job_;
    QPainter painter_;
    bool toFile_ = false; // the job begun last goes to a PDF file
};
