#include "print/pagecheck.h"

#include "platform/interaction.h"

bool printAnywayWhenCut(Interaction& ui, QWidget* owner, const PagePlan& plan) {
    if (!plan.anyCut())
        return true;
    return ui.confirm(owner,
                      QStringLiteral("%1\nThe printer cannot reach that part of the page.\n\nPrint anyway?")
                          .arg(cutWarning(plan)));
}
