#include "decor/tflibrary.h"

#include "app/orbalin.h"
#include "app/tform15.h"

TFLibrary::TFLibrary(Orbalin& program)
    : FixedDialog(program.Form15, QStringLiteral("FLibrary"), QStringLiteral("Gallery"), QSize(360, 361),
                  TitleButtons::None),
      program_(program) {}
