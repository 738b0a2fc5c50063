#include "decor/tform3.h"

TForm3::TForm3(QWidget* owner, const WindowServices& services)
    : FixedDialog(owner, QStringLiteral("Form3"), QStringLiteral("Labels..."), QSize(451, 361),
                  TitleButtons::None),
      services_(services) {
    addCloseButton();
}
