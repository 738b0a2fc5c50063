#include "lang/tform4.h"

#include "app/orbalin.h"
#include "app/tform15.h"

TForm4::TForm4(Orbalin& program)
    : FixedDialog(program.Form15, QStringLiteral("Form4"), QStringLiteral("Language..."), QSize(330, 110),
                  TitleButtons::None),
      program_(program) {}
