#pragma once

#include "cover/covermode.h"
#include "print/labelstock.h"
#include "print/pagepreview.h"

#include <QPointF>
#include <QStringList>
#include <optional>
#include <vector>

// Placing an insert's two pictures on the labels of a stock, and drawing the stock's die-cuts.
// Every length is in millimetres on the sheet, from its top-left corner.

// The centres of the stock's labels that take the insert, in reading order: the first label's
// first layout along its rows, row after row, then its next layout, then the next label.
std::vector<QPointF> labelCentres(const LabelStock& stock, CoverMode mode);

// The calibration with Picture #1 and #2 centred on the first two of those labels on the page's
// printer: each offset is the text of two decimals whose dots, multiplied by the page's whole dots
// per centimetre as Print does, land nearest to the label's place. The printed size stays as it
// is (the mode's true size on the page when it cannot be used); a picture without a label of its
// own, on a sheet of one, keeps its offsets.
CalibrationTexts offsetsForStock(const LabelStock& stock, CoverMode mode, const CalibrationTexts& current,
                                 const PrinterPage& page);

// Whether the sheet has a second label for the insert: without one, Print, Print preview and
// Export PDF leave Picture #2 off it.
bool takesSecondPicture(const LabelStock& stock, CoverMode mode);
// What the Label stock window's Ok says of such a sheet, and what Print preview and Print say.
QString placedOnOneLabel(const LabelStock& stock, CoverMode mode);
QString secondLeftOff(const LabelStock& stock, CoverMode mode);

// How many of the sheet's labels lie wholly off its paper, as in a damaged template.
long long labelsOffPaper(const LabelStock& stock);

// Every label of the sheet where it is cut out: discs round with their hub hole, the rest as
// their bounding box.
std::vector<DieCut> stockDieCuts(const LabelStock& stock);

// What Print preview outlines: the stock's die-cuts when one is chosen, otherwise each printed
// picture's generic outline.
std::vector<DieCut> pageDieCuts(CoverMode mode, const PagePlan& plan, const LabelStock* stock);

// "Avery L6043 — CD/DVD labels", or the brand and part alone without a description.
QString stockTitle(const LabelStock& stock);

// The stock chosen for a mode lies in a file beside its calibration ("Cd_stock.ini" beside
// "Cd_cfg.ini"): the brand on the first line, the part on the second, and on the third a digest
// of its paper and labels, so that a stock of that name with other labels is not taken for it.
QString stockChoiceFile(CoverMode mode);
QStringList stockChoiceLines(const LabelStock& stock);
QString stockGeometryDigest(const LabelStock& stock);
// The stock those lines name among `stocks`, then among the generic sheets, with the labels the
// digest names when there is one; none when neither has it.
std::optional<LabelStock> stockNamed(const std::vector<LabelStock>& stocks, const QStringList& lines);
