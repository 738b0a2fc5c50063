// Print preview and Export PDF: the page Print makes, seen before it is printed or written to a file.
#include "app/orbalin.h"
#include "app/tform15.h"
#include "platform/interaction.h"
#include "platform/orbalinerror.h"
#include "platform/waitcursor.h"
#include "print/pagecheck.h"
#include "print/pdfexport.h"
#include "print/tfprintpreview.h"

#include <QFileInfo>

std::pair<const QImage*, const QImage*> TForm15::printedPictures() const {
    const CoverMode mode = currentMode();
    const std::optional<SlotInfo> current = currentSlot();
    const auto printed = [&](const SlotInfo& slot) -> const QImage* {
        if (!slotLoaded[slot.index])
            return nullptr;
        const bool isCurrent = current && current->index == slot.index;
        return &(isCurrent ? slotPicture : slotKept)[slot.index].bitmap();
    };
    return {printed(slotOf(mode, false)), printed(slotOf(mode, true))};
}

void TForm15::PrintPreview1Click() {
    const Placement placement = coverPlacement();
    const auto [first, second] = printedPictures();
    const std::optional<PagePlan> plan =
        planOnPrinter(program_.context.printer, placement, first != nullptr, second != nullptr);
    if (!plan)
        throw OrbalinError(
            QStringLiteral("The printer gives no page size, so the page cannot be shown. Check "
                           "the printer's set-up."));
    TFPrintPreview& preview = *program_.PrintPreview;
    preview.prepareFor(currentMode(), *plan, placement, first, second);
    ui().showModal(preview);
    if (preview.choice() == TFPrintPreview::Choice::Print)
        SpeedButton4Click();
    else if (preview.choice() == TFPrintPreview::Choice::ExportPdf)
        ExportPdf1Click();
}

// The page goes on the current printer's sheet, or on A4 without a printer. Nothing of the
// document changes: the file is written from the pictures Print would draw.
void TForm15::ExportPdf1Click() {
    const CoverMode mode = currentMode();
    const auto [first, second] = printedPictures();
    if (first == nullptr && second == nullptr) {
        ui().message(this, nothingOnThePage(mode, QStringLiteral("export")));
        return;
    }
    FileDialogRequest request;
    request.title = QStringLiteral("Export PDF");
    request.filters = {QStringLiteral("PDF (*.pdf)")};
    request.presetName = QStringLiteral("Obn7000");
    request.initialFolder = pdfFolder_;
    const std::optional<FileDialogAnswer> answer = ui().saveFile(this, request);
    if (!answer || answer->path.isEmpty())
        return;
    pdfFolder_ = QFileInfo(answer->path).absolutePath();
    QString target = answer->path;
    if (!target.contains(QLatin1String(".pdf")))
        target += QLatin1String(".pdf");
    if (QFileInfo::exists(target) && !ui().confirm(this, QStringLiteral("Existing file : replace it ?")))
        return;

    const PageGeometry sheet = program_.context.printer.pageGeometry().value_or(a4Sheet());
    const auto page = pdfPageFor(sheet, calibrationText, mode, first != nullptr, second != nullptr);
    if (const auto* fault = std::get_if<CalibrationFault>(&page))
        throw OrbalinError(QStringLiteral("No PDF was written: %1 %2 Correct it in the Calibrate window.")
                               .arg(calibrationValueName(fault->index),
                                    faultDescription(*fault, calibrationText[size_t(fault->index)])));
    const WaitCursor busy;
    writeCoverPdf(target, QStringLiteral("Obn7000"), std::get<PdfPage>(page), first, second);
}
