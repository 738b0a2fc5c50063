// The floating text and the text bar through the main window's controls, with real mouse and key
// events on the shown window.
#include "app/clientarea.h"
#include "platform/qt/qtinteraction.h"
#include "platform/qt/statuspanels.h"
#include "support/slotfixture.h"
#include "text/floatingtext.h"
#include "text/textbarplaces.h"

#include <QAccessible>
#include <QColorDialog>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace {
class FloatingLabel : public SlotTest {
protected:
    QLabel& label() { return control<QLabel>(form(), "floatinglabel"); }
    bool shown(QWidget* control) { return control->isVisibleTo(&form()); }
    void showWindow() {
        form().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
        QApplication::setActiveWindow(&form());
    }
    // Mouse events go through the window, so they find their control as a real pointer does.
    void mouse(QTest::MouseAction action, QWidget* control, QPoint at,
               Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseEvent(action, form().windowHandle(), button, {}, control->mapTo(&form(), at));
    }
    // An event straight to the label, as the pointer gives it while a button is held, past the
    // window's routing.
    void sendToLabel(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, at, label().mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(&label(), &event);
    }
    void ctrl(Qt::Key key, QWidget* to = nullptr) {
        QTest::keyClick(to ? to : &form(), key, Qt::ControlModifier);
    }
    void okWith(const QString& caption, const TextStamp& font) {
        doubleClick(control<QLabel>(form(), "floatinglabel"));
        control<QLineEdit>(form(), "Edition").setText(caption);
        giveStampFont(control<QLineEdit>(form(), "Edition"), font);
        control<QToolButton>(form(), "SpeedButton18").click();
    }
};
using TextBar = FloatingLabel;
using FloatingStamp = FloatingLabel;

QRect ink(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            box |= image.pixelColor(x, y) == QColor(Qt::white) ? QRect() : QRect(x, y, 1, 1);
    return box;
}

TEST_F(FloatingLabel, TextBarButtonAndKeysShowAndHideIt) {
    start();
    showWindow();
    const int width = label().width(); // 212 pixels for the start-up caption in Arial's metrics
    ASSERT_EQ(width, stampSize(stampOf(label())).width());
    control<QToolButton>(form(), "SpeedButton20").click();
    EXPECT_EQ(label().pos(), QPoint(395 - 50 - width / 2, 240)) << "(239, 240) for 212 pixels";
    EXPECT_TRUE(shown(&label()));
    EXPECT_EQ(form().statusText(4), "Activated");
    control<QToolButton>(form(), "SpeedButton19").click();
    control<QToolButton>(form(), "SpeedButton20").click();
    EXPECT_FALSE(shown(&label()) || shown(&control<QFrame>(form(), "Panel11")) ||
                 shown(&control<QFrame>(form(), "supfloat")) || form().reverseActive());
    EXPECT_EQ(form().statusText(4), "Desactivated");
    EXPECT_EQ(control<StatusPanels>(form(), "StatusBar2").text(1), "Reverse desactivated");

    label().move(300, 200);
    ctrl(Qt::Key_F);
    EXPECT_TRUE(shown(&label()));
    EXPECT_EQ(form().statusText(4), "Activated");
    ctrl(Qt::Key_H);
    EXPECT_EQ(form().statusText(4), "Desactivated");
    control<QAction>(form(), "FloatingtextBarredetexteflottante1").trigger();
    control<QAction>(form(), "HidetextareaCacherlazonedetexte1").trigger(); // the floating text's own menu
    EXPECT_FALSE(shown(&label()));
    EXPECT_EQ(label().pos(), QPoint(300, 200));
}

TEST_F(FloatingLabel, DragStopsAtTop65AndLeft0AndNeverSticks) {
    start();
    showWindow();
    control<QToolButton>(form(), "SpeedButton20").click();
    const QPoint home = label().pos();
    mouse(QTest::MousePress, &label(), {10, 5});
    mouse(QTest::MouseMove, &label(), {30, 15});
    EXPECT_EQ(label().pos(), home + QPoint(20, 10));
    mouse(QTest::MouseMove, &label(), {-900, -900});
    EXPECT_EQ(label().pos(), QPoint(0, 65));
    mouse(QTest::MouseRelease, &label(), {10, 5});

    mouse(QTest::MousePress, &label(), {10, 5}, Qt::RightButton);
    EXPECT_TRUE(control<QMenu>(form(), "PopupMenu1").isVisible());
    sendToLabel(QEvent::MouseMove, {40, 8}, Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(label().pos(), QPoint(0, 65)) << "a right press starts no drag";
    mouse(QTest::MouseRelease, &label(), {10, 5}, Qt::RightButton);
    control<QMenu>(form(), "PopupMenu1").hide();
    // A press whose release went elsewhere: the next move without a button ends the drag.
    sendToLabel(QEvent::MouseButtonPress, {10, 5}, Qt::LeftButton, Qt::LeftButton);
    mouse(QTest::MouseMove, &label(), {40, 8});
    EXPECT_EQ(label().pos(), QPoint(0, 65));
    sendToLabel(QEvent::MouseMove, {40, 8}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(label().pos(), QPoint(0, 65)) << "the drag stays ended";
}

TEST_F(TextBar, OpensFromTheLabelAndTheMarkerWithItsFontAndText) {
    start();
    showWindow();
    const TextStamp font{.family = "Liberation Serif", .pointSize = 20, .bold = false, .colour = Qt::red};
    okWith("Hello", font);
    mouse(QTest::MouseDClick, &label(), {4, 4});
    EXPECT_EQ(control<QFrame>(form(), "supfloat").pos(), QPoint(1, 68));
    EXPECT_FALSE(shown(&label()) || shown(&control<QFrame>(form(), "Panel11")));
    EXPECT_EQ(stampFontOf(control<QLineEdit>(form(), "Edition")), font);
    EXPECT_EQ(control<QLineEdit>(form(), "Edition").text(), "Hello");
    EXPECT_EQ(control<QComboBox>(form(), "Combofonte").currentIndex(), 1);
    EXPECT_EQ(control<QComboBox>(form(), "combotaillefonte").currentText(), "12");

    control<QToolButton>(form(), "SpeedButton21").click();
    control<QFrame>(form(), "Panel11").show();
    control<ClientArea>(form(), "client").grab(); // a paint stands the marker on the label
    mouse(QTest::MouseDClick, &control<QFrame>(form(), "Panel11"), {4, 4});
    EXPECT_EQ(control<QFrame>(form(), "supfloat").pos(), QPoint(268, 221));
    EXPECT_FALSE(shown(&label()) || shown(&control<QFrame>(form(), "Panel11")));
}

TEST_F(TextBar, StartUpFontBoldSizeListAndNames) {
    start();
    const QFont startUp = control<QLineEdit>(form(), "Edition").font();
    EXPECT_EQ(startUp.family() + QString::number(startUp.pointSize()), "Arial12");
    EXPECT_TRUE(startUp.bold() && !startUp.italic());
    control<QToolButton>(form(), "SpeedButton16").click();
    EXPECT_FALSE(control<QLineEdit>(form(), "Edition").font().bold());
    control<QToolButton>(form(), "SpeedButton16").click();
    EXPECT_TRUE(control<QLineEdit>(form(), "Edition").font().bold());
    QTest::keyClick(&control<QComboBox>(form(), "combotaillefonte"),
                    Qt::Key_End); // a choice of the user's: "340"
    EXPECT_EQ(control<QLineEdit>(form(), "Edition").font().pointSize(), 340);
    for (QWidget* control : control<QFrame>(form(), "supfloat").findChildren<QWidget*>()) {
        if (control->focusPolicy() != Qt::NoFocus) {
            EXPECT_NE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name), "");
        }
    }
}

// Through the real colour dialog: it opens on the colour last chosen in it, not the text's.
TEST_F(TextBar, ColourDialogOpensOnTheLastColourChosen) {
    QtInteraction desktop;
    Orbalin real(ProgramContext{folder.path(), desktop, printer, 0});
    QLineEdit& edition = control<QLineEdit>(*real.Form15, "Edition");
    QColor openedOn;
    const auto answer = [&](std::optional<QColor> choice) {
        QTimer::singleShot(0, [&openedOn, choice] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            openedOn = dialog->currentColor();
            dialog->setCurrentColor(choice.value_or(Qt::yellow));
            choice ? dialog->accept() : dialog->reject();
        });
        control<QToolButton>(*real.Form15, "SpeedButton17").click();
    };
    answer(QColor(Qt::red));
    EXPECT_EQ(openedOn, QColor(Qt::black));
    EXPECT_EQ(stampFontOf(edition).colour, QColor(Qt::red));
    giveStampFont(edition, {.colour = Qt::green});
    answer(std::nullopt);
    EXPECT_EQ(openedOn, QColor(Qt::red));
    EXPECT_EQ(stampFontOf(edition).colour, QColor(Qt::green));
}

TEST_F(TextBar, ReverseCancelShowsTheLabelOkStandsTheMarkerOnIt) {
    start();
    doubleClick(control<QLabel>(form(), "floatinglabel"));
    control<QToolButton>(form(), "SpeedButton19").click();
    EXPECT_EQ(control<StatusPanels>(form(), "StatusBar2").text(1), "Reverse Activated");
    control<QToolButton>(form(), "SpeedButton21").click();
    EXPECT_TRUE(shown(&label()));
    EXPECT_FALSE(shown(&control<QFrame>(form(), "Panel11")) || shown(&control<QFrame>(form(), "supfloat")));
    okWith("Turned text", {});
    EXPECT_FALSE(shown(&label()));
    EXPECT_TRUE(shown(&control<QFrame>(form(), "Panel11")));
    control<ClientArea>(form(), "client").grab();
    const QRect text = label().geometry();
    EXPECT_EQ(control<QFrame>(form(), "Panel11").geometry(),
              QRect(text.x(), text.y() - text.width(), text.height(), text.width()));
}

TEST_F(TextBar, GripAndMarkerDrags) {
    start();
    showWindow();
    doubleClick(control<QLabel>(form(), "floatinglabel"));
    mouse(QTest::MousePress, &control<QFrame>(form(), "Panel9"), {10, 40});
    mouse(QTest::MouseMove, &control<QFrame>(form(), "Panel9"), {30, 70});
    EXPECT_EQ(control<QFrame>(form(), "supfloat").pos(), QPoint(21, 98));
    mouse(QTest::MouseMove, &control<QLabel>(form(), "Image5"), {-300, -300});
    EXPECT_EQ(control<QFrame>(form(), "supfloat").pos(), QPoint(0, 0));
    mouse(QTest::MouseRelease, &control<QFrame>(form(), "Panel9"), {10, 40});

    control<QToolButton>(form(), "SpeedButton21").click();
    label().move(200, 300);
    control<QFrame>(form(), "Panel11").show();
    control<ClientArea>(form(), "client").grab();
    const QRect marker = control<QFrame>(form(), "Panel11").geometry();
    // Above the window's top the floating text goes one marker height below the pointer's place,
    // and the paint that follows stands the marker on it again.
    mouse(QTest::MousePress, &control<QFrame>(form(), "Panel11"), {5, 5});
    mouse(QTest::MouseMove, &control<QFrame>(form(), "Panel11"), {5, 5 - marker.y() - 40});
    EXPECT_EQ(label().pos(), QPoint(200, -40 + marker.height()));
    mouse(QTest::MouseRelease, &control<QFrame>(form(), "Panel11"), {5, 5});
    control<ClientArea>(form(), "client").grab();
    EXPECT_EQ(control<QFrame>(form(), "Panel11").geometry(), markerBox(label().geometry()));
}

// On a picture whose file says 300 dpi, with the floating text hidden: the stamp is what the
// label shows, where it stands.
TEST_F(FloatingStamp, LandsAsTheLabelShowsItWhereItStands) {
    start();
    QImage marked = solidPicture(450, 450, Qt::white);
    marked.setDotsPerMeterX(11811);
    marked.setDotsPerMeterY(11811);
    open(bmpFile("marked.bmp", marked));
    slot(0).bitmap().setDotsPerMeterX(11811); // as a reader keeping the file's resolution gives it
    slot(0).bitmap().setDotsPerMeterY(11811);
    showWindow();
    okWith("Stamp 20", {.pointSize = 20, .colour = Qt::blue});
    label().move(form().pictureCorner().x() + 40, form().pictureCorner().y() + 60);
    const QImage shot = label().grab().toImage().convertToFormat(QImage::Format_RGB32);
    ctrl(Qt::Key_H);
    ctrl(Qt::Key_A);

    const QImage stamped = slot(0).bitmap().convertToFormat(QImage::Format_RGB32);
    const QRect under =
        label().geometry().translated(-form().pictureCorner().x(), -form().pictureCorner().y());
    EXPECT_TRUE(under.contains(ink(stamped)));
    EXPECT_EQ(ink(stamped.copy(under)), ink(shot));
    int worst = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            worst = std::max(worst, std::abs(qGray(shot.pixel(x, y)) -
                                             qGray(stamped.pixel(under.topLeft() + QPoint(x, y)))));
    EXPECT_LE(worst, 2);
}

TEST_F(FloatingStamp, ReversedFillsTheMarkersBox) {
    start();
    open(bmpFile("white.bmp", solidPicture(450, 450, Qt::white)));
    doubleClick(control<QLabel>(form(), "floatinglabel"));
    control<QToolButton>(form(), "SpeedButton19").click();
    okWith("Up the side", {.pointSize = 16});
    label().move(form().pictureCorner().x() + 100, form().pictureCorner().y() + 300);
    control<ClientArea>(form(), "client").grab();
    control<QAction>(form(), "ApplyChangesAppliquerleschangements1").trigger();
    const QRect box = control<QFrame>(form(), "Panel11")
                          .geometry()
                          .translated(-form().pictureCorner().x(), -form().pictureCorner().y());
    const QRect stamped = ink(slot(0).bitmap());
    EXPECT_TRUE(box.contains(stamped));
    EXPECT_GT(stamped.height(), box.height() * 3 / 4);
}

TEST_F(FloatingStamp, NothingChangesWithoutAPictureOrACaptionAndCtrlAInTheTextSelects) {
    start();
    showWindow();
    const QImage example = slot(0).bitmap();
    const QByteArray before(reinterpret_cast<const char*>(example.constBits()), example.sizeInBytes());
    ctrl(Qt::Key_A);
    const QImage& after = slot(0).bitmap();
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(after.constBits()), after.sizeInBytes()), before);

    open(bmpFile("white.bmp", solidPicture(450, 450, Qt::white)));
    const QImage white = slot(0).bitmap();
    okWith("", {});
    EXPECT_EQ(label().width(), kEmptyStampWidth);
    ctrl(Qt::Key_A);
    doubleClick(control<QLabel>(form(), "floatinglabel"));
    control<QLineEdit>(form(), "Edition").setText("Some text");
    ctrl(Qt::Key_A, &control<QLineEdit>(form(), "Edition"));
    EXPECT_EQ(control<QLineEdit>(form(), "Edition").selectedText(), "Some text");
    EXPECT_EQ(slot(0).bitmap(), white);
}
} // namespace
