#pragma once

#include "cover/mainwindowport.h"
#include "print/labelstock.h"

#include <QString>
#include <memory>

class Interaction;
class PrinterPort;
class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm15;
class TForm16;
class TForm17;
class TForm18;
class TForm19;
class TForm20;
class TFLibrary;
class TFPrintPreview;
class TFLabelStock;

// What the program is given from outside: its folder, the desktop's dialogs and the printer.
struct ProgramContext {
    QString programFolder; // with its trailing separator; every file the program names lies here
    Interaction& ui;
    PrinterPort& printer;
    int startupPauseMs = 2000;                       // how long the round start-up window stays
    StockFolders stockFolders = labelStockFolders(); // the label-template library and the user's own
    // Where the program writes its own files when not in its folder (see platform/ownfolder.h).
    QString ownFolder{};
    // Where its working pictures go; empty: with its own files.
    QString workFolder{};
};

// The running program: its fourteen windows, created in a fixed order and alive until the main
// window closes. Every window reaches the others through this object.
class Orbalin {
public:
    explicit Orbalin(const ProgramContext& context);
    ~Orbalin();
    Orbalin(const Orbalin&) = delete;
    Orbalin& operator=(const Orbalin&) = delete;

    const ProgramContext context;

    // Brings the program's window to the front, for a second start from the same folder.
    void comeForward();

    TForm15* Form15 = nullptr; // main window
    TForm16* Form16 = nullptr; // Slide
    TForm17* Form17 = nullptr; // Text Area
    TForm18* Form18 = nullptr; // Gradient
    TForm19* Form19 = nullptr; // Calibrate
    TForm20* Form20 = nullptr; // credits
    TForm6* Form6 = nullptr;   // round start-up window
    TForm1* Form1 = nullptr;   // Adjust
    TForm2* Form2 = nullptr;   // information
    TForm3* Form3 = nullptr;   // Labels
    TForm5* Form5 = nullptr;   // text-bar help
    TForm7* Form7 = nullptr;   // Effects
    TFLibrary* FLibrary = nullptr;
    TForm4* Form4 = nullptr; // Language
    // Made after the fourteen.
    TFPrintPreview* PrintPreview = nullptr;
    TFLabelStock* LabelStock = nullptr;

private:
    std::unique_ptr<TForm15> mainWindow_; // owns the other windows as its children
};
