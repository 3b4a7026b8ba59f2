#pragma once

#include "mainwindow/CommandRegistry.h"

#include <QKeySequence>
#include <QObject>

class QAction;
class QMainWindow;
class QMenu;
class QPoint;

// The main window's menu bar and the pop-up menus of the table and of the
// picture. Each menu item is a command of the registry; the pop-up items run
// the menu items they repeat. Items and menus carry their designed names as
// object names.
class MainMenu : public QObject {
    Q_OBJECT
public:
    MainMenu(QMainWindow& window, CommandRegistry& commands);

    // With no card open the menu "Úpravy" and the commands on the open card are off.
    void setCardOpen(bool open);
    // The shortcuts Home, End, Page down and Page up of the navigation items.
    void setNavigationKeys(bool on);
    bool navigationKeysPresent() const;
    void popUpTableMenu(const QPoint& globalPos);
    void popUpPictureMenu(const QPoint& globalPos);

private:
    QAction* item(QMenu* menu, const char* name, const QString& caption, Command command,
                  const QKeySequence& shortcut = {});
    QAction* popUpItem(QMenu* menu, const char* name, const QString& caption, Command command);
    void createMenuBar();
    void createPopUpMenus();

    QMainWindow& window_;
    CommandRegistry& commands_;
    QMenu* Edit1_ = nullptr;
    QAction* Pejtnaprvn1_ = nullptr;
    QAction* Pejtnaposledn1_ = nullptr;
    QAction* Dal1_ = nullptr;
    QAction* Pedchoz1_ = nullptr;
    QList<QAction*> cardActions_;
    QMenu* PopupMenu1_ = nullptr;
    QMenu* PopupMenu3_ = nullptr;
};
