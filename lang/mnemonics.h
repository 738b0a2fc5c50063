#pragma once

#include <QString>
#include <QStringList>

// Gives each caption of one menu, or of the menu bar, a letter of its own to be reached by: the
// first letter of the caption if no caption before took it, else the first letter of another of
// its words, else any other letter or digit of it; a caption before gives up its letter for
// another of its own when a later one has no other. The captions are plain text; they come back
// with their ampersands doubled and the chosen letter marked by one. A caption left no letter
// (more captions than letters) comes back unmarked.
QStringList withMnemonics(const QStringList& captions);

// A marked caption as the user reads it: "&&" is an ampersand, a lone "&" marks the next letter.
QString plainCaption(const QString& marked);
