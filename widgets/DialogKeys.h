#pragma once

#include <functional>

class QKeyEvent;

// The two keys every dialog of the program answers the same way: Enter (the
// main keyboard's or the keypad's) does what the dialog's main button does,
// Esc what its cancel does.
namespace dialogkeys {

bool isEnter(const QKeyEvent& key);
// Runs confirm on Enter and cancel on Esc; false for any other key, which the
// caller then hands to the base class.
bool handleConfirmCancel(const QKeyEvent& key, const std::function<void()>& confirm,
                         const std::function<void()>& cancel);

} // namespace dialogkeys
