#include "about/tform20.h"

TForm20::TForm20(QWidget* owner, const WindowServices& services)
    : FixedDialog(owner, QStringLiteral("Form20"), QStringLiteral("About"), QSize(274, 272),
                  TitleButtons::Close),
      services_(services) {
    addCloseButton();
}
