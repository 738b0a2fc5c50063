#include "print/labelstockchoice.h"

#include <algorithm>

namespace {

bool within(double value, double low, double high) {
    return value >= low && value <= high;
}

LabelStock genericStock(const QString& part, const QString& description, double paperWidth,
                        double paperHeight) {
    return {QStringLiteral("Generic"), part, description, {}, paperWidth, paperHeight, {}, false};
}

// A 117 mm disc with a 41 mm hub hole, the common die-cut; two of them 137 mm apart down the sheet.
StockLabel twoDiscs(double x0, double y0) {
    constexpr double radius = 58.5;
    return {LabelShape::Disc, 2 * radius, 2 * radius, radius, 20.5, {{1, 2, x0, y0, 0, 137}}};
}

StockLabel insert(double width, double height, double x0, double y0) {
    return {LabelShape::Rectangle, width, height, 0, 0, {{1, 1, x0, y0, 0, 0}}};
}

} // namespace

bool labelFits(const StockLabel& label, CoverMode mode) {
    const StockSizeRange range = stockSizeRange(mode);
    if (mode == CoverMode::CdCover || mode == CoverMode::MiniCd) {
        const double diameter = 2 * label.radius;
        const bool whole = label.width >= diameter && label.height >= diameter;
        return label.shape == LabelShape::Disc && label.holeRadius > 0 && whole &&
               within(diameter, range.minWidth, range.maxWidth);
    }
    return label.shape == LabelShape::Rectangle && within(label.width, range.minWidth, range.maxWidth) &&
           within(label.height, range.minHeight, range.maxHeight);
}

StockSizeRange stockSizeRange(CoverMode mode) {
    switch (mode) {
    case CoverMode::CdCover:
        return {110, 120, 110, 120};
    case CoverMode::MiniCd:
        return {76, 82, 76, 82};
    case CoverMode::FrontCover:
        return {118, 122, 117, 122};
    case CoverMode::BackCover:
        return {148, 156, 116, 123};
    }
    return {0, 0, 0, 0};
}

bool stockFits(const LabelStock& stock, CoverMode mode) {
    return std::any_of(stock.labels.begin(), stock.labels.end(),
                       [mode](const StockLabel& label) { return labelFits(label, mode); });
}

std::vector<LabelStock> stocksFor(const std::vector<LabelStock>& stocks, CoverMode mode) {
    std::vector<LabelStock> fitting;
    std::copy_if(stocks.begin(), stocks.end(), std::back_inserter(fitting),
                 [mode](const LabelStock& stock) { return stockFits(stock, mode); });
    return fitting;
}

std::vector<LabelStock> searchStocks(const std::vector<LabelStock>& stocks, const QString& query) {
    const QStringList words = query.split(u' ', Qt::SkipEmptyParts);
    std::vector<LabelStock> found;
    std::copy_if(stocks.begin(), stocks.end(), std::back_inserter(found), [&words](const LabelStock& stock) {
        return std::all_of(words.begin(), words.end(), [&stock](const QString& word) {
            return stock.brand.contains(word, Qt::CaseInsensitive) ||
                   stock.part.contains(word, Qt::CaseInsensitive) ||
                   stock.description.contains(word, Qt::CaseInsensitive);
        });
    });
    return found;
}

std::vector<LabelStock> genericStocks() {
    // Discs centred across the sheet, the pair centred down US Letter; on A4 the first centre lies
    // 80.5 mm from the top, as on the common A4 disc sheets.
    LabelStock a4 =
        genericStock(QStringLiteral("2 discs on A4"), QStringLiteral("Two disc labels"), 210, 297);
    a4.labels.push_back(twoDiscs(105 - 58.5, 80.5 - 58.5));
    LabelStock letter =
        genericStock(QStringLiteral("2 discs on Letter"), QStringLiteral("Two disc labels"), 215.9, 279.4);
    letter.labels.push_back(twoDiscs((215.9 - 117) / 2, (279.4 - 137 - 117) / 2));
    LabelStock inserts = genericStock(QStringLiteral("Front and back insert on A4"),
                                      QStringLiteral("Jewel-case front and back inserts"), 210, 297);
    inserts.labels.push_back(insert(121, 120, (210 - 121) / 2.0, 15));
    inserts.labels.push_back(insert(151, 118, (210 - 151) / 2.0, 150));
    return {a4, letter, inserts};
}
