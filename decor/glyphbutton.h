#pragma once

#include "cover/glyphs.h"

#include <QRect>
#include <QString>

class QToolButton;
class QWidget;

// A flat button of the decoration windows: its picture above its caption, named for the language
// file and for the screen reader by its caption.
QToolButton* glyphButton(QWidget* parent, const QString& name, const QString& caption, Glyph picture,
                         const QRect& geometry, int pictureSize = 32);
