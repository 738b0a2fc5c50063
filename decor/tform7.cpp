#include "decor/tform7.h"

TForm7::TForm7(QWidget* owner, const WindowServices& services)
    : FixedDialog(owner, QStringLiteral("Form7"), QStringLiteral("Effects..."), QSize(300, 200),
                  TitleButtons::None),
      services_(services) {
    addCloseButton();
}
