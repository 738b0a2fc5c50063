#include "platform/qt/qtprinterport.h"

#include "platform/qt/cupsstatus.h"
#include "platform/orbalinerror.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

namespace {
// The canvas covers everything the printer can reach, as a printer's own printable area does:
// Qt would otherwise keep margins of its own choosing.
void usePrintableArea(QPrinter& printer) {
    const QPageLayout layout = printer.pageLayout();
    if (layout.margins() != layout.minimumMargins())
        printer.setPageMargins(layout.minimumMargins(), layout.units());
}

// Qt asks the print server on this thread, and waits a minute for each answer of a server that
// took the connection but never replies; the server is first asked within a few seconds.
void requireAnsweringService() {
    if (printServiceSilent())
        throw OrbalinError(
            QStringLiteral("No printer can be used: %1 Check that the print service is running.")
                .arg(printServiceSilence()));
}
} // namespace

QtPrinterPort::QtPrinterPort(QString printerName) : printerName_(std::move(printerName)) {}
QtPrinterPort::~QtPrinterPort() = default;

bool QtPrinterPort::anyInstalled() {
    requireAnsweringService();
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

// The printer-setup dialog asks the print server right away.
QPrinter* QtPrinterPort::device() {
    if (printer_)
        requireAnsweringService();
    return printer();
}

QPrinter* QtPrinterPort::printer() {
    if (!printer_ && anyInstalled()) {
        const QPrinterInfo chosen =
            printerName_.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(printerName_);
        printer_ = std::make_unique<QPrinter>(chosen, QPrinter::HighResolution);
        printer_->setFullPage(false); // origin at the printable area's corner
    }
    if (printer_)
        usePrintableArea(*printer_);
    return printer_.get();
}

int QtPrinterPort::deviceCaps(DeviceCap index) {
    QPrinter* printer = this->printer();
    if (printer == nullptr)
        return 0;
    switch (index) {
    case DeviceCap::LOGPIXELSX:
        return printer->logicalDpiX();
    case DeviceCap::LOGPIXELSY:
        return printer->logicalDpiY();
    case DeviceCap::HORZSIZE:
        return printer->widthMM();
    case DeviceCap::VERTSIZE:
        return printer->heightMM();
    case DeviceCap::HORZRES:
        return printer->width();
    case DeviceCap::VERTRES:
        return printer->height();
    }
    return 0;
}

QPainter& QtPrinterPort::beginJob(const QString& title) {
    QPrinter* printer = this->printer();
    // The print dialog may have sent the output to a PDF file instead of a print server.
    toFile_ = printer != nullptr && printer->outputFormat() == QPrinter::PdfFormat;
    if (printer == nullptr || (!toFile_ && printer->printerName().isEmpty()))
        throw OrbalinError(QStringLiteral("No printer is installed: \"%1\" cannot be printed.").arg(title));
    const QString target = toFile_ ? printer->outputFileName() : printer->printerName();
    const auto cannotPrint = [&](const QString& reason) {
        return OrbalinError(
            QStringLiteral("\"%1\" cannot be printed on \"%2\": %3").arg(title, target, reason));
    };
    if (!toFile_) {
        if (const std::optional<QString> refusal = printServerRefusal(printer->printerName()))
            throw cannotPrint(*refusal +
                              QStringLiteral(" Check that the printer and the print service are running."));
    }
    printer->setDocName(title);
    if (!painter_.begin(printer))
        throw cannotPrint(
            toFile_ ? QStringLiteral("the file cannot be written.")
                    : QStringLiteral("the printer did not accept the job. Check that the printer and "
                                     "the print service are running."));
    return painter_;
}

void QtPrinterPort::endJob() {
    if (!painter_.isActive())
        return;
    if (!painter_.end())
        throw OrbalinError(QStringLiteral("The print job could not be completed."));
    if (toFile_)
        return;
    if (const std::optional<QString> refusal = printServerRefusedLastJob())
        throw OrbalinError(QStringLiteral("The print service refused the print job: %1").arg(*refusal));
}

void QtPrinterPort::abortJob() {
    if (printer_)
        printer_->abort();
    if (painter_.isActive())
        painter_.end();
}
