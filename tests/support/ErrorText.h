#pragma once

#include "storage/AppError.h"

#include <QString>

// The text of the AppError that action throws; empty when it throws none, so
// a check of a message that never came fails showing nothing where the text
// should be.
template <class Action> QString errorOf(Action&& action) {
    try {
        action();
    } catch (const AppError& error) {
        return error.text();
    }
    return {};
}
