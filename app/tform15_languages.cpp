// The Languages menu: each item chooses a language file; the language window applies it.
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
