// The floating text and the text bar: a line of text the user moves over the cover and stamps
// into the current picture where it stands.
#include "about/tform5.h"
#include "app/orbalin.h"
#include "app/tform15.h"
#include "platform/interaction.h"
#include "platform/qt/application.h"
#include "platform/qt/keyboardmove.h"
#include "platform/qt/keyboardways.h"
#include "platform/qt/mousehandlers.h"
#include "platform/qt/statuspanels.h"
#include "text/floatingtext.h"
#include "text/textbarplaces.h"
#include "text/textstamp.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

void TForm15::connectFloatingText() {
    // Only the user's choice changes the edit field's font, not the entries start-up selects.
    connect(Combofonte, &QComboBox::activated, this, reportingErrors([this] { CombofonteChange(); }));
    connect(combotaillefonte, &QComboBox::activated, this,
            reportingErrors([this] { combotaillefonteChange(); }));

    const auto down = [this](Qt::MouseButton button, QPoint at) { textDragMouseDown(button, at); };
    const auto up = [this](Qt::MouseButton, QPoint) { textDragMouseUp(); };
    routeMouse(floatinglabel,
               {down, [this](Qt::MouseButtons held, QPoint at) { floatinglabelMouseMove(held, at); }, up,
                [this] { floatinglabelDblClick(); }});
    const auto grip = [this](Qt::MouseButtons held, QPoint at) { Panel9MouseMove(held, at); };
    routeMouse(Panel9, {down, grip, up, {}});
    routeMouse(Image5, {down, grip, up, {}});
    routeMouse(Panel11, {down, [this](Qt::MouseButtons held, QPoint at) { Panel11MouseMove(held, at); }, up,
                         [this] { Panel11DblClick(); }});

    // The keys move each by the same rule as a drag, from no anchor to the arrow's step.
    moveWithKeys(
        floatinglabel,
        [this](QPoint step) { floatinglabel->move(dragFloatingText(floatinglabel->pos(), {}, step)); },
        [this] { floatinglabelDblClick(); }, QStringLiteral("opens the text bar to change it"));
    moveWithKeys(Image5, [this](QPoint step) { supfloat->move(dragTextBar(supfloat->pos(), {}, step)); });
    moveWithKeys(
        Panel11, [this](QPoint step) { moveMarker({}, step); }, [this] { Panel11DblClick(); },
        QStringLiteral("opens the text bar to change the text"));

    // Enter in the text takes it, Escape in the bar is Cancel; Enter presses the focused button of
    // the bar and of the tool bars alike.
    acceptWithEnter(Edition, [this] { SpeedButton18Click(); });
    leaveWithEscape(supfloat, [this] { SpeedButton21Click(); });
    pressFocusedButtonWithEnter(this);
}

// --- The floating text ---

void TForm15::SpeedButton20Click() {
    floatinglabel->move(floatingTextHome(frameGeometry().size(), floatinglabel->width()));
    if (floatingTextActive_) {
        hideFloatingText();
        return;
    }
    floatinglabel->show();
    floatinglabel->raise();
    setFloatingTextActive(true);
}

void TForm15::FloatingtextBarredetexteflottante1Click() {
    floatinglabel->show();
    floatinglabel->raise();
    setFloatingTextActive(true);
}

void TForm15::HidetextareaCacherlazonedetexte1Click() {
    hideFloatingText();
}
void TForm15::HidetextareaCacherlazonedetexte2Click() {
    hideFloatingText();
}

// Caption, font and place stay for the next time it is shown.
void TForm15::hideFloatingText() {
    floatinglabel->hide();
    Panel11->hide();
    supfloat->hide();
    reverseMode = false;
    resetTextStatus();
    showTextBarState();
}

void TForm15::showTextBarState() {
    SpeedButton16->setChecked(Edition->font().bold());
    SpeedButton19->setChecked(reverseMode);
}

// A press with the right button opens a context menu and never starts a drag; a move without a
// button held ends a drag whose release went elsewhere, so a drag never sticks to the pointer.
void TForm15::textDragMouseDown(Qt::MouseButton button, QPoint at) {
    dragging = button != Qt::RightButton;
    dragAnchor = at;
}

void TForm15::textDragMouseUp() {
    dragging = false;
}

bool TForm15::textDragHeld(Qt::MouseButtons held) {
    if (held == Qt::NoButton)
        dragging = false;
    return dragging;
}

void TForm15::floatinglabelMouseMove(Qt::MouseButtons held, QPoint at) {
    if (textDragHeld(held))
        floatinglabel->move(dragFloatingText(floatinglabel->pos(), dragAnchor, at));
}

void TForm15::Panel9MouseMove(Qt::MouseButtons held, QPoint at) {
    if (textDragHeld(held))
        supfloat->move(dragTextBar(supfloat->pos(), dragAnchor, at));
}

void TForm15::Panel11MouseMove(Qt::MouseButtons held, QPoint at) {
    if (textDragHeld(held))
        moveMarker(dragAnchor, at);
}

void TForm15::moveMarker(QPoint anchor, QPoint pointer) {
    const MarkerDrag moved = dragMarker(Panel11->geometry(), anchor, pointer);
    floatinglabel->move(moved.floatingText);
    Panel11->move(moved.marker);
}

// --- The text bar ---

void TForm15::floatinglabelDblClick() {
    openTextBar(QPoint(1, 68));
}
void TForm15::ChangeTextmodifierletexte1Click() {
    floatinglabelDblClick();
}
void TForm15::Panel11DblClick() {
    openTextBar(textBarCentred(frameGeometry().size(), Menu->height(), supfloat->size()));
}

// The edit field takes the floating text's caption and font; the two lists keep showing the
// user's last choice.
void TForm15::openTextBar(QPoint at) {
    supfloat->move(at);
    giveStampFont(*Edition, stampFontOf(*floatinglabel));
    Edition->setText(floatinglabel->text());
    supfloat->show();
    supfloat->raise();
    Edition->setFocus();
    showTextBarState();
    floatinglabel->hide();
    Panel11->hide();
}

void TForm15::CombofonteChange() {
    TextStamp font = stampFontOf(*Edition);
    font.family = Combofonte->currentText();
    giveStampFont(*Edition, font);
}

void TForm15::combotaillefonteChange() {
    TextStamp font = stampFontOf(*Edition);
    font.pointSize = combotaillefonte->currentText().toInt();
    giveStampFont(*Edition, font);
}

// The colour dialog opens on the colour last chosen in it, not on the edit field's.
void TForm15::SpeedButton17Click() {
    const std::optional<QColor> chosen = ui().chooseColour(this, textBarColour_);
    if (!chosen)
        return;
    textBarColour_ = *chosen;
    TextStamp font = stampFontOf(*Edition);
    font.colour = *chosen;
    giveStampFont(*Edition, font);
}

void TForm15::SpeedButton16Click() {
    TextStamp font = stampFontOf(*Edition);
    font.bold = !font.bold;
    giveStampFont(*Edition, font);
    showTextBarState();
}

void TForm15::SpeedButton19Click() {
    reverseMode = !reverseMode;
    StatusBar2->setText(1, reverseMode ? QStringLiteral("Reverse Activated")
                                       : QStringLiteral("Reverse desactivated"));
    showTextBarState();
}

void TForm15::SpeedButton24Click() {
    ui().showModal(*program_.Form5);
}

// Ok: the floating text takes the edit field's text and font. In reverse the marker stands in for
// it; the paint that follows puts the marker on the floating text's corner.
void TForm15::SpeedButton18Click() {
    TextStamp chosen = stampFontOf(*Edition);
    giveStampFont(*floatinglabel, chosen);
    floatinglabel->setText(Edition->text());
    floatinglabel->adjustSize();
    supfloat->hide();
    floatinglabel->setVisible(!reverseMode);
    Panel11->setVisible(reverseMode);
    Panel11->raise();
    floatinglabel->raise();
}

void TForm15::SpeedButton21Click() {
    supfloat->hide();
    floatinglabel->show();
    floatinglabel->raise();
}

// --- The stamp ---

void TForm15::ApplyChangesAppliquerleschangements1Click() {
    stampFloatingText();
}
void TForm15::ApplyChangesAppliquerleschangements2Click() {
    stampFloatingText();
}
void TForm15::SpeedButton14Click() {
    stampFloatingText();
}

// Draws the floating text's caption into the current picture where the floating text stands over
// the preview, shown or not; in reverse, turned into the marker's box.
void TForm15::stampFloatingText() {
    const std::optional<SlotInfo> slot = document_.currentSlot();
    if (!slot || !document_.slotLoaded[static_cast<size_t>(slot->index)])
        return;
    TextStamp stamp = stampOf(*floatinglabel);
    stamp.reversed = reverseMode;
    const QPoint corner = floatinglabel->pos() - QPoint(pictureLeft, pictureTop);
    document_.apply(size_t(slot->index), {QStringLiteral("Stamp"), StampStep{stamp, corner}});
}
