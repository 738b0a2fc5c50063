#include "print/pageplan.h"

#include "cover/covermode.h"
#include "print/truesize.h"

#include <algorithm>

namespace {

// Dots beyond the printable area on each side, each at most the picture's own size.
std::vector<PageCut> cutsOf(const QRect& dots, QSize printable, double mmPerDotAcross, double mmPerDotDown) {
    const qint64 left = dots.left(), top = dots.top();
    const qint64 right = left + dots.width(), bottom = top + dots.height();
    const qint64 over[] = {
        std::clamp<qint64>(-left, 0, dots.width()),
        std::clamp<qint64>(-top, 0, dots.height()),
        std::clamp<qint64>(right - printable.width(), 0, dots.width()),
        std::clamp<qint64>(bottom - printable.height(), 0, dots.height()),
    };
    const PageSide sides[] = {PageSide::Left, PageSide::Top, PageSide::Right, PageSide::Bottom};
    std::vector<PageCut> cuts;
    for (int i = 0; i < 4; ++i)
        if (over[i] > 0)
            cuts.push_back({sides[i], double(over[i]) * (i % 2 == 0 ? mmPerDotAcross : mmPerDotDown)});
    return cuts;
}

} // namespace

PrinterPage a4Page() {
    constexpr int dpi = 600;
    const QSizeF a4(210, 297);
    const QSize dots(int(a4.width() / 25.4 * dpi), int(a4.height() / 25.4 * dpi));
    const PageGeometry sheet{a4, QRectF(QPointF(0, 0), a4)};
    return {sheet, dots, *dotsPerCentimetre(float(dots.width()), float(a4.width())),
            *dotsPerCentimetre(float(dots.height()), float(a4.height()))};
}

bool PagePlan::anyCut() const {
    return std::any_of(pictures.begin(), pictures.end(),
                       [](const PagePicture& p) { return !p.cuts.empty(); });
}

PagePlan planPage(const PageGeometry& sheet, QSize printableDots, const Placement& placement, bool first,
                  bool second) {
    PagePlan plan{sheet, printableDots, placement, {}, {}};
    if (printableDots.isEmpty())
        return plan;
    const double across = sheet.printableMm.width() / printableDots.width();
    const double down = sheet.printableMm.height() / printableDots.height();
    const auto add = [&](bool isSecond, int left, int top) {
        const QRect dots(left, top, placement.width, placement.height);
        const QRectF mm(sheet.printableMm.left() + left * across, sheet.printableMm.top() + top * down,
                        placement.width * across, placement.height * down);
        plan.pictures.push_back({isSecond, dots, mm, cutsOf(dots, printableDots, across, down)});
    };
    if (first)
        add(false, placement.left1, placement.top1);
    if (second)
        add(true, placement.left2, placement.top2);
    return plan;
}

std::variant<PagePlan, CalibrationFault> pagePlanFor(const CalibrationTexts& texts,
                                                     const PrinterPage& printer, bool first, bool second) {
    const auto placement = placementFor(texts, printer.dotsPerCmAcross, printer.dotsPerCmDown);
    if (const auto* fault = std::get_if<CalibrationFault>(&placement))
        return *fault;
    return planPage(printer.sheet, printer.printableDots, std::get<Placement>(placement), first, second);
}

CalibrationTexts withTrueSize(const CalibrationTexts& texts, CoverMode mode, const PrinterPage& printer) {
    const ModeInfo& info = modeInfo(mode);
    const QRectF printable = printer.sheet.printableMm;
    const std::optional<DotSize> size =
        trueSize(float(printer.printableDots.width()), float(printable.width()), info.factorX,
                 float(printer.printableDots.height()), float(printable.height()), info.factorY);
    CalibrationTexts sized = texts;
    sized[4] = QString::number(size ? size->x : 0);
    sized[5] = QString::number(size ? size->y : 0);
    return sized;
}
