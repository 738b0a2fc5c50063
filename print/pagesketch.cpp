#include "print/pagesketch.h"

#include "cover/discgeometry.h"
#include "print/calibrationfile.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

constexpr double kSheetWidthMm = 210.0;
constexpr double kSheetHeightMm = 297.0;
// Printers cannot reach the paper's edge, so the calibration origin sits a little inside it.
constexpr double kPrintableMarginMm = 6.0;

const QColor kPaper(255, 255, 255);
const QColor kSheetOutline(160, 160, 160);
const QColor kPieceFill(173, 216, 240);
const QColor kPieceOutline(20, 60, 140);
const QColor kLabel(60, 60, 60);

bool isDisc(CoverMode mode) {
    return mode == CoverMode::CdCover || mode == CoverMode::MiniCd;
}

void drawPiece(QPainter& painter, CoverMode mode, const QRectF& piece, double pixelsPerMm) {
    painter.setPen(QPen(kPieceOutline, 1.0));
    painter.setBrush(kPieceFill);
    if (!isDisc(mode)) {
        painter.drawRect(piece);
        return;
    }
    // The hole is the paper showing through, not a white patch painted over the fill.
    const disc::Shape shape = disc::shapeFor(disc::kCoverSize);
    const double hubRadius = shape.hubRadius / disc::kPixelsPerMm * pixelsPerMm;
    QPainterPath path;
    path.addEllipse(piece);
    path.addEllipse(piece.center(), hubRadius, hubRadius);
    painter.drawPath(path);
}

void drawLabel(QPainter& painter, const QRectF& piece, const QString& text, double pixelsPerMm) {
    QFont font = painter.font();
    font.setPixelSize(std::max(6, qRound(8.0 * pixelsPerMm)));
    painter.setFont(font);
    painter.setPen(kLabel);
    const double gap = 3.0 * pixelsPerMm;
    const QRectF box(piece.right() + gap, piece.top(), 4.0 * font.pixelSize(), piece.height());
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
}

} // namespace

QImage pageSketch(CoverMode mode, QSize size) {
    if (size.isEmpty())
        return {};
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);

    const double fit = std::min(size.width() / kSheetWidthMm, size.height() / kSheetHeightMm);
    const int sheetWidth = std::clamp(qRound(kSheetWidthMm * fit), 1, size.width());
    const int sheetHeight = std::clamp(qRound(kSheetHeightMm * fit), 1, size.height());
    const QRect sheet((size.width() - sheetWidth) / 2, (size.height() - sheetHeight) / 2, sheetWidth,
                      sheetHeight);
    // One scale for both directions so the pieces keep their proportions.
    const double pixelsPerMm = sheetHeight / kSheetHeightMm;

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(sheet, kPaper);
    painter.setPen(QPen(kSheetOutline, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(sheet).adjusted(0.5, 0.5, -0.5, -0.5));

    const ModeInfo& info = modeInfo(mode);
    const QSizeF pieceSize(info.factorX * 10.0 * pixelsPerMm, info.factorY * 10.0 * pixelsPerMm);
    const CalibrationTexts offsets = defaultCalibration(0, 0);
    for (int picture = 0; picture < 2; ++picture) {
        const double acrossMm = kPrintableMarginMm + offsets[2 * picture].toDouble() * 10.0;
        const double downMm = kPrintableMarginMm + offsets[2 * picture + 1].toDouble() * 10.0;
        const QRectF piece(QPointF(sheet.left() + acrossMm * pixelsPerMm, sheet.top() + downMm * pixelsPerMm),
                           pieceSize);
        drawPiece(painter, mode, piece, pixelsPerMm);
        drawLabel(painter, piece, QString::number(picture + 1), pixelsPerMm);
    }
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}
