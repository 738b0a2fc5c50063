// Golden covers: the same steps, through the program's own handlers, save the same bytes as the
// recorded build did. After each step the saved picture and every working BMP the program wrote in
// its folder are hashed and compared with tests/golden/covers.txt; ORBALIN_WRITE_GOLDEN=path
// writes the table there instead. The text is drawn in Liberation Sans (fonts-liberation) standing
// in for Arial, whose glyphs are the same on every Debian machine the tests run on; the digests
// hold in Release and in the Debug sanitizer build alike.
#include "app/tform1.h"
#include "cover/fitpixels.h"
#include "decor/tflibrary.h"
#include "decor/tform18.h"
#include "decor/tform7.h"
#include "platform/qt/imageview.h"
#include "render/printedpictures.h"
#include "support/programfixture.h"
#include "text/tform17.h"

#include <QAction>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextEdit>
#include <QTextStream>
#include <QToolButton>
#include <functional>
#include <map>

namespace {
using Digests = std::map<QString, QString>;

const QString kGoldenTable = QStringLiteral(ORBALIN_DATA_DIR "/../tests/golden/covers.txt");

// One run of the program in a fresh folder, recording what it would save after each step.
struct Session {
    ProgramFolder folder;
    QTemporaryDir saves;
    ScriptedInteraction ui;
    TestPrinter printer{TestPrinter::dpi600Letter()};
    std::unique_ptr<Orbalin> program =
        std::make_unique<Orbalin>(ProgramContext{folder.path(), ui, printer, 0});
    TForm15& form() { return *program->Form15; }

    QString picture(const QString& name, const QImage& image) {
        Picture(image).saveBmp(saves.filePath(name));
        return saves.filePath(name);
    }

    // Save through the main window, then every BMP of the folder that the program wrote itself.
    void record(const QString& step, Digests& digests) {
        const QString saved = saves.filePath(QStringLiteral("saved.bmp"));
        QFile::remove(saved);
        ui.fileAnswers.push_back(FileDialogAnswer{saved, 0});
        control<QToolButton>(form(), "SpeedButton3").click();
        QStringList files{saved};
        for (const QString& name : QDir(folder.path()).entryList({"*.bmp"}, QDir::Files))
            if (!QFile::exists(QStringLiteral(ORBALIN_DATA_DIR "/") + name))
                files << folder.file(name);
        for (const QString& path : files) {
            QFile file(path);
            EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
            digests[step + QLatin1Char('/') + QFileInfo(path).fileName()] =
                QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
        }
    }

    // Picks the cover from its menu, then opens a picture and fits it.
    void fit(QAction* cover) {
        cover->trigger();
        openPicture(*program, ui, picture("photo.bmp", gradientPicture(640, 480)), Adjust::Resize);
    }
    // Presses `opener` and runs `inside` while the window it shows is up.
    void inWindow(QAbstractButton* opener, std::function<void()> inside) {
        ui.modalActions.push_back([inside](QDialog&) { inside(); });
        opener->click();
    }
    // The Text Area's `layout`, on `lines` typed in place of what it held when given.
    void textArea(QToolButton* TForm17::*layout, const QStringList& lines = {}) {
        TForm17& area = *program->Form17;
        inWindow(&control<QToolButton>(form(), "SpeedButton7"), [&] {
            if (!lines.isEmpty())
                area.SpeedButton1->click();
            for (const QString& line : lines) {
                if (line != lines.front())
                    QTest::keyClick(area.RichEdit1, Qt::Key_Return);
                QTest::keyClicks(area.RichEdit1, line);
            }
            (area.*layout)->click();
            area.SpeedButton9->click();
        });
    }
    void gradient(int kind, QColor from, QColor to) {
        ui.colourAnswers = {from, to};
        TForm18& window = *program->Form18;
        inWindow(&control<QToolButton>(form(), "SpeedButton13"), [&] {
            window.ComboBox5->setCurrentIndex(kind);
            window.SpeedButton3->click();
            window.SpeedButton4->click();
            window.SpeedButton1->click();
        });
    }
    void stamp(const QString& caption) {
        doubleClick(control<QLabel>(form(), "floatinglabel"));
        control<QLineEdit>(form(), "Edition").setText(caption);
        control<QToolButton>(form(), "SpeedButton18").click();
        control<QLabel>(form(), "floatinglabel")
            .move(form().pictureCorner().x() + 40, form().pictureCorner().y() + 60);
        control<QAction>(form(), "ApplyChangesAppliquerleschangements1").trigger();
    }
    void turnLeft() {
        inWindow(&control<QToolButton>(form(), "SpeedButton23"), [&] {
            program->Form7->SpeedButton1->click();
            program->Form7->SpeedButton3->click();
        });
    }
    // Inserts the added picture with its top left corner at `at` on the cover.
    void insertAdded(QPoint at) {
        control<ImageView>(form(), "MyPicture").move(form().pictureCorner() + at);
        control<QToolButton>(form(), "SpeedButton22").click();
    }
    void addPict(const QImage& image, QPoint at) {
        ui.fileAnswers.push_back(FileDialogAnswer{picture("logo.bmp", image), 0});
        control<QToolButton>(form(), "SpeedButton15")
            .click(); // its notice stays up: the scripted user never closes it
        insertAdded(at);
    }
    void gallery(QPoint at) {
        inWindow(&control<QToolButton>(form(), "SpeedButton25"),
                 [&] { program->FLibrary->SpeedButton1->click(); });
        insertAdded(at);
    }
};

using Step = std::function<void(Session&)>;
struct Cover {
    const char* name;
    std::vector<std::pair<const char*, Step>> steps;
};

// Long enough to reach into the disc from the left edge, where Left ali. and Vertical start.
const QStringList kLines{"Golden cover, the first of two lines", "and the second line, a little longer"};

const Cover kCovers[] = {
    {"cd",
     {{"fit", [](Session& s) { s.fit(&control<QAction>(s.form(), "Cdcover1")); }},
      {"center", [](Session& s) { s.textArea(&TForm17::SpeedButton8, kLines); }},
      {"left", [](Session& s) { s.textArea(&TForm17::SpeedButton11); }},
      {"vertical", [](Session& s) { s.textArea(&TForm17::SpeedButton4); }},
      {"adjust", [](Session& s) { s.textArea(&TForm17::SpeedButton10); }},
      {"stamp", [](Session& s) { s.stamp("Stamped"); }},
      {"turn", [](Session& s) { s.turnLeft(); }},
      {"gradient", [](Session& s) { s.gradient(1, QColor(200, 30, 30), QColor(20, 40, 220)); }},
      {"addpict", [](Session& s) { s.addPict(noisePicture(60, 40, 7), QPoint(100, 120)); }},
      {"gallery", [](Session& s) { s.gallery(QPoint(250, 260)); }}}},
    {"back",
     {{"fit", [](Session& s) { s.fit(&control<QAction>(s.form(), "Backcover1")); }},
      {"center", [](Session& s) { s.textArea(&TForm17::SpeedButton8, kLines); }},
      // Effects is off on the Back Cover: the turn there is the text's.
      {"vertical", [](Session& s) { s.textArea(&TForm17::SpeedButton4); }},
      {"gradient", [](Session& s) { s.gradient(0, QColor(10, 120, 60), QColor(240, 230, 20)); }}}},
};

Digests readTable(const QString& path) {
    Digests table;
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << path.toStdString();
    while (!file.atEnd())
        if (const QStringList pair = QString::fromLatin1(file.readLine()).split(' '); pair.size() == 2)
            table[pair[0]] = pair[1].trimmed();
    return table;
}

TEST(GoldenCovers, TheSameStepsSaveTheSameBytes) {
    Digests digests;
    for (const Cover& cover : kCovers) {
        Session session;
        for (const auto& [step, run] : cover.steps) {
            run(session);
            EXPECT_TRUE(session.ui.modalActions.empty()) << step << ": a window did not come";
            session.record(QStringLiteral("%1/%2").arg(cover.name, step), digests);
        }
        EXPECT_TRUE(session.ui.messages().isEmpty()) << session.ui.messages().join('\n').toStdString();
        QStringList leftOpen = session.ui.leftOpenWindows();
        leftOpen.removeAll("Form2"); // Add Pict.'s notice
        EXPECT_TRUE(leftOpen.isEmpty()) << leftOpen.join(' ').toStdString();
    }
    if (const QString out = qEnvironmentVariable("ORBALIN_WRITE_GOLDEN"); !out.isEmpty()) {
        QFile file(out);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Text)) << out.toStdString();
        QTextStream table(&file);
        for (const auto& [name, digest] : digests)
            table << name << ' ' << digest << '\n';
        return;
    }
    const Digests golden = readTable(kGoldenTable);
    for (const auto& [name, digest] : digests)
        EXPECT_EQ(digest, golden.contains(name) ? golden.at(name) : "(none)") << name.toStdString();
    for (const auto& [name, digest] : golden)
        EXPECT_TRUE(digests.contains(name)) << name.toStdString() << " is no longer written";
}
// The saved picture and the refresh files (the fitted picture Clear and the layouts start from)
// of one recorded step.
Digests followedByUndo(const Digests& step) {
    Digests kept;
    for (const auto& [name, digest] : step)
        if (name.endsWith(QLatin1String("/saved.bmp")) || name.contains(QLatin1String("/refresh")))
            kept[name.section(QLatin1Char('/'), -1)] = digest;
    return kept;
}

Digests recordNow(Session& session) {
    Digests digests;
    session.record(QStringLiteral("now"), digests);
    return followedByUndo(digests);
}

// Undo walks each cover back through the bytes its steps saved, Redo forward again, and a layout
// after the walk back starts from the first fit, not from the gradient fitted since.
TEST(GoldenCovers, UndoAndRedoWalkThroughTheSameBytes) {
    for (const Cover& cover : kCovers) {
        SCOPED_TRACE(cover.name);
        Session session;
        std::vector<Digests> after;
        for (const auto& [step, run] : cover.steps) {
            run(session);
            after.push_back(recordNow(session));
        }
        QAction& undo = control<QAction>(session.form(), "Undo1");
        QAction& redo = control<QAction>(session.form(), "Redo1");
        for (size_t i = after.size() - 1; i > 0; --i) {
            undo.trigger();
            EXPECT_EQ(recordNow(session), after[i - 1]) << "undone to " << cover.steps[i - 1].first;
        }
        EXPECT_EQ(undo.text(), "Undo Resize");
        for (size_t i = 1; i < after.size(); ++i) {
            redo.trigger();
            EXPECT_EQ(recordNow(session), after[i]) << "redone to " << cover.steps[i].first;
        }
        EXPECT_FALSE(redo.isEnabled());
        for (size_t i = 1; i < after.size(); ++i)
            undo.trigger();
        session.textArea(&TForm17::SpeedButton8, kLines);
        EXPECT_EQ(recordNow(session), after[1]) << "center after the walk back";
        EXPECT_TRUE(session.ui.messages().isEmpty()) << session.ui.messages().join('\n').toStdString();
    }
}
// Print makes the current picture again at the printer's dots after every kind of step, and,
// brought back to the screen's size, it is the picture on screen within a few levels, everywhere.
TEST(GoldenCovers, EachStepPrintsAtThePrintersDotsAsOnScreen) {
    for (const Cover& cover : kCovers) {
        Session session;
        for (const auto& [step, run] : cover.steps) {
            SCOPED_TRACE(QStringLiteral("%1/%2").arg(cover.name, step).toStdString());
            run(session);
            const size_t jobs = session.printer.jobs.size();
            control<QToolButton>(session.form(), "SpeedButton4").click();
            ASSERT_EQ(session.printer.jobs.size(), jobs + 1);
            const PrintedImage& printed = session.printer.jobs.back().images.at(0);
            const CoverDocument& document = session.form().document();
            const QImage& screen = document.slotPicture[size_t(document.currentSlot()->index)].bitmap();
            EXPECT_EQ(printed.image.size(), printed.target.size());
            const QImage seen = printed.asSeen().convertToFormat(QImage::Format_BGR888);
            const QImage down = stretchToSize(seen, screen.size());
            EXPECT_LT(meanDifference(down, screen), 3.0);
            // Letters' edges and a noisy inserted picture resample differently: up to 30 levels on
            // a square. The printed disc is centred on its picture, the screen's half a pixel right
            // and down of it: up to 50 on the rim against a dark gradient. A stamp left out is 76.
            EXPECT_LT(largestSquareDifference(down, screen), 55.0);
        }
    }
}
} // namespace
