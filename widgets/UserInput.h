#pragma once

#include <QEvent>

// The kinds of event by which a user acts on the program, for the filters
// that hold input back while a long job (a print job, a search) runs with the
// event loop turning.
namespace userinput {

// Clicks, wheel, context menu, touch and tablet.
bool isPointerInput(QEvent::Type type);
// Key presses and releases, and the shortcut override that comes before them.
bool isKeyInput(QEvent::Type type);
// Input that acts without pointer or key reaching a control: shortcuts of
// actions, closing a window, dropping files, typing through an input method.
bool isOtherInput(QEvent::Type type);

} // namespace userinput
