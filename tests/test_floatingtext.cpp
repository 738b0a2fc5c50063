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
    QLabel& label() { return *form().floatinglabel; }
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
    void ctrl(Qt::Key key, QWidget* to = nullptr) {
        QTest::keyClick(to ? to : &form(), key, Qt::ControlModifier);
    }
    void okWith(const QString& caption, const TextStamp& font) {
        form().floatinglabelDblClick();
        form().Edition->setText(caption);
        giveStampFont(*form().Edition, font);
        form().SpeedButton18->click();
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
    form().SpeedButton20->click();
    EXPECT_EQ(label().pos(), QPoint(395 - 50 - width / 2, 240)) << "(239, 240) for 212 pixels";
    EXPECT_TRUE(shown(&label()));
    EXPECT_EQ(form().StatusBar1->text(4), "Activated");
    form().SpeedButton19->click();
    form().SpeedButton20->click();
    EXPECT_FALSE(shown(&label()) || shown(form().Panel11) || shown(form().supfloat) || form().reverseMode);
    EXPECT_EQ(form().StatusBar1->text(4), "Desactivated");
    EXPECT_EQ(form().StatusBar2->text(1), "Reverse desactivated");

    label().move(300, 200);
    ctrl(Qt::Key_F);
    EXPECT_TRUE(shown(&label()));
    EXPECT_EQ(form().StatusBar1->text(4), "Activated");
    ctrl(Qt::Key_H);
    EXPECT_EQ(form().StatusBar1->text(4), "Desactivated");
    form().FloatingtextBarredetexteflottante1->trigger();
    form().HidetextareaCacherlazonedetexte1->trigger(); // the floating text's own menu
    EXPECT_FALSE(shown(&label()));
    EXPECT_EQ(label().pos(), QPoint(300, 200));
}

TEST_F(FloatingLabel, DragStopsAtTop65AndLeft0AndNeverSticks) {
    start();
    showWindow();
    form().SpeedButton20->click();
    const QPoint home = label().pos();
    mouse(QTest::MousePress, &label(), {10, 5});
    mouse(QTest::MouseMove, &label(), {30, 15});
    EXPECT_EQ(label().pos(), home + QPoint(20, 10));
    mouse(QTest::MouseMove, &label(), {-900, -900});
    EXPECT_EQ(label().pos(), QPoint(0, 65));
    mouse(QTest::MouseRelease, &label(), {10, 5});

    mouse(QTest::MousePress, &label(), {10, 5}, Qt::RightButton);
    EXPECT_TRUE(form().PopupMenu1->isVisible());
    EXPECT_FALSE(form().dragging);
    mouse(QTest::MouseRelease, &label(), {10, 5}, Qt::RightButton);
    form().PopupMenu1->hide();
    form().dragging = true; // as after a release that went elsewhere
    mouse(QTest::MouseMove, &label(), {40, 8});
    EXPECT_EQ(label().pos(), QPoint(0, 65));
    EXPECT_FALSE(form().dragging);
}

TEST_F(TextBar, OpensFromTheLabelAndTheMarkerWithItsFontAndText) {
    start();
    showWindow();
    const TextStamp font{.family = "Liberation Serif", .pointSize = 20, .bold = false, .colour = Qt::red};
    okWith("Hello", font);
    mouse(QTest::MouseDClick, &label(), {4, 4});
    EXPECT_EQ(form().supfloat->pos(), QPoint(1, 68));
    EXPECT_FALSE(shown(&label()) || shown(form().Panel11));
    EXPECT_EQ(stampFontOf(*form().Edition), font);
    EXPECT_EQ(form().Edition->text(), "Hello");
    EXPECT_EQ(form().Combofonte->currentIndex(), 1);
    EXPECT_EQ(form().combotaillefonte->currentText(), "12");

    form().SpeedButton21->click();
    form().Panel11->show();
    form().client->grab(); // a paint stands the marker on the label
    mouse(QTest::MouseDClick, form().Panel11, {4, 4});
    EXPECT_EQ(form().supfloat->pos(), QPoint(268, 221));
    EXPECT_FALSE(shown(&label()) || shown(form().Panel11));
}

TEST_F(TextBar, StartUpFontBoldSizeListAndNames) {
    start();
    const QFont startUp = form().Edition->font();
    EXPECT_EQ(startUp.family() + QString::number(startUp.pointSize()), "Arial12");
    EXPECT_TRUE(startUp.bold() && !startUp.italic());
    form().SpeedButton16->click();
    EXPECT_FALSE(form().Edition->font().bold());
    form().SpeedButton16->click();
    EXPECT_TRUE(form().Edition->font().bold());
    QTest::keyClick(form().combotaillefonte, Qt::Key_End); // a choice of the user's: "340"
    EXPECT_EQ(form().Edition->font().pointSize(), 340);
    for (QWidget* control : form().supfloat->findChildren<QWidget*>()) {
        if (control->focusPolicy() != Qt::NoFocus) {
            EXPECT_NE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name), "");
        }
    }
}

// Through the real colour dialog: it opens on the colour last chosen in it, not the text's.
TEST_F(TextBar, ColourDialogOpensOnTheLastColourChosen) {
    QtInteraction desktop;
    Orbalin real(ProgramContext{folder.path(), desktop, printer, 0});
    QLineEdit& edition = *real.Form15->Edition;
    QColor openedOn;
    const auto answer = [&](std::optional<QColor> choice) {
        QTimer::singleShot(0, [&openedOn, choice] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            openedOn = dialog->currentColor();
            dialog->setCurrentColor(choice.value_or(Qt::yellow));
            choice ? dialog->accept() : dialog->reject();
        });
        real.Form15->SpeedButton17->click();
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
    form().floatinglabelDblClick();
    form().SpeedButton19->click();
    EXPECT_EQ(form().StatusBar2->text(1), "Reverse Activated");
    form().SpeedButton21->click();
    EXPECT_TRUE(shown(&label()));
    EXPECT_FALSE(shown(form().Panel11) || shown(form().supfloat));
    okWith("Turned text", {});
    EXPECT_FALSE(shown(&label()));
    EXPECT_TRUE(shown(form().Panel11));
    form().client->grab();
    const QRect text = label().geometry();
    EXPECT_EQ(form().Panel11->geometry(),
              QRect(text.x(), text.y() - text.width(), text.height(), text.width()));
}

TEST_F(TextBar, GripAndMarkerDrags) {
    start();
    showWindow();
    form().floatinglabelDblClick();
    mouse(QTest::MousePress, form().Panel9, {10, 40});
    mouse(QTest::MouseMove, form().Panel9, {30, 70});
    EXPECT_EQ(form().supfloat->pos(), QPoint(21, 98));
    mouse(QTest::MouseMove, form().Image5, {-300, -300});
    EXPECT_EQ(form().supfloat->pos(), QPoint(0, 0));
    mouse(QTest::MouseRelease, form().Panel9, {10, 40});

    form().SpeedButton21->click();
    label().move(200, 300);
    form().Panel11->show();
    form().client->grab();
    const QRect marker = form().Panel11->geometry();
    // Above the window's top the floating text goes one marker height below the pointer's place,
    // and the paint that follows stands the marker on it again.
    mouse(QTest::MousePress, form().Panel11, {5, 5});
    mouse(QTest::MouseMove, form().Panel11, {5, 5 - marker.y() - 40});
    EXPECT_EQ(label().pos(), QPoint(200, -40 + marker.height()));
    mouse(QTest::MouseRelease, form().Panel11, {5, 5});
    form().client->grab();
    EXPECT_EQ(form().Panel11->geometry(), markerBox(label().geometry()));
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
    label().move(form().pictureLeft + 40, form().pictureTop + 60);
    const QImage shot = label().grab().toImage().convertToFormat(QImage::Format_RGB32);
    ctrl(Qt::Key_H);
    ctrl(Qt::Key_A);

    const QImage stamped = slot(0).bitmap().convertToFormat(QImage::Format_RGB32);
    const QRect under = label().geometry().translated(-form().pictureLeft, -form().pictureTop);
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
    form().floatinglabelDblClick();
    form().SpeedButton19->click();
    okWith("Up the side", {.pointSize = 16});
    label().move(form().pictureLeft + 100, form().pictureTop + 300);
    form().client->grab();
    form().ApplyChangesAppliquerleschangements1->trigger();
    const QRect box = form().Panel11->geometry().translated(-form().pictureLeft, -form().pictureTop);
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
    form().floatinglabelDblClick();
    form().Edition->setText("Some text");
    ctrl(Qt::Key_A, form().Edition);
    EXPECT_EQ(form().Edition->selectedText(), "Some text");
    EXPECT_EQ(slot(0).bitmap(), white);
}
} // namespace
