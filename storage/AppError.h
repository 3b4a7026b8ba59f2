#pragma once

#include <QString>
#include <stdexcept>

// An error with a text meant for the user. Lower layers throw it; it travels up
// to the application's one error box, which shows text() and keeps running.
class AppError : public std::runtime_error {
public:
    explicit AppError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};
