// A long open shows its progress window with the file's name, a moving bar and Cancel; Cancel
// leaves everything as it was. Resize then fits from the stretch made while the picture was read.
#include "cover/fitting.h"
#include "platform/qt/progresswindow.h"
#include "platform/qt/statuspanels.h"
#include "support/jpegwriter.h"
#include "support/slotfixture.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {

// Counts how often a progress window was shown.
class ShowCounter : public QObject {
public:
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<QDialog*>(watched) &&
            watched->objectName() == QLatin1String("ProgressWindow"))
            ++shown;
        return false;
    }
};

ProgressWindow* shownProgressWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = dynamic_cast<ProgressWindow*>(widget); window && window->isVisible())
            return window;
    return nullptr;
}

class OpenProgress : public SlotTest {
protected:
    void SetUp() override { qApp->installEventFilter(&shows); }
    void TearDown() override {
        qApp->removeEventFilter(&shows);
        ProgressWindow::showAfterMs = 500;
        SlotTest::TearDown();
    }
    ShowCounter shows;
};

TEST_F(OpenProgress, AShortOpenShowsNoWindow) {
    start();
    open(file(QStringLiteral("small.jpg"), encodeJpeg(gradientPicture(64, 48))));
    EXPECT_EQ(slot(0).bitmap().size(), QSize(64, 48));
    EXPECT_EQ(shows.shown, 0);
}

TEST_F(OpenProgress, CancelInTheWindowLeavesEverythingAsItWas) {
    start();
    open(bmpFile(QStringLiteral("kept.bmp"), gradientPicture(40, 30)));
    const QImage kept = slot(0).bitmap();
    const QByteArray working = folder.read(QStringLiteral("cd1_tmp.bmp"));
    ui.calls.clear();

    ProgressWindow::showAfterMs = 0; // the window shows at the first row, whatever the size
    QString shownName;
    int shownValue = -1;
    QTimer::singleShot(0, [&] {
        ProgressWindow* window = shownProgressWindow();
        ASSERT_NE(window, nullptr);
        shownName = window->Label1->text();
        shownValue = window->ProgressBar1->value();
        EXPECT_EQ(window->Button1->accessibleName(), QStringLiteral("Cancel"));
        window->Button1->click();
    });
    open(file(QStringLiteral("Large.JPG"), encodeJpeg(gradientPicture(300, 400))));

    EXPECT_EQ(shows.shown, 1);
    EXPECT_EQ(shownName, QStringLiteral("Large.JPG"));
    EXPECT_GT(shownValue, 0);
    EXPECT_LT(shownValue, 1000);
    EXPECT_EQ(shownProgressWindow(), nullptr);
    EXPECT_EQ(slot(0).bitmap(), kept);
    EXPECT_EQ(folder.read(QStringLiteral("cd1_tmp.bmp")), working);
    EXPECT_EQ(form().statusText(0), "       kept.bmp");
    EXPECT_TRUE(ui.calls.size() == 1 && ui.calls[0].kind == QLatin1String("open"))
        << "no message, no Adjust window";

    // Left alone, the same open goes through with the window shown.
    open(file(QStringLiteral("Large.JPG"), encodeJpeg(gradientPicture(300, 400))));
    EXPECT_EQ(shows.shown, 2);
    EXPECT_EQ(slot(0).bitmap().size(), QSize(300, 400));
}

// The fit from the stretch made on the way gives the bytes of a fit of the whole picture.
TEST_F(OpenProgress, ResizeAfterOpenFitsAsFromTheWholePicture) {
    start();
    for (const CoverMode mode : {CoverMode::CdCover, CoverMode::BackCover}) {
        form().switchToMode(mode);
        const QString path = file(QStringLiteral("photo.jpg"), encodeJpeg(noisePicture(1203, 807, 5)));
        open(path, Adjust::Resize);
        const SlotInfo info = *form().document().currentSlot();
        const QImage& mask = form().document().discMask.bitmap();
        const FittedPicture whole = fitToCover(Picture::load(path).bitmap(), mode, mask);
        EXPECT_EQ(slot(info.index).bitmap(), whole.picture);
        EXPECT_EQ(Picture::loadBmp(folder.file("tst.bmp")).bitmap(), whole.stretched);
        EXPECT_EQ(Picture::loadBmp(folder.file(QLatin1String(info.refreshFile))).bitmap(), whole.picture);
    }
}

} // namespace
