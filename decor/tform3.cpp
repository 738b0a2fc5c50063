#include "decor/tform3.h"

#include "app/orbalin.h"
#include "app/tform15.h"

TForm3::TForm3(Orbalin& program)
    : FixedDialog(program.Form15, QStringLiteral("Form3"), QStringLiteral("Labels..."), QSize(451, 361),
                  TitleButtons::None),
      program_(program) {}
