#include "app/tform1.h"

#include "app/orbalin.h"
#include "app/tform15.h"

TForm1::TForm1(Orbalin& program)
    : FixedDialog(program.Form15, QStringLiteral("Form1"), QStringLiteral("Adjust..."), QSize(224, 186),
                  TitleButtons::None),
      program_(program) {}
