#pragma once

class QMenuBar;

// The menu bar worked from the keyboard: each title and each entry of its menus gets a letter of
// its own (an entry as its menu opens, its text final then: Edit names its steps on opening);
// F10 opens the first menu. (Alt pressed and let go lights the first title: the style does that.)
void reachMenusFromKeys(QMenuBar& bar);

// Marks the titles again, after a language changed them.
void markMenuTitles(QMenuBar& bar);
