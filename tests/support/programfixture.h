#pragma once

#include "app/orbalin.h"
#include "app/tform15.h"
#include "doubles/scriptedinteraction.h"
#include "doubles/testprinter.h"
#include "support/namedcontrol.h"
#include "support/pictures.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A fresh program folder holding a copy of the shipped data files.
class ProgramFolder {
public:
    ProgramFolder();

    QString path() const; // with its trailing separator
    QString file(const QString& name) const { return path() + name; }
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;
    bool exists(const QString& name) const;
    void remove(const QString& name) const;

private:
    QTemporaryDir dir_;
};

// Runs the whole program in a fresh folder, with scripted dialogs and a test printer
// (600 dpi, 4800 x 6600 dots over 203 x 279 mm unless a test changes it before start()).
class ProgramTest : public ::testing::Test {
protected:
    void start();
    void TearDown() override { program.reset(); }
    TForm15& form() { return *program->Form15; }

    ProgramFolder folder;
    ScriptedInteraction ui;
    TestPrinter printer{TestPrinter::dpi600Letter()};
    StockFolders stockFolders; // the label-template library's folders: none unless a test gives one
    std::unique_ptr<Orbalin> program;
};

// What the user does to bring a picture in: Open, choose `path` in the dialog, then press one of
// the Adjust window's buttons (or none) when it comes.
enum class Adjust { Resize, ResizeAdjust, Nothing };
void openPicture(Orbalin& program, ScriptedInteraction& ui, const QString& path, Adjust choice);
