#include "decor/tflibrary.h"

#include "decor/galleryart.h"
#include "decor/glyphbutton.h"
#include "lang/captiontable.h"
#include "platform/qt/application.h"
#include "platform/qt/handlerwiring.h"
#include "platform/qt/imageview.h"

#include <QFrame>
#include <QListWidget>
#include <QToolButton>
#include <utility>

namespace {
void bevel(QWidget* parent, const QRect& geometry, QFrame::Shape shape, QFrame::Shadow shadow) {
    auto* frame = new QFrame(parent);
    frame->setFrameShape(shape);
    frame->setFrameShadow(shadow);
    frame->setGeometry(geometry);
}
} // namespace

TFLibrary::TFLibrary(QWidget* owner, const WindowServices& services)
    : FixedDialog(owner, QStringLiteral("FLibrary"), captionOf("FLibrary", kWindowCaption), QSize(360, 361),
                  TitleButtons::None),
      services_(services) {
    buildControls();
    connect(ListView1, &QListWidget::itemSelectionChanged, this,
            reportingErrors([this] { ListView1Click(); }));
    connectClicks(
        this, {{SpeedButton1, &TFLibrary::SpeedButton1Click}, {SpeedButton2, &TFLibrary::SpeedButton2Click}});
}

void TFLibrary::buildControls() {
    useMainWindowFace();

    ListView1 = new QListWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setAccessibleName(captionOf("FLibrary", kWindowCaption));
    ListView1->setGeometry(8, 8, 265, 345);
    ListView1->setViewMode(QListView::IconMode);
    ListView1->setIconSize(QSize(kGalleryPictureSide, kGalleryPictureSide));
    ListView1->setGridSize(QSize(62, 62));
    ListView1->setMovement(QListView::Static);
    ListView1->setResizeMode(QListView::Adjust);
    for (const GalleryPicture& each : galleryPictures()) {
        auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(each.picture)), QString(), ListView1);
        item->setData(Qt::AccessibleTextRole, each.name);
        pictures_.push_back(each.picture);
    }

    bevel(this, QRect(286, 6, 59, 59), QFrame::Panel, QFrame::Sunken);
    C_CloneImage =
        new ImageView(this, QStringLiteral("C_CloneImage"), QSize(kGalleryPreviewSide, kGalleryPreviewSide));
    C_CloneImage->move(290, 10);
    C_CloneImage->setAccessibleName(QStringLiteral("Chosen picture"));
    C_CloneImage->setPicture(Picture(galleryPreview(pictures_.front())));
    bevel(this, QRect(280, 74, 74, 4), QFrame::HLine, QFrame::Raised);

    SpeedButton1 = glyphButton(this, QStringLiteral("SpeedButton1"), captionOf("FLibrary", "SpeedButton1"),
                               Glyph::InsertPicture, {280, 85, 73, 73});
    bevel(this, QRect(280, 163, 74, 4), QFrame::HLine, QFrame::Raised);
    SpeedButton2 = glyphButton(this, QStringLiteral("SpeedButton2"), captionOf("FLibrary", "SpeedButton2"),
                               Glyph::Exit, {280, 173, 73, 73});
}

void TFLibrary::ListView1Click() {
    const QList<QListWidgetItem*> selected = ListView1->selectedItems();
    if (selected.isEmpty())
        return;
    const auto i = static_cast<size_t>(ListView1->row(selected.front()));
    C_CloneImage->setPicture(Picture(galleryPreview(pictures_.at(i))));
}

void TFLibrary::SpeedButton1Click() {
    inserted_ = C_CloneImage->picture();
    accept();
}

void TFLibrary::SpeedButton2Click() {
    reject();
}

std::optional<Picture> TFLibrary::takeInsertedPicture() {
    return std::exchange(inserted_, std::nullopt);
}
