#pragma once

#include "cover/covermode.h"
#include "cover/coverstep.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <vector>

// A slot's picture made again at another size (the size it is printed, in printer dots) from its
// steps: the photo resampled from its own file, text and stamps drawn at that size, gradients and
// the disc's mask computed at it, inserted pictures scaled from their own pixels.
struct Replayed {
    QImage picture; // null when the steps cannot be applied again
    QString reason; // then why, in words for the user
};

// `steps` are the slot's steps, oldest first, as they made its picture of `mode` on screen.
Replayed replayAt(const std::vector<CoverStep>& steps, CoverMode mode, QSize size);
