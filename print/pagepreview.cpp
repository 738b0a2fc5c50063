#include "print/pagepreview.h"

#include "cover/discgeometry.h"

#include <cmath>

namespace {

QString millimetres(double mm) {
    return QString::number(mm, 'f', 1);
}

// Never less than what is cut: 0.04 mm is said as 0.1 mm.
QString cutMillimetres(double mm) {
    return millimetres(std::ceil(mm * 10 - 1e-9) / 10);
}

QString sideText(PageSide side) {
    switch (side) {
    case PageSide::Left:
        return QStringLiteral("on the left");
    case PageSide::Top:
        return QStringLiteral("at the top");
    case PageSide::Right:
        return QStringLiteral("on the right");
    case PageSide::Bottom:
        return QStringLiteral("at the bottom");
    }
    return {};
}

} // namespace

std::vector<QRectF> cutAreas(const PagePicture& picture, const PageGeometry& sheet) {
    const QRectF whole = picture.sheetMm;
    const QRectF reach = sheet.printableMm;
    const QRectF inside = whole.intersected(reach);
    if (inside.isEmpty())
        return {whole};
    std::vector<QRectF> areas;
    const auto add = [&areas](const QRectF& area) {
        if (area.width() > 0 && area.height() > 0)
            areas.push_back(area);
    };
    // Strips above and below across the whole width, then the sides between them.
    add(QRectF(whole.left(), whole.top(), whole.width(), inside.top() - whole.top()));
    add(QRectF(whole.left(), inside.bottom(), whole.width(), whole.bottom() - inside.bottom()));
    add(QRectF(whole.left(), inside.top(), inside.left() - whole.left(), inside.height()));
    add(QRectF(inside.right(), inside.top(), whole.right() - inside.right(), inside.height()));
    return areas;
}

DieCut dieCutOf(CoverMode mode, const QRectF& pictureMm) {
    const ModeInfo& info = modeInfo(mode);
    const QSizeF size(info.factorX * 10, info.factorY * 10);
    DieCut cut;
    cut.outline = QRectF(QPointF(), size);
    cut.outline.moveCenter(pictureMm.center());
    cut.round = mode == CoverMode::CdCover || mode == CoverMode::MiniCd;
    if (cut.round) {
        const double hubMm = 2 * disc::shapeFor(disc::kCoverSize).hubRadius / disc::kPixelsPerMm;
        cut.hub = QRectF(QPointF(), QSizeF(hubMm, hubMm));
        cut.hub.moveCenter(pictureMm.center());
    }
    return cut;
}

QString pictureMeasures(const PagePicture& picture, const PageGeometry& sheet) {
    const QPointF offset = picture.sheetMm.topLeft() - sheet.printableMm.topLeft();
    return QStringLiteral("%1: %2 mm across and %3 mm down from the printable area's corner, %4 × %5 mm")
        .arg(slotStatusText(picture.second), millimetres(offset.x()), millimetres(offset.y()),
             millimetres(picture.sheetMm.width()), millimetres(picture.sheetMm.height()));
}

QString nothingOnThePage(CoverMode mode, const QString& action) {
    return QStringLiteral(
               "Nothing to %1: neither Picture #1 nor Picture #2 of the %2 holds a picture of yours. "
               "Open a picture or make a gradient first.")
        .arg(action, QLatin1String(modeInfo(mode).statusText));
}

QString cutWarning(const PagePlan& plan) {
    QStringList sentences;
    for (const PagePicture& picture : plan.pictures) {
        if (picture.cuts.empty())
            continue;
        QStringList parts;
        bool wholly = false;
        for (const PageCut& cut : picture.cuts) {
            parts << QStringLiteral("%1 mm %2").arg(cutMillimetres(cut.mm), sideText(cut.side));
            const bool acrossSide = cut.side == PageSide::Left || cut.side == PageSide::Right;
            wholly =
                wholly || cut.mm >= (acrossSide ? picture.sheetMm.width() : picture.sheetMm.height()) - 1e-9;
        }
        const QString list = parts.size() == 1 ? parts.front()
                                               : parts.mid(0, parts.size() - 1).join(QStringLiteral(", ")) +
                                                     QStringLiteral(" and ") + parts.back();
        sentences << QStringLiteral("%1 would be cut %2%3.")
                         .arg(slotStatusText(picture.second), list,
                              wholly ? QStringLiteral(": none of it lies within the printable area")
                                     : QString());
    }
    return sentences.join(QLatin1Char('\n'));
}
