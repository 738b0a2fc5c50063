#pragma once

#include "cover/covermode.h"
#include "print/labelstock.h"

// Which label stocks an insert can be printed on, and finding one by name.

// The sizes, in millimetres, a label may have to take an insert. Disc labels are measured by
// their outer diameter and need a hub hole; a disc cut down to a card fits no disc insert.
// The library's disc labels measure 110 to 118.4 (the smaller ones leave the picture's rim on the
// backing sheet), its mini-disc labels 76.2 (3 in) to 78, its front inlets 119.5 x 119.5 to
// 121.5 x 117.5, its back inlays 150 x 117.5 to 151 x 117.5, and those with spines 155 x 122 (a margin round
// the picture); its 155 x 125 CD booklets are no back inlays.
struct StockSizeRange {
    double minWidth, maxWidth, minHeight, maxHeight;
};
StockSizeRange stockSizeRange(CoverMode mode);

// Whether the label takes the insert, and whether one of the stock's labels does.
bool labelFits(const StockLabel& label, CoverMode mode);
bool stockFits(const LabelStock& stock, CoverMode mode);
std::vector<LabelStock> stocksFor(const std::vector<LabelStock>& stocks, CoverMode mode);

// The stocks whose brand, part or description holds every word of the query, whatever the case.
// An empty query keeps them all.
std::vector<LabelStock> searchStocks(const std::vector<LabelStock>& stocks, const QString& query);

// Plain sheets of our own for a printer without the library: two 117 mm discs on A4, two on US
// Letter, and a 121 x 120 front and a 151 x 118 back insert on A4.
std::vector<LabelStock> genericStocks();
