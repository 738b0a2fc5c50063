// Every window the program shows can be left through its own controls, in a real modal loop.
#include "app/tform1.h"
#include "cover/coverdocument.h"
#include "doubles/fakemainwindow.h"
#include "print/tform19.h"
#include "support/programfixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

// Ways out of a window other than a button's name.
const char* const kEscape = "";
const char* const kEnter = "<Enter>";
const char* const kCloseBox = "<close box>";

class Windows : public ProgramTest {
protected:
    // Runs `show`, which blocks while the window is modal, and leaves the window by pressing its
    // control `exit` (or Escape, Enter or the close box) once it is up, after running `first`. False
    // when the window could not be left: a watchdog closes it then, so the test fails instead of
    // hanging.
    bool leaves(const QString& windowName, const QString& exit, const std::function<void()>& show,
                const std::function<void()>& first = {}) {
        auto* window = form().findChild<QDialog*>(windowName);
        if (window == nullptr) {
            ADD_FAILURE() << "no window " << windowName.toStdString();
            return false;
        }
        bool pressed = false;
        bool stuck = false;
        QTimer user;
        user.setInterval(10);
        QObject::connect(&user, &QTimer::timeout, [&] {
            if (pressed || QApplication::activeModalWidget() != window)
                return;
            pressed = true;
            if (first)
                first();
            if (exit == kEscape)
                QTest::keyClick(window, Qt::Key_Escape);
            else if (exit == kEnter)
                QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, Qt::Key_Return);
            else if (exit == kCloseBox)
                window->close();
            else if (auto* button = window->findChild<QAbstractButton*>(exit))
                button->click();
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            stuck = window->isVisible();
            window->done(QDialog::Rejected);
        });
        user.start();
        watchdog.start(3000);
        show();
        return pressed && !stuck && !window->isVisible();
    }
};

TEST_F(Windows, EveryWindowOpenedFromTheMainWindowCanBeLeft) {
    start();
    ui.realModalWindows = true;
    const struct {
        QAbstractButton* opener;
        const char* window;
        const char* exit;
    } opened[] = {
        {&control<QToolButton>(form(), "SpeedButton7"), "Form17", "SpeedButton9"},
        {&control<QToolButton>(form(), "SpeedButton10"), "Form3", "SpeedButton1"},
        {&control<QToolButton>(form(), "SpeedButton23"), "Form7", "SpeedButton3"},
        {&control<QToolButton>(form(), "SpeedButton25"), "FLibrary", "SpeedButton2"},
        {&control<QToolButton>(form(), "SpeedButton11"), "Form19", "SpeedButton1"},
        {&control<QToolButton>(form(), "SpeedButton13"), "Form18", "SpeedButton2"},
        {&control<QToolButton>(form(), "SpeedButton24"), "Form5", "BitBtn1"},
    };
    for (const auto& each : opened)
        EXPECT_TRUE(leaves(each.window, each.exit, [&] { each.opener->click(); })) << each.window;
}

TEST_F(Windows, WindowsOpenedOnTheWayCanBeLeft) {
    start();
    const struct {
        const char* window;
        const char* exit;
    } windows[] = {
        {"Form1", "SpeedButton1"}, {"Form16", "SpeedButton4"}, {"Form16", kEscape},  {"Form2", "BitBtn1"},
        {"Form5", kEnter},         {"Form20", kCloseBox},      {"Form4", "Button1"},
    };
    for (const auto& each : windows) {
        auto* window = form().findChild<QDialog*>(each.window);
        ASSERT_NE(window, nullptr) << each.window;
        EXPECT_TRUE(leaves(each.window, each.exit, [window] { window->exec(); }))
            << each.window << " by " << (*each.exit ? each.exit : "Escape");
    }
}

// Escape is each window's Cancel or Close: the insert, the language and the files stay. Calibrate
// also gives back the true size its Default put in use.
TEST_F(Windows, EscapeLeavesEveryWindowChangingNothing) {
    const QByteArray saved = "0.30\r\n0.40\r\n0.50\r\n15.00\r\n1000\r\n1000\r\n";
    folder.write(QStringLiteral("Cd_cfg.ini"), saved);
    start();
    ui.realModalWindows = true;
    const QByteArray config = folder.read(QStringLiteral("config.obn"));
    const CoverDocument& document = form().document();
    const CalibrationTexts calibration = document.calibrationText;
    const auto click = [this](const char* button) {
        return [this, button] { control<QToolButton>(form(), button).click(); };
    };
    TForm19& calibrate = *program->Form19;
    QString sizeAfterDefault;
    EXPECT_TRUE(leaves("Form19", kEscape, click("SpeedButton11"), [&] {
        calibrate.Edit1->setText(QStringLiteral("3.00"));
        calibrate.SpeedButton3->click();
        sizeAfterDefault = document.calibrationText[4];
    }));
    EXPECT_NE(sizeAfterDefault, "1000") << "Default changed nothing to give back";
    EXPECT_EQ(document.calibrationText, calibration);
    EXPECT_EQ(folder.read(QStringLiteral("Cd_cfg.ini")), saved);

    const std::pair<const char*, std::function<void()>> windows[] = {
        {"Form1", [this] { program->Form1->exec(); }},
        {"Form17", click("SpeedButton7")},
        {"Form5", click("SpeedButton24")},
        {"Form18", click("SpeedButton13")},
        {"FLibrary", click("SpeedButton25")},
        {"Form7", click("SpeedButton23")},
        {"Form4", [this] { control<QAction>(form(), "German1").trigger(); }},
        {"Form3",
         [this, click] { control<QAction>(form(), "Backcover1").trigger(), click("SpeedButton10")(); }},
    };
    for (const auto& [window, show] : windows)
        EXPECT_TRUE(leaves(window, kEscape, show)) << window;
    EXPECT_EQ(form().statusText(3), "Back Cover");
    EXPECT_EQ(control<QToolButton>(form(), "SpeedButton1").text(), "Open");
    EXPECT_EQ(folder.read(QStringLiteral("config.obn")), config);
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().join('\n').toStdString();
}

TEST_F(Windows, TheScriptedStandInTellsAWindowLeftOpen) {
    start();
    ui.modalActions.push_back([](QDialog&) {});
    control<QToolButton>(form(), "SpeedButton7").click();
    ui.modalActions.push_back(
        [](QDialog& window) { window.findChild<QAbstractButton*>("SpeedButton3")->click(); });
    control<QToolButton>(form(), "SpeedButton23").click();
    EXPECT_EQ(ui.leftOpenWindows(), QStringList{"Form17"});
}

TEST(WindowAlone, CalibrateSavesWhatItWasPreparedWithForItsMode) {
    const ProgramFolder folder;
    FakeMainWindow main;
    main.doc.programFolder = main.doc.ownFolder = folder.path();
    ScriptedInteraction ui;
    TestPrinter printer{TestPrinter::dpi600Letter()};
    QWidget owner;
    TForm19 window(&owner, WindowServices{main, ui, printer});
    window.prepareFor(CoverMode::BackCover, {"1.00", "2.00", "3.00", "4.00", "3500", "2800"});
    window.SpeedButton1->click();
    EXPECT_EQ(folder.read("Back_cfg.ini"), "1.00\r\n2.00\r\n3.00\r\n4.00\r\n3500\r\n2800\r\n");
    EXPECT_EQ(main.doc.calibrationText, (CalibrationTexts{"1.00", "2.00", "3.00", "4.00", "3500", "2800"}));
    EXPECT_FALSE(folder.exists("Cd_cfg.ini"));
    EXPECT_TRUE(main.asked.isEmpty());
}

} // namespace
