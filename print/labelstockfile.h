#pragma once

#include "print/labelstock.h"

#include <optional>

// Reading one file of the label-template library. Nothing in a file is trusted: a length or
// count beyond any sheet, a label larger than its paper or a missing size leaves its template out.

struct PaperSize {
    QString id; // as a template names it: "A4", "US-Letter"
    double width = 0, height = 0;
};

// Nothing larger fits on any sheet; a longer length, or a bigger count, is a damaged file.
constexpr double kLongestLengthMm = 1000;
constexpr int kMostLabelsPerStock = 500;

// A length as the library writes one: a number, optionally with an exponent, then pt, mm, cm, in
// or pc (none means pt). No number at all, as in "" or "in", is 0: a few of the library's own
// templates write a zero so. nullopt for anything else, for negative or over-long lengths, and
// for a number longer than any sheet needs. Takes time in proportion to the text.
std::optional<double> parseLength(const QString& text);

// A4 and US-Letter, for a library without its paper-sizes.xml.
std::vector<PaperSize> builtInPaperSizes();
// The paper sizes of one paper-sizes.xml. A file that cannot be read adds one problem and no sizes.
std::vector<PaperSize> readPaperSizes(const QString& path, QStringList& problems);

// A template as its file gives it. When equiv is set, the stock is the same as that part of the
// same brand and carries only its brand, part and perhaps its description.
struct TemplateEntry {
    LabelStock stock;
    QString equiv;
};

// The usable templates of one file, and the first reason of those left out.
struct TemplateFile {
    std::vector<TemplateEntry> entries;
    QString firstLeftOut;
    int leftOut = 0;

    void leaveOut(const QString& reason);
    // "reason", "reason (and 3 more templates left out)", or empty when none was.
    QString leftOutSummary() const;
};

// The file's templates, or nullopt, adding one problem, when the whole file cannot be used.
std::optional<TemplateFile> readTemplateFile(const QString& path, const std::vector<PaperSize>& papers,
                                             QStringList& problems);
