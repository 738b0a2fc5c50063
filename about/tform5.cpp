#include "about/tform5.h"

#include "about/textbarpicture.h"
#include "cover/glyphs.h"
#include "lang/captiontable.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

// The floating text's menu items carry their French name in brackets; the English half is what
// fits the picture.
PictureMenuEntry entryOf(const char* control, const QString& shortcut) {
    return {captionOf("Form15", control).section(QStringLiteral(" ("), 0, 0), shortcut};
}

const QString kTextBarKeys = QStringLiteral(
    "Keys: on the floating text or the bar's grip, the arrows move it (with Shift by ten pixels) and "
    "the Menu key opens its menu; Enter on the floating text opens the bar. In the bar, Enter in the "
    "text is Ok and Escape is Cancel. Ctrl+A applies the text, Ctrl+H hides it, Ctrl+F shows it.");

} // namespace

TForm5::TForm5(QWidget* owner, const WindowServices& services)
    : FixedDialog(owner, QStringLiteral("Form5"), captionOf("Form5", kWindowCaption), QSize(424, 302),
                  TitleButtons::None),
      services_(services) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    setPalette(colours);
    setAutoFillBackground(true);

    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bevel->setGeometry(8, 8, 409, 105);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(16, 16, 394, 89);
    Image1->setPixmap(QPixmap::fromImage(textBarPicture(
        QStringLiteral("TEXT !"), {entryOf("ChangeTextmodifierletexte1", {}),
                                   entryOf("ApplyChangesAppliquerleschangements1", QStringLiteral("Ctrl+A")),
                                   entryOf("HidetextareaCacherlazonedetexte1", QStringLiteral("Ctrl+H"))})));

    StaticText1 = new QLabel(captionOf("Form5", "StaticText1"), this);
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    StaticText1->setTextFormat(Qt::PlainText);
    StaticText1->setWordWrap(true);
    StaticText1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    StaticText1->setGeometry(8, 120, 409, 65);

    Keys = new QLabel(kTextBarKeys, this);
    Keys->setObjectName(QStringLiteral("Keys"));
    Keys->setTextFormat(Qt::PlainText);
    Keys->setWordWrap(true);
    Keys->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Keys->setGeometry(8, 188, 409, 74);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAccessibleName(BitBtn1->text());
    BitBtn1->setGeometry(184, 268, 75, 25);
    BitBtn1->setIcon(QIcon(glyph(Glyph::Ok, 16)));
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}
