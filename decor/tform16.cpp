#include "decor/tform16.h"

#include "cover/coverdocument.h"
#include "cover/glyphs.h"
#include "decor/slideframes.h"
#include "decor/slidepiece.h"
#include "lang/captiontable.h"
#include "platform/qt/handlerwiring.h"
#include "platform/qt/imageview.h"
#include "platform/qt/keyboardmove.h"
#include "platform/qt/toolbutton.h"

#include <QFrame>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

namespace {
QToolButton* slideButton(QWidget* parent, const QString& name, const QString& caption, Glyph picture,
                         QPoint at) {
    return toolButton(parent, name, {.caption = caption, .icon = QIcon(glyph(picture, 32))},
                      QRect(at, QSize(60, 60)));
}
} // namespace

TForm16::TForm16(QWidget* owner, const WindowServices& services)
    : FixedDialog(owner, QStringLiteral("Form16"), captionOf("Form16", kWindowCaption), QSize(697, 562),
                  TitleButtons::Close),
      services_(services) {
    buildControls();
    connectClicks(this, {{SpeedButton1, &TForm16::SpeedButton1Click},
                         {SpeedButton2, &TForm16::SpeedButton2Click},
                         {SpeedButton3, &TForm16::SpeedButton3Click},
                         {SpeedButton5, &TForm16::SpeedButton5Click},
                         {SpeedButton4, &TForm16::SpeedButton4Click}});
}

void TForm16::buildControls() {
    useMainWindowFace();

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, 697, 65);
    SpeedButton1 = slideButton(Panel1, QStringLiteral("SpeedButton1"), captionOf("Form16", "SpeedButton1"),
                               Glyph::Modify, {13, 3});
    SpeedButton2 = slideButton(Panel1, QStringLiteral("SpeedButton2"), captionOf("Form16", "SpeedButton2"),
                               Glyph::CdCover, {82, 3});
    SpeedButton3 = slideButton(Panel1, QStringLiteral("SpeedButton3"), captionOf("Form16", "SpeedButton3"),
                               Glyph::FrontCover, {142, 3});
    SpeedButton5 = slideButton(Panel1, QStringLiteral("SpeedButton5"), captionOf("Form16", "SpeedButton5"),
                               Glyph::BackCover, {202, 3});
    SpeedButton4 = slideButton(Panel1, QStringLiteral("SpeedButton4"), captionOf("Form16", "SpeedButton4"),
                               Glyph::Exit, {274, 3});

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setGeometry(0, 65, 697, 562 - 65);
    ScrollBox1->setBackgroundRole(QPalette::Window);
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setFocusPolicy(Qt::NoFocus); // Tab moves between the buttons and the frame
    content_ = new QWidget;
    content_->setObjectName(QStringLiteral("ScrollContent"));
    Image1 = new ImageView(content_, QStringLiteral("Image1"), QSize(0, 0), true);
    Image2 = addFrame(CoverMode::CdCover, QStringLiteral("Image2"));
    Image5 = addFrame(CoverMode::FrontCover, QStringLiteral("Image5"));
    Image6 = addFrame(CoverMode::BackCover, QStringLiteral("Image6"));
    ScrollBox1->setWidget(content_);
}

ImageView* TForm16::addFrame(CoverMode mode, const QString& name) {
    const QImage artwork = slideFrame(mode);
    auto* frame = new ImageView(content_, name, artwork.size());
    frame->setPicture(Picture(artwork));
    frame->setCursor(Qt::SizeAllCursor);
    frame->setAccessibleName(QStringLiteral("Slide frame"));
    frame->installEventFilter(this);
    moveWithKeys(frame, [this, frame](QPoint step) {
        setFramePosition(*frame, draggedPosition(framePosition(*frame), {}, step));
        ScrollBox1->ensureWidgetVisible(frame, 0, 0);
    });
    frame->hide();
    return frame;
}

void TForm16::prepareFor(CoverMode mode, const Picture& picture) {
    SpeedButton2->setEnabled(mode == CoverMode::CdCover);
    SpeedButton3->setEnabled(mode == CoverMode::FrontCover);
    SpeedButton5->setEnabled(mode == CoverMode::BackCover);
    Image1->setPicture(picture);
    content_->resize(picture.isEmpty() ? QSize(0, 0) : Image1->size());
    // Each picture is shown from its top-left corner, whatever the one before was scrolled to.
    ScrollBox1->horizontalScrollBar()->setValue(0);
    ScrollBox1->verticalScrollBar()->setValue(0);
    dragging = false;
    showOnlyFrame(mode);
}

void TForm16::SpeedButton1Click() {
    CoverDocument& document = services_.main.document();
    const std::optional<SlotInfo> slot = document.currentSlot();
    const std::optional<QSize> size = slot ? slidePieceSize(slot->mode) : std::nullopt;
    if (!size) {
        Image1->clear();
        return;
    }
    // The frame's place over the whole picture, whatever the scrolling.
    const QRect taken(framePosition(*frameFor(slot->mode)) + scrollPosition(), *size);
    document.putPiece(size_t(slot->index), Picture(slidePiece(Image1->picture().bitmap(), taken)), taken);
    services_.main.resizePicture();
    accept();
    Image1->clear();
}

void TForm16::SpeedButton2Click() {
    showOnlyFrame(CoverMode::CdCover);
}

void TForm16::SpeedButton3Click() {
    showOnlyFrame(CoverMode::FrontCover);
}

void TForm16::SpeedButton5Click() {
    showOnlyFrame(CoverMode::BackCover);
}

void TForm16::SpeedButton4Click() {
    reject();
}

void TForm16::frameMouseDown(QPoint at) {
    dragging = true;
    dragAnchor = at;
}

void TForm16::frameMouseMove(ImageView& frame, QPoint at) {
    if (dragging)
        setFramePosition(frame, draggedPosition(framePosition(frame), dragAnchor, at));
}

void TForm16::frameMouseUp() {
    dragging = false;
}

QPoint TForm16::framePosition(const ImageView& frame) const {
    return frame.pos() - scrollPosition();
}

void TForm16::setFramePosition(ImageView& frame, QPoint inView) {
    frame.move(inView + scrollPosition());
    // The content only grows: shrinking it under a dragged frame would scroll the view away.
    const QRect extent = frame.geometry();
    content_->resize(content_->size().expandedTo(QSize(extent.right() + 1, extent.bottom() + 1)));
}

ImageView* TForm16::frameFor(CoverMode mode) const {
    switch (mode) {
    case CoverMode::CdCover:
        return Image2;
    case CoverMode::FrontCover:
        return Image5;
    case CoverMode::BackCover:
        return Image6;
    case CoverMode::MiniCd:
        break;
    }
    return nullptr;
}

void TForm16::showOnlyFrame(CoverMode mode) {
    for (ImageView* frame : {Image2, Image5, Image6})
        frame->setVisible(frame == frameFor(mode));
    if (ImageView* frame = frameFor(mode))
        setFramePosition(*frame, QPoint(0, 0));
}

QPoint TForm16::scrollPosition() const {
    return {ScrollBox1->horizontalScrollBar()->value(), ScrollBox1->verticalScrollBar()->value()};
}

void TForm16::showEvent(QShowEvent* event) {
    const QRect owner = parentWidget()->frameGeometry();
    move(owner.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    FixedDialog::showEvent(event);
}

bool TForm16::eventFilter(QObject* watched, QEvent* event) {
    ImageView* frame = nullptr;
    for (ImageView* candidate : {Image2, Image5, Image6})
        if (watched == candidate)
            frame = candidate;
    if (!frame)
        return FixedDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        frameMouseDown(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    case QEvent::MouseMove:
        frameMouseMove(*frame, static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    case QEvent::MouseButtonRelease:
        frameMouseUp();
        return true;
    default:
        return FixedDialog::eventFilter(watched, event);
    }
}
