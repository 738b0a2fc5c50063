#include "app/tform1.h"

#include "app/glyphs.h"
#include "app/orbalin.h"
#include "app/statuspanels.h"
#include "app/tform15.h"
#include "platform/qt/application.h"
#include "platform/interaction.h"

#include <QLabel>
#include <QScopeGuard>
#include <QToolButton>

namespace {

QToolButton* choiceButton(QWidget* parent, const char* name, Glyph picture, QPoint at) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setIcon(glyph(picture, 32));
    button->setIconSize({32, 32});
    button->setGeometry(QRect(at, QSize(52, 52)));
    return button;
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

TForm1::TForm1(Orbalin& program)
    : FixedDialog(program.Form15, QStringLiteral("Form1"), QStringLiteral("Adjust..."), QSize(224, 186),
                  TitleButtons::None),
      program_(program) {
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(236, 232, 216));
    setPalette(colours);

    SpeedButton1 = choiceButton(this, "SpeedButton1", Glyph::Resize, {8, 16});
    Label1 =
        choiceText(this, "Label1",
                   QStringLiteral("Resize, Resize picture automatically, this methode transform and reduce "
                                  "the whole picture..."),
                   {68, 8, 148, 76});
    SpeedButton2 = choiceButton(this, "SpeedButton2", Glyph::ResizeAdjust, {8, 110});
    Label2 =
        choiceText(this, "Label2",
                   QStringLiteral("Resize-Adjust, allow you to choose a part of the picture without reducing "
                                  "or deforming it."),
                   {68, 100, 148, 76});
    setTabOrder(SpeedButton1, SpeedButton2);

    connect(SpeedButton1, &QToolButton::clicked, this, reportingErrors([this] { SpeedButton1Click(); }));
    connect(SpeedButton2, &QToolButton::clicked, this, reportingErrors([this] { SpeedButton2Click(); }));
}

void TForm1::showEvent(QShowEvent* event) {
    FixedDialog::showEvent(event);
    SpeedButton1->setFocus(Qt::OtherFocusReason);
}

// The window has no other way out, so it closes even when the fit fails.
void TForm1::SpeedButton1Click() {
    const auto close = qScopeGuard([this] { accept(); });
    program_.Form15->SpeedButton2Click();
}

void TForm1::SpeedButton2Click() {
    TForm15& main = *program_.Form15;
    if (main.StatusBar1->text(3) == QLatin1String(modeInfo(CoverMode::MiniCd).statusText)) {
        program_.context.ui.message(this, QStringLiteral("Not available yet"));
        return;
    }
    const auto close = qScopeGuard([this] { accept(); });
    main.SpeedButton12Click();
}
