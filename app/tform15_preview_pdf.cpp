// Print preview and Export PDF: the page Print makes, seen before it is printed or written to a file.
#include "app/orbalin.h"
#include "app/tform15.h"
#include "platform/interaction.h"
#include "platform/orbalinerror.h"
#include "platform/waitcursor.h"
#include "print/pagecheck.h"
#include "print/pdfexport.h"
#include "print/printermetrics.h"
#include "print/stockplacement.h"
#include "print/tfprintpreview.h"

#include <QFileInfo>

std::pair<const QImage*, const QImage*> TForm15::printedPictures() const {
    const CoverMode mode = document_.currentMode();
    const std::optional<SlotInfo> current = document_.currentSlot();
    const auto printed = [&](const SlotInfo& slot) -> const QImage* {
        if (!document_.slotLoaded[slot.index])
            return nullptr;
        const bool isCurrent = current && current->index == slot.index;
        return &(isCurrent ? document_.slotPicture : document_.slotKept)[slot.index].bitmap();
    };
    return {printed(slotOf(mode, false)), printed(slotOf(mode, true))};
}

TForm15::PagePictures TForm15::sharpPictures(const PagePlan& plan,
                                             const std::function<QSize(const PagePicture&)>& sizeOf) {
    const auto [first, second] = printedPictures();
    PagePictures page{first, second, {}};
    const WaitCursor busy;
    for (const PagePicture& placed : plan.pictures) {
        const SlotInfo& slot = slotOf(document_.currentMode(), placed.second);
        const QImage* screen = placed.second ? second : first;
        if (screen == nullptr)
            continue;
        const PrintedPicture printed = sharp_.at(document_, slot, *screen, sizeOf(placed));
        (placed.second ? page.second : page.first) = printed.image;
        if (!printed.screenReason.isEmpty())
            page.screenNotes << QStringLiteral("%1 prints at screen resolution: %2.")
                                    .arg(slotStatusText(placed.second), printed.screenReason);
        if (!printed.coarserNote.isEmpty())
            page.screenNotes << QStringLiteral("%1 prints coarser than the printer can: %2.")
                                    .arg(slotStatusText(placed.second), printed.coarserNote);
    }
    return page;
}

void TForm15::PrintPreview1Click() {
    const PagePlan plan = coverPagePlan();
    const auto [first, second] = printedPictures();
    const double dpi = document_.printerReading.logPixelsX;
    const PagePictures printed = sharpPictures(
        plan, [dpi](const PagePicture& placed) { return printedSize(placed.dots.size(), dpi); });
    TFPrintPreview& preview = *program_.PrintPreview;
    preview.prepareFor(document_.currentMode(), plan, first, second, printed.screenNotes,
                       modeStock_ ? &*modeStock_ : nullptr);
    ui().showModal(preview);
    if (preview.choice() == TFPrintPreview::Choice::Print)
        SpeedButton4Click();
    else if (preview.choice() == TFPrintPreview::Choice::ExportPdf)
        ExportPdf1Click();
}

// The page is Print's on the current printer, or A4 without one or when the print service does not
// answer. Nothing of the document changes: the file is written from the pictures Print would draw.
void TForm15::ExportPdf1Click() {
    const CoverMode mode = document_.currentMode();
    const auto [first, loadedSecond] = printedPictures();
    const QImage* second = secondHasLabel() ? loadedSecond : nullptr;
    if (first == nullptr && second == nullptr) {
        ui().message(this, loadedSecond != nullptr ? secondLeftOff(*modeStock_, mode)
                                                   : nothingOnThePage(mode, QStringLiteral("export")));
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
    const QString target = withPdfExtension(answer->path);
    if (QFileInfo::exists(target) && !ui().confirm(this, QStringLiteral("Existing file : replace it ?")))
        return;

    const ExportPage sheet = exportPageOf(document_.printerReading, program_.context.printer);
    const CalibrationTexts texts = sheet.onPrinter
                                       ? document_.calibrationText
                                       : withTrueSize(document_.calibrationText, mode, sheet.page);
    const auto planned = pagePlanFor(texts, sheet.page, first != nullptr, second != nullptr);
    if (const auto* fault = std::get_if<CalibrationFault>(&planned))
        throw OrbalinError(calibrationFaultMessage(QStringLiteral("No PDF was written"),
                                                   calibrationValueName(fault->index), *fault, texts));
    PagePlan plan = std::get<PagePlan>(planned);
    plan.dieCuts = pageDieCuts(mode, plan, modeStock_ ? &*modeStock_ : nullptr);
    const double ppi = exportPixelsPerInch(sheet.onPrinter ? document_.printerReading.logPixelsX : 0);
    const PagePictures printed = sharpPictures(plan, [ppi](const PagePicture& placed) {
        return QSizeF(placed.sheetMm.size() * ppi / 25.4).toSize();
    });
    {
        const WaitCursor busy;
        writeCoverPdf(target, QStringLiteral("Obn7000"), plan, printed.first, printed.second,
                      modeStock_ && pdfDieCuts_);
    }
    if (!sheet.note.isEmpty())
        ui().message(this, sheet.note);
}
