#include "decor/tflibrary.h"

TFLibrary::TFLibrary(QWidget* owner, const WindowServices& services)
    : FixedDialog(owner, QStringLiteral("FLibrary"), QStringLiteral("Gallery"), QSize(360, 361),
                  TitleButtons::None),
      services_(services) {
    addCloseButton();
}
