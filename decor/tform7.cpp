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
    CoverDocument& document = services_.main.document();
    const std::optional<SlotInfo> slot = document.currentSlot();
    // The modes whose Effects button is on: the square ones.
    if (!slot || !modeInfo(slot->mode).effectsEnabled)
        return;
    const auto i = static_cast<size_t>(slot->index);
    if (!document.slotResized[i] || document.slotPicture[i].isEmpty())
        return;
    document.apply(i,
                   {left ? QStringLiteral("Rotate Left") : QStringLiteral("Rotate Right"), TurnStep{left}});
}
