#include "search/SearchCommand.h"

#include "mainwindow/Prompts.h"
#include "storage/AppError.h"

#include <exception>

void RunSearchCommand(Prompts& prompts, const std::function<void()>& command) {
    try {
        command();
    } catch (const AppError& error) {
        prompts.error(error.text());
    } catch (const std::exception& error) {
        prompts.error(QString::fromLocal8Bit(error.what()));
    }
}
