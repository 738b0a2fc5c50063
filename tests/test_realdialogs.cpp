// What users meet in the desktop's own dialogs and in the windows around them, driven as a user
// drives them: the Open dialog's filters, the printer setup's OK and Cancel, the Slide window
// opened a second time, the Adjust window's place, the mode chooser's captions and what the
// Calibrate fields take from the keyboard and the clipboard.
#include "app/tform1.h"
#include "decor/tform16.h"
#include "platform/qt/imageview.h"
#include "platform/qt/qtinteraction.h"
#include "print/tform19.h"
#include "support/modaluser.h"
#include "support/programfixture.h"

#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>

namespace {

// --- The Open dialog ---

class OpenDialog : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"a.jpg", "b.jpeg", "c.bmp", "d.txt"})
            Picture(solidPicture(500, 500, Qt::darkGreen)).saveBmp(folder.filePath(QLatin1String(name)));
        ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("sub")));
    }

    // What the dialog lists in its folder once `expected` have come: the folder listing is read
    // in the background.
    static QStringList listed(QDialog& dialog, int expected) {
        auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
        if (view == nullptr) {
            ADD_FAILURE() << "not Qt's own dialog: no file list";
            return {};
        }
        const auto names = [view] {
            QStringList shown;
            for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
                shown << view->model()->index(row, 0, view->rootIndex()).data().toString();
            shown.sort();
            return shown;
        };
        // Anything listed wrongly would come with the rest: a moment more shows it too.
        if (QTest::qWaitFor([&] { return names().size() >= expected; }, 3000))
            QTest::qWait(100);
        return names();
    }

    static void choose(QDialog& dialog, const QString& name) {
        dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
        dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))
            ->button(QDialogButtonBox::Open)
            ->click();
    }

    QTemporaryDir folder;
};

TEST_F(OpenDialog, FirstFilterOfTheOpenButtonListsEveryPictureAndNothingElse) {
    ProgramFolder programFolder;
    QtInteraction ui;
    TestPrinter printer{TestPrinter::dpi600Letter()};
    Orbalin program(ProgramContext{programFolder.path(), ui, printer, 0});
    QStringList shown;
    QString filter;
    ModalUser user;
    user.then("QFileDialog",
              [&](QDialog& dialog) {
                  static_cast<QFileDialog&>(dialog).setDirectory(folder.path());
                  shown = listed(dialog, 4);
                  filter = static_cast<QFileDialog&>(dialog).selectedNameFilter();
                  choose(dialog, QStringLiteral("c.bmp"));
              })
        .then("Form1", [](QDialog& adjust) { adjust.findChild<QToolButton*>("SpeedButton1")->click(); });
    EXPECT_TRUE(user.run([&] { control<QToolButton>(*program.Form15, "SpeedButton1").click(); }));
    EXPECT_EQ(shown, (QStringList{"a.jpg", "b.jpeg", "c.bmp", "sub"}));
    EXPECT_TRUE(filter.startsWith(QLatin1String("Tout ("))) << filter.toStdString();
    EXPECT_TRUE(program.Form15->document().slotLoaded[0]);
}

TEST_F(OpenDialog, RemembersItsFoldersInTheProgramFolderOnly) {
    QTemporaryDir programFolder;
    QtInteraction::keepDialogStateIn(programFolder.path());
    QtInteraction ui;
    FileDialogRequest request;
    request.filters = {"Bitmaps (*.bmp)"};
    request.initialFolder = folder.path();
    ModalUser user;
    user.then("QFileDialog", [](QDialog& dialog) { choose(dialog, QStringLiteral("c.bmp")); });
    EXPECT_TRUE(user.run([&] { ui.openFile(nullptr, request); }));
    QtInteraction::keepDialogStateIn(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    // This test's folder is a fresh one, so only this dialog can have written its name.
    const auto remembers = [this](const QString& file) {
        QFile settings(file);
        return settings.open(QIODevice::ReadOnly) &&
               settings.readAll().contains(QFile::encodeName(folder.path()));
    };
    EXPECT_TRUE(remembers(programFolder.filePath("QtProject.conf")));
    EXPECT_FALSE(remembers(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           "/QtProject.conf"));
}

// A link planted where the dialog keeps its state would have Qt write through it, onto the file it
// leads to, as the program's own files never are.
TEST_F(OpenDialog, NeverWritesItsStateThroughALinkPlantedInTheProgramsFolder) {
    QTemporaryDir own;
    const QString state = own.filePath(QStringLiteral("QtProject.conf"));
    const auto bytes = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray planted = bytes(folder.filePath(QStringLiteral("d.txt")));
    ASSERT_TRUE(QFile::link(folder.filePath(QStringLiteral("d.txt")), state));
    QtInteraction::keepDialogStateIn(own.path());
    FileDialogRequest request;
    request.filters = {"Bitmaps (*.bmp)"};
    request.initialFolder = folder.path();
    ModalUser user;
    user.then("QFileDialog", [](QDialog& dialog) { choose(dialog, QStringLiteral("c.bmp")); });
    EXPECT_TRUE(user.run([&] { QtInteraction().openFile(nullptr, request); }));
    QtInteraction::keepDialogStateIn(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    EXPECT_EQ(bytes(folder.filePath(QStringLiteral("d.txt"))), planted);
    EXPECT_FALSE(QFileInfo(state).isSymLink());
    EXPECT_TRUE(bytes(state).contains(QFile::encodeName(folder.path()))) << "the dialog kept no state at all";
}

TEST_F(OpenDialog, EachFilterListsItsOwnFilesAndTheAnswerNamesTheFilterAsAsked) {
    QtInteraction ui;
    FileDialogRequest request;
    request.filters = {"Tout (*.jpg;*.jpeg;*.bmp)", "Fichier image JPEG (*.jpg)",
                       "Fichier image JPEG (*.jpeg)", "Bitmaps (*.bmp)"};
    request.initialFolder = folder.path();
    const struct {
        int filter;
        QStringList shown;
        const char* chosen;
    } cases[] = {{0, {"a.jpg", "b.jpeg", "c.bmp", "sub"}, "b.jpeg"},
                 {1, {"a.jpg", "sub"}, "a.jpg"},
                 {2, {"b.jpeg", "sub"}, "b.jpeg"},
                 {3, {"c.bmp", "sub"}, "c.bmp"}};
    for (const auto& c : cases) {
        request.selectedFilter = c.filter;
        QStringList shown;
        std::optional<FileDialogAnswer> answer;
        ModalUser user;
        user.then("QFileDialog", [&](QDialog& dialog) {
            shown = listed(dialog, int(c.shown.size()));
            choose(dialog, QLatin1String(c.chosen));
        });
        EXPECT_TRUE(user.run([&] { answer = ui.openFile(nullptr, request); }));
        EXPECT_EQ(shown, c.shown) << c.filter;
        ASSERT_TRUE(answer.has_value());
        EXPECT_EQ(answer->filterIndex, c.filter);
        EXPECT_EQ(answer->path, folder.filePath(QLatin1String(c.chosen)));
    }
}

// --- Printer setup on a printer writing PDF files (no print server needed) ---

class PdfPrinterPort : public PrinterPort {
public:
    PdfPrinterPort() {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, {}));
    }
    bool anyInstalled() override { return true; }
    int deviceCaps(DeviceCap) override { return 0; }
    QPainter& beginJob(const QString&) override { return painter; }
    void endJob() override {}
    void abortJob() override {}
    QPrinter* device() override { return &printer; }

    QPrinter printer{QPrinter::HighResolution};
    QPainter painter;
};

// In the setup dialog: printing to another file, three copies, and in its properties A5 in
// landscape.
ModalUser changingEverything(const QString& file, QDialogButtonBox::StandardButton leaveWith) {
    ModalUser user;
    user.then("QPrintDialog",
              [file](QDialog& dialog) {
                  // The dialog opens on a print queue when there is one, whatever the printer was.
                  auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
                  printers->setCurrentIndex(printers->count() - 1); // "Print to File (PDF)"
                  dialog.findChild<QLineEdit*>(QStringLiteral("filename"))->setText(file);
                  dialog.findChild<QSpinBox*>(QStringLiteral("copies"))->setValue(3);
                  ModalUser::press(dialog.findChild<QPushButton*>(QStringLiteral("properties")));
              })
        .then("QPrintPropertiesDialog",
              [](QDialog& properties) {
                  properties.findChild<QComboBox*>(QStringLiteral("pageSizeCombo"))->setCurrentText("A5");
                  properties.findChild<QRadioButton*>(QStringLiteral("landscape"))->click();
                  properties.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
              })
        .then("QPrintDialog", [leaveWith](QDialog& dialog) {
            dialog.findChild<QDialogButtonBox*>()->button(leaveWith)->click();
        });
    return user;
}

TEST(PrinterSetup, CancelKeepsThePrinterAndOkHandsOverWhatWasChosen) {
    const QTemporaryDir folder;
    PdfPrinterPort port;
    QPrinter& printer = port.printer;
    printer.setOutputFileName(folder.filePath(QStringLiteral("first.pdf")));
    QtInteraction ui;
    const QString second = folder.filePath(QStringLiteral("second.pdf"));

    bool accepted = true;
    ModalUser cancelling = changingEverything(second, QDialogButtonBox::Cancel);
    EXPECT_TRUE(cancelling.run([&] { accepted = ui.printerSetup(nullptr, port); }));
    EXPECT_FALSE(accepted);
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.outputFileName(), folder.filePath(QStringLiteral("first.pdf")));
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_EQ(printer.copyCount(), 1);

    ModalUser confirming = changingEverything(second, QDialogButtonBox::Ok);
    EXPECT_TRUE(confirming.run([&] { accepted = ui.printerSetup(nullptr, port); }));
    EXPECT_TRUE(accepted);
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.outputFileName(), second);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer.copyCount(), 3);
}

TEST(PrinterSetup, ScalingJobOptionsAreDroppedAndOnePagePerSheetIsAsked) {
    const QStringList chosen = {"number-up",     "4",    "job-priority", "50",  "Fit-To-Page",      "true",
                                "print-scaling", "fill", "page-set",     "all", "number-up-layout", "btlr",
                                "scaling",       "60"};
    EXPECT_EQ(withoutScaling(chosen),
              (QStringList{"job-priority", "50", "page-set", "all", "number-up", "1"}));
    EXPECT_EQ(withoutScaling({}), (QStringList{"number-up", "1"}));
}

// --- The Slide window, the Adjust window and the mode chooser in the running program ---

// Every pixel tells where it came from: red and green the low bits of x and y, blue the high ones.
QColor placeColour(int x, int y) {
    return QColor(x & 255, y & 255, ((x >> 8) << 4) | (y >> 8));
}

QImage placePicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, placeColour(x, y));
    return image.convertToFormat(QImage::Format_BGR888);
}

bool near(QColor a, QColor b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

class InTheProgram : public ProgramTest {
protected:
    // Open with `picture` chosen in the dialog, then `adjust` done in the Adjust window and
    // `inSlide` in the Slide window when it comes.
    void openPicture(const QString& name, const QImage& picture, const std::function<void(TForm1&)>& adjust,
                     const std::function<void(TForm16&)>& inSlide = {}) {
        const QString path = folder.file(name);
        Picture(picture).saveBmp(path);
        ui.fileAnswers.push_back(FileDialogAnswer{path, 0});
        ui.modalActions.push_back([adjust](QDialog& shown) { adjust(static_cast<TForm1&>(shown)); });
        if (inSlide)
            ui.modalActions.push_back([inSlide](QDialog& shown) { inSlide(static_cast<TForm16&>(shown)); });
        control<QToolButton>(form(), "SpeedButton1").click();
    }

    static void takeASlide(TForm1& adjust) { adjust.SpeedButton2->click(); }
};

TEST_F(InTheProgram, SlideWindowOpensEachPictureFromItsCornerWithTheFrameThere) {
    start();
    openPicture("large.bmp", placePicture(1400, 1000), takeASlide, [](TForm16& slide) {
        QApplication::processEvents();
        slide.ScrollBox1->horizontalScrollBar()->setValue(600);
        slide.ScrollBox1->verticalScrollBar()->setValue(400);
        slide.setFramePosition(*slide.Image2, {40, 30});
        slide.SpeedButton4->click();
    });
    QPoint scrolled, framePlace;
    QColor viewCorner;
    openPicture("smaller.bmp", placePicture(700, 520), takeASlide, [&](TForm16& slide) {
        QApplication::processEvents();
        scrolled = {slide.ScrollBox1->horizontalScrollBar()->value(),
                    slide.ScrollBox1->verticalScrollBar()->value()};
        framePlace = slide.Image2->pos();
        viewCorner =
            slide.ScrollBox1->viewport()->grab().toImage().pixelColor(3, 3); // clear corner of the ring
        slide.SpeedButton1->click();
    });
    EXPECT_EQ(scrolled, QPoint(0, 0));
    EXPECT_EQ(framePlace, QPoint(0, 0));
    EXPECT_EQ(viewCorner, placeColour(3, 3));
    // Modify took the piece at the picture's corner: the fitted disc shows its pixels, not white.
    const QImage disc = form().document().slotPicture[0].bitmap();
    ASSERT_EQ(disc.size(), QSize(450, 450));
    for (const QPoint at : {QPoint(225, 60), QPoint(100, 225), QPoint(380, 300)})
        EXPECT_TRUE(near(disc.pixelColor(at), placeColour(at.x(), at.y()), 4))
            << at.x() << "," << at.y() << " is " << disc.pixelColor(at).name().toStdString();
}

TEST_F(InTheProgram, AdjustWindowOpensCentredOnTheMainWindowWhereverItIs) {
    start();
    form().move(60, 50);
    for (const QPoint mainWindowAt : {QPoint(60, 50), QPoint(300, 160)}) {
        form().move(mainWindowAt);
        QPoint offset(999, 999);
        openPicture("photo.bmp", placePicture(600, 600), [&](TForm1& adjust) {
            offset = adjust.frameGeometry().center() - form().frameGeometry().center();
            adjust.SpeedButton1->click();
        });
        EXPECT_LE(offset.manhattanLength(), 2)
            << "main window at " << mainWindowAt.x() << "," << mainWindowAt.y();
    }
}

TEST_F(InTheProgram, ModeChooserCaptionsFitBesideTheirIconsInTheirRows) {
    start();
    const struct {
        QFrame* row;
        QLabel* icon;
        const char* caption;
    } rows[] = {{&control<QFrame>(form(), "Panel2"), &control<QLabel>(form(), "Image11"), "Cd Cover"},
                {&control<QFrame>(form(), "Panel3"), &control<QLabel>(form(), "Image12"), "Front  Cover"},
                {&control<QFrame>(form(), "Panel4"), &control<QLabel>(form(), "Image13"), "Back Cover"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.caption);
        QLabel* caption = nullptr;
        for (QLabel* label : r.row->findChildren<QLabel*>())
            if (!label->text().isEmpty())
                caption = label;
        ASSERT_NE(caption, nullptr);
        EXPECT_EQ(caption->text(), QLatin1String(r.caption));
        const QFontMetrics metrics(caption->font());
        EXPECT_LE(metrics.horizontalAdvance(caption->text()), caption->contentsRect().width());
        EXPECT_LE(metrics.height(), caption->contentsRect().height());
        EXPECT_GT(caption->geometry().left(), r.icon->geometry().right());
        EXPECT_TRUE(r.row->contentsRect().contains(caption->geometry()));
    }
}

// --- The Calibrate window's fields ---

class CalibrateFields : public ProgramTest {
protected:
    TForm19& window() { return *program->Form19; }

    static QString typed(QLineEdit* field, const QString& keys) {
        field->clear();
        QTest::keyClicks(field, keys);
        return field->text();
    }

    // Pastes `clipboard` at the end of what the field holds, with the desktop's Paste keys.
    static QString pasted(QLineEdit* field, const QString& holding, const QString& clipboard) {
        field->setText(holding);
        field->setFocus();
        field->end(false);
        QApplication::clipboard()->setText(clipboard);
        QTest::keySequence(field, QKeySequence::Paste);
        return field->text();
    }
};

TEST_F(CalibrateFields, ACommaTypedInAnOffsetIsItsDecimalPoint) {
    start();
    window().show();
    EXPECT_EQ(typed(window().Edit1, "1,5"), "1.5");
    EXPECT_EQ(typed(window().Edit2, "2,5,3"), "2.53") << "one decimal point at most";
    EXPECT_EQ(typed(window().Edit3, "0.7,5"), "0.75");
    EXPECT_EQ(typed(window().Edit4, "15,"), "15.");
    EXPECT_EQ(typed(window().Edit5, "2,8.3a7"), "2837") << "printed sizes take digits only";
    window().hide();
}

TEST_F(CalibrateFields, PastedTextKeepsOnlyWhatTypingCouldGive) {
    start();
    window().show();
    EXPECT_EQ(pasted(window().Edit1, "", "1,5"), "1.5");
    EXPECT_EQ(pasted(window().Edit2, "", " 2,75 cm\n"), "2.75");
    EXPECT_EQ(pasted(window().Edit3, "1.5", "2,5"), "1.525") << "the field's own point comes first";
    EXPECT_EQ(pasted(window().Edit4, "", "-3e2"), "32");
    EXPECT_EQ(pasted(window().Edit5, "", "3 500 dots"), "3500");
    EXPECT_EQ(pasted(window().Edit6, "28", ".38"), "2838");
    EXPECT_EQ(window().Edit6->cursorPosition(), 4);
    // What the program itself writes into a field is left as it is.
    window().Edit1->setText("1,5");
    EXPECT_EQ(window().Edit1->text(), "1,5");
    window().hide();
}

} // namespace
