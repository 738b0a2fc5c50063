#pragma once

#include "cover/covermode.h"
#include "platform/qt/fixeddialog.h"
#include "print/calibrationfile.h"

#include <QImage>
#include <QStringList>
#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QToolButton;
#include "cover/mainwindowport.h"

// The Calibrate window: where each picture of the current mode is printed and how large.
class TForm19 : public FixedDialog {
public:
    TForm19(QWidget* owner, const WindowServices& services);

    // Called before the window is shown: the mode's page sketch and the six values in effect.
    // `stockChoice`, the lines naming a label stock the values were placed on, is saved with them
    // on Ok; empty leaves the mode's stock as it is.
    void prepareFor(CoverMode mode, const CalibrationTexts& values, const QStringList& stockChoice = {});

    // Offsets of Picture #1 and #2 (across, down), then the printed width and height in dots.
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QToolButton* SpeedButton1 = nullptr; // Ok
    QToolButton* SpeedButton2 = nullptr; // Print test
    QToolButton* SpeedButton3 = nullptr; // Default
    QLabel* StaticText1 = nullptr;
    QLabel* StaticText2 = nullptr;
    // Sketches of the page for Cd Cover, Front Cover, Back Cover and Mini Cd.
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Image3 = nullptr;
    QLabel* Image4 = nullptr;
    // The test frame: white with a one-dot black border.
    QImage cadre;

    std::array<QLineEdit*, 6> edits() const { return {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6}; }
    CalibrationTexts texts() const;

    void SpeedButton1Click(); // Ok
    void SpeedButton2Click(); // Print test
    void SpeedButton3Click(); // Default

    // Escape: the window closes as it was opened, no file written, and what Default changed in
    // the calibration in use given back.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildFields();
    void buildTipsAndSketches();
    void buildButtons();
    void showSketchOf(CoverMode mode);

    WindowServices services_;
    CoverMode mode_ = CoverMode::CdCover;
    QStringList stockChoice_;
    // The calibration in use when the window was shown.
    struct InUse {
        CalibrationTexts texts;
        float dotsXF = 0, dotsYF = 0;
        int dotsX = 0, dotsY = 0;
    };
    std::optional<InUse> opened_;
};
