// Decoration: the Gradient, Effects, Labels and Gallery windows, and the added picture that
// "Add Pict." brings in, the user drags over the preview and "Insert Pict." stamps into it.
#include "about/tform2.h"
#include "app/orbalin.h"
#include "app/tform15.h"
#include "decor/insertcopy.h"
#include "decor/slidepiece.h"
#include "decor/tflibrary.h"
#include "decor/tform18.h"
#include "decor/tform3.h"
#include "decor/tform7.h"
#include "platform/interaction.h"
#include "platform/qt/imageview.h"

void TForm15::SpeedButton13Click() {
    program_.Form18->prepareFor(document_.currentMode(), document_.gradientState == 1);
    ui().showModal(*program_.Form18);
}

void TForm15::SpeedButton23Click() {
    ui().showModal(*program_.Form7);
}

void TForm15::SpeedButton10Click() {
    ui().showModal(*program_.Form3);
}

void TForm15::SpeedButton25Click() {
    ui().showModal(*program_.FLibrary);
    if (std::optional<Picture> chosen = program_.FLibrary->takeInsertedPicture()) {
        MyPicture->setPicture(*chosen);
        MyPicture->show();
        MyPicture->move(0, 68);
    }
}

// The notice comes every time, before the dialog. The picture is read before the added picture
// changes, so one that cannot be read leaves the previous one as it was.
void TForm15::SpeedButton15Click() {
    ui().showModal(*program_.Form2);
    FileDialogRequest request;
    request.title = QStringLiteral("Open");
    request.filters = {QStringLiteral("Tout (*.bmp)"), QStringLiteral("Bitmap (*.bmp)")};
    const std::optional<FileDialogAnswer> answer = ui().openFile(this, request);
    if (!answer || answer->path.isEmpty())
        return;
    MyPicture->setPicture(Picture::loadBmpFor(SpeedButton15->text(), answer->path));
    MyPicture->show();
}

// The added picture goes where it stands over the preview, even while hidden, and is hidden after.
void TForm15::SpeedButton22Click() {
    if (const std::optional<SlotInfo> slot = document_.currentSlot();
        slot && document_.slotLoaded[slot->index]) {
        const auto i = static_cast<size_t>(slot->index);
        const QImage& added = MyPicture->picture().bitmap();
        const QRect region = insertionRegion(MyPicture->pos(), added.size(), QPoint(pictureLeft, pictureTop));
        document_.apply(i, {QStringLiteral("Insert Picture"), InsertStep{added, region.topLeft()}});
    }
    MyPicture->hide();
}

void TForm15::HidePicture1Click() {
    MyPicture->hide();
}

void TForm15::MyPictureMouseDown(Qt::MouseButton, QPoint at) {
    dragging = true;
    dragAnchor = at;
}

// Only while a button is held: a right press opens the picture's menu, which takes the release.
void TForm15::MyPictureMouseMove(Qt::MouseButtons buttons, QPoint at) {
    if (dragging && buttons != Qt::NoButton)
        MyPicture->move(draggedPosition(MyPicture->pos(), dragAnchor, at));
}

void TForm15::MyPictureMouseUp(Qt::MouseButton, QPoint) {
    dragging = false;
}
