#pragma once

#include "cover/mainwindowport.h"
#include "platform/picture.h"
#include "platform/qt/fixeddialog.h"

#include <QImage>
#include <optional>
#include <vector>

class ImageView;
class QListWidget;
class QToolButton;

// The Gallery: small pictures shipped with the program, one of which "Insert" hands to the main
// window as its added picture.
class TFLibrary : public FixedDialog {
public:
    TFLibrary(QWidget* owner, const WindowServices& services);

    // The picture "Insert" chose since it was last asked for, if any: the main window places it as
    // its added picture once the gallery has closed.
    std::optional<Picture> takeInsertedPicture();

    QListWidget* ListView1 = nullptr;
    ImageView* C_CloneImage = nullptr;   // 51 x 51 preview, kept between openings
    QToolButton* SpeedButton1 = nullptr; // Insert
    QToolButton* SpeedButton2 = nullptr; // Close

    void ListView1Click();
    void SpeedButton1Click();
    void SpeedButton2Click();

private:
    void buildControls();

    WindowServices services_;
    std::vector<QImage> pictures_; // ImageList1
    std::optional<Picture> inserted_;
};
