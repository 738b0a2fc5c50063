#include "decor/tform7.h"

#include "cover/coverdocument.h"
#include "decor/glyphbutton.h"
#include "decor/quarterturn.h"
#include "lang/captiontable.h"
#include "platform/qt/handlerwiring.h"

#include <QToolButton>

TForm7::TForm7(QWidget* owner, const WindowServices& services)
    : FixedDialog(owner, QStringLiteral("Form7"), captionOf("Form7", kWindowCaption), QSize(350, 150),
                  TitleButtons::None),
      services_(services) {
    SpeedButton1 = glyphButton(this, QStringLiteral("SpeedButton1"), captionOf("Form7", "SpeedButton1"),
                               Glyph::RotateLeft, {10, 10, 160, 90});
    SpeedButton2 = glyphButton(this, QStringLiteral("SpeedButton2"), captionOf("Form7", "SpeedButton2"),
                               Glyph::RotateRight, {180, 10, 160, 90});
    SpeedButton3 = glyphButton(this, QStringLiteral("SpeedButton3"), captionOf("Form7", "SpeedButton3"),
                               Glyph::Exit, {260, 108, 80, 34}, 16);
    SpeedButton3->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    connectClicks(this, {{SpeedButton1, &TForm7::SpeedButton1Click},
                         {SpeedButton2, &TForm7::SpeedButton2Click},
                         {SpeedButton3, &TForm7::SpeedButton3Click}});
}

void TForm7::SpeedButton1Click() {
    turnCurrentPicture(true);
}

void TForm7::SpeedButton2Click() {
    turnCurrentPicture(false);
}

void TForm7::SpeedButton3Click() {
    accept();
}

void TForm7::turnCurrentPicture(bool left) {
    // The status bar names the slot, as it does for every window that works on the current one.
    const std::optional<CoverMode> mode = modeFromStatusText(services_.main.statusText(3));
    const QString picture = services_.main.statusText(2);
    if (!mode || (*mode != CoverMode::CdCover && *mode != CoverMode::FrontCover))
        return;
    if (picture != slotStatusText(false) && picture != slotStatusText(true))
        return;
    const auto i = static_cast<size_t>(slotOf(*mode, picture == slotStatusText(true)).index);
    CoverDocument& document = services_.main.document();
    // A fitted picture turns as the user sees it, text and stamps with it; the picture as fitted
    // turns too, so that Clear and the text layouts start from the turned picture.
    if (!document.slotResized[i] || document.slotPicture[i].isEmpty())
        return;
    const auto turned = [left](const Picture& picture) {
        return Picture(left ? turnedLeft(picture.bitmap()) : turnedRight(picture.bitmap()));
    };
    SlotState after = document.slotState(i);
    after.picture = turned(after.picture);
    after.kept = after.picture;
    if (!after.fitted.isEmpty()) {
        after.fitted = turned(after.fitted);
        // Written first: when it cannot be, the slot stays as it is.
        after.fitted.saveBmp(document.ownFile(QLatin1String(slotTable()[i].refreshFile)));
    }
    document.commitStep(i, {left ? QStringLiteral("Rotate Left") : QStringLiteral("Rotate Right"), TurnStep{left}},
                        after);
    services_.main.repaintPreview();
}
