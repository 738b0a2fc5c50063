#pragma once

#include "cover/covermode.h"
#include "platform/picture.h"

#include <QString>

struct CoverDocument;
class Interaction;
class PrinterPort;

// What the other windows may ask of the main window: its document state, its status texts,
// a repaint, the picture a text layout starts from, and the actions they repeat (Resize,
// Resize-Adjust, the mode switch). Nothing else of the main window is theirs to touch.
class MainWindowPort {
public:
    virtual ~MainWindowPort() = default;

    virtual CoverDocument& document() = 0;
    virtual void setStatusText(int panel, const QString& text) = 0;
    virtual void repaintPreview() = 0;
    virtual void resizePicture() = 0;       // Resize
    virtual void resizeAdjustPicture() = 0; // Resize-Adjust, through the Slide window
    // The slot's picture as a text layout starts from it: as it was fitted, or as it is when Clear
    // has nothing to take it back to.
    virtual Picture pictureToDrawOn(const SlotInfo& slot) const = 0;
    virtual void switchToMode(CoverMode mode) = 0;
};

// What a secondary window is given when it is made.
struct WindowServices {
    MainWindowPort& main;
    Interaction& ui;
    PrinterPort& printer;
};
