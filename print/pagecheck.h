#pragma once

#include "print/pagepreview.h"

class Interaction;
class QWidget;

// Before a job begins: when the printer cannot reach part of a picture, says by how much and on
// which side and asks whether to print anyway. True when the job may begin.
bool printAnywayWhenCut(Interaction& ui, QWidget* owner, const PagePlan& plan);
