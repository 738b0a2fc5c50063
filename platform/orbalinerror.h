#pragma once

#include <QString>
#include <stdexcept>

// The one exception type of the program: carries a message meant for the user
// (which file, what went wrong). Caught at the event dispatch and shown in a message box.
class OrbalinError : public std::runtime_error {
public:
    explicit OrbalinError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}

    const QString& message() const { return message_; }

private:
    QString message_;
};
