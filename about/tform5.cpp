#include "about/tform5.h"

#include "app/orbalin.h"
#include "app/tform15.h"

TForm5::TForm5(Orbalin& program)
    : FixedDialog(program.Form15, QStringLiteral("Form5"), QStringLiteral("Help : How to use Text Bar !"),
                  QSize(424, 222), TitleButtons::None),
      program_(program) {}
