// Wiring of the main window's buttons, menus and pop-up menus to their handlers.
#include "app/clientarea.h"
#include "app/orbalin.h"
#include "app/tform15.h"
#include "platform/interaction.h"
#include "platform/qt/handlerwiring.h"
#include "platform/qt/imageview.h"
#include "text/tform17.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

void TForm15::connectHandlers() {
    connectClicks(
        this, {{SpeedButton1, &TForm15::SpeedButton1Click},   {SpeedButton2, &TForm15::SpeedButton2Click},
               {SpeedButton3, &TForm15::SpeedButton3Click},   {SpeedButton4, &TForm15::SpeedButton4Click},
               {SpeedButton5, &TForm15::SpeedButton5Click},   {SpeedButton6, &TForm15::SpeedButton6Click},
               {SpeedButton7, &TForm15::SpeedButton7Click},   {SpeedButton8, &TForm15::SpeedButton8Click},
               {SpeedButton9, &TForm15::SpeedButton9Click},   {SpeedButton10, &TForm15::SpeedButton10Click},
               {SpeedButton11, &TForm15::SpeedButton11Click}, {SpeedButton12, &TForm15::SpeedButton12Click},
               {SpeedButton13, &TForm15::SpeedButton13Click}, {SpeedButton14, &TForm15::SpeedButton14Click},
               {SpeedButton15, &TForm15::SpeedButton15Click}, {SpeedButton16, &TForm15::SpeedButton16Click},
               {SpeedButton17, &TForm15::SpeedButton17Click}, {SpeedButton18, &TForm15::SpeedButton18Click},
               {SpeedButton19, &TForm15::SpeedButton19Click}, {SpeedButton20, &TForm15::SpeedButton20Click},
               {SpeedButton21, &TForm15::SpeedButton21Click}, {SpeedButton22, &TForm15::SpeedButton22Click},
               {SpeedButton23, &TForm15::SpeedButton23Click}, {SpeedButton24, &TForm15::SpeedButton24Click},
               {SpeedButton25, &TForm15::SpeedButton25Click}});

    connectTriggers(
        this, {{Loadpicture1, &TForm15::Loadpicture1Click},
               {Savepicture1, &TForm15::Savepicture1Click},
               {Print1, &TForm15::Print1Click},
               {PrintPreview1, &TForm15::PrintPreview1Click},
               {ExportPdf1, &TForm15::ExportPdf1Click},
               {DieCutLines1, &TForm15::DieCutLines1Click},
               {Printersetup1, &TForm15::Printersetup1Click},
               {Quit1, &TForm15::Quit1Click},
               {Undo1, &TForm15::Undo1Click},
               {Redo1, &TForm15::Redo1Click},
               {PrintAtScreenResolution1, &TForm15::PrintAtScreenResolution1Click},
               {Calibrate1, &TForm15::Calibrate1Click},
               {LabelStock1, &TForm15::LabelStock1Click},
               {Refresh1, &TForm15::Refresh1Click},
               {Resize1, &TForm15::Resize1Click},
               {ResizeTakeasmide1, &TForm15::ResizeTakeasmide1Click},
               {Gradient1, &TForm15::Gradient1Click},
               {Text2, &TForm15::Text2Click},
               {Effects1, &TForm15::Effects1Click},
               {Library1, &TForm15::Library1Click},
               {First1, &TForm15::First1Click},
               {Second1, &TForm15::Second1Click},
               {Cdcover1, &TForm15::Cdcover1Click},
               {Frontcover1, &TForm15::Frontcover1Click},
               {Backcover1, &TForm15::Backcover1Click},
               {MiniCD1, &TForm15::MiniCD1Click},
               {English1, &TForm15::English1Click},
               {Francais1, &TForm15::Francais1Click},
               {German1, &TForm15::German1Click},
               {hungarian1, &TForm15::hungarian1Click},
               {Swedish1, &TForm15::Swedish1Click},
               {Catalan1, &TForm15::Catalan1Click},
               {Coratian1, &TForm15::Coratian1Click},
               {YourLanguage1, &TForm15::YourLanguage1Click},
               {Editandsendbackbymail1, &TForm15::Editandsendbackbymail1Click},
               {About1, &TForm15::About1Click},
               {Licence1, &TForm15::Licence1Click},
               {Help2, &TForm15::Help2Click},
               {Homepage1, &TForm15::Homepage1Click},
               {Email1, &TForm15::Email1Click},
               {LoadPicturesChargerImage1, &TForm15::Loadpicture1Click},
               {SavePictureSauvegarderlimage1, &TForm15::Savepicture1Click},
               {FloatingtextBarredetexteflottante1, &TForm15::FloatingtextBarredetexteflottante1Click},
               {ApplyChangesAppliquerleschangements2, &TForm15::ApplyChangesAppliquerleschangements2Click},
               {HidetextareaCacherlazonedetexte2, &TForm15::HidetextareaCacherlazonedetexte2Click},
               {ChangeTextmodifierletexte1, &TForm15::ChangeTextmodifierletexte1Click},
               {ApplyChangesAppliquerleschangements1, &TForm15::ApplyChangesAppliquerleschangements1Click},
               {HidetextareaCacherlazonedetexte1, &TForm15::HidetextareaCacherlazonedetexte1Click},
               {HidePicture1, &TForm15::HidePicture1Click}});

    connectFloatingText();
    connect(client, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu2->popup(client->mapToGlobal(at)); });
    connect(floatinglabel, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(floatinglabel->mapToGlobal(at)); });
    connect(MyPicture, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu3->popup(MyPicture->mapToGlobal(at)); });
}

void TForm15::SpeedButton7Click() {
    program_.context.ui.showModal(*program_.Form17);
}
