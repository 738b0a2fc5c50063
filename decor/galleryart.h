#pragma once

#include <QImage>
#include <QString>
#include <vector>

// The gallery's pictures: small symbols drawn in code, each 50 x 50 pixels on a transparent
// background (QImage::Format_ARGB32_Premultiplied).
struct GalleryPicture {
    QString name;
    QImage picture;
};

inline constexpr int kGalleryPictureSide = 50;

// The 13 pictures in the gallery's order: computer, coffee mug, striped mug, tool box,
// information sign, heart, dice, runner, envelope, key, power button, musical note, clock.
std::vector<GalleryPicture> galleryPictures();

// The gallery's preview, which "Insert" hands on as the added picture: 51 x 51, 24-bit
// (QImage::Format_BGR888), white wherever the picture drawn at (1, 1) is transparent, so its
// top row and left column are always white.
inline constexpr int kGalleryPreviewSide = 51;
QImage galleryPreview(const QImage& picture);
