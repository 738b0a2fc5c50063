#include "about/textbarpicture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kEntryHeight = 20;
constexpr int kSeparatorHeight = 7;
constexpr int kMenuPadding = 3;
constexpr int kMenuWidth = 280;
const QColor kMenuFace(242, 242, 242);
const QColor kMenuFrame(120, 120, 120);
const QColor kHighlight(48, 112, 208);
const QColor kInk(20, 20, 20);

QFont pictureFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void drawCover(QPainter& p) {
    QLinearGradient sky(0, 0, 0, kTextBarPictureSize.height());
    sky.setColorAt(0, QColor(214, 232, 250));
    sky.setColorAt(1, QColor(246, 250, 255));
    p.fillRect(QRect(QPoint(0, 0), kTextBarPictureSize), sky);
    // The rim of the disc the text is being placed on.
    p.setPen(QPen(QColor(170, 186, 206), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPoint(60, 150), 120, 120);
}

void drawFloatingText(QPainter& p, const QRect& box, const QString& text) {
    p.fillRect(box, Qt::white);
    p.setPen(kInk);
    p.setFont(pictureFont(15, true));
    p.drawText(box, Qt::AlignCenter, text);
}

// The usual arrow, tip at `tip`.
void drawPointer(QPainter& p, QPoint tip) {
    const QPolygon arrow{{0, 0}, {0, 16}, {4, 12}, {7, 18}, {9, 17}, {6, 11}, {11, 11}};
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(arrow.translated(tip));
}

} // namespace

TextBarPictureLayout textBarPictureLayout(int entryCount) {
    TextBarPictureLayout layout;
    layout.floatingText = QRect(10, 6, 86, 26);
    int y = 14 + kMenuPadding;
    for (int i = 0; i < entryCount; ++i) {
        layout.entries.emplace_back(96 + kMenuPadding, y, kMenuWidth - 2 * kMenuPadding, kEntryHeight);
        y += kEntryHeight + (i == 0 ? kSeparatorHeight : 0);
    }
    layout.menu = QRect(96, 14, kMenuWidth, y + kMenuPadding - 14);
    return layout;
}

QImage textBarPicture(const QString& floatingText, const std::vector<PictureMenuEntry>& entries) {
    QImage picture(kTextBarPictureSize, QImage::Format_RGB32);
    const TextBarPictureLayout layout = textBarPictureLayout(static_cast<int>(entries.size()));
    QPainter p(&picture);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    drawCover(p);
    drawFloatingText(p, layout.floatingText, floatingText);

    p.fillRect(layout.menu.translated(3, 3), QColor(0, 0, 0, 60));
    p.setPen(kMenuFrame);
    p.setBrush(kMenuFace);
    p.drawRect(layout.menu.adjusted(0, 0, -1, -1));
    p.setFont(pictureFont(12, false));
    for (size_t i = 0; i < entries.size(); ++i) {
        const QRect row = layout.entries[i];
        const bool underMouse = i == 1;
        if (underMouse)
            p.fillRect(row, kHighlight);
        p.setPen(underMouse ? Qt::white : kInk);
        const QRect inside = row.adjusted(22, 0, -12, 0);
        p.drawText(inside, Qt::AlignLeft | Qt::AlignVCenter, entries[i].text);
        p.drawText(inside, Qt::AlignRight | Qt::AlignVCenter, entries[i].shortcut);
        if (i == 0) {
            const int line = row.bottom() + kSeparatorHeight / 2 + 1;
            p.setPen(QColor(190, 190, 190));
            p.drawLine(row.left() + 4, line, row.right() - 4, line);
        }
    }
    if (entries.size() > 1)
        drawPointer(p, QPoint(layout.entries[1].left() + 150, layout.entries[1].center().y()));
    return picture;
}
