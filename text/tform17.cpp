#include "text/tform17.h"

#include "app/orbalin.h"
#include "app/tform15.h"

TForm17::TForm17(Orbalin& program)
    : FixedDialog(program.Form15, QStringLiteral("Form17"), QStringLiteral("Text Area"), QSize(532, 330),
                  TitleButtons::None),
      program_(program) {}
