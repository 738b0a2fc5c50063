// The platform layer: the error dispatch, the scripted dialogs and fixed windows.
#include "doubles/scriptedinteraction.h"
#include "doubles/testprinter.h"
#include "platform/orbalinerror.h"
#include "platform/qt/application.h"
#include "platform/qt/fixeddialog.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
class ErrorDispatch : public ::testing::Test {
protected:
    void SetUp() override {
        OrbalinApplication::setErrorReporter([this](const QString& message) { reported << message; });
    }
    void TearDown() override { OrbalinApplication::setErrorReporter(nullptr); }
    QStringList reported;
};

TEST_F(ErrorDispatch, AHandlerThatThrowsIsReportedAndTheLoopGoesOn) {
    QPushButton button;
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, reportingErrors([&] {
        ++clicks;
        if (clicks == 1)
            throw OrbalinError("The file \"x.bmp\" could not be read.");
        if (clicks == 2)
            throw std::runtime_error("plain failure");
    }));
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(reported, (QStringList{"The file \"x.bmp\" could not be read.", "plain failure"}));
}

// An event override that throws is caught by the application's dispatch.
class ThrowingWidget : public QWidget {
protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User)
            throw OrbalinError("event failed");
        return QWidget::event(event);
    }
};

TEST_F(ErrorDispatch, AnEventOverrideThatThrowsIsCaughtByTheDispatch) {
    ThrowingWidget widget;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QApplication::sendEvent(&widget, &event));
    QApplication::postEvent(&widget, new QEvent(QEvent::User));
    QApplication::processEvents();
    EXPECT_EQ(reported, (QStringList{"event failed", "event failed"}));
}

TEST_F(ErrorDispatch, TimersAndQueuedCallsAreCoveredToo) {
    bool ranAfter = false;
    QTimer::singleShot(0, reportingErrors([] { throw OrbalinError("timer failed"); }));
    QTimer::singleShot(0, [&] { ranAfter = true; });
    QTest::qWait(20);
    EXPECT_TRUE(ranAfter);
    EXPECT_EQ(reported, QStringList{"timer failed"});
}

TEST_F(ErrorDispatch, RunReportingErrorsSaysWhetherTheActionSucceeded) {
    EXPECT_TRUE(runReportingErrors([] {}));
    EXPECT_FALSE(runReportingErrors([] { throw std::bad_alloc(); }));
    ASSERT_EQ(reported.size(), 1);
    EXPECT_TRUE(reported.constFirst().contains("memory"));
}

TEST(ScriptedInteraction, AnswersFromQueuesThenAsCancel) {
    ScriptedInteraction ui;
    ui.confirmAnswers = {true};
    ui.fileAnswers = {FileDialogAnswer{"/tmp/a.bmp", 3}};
    EXPECT_TRUE(ui.confirm(nullptr, "Existing file : replace it ?"));
    EXPECT_FALSE(ui.confirm(nullptr, "again"));
    FileDialogRequest request;
    request.presetName = "Obn7000";
    EXPECT_EQ(ui.openFile(nullptr, request)->filterIndex, 3);
    EXPECT_FALSE(ui.saveFile(nullptr, request).has_value());
    EXPECT_FALSE(ui.chooseColour(nullptr, Qt::black).has_value());
    TestPrinter printer;
    EXPECT_FALSE(ui.printerSetup(nullptr, printer));
    ASSERT_EQ(ui.fileRequests.size(), 2u);
    EXPECT_EQ(ui.fileRequests[1].presetName, "Obn7000");
    EXPECT_EQ(ui.calls.size(), 6u);
}

TEST(ScriptedInteraction, RunsTheQueuedActionWhileAWindowIsShown) {
    ScriptedInteraction ui;
    FixedDialog window(nullptr, "Form1", "Adjust...", QSize(224, 186));
    QString seen;
    ui.modalActions.push_back([&](QDialog& shown) { seen = shown.windowTitle(); });
    ui.showModal(window);
    ui.showModal(window);
    EXPECT_EQ(seen, "Adjust...");
    EXPECT_EQ(ui.modalWindows(), (QStringList{"Form1", "Form1"}));
    EXPECT_FALSE(window.isVisible());
}

// Escape closes every window, with a close box in its title bar or without one.
TEST(FixedDialog, EscapeClosesWindowsWithOrWithoutACloseButton) {
    FixedDialog noCloseBox(nullptr, "Form4", "Language...", QSize(300, 100));
    FixedDialog closable(nullptr, "Form20", "About", QSize(274, 272), FixedDialog::TitleButtons::Close);
    for (FixedDialog* window : {&noCloseBox, &closable}) {
        window->show();
        QTest::keyClick(window, Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
        EXPECT_EQ(window->result(), QDialog::Rejected);
    }
    EXPECT_EQ(noCloseBox.size(), QSize(300, 100));
    EXPECT_FALSE(noCloseBox.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(closable.windowFlags().testFlag(Qt::WindowCloseButtonHint));
}

TEST(TestPrinter, RecordsJobsOrRefusesThem) {
    TestPrinter none;
    EXPECT_FALSE(none.anyInstalled());
    EXPECT_EQ(none.deviceCaps(DeviceCap::HORZRES), 0);
    EXPECT_THROW(none.beginJob("Obn7000"), OrbalinError);

    TestPrinter printer(TestPrinter::dpi600Letter());
    EXPECT_EQ(printer.deviceCaps(DeviceCap::VERTSIZE), 279);
    QPainter& canvas = printer.beginJob("Obn7000");
    EXPECT_EQ(canvas.device()->width(), 4800);
    canvas.fillRect(QRect(1, 2, 3, 4), Qt::black);
    QImage picture(30, 20, QImage::Format_BGR888);
    picture.fill(Qt::red);
    canvas.save();
    canvas.translate(100, 600);
    canvas.scale(1, -1);
    canvas.drawImage(QRect(0, 0, 300, 400), picture);
    canvas.restore();
    printer.endJob();
    ASSERT_EQ(printer.jobs.size(), 1u);
    const TestPrinter::Job& job = printer.jobs.front();
    EXPECT_EQ(job.title, "Obn7000");
    EXPECT_TRUE(job.ended);
    EXPECT_EQ(job.otherDrawings, 1);
    ASSERT_EQ(job.images.size(), 1u);
    EXPECT_EQ(job.images[0].target, QRect(100, 200, 300, 400));
    EXPECT_TRUE(job.images[0].upsideDown);
    EXPECT_EQ(job.images[0].image.size(), QSize(30, 20));
    printer.refuseJobs = true;
    EXPECT_THROW(printer.beginJob("Calibration"), OrbalinError);
}
} // namespace
