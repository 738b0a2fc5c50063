#include "print/stocklist.h"

#include "print/labelstockchoice.h"
#include "print/stockplacement.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSameSizeMm = 0.5;
constexpr int kMostNamed = 4;
constexpr CoverMode kModes[] = {CoverMode::CdCover, CoverMode::FrontCover, CoverMode::BackCover,
                                CoverMode::MiniCd};

QString millimetres(double mm) {
    return QString::number(std::round(mm * 10) / 10);
}

// "2 mm margin" when the label is larger by that much on each side, "1.5 mm overhang" when smaller.
QString sideText(double labelMm, double insertMm) {
    const double side = (labelMm - insertMm) / 2;
    if (std::abs(side) < kSameSizeMm)
        return {};
    return QStringLiteral("%1 mm %2")
        .arg(millimetres(std::abs(side)), side > 0 ? QStringLiteral("margin") : QStringLiteral("overhang"));
}

QString modeNames(const std::vector<CoverMode>& modes) {
    QStringList names;
    for (CoverMode mode : modes)
        names << QLatin1String(modeInfo(mode).statusText);
    return names.join(QStringLiteral(" and "));
}

} // namespace

QString insertFitNote(const LabelStock& stock, CoverMode mode) {
    const auto label = std::find_if(stock.labels.begin(), stock.labels.end(),
                                    [mode](const StockLabel& each) { return labelFits(each, mode); });
    if (label == stock.labels.end())
        return {};
    const ModeInfo& info = modeInfo(mode);
    const double insertWidth = info.factorX * 10, insertHeight = info.factorY * 10;
    if (label->shape == LabelShape::Disc) {
        const double diameter = 2 * label->radius;
        const QString side = sideText(diameter, insertWidth);
        return side.isEmpty() ? side
                              : QStringLiteral("%1 mm disc: %2 round it").arg(millimetres(diameter), side);
    }
    const QString across = sideText(label->width, insertWidth);
    const QString down = sideText(label->height, insertHeight);
    if (across.isEmpty() && down.isEmpty())
        return {};
    QStringList sides;
    if (!across.isEmpty())
        sides << across + QStringLiteral(" across");
    if (!down.isEmpty())
        sides << down + QStringLiteral(" down");
    return QStringLiteral("%1 × %2 mm: %3")
        .arg(millimetres(label->width), millimetres(label->height), sides.join(QStringLiteral(", ")));
}

QString stockListText(const LabelStock& stock, CoverMode mode) {
    QStringList notes;
    if (stock.own)
        notes << QStringLiteral("your own template");
    notes << insertFitNote(stock, mode);
    notes.removeAll(QString());
    const QString title = stockTitle(stock);
    return notes.isEmpty() ? title : QStringLiteral("%1 (%2)").arg(title, notes.join(QStringLiteral("; ")));
}

std::vector<CoverMode> insertsTaken(const LabelStock& stock) {
    std::vector<CoverMode> modes;
    std::copy_if(std::begin(kModes), std::end(kModes), std::back_inserter(modes),
                 [&stock](CoverMode mode) { return stockFits(stock, mode); });
    return modes;
}

QString searchElsewhereNote(const std::vector<LabelStock>& all, const QString& query, CoverMode mode) {
    if (query.trimmed().isEmpty())
        return {};
    const QString insert = QLatin1String(modeInfo(mode).statusText);
    const std::vector<LabelStock> found = searchStocks(all, query);
    if (found.empty())
        return QStringLiteral("No label stock matches \"%1\".").arg(query.trimmed());
    QStringList named;
    for (size_t i = 0; i < found.size() && i < size_t(kMostNamed); ++i) {
        const std::vector<CoverMode> takes = insertsTaken(found[i]);
        const QString name = found[i].brand + u' ' + found[i].part;
        named << (takes.empty() ? QStringLiteral("%1 takes none of the inserts").arg(name)
                                : QStringLiteral("%1 takes the %2").arg(name, modeNames(takes)));
    }
    if (found.size() > size_t(kMostNamed))
        named << QStringLiteral("%1 more").arg(found.size() - size_t(kMostNamed));
    return QStringLiteral("No sheet for the %1 matches \"%2\": %3.")
        .arg(insert, query.trimmed(), named.join(QStringLiteral("; ")));
}
