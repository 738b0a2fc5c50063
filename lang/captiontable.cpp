#include "lang/captiontable.h"

#include <QtGlobal>
#include <algorithm>
#include <array>
#include <string>

namespace {

// Lines missing from this table (1, 17, 18, 22, 23, ..., 142, 149, 155) are free in a language file: the
// program never reads them.
constexpr CaptionRow kCaptions[] = {
    {2, "Form15", "SpeedButton1", "Open"},
    {3, "Form15", "SpeedButton3", "Save"},
    {4, "Form15", "SpeedButton4", "Print"},
    {5, "Form15", "SpeedButton6", "Print.setup"},
    {6, "Form15", "SpeedButton11", "Calibrate"},
    {7, "Form15", "SpeedButton10", "Labels"},
    {8, "Form15", "SpeedButton8", "First"},
    {9, "Form15", "SpeedButton9", "Second"},
    {10, "Form15", "SpeedButton15", "Add Pict."},
    {11, "Form15", "SpeedButton22", "Insert Pict."},
    {12, "Form15", "SpeedButton5", "Clear"},
    {13, "Form15", "SpeedButton13", "Gradient"},
    {14, "Form15", "SpeedButton7", "Text Effect"},
    {15, "Form15", "SpeedButton20", "Text Bar"},
    {16, "Form15", "SpeedButton23", "Effects"},
    {19, "Form15", "Edition", "Put your text here..."},
    {20, "Form15", "SpeedButton21", "Cancel"},
    {21, "Form15", "SpeedButton18", "Ok"},
    {24, "Form15", "Files1", "Files"},
    {25, "Form15", "Loadpicture1", "Load picture..."},
    {26, "Form15", "Savepicture1", "Save picture..."},
    {27, "Form15", "Print1", "Print"},
    {28, "Form15", "Printersetup1", "Printer setup"},
    {29, "Form15", "Quit1", "Quit"},
    {31, "Form15", "Options1", "Options"},
    {32, "Form15", "Calibrate1", "Calibrate"},
    {33, "Form15", "Refresh1", "Refresh"},
    {34, "Form15", "Resize1", "Resize"},
    {35, "Form15", "ResizeTakeasmide1", "Resize - Take a slide"},
    {36, "Form15", "Gradient1", "Gradient"},
    {37, "Form15", "Text2", "Text"},
    {38, "Form15", "AddPicture1", "Add Picture"},
    {39, "Form15", "ApplyPicture1", "Apply Picture"},
    {40, "Form15", "Effects1", "Effects"},
    {42, "Form15", "Images1", "Pictures"},
    {43, "Form15", "First1", "First"},
    {44, "Form15", "Second1", "Second"},
    {46, "Form15", "Covers1", "Labels"},
    {47, "Form15", "Cdcover1", "CD/DVD cover"},
    {48, "Form15", "Frontcover1", "Front cover"},
    {49, "Form15", "Backcover1", "Back cover"},
    {52, "Form15", "ChangeTextmodifierletexte1", "Change Text (modifier le texte)"},
    {53, "Form15", "ApplyChangesAppliquerleschangements1", "Apply Changes (Appliquer les changements)"},
    {54, "Form15", "HidetextareaCacherlazonedetexte1", "Hide text area (Cacher la zone de texte)"},
    {57, "Form15", "LoadPicturesChargerImage1", "Load Picture (Charger Image)"},
    {58, "Form15", "SavePictureSauvegarderlimage1", "Save Picture (Sauvegarder l'image)"},
    {59, "Form15", "FloatingtextBarredetexteflottante1", "Floating text (Barre de texte flottante)"},
    {60, "Form15", "ApplyChangesAppliquerleschangements2", "Apply Changes (Appliquer les changements)"},
    {61, "Form15", "HidetextareaCacherlazonedetexte2", "Hide text area (Cacher la zone de texte)"},
    {64, "Form15", "HidePicture1", "Hide Picture"},
    {67, "Form15", "Help1", "Help"},
    {68, "Form15", "About1", "About"},
    {69, "Form15", "Licence1", "Licence"},
    {70, "Form15", "Help2", "Help"},
    {73, "Form3", kWindowCaption, "Labels..."},
    {76, "Form2", "StaticText2",
     "The picture inserted must be a square, if it's not a perfect square your picture will be truncated."},
    {79, "Form19", kWindowCaption, "Calibrate..."},
    {80, "Form19", "GroupBox3", "Stretch Pictures"},
    {81, "Form19", "GroupBox1", "Picture #1"},
    {82, "Form19", "GroupBox2", "Picture #2"},
    {83, "Form19", "StaticText2", "All new parameters will be saved automatically."},
    {84, "Form19", "StaticText1",
     "Tips on the Printer margins. Each printer has a different margin, it is necessary to take care of it. "
     "It is preferable to make a first test into 0/0 to see  the margin size. "},
    {85, "Form19", "SpeedButton3", "Default"},
    {86, "Form19", "SpeedButton2", "Print test"},
    {89, "Form18", kWindowCaption, "Gradient"},
    {90, "Form18", "Label1", "Gradient (display)"},
    {91, "Form18", "SpeedButton1", "Insert"},
    {92, "Form18", "SpeedButton3", "Color #1"},
    {93, "Form18", "SpeedButton4", "Color #2"},
    {94, "Form18", "SpeedButton2", "Exit"},
    {97, "Form17", kWindowCaption, "Text Area"},
    {98, "Form17", "SpeedButton1", "Clear"},
    {99, "Form17", "SpeedButton7", "Sel.All"},
    {100, "Form17", "SpeedButton2", "Bold"},
    {101, "Form17", "SpeedButton3", "Italic"},
    {102, "Form17", "SpeedButton4", "Vertical"},
    {103, "Form17", "SpeedButton8", "Center"},
    {104, "Form17", "SpeedButton11", "Left ali."},
    {105, "Form17", "SpeedButton10", "Adjust"},
    {106, "Form17", "SpeedButton6", "All  Colors ..."},
    {107, "Form17", "SpeedButton9", "Close"},
    {110, "Form16", kWindowCaption, "Slide..."},
    {111, "Form16", "SpeedButton1", "Modify"},
    {112, "Form16", "SpeedButton2", "Cd"},
    {113, "Form16", "SpeedButton3", "Front"},
    {114, "Form16", "SpeedButton5", "Back"},
    {115, "Form16", "SpeedButton4", "Exit"},
    {118, "Form1", kWindowCaption, "Adjust..."},
    {119, "Form1", "StaticText1",
     "Resize, Resize picture automatically, this methode transform and reduce the whole picture..."},
    {120, "Form1", "StaticText2",
     "Resize-Adjust, allow you to choose a part of the picture without reducing or deforming it."},
    {123, "Form5", kWindowCaption, "Help : How to use Text Bar !"},
    {124, "Form5", "StaticText1",
     "This Text bar works like a  stamp, you can move it using mouse on your label. If you want to apply the "
     "text, simply move text bar where you want : use  CTRLA to apply, or right mouse button and click on "
     "Apply, then move the Text bar  and see  result."},
    {127, "Form15", "SpeedButton24", "Help..."},
    {130, "Form15", "SpeedButton25", "Gallery"},
    {133, "Form7", kWindowCaption, "Effects..."},
    {134, "Form7", "SpeedButton1", "Rotate Picture 90° Left"},
    {135, "Form7", "SpeedButton2", "Rotate Picture 90° Right"},
    {136, "Form7", "SpeedButton3", "Close"},
    {139, "FLibrary", kWindowCaption, "Gallery"},
    {140, "FLibrary", "SpeedButton1", "Insert"},
    {141, "FLibrary", "SpeedButton2", "Close"},
    // Added after the first table.
    {143, "Form15", "PrintPreview1", "Print preview..."},
    {144, "Form15", "ExportPdf1", "Export PDF..."},
    {145, "Form15", "Library1", "Gallery"},
    {146, "Form15", "MiniCD1", "Mini CD"},
    {147, "Form15", "Homepage1", "Homepage"},
    {148, "Form15", "Email1", "Email"},
    {150, "PrintPreview", kWindowCaption, "Print preview"},
    {151, "PrintPreview", "FitButton", "Zoom to fit"},
    {152, "PrintPreview", "PrintButton", "Print"},
    {153, "PrintPreview", "ExportButton", "Export PDF..."},
    {154, "PrintPreview", "CloseButton", "Close"},
    {156, "Form4", kWindowCaption, "Language..."},
    {157, "Form4", "StaticText1", "You have chosen a new language - Press [Ok] to apply it..."},
    {158, "Form4", "Button1", "Ok"},
    {159, "Form15", "DieCutLines1", "Die-cut lines in PDF"},
    // The Edit menu; its items add the name of the step they undo or redo.
    {160, "Form15", "Edit1", "Edit"},
    {161, "Form15", "Undo1", "Undo"},
    {162, "Form15", "Redo1", "Redo"},
};

// A row past the last line would be written past the end of english.lag's lines.
static_assert(std::all_of(std::begin(kCaptions), std::end(kCaptions), [](const CaptionRow& row) {
    return row.line >= 1 && row.line <= kCaptionLineCount;
}));

// Controls of windows still being written.
constexpr std::array<CaptionKey, 0> kPending{};

} // namespace

std::span<const CaptionRow> captionTable() {
    return kCaptions;
}

const CaptionRow* findCaption(std::string_view window, std::string_view control) {
    const auto* found = std::find_if(std::begin(kCaptions), std::end(kCaptions), [&](const CaptionRow& row) {
        return row.window == window && row.control == control;
    });
    return found == std::end(kCaptions) ? nullptr : found;
}

QString captionOf(std::string_view window, std::string_view control) {
    const CaptionRow* row = findCaption(window, control);
    if (row == nullptr)
        qFatal("No caption of %s for control \"%s\" in the caption table", std::string(window).c_str(),
               std::string(control).c_str());
    return englishText(*row);
}

std::span<const CaptionKey> pendingCaptions() {
    return kPending;
}

bool isCaptionPending(const CaptionRow& row) {
    return std::any_of(std::begin(kPending), std::end(kPending), [&](const CaptionKey& key) {
        return key.window == row.window && key.control == row.control;
    });
}
