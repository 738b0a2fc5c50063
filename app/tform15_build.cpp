// The main window's controls, tool bars and menus.
#include "app/clientarea.h"
#include "app/tform15.h"
#include "cover/glyphs.h"
#include "decor/slidepiece.h"
#include "lang/captiontable.h"
#include "lang/menukeys.h"
#include "platform/qt/controlpurpose.h"
#include "platform/qt/imageview.h"
#include "platform/qt/keyboardmove.h"
#include "platform/qt/mousehandlers.h"
#include "platform/qt/picturenode.h"
#include "platform/qt/statuspanels.h"
#include "platform/qt/toolbutton.h"
#include "platform/qt/windowface.h"
#include "text/floatingtext.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace {
QToolButton* flatButton(QWidget* parent, const QString& name, const QString& caption, Glyph picture,
                        const QRect& geometry) {
    const bool large = geometry.height() >= 40;
    QToolButton* button = toolButton(
        parent, name, {.caption = caption, .icon = large ? QIcon(glyph(picture, 32)) : QIcon()}, geometry);
    QFont captionFont = button->font();
    captionFont.setPixelSize(10); // "Print.setup" fits a 60-pixel button
    button->setFont(captionFont);
    button->setMouseTracking(true);
    return button;
}

// A caption keeps all its words in whatever font the desktop gives: one too wide is made smaller.
void fitCaption(QLabel& label) {
    QFont font = label.font();
    while (font.pointSizeF() > 5 && QFontMetrics(font).horizontalAdvance(label.text()) > label.width())
        font.setPointSizeF(font.pointSizeF() - 0.5);
    label.setFont(font);
}

// The main window's captions that a language file replaces come from the caption table.
QString listed(const char* name) {
    return captionOf("Form15", name);
}

QToolButton* listedButton(QWidget* parent, const char* name, Glyph picture, const QRect& geometry) {
    return flatButton(parent, QLatin1String(name), listed(name), picture, geometry);
}

void separator(QWidget* parent, const QRect& geometry) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::Panel);
    line->setFrameShadow(QFrame::Raised);
    line->setGeometry(geometry);
}

QFrame* panel(QWidget* parent, const QString& name, const QRect& geometry, QFrame::Shadow shadow) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(shadow);
    frame->setGeometry(geometry);
    frame->setAutoFillBackground(true); // opaque: a large picture is painted underneath
    return frame;
}

QLabel* picture(QWidget* parent, const QString& name, const QRect& geometry, const QPixmap& pixmap = {}) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    if (!pixmap.isNull())
        label->setPixmap(pixmap);
    return label;
}

QAction* item(QMenu* menu, const QString& name, const QString& caption, const QKeySequence& key = {}) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    if (!key.isEmpty())
        action->setShortcut(key);
    return action;
}

QAction* listedItem(QMenu* menu, const char* name, const QKeySequence& key = {}) {
    return item(menu, QLatin1String(name), listed(name), key);
}

QMenu* listedMenu(QMenuBar* bar, const char* name) {
    QMenu* menu = bar->addMenu(listed(name));
    menu->setObjectName(QLatin1String(name));
    return menu;
}
} // namespace

void TForm15::buildControls() {
    client = new ClientArea(this, [this](QPainter& canvas) { FormPaint(canvas); });
    setCentralWidget(client);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, mainWindowFace());
    setPalette(colours);
    client->setAutoFillBackground(true);
    client->setContextMenuPolicy(Qt::CustomContextMenu);

    buildToolBars();
    StatusBar1 = new StatusPanels(
        client, QStringLiteral("StatusBar1"),
        {{150, Qt::AlignLeft, false}, {70}, {70, Qt::AlignCenter, false}, {80}, {150}, {50}}, 20);
    StatusBar1->setAutoFillBackground(true);
    Image2 = picture(StatusBar1, QStringLiteral("Image2"), QRect(572, 2, 15, 16), statusIcon());
    Image6 = picture(client, QStringLiteral("Image6"), QRect(432, 304, 105, 105));
    coverPicture_ = pictureNode(client, QStringLiteral("Cover picture"));
    buildModeChooser();

    floatinglabel = new FloatingText(QStringLiteral("TEXT ! Move, Double Click..."), client);
    floatinglabel->setObjectName(QStringLiteral("floatinglabel"));
    floatinglabel->setAutoFillBackground(true);
    QPalette white = floatinglabel->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    floatinglabel->setPalette(white);
    QFont labelFont(QStringLiteral("Arial"), 12);
    labelFont.setBold(true);
    floatinglabel->setFont(labelFont);
    floatinglabel->setCursor(Qt::SizeAllCursor);
    floatinglabel->setToolTip(QStringLiteral("Move with your mouse, double click to change text !"));
    floatinglabel->setAccessibleDescription(floatinglabel->toolTip());
    floatinglabel->setContextMenuPolicy(Qt::CustomContextMenu);
    floatinglabel->adjustSize();
    floatinglabel->move(8, 72);
    floatinglabel->hide();

    Panel11 = panel(client, QStringLiteral("Panel11"), QRect(160, 280, 25, 169), QFrame::Sunken);
    auto* markerCaption = new QLabel(QStringLiteral("Text"), Panel11);
    markerCaption->setGeometry(2, 2, 21, 14);
    QFont markerFont(QStringLiteral("MS Serif"));
    markerFont.setPixelSize(8);
    markerCaption->setFont(markerFont);
    markerCaption->setAttribute(Qt::WA_TransparentForMouseEvents); // the marker itself is dragged
    Panel11->setAccessibleName(markerCaption->text());
    Panel11->setCursor(Qt::SizeAllCursor);
    Panel11->hide();

    MyPicture = new ImageView(client, QStringLiteral("MyPicture"), QSize(0, 0), true);
    MyPicture->move(0, 200);
    MyPicture->setCursor(Qt::PointingHandCursor);
    MyPicture->setToolTip(QStringLiteral("Move and insert picture..."));
    MyPicture->setAccessibleName(MyPicture->toolTip());
    MyPicture->setContextMenuPolicy(Qt::CustomContextMenu);
    MyPicture->hide();
    routeMouse(MyPicture, {[this](Qt::MouseButton button, QPoint at) { MyPictureMouseDown(button, at); },
                           [this](Qt::MouseButtons buttons, QPoint at) { MyPictureMouseMove(buttons, at); },
                           [this](Qt::MouseButton button, QPoint at) { MyPictureMouseUp(button, at); },
                           {}});
    moveWithKeys(MyPicture,
                 [this](QPoint step) { MyPicture->move(draggedPosition(MyPicture->pos(), {}, step)); });

    buildTextBar();
    buildMenus();
    buildPopupMenus();
}

void TForm15::buildToolBars() {
    Menu = panel(client, QStringLiteral("Menu"), QRect(0, 0, 790, 68), QFrame::Raised);
    Menu->setMouseTracking(true);
    for (int x : {3, 6, 137, 269, 340, 412, 545})
        separator(Menu, QRect(x, 3, 3, 62));
    SpeedButton1 = listedButton(Menu, "SpeedButton1", Glyph::Open, {13, 4, 60, 60});
    SpeedButton3 = listedButton(Menu, "SpeedButton3", Glyph::Save, {73, 4, 60, 60});
    SpeedButton4 = listedButton(Menu, "SpeedButton4", Glyph::Print, {145, 4, 60, 60});
    SpeedButton6 = listedButton(Menu, "SpeedButton6", Glyph::PrintSetup, {205, 4, 60, 60});
    SpeedButton11 = listedButton(Menu, "SpeedButton11", Glyph::Calibrate, {276, 4, 60, 60});
    SpeedButton10 = listedButton(Menu, "SpeedButton10", Glyph::Labels, {348, 4, 60, 60});
    SpeedButton8 = listedButton(Menu, "SpeedButton8", Glyph::First, {420, 4, 60, 60});
    SpeedButton9 = listedButton(Menu, "SpeedButton9", Glyph::Second, {481, 4, 60, 60});
    SpeedButton15 = listedButton(Menu, "SpeedButton15", Glyph::AddPicture, {553, 4, 60, 60});
    SpeedButton22 = listedButton(Menu, "SpeedButton22", Glyph::InsertPicture, {653, 4, 60, 60});
    Image7 = picture(Menu, QStringLiteral("Image7"), QRect(616, 17, 35, 33), arrowPicture());
    SpeedButton2 = flatButton(Menu, "SpeedButton2", "Resize", Glyph::Resize, {720, 8, 49, 49});
    SpeedButton12 = flatButton(Menu, "SpeedButton12", "R.adjust", Glyph::ResizeAdjust, {720, 8, 49, 49});
    SpeedButton2->hide();
    SpeedButton12->hide();
    Panel5 = panel(Menu, QStringLiteral("Panel5"), QRect(725, 8, 51, 51), QFrame::Sunken);
    Image4 = picture(Panel5, QStringLiteral("Image4"), QRect(2, 2, 47, 47), logo(47));

    Menu1 = panel(client, QStringLiteral("Menu1"), QRect(718, 68, 72, 512), QFrame::Raised);
    Menu1->setMouseTracking(true);
    for (int y : {13, 85, 157, 228, 300, 372})
        separator(Menu1, QRect(4, y, 65, 3));
    SpeedButton5 = listedButton(Menu1, "SpeedButton5", Glyph::Clear, {7, 17, 60, 60});
    SpeedButton13 = listedButton(Menu1, "SpeedButton13", Glyph::Gradient, {7, 89, 60, 60});
    SpeedButton7 = listedButton(Menu1, "SpeedButton7", Glyph::TextEffect, {7, 161, 60, 60});
    SpeedButton20 = listedButton(Menu1, "SpeedButton20", Glyph::TextBar, {7, 232, 60, 60});
    SpeedButton23 = listedButton(Menu1, "SpeedButton23", Glyph::Effects, {7, 304, 60, 60});
    SpeedButton25 = listedButton(Menu1, "SpeedButton25", Glyph::Gallery, {7, 376, 60, 61});
    SpeedButton14 = flatButton(Menu1, "SpeedButton14", "Text Bar", Glyph::TextBar, {7, 441, 60, 60});
    SpeedButton14->hide();
}

void TForm15::buildModeChooser() {
    Panel1 = panel(client, QStringLiteral("Panel1"), QRect(333, 373, 123, 89), QFrame::Raised);
    Image16 = picture(Panel1, QStringLiteral("Image16"), QRect(0, 0, 25, 89), modeStrip(25, 89));
    const struct {
        QFrame** row;
        QLabel** icon;
        const char* name;
        const char* iconName;
        const char* caption;
        Glyph glyph;
    } rows[] = {
        {&Panel2, &Image11, "Panel2", "Image11", "Cd Cover", Glyph::CdCover},
        {&Panel3, &Image12, "Panel3", "Image12", "Front  Cover", Glyph::FrontCover},
        {&Panel4, &Image13, "Panel4", "Image13", "Back Cover", Glyph::BackCover},
    };
    int top = 1;
    for (const auto& row : rows) {
        QFrame* frame = panel(Panel1, QString::fromLatin1(row.name), QRect(25, top, 98, 29), QFrame::Plain);
        frame->setMouseTracking(true);
        auto* caption = new QLabel(QString::fromLatin1(row.caption), frame);
        caption->setGeometry(28, 1, 68, 27); // between the icon and the row's border
        caption->setAlignment(Qt::AlignCenter);
        fitCaption(*caption);
        caption->setAttribute(Qt::WA_TransparentForMouseEvents);
        *row.icon =
            picture(frame, QString::fromLatin1(row.iconName), QRect(2, 2, 25, 25), modeIcon(row.glyph));
        (*row.icon)->setMouseTracking(true);
        *row.row = frame;
        top += 29;
    }
    Panel1->hide();
}

void TForm15::buildTextBar() {
    supfloat = panel(client, QStringLiteral("supfloat"), QRect(1, 68, 251, 167), QFrame::Raised);
    supfloat->setAutoFillBackground(true);
    Panel10 = panel(supfloat, QStringLiteral("Panel10"), QRect(0, 0, 251, 32), QFrame::Raised);
    SpeedButton17 = flatButton(Panel10, "SpeedButton17", {}, Glyph::TextColour, {16, 3, 24, 25});
    SpeedButton16 = flatButton(Panel10, "SpeedButton16", {}, Glyph::Bold, {48, 3, 25, 25});
    SpeedButton19 = flatButton(Panel10, "SpeedButton19", {}, Glyph::Reverse, {81, 3, 25, 25});
    SpeedButton24 = listedButton(Panel10, "SpeedButton24", Glyph::Help, {176, 3, 70, 26});
    for (auto [button, glyphId, hint] : {std::tuple{SpeedButton17, Glyph::TextColour, "Text color"},
                                         std::tuple{SpeedButton16, Glyph::Bold, "Bold"},
                                         std::tuple{SpeedButton19, Glyph::Reverse, "Reverse text..."}}) {
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setIcon(QIcon(glyph(glyphId, 20)));
        button->setToolTip(QString::fromLatin1(hint));
        button->setAccessibleName(button->toolTip());
    }
    // A screen reader says whether each is on.
    SpeedButton16->setCheckable(true);
    SpeedButton19->setCheckable(true);
    SpeedButton19->setAccessibleName(QStringLiteral("Reverse text"));
    Panel9 = panel(supfloat, QStringLiteral("Panel9"), QRect(0, 32, 24, 119), QFrame::Raised);
    Panel9->setCursor(Qt::PointingHandCursor);
    Image5 = picture(Panel9, QStringLiteral("Image5"), QRect(1, 2, 22, 115), modeStrip(22, 115));
    Panel9->setAccessibleName(QStringLiteral("Move the text bar"));
    Image5->setAccessibleName(Panel9->accessibleName());

    Edition = new QLineEdit(listed("Edition"), supfloat);
    Edition->setObjectName(QStringLiteral("Edition"));
    Edition->setGeometry(27, 35, 220, 62);
    QFont editFont(QStringLiteral("Arial"), 12);
    editFont.setBold(true);
    Edition->setFont(editFont);
    Edition->setAccessibleName(QStringLiteral("Text"));

    Combofonte = new QComboBox(supfloat);
    Combofonte->setObjectName(QStringLiteral("Combofonte"));
    Combofonte->setGeometry(27, 100, 150, 24);
    combotaillefonte = new QComboBox(supfloat);
    combotaillefonte->setObjectName(QStringLiteral("combotaillefonte"));
    combotaillefonte->setGeometry(181, 100, 67, 24);
    tellPurpose(*Combofonte, QStringLiteral("Font"));
    tellPurpose(*combotaillefonte, QStringLiteral("Font size"));
    for (int size = 6; size <= 100; size += 2)
        combotaillefonte->addItem(QString::number(size));
    for (int size = 110; size <= 340; size += 10)
        combotaillefonte->addItem(QString::number(size));

    SpeedButton21 = listedButton(supfloat, "SpeedButton21", Glyph::Cancel, {112, 129, 65, 16});
    SpeedButton18 = listedButton(supfloat, "SpeedButton18", Glyph::Ok, {181, 129, 65, 16});
    StatusBar2 = new StatusPanels(supfloat, QStringLiteral("StatusBar2"), {{50}, {199}}, 16);
    StatusBar2->setGeometry(0, 151, 251, 16);
    StatusBar2->setText(0, QStringLiteral("Status"));
    supfloat->hide();
}

void TForm15::buildMenus() {
    QMenuBar* bar = menuBar();
    Files1 = listedMenu(bar, "Files1");
    Loadpicture1 = listedItem(Files1, "Loadpicture1", QKeySequence(QStringLiteral("Ctrl+L")));
    Savepicture1 = listedItem(Files1, "Savepicture1", QKeySequence(QStringLiteral("Ctrl+S")));
    Files1->addSeparator();
    Print1 = listedItem(Files1, "Print1", QKeySequence(QStringLiteral("Ctrl+P")));
    PrintPreview1 = listedItem(Files1, "PrintPreview1", QKeySequence(QStringLiteral("Ctrl+Shift+P")));
    ExportPdf1 = listedItem(Files1, "ExportPdf1");
    DieCutLines1 = listedItem(Files1, "DieCutLines1");
    DieCutLines1->setCheckable(true);
    Printersetup1 = listedItem(Files1, "Printersetup1");
    Files1->addSeparator();
    Quit1 = listedItem(Files1, "Quit1");

    // Ctrl+Z is Resize - Take a slide's, so Undo takes the platform's other key.
    Edit1 = listedMenu(bar, "Edit1");
    Undo1 = listedItem(Edit1, "Undo1", QKeySequence(QStringLiteral("Alt+Backspace")));
    Redo1 = listedItem(Edit1, "Redo1");
    Redo1->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    connect(Edit1, &QMenu::aboutToShow, this, &TForm15::updateEditMenu);

    Options1 = listedMenu(bar, "Options1");
    Calibrate1 = listedItem(Options1, "Calibrate1", QKeySequence(QStringLiteral("Ctrl+C")));
    Refresh1 = listedItem(Options1, "Refresh1", QKeySequence(QStringLiteral("Ctrl+Alt+R")));
    PrintAtScreenResolution1 = item(Options1, QStringLiteral("PrintAtScreenResolution1"),
                                    QStringLiteral("Print at screen resolution"));
    PrintAtScreenResolution1->setCheckable(true);
    LabelStock1 = item(Options1, QStringLiteral("LabelStock1"), QStringLiteral("Label stock..."));
    Options1->addSeparator();
    Resize1 = listedItem(Options1, "Resize1", QKeySequence(QStringLiteral("Ctrl+R")));
    ResizeTakeasmide1 = listedItem(Options1, "ResizeTakeasmide1", QKeySequence(QStringLiteral("Ctrl+Z")));
    Gradient1 = listedItem(Options1, "Gradient1", QKeySequence(QStringLiteral("Ctrl+G")));
    Options1->addSeparator();
    Text2 = listedItem(Options1, "Text2", QKeySequence(QStringLiteral("Ctrl+T")));
    Options1->addSeparator();
    AddPicture1 = listedItem(Options1, "AddPicture1");
    ApplyPicture1 = listedItem(Options1, "ApplyPicture1");
    Options1->addSeparator();
    Effects1 = listedItem(Options1, "Effects1");
    Library1 = listedItem(Options1, "Library1");

    Images1 = listedMenu(bar, "Images1");
    First1 = listedItem(Images1, "First1", QKeySequence(Qt::Key_F1));
    Second1 = listedItem(Images1, "Second1", QKeySequence(Qt::Key_F2));

    Covers1 = listedMenu(bar, "Covers1");
    Cdcover1 = listedItem(Covers1, "Cdcover1", QKeySequence(Qt::Key_F3));
    Frontcover1 = listedItem(Covers1, "Frontcover1", QKeySequence(Qt::Key_F4));
    Backcover1 = listedItem(Covers1, "Backcover1", QKeySequence(Qt::Key_F5));
    Covers1->addSeparator();
    MiniCD1 = listedItem(Covers1, "MiniCD1", QKeySequence(Qt::Key_F6));

    Language1 = bar->addMenu(QStringLiteral("Languages")); // never translated
    Language1->setObjectName(QStringLiteral("Language1"));
    English1 = item(Language1, "English1", "English");
    Francais1 = item(Language1, "Francais1", "Francais");
    German1 = item(Language1, "German1", "German");
    hungarian1 = item(Language1, "hungarian1", "hungarian");
    Swedish1 = item(Language1, "Swedish1", "Swedish");
    Catalan1 = item(Language1, "Catalan1", "Catalan");
    Coratian1 = item(Language1, "Coratian1", "Croatian");
    Language1->addSeparator();
    YourLanguage1 = item(Language1, "YourLanguage1", "Your Language... (to test your file)");
    Editandsendbackbymail1 = item(Language1, "Editandsendbackbymail1", "Edit and send back by mail");

    Help1 = listedMenu(bar, "Help1");
    About1 = listedItem(Help1, "About1");
    Licence1 = listedItem(Help1, "Licence1");
    Help1->addSeparator();
    Help2 = listedItem(Help1, "Help2");
    Help1->addSeparator();
    Homepage1 = listedItem(Help1, "Homepage1");
    Email1 = listedItem(Help1, "Email1");
    reachMenusFromKeys(*bar);
}

void TForm15::buildPopupMenus() {
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    PopupMenu2->setAccessibleName(QStringLiteral("Cover menu"));
    LoadPicturesChargerImage1 = listedItem(PopupMenu2, "LoadPicturesChargerImage1");
    SavePictureSauvegarderlimage1 = listedItem(PopupMenu2, "SavePictureSauvegarderlimage1");
    PopupMenu2->addSeparator();
    FloatingtextBarredetexteflottante1 =
        listedItem(PopupMenu2, "FloatingtextBarredetexteflottante1", QKeySequence(QStringLiteral("Ctrl+F")));
    PopupMenu2->addSeparator();
    ApplyChangesAppliquerleschangements2 = listedItem(PopupMenu2, "ApplyChangesAppliquerleschangements2",
                                                      QKeySequence(QStringLiteral("Ctrl+A")));
    HidetextareaCacherlazonedetexte2 =
        listedItem(PopupMenu2, "HidetextareaCacherlazonedetexte2", QKeySequence(QStringLiteral("Ctrl+H")));
    // The window's own menu carries the keys, wherever the focus is.
    addActions({FloatingtextBarredetexteflottante1, ApplyChangesAppliquerleschangements2,
                HidetextareaCacherlazonedetexte2});

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->setAccessibleName(QStringLiteral("Floating text menu"));
    ChangeTextmodifierletexte1 = listedItem(PopupMenu1, "ChangeTextmodifierletexte1");
    PopupMenu1->addSeparator();
    ApplyChangesAppliquerleschangements1 = listedItem(PopupMenu1, "ApplyChangesAppliquerleschangements1",
                                                      QKeySequence(QStringLiteral("Ctrl+A")));
    HidetextareaCacherlazonedetexte1 =
        listedItem(PopupMenu1, "HidetextareaCacherlazonedetexte1", QKeySequence(QStringLiteral("Ctrl+H")));
    // Shown in the menu only: the window's own items already answer these keys.
    for (QAction* action : {ApplyChangesAppliquerleschangements1, HidetextareaCacherlazonedetexte1})
        action->setShortcutContext(Qt::WidgetShortcut);

    PopupMenu3 = new QMenu(this);
    PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
    PopupMenu3->setAccessibleName(QStringLiteral("Added picture menu"));
    HidePicture1 = listedItem(PopupMenu3, "HidePicture1");
}
