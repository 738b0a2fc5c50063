#include "decor/tform18.h"

#include "cover/coverdocument.h"
#include "decor/glyphbutton.h"
#include "decor/gradient.h"
#include "lang/captiontable.h"
#include "platform/interaction.h"
#include "platform/qt/application.h"
#include "platform/qt/controlpurpose.h"
#include "platform/qt/handlerwiring.h"
#include "platform/qt/imageview.h"
#include "platform/qt/statuspanels.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QSignalBlocker>
#include <QToolButton>

namespace {
constexpr int kMargin = 8;
constexpr int kPictureTop = 28;
constexpr int kStatusHeight = 19;

// The window around the picture: the buttons in a column on its right, the kind below it.
QSize windowSizeFor(CoverMode mode) {
    switch (mode) {
    case CoverMode::BackCover:
        return {590, 495};
    case CoverMode::MiniCd:
        return {390, 390};
    case CoverMode::CdCover:
    case CoverMode::FrontCover:
        break;
    }
    return {534, 540};
}

QString listed(const char* control) {
    return captionOf("Form18", control);
}
} // namespace

TForm18::TForm18(QWidget* owner, const WindowServices& services)
    : FixedDialog(owner, QStringLiteral("Form18"), captionOf("Form18", kWindowCaption),
                  windowSizeFor(CoverMode::CdCover), TitleButtons::None),
      services_(services) {
    buildControls();
    layOut(gradientPictureSize(CoverMode::CdCover));

    connectClicks(this, {{SpeedButton1, &TForm18::SpeedButton1Click},
                         {SpeedButton2, &TForm18::SpeedButton2Click},
                         {SpeedButton3, &TForm18::SpeedButton3Click},
                         {SpeedButton4, &TForm18::SpeedButton4Click}});
    connect(ComboBox5, &QComboBox::currentIndexChanged, this, reportingErrors([this] { ComboBox5Change(); }));
}

void TForm18::buildControls() {
    Label1 = new QLabel(listed("Label1"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(kMargin, 8);
    Label1->adjustSize();

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::Box);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Image22 = new ImageView(this, QStringLiteral("Image22"), QSize());
    Label1->setBuddy(Image22); // the picture is named by the caption above it, in every language

    ComboBox5 = new QComboBox(this);
    ComboBox5->setObjectName(QStringLiteral("ComboBox5"));
    ComboBox5->addItems({QStringLiteral("Linear gradient"), QStringLiteral("Elliptical gradient")});
    tellPurpose(*ComboBox5, QStringLiteral("Kind of gradient"));

    SpeedButton3 =
        glyphButton(this, QStringLiteral("SpeedButton3"), listed("SpeedButton3"), Glyph::TextColour, {});
    SpeedButton4 =
        glyphButton(this, QStringLiteral("SpeedButton4"), listed("SpeedButton4"), Glyph::TextColour, {});
    SpeedButton1 =
        glyphButton(this, QStringLiteral("SpeedButton1"), listed("SpeedButton1"), Glyph::InsertPicture, {});
    SpeedButton2 = glyphButton(this, QStringLiteral("SpeedButton2"), listed("SpeedButton2"), Glyph::Exit, {});

    StatusBar1 = new StatusPanels(this, QStringLiteral("StatusBar1"), {{200}, {200}}, kStatusHeight);
}

// Everything is placed from the picture's size, so each mode's window holds its picture at 1:1.
void TForm18::layOut(QSize picture) {
    Image22->setGeometry(kMargin, kPictureTop, picture.width(), picture.height());
    Bevel1->setGeometry(kMargin - 1, kPictureTop - 1, picture.width() + 1, picture.height() + 1);
    const int column = kMargin + picture.width() + kMargin;
    int top = kPictureTop;
    for (QToolButton* button : {SpeedButton3, SpeedButton4, SpeedButton1, SpeedButton2}) {
        button->setGeometry(column, top, 60, 60);
        top += 68;
    }
    ComboBox5->setGeometry(kMargin, kPictureTop + picture.height() + kMargin, 200, 24);
    StatusBar1->setGeometry(0, height() - kStatusHeight, width(), kStatusHeight);
}

void TForm18::prepareFor(CoverMode mode, bool gradientDrawn) {
    mode_ = mode;
    setFixedSize(windowSizeFor(mode));
    layOut(gradientPictureSize(mode));
    const QSignalBlocker quiet(ComboBox5);
    ComboBox5->setCurrentIndex(0);
    if (!gradientDrawn)
        Image22->clear();
}

bool TForm18::elliptical() const {
    return ComboBox5->currentIndex() == 1;
}

void TForm18::SpeedButton3Click() {
    chooseColour(colour1);
}

void TForm18::SpeedButton4Click() {
    chooseColour(colour2);
}

void TForm18::chooseColour(QColor& colour) {
    if (elliptical() && (mode_ == CoverMode::FrontCover || mode_ == CoverMode::BackCover)) {
        services_.ui.message(this, QStringLiteral("not available with Eliptical gradient..."));
        return;
    }
    const std::optional<QColor> chosen = services_.ui.chooseColour(this, dialogColour_);
    if (!chosen)
        return;
    dialogColour_ = *chosen;
    colour = chosen->toRgb();
    services_.main.document().gradientState = 1;
    drawGradient();
}

void TForm18::drawGradient() {
    made_ = GradientSource{mode_, elliptical(), colour1, colour2};
    Image22->setPicture(Picture(elliptical() ? ellipticalGradient(colour1, colour2)
                                             : linearGradient(mode_, colour1, colour2)));
}

void TForm18::ComboBox5Change() {
    if (elliptical() && mode_ == CoverMode::MiniCd) {
        services_.ui.message(this, QStringLiteral("Not implemented yet with Mini Cd"));
        const QSignalBlocker quiet(ComboBox5);
        ComboBox5->setCurrentIndex(0);
        return;
    }
    Image22->clear();
    services_.main.document().gradientState = 0;
}

// The gradient is fitted as a loaded photograph would be; the window keeps it, so it can be
// inserted again.
void TForm18::SpeedButton1Click() {
    CoverDocument& document = services_.main.document();
    const std::optional<SlotInfo> slot = document.currentSlot();
    if (document.gradientState != 1 || !slot || Image22->picture().isEmpty()) {
        accept();
        return;
    }
    const auto i = static_cast<size_t>(slot->index);
    document.putUnfitted(i, Picture(Image22->picture().bitmap().copy()), made_);
    services_.main.resizePicture();
    accept();
}

void TForm18::SpeedButton2Click() {
    Image22->clear();
    services_.main.document().gradientState = 0;
    reject();
}
