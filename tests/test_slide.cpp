// The Slide window: the piece it cuts, its frame artwork and the window driven through its handlers.
#include "decor/slideframes.h"
#include "decor/slidepiece.h"
#include "decor/tform16.h"
#include "platform/qt/imageview.h"
#include "support/programfixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <functional>

namespace {

// Every pixel tells where it came from: red and green the low bits of x and y, blue the high ones.
QRgb coordinateColour(int x, int y) {
    return qRgb(x & 255, y & 255, ((x >> 8) << 4) | (y >> 8));
}

QImage coordinatePicture(int width, int height, QImage::Format format = QImage::Format_BGR888) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, coordinateColour(x, y));
    return image.convertToFormat(format);
}

TEST(SlidePiece, CopiesPixelForPixelAndIsWhiteBeyondEachEdge) {
    const QRgb white = qRgb(255, 255, 255);
    for (const QImage::Format format : {QImage::Format_BGR888, QImage::Format_RGB32, QImage::Format_ARGB32,
                                        QImage::Format_RGB16, QImage::Format_Grayscale8}) {
        SCOPED_TRACE(format);
        const QImage source = coordinatePicture(37, 23, format); // odd width: padded rows
        const QRect rect(-3, -2, 45, 30);                        // past all four edges
        const QImage piece = slidePiece(source, rect);
        ASSERT_EQ(piece.size(), rect.size());
        ASSERT_EQ(piece.format(), QImage::Format_BGR888);
        for (int y = 0; y < rect.height(); ++y)
            for (int x = 0; x < rect.width(); ++x) {
                const QPoint from = rect.topLeft() + QPoint(x, y);
                const QRgb expected = source.rect().contains(from) ? source.pixel(from) : white;
                ASSERT_EQ(piece.pixel(x, y), expected) << x << "," << y;
            }
    }
    const QImage source = coordinatePicture(37, 23);
    const QImage piece = slidePiece(source, QRect(-3, -2, 45, 30));
    EXPECT_EQ(piece.pixel(2, 1), white);
    EXPECT_EQ(piece.pixel(3, 2), coordinateColour(0, 0));
    EXPECT_EQ(piece.pixel(39, 24), coordinateColour(36, 22));
    EXPECT_EQ(piece.pixel(40, 24), white);
    EXPECT_EQ(piece.pixel(39, 25), white);
    EXPECT_TRUE(slidePiece(source, QRect(0, 0, 0, 5)).isNull());
}

TEST(SlideDrag, FollowsTheMouseAndStopsOnlyAtTheViewCorner) {
    const struct {
        QPoint frame, anchor, mouse, expected;
    } cases[] = {
        {{100, 100}, {20, 20}, {50, -5}, {130, 75}},      {{10, 100}, {20, 20}, {-30, 30}, {0, 110}},
        {{100, 10}, {20, 20}, {30, -30}, {110, 0}},       {{0, 0}, {5, 5}, {-500, -900}, {0, 0}},
        {{900, 800}, {0, 0}, {4000, 3000}, {4900, 3800}}, // nothing bounds the right or bottom
    };
    for (const auto& c : cases)
        EXPECT_EQ(draggedPosition(c.frame, c.anchor, c.mouse), c.expected)
            << c.mouse.x() << "," << c.mouse.y();
}

bool isRed(QColor c) {
    return c.alpha() > 200 && c.red() > 200 && c.green() < 60 && c.blue() < 60;
}
bool isYellow(QColor c) {
    return c.alpha() > 200 && c.red() > 200 && c.green() > 200 && c.blue() < 60;
}

TEST(SlideFrame, RedOutlineAlongTheSidesClearInsideLetteringInTheMiddle) {
    const struct {
        CoverMode mode;
        QSize size;
        bool roundOutline;
    } cases[] = {{CoverMode::CdCover, {450, 450}, true},
                 {CoverMode::FrontCover, {450, 450}, false},
                 {CoverMode::BackCover, {505, 410}, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(modeInfo(c.mode).statusText);
        const QImage frame = slideFrame(c.mode);
        ASSERT_EQ(frame.size(), c.size);
        const int w = c.size.width(), h = c.size.height();
        for (const QPoint side :
             {QPoint(w / 2, 1), QPoint(w / 2, h - 2), QPoint(1, h / 2), QPoint(w - 2, h / 2)})
            EXPECT_TRUE(isRed(frame.pixelColor(side))) << side.x() << "," << side.y();
        EXPECT_EQ(isRed(frame.pixelColor(0, 0)), !c.roundOutline);
        EXPECT_EQ(frame.pixelColor(0, 0).alpha() == 0, c.roundOutline);
        EXPECT_EQ(frame.pixelColor(40, 40).alpha(), 0);
        EXPECT_EQ(frame.pixelColor(w / 2, 60).alpha(), 0);
        EXPECT_TRUE(isRed(frame.pixelColor(w / 2, h / 2)) || isYellow(frame.pixelColor(w / 2, h / 2)));

        // The lettering gathers round the middle: on a ring for the disc, on two lines of which
        // the second is the longer for the others.
        int yellow = 0, upperReach = 0, lowerReach = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (isYellow(frame.pixelColor(x, y))) {
                    ++yellow;
                    const QPoint off(x - w / 2, y - h / 2);
                    EXPECT_LT(off.manhattanLength(), c.roundOutline ? 90 : 140) << x << "," << y;
                    int& reach = off.y() < 0 ? upperReach : lowerReach;
                    reach = std::max(reach, std::abs(off.x()));
                }
        EXPECT_GT(yellow, 300);
        if (c.roundOutline)
            EXPECT_TRUE(isRed(frame.pixelColor(w / 2 + 10, h / 2 - 10))) << "no lettering at the very centre";
        else
            EXPECT_GT(lowerReach, upperReach + 20);
    }
    EXPECT_TRUE(slideFrame(CoverMode::MiniCd).isNull());
}

class Slide : public ProgramTest {
protected:
    TForm16& slide() { return *program->Form16; }
    QScrollBar& across() { return *slide().ScrollBox1->horizontalScrollBar(); }
    QScrollBar& down() { return *slide().ScrollBox1->verticalScrollBar(); }

    // Shown without blocking, so the scroll bars get their ranges.
    void open(CoverMode mode, const QImage& picture) {
        slide().prepareFor(mode, Picture(picture));
        slide().show();
        QApplication::processEvents();
    }
    void mouse(QWidget& target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, at, target.mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(&target, &event);
    }
};

TEST_F(Slide, PreparingEnablesOneModeButtonAndShowsOneFrameAtTheCorner) {
    start();
    const QImage picture = coordinatePicture(1200, 900);
    open(CoverMode::FrontCover, picture);
    across().setValue(150);
    slide().setFramePosition(*slide().Image5, {30, 40});
    slide().SpeedButton4Click();
    const struct {
        CoverMode mode;
        QToolButton* button;
        ImageView* frame;
    } cases[] = {{CoverMode::CdCover, slide().SpeedButton2, slide().Image2},
                 {CoverMode::BackCover, slide().SpeedButton5, slide().Image6},
                 {CoverMode::FrontCover, slide().SpeedButton3, slide().Image5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(modeInfo(c.mode).statusText);
        EXPECT_EQ(slide().Image5->pos(), QPoint(180, 40)) << "kept over the picture while another mode opens";
        open(c.mode, picture);
        for (QToolButton* button : {slide().SpeedButton2, slide().SpeedButton3, slide().SpeedButton5})
            EXPECT_EQ(button->isEnabled(), button == c.button) << button->text().toStdString();
        for (ImageView* frame : {slide().Image2, slide().Image5, slide().Image6})
            EXPECT_EQ(frame->isVisible(), frame == c.frame) << frame->objectName().toStdString();
        EXPECT_EQ(c.frame->mapTo(slide().ScrollBox1->viewport(), QPoint(0, 0)), QPoint(0, 0));
        EXPECT_EQ(slide().Image1->picture().bitmap(), picture);
        if (c.mode != CoverMode::FrontCover)
            slide().SpeedButton4Click();
    }
    // A mode button puts its frame back at the corner too.
    slide().setFramePosition(*slide().Image5, {80, 90});
    slide().SpeedButton3Click();
    EXPECT_EQ(slide().framePosition(*slide().Image5), QPoint(0, 0));
}

TEST_F(Slide, FrameIsDrawnOverThePictureWhichShowsThroughAroundIt) {
    start();
    open(CoverMode::FrontCover, solidPicture(900, 800, QColor(0, 0, 255)));
    slide().setFramePosition(*slide().Image5, {30, 40});
    const QImage view = slide().ScrollBox1->viewport()->grab().toImage();
    EXPECT_EQ(view.pixelColor(30 + 225, 40 + 1), QColor(Qt::red));
    EXPECT_EQ(view.pixelColor(30 + 100, 40 + 100), QColor(Qt::blue)) << "inside the outline";
    EXPECT_EQ(view.pixelColor(10, 10), QColor(Qt::blue)) << "outside the frame";
}

TEST_F(Slide, ModifyTakesThePieceUnderTheFrameWhateverTheScrolling) {
    start();
    form().document().slotResized[0] = true;
    const QImage picture = coordinatePicture(1200, 900);
    open(CoverMode::CdCover, picture);
    across().setValue(100);
    down().setValue(40);
    ASSERT_EQ(QPoint(across().value(), down().value()), QPoint(100, 40));
    slide().setFramePosition(*slide().Image2, {10, 20});

    slide().SpeedButton1Click();
    EXPECT_EQ(form().document().slotPicture[0].bitmap(), picture.copy(110, 60, 450, 450));
    EXPECT_FALSE(slide().isVisible());
    EXPECT_EQ(slide().result(), QDialog::Accepted);
    EXPECT_TRUE(slide().Image1->picture().isEmpty());
}

TEST_F(Slide, ModifyInBackCoverTakesARectangleWhiteBeyondThePicture) {
    start();
    form().document().slotCode = 3;
    form().document().slotResized[4] = true;
    open(CoverMode::BackCover, coordinatePicture(640, 500));
    slide().setFramePosition(*slide().Image6, {200, 150});

    slide().SpeedButton1Click();
    const QImage& piece = form().document().slotPicture[4].bitmap();
    ASSERT_EQ(piece.size(), QSize(505, 410));
    EXPECT_EQ(piece.pixel(0, 0), coordinateColour(200, 150));
    EXPECT_EQ(piece.pixel(439, 349), coordinateColour(639, 499));
    EXPECT_EQ(piece.pixel(440, 100), qRgb(255, 255, 255));
    EXPECT_EQ(piece.pixel(100, 350), qRgb(255, 255, 255));
}

TEST_F(Slide, ModifyInMiniCdOnlyEmptiesTheWorkPicture) {
    start();
    form().document().slotCode = 4;
    form().document().slotPicture[6] = Picture(solidPicture(300, 300, Qt::blue));
    open(CoverMode::CdCover, coordinatePicture(600, 600));
    slide().SpeedButton1Click();
    EXPECT_TRUE(slide().Image1->picture().isEmpty());
    EXPECT_EQ(form().document().slotPicture[6].bitmap(), solidPicture(300, 300, Qt::blue));
    EXPECT_TRUE(slide().isVisible());
}

TEST_F(Slide, DraggingStopsAtTheViewCornerAndGrowsTheContentPastThePicture) {
    start();
    open(CoverMode::BackCover, coordinatePicture(1200, 900));
    across().setValue(100);
    down().setValue(40);
    ImageView& frame = *slide().Image6;
    slide().setFramePosition(frame, {100, 100});

    mouse(frame, QEvent::MouseButtonPress, {20, 30}, Qt::RightButton, Qt::RightButton);
    mouse(frame, QEvent::MouseMove, {50, 40}, Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(slide().framePosition(frame), QPoint(130, 110));
    mouse(frame, QEvent::MouseMove, {-380, -270}, Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(slide().framePosition(frame), QPoint(0, 0));
    EXPECT_EQ(frame.pos(), QPoint(100, 40)) << "the view's corner over the scrolled picture";
    mouse(frame, QEvent::MouseMove, {20 + 900, 30 + 700}, Qt::NoButton, Qt::RightButton);
    mouse(frame, QEvent::MouseButtonRelease, {0, 0}, Qt::RightButton, Qt::NoButton);
    EXPECT_FALSE(slide().dragging);
    mouse(frame, QEvent::MouseMove, {200, 200}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(slide().framePosition(frame), QPoint(900, 700)) << "released: the frame stays";
    const QSize view = slide().ScrollBox1->viewport()->size();
    EXPECT_EQ(across().maximum(), 100 + 900 + 505 - view.width());
    EXPECT_EQ(down().maximum(), 40 + 700 + 410 - view.height());
}

TEST_F(Slide, ExitEscapeAndTheCloseButtonChangeNothing) {
    start();
    const QImage before = form().document().slotPicture[0].bitmap();
    for (const auto& leave : std::initializer_list<std::function<void(TForm16&)>>{
             [](TForm16& w) { w.SpeedButton4Click(); }, [](TForm16& w) { w.close(); },
             [](TForm16& w) { QTest::keyClick(w.SpeedButton1, Qt::Key_Escape); }}) {
        open(CoverMode::CdCover, coordinatePicture(800, 700));
        slide().setResult(-1);
        leave(slide());
        EXPECT_FALSE(slide().isVisible());
        EXPECT_EQ(slide().result(), QDialog::Rejected);
        EXPECT_EQ(form().document().slotPicture[0].bitmap(), before);
    }
}

TEST_F(Slide, TabVisitsTheEnabledButtonsAndTheFrameAndEnterPressesTheFocusedButton) {
    start();
    open(CoverMode::FrontCover, coordinatePicture(800, 700));
    slide().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&slide()));
    slide().SpeedButton1->setFocus();
    QStringList visited;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited.join(' ').toStdString(), "SpeedButton3 SpeedButton4 Image5 SpeedButton1 SpeedButton3");
    slide().SpeedButton4->setFocus();
    QTest::keyClick(slide().SpeedButton4, Qt::Key_Return);
    EXPECT_FALSE(slide().isVisible());
}

TEST_F(Slide, OpensCentredOnTheMainWindowEvenAfterBeingMoved) {
    start();
    for (int opening = 0; opening < 2; ++opening) {
        open(CoverMode::CdCover, coordinatePicture(800, 700));
        const QPoint offset = slide().frameGeometry().center() - form().frameGeometry().center();
        EXPECT_LE(offset.manhattanLength(), 2) << "opening " << opening;
        slide().move(slide().pos() + QPoint(150, 90));
        slide().SpeedButton4Click();
    }
}

} // namespace
