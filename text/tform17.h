#pragma once

#include "cover/mainwindowport.h"
#include "platform/qt/fixeddialog.h"
#include "text/layouttables.h"
#include "text/textarea.h"

#include <QColor>
#include <QPixmap>
#include <array>

class ListWithEditLine;
class QComboBox;
class QFrame;
class QTextEdit;
class QTimer;
class QToolButton;
class StatusPanels;

// The Text Area: a rich-text editor whose text the four layout buttons burn into the main
// window's current picture. It lives for the whole run and keeps its text between openings.
class TForm17 : public FixedDialog {
public:
    TForm17(QWidget* owner, const WindowServices& services);

    // --- Controls ---
    QFrame* Panel5 = nullptr;             // tool bar
    QToolButton* SpeedButton1 = nullptr;  // Clear
    QToolButton* SpeedButton2 = nullptr;  // Bold
    QToolButton* SpeedButton3 = nullptr;  // Italic
    QToolButton* SpeedButton4 = nullptr;  // Vertical
    QToolButton* SpeedButton8 = nullptr;  // Center
    QToolButton* SpeedButton11 = nullptr; // Left ali.
    QToolButton* SpeedButton10 = nullptr; // Adjust
    QToolButton* SpeedButton9 = nullptr;  // Close
    QToolButton* SpeedButton7 = nullptr;  // Sel.All, never shown
    QTextEdit* RichEdit1 = nullptr;
    QFrame* Panel3 = nullptr;              // the lists' panel
    QFrame* Panel4 = nullptr;              // its right-hand part
    ListWithEditLine* ComboBox2 = nullptr; // fonts
    ListWithEditLine* ComboBox3 = nullptr; // sizes
    QComboBox* ComboBox4 = nullptr;        // the named colours
    QToolButton* SpeedButton6 = nullptr;   // All  Colors ...
    StatusPanels* StatusBar1 = nullptr;
    QTimer* Timer1 = nullptr;

    // Bold off and on, Italic off and on, as the Bold and Italic buttons show them.
    QPixmap Image3, Image4, Image5, Image6;
    std::array<QPixmap, 13> ImageList2; // one swatch per named colour
    std::array<int, 13> swatchIndex{};

    // --- State ---
    QColor currentTextColour = Qt::black; // Center and Left ali. draw in it
    int currentLineIndex = 0;             // the caret's line, from 0
    int styleTogglePending = 0;
    bool boldGlyphStale = false;
    bool italicGlyphStale = false;
    LayoutTables layoutTables; // the Adjust layout's rows, read at start-up

    // --- Handlers ---
    void SpeedButton1Click();  // Clear
    void SpeedButton2Click();  // Bold
    void SpeedButton3Click();  // Italic
    void SpeedButton4Click();  // Vertical
    void SpeedButton8Click();  // Center
    void SpeedButton11Click(); // Left ali.
    void SpeedButton10Click(); // Adjust
    void SpeedButton9Click();  // Close
    void SpeedButton6Click();  // All  Colors ...
    void ComboBox2Click(int row);
    void ComboBox3Click(int row);
    void ComboBox4Click();
    void ComboBox4Change();
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildLists();
    void FormCreate();
    void toggleStyle(bool italic);
    void layOut(TextLayout layout);
    TextStyle listStyle() const;

    WindowServices services_;
};
