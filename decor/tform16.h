#pragma once

#include "cover/covermode.h"
#include "cover/mainwindowport.h"
#include "platform/qt/fixeddialog.h"

#include <QPoint>

class ImageView;
class Picture;
class QFrame;
class QScrollArea;
class QToolButton;

// The Slide window: the user drags a cover-sized frame over a picture larger than the cover and
// takes the piece under it into the main window's current slot.
class TForm16 : public FixedDialog {
public:
    TForm16(QWidget* owner, const WindowServices& services);

    // Called before the window is shown: enables only the mode's button, shows a copy of the picture
    // from its top-left corner and only the mode's frame there. The other frames stay where they
    // were left.
    void prepareFor(CoverMode mode, const Picture& picture);

    // --- Controls ---
    QFrame* Panel1 = nullptr;            // button strip
    QToolButton* SpeedButton1 = nullptr; // Modify
    QToolButton* SpeedButton2 = nullptr; // Cd
    QToolButton* SpeedButton3 = nullptr; // Front
    QToolButton* SpeedButton5 = nullptr; // Back
    QToolButton* SpeedButton4 = nullptr; // Exit
    QScrollArea* ScrollBox1 = nullptr;
    ImageView* Image1 = nullptr; // the source picture, at its own size
    ImageView* Image2 = nullptr; // Cd frame
    ImageView* Image5 = nullptr; // Front frame
    ImageView* Image6 = nullptr; // Back frame

    // --- Drag state ---
    bool dragging = false;
    QPoint dragAnchor; // where the frame was pressed, in the frame's coordinates

    // --- Handlers ---
    void SpeedButton1Click(); // Modify
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton5Click();
    void SpeedButton4Click(); // Exit
    void frameMouseDown(QPoint at);
    void frameMouseMove(ImageView& frame, QPoint at);
    void frameMouseUp();

    // Frame positions relative to the view's corner, as in a scroll box: scrolling moves the
    // picture and the frames together.
    QPoint framePosition(const ImageView& frame) const;
    void setFramePosition(ImageView& frame, QPoint inView);
    ImageView* frameFor(CoverMode mode) const; // null for Mini Cd

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    ImageView* addFrame(CoverMode mode, const QString& name);
    void showOnlyFrame(CoverMode mode);
    QPoint scrollPosition() const;

    WindowServices services_;
    QWidget* content_ = nullptr; // what ScrollBox1 scrolls: the picture and the frames
};
