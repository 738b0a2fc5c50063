#include "about/tform5.h"

TForm5::TForm5(QWidget* owner, const WindowServices& services)
    : FixedDialog(owner, QStringLiteral("Form5"), QStringLiteral("Help : How to use Text Bar !"),
                  QSize(424, 222), TitleButtons::None),
      services_(services) {
    addCloseButton();
}
