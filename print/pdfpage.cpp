#include "print/pdfpage.h"

#include <cmath>

namespace {
// Offsets beyond a metre are no place on any sheet.
constexpr long double kFarthestOffsetCm = 100;
} // namespace

PageGeometry a4Sheet() {
    const QSizeF a4(210, 297);
    return {a4, QRectF(QPointF(0, 0), a4)};
}

std::variant<PdfPage, CalibrationFault> pdfPageFor(const PageGeometry& sheet, const CalibrationTexts& texts,
                                                   CoverMode mode, bool first, bool second) {
    std::array<double, 4> offsetsMm{};
    for (int i = 0; i < 4; ++i) {
        const QString& text = texts[size_t(i)];
        if (text.trimmed().isEmpty())
            return CalibrationFault{i, QString()};
        const std::optional<long double> centimetres = parseCentimetres(text);
        if (!centimetres)
            return CalibrationFault{i, QStringLiteral("not a number of centimetres such as 15.00")};
        if (std::fabs(*centimetres) > kFarthestOffsetCm)
            return CalibrationFault{i, QStringLiteral("too far to be a place on the page")};
        offsetsMm[size_t(i)] = double(*centimetres * 10);
    }
    const ModeInfo& info = modeInfo(mode);
    const QSizeF size(info.factorX * 10, info.factorY * 10);
    const QPointF corner = sheet.printableMm.topLeft();
    PdfPage page{sheet.paperMm, std::nullopt, std::nullopt};
    if (first)
        page.first = QRectF(corner + QPointF(offsetsMm[0], offsetsMm[1]), size);
    if (second)
        page.second = QRectF(corner + QPointF(offsetsMm[2], offsetsMm[3]), size);
    return page;
}
