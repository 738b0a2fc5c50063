#include "print/tform19.h"

#include "app/orbalin.h"
#include "app/tform15.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {
QLineEdit* addField(QGroupBox* group, const QString& name, const QString& label, int top,
                    const QString& text) {
    auto* caption = new QLabel(label, group);
    caption->move(10, top + 3);
    auto* edit = new QLineEdit(text, group);
    edit->setObjectName(name);
    edit->setGeometry(80, top, 60, 21);
    return edit;
}

QGroupBox* addGroup(QWidget* parent, const QString& name, const QString& title, int left) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    group->setGeometry(left, 10, 150, 80);
    return group;
}
} // namespace

TForm19::TForm19(Orbalin& program)
    : FixedDialog(program.Form15, QStringLiteral("Form19"), QStringLiteral("Calibrate..."), QSize(490, 330)),
      program_(program) {
    auto* group1 = addGroup(this, QStringLiteral("GroupBox1"), QStringLiteral("Picture #1"), 10);
    auto* group2 = addGroup(this, QStringLiteral("GroupBox2"), QStringLiteral("Picture #2"), 170);
    auto* group3 = addGroup(this, QStringLiteral("GroupBox3"), QStringLiteral("Stretch Pictures"), 330);
    Edit1 =
        addField(group1, QStringLiteral("Edit1"), QStringLiteral("Horizontal"), 22, QStringLiteral("0.50"));
    Edit2 = addField(group1, QStringLiteral("Edit2"), QStringLiteral("Vertical"), 50, QStringLiteral("0.50"));
    Edit3 =
        addField(group2, QStringLiteral("Edit3"), QStringLiteral("Horizontal"), 22, QStringLiteral("0.50"));
    Edit4 =
        addField(group2, QStringLiteral("Edit4"), QStringLiteral("Vertical"), 50, QStringLiteral("15.00"));
    Edit5 = addField(group3, QStringLiteral("Edit5"), QStringLiteral("Horizontal"), 22, QString());
    Edit6 = addField(group3, QStringLiteral("Edit6"), QStringLiteral("Vertical"), 50, QString());
}
