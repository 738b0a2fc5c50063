#pragma once

#include "cover/textplan.h"

#include <QFont>
#include <QImage>
#include <QSizeF>
#include <vector>

// Pixels a point size takes on a cover picture (96 to the inch, rounded): 10 points are 13 pixels.
int pixelsForPoints(int points);

// The font a style stands for on a cover picture, sized in pixels so that the picture's own
// resolution never changes it.
QFont coverFont(const TextStyle& style);

// The measure the layouts use on a real picture: the fonts the painter draws with.
QSize measureOnCover(const QString& text, const TextStyle& style);

// The pen's distance in pixels from the text's start at each of `cuts` (positions in the text,
// rising), the text set whole in those fonts, kerning and all: the measure of the Around layout.
std::vector<double> measureCutsOnCover(const QString& text, const TextStyle& style,
                                       const std::vector<qsizetype>& cuts);

// Draws the plan's texts on the picture (a piece on a curve by its baseline, turned about its start), glyphs
// only (greyscale antialiased, no background), then lays the plan's mask over it: `discMask` or
// `smallDiscMask`, the masks the fitting uses. A picture in another format is brought to
// QImage::Format_BGR888 first; a null picture is left alone.
void paintTextPlan(QImage& picture, const TextPlan& plan, const QImage& discMask,
                   const QImage& smallDiscMask);

// The same on a picture `scale` times the cover picture's size across and down: the plan stays in
// cover pixels and the painter scales it, so the glyphs are drawn at the picture's own resolution.
// `mask`, already at the picture's size, is laid over it when the plan asks for either disc mask;
// a null one is skipped.
void paintTextPlanAt(QImage& picture, const TextPlan& plan, QSizeF scale, const QImage& mask);
