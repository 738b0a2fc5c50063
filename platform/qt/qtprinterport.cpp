#include "platform/qt/qtprinterport.h"

#include "platform/orbalinerror.h"
#include "platform/qt/cupsstatus.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {
// The canvas covers everything the printer can reach, as a printer's own printable area does:
// Qt would otherwise keep margins of its own choosing.
void usePrintableArea(QPrinter& printer) {
    const QPageLayout layout = printer.pageLayout();
    if (layout.margins() != layout.minimumMargins())
        printer.setPageMargins(layout.minimumMargins(), layout.units());
}

OrbalinError serviceSilent(const QString& reason = printServiceSilence()) {
    return OrbalinError(
        QStringLiteral("No printer can be used: %1 Check that the print service is running.").arg(reason));
}

// Qt asks through libcups' request loop, which never ends with a service that redirects or answers
// with nothing: the service is asked once first, and Qt's questions only of one that answered.
void checkPrintServiceFirst() {
    if (const std::optional<QString> fault = printServiceFault())
        throw serviceSilent(*fault);
}

// Job files are the user's alone and go where the system clears them: the runtime folder, else the
// cache.
QString jobFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return QDir::tempPath();
    return folder;
}

// What Qt would send with a job of the printer: its paper, copies, sides and the dialog's options.
JobOptions jobOptions(QPrinter& printer) {
    JobOptions options{{"media", printer.pageLayout().pageSize().key().toUtf8()}};
    if (printer.pageLayout().orientation() == QPageLayout::Landscape)
        options.emplaceBack("landscape", "");
    if (printer.copyCount() > 1) {
        options.emplaceBack("copies", QByteArray::number(printer.copyCount()));
        if (printer.collateCopies())
            options.emplaceBack("Collate", "True");
    }
    switch (printer.duplex()) {
    case QPrinter::DuplexNone:
        break;
    case QPrinter::DuplexShortSide:
        options.emplaceBack("sides", "two-sided-short-edge");
        break;
    case QPrinter::DuplexAuto:
    case QPrinter::DuplexLongSide:
        options.emplaceBack("sides", "two-sided-long-edge");
        break;
    }
    const QStringList chosen = cupsOptions(printer);
    for (qsizetype i = 0; i + 1 < chosen.size(); i += 2)
        options.emplaceBack(chosen.at(i).toUtf8(), chosen.at(i + 1).toUtf8());
    return options;
}
} // namespace

// Qt keeps the options in this property of the print engine.
const auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QStringList cupsOptions(const QPrinter& printer) {
    return printer.printEngine()->property(kCupsOptions).toStringList();
}

void setCupsOptions(QPrinter& printer, const QStringList& options) {
    printer.printEngine()->setProperty(kCupsOptions, options);
}

QtPrinterPort::QtPrinterPort(QString printerName) : printerName_(std::move(printerName)) {}
QtPrinterPort::~QtPrinterPort() {
    abortJob();
}

bool QtPrinterPort::anyInstalled() {
    checkPrintServiceFirst();
    const auto names = askPrintService<QStringList>([] { return QPrinterInfo::availablePrinterNames(); });
    if (!names)
        throw serviceSilent();
    return !names->isEmpty();
}

// The printer-setup dialog asks the print server for every printer and the chosen one's options;
// the same questions are asked first within the wait.
QPrinter* QtPrinterPort::device() {
    QPrinter* printer = this->printer();
    if (printer == nullptr)
        return nullptr;
    const QString current = printer->printerName();
    checkPrintServiceFirst();
    const auto answered = askPrintService<bool>([current] {
        for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
            info.supportedPageSizes();
        return !QPrinterInfo::printerInfo(current).supportedPageSizes().isEmpty() || current.isEmpty();
    });
    if (!answered)
        throw serviceSilent();
    return printer;
}

// Made on a thread of its own: Qt asks the server for the printer's options as it makes one.
QPrinter* QtPrinterPort::printer() {
    if (!printer_) {
        const QString wanted = printerName_;
        checkPrintServiceFirst();
        auto made = askPrintService<std::shared_ptr<QPrinter>>([wanted]() -> std::shared_ptr<QPrinter> {
            if (QPrinterInfo::availablePrinterNames().isEmpty())
                return nullptr;
            const QPrinterInfo chosen =
                wanted.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(wanted);
            auto printer = std::make_shared<QPrinter>(chosen, QPrinter::HighResolution);
            printer->setFullPage(false); // origin at the printable area's corner
            // Qt starts every printer on the locale's paper; the queue's own paper is the page.
            if (const QPageSize paper = chosen.defaultPageSize(); paper.isValid())
                printer->setPageSize(paper);
            return printer;
        });
        if (!made)
            throw serviceSilent();
        printer_ = std::move(*made);
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

// A job for a print queue is drawn into a PDF file of the printer's page, which is then handed to
// the server within a bound, as Qt would hand it over without one.
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
    if (toFile_) {
        printer->setDocName(title);
        if (!painter_.begin(printer))
            throw cannotPrint(QStringLiteral("the file cannot be written."));
        return painter_;
    }
    if (const std::optional<QString> refusal = printServerRefusal(printer->printerName()))
        throw cannotPrint(*refusal +
                          QStringLiteral(" Check that the printer and the print service are running."));

    const QString folder = jobFolder();
    QTemporaryFile file(QDir(folder).filePath(QStringLiteral("orbalin-job-XXXXXX.pdf")));
    file.setAutoRemove(false);
    if (!file.open())
        throw cannotPrint(QStringLiteral("no file for the job can be written in %1.")
                              .arg(QDir::toNativeSeparators(folder)));
    job_ = Job{std::make_unique<QPdfWriter>(file.fileName()), file.fileName(), title, printer->printerName(),
               jobOptions(*printer)};
    file.close();
    job_->pdf->setResolution(printer->resolution());
    job_->pdf->setPageLayout(printer->pageLayout());
    job_->pdf->setTitle(title);
    job_->pdf->setCreator(QStringLiteral("Orbalin"));
    if (!painter_.begin(job_->pdf.get())) {
        abortJob();
        throw cannotPrint(QStringLiteral("the job's file cannot be written."));
    }
    return painter_;
}

void QtPrinterPort::endJob() {
    if (!painter_.isActive())
        return;
    if (!painter_.end()) {
        abortJob();
        throw OrbalinError(QStringLiteral("The print job could not be completed."));
    }
    if (!job_)
        return;
    Job job = std::move(*job_);
    job_.reset();
    job.pdf.reset();                                                       // closes the file
    const QString queue = job.printerName.section(QLatin1Char('/'), 0, 0); // a queue, not an instance
    if (const std::optional<QString> refusal = submitPrintJob(queue, job.file, job.title, job.options))
        throw OrbalinError(QStringLiteral("Printing \"%1\" failed: %2").arg(job.title, *refusal));
}

void QtPrinterPort::abortJob() {
    if (toFile_ && printer_ && painter_.isActive())
        printer_->abort();
    if (painter_.isActive())
        painter_.end();
    if (job_) {
        job_->pdf.reset();
        QFile::remove(job_->file);
        job_.reset();
    }
}
