#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Label stocks read from the label-template library that Debian ships as glabels-data: XML files
// naming a brand's part, its paper and where its labels lie. Every length here is in millimetres.

// Labels placed in a grid: nx across, ny down. (x0, y0) is the top-left corner of the first
// label's bounding box on the sheet, (dx, dy) the step to the next label across and down.
struct LabelLayout {
    int nx = 1, ny = 1;
    double x0 = 0, y0 = 0, dx = 0, dy = 0;

    bool operator==(const LabelLayout&) const = default;
};

// Disc: a round label, with a hub hole when it is for a disc (holeRadius 0 for a plain round
// sticker). Ellipse labels are kept so the list is complete, but fit no insert.
enum class LabelShape { Disc, Rectangle, Ellipse };

struct StockLabel {
    LabelShape shape = LabelShape::Rectangle;
    // The bounding box. A disc cut down to a card is narrower or lower than its diameter.
    double width = 0, height = 0;
    double radius = 0;     // disc: outer radius; rectangle: corner radius
    double holeRadius = 0; // disc only
    std::vector<LabelLayout> layouts;

    long long count() const; // labels on one sheet
};

struct LabelStock {
    QString brand, part, description;
    QString sameAs; // the part of the same brand whose geometry this one shares, if any
    double paperWidth = 0, paperHeight = 0;
    std::vector<StockLabel> labels;
    bool own = false; // read from the user's own template folders

    long long count() const; // labels on one sheet
};

// What a reading found, and one line per file it skipped or took only in part: "file: reason".
struct StockReading {
    std::vector<LabelStock> stocks;
    QStringList problems;
};

// The folders of the installed library, in the order the system ranks its data folders, and the
// user's own template folders.
struct StockFolders {
    QStringList library;
    QStringList own;
};

// Every stock in the folders' template files (`*-templates.xml` in the library, `*.template` in
// a user's folder), sorted by brand and part, each brand and part once: the user's own copy
// replaces the library's, otherwise the first folder's copy is kept. A part declared the same as
// another is listed with the other's geometry. Paper sizes come from every paper-sizes.xml, the
// user's own sizes before the library's. A missing folder gives nothing and no problem.
StockReading readLabelStocks(const QStringList& library, const QStringList& own = {});
StockReading readLabelStocks(const StockFolders& folders);

// Where the library and the user's own templates lie: the library under each of the system's
// data folders; $XDG_CONFIG_HOME/libglabels/templates and ~/.glabels for the user's own.
StockFolders labelStockFolders();
