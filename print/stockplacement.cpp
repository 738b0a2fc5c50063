#include "print/stockplacement.h"

#include "print/labelstockchoice.h"
#include "print/placement.h"

#include <QCryptographicHash>
#include <algorithm>
#include <cmath>

namespace {

constexpr size_t kPicturesOnAPage = 2;

bool usableSize(const QString& text) {
    const std::optional<int> dots = parseDots(text);
    return dots && *dots > 0 && *dots <= kLargestSizeDots;
}

// "10.50" for 1050 hundredths.
QString centimetresText(long long hundredths) {
    return QString::asprintf("%.2f", double(hundredths) / 100);
}

// The offset text whose dots, as Print multiplies and truncates them, lie nearest `wantedDots`.
QString offsetText(double wantedDots, int dotsPerCm) {
    const auto nearest = static_cast<long long>(std::floor(wantedDots / dotsPerCm * 100));
    QString best;
    double bestMiss = 0;
    for (long long hundredths = nearest - 1; hundredths <= nearest + 2; ++hundredths) {
        const QString text = centimetresText(hundredths);
        const double landed = std::trunc(double(*parseCentimetres(text) * dotsPerCm));
        const double miss = std::fabs(landed - wantedDots);
        if (best.isEmpty() || miss < bestMiss) {
            best = text;
            bestMiss = miss;
        }
    }
    return best;
}

template <class Visit> void forEachLabelBox(const StockLabel& label, Visit visit) {
    for (const LabelLayout& layout : label.layouts)
        for (int row = 0; row < layout.ny; ++row)
            for (int column = 0; column < layout.nx; ++column)
                visit(QRectF(layout.x0 + column * layout.dx, layout.y0 + row * layout.dy, label.width,
                             label.height));
}

QRectF circleAround(QPointF centre, double radius) {
    return {centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius};
}

} // namespace

std::vector<QPointF> labelCentres(const LabelStock& stock, CoverMode mode) {
    std::vector<QPointF> centres;
    for (const StockLabel& label : stock.labels)
        if (labelFits(label, mode))
            forEachLabelBox(label, [&centres](const QRectF& box) { centres.push_back(box.center()); });
    return centres;
}

CalibrationTexts offsetsForStock(const LabelStock& stock, CoverMode mode, const CalibrationTexts& current,
                                 const PrinterPage& page) {
    const CalibrationTexts sized =
        usableSize(current[4]) && usableSize(current[5]) ? current : withTrueSize(current, mode, page);
    const QRectF printable = page.sheet.printableMm;
    if (page.printableDots.isEmpty() || page.dotsPerCmAcross <= 0 || page.dotsPerCmDown <= 0 ||
        !usableSize(sized[4]) || !usableSize(sized[5]))
        return current;
    const double mmPerDotAcross = printable.width() / page.printableDots.width();
    const double mmPerDotDown = printable.height() / page.printableDots.height();
    const QSizeF pictureMm(*parseDots(sized[4]) * mmPerDotAcross, *parseDots(sized[5]) * mmPerDotDown);

    CalibrationTexts texts = sized;
    const std::vector<QPointF> centres = labelCentres(stock, mode);
    // Two pictures whatever the sheet holds: a third label's offsets would land on the printed size.
    const size_t placed = std::min<size_t>(kPicturesOnAPage, centres.size());
    for (size_t picture = 0; picture < placed; ++picture) {
        const QPointF corner =
            centres[picture] - QPointF(pictureMm.width(), pictureMm.height()) / 2 - printable.topLeft();
        texts.at(2 * picture) = offsetText(corner.x() / mmPerDotAcross, page.dotsPerCmAcross);
        texts.at(2 * picture + 1) = offsetText(corner.y() / mmPerDotDown, page.dotsPerCmDown);
    }
    return texts;
}

bool takesSecondPicture(const LabelStock& stock, CoverMode mode) {
    return labelCentres(stock, mode).size() >= 2;
}

QString placedOnOneLabel(const LabelStock& stock, CoverMode mode) {
    return QStringLiteral("The sheet %1 %2 has no second label for the %3: Picture #1 is placed on its "
                          "label, and Print, Print preview and Export PDF leave Picture #2 off this sheet.")
        .arg(stock.brand, stock.part, QLatin1String(modeInfo(mode).statusText));
}

QString secondLeftOff(const LabelStock& stock, CoverMode mode) {
    return QStringLiteral("Picture #2 is left off: the sheet %1 %2 has no second label for the %3.")
        .arg(stock.brand, stock.part, QLatin1String(modeInfo(mode).statusText));
}

long long labelsOffPaper(const LabelStock& stock) {
    const QRectF paper(0, 0, stock.paperWidth, stock.paperHeight);
    long long off = 0;
    for (const StockLabel& label : stock.labels)
        forEachLabelBox(label, [&](const QRectF& box) { off += box.intersects(paper) ? 0 : 1; });
    return off;
}

std::vector<DieCut> stockDieCuts(const LabelStock& stock) {
    std::vector<DieCut> cuts;
    for (const StockLabel& label : stock.labels) {
        forEachLabelBox(label, [&cuts, &label](const QRectF& box) {
            DieCut cut{box, label.shape != LabelShape::Rectangle, QRectF()};
            if (label.shape == LabelShape::Disc) {
                cut.outline = circleAround(box.center(), label.radius);
                if (label.holeRadius > 0)
                    cut.hub = circleAround(box.center(), label.holeRadius);
            }
            cuts.push_back(cut);
        });
    }
    return cuts;
}

std::vector<DieCut> pageDieCuts(CoverMode mode, const PagePlan& plan, const LabelStock* stock) {
    if (stock != nullptr)
        return stockDieCuts(*stock);
    std::vector<DieCut> cuts;
    for (const PagePicture& picture : plan.pictures)
        cuts.push_back(dieCutOf(mode, picture.sheetMm));
    return cuts;
}

QString stockTitle(const LabelStock& stock) {
    const QString name = stock.brand + u' ' + stock.part;
    return stock.description.isEmpty() ? name : name + QStringLiteral(" — ") + stock.description;
}

QString stockChoiceFile(CoverMode mode) {
    QString name = QLatin1String(modeInfo(mode).calibrationFile);
    return name.replace(QStringLiteral("_cfg.ini"), QStringLiteral("_stock.ini"));
}

QStringList stockChoiceLines(const LabelStock& stock) {
    return {stock.brand, stock.part, stockGeometryDigest(stock)};
}

// Hundredths of a millimetre: finer than any die-cut, coarser than a unit's rounding.
QString stockGeometryDigest(const LabelStock& stock) {
    QStringList numbers;
    const auto add = [&numbers](double mm) { numbers << QString::number(std::llround(mm * 100)); };
    add(stock.paperWidth);
    add(stock.paperHeight);
    for (const StockLabel& label : stock.labels) {
        numbers << QString::number(int(label.shape));
        for (double mm : {label.width, label.height, label.radius, label.holeRadius})
            add(mm);
        for (const LabelLayout& layout : label.layouts) {
            numbers << QString::number(layout.nx) << QString::number(layout.ny);
            for (double mm : {layout.x0, layout.y0, layout.dx, layout.dy})
                add(mm);
        }
    }
    const QByteArray hash =
        QCryptographicHash::hash(numbers.join(u' ').toUtf8(), QCryptographicHash::Sha256).toHex();
    return QString::fromLatin1(hash.left(16));
}

// A file of two lines, from before the digest, takes the stock by its name alone.
std::optional<LabelStock> stockNamed(const std::vector<LabelStock>& stocks, const QStringList& lines) {
    if (lines.size() < 2)
        return std::nullopt;
    const QString digest = lines.value(2).trimmed();
    for (const std::vector<LabelStock>& list : {stocks, genericStocks()})
        for (const LabelStock& stock : list)
            if (stock.brand == lines[0] && stock.part == lines[1] &&
                (digest.isEmpty() || stockGeometryDigest(stock) == digest))
                return stock;
    return std::nullopt;
}
