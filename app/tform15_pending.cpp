// Handlers whose behaviour arrives with the features that follow: the floating text and text bar,
// languages, help. They are wired to their controls already and do nothing yet.
#include "app/tform15.h"

void TForm15::SpeedButton20Click() {}
void TForm15::SpeedButton14Click() {}
void TForm15::FloatingtextBarredetexteflottante1Click() {}
void TForm15::HidetextareaCacherlazonedetexte1Click() {}
void TForm15::HidetextareaCacherlazonedetexte2Click() {}
void TForm15::ChangeTextmodifierletexte1Click() {}
void TForm15::ApplyChangesAppliquerleschangements1Click() {}
void TForm15::ApplyChangesAppliquerleschangements2Click() {}
void TForm15::floatinglabelDblClick() {}
void TForm15::Panel11DblClick() {}
void TForm15::CombofonteChange() {}
void TForm15::combotaillefonteChange() {}
void TForm15::SpeedButton16Click() {}
void TForm15::SpeedButton17Click() {}
void TForm15::SpeedButton18Click() {}
void TForm15::SpeedButton19Click() {}
void TForm15::SpeedButton21Click() {}
void TForm15::SpeedButton24Click() {}
void TForm15::English1Click() {}
void TForm15::Francais1Click() {}
void TForm15::German1Click() {}
void TForm15::hungarian1Click() {}
void TForm15::Swedish1Click() {}
void TForm15::Catalan1Click() {}
void TForm15::Coratian1Click() {}
void TForm15::YourLanguage1Click() {}
void TForm15::Editandsendbackbymail1Click() {}
void TForm15::About1Click() {}
void TForm15::Licence1Click() {}
void TForm15::Help2Click() {}
void TForm15::Homepage1Click() {}
void TForm15::Email1Click() {}
