#include "decor/tform18.h"

#include "platform/qt/imageview.h"

TForm18::TForm18(QWidget* owner, const WindowServices& services)
    : FixedDialog(owner, QStringLiteral("Form18"), QStringLiteral("Gradient"), QSize(534, 540)),
      services_(services) {
    Image22 = new ImageView(this, QStringLiteral("Image22"), QSize(450, 450));
    Image22->move(24, 40);
    addCloseButton();
}

void TForm18::prepareFor(CoverMode, bool gradientDrawn) {
    if (!gradientDrawn)
        Image22->clear();
}
