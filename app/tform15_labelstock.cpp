// Options > Label stock...: placing the insert's pictures on a label sheet, and the stock each mode
// remembers for Print preview and Export PDF.
#include "app/orbalin.h"
#include "app/tform15.h"
#include "platform/interaction.h"
#include "platform/linelist.h"
#include "platform/orbalinerror.h"
#include "platform/waitcursor.h"
#include "print/printermetrics.h"
#include "print/stockplacement.h"
#include "print/tflabelstock.h"
#include "print/tform19.h"

#include <QFileInfo>

const StockReading& TForm15::labelStocks() {
    if (!stockReading_) {
        const WaitCursor busy;
        stockReading_ = readLabelStocks(program_.context.stockFolders);
    }
    return *stockReading_;
}

// Calibrate opens with the offsets the stock gives and saves them, with the stock, on its Ok.
void TForm15::LabelStock1Click() {
    const CoverMode mode = document_.currentMode();
    TFLabelStock& window = *program_.LabelStock;
    const StockReading& library = labelStocks();
    window.prepareFor(mode, library, document_.calibrationText,
                      exportPageOf(document_.printerReading, program_.context.printer).page, modeStock_);
    ui().showModal(window);
    if (!window.chosen())
        return;
    program_.Form19->prepareFor(mode, window.offsets(), stockChoiceLines(*window.chosen()));
    ui().showModal(*program_.Form19);
    loadModeStock();
}

// A stock the library no longer has, or has with other labels, or a file that cannot be read,
// leaves the generic outlines.
void TForm15::loadModeStock() {
    modeStock_.reset();
    const QString path = document_.ownFile(stockChoiceFile(document_.currentMode()));
    if (!QFileInfo::exists(path))
        return;
    try {
        modeStock_ = stockNamed(labelStocks().stocks, readLines(path, LineEncoding::Utf8));
    } catch (const OrbalinError&) {
    }
}

bool TForm15::secondHasLabel() const {
    return !modeStock_ || takesSecondPicture(*modeStock_, document_.currentMode());
}

namespace {
const QString kPdfChoiceFile = QStringLiteral("pdf.obn");
const QString kWithDieCuts = QStringLiteral("die-cut lines");
const QString kWithoutDieCuts = QStringLiteral("no die-cut lines");
} // namespace

void TForm15::loadPdfDieCutChoice() {
    const QString path = document_.ownFile(kPdfChoiceFile);
    if (QFileInfo::exists(path))
        pdfDieCuts_ = readLines(path, LineEncoding::Utf8).value(0).trimmed() != kWithoutDieCuts;
    DieCutLines1->setChecked(pdfDieCuts_);
}

void TForm15::DieCutLines1Click() {
    pdfDieCuts_ = DieCutLines1->isChecked();
    try {
        writeLines(document_.ownFile(kPdfChoiceFile), {pdfDieCuts_ ? kWithDieCuts : kWithoutDieCuts},
                   LineEncoding::Utf8);
    } catch (const OrbalinError& error) {
        throw OrbalinError(error.message() + QStringLiteral(" The choice holds until the program ends."));
    }
}
