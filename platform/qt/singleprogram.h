#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>

// One running program per folder of its own files: its working pictures, calibrations and language
// choice belong to one program, and two would swap each other's pictures. The first start holds a
// lock in the folder and listens for later starts on a socket in the user's private runtime folder;
// a later start that the running program greets asks it to come forward and ends.
// A lock counts only while its holder lives: one left by a killed program, an empty or garbled
// file, a folder, a link leading nowhere or a lock written on another machine, with nothing of this
// user answering on the socket, is cleared and taken.
class SingleProgram {
public:
    enum class Start {
        First,       // this program runs the folder
        HandedOver,  // the program already running there was asked to come forward
        Unreachable, // a program runs there but does not answer
    };

    explicit SingleProgram(const QString& folder);
    ~SingleProgram();
    SingleProgram(const SingleProgram&) = delete;
    SingleProgram& operator=(const SingleProgram&) = delete;

    Start start();

    // Called on the first program each time a later start asks it to come forward.
    void onLaterStart(std::function<void()> comeForward);

    // The message for a start that could not reach the running program.
    static QString alreadyRunning(const QString& programFolder);

    // Where the program for the folder listens; empty when the user has no private runtime folder.
    static QString serverPath(const QString& folder);

private:
    enum class Answer { CameForward, Silent, NoOne };
    Answer askRunningProgram(int listeningMs, int greetingMs) const;
    Start startFirst(std::unique_ptr<QLockFile> lock);

    QString folder_;
    QString serverPath_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
    std::function<void()> comeForward_;
};
