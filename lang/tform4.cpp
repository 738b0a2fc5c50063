#include "lang/tform4.h"

TForm4::TForm4(QWidget* owner, const WindowServices& services)
    : FixedDialog(owner, QStringLiteral("Form4"), QStringLiteral("Language..."), QSize(330, 110),
                  TitleButtons::None),
      services_(services) {
    addCloseButton();
}
