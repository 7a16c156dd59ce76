#pragma once

#include <stdexcept>

#include <QString>

// A failure of one of the program's operations, carrying the words the operator is shown. Code below
// the windows throws it (or a kind of it); the error boundary around every reaction shows message()
// once and ends the operation there.
class ProgramError : public std::runtime_error {
public:
    explicit ProgramError(const QString &message)
        : std::runtime_error(message.toStdString())
    {
    }
    [[nodiscard]] QString message() const { return QString::fromStdString(what()); }
};
