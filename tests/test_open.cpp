// Opening pictures into the slots.
#include "platform/orbalinerror.h"
#include "platform/qt/statuspanels.h"
#include "support/jpegwriter.h"
#include "support/slotfixture.h"

#include <QDir>

namespace {

QImage indexedPicture(int width, int height) {
    QImage image(width, height, QImage::Format_Indexed8);
    image.fill(0);
    image.setColorTable({qRgb(200, 10, 10), qRgb(10, 200, 10)});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, (x + y) % 2);
    return image;
}

class Open : public SlotTest {};

TEST_F(Open, JpegBecomesABitmapOfItsOwnSizeAndTheAdjustWindowAsks) {
    start();
    const QString path = file(QStringLiteral("Beach.JPG"), encodeJpeg(gradientPicture(1600, 1200)));
    open(path);

    ASSERT_EQ(ui.fileRequests.size(), 1u);
    EXPECT_EQ(ui.fileRequests[0].filters,
              (QStringList{"Tout (*.jpg;*.jpeg;*.bmp)", "Fichier image JPEG (*.jpg)",
                           "Fichier image JPEG (*.jpeg)", "Bitmaps (*.bmp)"}));
    EXPECT_EQ(ui.fileRequests[0].selectedFilter, 0);
    const Picture working = Picture::loadBmp(folder.file("cd1_tmp.bmp"));
    EXPECT_EQ(working.bitmap().size(), QSize(1600, 1200));
    EXPECT_EQ(working.bitmap().format(), QImage::Format_BGR888);
    EXPECT_EQ(slot(0).bitmap(), working.bitmap());
    EXPECT_EQ(form().statusText(0), "       Beach.JPG");
    EXPECT_TRUE(form().document().slotLoaded[0]);
    EXPECT_FALSE(form().document().slotResized[0]);
    EXPECT_EQ(ui.modalWindows(), QStringList{"Form1"});
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(Open, BitmapIsKeptAsRead) {
    start();
    open(bmpFile(QStringLiteral("logo.bmp"), indexedPicture(31, 9)));
    EXPECT_EQ(slot(0).bitmap().format(), QImage::Format_Indexed8);
    EXPECT_EQ(slot(0).bitmap().size(), QSize(31, 9));
    EXPECT_EQ(Picture::loadBmp(folder.file("cd1_tmp.bmp")).bitmap().format(), QImage::Format_Indexed8);
}

TEST_F(Open, PathsNamingJpegConvertTheirBitmapToo) {
    start();
    ASSERT_TRUE(QDir(pictures.path()).mkdir(QStringLiteral("my.jpg.files")));
    open(bmpFile(QStringLiteral("my.jpg.files/scan.bmp"), indexedPicture(8, 8)));
    EXPECT_EQ(slot(0).bitmap().format(), QImage::Format_BGR888);
    EXPECT_EQ(slot(0).bitmap().pixelColor(1, 0), QColor(10, 200, 10));

    // ".jpeg" files are treated like ".jpg" ones.
    open(file(QStringLiteral("photo.jpeg"), encodeJpeg(gradientPicture(40, 30))));
    EXPECT_EQ(slot(0).bitmap().size(), QSize(40, 30));
    EXPECT_EQ(slot(0).bitmap().format(), QImage::Format_BGR888);
    EXPECT_EQ(form().statusText(0), "       photo.jpeg");
}

TEST_F(Open, EachSlotWritesItsOwnWorkingFile) {
    start();
    const QString path = bmpFile(QStringLiteral("p.bmp"), gradientPicture(20, 10));
    for (const SlotInfo& info : slotTable()) {
        form().switchToMode(info.mode);
        if (info.second)
            control<QToolButton>(form(), "SpeedButton9").click();
        ASSERT_EQ(form().document().slotCode, info.code);
        QFile::remove(folder.file(QLatin1String(info.workingFile)));
        open(path);
        EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).contains(QLatin1String(info.workingFile)))
            << info.workingFile;
        EXPECT_TRUE(form().document().slotLoaded[static_cast<size_t>(info.index)]) << info.code;
    }
    EXPECT_FALSE(folder.exists(QStringLiteral("cd8_tmp.bmp")));
    EXPECT_FALSE(folder.exists(QStringLiteral("cd2_tmp.bmp")));
}

TEST_F(Open, SecondCdPictureSharesTheWorkingFileButNotThePicture) {
    start();
    open(bmpFile(QStringLiteral("first.bmp"), gradientPicture(30, 30)));
    const QImage first = slot(0).bitmap();
    control<QToolButton>(form(), "SpeedButton9").click();
    open(bmpFile(QStringLiteral("second.bmp"), indexedPicture(12, 12)));
    EXPECT_EQ(Picture::loadBmp(folder.file("cd1_tmp.bmp")).bitmap().size(), QSize(12, 12));
    control<QToolButton>(form(), "SpeedButton8").click();
    EXPECT_EQ(slot(0).bitmap(), first);
}

TEST_F(Open, TheDialogStartsWhereTheLastPictureCameFrom) {
    start();
    ASSERT_TRUE(QDir(pictures.path()).mkdir(QStringLiteral("holiday")));
    open(bmpFile(QStringLiteral("holiday/a.bmp"), gradientPicture(8, 8)));
    open(bmpFile(QStringLiteral("b.bmp"), gradientPicture(8, 8)));
    ASSERT_EQ(ui.fileRequests.size(), 2u);
    EXPECT_TRUE(ui.fileRequests[0].initialFolder.isEmpty());
    EXPECT_EQ(ui.fileRequests[1].initialFolder, pictures.filePath(QStringLiteral("holiday")));
}

TEST_F(Open, CancelChangesNothingAndAnEmptyNameStillAsksHowToFit) {
    start();
    const QImage example = slot(0).bitmap();
    ui.fileAnswers.push_back(std::nullopt);
    control<QToolButton>(form(), "SpeedButton1").click();
    EXPECT_TRUE(ui.modalWindows().isEmpty());

    open(QString());
    EXPECT_EQ(ui.modalWindows(), QStringList{"Form1"});
    EXPECT_EQ(slot(0).bitmap(), example);
    EXPECT_FALSE(form().document().slotLoaded[0]);
}

// A file that cannot be read leaves the slot, its working file and the status bar as they were.
TEST_F(Open, UnreadableFilesAreReportedAndLeaveTheSlotAlone) {
    start();
    open(bmpFile(QStringLiteral("kept.bmp"), gradientPicture(64, 48)));
    const QImage kept = slot(0).bitmap();
    const QByteArray working = folder.read(QStringLiteral("cd1_tmp.bmp"));
    ui.calls.clear();

    const QByteArray jpeg = encodeJpeg(gradientPicture(64, 48));
    const QByteArray huge = withJpegSize(jpeg, 60000, 60000);
    QByteArray damaged = jpeg;
    for (qsizetype i = jpeg.size() / 2; i < jpeg.size() - 2; i += 7)
        damaged[i] = char(0xff);
    const QByteArray bmp = [&] {
        QByteArray bytes;
        Picture(gradientPicture(10, 10)).saveBmp(pictures.filePath(QStringLiteral("tmp.bmp")));
        QFile in(pictures.filePath(QStringLiteral("tmp.bmp")));
        EXPECT_TRUE(in.open(QIODevice::ReadOnly));
        return in.readAll();
    }();

    const struct {
        const char* name;
        QByteArray bytes;
        const char* reasonWord; // a word the reason must contain (case-insensitive)
    } cases[] = {
        {"damaged.jpg", damaged, "damaged"},
        {"cut.jpg", jpeg.left(jpeg.size() / 2), "damaged"},
        {"header.jpg", jpeg.left(20), "damaged"},
        {"notes.jpg", "just some words, not a picture", "JPEG"},
        {"bitmap.jpg", bmp, "BMP"},
        {"photo.bmp", jpeg, "JPEG"},
        {"empty.bmp", QByteArray(), "empty"},
        {"cut.bmp", bmp.left(bmp.size() - 30), "damaged"},
        {"huge.jpg", huge, "60000"},
        {"picture.png", bmp, "BMP"},
    };
    for (const auto& c : cases) {
        ui.calls.clear();
        open(file(QLatin1String(c.name), c.bytes));
        ASSERT_EQ(ui.messages().size(), 1) << c.name;
        EXPECT_TRUE(ui.messages()[0].contains(QLatin1String(c.name))) << ui.messages()[0].toStdString();
        EXPECT_TRUE(ui.messages()[0].contains(QLatin1String(c.reasonWord), Qt::CaseInsensitive))
            << c.name << ": " << ui.messages()[0].toStdString();
        EXPECT_TRUE(ui.modalWindows().isEmpty()) << c.name;
        EXPECT_EQ(slot(0).bitmap(), kept) << c.name;
        EXPECT_TRUE(form().document().slotLoaded[0]);
        EXPECT_EQ(folder.read(QStringLiteral("cd1_tmp.bmp")), working) << c.name;
        EXPECT_EQ(form().statusText(0), "       kept.bmp") << c.name;
    }

    for (const QString& path : {pictures.filePath(QStringLiteral("missing.jpg")), pictures.path()}) {
        ui.calls.clear();
        open(path);
        ASSERT_EQ(ui.messages().size(), 1);
        EXPECT_TRUE(ui.messages()[0].contains(QDir::toNativeSeparators(path)))
            << ui.messages()[0].toStdString();
        EXPECT_EQ(slot(0).bitmap(), kept);
    }
}

TEST_F(Open, AWorkingFileThatCannotBeWrittenLeavesTheSlotAlone) {
    start();
    const QImage example = slot(0).bitmap();
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("cd1_tmp.bmp")));
    open(bmpFile(QStringLiteral("p.bmp"), gradientPicture(20, 10)));
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages()[0].contains(QStringLiteral("cd1_tmp.bmp")));
    EXPECT_EQ(slot(0).bitmap(), example);
    EXPECT_FALSE(form().document().slotLoaded[0]);
}

} // namespace
