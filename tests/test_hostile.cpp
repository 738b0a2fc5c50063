// The program against a hostile machine: a full disk, links in its folder, shipped masks of the
// wrong size.
#include "platform/orbalinerror.h"
#include "platform/qt/cupsstatus.h"
#include "platform/qt/qtprinterport.h"
#include "print/tform19.h"
#include "support/programfixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <cups/cups.h>
#include <mutex>
#include <netinet/in.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

bool saysDiskFull(const QStringList& messages, const QString& file) {
    return messages.size() == 1 && messages.front().contains(QLatin1String("disk is full")) &&
           messages.front().contains(file);
}

QString bmpIn(const QTemporaryDir& dir, const QString& name, const QImage& picture) {
    const QString path = dir.filePath(name);
    Picture(picture).saveBmp(path);
    return path;
}

void calibrateOk(Orbalin& program, ScriptedInteraction& ui) {
    ui.modalActions.push_back([](QDialog& shown) {
        auto& window = static_cast<TForm19&>(shown);
        window.edits()[0]->setText(QStringLiteral("1.50"));
        window.SpeedButton1->click();
    });
    control<QToolButton>(*program.Form15, "SpeedButton11").click();
}

// The program in a folder on a small file system of its own (tmpfs) that a test fills up.
class SmallDisk : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0)
            GTEST_SKIP() << "a full disk is made by mounting a small tmpfs, which needs root";
        ASSERT_TRUE(disk.isValid());
        if (::mount("tmpfs", QFile::encodeName(disk.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                    "size=16m") != 0)
            GTEST_SKIP() << "tmpfs cannot be mounted here: " << std::strerror(errno);
        mounted = true;
        const QDir data(QStringLiteral(ORBALIN_DATA_DIR));
        for (const QString& name : data.entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(data.filePath(name), file(name)));
    }
    void TearDown() override {
        program.reset();
        if (mounted)
            ::umount2(QFile::encodeName(disk.path()).constData(), MNT_DETACH);
    }

    QString file(const QString& name) const { return disk.path() + QLatin1Char('/') + name; }
    static QByteArray bytes(const QString& path) {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    void start() {
        program = std::make_unique<Orbalin>(ProgramContext{disk.path() + QLatin1Char('/'), ui, printer, 0});
    }
    TForm15& form() { return *program->Form15; }

    // Takes up all the disk's free space.
    void fill() {
        QFile filler(file(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        for (const qint64 block : {qint64(1) << 20, qint64(4096)})
            while (filler.write(QByteArray(block, 'f')) == block) {
            }
        fullAt = filler.size();
    }
    // Frees `room` bytes of a filled disk.
    void leaveRoom(qint64 room) { ASSERT_TRUE(QFile::resize(file(QStringLiteral("filler")), fullAt - room)); }
    QStringList workFiles() const {
        QStringList names = QDir(disk.path()).entryList(QDir::Files | QDir::Hidden);
        names.removeAll(QStringLiteral("filler"));
        return names;
    }

    QTemporaryDir disk;
    bool mounted = false;
    qint64 fullAt = 0;      // the filler's size when the disk is full
    QTemporaryDir pictures; // elsewhere: what the user opens
    ScriptedInteraction ui;
    TestPrinter printer{TestPrinter::dpi600Letter()};
    std::unique_ptr<Orbalin> program;
};

TEST_F(SmallDisk, CalibrateOkKeepsTheOldCalibrationAndSaysTheDiskIsFull) {
    const QByteArray saved = "0.50\r\n0.25\r\n1.00\r\n14.50\r\n2800\r\n2790\r\n";
    {
        QFile out(file(QStringLiteral("Cd_cfg.ini")));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(saved) == saved.size());
    }
    start();
    const QStringList before = workFiles();
    fill();
    calibrateOk(*program, ui);
    EXPECT_TRUE(saysDiskFull(ui.messages(), QStringLiteral("Cd_cfg.ini")))
        << ui.messages().join('\n').toStdString();
    EXPECT_EQ(bytes(file(QStringLiteral("Cd_cfg.ini"))), saved);
    EXPECT_EQ(workFiles(), before);
    EXPECT_EQ(form().document().calibrationText[0], "1.50") << "the new values serve until the program ends";
}

// Full before the save, and full part-way through the picture's bytes.
TEST_F(SmallDisk, SaveOverAPictureKeepsItWholeAndSaysTheDiskIsFull) {
    start();
    openPicture(*program, ui, bmpIn(pictures, QStringLiteral("photo.bmp"), gradientPicture(800, 600)),
                Adjust::Resize);
    const QString mine = file(QStringLiteral("mine.bmp"));
    Picture(noisePicture(550, 550, 7)).saveBmp(mine, FileOwner::User);
    const QByteArray original = bytes(mine);
    ASSERT_GT(original.size(), 900 * 1000);
    fill();
    for (const qint64 room : {qint64(0), qint64(200 * 1024)}) {
        leaveRoom(room);
        ui.calls.clear();
        ui.fileAnswers.push_back(FileDialogAnswer{mine, 0});
        ui.confirmAnswers.push_back(true);
        control<QToolButton>(form(), "SpeedButton3").click();
        EXPECT_TRUE(saysDiskFull(ui.messages(), QStringLiteral("mine.bmp")))
            << room << " bytes free: " << ui.messages().join('\n').toStdString();
        EXPECT_EQ(bytes(mine), original) << room << " bytes free";
    }
}

TEST_F(SmallDisk, WorkingFilesAndTheSlotStayAsTheyWereWhenTheDiskIsFull) {
    start();
    openPicture(*program, ui, bmpIn(pictures, QStringLiteral("a.bmp"), gradientPicture(800, 600)),
                Adjust::Resize);
    openPicture(*program, ui, bmpIn(pictures, QStringLiteral("b.bmp"), noisePicture(640, 480, 1)),
                Adjust::Nothing);
    const QStringList working = {QStringLiteral("cd1_tmp.bmp"), QStringLiteral("tst.bmp"),
                                 QStringLiteral("refresh1.bmp")};
    std::vector<QByteArray> before;
    for (const QString& name : working)
        before.push_back(bytes(file(name)));
    const QImage shown = form().document().slotPicture[0].bitmap();
    ASSERT_EQ(shown.size(), QSize(640, 480));
    const QStringList files = workFiles();
    fill();
    leaveRoom(100 * 1024); // each of the files is larger: the disk fills part-way through

    control<QToolButton>(form(), "SpeedButton2").click(); // Resize
    EXPECT_TRUE(saysDiskFull(ui.messages(), QStringLiteral("tst.bmp")))
        << ui.messages().join('\n').toStdString();
    EXPECT_FALSE(form().document().slotResized[0]);
    ui.calls.clear();
    openPicture(*program, ui, bmpIn(pictures, QStringLiteral("c.bmp"), noisePicture(500, 400, 2)),
                Adjust::Resize);
    EXPECT_TRUE(saysDiskFull(ui.messages(), QStringLiteral("cd1_tmp.bmp")))
        << ui.messages().join('\n').toStdString();

    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(bytes(file(working[qsizetype(i)])), before[i]) << working[qsizetype(i)].toStdString();
    EXPECT_EQ(form().document().slotPicture[0].bitmap(), shown);
    EXPECT_EQ(workFiles(), files);
}

// Links put in the program's folder in place of the files it writes and reads by itself.
class LinksInTheFolder : public ProgramTest {
protected:
    QString outsideFile(const QString& name, const QByteArray& bytes) {
        const QString path = outside.filePath(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
        return path;
    }
    void link(const QString& name, const QString& target) {
        folder.remove(name);
        ASSERT_TRUE(QFile::link(target, folder.file(name))) << name.toStdString();
    }
    bool plainFile(const QString& name) const {
        const QFileInfo info(folder.file(name));
        return info.isFile() && !info.isSymLink();
    }

    QTemporaryDir outside;
    QTemporaryDir pictures;
};

TEST_F(LinksInTheFolder, EveryFileTheProgramWritesReplacesTheLinkAndLeavesItsTargetAlone) {
    const QByteArray secret = "root:x:0:0:root:/root:/bin/bash\n";
    const QString nowhere = outside.filePath(QStringLiteral("made-by-orbalin"));
    link(QStringLiteral("config.obn"), nowhere); // created at start-up when missing
    start();
    const QStringList redirected = {QStringLiteral("cd1_tmp.bmp"), QStringLiteral("refresh1.bmp"),
                                    QStringLiteral("Cd_cfg.ini")};
    for (const QString& name : redirected)
        link(name, outsideFile(name, secret));
    link(QStringLiteral("tst.bmp"), nowhere);

    openPicture(*program, ui, bmpIn(pictures, QStringLiteral("p.bmp"), gradientPicture(640, 480)),
                Adjust::Resize);
    calibrateOk(*program, ui);

    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().join('\n').toStdString();
    for (const QString& name : redirected) {
        QFile target(outside.filePath(name));
        ASSERT_TRUE(target.open(QIODevice::ReadOnly));
        EXPECT_EQ(target.readAll(), secret) << name.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(nowhere));
    for (const QString& name : redirected + QStringList{"tst.bmp", "config.obn"})
        EXPECT_TRUE(plainFile(name)) << name.toStdString();
    EXPECT_EQ(folder.read("Cd_cfg.ini").left(6), "1.50\r\n");
    EXPECT_EQ(Picture::loadBmp(folder.file("refresh1.bmp")).bitmap(),
              form().document().slotPicture[0].bitmap());
}

TEST_F(LinksInTheFolder, ReadingThroughALinkOutOfTheFolderIsRefusedWithAMessage) {
    link(QStringLiteral("config.obn"), outsideFile(QStringLiteral("config.obn"), "french.lag\r\n"));
    link(QStringLiteral("Cd_cfg.ini"), outsideFile(QStringLiteral("Cd_cfg.ini"), "9.00\r\n9.00\r\n"));
    const QString round = outside.filePath(QStringLiteral("round.bmp"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ORBALIN_DATA_DIR "/round.bmp"), round));
    link(QStringLiteral("round.bmp"), round);
    start();
    ASSERT_EQ(ui.messages().size(), 1);
    for (const char* name : {"config.obn", "Cd_cfg.ini", "round.bmp"})
        EXPECT_TRUE(ui.messages().front().contains(QLatin1String(name)))
            << ui.messages().front().toStdString();
    EXPECT_NE(form().document().calibrationText[0], "9.00");
    EXPECT_NE(form().document().languageFileName, "french.lag");
    EXPECT_TRUE(form().document().discMask.isEmpty());

    openPicture(*program, ui, bmpIn(pictures, QStringLiteral("p.bmp"), gradientPicture(640, 480)),
                Adjust::Resize);
    const QImage fitted = form().document().slotPicture[0].bitmap();
    link(QStringLiteral("refresh1.bmp"),
         bmpIn(outside, QStringLiteral("other.bmp"), solidPicture(450, 450, Qt::red)));
    ui.calls.clear();
    control<QToolButton>(form(), "SpeedButton5")
        .click(); // Clear: back to the fitted picture kept in refresh1.bmp
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages().front().contains(QLatin1String("refresh1.bmp")))
        << ui.messages().front().toStdString();
    EXPECT_EQ(form().document().slotPicture[0].bitmap(), fitted);
}

TEST_F(LinksInTheFolder, LinksInsideTheFolderAndTheUsersSaveTargetAreFollowed) {
    folder.write("my_cfg.ini", "0.50\r\n0.25\r\n1.00\r\n14.50\r\n2800\r\n2790\r\n");
    link(QStringLiteral("Cd_cfg.ini"), folder.file("my_cfg.ini"));
    start();
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().join('\n').toStdString();
    EXPECT_EQ(form().document().calibrationText[0], "0.50");

    openPicture(*program, ui, bmpIn(pictures, QStringLiteral("p.bmp"), gradientPicture(640, 480)),
                Adjust::Resize);
    const QString target = outsideFile(QStringLiteral("cover.bmp"), "old");
    const QString chosen = pictures.filePath(QStringLiteral("cover.bmp"));
    ASSERT_TRUE(QFile::link(target, chosen));
    ui.fileAnswers.push_back(FileDialogAnswer{chosen, 0});
    ui.confirmAnswers.push_back(true);
    control<QToolButton>(form(), "SpeedButton3").click();
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().join('\n').toStdString();
    EXPECT_TRUE(QFileInfo(chosen).isSymLink());
    EXPECT_EQ(Picture::loadBmp(target).bitmap(), form().document().slotPicture[0].bitmap());
}

TEST(ShippedMasks, AMaskOfTheWrongSizeIsReportedAtStartUpByNameAndSize) {
    const struct {
        const char* file;
        int size;
        const char* expected;
    } cases[] = {{"round.bmp", 400, "450 × 450"}, {"round_min.bmp", 450, "300 × 300"}};
    for (const auto& c : cases) {
        ProgramFolder folder;
        ScriptedInteraction ui;
        TestPrinter printer{TestPrinter::dpi600Letter()};
        Picture(solidPicture(c.size, c.size, Qt::black)).saveBmp(folder.file(QLatin1String(c.file)));
        Orbalin program(ProgramContext{folder.path(), ui, printer, 0});
        ASSERT_EQ(ui.messages().size(), 1) << c.file;
        const QString message = ui.messages().front();
        const QString size = QStringLiteral("%1 × %1").arg(c.size);
        for (const QString& part : {QString::fromLatin1(c.file), size, QString::fromUtf8(c.expected)})
            EXPECT_TRUE(message.contains(part)) << message.toStdString();
        const bool cover = qstrcmp(c.file, "round.bmp") == 0;
        EXPECT_EQ(program.Form15->document().discMask.isEmpty(), cover) << c.file;
        EXPECT_EQ(program.Form15->document().smallDiscMask.isEmpty(), !cover) << c.file;
    }
}

} // namespace
