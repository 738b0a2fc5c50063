#include "about/tform2.h"

#include "app/orbalin.h"
#include "app/tform15.h"

TForm2::TForm2(Orbalin& program)
    : FixedDialog(program.Form15, QStringLiteral("Form2"), QStringLiteral("About..."), QSize(258, 126),
                  TitleButtons::None),
      program_(program) {}
