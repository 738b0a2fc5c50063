// The Text Area driven through its own controls, opened from the main window's "Text Effect".
#include "cover/coverdocument.h"
#include "cover/glyphs.h"
#include "doubles/fakemainwindow.h"
#include "platform/qt/qtinteraction.h"
#include "platform/qt/statuspanels.h"
#include "support/slotfixture.h"
#include "text/textarealists.h"
#include "text/textpainter.h"
#include "text/tform17.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <functional>
#include <set>

namespace {

void press(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

// Types the lines after the text, as the user would.
void typeLines(QTextEdit* editor, const QStringList& lines) {
    QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClicks(editor, lines[i]);
    }
}

// Puts the caret on a line with a mouse click on its first character.
void clickOnLine(QTextEdit* editor, int line) {
    QTextCursor at(editor->document()->findBlockByNumber(line));
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, {}, editor->cursorRect(at).center() + QPoint(2, 0));
}

void clickEntry(ListWithEditLine* list, const QString& entry) {
    QListWidgetItem* item = list->list()->findItems(entry, Qt::MatchExactly).value(0);
    ASSERT_NE(item, nullptr) << entry.toStdString();
    list->list()->scrollToItem(item);
    QTest::mouseClick(list->list()->viewport(), Qt::LeftButton, {},
                      list->list()->visualItemRect(item).center());
}

// The colours of each line's characters, line by line.
std::vector<std::set<quint32>> lineColours(const QTextDocument& document) {
    std::vector<std::set<quint32>> colours;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        colours.emplace_back();
        for (auto it = block.begin(); !it.atEnd(); ++it)
            colours.back().insert(colourValue(styleOf(it.fragment().charFormat(), document).colour));
    }
    return colours;
}

bool showsGlyph(const QAbstractButton* button, const QPixmap& glyph) {
    return button->icon().pixmap(glyph.size()).toImage() == glyph.toImage();
}

// The smallest rectangle of pixels that differ from `background` and pass `ink`.
QRect inkBox(const QImage& picture, QRgb background, const std::function<bool(QRgb)>& ink = {}) {
    QRect box;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (const QRgb pixel = picture.pixel(x, y); pixel != background && (!ink || ink(pixel)))
                box |= QRect(x, y, 1, 1);
    return box;
}

class TextArea : public SlotTest {
protected:
    TForm17& area() { return *program->Form17; }

    // Opens the Text Area from the main window, runs the steps in it and leaves it by "Close".
    void inTextArea(const std::function<void(TForm17&)>& steps) {
        ui.modalActions.push_back([&](QDialog&) {
            steps(area());
            press(area().SpeedButton9);
        });
        control<QToolButton>(form(), "SpeedButton7").click();
        EXPECT_FALSE(ui.leftOpenWindows().contains("Form17"));
    }

    // A solid picture opened into the current slot and fitted.
    const QImage& fittedPicture(QColor colour = QColor(30, 160, 90)) {
        open(bmpFile("solid.bmp", solidPicture(450, 450, colour)), Adjust::Resize);
        return slot(form().document().currentSlot()->index).bitmap();
    }
};

TEST_F(TextArea, StartsAtTenPointsArialBlackOnLineOneAndClearTakesItBackThere) {
    start();
    inTextArea([&](TForm17& window) {
        EXPECT_EQ(window.ComboBox3->editLine()->text(), "10");
        EXPECT_EQ(window.ComboBox2->editLine()->text(), "Arial");
        EXPECT_EQ(window.ComboBox4->currentText(), "Black");
        QTest::qWait(30);
        EXPECT_EQ(window.StatusBar1->text(0), "1");
        typeLines(window.RichEdit1, {"one", "two", "three"});
        QTest::qWait(30);
        EXPECT_EQ(window.StatusBar1->text(0), "3");
        press(window.SpeedButton1);
        QTest::qWait(30);
        EXPECT_EQ(window.StatusBar1->text(0), "1");
        EXPECT_TRUE(window.RichEdit1->document()->isEmpty());
        for (const QWidget* control : window.findChildren<QWidget*>()) {
            const bool actedOn = control->focusPolicy() != Qt::NoFocus && control->isVisibleTo(&window);
            EXPECT_TRUE(!actedOn || !control->accessibleName().isEmpty())
                << control->objectName().toStdString();
        }
    });
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(TextArea, NamedColourColoursTheWholeTextAndAnyColourOnlyTheCaretLine) {
    start();
    inTextArea([&](TForm17& window) {
        typeLines(window.RichEdit1, {"x", "same", "same", "y"});
        // Each item of the colour list shows its colour's swatch.
        window.ComboBox4->showPopup();
        QAbstractItemView* popup = window.ComboBox4->view();
        const QImage shown = popup->grab().toImage();
        for (int item : {0, 2, 12}) {
            const QRect rect = popup->visualRect(popup->model()->index(item, 0));
            EXPECT_EQ(colourValue(shown.pixelColor(rect.topLeft() + QPoint(7, 7))),
                      namedColours()[item].value);
        }
        QTest::mouseClick(popup->viewport(), Qt::LeftButton, {},
                          popup->visualRect(popup->model()->index(2, 0)).center());
        EXPECT_EQ(window.ComboBox4->currentText(), "Red");
        EXPECT_EQ(colourValue(window.currentTextColour), 0x0000FFu);
        using Colours = std::vector<std::set<quint32>>;
        EXPECT_EQ(lineColours(*window.RichEdit1->document()), (Colours{{0xFF}, {0xFF}, {0xFF}, {0xFF}}));

        clickOnLine(window.RichEdit1, 2);
        QTest::qWait(30);
        EXPECT_EQ(window.StatusBar1->text(0), "3");
        ui.colourAnswers.push_back(QColor(0, 128, 255));
        press(window.SpeedButton6);
        EXPECT_EQ(lineColours(*window.RichEdit1->document()), (Colours{{0xFF}, {0xFF}, {0xFF8000}, {0xFF}}));
        EXPECT_EQ(colourValue(window.currentTextColour), 0xFF8000u);
        clickOnLine(window.RichEdit1, 0);
        press(window.SpeedButton6); // cancelled
        EXPECT_EQ(lineColours(*window.RichEdit1->document()), (Colours{{0xFF}, {0xFF}, {0xFF8000}, {0xFF}}));
        EXPECT_EQ(colourValue(window.currentTextColour), 0xFF8000u);
    });
}

TEST_F(TextArea, BoldAndItalicSwitchTheWholeTextOnOrOffAndTheirGlyphsFollowTheCaret) {
    start();
    inTextArea([&](TForm17& window) {
        for (const bool italic : {false, true}) {
            QAbstractButton* button = italic ? window.SpeedButton3 : window.SpeedButton2;
            const QPixmap& off = italic ? window.Image5 : window.Image3;
            const QPixmap& on = italic ? window.Image6 : window.Image4;
            const auto styled = [&](int line) {
                const auto lines =
                    styledEditorLines(*window.RichEdit1->document(), LineStyleFrom::FirstCharacter);
                return italic ? lines.at(size_t(line)).style.italic : lines.at(size_t(line)).style.bold;
            };
            window.RichEdit1->clear();
            typeLines(window.RichEdit1, {"ab", "cd"});
            QTextCharFormat format;
            format.setFontWeight(QFont::Bold);
            format.setFontItalic(true);
            QTextCursor firstLine(window.RichEdit1->document()->firstBlock());
            firstLine.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            firstLine.mergeCharFormat(format);

            press(button); // partly styled: the whole text takes the style
            EXPECT_TRUE(styled(0) && styled(1));
            EXPECT_TRUE(showsGlyph(button, on));
            press(button);
            EXPECT_FALSE(styled(0) || styled(1));
            EXPECT_TRUE(showsGlyph(button, off));

            firstLine.mergeCharFormat(format);
            clickOnLine(window.RichEdit1, 0);
            QTest::qWait(30);
            EXPECT_TRUE(showsGlyph(button, on));
            clickOnLine(window.RichEdit1, 1);
            QTest::qWait(30);
            EXPECT_TRUE(showsGlyph(button, off));
        }
    });
}

TEST_F(TextArea, FontAndSizeListsSetTheWholeTextAndOnlyTheFontListGivesBackTheFocus) {
    start();
    inTextArea([&](TForm17& window) {
        QApplication::setActiveWindow(&window);
        typeLines(window.RichEdit1, {"ab", "cd"});
        clickEntry(window.ComboBox3, "30");
        EXPECT_NE(window.focusWidget(), window.RichEdit1);
        const QString family = window.ComboBox2->list()->item(window.ComboBox2->list()->count() - 1)->text();
        clickEntry(window.ComboBox2, family);
        EXPECT_EQ(window.focusWidget(), window.RichEdit1);
        for (const TextLine& line :
             styledEditorLines(*window.RichEdit1->document(), LineStyleFrom::LastCharacter))
            EXPECT_EQ(line.style, (TextStyle{.family = family, .pointSize = 30}));
        EXPECT_EQ(window.ComboBox2->editLine()->text(), family);
    });
}

TEST_F(TextArea, CenterOnTheCdCoverGivesTheSamePictureTwiceAndTheMaskWinsOffTheRing) {
    start();
    const QImage fitted = fittedPicture();
    QImage once;
    inTextArea([&](TForm17& window) {
        typeLines(window.RichEdit1, QStringList(12, "MMMMMMMMMMMMMMMMMMMMMMMM"));
        clickEntry(window.ComboBox3, "24");
        press(window.SpeedButton8);
        once = slot(0).bitmap().copy();
        press(window.SpeedButton8);
    });
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(slot(0).bitmap().constBits()), once.sizeInBytes()),
              QByteArray(reinterpret_cast<const char*>(once.constBits()), once.sizeInBytes()));
    EXPECT_NE(once, fitted);
    const QImage& mask = form().document().discMask.bitmap();
    int offRing = 0, showingText = 0;
    for (int y = 0; y < 450; ++y) {
        for (int x = 0; x < 450; ++x) {
            if (mask.pixel(x, y) != qRgb(0, 0, 0)) {
                ++offRing;
                showingText += once.pixel(x, y) != mask.pixel(x, y);
            }
        }
    }
    EXPECT_GT(offRing, 10000);
    EXPECT_EQ(showingText, 0);
}

TEST_F(TextArea, CenterAndLeftAliPlaceTheInkWhereTheSameFontPutsItAndVerticalKeepsEachLinesColour) {
    start();
    form().switchToMode(CoverMode::FrontCover);
    const QImage fitted = fittedPicture(Qt::white);
    const QRgb paper = fitted.pixel(0, 0);
    // Where the same font puts the ink of the line drawn at the corner of the same picture.
    const TextStyle style{.family = "Arial", .pointSize = 20};
    QImage reference = fitted.copy();
    paintTextPlan(reference, TextPlan{{{"HIH", QPoint(0, 0), style}}}, {}, {});
    const QRect alone = inkBox(reference, paper);
    const int centred = (450 - measureOnCover("HIH", style).width()) / 2;

    inTextArea([&](TForm17& window) {
        typeLines(window.RichEdit1, {"HIH"});
        clickEntry(window.ComboBox3, "20");
        press(window.SpeedButton11);
        EXPECT_EQ(inkBox(slot(2).bitmap(), paper), alone);
        press(window.SpeedButton8);
        EXPECT_EQ(inkBox(slot(2).bitmap(), paper), alone.translated(centred, 0));

        typeLines(window.RichEdit1, {"", "HIH"});
        for (const auto& [line, colour] : {std::pair{0, QColor(Qt::red)}, std::pair{1, QColor(Qt::blue)}}) {
            clickOnLine(window.RichEdit1, line);
            ui.colourAnswers.push_back(colour);
            press(window.SpeedButton6);
        }
        press(window.SpeedButton4);
    });
    const auto reddish = [](QRgb p) { return qRed(p) > 128 && qBlue(p) < 128; };
    const auto bluish = [](QRgb p) { return qBlue(p) > 128 && qRed(p) < 128; };
    const QRect red = inkBox(slot(2).bitmap(), paper, reddish);
    const QRect blue = inkBox(slot(2).bitmap(), paper, bluish);
    ASSERT_FALSE(red.isEmpty() || blue.isEmpty());
    EXPECT_LT(red.right(), blue.left());  // the first line is the first column
    EXPECT_GT(red.height(), red.width()); // turned down the picture
}

TEST_F(TextArea, AdjustWithAnEmptyEditorOnlyStampsTheDiscMask) {
    start();
    const QImage loaded = solidPicture(450, 450, QColor(200, 40, 40));
    open(bmpFile("unfitted.bmp", loaded)); // loaded, not fitted: nothing to restore
    inTextArea([&](TForm17& window) { press(window.SpeedButton10); });
    const QImage& mask = form().document().discMask.bitmap();
    const QImage& picture = slot(0).bitmap();
    ASSERT_EQ(picture.size(), loaded.size());
    for (int y = 0; y < 450; ++y)
        for (int x = 0; x < 450; ++x) {
            const QRgb expected = mask.pixel(x, y) == qRgb(0, 0, 0) ? loaded.pixel(x, y) : mask.pixel(x, y);
            ASSERT_EQ(picture.pixel(x, y), expected) << x << ", " << y;
        }
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(TextArea, AdjustIsRefusedOffTheCdCoverAndLeavesThePictureAsItWas) {
    start();
    for (const CoverMode mode : {CoverMode::FrontCover, CoverMode::BackCover, CoverMode::MiniCd}) {
        form().switchToMode(mode);
        fittedPicture();
        const int index = form().document().currentSlot()->index;
        QImage before;
        inTextArea([&](TForm17& window) {
            window.RichEdit1->clear();
            typeLines(window.RichEdit1, {"Some text"});
            press(window.SpeedButton11); // text that a restore would take away
            before = slot(index).bitmap().copy();
            press(window.SpeedButton10);
        });
        EXPECT_EQ(ui.messages().value(0),
                  QStringLiteral("Not implement yet with %1").arg(QLatin1String(modeInfo(mode).statusText)));
        EXPECT_EQ(ui.messages().size(), 1);
        EXPECT_EQ(slot(index).bitmap(), before);
        ui.calls.clear();
    }
}

TEST_F(TextArea, LayoutFileFaultsAreToldOnceAndTheProgramRunsOn) {
    folder.write("cd2.txt", "164\nnot a number\n");
    folder.remove("cd3.txt");
    start();
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages()[0].contains("cd2.txt") && ui.messages()[0].contains("cd3.txt"));
    const LayoutTables shipped = loadLayoutTables(QStringLiteral(ORBALIN_DATA_DIR "/")).tables;
    EXPECT_EQ(area().layoutTables.spanTable[100], shipped.spanTable[100]);
    EXPECT_EQ(area().layoutTables.spanTable[300], SpanRow{});
    fittedPicture();
    inTextArea([&](TForm17& window) {
        EXPECT_EQ(window.ComboBox3->editLine()->text(), "10");
        typeLines(window.RichEdit1, {"still laid out"});
        press(window.SpeedButton10);
    });
    EXPECT_EQ(ui.messages().size(), 1);
}

// The window alone, against a fake main window, with scripted or real dialogs.
class TextAreaAlone : public ::testing::Test {
protected:
    std::unique_ptr<TForm17> make(Interaction& dialogs) {
        main.doc.programFolder = main.doc.ownFolder = folder.path();
        auto window = std::make_unique<TForm17>(&owner, WindowServices{main, dialogs, printer});
        window->show();
        return window;
    }

    const ProgramFolder folder;
    FakeMainWindow main;
    ScriptedInteraction ui;
    TestPrinter printer{TestPrinter::dpi600Letter()};
    QWidget owner;
};

// The slot drawn on is the document's current one, whatever the status bar says.
TEST_F(TextAreaAlone, LayoutsOnAnEmptySlotDrawNothing) {
    const std::unique_ptr<TForm17> made = make(ui);
    TForm17& window = *made;
    typeLines(window.RichEdit1, {"text"});
    main.doc.slotCode = 11; // Cd Cover, Picture #2, empty
    press(window.SpeedButton8);
    EXPECT_TRUE(main.doc.slotPicture[1].isEmpty());
    EXPECT_TRUE(main.doc.undoName().isEmpty());
    main.doc.slotCode = 0; // no slot
    press(window.SpeedButton4);
    EXPECT_TRUE(main.doc.slotHistory[1].undoable() == nullptr);
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(TextAreaAlone, AnyColourTakesTheColourChosenInTheRealDialog) {
    QtInteraction dialogs;
    const std::unique_ptr<TForm17> made = make(dialogs);
    TForm17& window = *made;
    typeLines(window.RichEdit1, {"one", "two"});
    clickOnLine(window.RichEdit1, 1);
    bool answered = false;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || answered)
            return;
        answered = true;
        for (QLineEdit* field : dialog->findChildren<QLineEdit*>()) {
            if (field->text().startsWith('#')) {
                field->selectAll();
                QTest::keyClicks(field, "#12ab34");
                QTest::keyClick(field, Qt::Key_Return);
            }
        }
        if (dialog->isVisible())
            dialog->reject(); // the field was not found: fail rather than hang
    });
    user.start(10);
    press(window.SpeedButton6);
    EXPECT_TRUE(answered);
    EXPECT_EQ(lineColours(*window.RichEdit1->document()), (std::vector<std::set<quint32>>{{0}, {0x34AB12}}));
    EXPECT_EQ(colourValue(window.currentTextColour), 0x34AB12u);
}

} // namespace
