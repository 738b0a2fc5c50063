#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>

// One running program per program folder: its working pictures, calibrations and language choice
// belong to one program, and two would swap each other's pictures. The first start holds a lock
// in the folder and listens for later starts; a later start asks the first to come forward and
// ends. A lock left by a program that was killed is taken over.
class SingleProgram {
public:
    enum class Start {
        First,       // this program runs the folder
        HandedOver,  // the program already running there was asked to come forward
        Unreachable, // a program runs there but could not be asked
    };

    explicit SingleProgram(const QString& programFolder);
    ~SingleProgram();
    SingleProgram(const SingleProgram&) = delete;
    SingleProgram& operator=(const SingleProgram&) = delete;

    Start start();

    // Called on the first program each time a later start asks it to come forward.
    void onLaterStart(std::function<void()> comeForward);

    // The message for a start that could not reach the running program.
    static QString alreadyRunning(const QString& programFolder);

private:
    bool askRunningProgram() const;

    QString folder_;
    QString serverName_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
    std::function<void()> comeForward_;
};
