#pragma once

#include <QPixmap>

// The program's artwork, drawn in code so it stays sharp at any size and needs no image files.
enum class Glyph {
    Open,
    Save,
    Print,
    PrintSetup,
    Calibrate,
    Labels,
    First,
    Second,
    AddPicture,
    InsertPicture,
    Clear,
    Gradient,
    TextEffect,
    TextBar,
    Effects,
    Gallery,
    Resize,
    ResizeAdjust,
    Help,
    Ok,
    Cancel,
    Bold, // Bold off
    BoldOn,
    Italic, // Italic off
    ItalicOn,
    TextVertical,
    TextCenter,
    TextLeft,
    TextAdjust,
    Reverse,
    TextColour,
    Modify,
    Exit,
    RotateLeft,
    RotateRight,
    Warning,
    CdCover,
    FrontCover,
    BackCover,
    MiniCd
};

// A flat square icon on a transparent background.
QPixmap glyph(Glyph which, int size = 32);

// The program's mark: a stylised disc on its orbit.
QPixmap logo(int size = 47);

// 400 x 400, transparent outside the disc: the round start-up window.
QPixmap startupPicture();

// The narrow decorative strip beside the mode chooser.
QPixmap modeStrip(int width = 25, int height = 89);

// 25 x 25 icons of the mode chooser (CdCover, FrontCover, BackCover).
QPixmap modeIcon(Glyph which);

// 15 x 16 disc for the status bar.
QPixmap statusIcon();

// 35 x 33 arrow pointing right, between the two picture buttons.
QPixmap arrowPicture();
