#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <vector>

// The text bar's help window shows the floating text over a cover with its menu open, drawn here
// rather than shipped as a screenshot so it follows the menu's captions.
inline constexpr QSize kTextBarPictureSize(394, 89);

struct PictureMenuEntry {
    QString text;
    QString shortcut; // empty for none
};

struct TextBarPictureLayout {
    QRect floatingText;
    QRect menu;
    std::vector<QRect> entries; // a separator follows the first
};

TextBarPictureLayout textBarPictureLayout(int entryCount);

// Opaque, kTextBarPictureSize; the second entry is shown under the mouse.
QImage textBarPicture(const QString& floatingText, const std::vector<PictureMenuEntry>& entries);
