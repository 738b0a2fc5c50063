#pragma once

#include "lang/captiontable.h"

#include <QString>

// The Edit menu names a step after the control that made it: when a step's name is that control's
// caption ("Center", "Clear"), the row of the caption table gives its text in the language in
// effect. A step named by no caption keeps its own name.
const CaptionRow* stepCaption(const QString& stepName);

// "Undo Center": the verb of the Edit menu's item, then the step's name; the verb alone when there
// is no step.
QString editMenuCaption(const QString& verb, const QString& step);
