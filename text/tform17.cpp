#include "text/tform17.h"

TForm17::TForm17(QWidget* owner, const WindowServices& services)
    : FixedDialog(owner, QStringLiteral("Form17"), QStringLiteral("Text Area"), QSize(532, 330),
                  TitleButtons::None),
      services_(services) {
    addCloseButton();
}
