#include "lang/menukeys.h"

#include "lang/mnemonics.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

// The ampersands of a caption set by hand are kept as typed: the letters are the program's.
void mark(const QList<QAction*>& actions) {
    QList<QAction*> named;
    QStringList captions;
    for (QAction* action : actions) {
        if (action->isSeparator())
            continue;
        named << action;
        captions << plainCaption(action->text());
    }
    const QStringList marked = withMnemonics(captions);
    for (qsizetype i = 0; i < named.size(); ++i)
        named[i]->setText(marked[i]);
}

} // namespace

void markMenuTitles(QMenuBar& bar) {
    mark(bar.actions());
}

void reachMenusFromKeys(QMenuBar& bar) {
    markMenuTitles(bar);
    for (QAction* title : bar.actions())
        if (QMenu* menu = title->menu())
            QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] { mark(menu->actions()); });

    auto* f10 = new QAction(&bar);
    f10->setObjectName(QStringLiteral("OpenMenuBar"));
    f10->setShortcut(QKeySequence(Qt::Key_F10));

    f10->setShortcutContext(Qt::WindowShortcut);
    bar.parentWidget()->addAction(f10);
    QObject::connect(f10, &QAction::triggered, &bar, [&bar] {
        if (!bar.actions().isEmpty())
            bar.setActiveAction(bar.actions().constFirst());
    });
}
