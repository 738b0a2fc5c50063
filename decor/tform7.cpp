#include "decor/tform7.h"

#include "app/orbalin.h"
#include "app/tform15.h"

TForm7::TForm7(Orbalin& program)
    : FixedDialog(program.Form15, QStringLiteral("Form7"), QStringLiteral("Effects..."), QSize(300, 200),
                  TitleButtons::None),
      program_(program) {}
