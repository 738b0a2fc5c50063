#pragma once

#include "cover/coverdocument.h"
#include "cover/mainwindowport.h"
#include "print/labelstock.h"
#include "render/printedpictures.h"

#include <QColor>
#include <QMainWindow>
#include <QPoint>
#include <QStringList>
#include <array>
#include <functional>

class ClientArea;
class ImageView;
class Interaction;
class Orbalin;
class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;
class StatusPanels;
struct PagePicture;
struct PagePlan;

// The main window, the cover editor. It holds the document (CoverDocument), which the other
// windows reach only through MainWindowPort.
class TForm15 : public QMainWindow, public MainWindowPort {
public:
    explicit TForm15(Orbalin& program);
    ~TForm15() override;

    // --- What the other windows may ask ---
    CoverDocument& document() override { return document_; }
    const CoverDocument& document() const { return document_; }
    bool reverseActive() const { return reverseMode; }
    QPoint pictureCorner() const { return {pictureLeft, pictureTop}; }
    // The status bar's panels, for people: the program never reads its state back from them.
    QString statusText(int panel) const;
    void setStatusText(int panel, const QString& text) override;
    void repaintPreview() override;
    void resizePicture() override { SpeedButton2Click(); }
    void resizeAdjustPicture() override { SpeedButton12Click(); }
    Picture pictureToDrawOn(const SlotInfo& slot) const override;
    void switchToMode(CoverMode mode) override;
    // The memory each picture Print, Print preview and Export PDF make may take (render/printedpictures.h).
    void setPrintPictureBudget(qint64 bytes) { sharp_ = PrintedPictures(bytes); }

private:
    // --- Drag anchor ---
    // The one drag state of the window, shared by the floating text, the vertical text marker,
    // the text bar's grip and the added picture: whether a drag is on and where it was pressed,
    // in the pressed control's coordinates.
    bool dragging = false;
    QPoint dragAnchor;

    // --- Controls ---
    ClientArea* client = nullptr;
    QFrame* Menu = nullptr;  // top tool bar
    QFrame* Menu1 = nullptr; // right tool bar
    StatusPanels* StatusBar1 = nullptr;
    QLabel* Image2 = nullptr; // small picture inside the status bar
    QToolButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr, *SpeedButton3 = nullptr,
                *SpeedButton4 = nullptr, *SpeedButton5 = nullptr, *SpeedButton6 = nullptr,
                *SpeedButton7 = nullptr, *SpeedButton8 = nullptr, *SpeedButton9 = nullptr,
                *SpeedButton10 = nullptr, *SpeedButton11 = nullptr, *SpeedButton12 = nullptr,
                *SpeedButton13 = nullptr, *SpeedButton14 = nullptr, *SpeedButton15 = nullptr,
                *SpeedButton20 = nullptr, *SpeedButton22 = nullptr, *SpeedButton23 = nullptr,
                *SpeedButton25 = nullptr;
    QLabel* Image7 = nullptr;
    QFrame* Panel5 = nullptr; // logo box
    QLabel* Image4 = nullptr;
    QFrame* Panel1 = nullptr; // mode chooser
    QLabel* Image16 = nullptr;
    QFrame *Panel2 = nullptr, *Panel3 = nullptr, *Panel4 = nullptr;
    QLabel *Image11 = nullptr, *Image12 = nullptr, *Image13 = nullptr;
    QLabel* Image6 = nullptr;
    QLabel* floatinglabel = nullptr;
    QFrame* Panel11 = nullptr;        // vertical text marker
    QWidget* coverPicture_ = nullptr; // the painted picture as a screen reader finds it
    ImageView* MyPicture = nullptr;   // the added picture
    // Text bar
    QFrame* supfloat = nullptr;
    QFrame *Panel10 = nullptr, *Panel9 = nullptr;
    QLabel* Image5 = nullptr;
    QToolButton *SpeedButton16 = nullptr, *SpeedButton17 = nullptr, *SpeedButton18 = nullptr,
                *SpeedButton19 = nullptr, *SpeedButton21 = nullptr, *SpeedButton24 = nullptr;
    QLineEdit* Edition = nullptr;
    QComboBox* Combofonte = nullptr;
    QComboBox* combotaillefonte = nullptr;
    StatusPanels* StatusBar2 = nullptr;
    // Menus
    QMenu *Files1 = nullptr, *Options1 = nullptr, *Images1 = nullptr, *Covers1 = nullptr,
          *Language1 = nullptr, *Help1 = nullptr;
    QAction *Loadpicture1 = nullptr, *Savepicture1 = nullptr, *Print1 = nullptr, *Printersetup1 = nullptr,
            *Quit1 = nullptr;
    QAction *PrintPreview1 = nullptr, *ExportPdf1 = nullptr; // English only: not in the language files
    QAction *Calibrate1 = nullptr, *Refresh1 = nullptr, *Resize1 = nullptr, *ResizeTakeasmide1 = nullptr,
            *Gradient1 = nullptr, *Text2 = nullptr, *AddPicture1 = nullptr, *ApplyPicture1 = nullptr,
            *Effects1 = nullptr, *Library1 = nullptr;
    QAction *First1 = nullptr, *Second1 = nullptr;
    QAction *Cdcover1 = nullptr, *Frontcover1 = nullptr, *Backcover1 = nullptr, *MiniCD1 = nullptr;
    QAction *English1 = nullptr, *Francais1 = nullptr, *German1 = nullptr, *hungarian1 = nullptr,
            *Swedish1 = nullptr, *Catalan1 = nullptr, *Coratian1 = nullptr, *YourLanguage1 = nullptr,
            *Editandsendbackbymail1 = nullptr;
    QAction *About1 = nullptr, *Licence1 = nullptr, *Help2 = nullptr, *Homepage1 = nullptr, *Email1 = nullptr;
    QMenu* PopupMenu1 = nullptr; // the floating text's
    QMenu* PopupMenu2 = nullptr; // the window's own
    QMenu* PopupMenu3 = nullptr; // the added picture's
    QAction *ChangeTextmodifierletexte1 = nullptr, *ApplyChangesAppliquerleschangements1 = nullptr,
            *HidetextareaCacherlazonedetexte1 = nullptr;
    QAction *LoadPicturesChargerImage1 = nullptr, *SavePictureSauvegarderlimage1 = nullptr,
            *FloatingtextBarredetexteflottante1 = nullptr, *ApplyChangesAppliquerleschangements2 = nullptr,
            *HidetextareaCacherlazonedetexte2 = nullptr;
    QAction* HidePicture1 = nullptr;

    // --- Handlers ---
    void FormCreate();
    void FormPaint(QPainter& canvas);
    void FormResize();
    void Quit1Click();

    // Cover modes
    void Panel2Click() { switchToMode(CoverMode::CdCover); }
    void Image11Click() { switchToMode(CoverMode::CdCover); }
    void Cdcover1Click() { switchToMode(CoverMode::CdCover); }
    void Panel3Click() { switchToMode(CoverMode::FrontCover); }
    void Image12Click() { switchToMode(CoverMode::FrontCover); }
    void Frontcover1Click() { switchToMode(CoverMode::FrontCover); }
    void Panel4Click() { switchToMode(CoverMode::BackCover); }
    void Image13Click() { switchToMode(CoverMode::BackCover); }
    void Backcover1Click() { switchToMode(CoverMode::BackCover); }
    void MiniCD1Click() { switchToMode(CoverMode::MiniCd); }

    // Preview and slots
    void SpeedButton8Click(); // First
    void SpeedButton9Click(); // Second
    void SpeedButton5Click(); // Clear
    void First1Click() { SpeedButton8Click(); }
    void Second1Click() { SpeedButton9Click(); }
    void Refresh1Click() { SpeedButton5Click(); }

    // Windows shown modally
    void SpeedButton7Click();  // Text Area
    void SpeedButton10Click(); // Labels
    void SpeedButton23Click(); // Effects
    void SpeedButton25Click(); // Gallery
    void Text2Click() { SpeedButton7Click(); }
    void Effects1Click() { SpeedButton23Click(); }
    void Library1Click() { SpeedButton25Click(); }

    // Pictures in and out
    void SpeedButton1Click();  // Open
    void SpeedButton2Click();  // Resize
    void SpeedButton12Click(); // Resize-Adjust
    void SpeedButton3Click();  // Save
    void Loadpicture1Click() { SpeedButton1Click(); }
    void Resize1Click() { SpeedButton2Click(); }
    void ResizeTakeasmide1Click() { SpeedButton12Click(); }
    void Savepicture1Click() { SpeedButton3Click(); }

    // Printing and calibration
    void SpeedButton4Click();  // Print
    void SpeedButton6Click();  // Printer setup
    void SpeedButton11Click(); // Calibrate
    void Print1Click() { SpeedButton4Click(); }
    void Printersetup1Click() { SpeedButton6Click(); }
    void Calibrate1Click() { SpeedButton11Click(); }
    void PrintPreview1Click();
    void ExportPdf1Click();

    // Decoration
    void SpeedButton13Click(); // Gradient
    void Gradient1Click() { SpeedButton13Click(); }
    void SpeedButton15Click(); // Add Pict.
    void SpeedButton22Click(); // Insert Pict.
    void HidePicture1Click();
    void MyPictureMouseDown(Qt::MouseButton button, QPoint at);
    void MyPictureMouseMove(Qt::MouseButtons buttons, QPoint at);
    void MyPictureMouseUp(Qt::MouseButton button, QPoint at);

    // Floating text and text bar
    void SpeedButton20Click();
    void SpeedButton14Click();
    void FloatingtextBarredetexteflottante1Click();
    void HidetextareaCacherlazonedetexte1Click();
    void HidetextareaCacherlazonedetexte2Click();
    void ChangeTextmodifierletexte1Click();
    void ApplyChangesAppliquerleschangements1Click();
    void ApplyChangesAppliquerleschangements2Click();
    void floatinglabelDblClick();
    void Panel11DblClick();
    void CombofonteChange();
    void combotaillefonteChange();
    void SpeedButton16Click();
    void SpeedButton17Click();
    void SpeedButton18Click();
    void SpeedButton19Click();
    void SpeedButton21Click();
    void SpeedButton24Click();
    // Drags of the floating text, the text bar's grip (Panel9 and its picture Image5) and the
    // vertical text marker Panel11: a press anchors, moves with a button held carry, a release ends.
    void textDragMouseDown(Qt::MouseButton button, QPoint at);
    void textDragMouseUp();
    void floatinglabelMouseMove(Qt::MouseButtons buttons, QPoint at);
    void Panel9MouseMove(Qt::MouseButtons buttons, QPoint at);
    void Panel11MouseMove(Qt::MouseButtons buttons, QPoint at);

    // Languages, help and about
    void English1Click();
    void Francais1Click();
    void German1Click();
    void hungarian1Click();
    void Swedish1Click();
    void Catalan1Click();
    void Coratian1Click();
    void YourLanguage1Click();
    void Editandsendbackbymail1Click();
    void About1Click();
    void Licence1Click();
    void Help2Click();
    void Homepage1Click();
    void Email1Click();

    void setFloatingTextActive(bool active);
    void hideModeChooser();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildToolBars();
    void buildModeChooser();
    void buildTextBar();
    void buildMenus();
    void buildPopupMenus();
    void connectHandlers();
    void watchForChooserHiding();
    void raiseChooserRow(QFrame* row);
    void resetFloatingText();
    void resetTextStatus();
    void connectFloatingText();
    void hideFloatingText();
    // Bold and Reverse show checked while they are on.
    void showTextBarState();
    void openTextBar(QPoint at);
    bool textDragHeld(Qt::MouseButtons buttons);
    // The marker moves by the pointer's travel from `anchor`, carrying the floating text.
    void moveMarker(QPoint anchor, QPoint pointer);
    void stampFloatingText();
    // The slot's picture as it was last fitted, read back from its refresh file; none while the
    // slot is not fitted or its mode is not the current one.
    std::optional<Picture> fittedPictureOf(const SlotInfo& slot) const;
    void showPicture(bool second);
    // Takes the mode's calibration from its file, or its true size on the printer of the moment
    // when it has none. Throws OrbalinError when the file cannot be read.
    void loadModeCalibration(const ModeInfo& info);
    // Reads the mode's calibration file and returns its six texts, the defaults for the
    // mode's true size standing in for missing lines. Throws OrbalinError when it cannot be read.
    CalibrationTexts readCalibrationFile(const ModeInfo& info);
    void loadLanguageChoice();
    // Loads a language file of the program folder, remembers the choice and shows the language
    // window. Throws OrbalinError, nothing changed, when the file is refused.
    void chooseLanguage(const QString& fileToLoad, const QString& nameToRemember);
    // Shows the language window; true when its Ok applied the language loaded.
    bool languageApplied();
    Picture loadShippedBitmap(const QString& fileName, QStringList& problems) const;
    void disablePrinting();
    // False when the user cancelled it; throws OrbalinError when the picture cannot be opened.
    bool openIntoSlot(const SlotInfo& slot, const QString& path);
    // The page Print makes with the pictures loaded, from the calibration. Throws OrbalinError
    // without a printer or with a value that cannot be used, naming it.
    PagePlan coverPagePlan() const;
    // How the user finds a calibration value: its line in the mode's file and its field.
    QString calibrationValueName(int index) const;
    // The pictures Print draws, Picture #1 and #2 of the mode; null for one not loaded. The current
    // slot prints its working picture, the other its kept copy.
    std::pair<const QImage*, const QImage*> printedPictures() const;
    // What the page draws at the sizes `sizeOf` gives each of its pictures: made again from their
    // steps, or the screen's with a note saying why.
    struct PagePictures {
        const QImage* first = nullptr;
        const QImage* second = nullptr;
        QStringList screenNotes;
    };
    PagePictures sharpPictures(const PagePlan& plan, const std::function<QSize(const PagePicture&)>& sizeOf);
    PrintedPictures sharp_;
    Interaction& ui() const;

    Orbalin& program_;
    CoverDocument document_;
    bool outerSizeSet_ = false;
    // Whether the floating text is on; the status bar's panel 4 shows it.
    bool floatingTextActive_ = false;
    // The text bar stamps its text turned, through the vertical marker.
    bool reverseMode = false;
    // Where the preview last drew the current picture: a window point (x, y) lies over picture
    // point (x - pictureLeft, y - pictureTop).
    int pictureLeft = 0, pictureTop = 0;
    // The open and save dialogs start where the user last went with them.
    QString openFolder_;
    QString saveFolder_;
    QString pdfFolder_;
    // "Your Language..." starts where the system puts it, then in the program folder.
    QString languageFolder_;
    // The text bar's colour dialog opens on the colour last chosen in it.
    QColor textBarColour_ = Qt::black;

    QAction* PrintAtScreenResolution1 = nullptr; // Options; remembered in "print.obn"
    void PrintAtScreenResolution1Click();
    void loadPrintResolutionChoice();

    // Edit: Undo and Redo of the current picture's steps.
    QMenu* Edit1 = nullptr;
    QAction *Undo1 = nullptr, *Redo1 = nullptr;
    void Undo1Click();
    void Redo1Click();
    // Names the step each would take, and disables the one with none (its keys too).
    void updateEditMenu();
    void showSlotStatus();

    // Options > Label stock...: the pictures placed on a stock's labels, saved through Calibrate.
    QAction* LabelStock1 = nullptr;
    void LabelStock1Click();
    // The library, read on first need; it takes a moment.
    const StockReading& labelStocks();
    std::optional<StockReading> stockReading_;
    // The current mode's remembered stock, if the library still has it with the same labels.
    std::optional<LabelStock> modeStock_;
    void loadModeStock();
    // Whether Picture #2 prints: not on a stock without a second label for the insert.
    bool secondHasLabel() const;
    // Files > "Die-cut lines in PDF": the stock's die-cuts drawn in the file, for a proof; off for a
    // file printed on the sheet itself. Remembered in "pdf.obn".
    QAction* DieCutLines1 = nullptr;
    bool pdfDieCuts_ = true;
    void DieCutLines1Click();
    void loadPdfDieCutChoice();
};
