#pragma once

#include "cover/covermode.h"
#include "cover/coverstep.h"
#include "cover/mainwindowport.h"
#include "platform/qt/fixeddialog.h"

#include <QColor>

class ImageView;
class QComboBox;
class QFrame;
class QLabel;
class QToolButton;
class StatusPanels;

// The Gradient window: draws a two-colour gradient, linear or (Cd Cover only) elliptical, and puts
// it into the current slot in place of a photograph.
class TForm18 : public FixedDialog {
public:
    TForm18(QWidget* owner, const WindowServices& services);

    // Called before the window is shown: sizes the window and the picture for the mode and starts
    // on the linear gradient. A gradient is kept only while one has been drawn since the last mode
    // switch (`gradientDrawn`); otherwise the picture starts empty.
    void prepareFor(CoverMode mode, bool gradientDrawn);

    // --- Controls ---
    ImageView* Image22 = nullptr; // the gradient picture, shown at 1:1
    QFrame* Bevel1 = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* ComboBox5 = nullptr;      // kind: 0 linear, 1 elliptical
    QToolButton* SpeedButton1 = nullptr; // Insert
    QToolButton* SpeedButton3 = nullptr; // Color #1
    QToolButton* SpeedButton4 = nullptr; // Color #2
    QToolButton* SpeedButton2 = nullptr; // Exit
    StatusPanels* StatusBar1 = nullptr;

    // Start and end colours: black until chosen, kept while the program runs.
    QColor colour1 = Qt::black;
    QColor colour2 = Qt::black;

    // --- Handlers ---
    void SpeedButton3Click(); // Color #1
    void SpeedButton4Click(); // Color #2
    void ComboBox5Change();
    void SpeedButton1Click(); // Insert
    void SpeedButton2Click(); // Exit

private:
    void buildControls();
    void layOut(QSize picture);
    bool elliptical() const;
    void chooseColour(QColor& colour);
    void drawGradient();

    WindowServices services_;
    CoverMode mode_ = CoverMode::CdCover;
    GradientSource made_; // what the gradient shown was made from
    QColor dialogColour_ = Qt::black; // the colour dialog opens on the colour last chosen in it
};
