// Painting the current picture, switching between the two pictures of a cover, and Clear.
#include "app/clientarea.h"
#include "app/orbalin.h"
#include "app/previewgeometry.h"
#include "app/slotstatus.h"
#include "app/tform15.h"
#include "cover/picturedescription.h"
#include "lang/captioncontrols.h"
#include "lang/stepcaptions.h"
#include "lang/tform4.h"
#include "platform/qt/statuspanels.h"
#include "text/textbarplaces.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QScreen>

void TForm15::FormPaint(QPainter& canvas) {
    const QSize window = frameGeometry().size();
    if (window.width() > 750)
        Panel5->move(window.width() - 65, Panel5->y());
    if (const std::optional<SlotInfo> slot = document_.currentSlot()) {
        const Picture& picture = document_.slotPicture[slot->index];
        const QPoint origin =
            pictureOrigin(window, Menu1->width(), Menu->height(), QSize(picture.width(), picture.height()));
        pictureLeft = origin.x();
        pictureTop = origin.y();
        if (!picture.isEmpty())
            canvas.drawImage(origin, picture.bitmap());
        coverPicture_->setGeometry(QRect(origin, QSize(picture.width(), picture.height())));
    }
    Image2->move(Image2->x(), 3);
    // The vertical text marker stands on the floating text's top-left corner, turned a quarter.
    Panel11->setGeometry(markerBox(floatinglabel->geometry()));
}

void TForm15::FormResize() {
    const QSize window = frameGeometry().size();
    floatinglabel->move(floatingTextHome(window, floatinglabel->width()));
    repaintPreview();
    Image2->move(Image2->x(), 3);
}

void TForm15::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

// The design size, 790 x 600, is the window's outer size, frame included; the frame is known
// once the window is shown. The window starts centred on the desktop.
void TForm15::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (outerSizeSet_)
        return;
    outerSizeSet_ = true;
    const QSize frame = frameGeometry().size() - size();
    if (!frame.isEmpty())
        resize(QSize(790, 600) - frame);
    if (const QScreen* desktop = screen())
        move(desktop->availableGeometry().center() - QPoint(790 / 2, 600 / 2));
}

void TForm15::repaintPreview() {
    if (client != nullptr)
        client->repaint();
    if (const std::optional<SlotInfo> slot = document_.currentSlot(); slot && coverPicture_ != nullptr)
        coverPicture_->setAccessibleDescription(pictureDescription(document_, *slot));
    updateEditMenu();
}

void TForm15::updateEditMenu() {
    if (Undo1 == nullptr)
        return;
    // In the language in effect; before the language window is made, in English.
    const auto inEffect = [this](const CaptionRow& row) {
        return program_.Form4 != nullptr ? program_.Form4->captionInEffect(row) : englishText(row);
    };
    const auto caption = [&](std::string_view item, const QString& step) {
        const CaptionRow* named = step.isEmpty() ? nullptr : stepCaption(step);
        return editMenuCaption(inEffect(*findCaption("Form15", item)), named ? inEffect(*named) : step);
    };
    const QString undone = document_.undoName();
    const QString redone = document_.redoName();
    setCaption(Undo1, caption("Undo1", undone));
    Undo1->setEnabled(!undone.isEmpty());
    setCaption(Redo1, caption("Redo1", redone));
    Redo1->setEnabled(!redone.isEmpty());
}

// Panels 0 and 1 say what the current slot holds and whether it is fitted, as Open and Resize
// left them.
void TForm15::showSlotStatus() {
    const std::optional<SlotInfo> slot = document_.currentSlot();
    if (!slot)
        return;
    const SlotStatus status = slotStatus(document_, *slot);
    if (status.source)
        StatusBar1->setText(0, QStringLiteral("       ") + *status.source);
    StatusBar1->setText(1, status.fitted ? QStringLiteral("Resized") : QStringLiteral("Waiting"));
}

void TForm15::Undo1Click() {
    document_.undoStep();
    showSlotStatus();
}

void TForm15::Redo1Click() {
    document_.redoStep();
    showSlotStatus();
}

void TForm15::SpeedButton9Click() {
    showPicture(true);
}

void TForm15::SpeedButton8Click() {
    showPicture(false);
}

// The current picture goes into its kept copy and the other picture of the mode comes back from
// its own, so whatever was drawn on either is kept. Asking for the current picture only resets
// the text status.
void TForm15::showPicture(bool second) {
    resetTextStatus();
    const std::optional<SlotInfo> current = document_.currentSlot();
    if (!current || current->second == second)
        return;
    StatusBar1->setText(2, slotStatusText(second));
    document_.switchSlot(slotOf(current->mode, second).code, true);
    resetFloatingText();
    repaintPreview();
}

// Takes the picture back to how it was fitted, dropping whatever was drawn on it since.
void TForm15::SpeedButton5Click() {
    const std::optional<SlotInfo> slot = document_.currentSlot();
    if (!slot || !fittedPictureOf(*slot))
        return;
    document_.apply(size_t(slot->index), {QStringLiteral("Clear"), ClearStep{}});
}

std::optional<Picture> TForm15::fittedPictureOf(const SlotInfo& slot) const {
    const auto i = size_t(slot.index);
    if (!document_.slotLoaded[i] || !document_.slotResized[i] || document_.currentMode() != slot.mode)
        return std::nullopt;
    return Picture::loadProgramBmp(document_.workFile(QLatin1String(slot.refreshFile)));
}

Picture TForm15::pictureToDrawOn(const SlotInfo& slot) const {
    if (std::optional<Picture> fitted = fittedPictureOf(slot))
        return *fitted;
    return document_.slotPicture[size_t(slot.index)];
}
