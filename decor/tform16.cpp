#include "decor/tform16.h"

#include "app/orbalin.h"
#include "app/tform15.h"

TForm16::TForm16(Orbalin& program)
    : FixedDialog(program.Form15, QStringLiteral("Form16"), QStringLiteral("Slide..."), QSize(697, 562),
                  TitleButtons::Close),
      program_(program) {}
