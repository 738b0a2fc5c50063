#include "decor/tform3.h"

#include "cover/coverdocument.h"
#include "decor/glyphbutton.h"
#include "lang/captiontable.h"
#include "platform/qt/handlerwiring.h"

#include <QFrame>
#include <QScopeGuard>
#include <QToolButton>

TForm3::TForm3(QWidget* owner, const WindowServices& services)
    : FixedDialog(owner, QStringLiteral("Form3"), captionOf("Form3", kWindowCaption), QSize(451, 361),
                  TitleButtons::None),
      services_(services) {
    useMainWindowFace();

    auto* bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::Box);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(5, 5, 441, 353);

    using Handler = void (TForm3::*)();
    const struct {
        QToolButton** button;
        const char* name;
        const char* caption;
        Glyph picture;
        QPoint at;
        Handler handler;
    } kinds[] = {
        {&SpeedButton1, "SpeedButton1", "Cd Cover", Glyph::CdCover, {8, 8}, &TForm3::SpeedButton1Click},
        {&SpeedButton2,
         "SpeedButton2",
         "Front Cover",
         Glyph::FrontCover,
         {153, 8},
         &TForm3::SpeedButton2Click},
        {&SpeedButton3, "SpeedButton3", "Back Cover", Glyph::BackCover, {298, 8}, &TForm3::SpeedButton3Click},
        {&SpeedButton4, "SpeedButton4", "Mini CD", Glyph::MiniCd, {8, 184}, &TForm3::SpeedButton4Click},
    };
    for (const auto& kind : kinds) {
        *kind.button = glyphButton(this, QLatin1String(kind.name), QLatin1String(kind.caption), kind.picture,
                                   QRect(kind.at, QSize(145, 169)), 128);
        connectReportingErrors(*kind.button, this, [this, handler = kind.handler] { (this->*handler)(); });
        (*kind.button)->setCheckable(true);
    }
}

// The kind in use is the checked one, to the eye and to a screen reader, and has the focus.
void TForm3::showEvent(QShowEvent* event) {
    showCurrentKind();
    FixedDialog::showEvent(event);
}

void TForm3::showCurrentKind() {
    const CoverMode current = services_.main.document().currentMode();
    const std::pair<QToolButton*, CoverMode> kinds[] = {{SpeedButton1, CoverMode::CdCover},
                                                        {SpeedButton2, CoverMode::FrontCover},
                                                        {SpeedButton3, CoverMode::BackCover},
                                                        {SpeedButton4, CoverMode::MiniCd}};
    for (const auto& [button, mode] : kinds) {
        button->setChecked(mode == current);
        if (mode == current)
            button->setFocus();
    }
}

// The same switch as the main window's own commands for the mode.
void TForm3::choose(CoverMode mode) {
    const auto show = qScopeGuard([this] { showCurrentKind(); }); // a click toggled the button
    services_.main.switchToMode(mode);
    accept();
}
