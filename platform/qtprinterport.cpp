#include "platform/qtprinterport.h"

#include "platform/orbalinerror.h"

#include <QPrinter>
#include <QPrinterInfo>

QtPrinterPort::QtPrinterPort() = default;
QtPrinterPort::~QtPrinterPort() = default;

bool QtPrinterPort::anyInstalled() {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

QPrinter* QtPrinterPort::device() {
    if (!printer_ && anyInstalled()) {
        printer_ = std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
        printer_->setFullPage(false); // origin at the printable area's corner
    }
    return printer_.get();
}

int QtPrinterPort::deviceCaps(DeviceCap index) {
    QPrinter* printer = device();
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
    QPrinter* printer = device();
    if (printer == nullptr)
        throw OrbalinError(QStringLiteral("No printer is installed: \"%1\" cannot be printed.").arg(title));
    printer->setDocName(title);
    if (!painter_.begin(printer))
        throw OrbalinError(QStringLiteral("The printer \"%1\" did not accept the print job \"%2\". "
                                          "Check that the printer and the print service are running.")
                               .arg(printer->printerName(), title));
    return painter_;
}

void QtPrinterPort::endJob() {
    if (painter_.isActive() && !painter_.end())
        throw OrbalinError(QStringLiteral("The print job could not be completed."));
}

void QtPrinterPort::abortJob() {
    if (printer_)
        printer_->abort();
    if (painter_.isActive())
        painter_.end();
}
