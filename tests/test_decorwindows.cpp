// The decoration windows driven through the main window: Gradient, Effects, Add and Insert Pict.,
// Gallery and Labels.
#include "about/tform2.h"
#include "decor/galleryart.h"
#include "decor/gradient.h"
#include "decor/quarterturn.h"
#include "decor/tflibrary.h"
#include "decor/tform18.h"
#include "decor/tform3.h"
#include "decor/tform7.h"
#include "platform/qt/imageview.h"
#include "platform/qt/statuspanels.h"
#include "support/bmpfiles.h"
#include "support/jpegwriter.h"
#include "support/slotfixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>

namespace {

class Decoration : public SlotTest {
protected:
    TForm18& gradient() { return *program->Form18; }
    ImageView& added() { return control<ImageView>(form(), "MyPicture"); }

    // Opens the Gradient window and runs `inside` while it is up.
    void inGradientWindow(std::function<void(TForm18&)> inside) {
        ui.modalActions.push_back([this, inside](QDialog&) { inside(gradient()); });
        control<QToolButton>(form(), "SpeedButton13").click();
    }

    // Shows the window in a real modal loop through `opener` and presses the named buttons in
    // turn, each once the window is up again. True when every button was pressed and the window
    // closed; a watchdog closes a window left open, so the test fails instead of hanging.
    bool pressInRealWindow(QAbstractButton* opener, QDialog& window, const QStringList& buttons) {
        ui.realModalWindows = true;
        int pressed = 0;
        QTimer user;
        user.setInterval(10);
        QObject::connect(&user, &QTimer::timeout, [&] {
            if (pressed < buttons.size() && QApplication::activeModalWidget() == &window)
                window.findChild<QAbstractButton*>(buttons.at(pressed++))->click();
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&] { window.done(QDialog::Rejected); });
        user.start();
        watchdog.start(3000);
        opener->click();
        ui.realModalWindows = false;
        return pressed == buttons.size() && watchdog.isActive() && !window.isVisible();
    }

    void mouse(QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, at, added().mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(&added(), &event);
    }
    void drag(QPoint from, QPoint to) {
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
        mouse(QEvent::MouseMove, to, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }

    void addPicture(const QString& path) {
        ui.fileAnswers.push_back(FileDialogAnswer{path, 0});
        control<QToolButton>(form(), "SpeedButton15").click();
    }
};

TEST_F(Decoration, GradientRefusesEllipticalOutsideTheCdCover) {
    start();
    form().switchToMode(CoverMode::FrontCover);
    inGradientWindow([](TForm18& window) {
        window.ComboBox5->setCurrentIndex(1);
        window.SpeedButton3->click();
        window.SpeedButton2->click();
    });
    EXPECT_EQ(ui.messages(), QStringList{"not available with Eliptical gradient..."});
    EXPECT_TRUE(std::none_of(ui.calls.begin(), ui.calls.end(),
                             [](const auto& call) { return call.kind == "colour"; }));

    form().switchToMode(CoverMode::MiniCd);
    ui.colourAnswers.push_back(QColor(Qt::green));
    inGradientWindow([&](TForm18& window) {
        EXPECT_EQ(window.size(), QSize(390, 390));
        EXPECT_EQ(window.Image22->size(), QSize(300, 300));
        EXPECT_EQ(window.Bevel1->size(), QSize(301, 301));
        window.SpeedButton4->click();
        window.ComboBox5->setCurrentIndex(1);
        EXPECT_EQ(window.ComboBox5->currentIndex(), 0) << "back to the linear gradient";
        EXPECT_EQ(window.Image22->picture().bitmap(),
                  linearGradient(CoverMode::MiniCd, Qt::black, Qt::green));
        EXPECT_EQ(form().document().gradientState, 1);
        window.SpeedButton2->click();
    });
    EXPECT_EQ(ui.messages().last(), "Not implemented yet with Mini Cd");
    EXPECT_TRUE(ui.leftOpenWindows().isEmpty());
}

TEST_F(Decoration, GradientInsertInAFreshModeOnlyCloses) {
    start();
    form().switchToMode(CoverMode::BackCover);
    inGradientWindow([](TForm18& window) {
        EXPECT_EQ(window.size(), QSize(590, 495));
        EXPECT_EQ(window.Image22->size(), QSize(505, 410));
        window.SpeedButton1->click();
    });
    EXPECT_TRUE(ui.leftOpenWindows().isEmpty());
    EXPECT_FALSE(form().document().slotLoaded[4]);
    EXPECT_TRUE(slot(4).isEmpty());
    EXPECT_FALSE(folder.exists("refresh5.bmp"));
}

TEST_F(Decoration, GradientInsertedIntoFrontCoverIsFittedAndKept) {
    start();
    form().switchToMode(CoverMode::FrontCover);
    // Multiples of 4, which the fit's box filter keeps exactly.
    const QColor red(200, 12, 12), blue(12, 12, 200);
    ui.colourAnswers = {red, blue};
    inGradientWindow([](TForm18& window) {
        window.SpeedButton3->click();
        window.SpeedButton4->click();
        window.SpeedButton1->click();
    });
    EXPECT_TRUE(ui.leftOpenWindows().isEmpty());
    EXPECT_TRUE(form().document().slotLoaded[2]);
    EXPECT_TRUE(form().document().slotResized[2]) << "Resize ran on the gradient";
    ASSERT_EQ(slot(2).bitmap().size(), QSize(450, 450));
    EXPECT_EQ(slot(2).bitmap().pixelColor(200, 0), red);
    EXPECT_EQ(slot(2).bitmap().pixelColor(200, 449), blue);
    EXPECT_EQ(Picture::loadBmp(folder.file("refresh3.bmp")).bitmap(), slot(2).bitmap());
    EXPECT_EQ(form().document().gradientState, 1);

    // Opening again in the same mode shows the gradient still; a mode switch empties it, and the
    // colours stay: choosing only colour 2 draws from the red chosen before.
    inGradientWindow([](TForm18& window) {
        EXPECT_FALSE(window.Image22->picture().isEmpty());
        window.SpeedButton2->click();
    });
    form().switchToMode(CoverMode::CdCover);
    ui.colourAnswers = {QColor(Qt::white)};
    inGradientWindow([&](TForm18& window) {
        EXPECT_TRUE(window.Image22->picture().isEmpty());
        EXPECT_EQ(window.Image22->size(), QSize(450, 450));
        window.ComboBox5->setCurrentIndex(1);
        window.SpeedButton4->click();
        EXPECT_EQ(window.Image22->picture().bitmap(), ellipticalGradient(red, Qt::white));
        window.SpeedButton2->click();
    });
}

TEST_F(Decoration, GradientExitInARealWindowEmptiesThePicture) {
    start();
    ui.colourAnswers.push_back(QColor(Qt::yellow));
    inGradientWindow([](TForm18& window) {
        window.ComboBox5->setCurrentIndex(1);
        window.SpeedButton3->click();
        window.SpeedButton1->click(); // Insert keeps the gradient in the window
    });
    ASSERT_EQ(form().document().gradientState, 1);
    ASSERT_FALSE(gradient().Image22->picture().isEmpty());
    EXPECT_TRUE(
        pressInRealWindow(&control<QToolButton>(form(), "SpeedButton13"), gradient(), {"SpeedButton2"}));
    EXPECT_TRUE(gradient().Image22->picture().isEmpty());
    EXPECT_EQ(gradient().ComboBox5->currentIndex(), 0) << "each opening starts on the linear gradient";
    EXPECT_EQ(form().document().gradientState, 0);
}

// A turn works on the picture as it is shown, and the picture as fitted turns with it, so Clear and
// the text layouts start from the turned picture; a picture switch or a Print before the turn
// changes nothing of that.
TEST_F(Decoration, ATurnTakesThePictureAsShownAndBecomesPartOfWhatClearGivesBack) {
    start();
    const QString photo = bmpFile("photo.bmp", gradientPicture(640, 480));
    const QString logo = bmpFile("logo.bmp", noisePicture(60, 40, 3));
    QImage turnedWithoutSwitch;
    for (bool switchFirst : {false, true}) {
        control<QAction>(form(), "Frontcover1").trigger();
        open(photo, Adjust::Resize);
        const QImage fitted = slot(2).bitmap();
        addPicture(logo);
        added().move(form().pictureCorner() + QPoint(100, 120));
        control<QToolButton>(form(), "SpeedButton22").click();
        const QImage drawn = slot(2).bitmap();
        ASSERT_NE(drawn, fitted);
        if (switchFirst) {
            control<QToolButton>(form(), "SpeedButton9").click();
            control<QToolButton>(form(), "SpeedButton8").click();
        }
        program->Form7->SpeedButton1Click();
        EXPECT_EQ(slot(2).bitmap(), turnedLeft(drawn)) << switchFirst;
        if (!switchFirst)
            turnedWithoutSwitch = slot(2).bitmap();
        else
            EXPECT_EQ(slot(2).bitmap(), turnedWithoutSwitch);

        control<QToolButton>(form(), "SpeedButton5").click(); // Clear
        EXPECT_EQ(slot(2).bitmap(), turnedLeft(fitted)) << switchFirst;
        // Undone, the turn leaves the picture as fitted unturned again.
        control<QAction>(form(), "Undo1").trigger();
        control<QAction>(form(), "Undo1").trigger();
        EXPECT_EQ(slot(2).bitmap(), drawn) << switchFirst;
        control<QToolButton>(form(), "SpeedButton5").click();
        EXPECT_EQ(slot(2).bitmap(), fitted) << switchFirst;
    }

    // The turned picture as fitted cannot be kept: the slot stays as it was, and says why.
    const QImage before = slot(2).bitmap();
    const QString undoBefore = control<QAction>(form(), "Undo1").text();
    folder.remove("refresh3.bmp");
    ASSERT_TRUE(QDir(folder.path()).mkdir("refresh3.bmp"));
    ui.calls.clear();
    program->Form7->SpeedButton1->click();
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages().front().contains("refresh3.bmp")) << ui.messages().front().toStdString();
    EXPECT_EQ(slot(2).bitmap(), before);
    EXPECT_EQ(control<QAction>(form(), "Undo1").text(), undoBefore);
    QDir(folder.path()).rmdir("refresh3.bmp");

    // A picture never fitted (the example), and the Back Cover, are left alone; there the menu
    // item is off too.
    control<QAction>(form(), "Cdcover1").trigger();
    const QImage example = slot(0).bitmap();
    program->Form7->SpeedButton2Click();
    EXPECT_EQ(slot(0).bitmap(), example);
    form().switchToMode(CoverMode::BackCover);
    open(photo, Adjust::Resize);
    const QImage back = slot(4).bitmap();
    program->Form7->SpeedButton1Click();
    EXPECT_EQ(slot(4).bitmap(), back);
    EXPECT_FALSE(control<QAction>(form(), "Effects1").isEnabled());
    form().switchToMode(CoverMode::FrontCover);
    EXPECT_TRUE(control<QAction>(form(), "Effects1").isEnabled());
}

TEST_F(Decoration, EffectsStayOpenAfterATurnInARealWindow) {
    start();
    open(bmpFile("photo.bmp", gradientPicture(640, 480)), Adjust::Resize);
    const QImage fitted = slot(0).bitmap();
    EXPECT_TRUE(pressInRealWindow(&control<QToolButton>(form(), "SpeedButton23"), *program->Form7,
                                  {"SpeedButton1", "SpeedButton3"}));
    EXPECT_EQ(slot(0).bitmap(), turnedLeft(fitted));
}

TEST_F(Decoration, AddPictShowsTheNoticeBeforeTheDialogEvenOnCancel) {
    start();
    const size_t before = ui.calls.size();
    EXPECT_TRUE(
        pressInRealWindow(&control<QToolButton>(form(), "SpeedButton15"), *program->Form2, {"BitBtn1"}));
    ASSERT_EQ(ui.calls.size(), before + 2);
    EXPECT_EQ(ui.calls[before].kind, "modal");
    EXPECT_EQ(ui.calls[before].text, "Form2");
    EXPECT_EQ(ui.calls[before + 1].kind, "open");
    EXPECT_EQ(ui.fileRequests.back().filters, (QStringList{"Tout (*.bmp)", "Bitmap (*.bmp)"}));
    EXPECT_FALSE(added().isVisibleTo(&form()));
}

TEST_F(Decoration, AddPictKeepsThePreviousPictureWhenTheFileIsNoBitmap) {
    start();
    const QImage logo = gradientPicture(40, 30);
    addPicture(bmpFile("logo.bmp", logo));
    EXPECT_TRUE(added().isVisibleTo(&form()));
    EXPECT_EQ(added().pos(), QPoint(0, 200));
    EXPECT_EQ(added().size(), QSize(40, 30));

    control<QAction>(form(), "HidePicture1").trigger();
    addPicture(file("broken.bmp", "BM not a bitmap"));
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages().front().contains("broken.bmp")) << ui.messages().front().toStdString();
    EXPECT_EQ(added().picture().bitmap(), logo);
    EXPECT_FALSE(added().isVisibleTo(&form()));
}

TEST_F(Decoration, AddPictSaysItTakesBmpPicturesOnlyAndOpensRunLengthCodedOnes) {
    start();
    const QString photo = file("photo.jpg", encodeJpeg(gradientPicture(16, 16)));
    addPicture(photo);
    EXPECT_EQ(ui.messages(), QStringList{QStringLiteral("The picture \"%1\" cannot be opened. It is a JPEG "
                                                        "picture; Add Pict. takes BMP pictures only.")
                                             .arg(photo)});
    EXPECT_FALSE(added().isVisibleTo(&form()));

    // 2 × 2, both rows one run of the second colour.
    const QByteArray rle8 =
        ::bmpFile({.width = 2, .height = 2, .bitCount = 8, .compression = 1, .colorsUsed = 2},
                  {qRgb(0, 0, 0), qRgb(10, 200, 30)}, QByteArray("\2\1\0\0\2\1\0\1", 8));
    addPicture(file("small.bmp", rle8));
    EXPECT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(added().isVisibleTo(&form()));
    EXPECT_EQ(added().picture().bitmap().pixel(1, 1), qRgb(10, 200, 30));
}

TEST_F(Decoration, DraggedAddedPictureStopsAtTheCornerAndIsInsertedWhereItStands) {
    start();
    addPicture(bmpFile("square.bmp", gradientPicture(64, 64)));
    drag({30, 30}, {-500, -400});
    EXPECT_EQ(added().pos(), QPoint(0, 0));
    mouse(QEvent::MouseMove, {40, 40}, Qt::LeftButton);
    EXPECT_EQ(added().pos(), QPoint(0, 0)) << "released: a held move no longer drags";

    open(bmpFile("white.bmp", solidPicture(900, 900, Qt::white)), Adjust::Resize);
    const QImage fitted = slot(0).bitmap();
    const QPoint corner = form().pictureCorner();
    drag({0, 0}, corner + QPoint(10, 20));
    ASSERT_EQ(added().pos(), corner + QPoint(10, 20));
    control<QAction>(form(), "HidePicture1").trigger();
    control<QToolButton>(form(), "SpeedButton22").click();
    EXPECT_EQ(slot(0).bitmap().copy(10, 20, 64, 64), gradientPicture(64, 64)) << "inserted while hidden";
    EXPECT_EQ(slot(0).bitmap().pixel(9, 20), fitted.pixel(9, 20));
    EXPECT_EQ(slot(0).bitmap().pixel(74, 84), fitted.pixel(74, 84));

    // An empty slot takes nothing, and the picture is hidden all the same.
    control<QToolButton>(form(), "SpeedButton9").click();
    added().show();
    control<QToolButton>(form(), "SpeedButton22").click();
    EXPECT_TRUE(slot(1).isEmpty());
    EXPECT_FALSE(added().isVisibleTo(&form()));
}

TEST_F(Decoration, GalleryInsertAtOnceGivesTheFirstPictureAndKeepsTheLastChoice) {
    start();
    ui.modalActions.push_back([this](QDialog&) { program->FLibrary->SpeedButton1->click(); });
    control<QToolButton>(form(), "SpeedButton25").click();
    EXPECT_EQ(added().picture().bitmap(), galleryPreview(galleryPictures().front().picture));
    EXPECT_EQ(added().geometry(), QRect(0, 68, 51, 51));
    EXPECT_TRUE(added().isVisibleTo(&form()));

    // Close changes nothing but the preview, which the next opening inserts.
    added().move(200, 200);
    TFLibrary& gallery = *program->FLibrary;
    ASSERT_EQ(gallery.ListView1->count(), 13);
    gallery.ListView1->setCurrentRow(9);
    EXPECT_TRUE(pressInRealWindow(&control<QToolButton>(form(), "SpeedButton25"), gallery, {"SpeedButton2"}));
    EXPECT_EQ(added().pos(), QPoint(200, 200));
    ui.modalActions.push_back([&](QDialog&) { gallery.SpeedButton1->click(); });
    control<QToolButton>(form(), "SpeedButton25").click();
    EXPECT_EQ(added().picture().bitmap(), galleryPreview(galleryPictures().at(9).picture));
    EXPECT_EQ(added().pos(), QPoint(0, 68));
}

// What a mode switch leaves in the main window.
struct MainState {
    QString picture, mode;
    int slotCode;
    CalibrationTexts calibration;
    int dotsX, dotsY;
    QPoint floatingText;
    bool chooser, effects;

    bool operator==(const MainState&) const = default;
};

MainState stateOf(TForm15& main) {
    return {main.statusText(2),
            main.statusText(3),
            main.document().slotCode,
            main.document().calibrationText,
            main.document().coverDotsX,
            main.document().coverDotsY,
            control<QLabel>(main, "floatinglabel").pos(),
            control<QFrame>(main, "Panel1").isVisibleTo(&main),
            control<QAction>(main, "Effects1").isEnabled()};
}

TEST_F(Decoration, LabelsBackCoverLeavesWhatTheMainWindowsBackCoverLeaves) {
    folder.write("Back_cfg.ini", "0.10\r\n0.20\r\n0.30\r\n14.00\r\n3000\r\n2500\r\n");
    start();
    ProgramFolder otherFolder;
    otherFolder.write("Back_cfg.ini", "0.10\r\n0.20\r\n0.30\r\n14.00\r\n3000\r\n2500\r\n");
    ScriptedInteraction otherUi;
    Orbalin other(ProgramContext{otherFolder.path(), otherUi, printer, 0});
    for (Orbalin* each : {program.get(), &other}) {
        control<QToolButton>(*each->Form15, "SpeedButton9").click();
        control<QLabel>(*each->Form15, "floatinglabel").move(300, 300);
    }
    control<QAction>(*other.Form15, "Backcover1").trigger();

    EXPECT_TRUE(
        pressInRealWindow(&control<QToolButton>(form(), "SpeedButton10"), *program->Form3, {"SpeedButton3"}));
    EXPECT_EQ(form().statusText(3), "Back Cover");
    EXPECT_EQ(stateOf(form()), stateOf(*other.Form15));
    EXPECT_EQ(form().document().calibrationText[4], "3000");
}

TEST_F(Decoration, EachLabelsButtonSwitchesToItsMode) {
    start();
    TForm3& labels = *program->Form3;
    const struct {
        QAbstractButton* button;
        const char* mode;
    } buttons[] = {{labels.SpeedButton2, "Front Cover"},
                   {labels.SpeedButton4, "Mini Cd"},
                   {labels.SpeedButton1, "Cd Cover"}};
    for (const auto& each : buttons) {
        ui.modalActions.push_back([&](QDialog&) { each.button->click(); });
        control<QToolButton>(form(), "SpeedButton10").click();
        EXPECT_EQ(form().statusText(3), each.mode);
    }
    EXPECT_TRUE(ui.leftOpenWindows().isEmpty());
}

} // namespace
