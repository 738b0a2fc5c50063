#include "about/tform2.h"

TForm2::TForm2(QWidget* owner, const WindowServices& services)
    : FixedDialog(owner, QStringLiteral("Form2"), QStringLiteral("About..."), QSize(258, 126),
                  TitleButtons::None),
      services_(services) {
    addCloseButton();
}
