#include "decor/tform18.h"

#include "app/orbalin.h"
#include "app/tform15.h"
#include "platform/qt/imageview.h"

TForm18::TForm18(Orbalin& program)
    : FixedDialog(program.Form15, QStringLiteral("Form18"), QStringLiteral("Gradient"), QSize(534, 540)),
      program_(program) {
    Image22 = new ImageView(this, QStringLiteral("Image22"), QSize(450, 450));
    Image22->move(24, 40);
}
