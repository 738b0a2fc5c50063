// The Help menu: credits, licence, the help page, the home page and a mail to the author.
#include "app/tform15.h"

void TForm15::About1Click() {}
void TForm15::Licence1Click() {}
void TForm15::Help2Click() {}
void TForm15::Homepage1Click() {}
void TForm15::Email1Click() {}
