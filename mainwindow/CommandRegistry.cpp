#include "mainwindow/CommandRegistry.h"

#include "storage/AppError.h"
#include "widgets/CommandGuard.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>

CommandRegistry::CommandRegistry(Prompts& prompts, QObject* parent)
    : QObject(parent), prompts_(prompts) {}

void CommandRegistry::add(Command command, QAction* action) {
    actions_.insert(command, action);
}

QAction* CommandRegistry::actionOf(Command command) const {
    QAction* action = actions_.value(command);
    if (!action)
        throw AppError(QStringLiteral("Příkaz %1 nemá položku v nabídce.").arg(int(command)));
    return action;
}

void CommandRegistry::bind(Command command, std::function<void()> handler) {
    QAction* action = actionOf(command);
    connect(action, &QAction::triggered, this, [this, action, handler = std::move(handler)] {
        if (isAvailable(action))
            commandguard::runGuarded(prompts_, handler);
    });
}

void CommandRegistry::forward(QAbstractButton* button, Command command) {
    connect(button, &QAbstractButton::clicked, actionOf(command), &QAction::trigger);
}

void CommandRegistry::trigger(Command command) {
    actionOf(command)->trigger();
}

bool CommandRegistry::isAvailable(Command command) const {
    return isAvailable(actionOf(command));
}

bool CommandRegistry::isShortcut(const QKeySequence& keys) const {
    for (const QAction* action : actions_) {
        if (isAvailable(action) && action->shortcuts().contains(keys))
            return true;
    }
    return false;
}

bool CommandRegistry::isAvailable(const QAction* action) {
    if (!action->isEnabled())
        return false;
    for (const QObject* owner : action->associatedObjects()) {
        if (const auto* menu = qobject_cast<const QMenu*>(owner)) {
            if (!menu->isEnabled() || !menu->menuAction()->isEnabled())
                return false;
        }
    }
    return true;
}
