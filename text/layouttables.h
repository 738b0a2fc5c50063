#pragma once

#include "cover/discgeometry.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <span>

// The rows of the Cd Cover on which the Adjust layout sets text, as two tables read at start-up
// from the layout files "cd1.txt", "cd2.txt" and "cd3.txt" in the program folder.

// One span of a row. Each field is one line of a layout file, in this order; `rowLabel` and
// `unused` are kept but never used by a layout (our files carry the row number in `rowLabel`, so a
// misaligned record shows when the file is read).
struct SpanRow {
    int x = 0;        // left end, in pixels of the cover picture
    int rowLabel = 0; // ignored
    int width = 0;    // usable width, in pixels
    int unused = 0;   // ignored

    bool operator==(const SpanRow&) const = default;
};

// A hub row: the spans left and right of the disc's hub.
struct SplitSpanRow {
    SpanRow left;
    SpanRow right;

    bool operator==(const SplitSpanRow&) const = default;
};

struct LayoutTables {
    static constexpr int kSpanRows = 500;
    static constexpr int kSplitSpanRows = 750;

    std::array<SpanRow, kSpanRows> spanTable{};                // rows with one span
    std::array<SplitSpanRow, kSplitSpanRows> splitSpanTable{}; // the hub rows

    bool operator==(const LayoutTables&) const = default;
};

// Rows 3 to 429 take text; rows 164 to 286, beside the hub, take it left and right of the hub.
constexpr int kFirstTextRow = 3;
constexpr int kTextEndRow = 430;
constexpr int kFirstHubRow = disc::kHubFirstRow;
constexpr int kLastHubRow = disc::kHubLastRow;
inline bool isHubRow(int row) {
    return row >= kFirstHubRow && row <= kLastHubRow;
}

// A layout file: which table it fills, from which row, and how many rows it describes in the
// files we ship. A file may hold more records, up to the end of its table.
struct LayoutFile {
    const char* name;
    bool split;   // fills splitSpanTable, eight lines a record; otherwise spanTable, four lines
    int firstRow; // filled by the first record
    int shippedRecords;

    int linesPerRecord() const { return split ? 8 : 4; }
    int maxRecords() const {
        return (split ? LayoutTables::kSplitSpanRows : LayoutTables::kSpanRows) - firstRow;
    }
};

// In the order they are read: a later file overwrites the rows an earlier one reached into.
std::span<const LayoutFile> layoutFiles();

// The tables as far as they could be read, and one message for each file that could not.
struct LoadedLayoutTables {
    LayoutTables tables;
    QStringList problems;
};

// Reads the three layout files from the program folder (given with its trailing separator). A
// file that is missing, unreadable or malformed is reported and the others are still read. Of a
// malformed file the records before the fault are kept (of one too long, those its table holds);
// every row no file filled stays zero.
LoadedLayoutTables loadLayoutTables(const QString& programFolder);

// Stores the records held by a layout file's lines into its rows of `tables`. Returns the problem
// with the first faulty line (an empty file is one), the records before it having been stored;
// `path` names the file in the message.
std::optional<QString> readLayoutRecords(const LayoutFile& file, const QStringList& lines,
                                         const QString& path, LayoutTables& tables);

// The lines of a layout file holding `records` rows of `tables` from the file's first row.
QStringList layoutFileLines(const LayoutFile& file, const LayoutTables& tables, int records);
