#pragma once

#include "cover/covermode.h"
#include "print/pageplan.h"

#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>
#include <optional>
#include <vector>

// The printed page measured on its sheet: where each picture lands in millimetres, what part of
// it the printer cannot reach, and where the insert is cut out. Everything here is arithmetic on
// what Print sends; the preview window only draws it.

// The parts of a picture outside the printable area, in sheet millimetres.
std::vector<QRectF> cutAreas(const PagePicture& picture, const PageGeometry& sheet);

// The die-cut of an insert without a label stock: its true size, centred on where its picture
// prints; a disc also has its hub cut out.
DieCut dieCutOf(CoverMode mode, const QRectF& pictureMm);

// "Picture #2: 0.0 mm across and 149.9 mm down from the printable area's corner, 120.0 × 120.0 mm".
QString pictureMeasures(const PagePicture& picture, const PageGeometry& sheet);

// Why there is no page: "Nothing to print: neither Picture #1 nor Picture #2 of the Cd Cover holds a
// picture of yours. ...", with `action` ("print", "export") in place of "print".
QString nothingOnThePage(CoverMode mode, const QString& action);

// One sentence per picture that would be cut, e.g. "Picture #2 would be cut 2.4 mm at the bottom.";
// empty when everything prints. Amounts are rounded up to a tenth of a millimetre, so a cut is
// never called 0.0 mm.
QString cutWarning(const PagePlan& plan);
