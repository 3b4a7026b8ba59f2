#pragma once

// Reaching the main window's controls and dialogs the way a user does: by the
// designed name of a control (for clicks and keys), by command id, and by the
// type of a dialog.

#include "conflict/CardConflictDialog.h"
#include "history/THistoryForm.h"
#include "mainwindow/Application.h"
#include "mainwindow/BandBar.h"
#include "mainwindow/CardList.h"
#include "mainwindow/CommandRegistry.h"
#include "mainwindow/EditorControls.h"
#include "mainwindow/KeyValueGrid.h"
#include "mainwindow/TAboutForm.h"
#include "mainwindow/TAddForm.h"
#include "mainwindow/TDelForm.h"
#include "mainwindow/TForm1.h"
#include "print/TPrintForm.h"
#include "search/TFindForm.h"
#include "settings/TSetForm.h"
#include "widgets/LinkLabel.h"

#include <QAction>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSplitter>
#include <QToolButton>
#include <memory>

namespace windowparts {

inline const QObject& rootOf(const QObject& window) {
    return window;
}
inline const QObject& rootOf(const QObject* window) {
    return *window;
}
template <class W> const QObject& rootOf(const std::unique_ptr<W>& window) {
    return *window;
}
inline const QObject& rootOf(const Application& program) {
    return *program.form1();
}

// Whether object belongs to a dialog inside root rather than to root itself.
inline bool inDialog(const QObject* object, const QObject& root) {
    for (const QObject* owner = object->parent(); owner && owner != &root;
         owner = owner->parent()) {
        if (qobject_cast<const QDialog*>(owner))
            return true;
    }
    return false;
}

// The main window's control (widget, menu or menu item) with the designed
// name; the test stops when there is none.
template <class T, class W> T* control(const W& window, const char* name) {
    const QObject& root = rootOf(window);
    for (T* found : root.findChildren<T*>(QString::fromLatin1(name))) {
        if (!inDialog(found, root))
            return found;
    }
    qFatal("The main window has no %s named %s", T::staticMetaObject.className(), name);
}

// The main window's dialog of type T; null before it is made.
template <class T> T* dialog(const Application& program) {
    if (!program.form1())
        return nullptr;
    return program.form1()->template findChild<T*>(QString(), Qt::FindDirectChildrenOnly);
}

template <class W> CommandRegistry& commandsOf(const W& window) {
    return static_cast<const TForm1&>(rootOf(window)).commands();
}

} // namespace windowparts

using windowparts::commandsOf;
using windowparts::control;
using windowparts::dialog;
