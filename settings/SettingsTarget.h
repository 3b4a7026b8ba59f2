#pragma once

#include "core/MainFont.h"

#include <QStringList>
#include <QtGlobal>

class QPrinter;

// What the settings dialog reads from and changes in the main window. The main
// window implements it; the shared values (BackColor, AutoSave, TableTabKey,
// NavigationKeys, ToolbarCaptions) live in AppState, which the dialog updates
// itself.
class SettingsTarget {
public:
    virtual ~SettingsTarget() = default;

    // The column titles of the table editor ListB: item 0 titles the key
    // column, item 1 the value column; further items are kept but not shown.
    virtual QStringList titleCaptions() const = 0;
    // Replaces the titles and redraws the table so that they show.
    virtual void setTitleCaptions(const QStringList& titles) = 0;

    // Gives the stored colour to the main window, its bands Panel1, Panel2 and
    // Panel3, and the about, new card file, delete card file and advanced
    // search dialogs. The settings dialog recolours itself; the print dialog
    // takes AppState::BackColor whenever it is shown.
    virtual void applyBackColor(qint32 color) = 0;

    // Adds or removes the grid option of ListB that makes TAB move between cells.
    virtual void setTableTabOption(bool on) = 0;

    // Whether the menu item Pejtnaprvn1 carries its shortcut (Home).
    virtual bool navigationShortcutsPresent() const = 0;
    // Whether the undo button SpeedButton12 is not hidden, i.e. the toolbar is
    // compact. Must not depend on the main window itself being shown
    // (use !isHidden(), not isVisible()).
    virtual bool undoButtonVisible() const = 0;
    // Runs CompactToolbar (settings/CompactToolbar.h) on the toolbar.
    virtual void makeToolbarCompact() = 0;

    virtual MainFont mainFont() const = 0;
    // Sets the main window's font and font colour at once.
    virtual void setMainFont(const MainFont& font) = 0;

    // The main window's printer, the one its printer set-up dialog changes.
    virtual QPrinter& printer() = 0;
};
