// Handlers whose behaviour arrives with the features that follow: languages, help. They are wired
// to their controls already and do nothing yet.
#include "app/tform15.h"

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
