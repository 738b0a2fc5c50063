#include "about/tform20.h"

#include "app/orbalin.h"
#include "app/tform15.h"

TForm20::TForm20(Orbalin& program)
    : FixedDialog(program.Form15, QStringLiteral("Form20"), QStringLiteral("About"), QSize(274, 272),
                  TitleButtons::Close),
      program_(program) {}
