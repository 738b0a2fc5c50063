#include "about/tform2.h"

#include "cover/glyphs.h"
#include "lang/captiontable.h"

#include <QLabel>
#include <QPushButton>

TForm2::TForm2(QWidget* owner, const WindowServices& services)
    : FixedDialog(owner, QStringLiteral("Form2"), QStringLiteral("About..."), QSize(258, 126),
                  TitleButtons::None),
      services_(services) {
    useMainWindowFace();

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 8, 34, 33);
    Image1->setPixmap(glyph(Glyph::Warning, 33));

    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(8);
    StaticText1 = new QLabel(QStringLiteral("Informations"), this);
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    QFont heading = arial;
    heading.setUnderline(true);
    StaticText1->setFont(heading);
    StaticText1->move(48, 8);
    StaticText1->adjustSize();

    StaticText2 = new QLabel(captionOf("Form2", "StaticText2"), this);
    StaticText2->setObjectName(QStringLiteral("StaticText2"));
    StaticText2->setFont(arial);
    StaticText2->setWordWrap(true);
    StaticText2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    StaticText2->setGeometry(8, 48, 241, 41);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAccessibleName(BitBtn1->text());
    BitBtn1->setGeometry(96, 96, 75, 25);
    BitBtn1->setIcon(QIcon(glyph(Glyph::Ok, 16)));
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}
