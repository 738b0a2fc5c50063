#pragma once

#include "cover/covermode.h"
#include "print/labelstock.h"

#include <QString>
#include <vector>

// What the Label stock window says of each sheet it lists, and of a search that finds none.

// How the insert sits on the first label that takes it, when that label is not the insert's size
// within half a millimetre: "110 mm disc: 5 mm overhang round it" for a disc, "155 × 122 mm:
// 2 mm margin across, 1.5 mm down" for an insert. Empty otherwise.
QString insertFitNote(const LabelStock& stock, CoverMode mode);

// A row of the list: the stock's title, then in brackets "your own template" for the user's own
// copy and the fit note.
QString stockListText(const LabelStock& stock, CoverMode mode);

// The inserts the stock's labels take, in the order of the modes.
std::vector<CoverMode> insertsTaken(const LabelStock& stock);

// For a search that lists no sheet for the insert: which stocks of `all` the query finds and the
// insert each takes instead, or that no stock matches. Empty for an empty query.
QString searchElsewhereNote(const std::vector<LabelStock>& all, const QString& query, CoverMode mode);
