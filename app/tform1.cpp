#include "app/tform1.h"

#include "cover/coverdocument.h"
#include "cover/covermode.h"
#include "cover/glyphs.h"
#include "lang/captiontable.h"
#include "platform/interaction.h"
#include "platform/qt/handlerwiring.h"
#include "platform/qt/toolbutton.h"

#include <QLabel>
#include <QScopeGuard>
#include <QToolButton>

namespace {

QToolButton* choiceButton(QWidget* parent, const char* name, Glyph picture, QPoint at) {
    return toolButton(parent, QLatin1String(name), {.icon = glyph(picture, 32), .focus = Qt::StrongFocus},
                      QRect(at, QSize(52, 52)));
}

QLabel* choiceText(QWidget* parent, const char* name, const QString& text, QRect place) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(QFont(QStringLiteral("Arial"), 8));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setGeometry(place);
    return label;
}

} // namespace

TForm1::TForm1(QWidget* owner, const WindowServices& services)
    : FixedDialog(owner, QStringLiteral("Form1"), captionOf("Form1", kWindowCaption), QSize(224, 186),
                  TitleButtons::None),
      services_(services) {
    useMainWindowFace();

    SpeedButton1 = choiceButton(this, "SpeedButton1", Glyph::Resize, {8, 16});
    SpeedButton1->setAccessibleName(QStringLiteral("Resize"));
    StaticText1 = choiceText(this, "StaticText1", captionOf("Form1", "StaticText1"), {68, 8, 148, 76});
    SpeedButton2 = choiceButton(this, "SpeedButton2", Glyph::ResizeAdjust, {8, 110});
    SpeedButton2->setAccessibleName(QStringLiteral("Resize-Adjust"));
    StaticText2 = choiceText(this, "StaticText2", captionOf("Form1", "StaticText2"), {68, 100, 148, 76});
    setTabOrder(SpeedButton1, SpeedButton2);

    connectClicks(this,
                  {{SpeedButton1, &TForm1::SpeedButton1Click}, {SpeedButton2, &TForm1::SpeedButton2Click}});
}

// Centred on the main window's frame: Qt's own placement allows for a title bar of a guessed height.
void TForm1::showEvent(QShowEvent* event) {
    const QRect owner = parentWidget()->frameGeometry();
    move(owner.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    FixedDialog::showEvent(event);
    SpeedButton1->setFocus(Qt::OtherFocusReason);
}

// The window closes even when the fit fails.
void TForm1::SpeedButton1Click() {
    const auto close = qScopeGuard([this] { accept(); });
    services_.main.resizePicture();
}

void TForm1::SpeedButton2Click() {
    if (services_.main.document().currentMode() == CoverMode::MiniCd) {
        services_.ui.message(this, QStringLiteral("Not available yet"));
        return;
    }
    const auto close = qScopeGuard([this] { accept(); });
    services_.main.resizeAdjustPicture();
}
