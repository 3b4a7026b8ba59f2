#include "widgets/CommandGuard.h"

#include "storage/AppError.h"

namespace commandguard {

void runGuarded(Prompts& prompts, const std::function<void()>& command) {
    try {
        command();
    } catch (const CommandAborted&) {
        // The command has shown its own message already.
    } catch (const AppError& error) {
        prompts.error(error.text());
    } catch (const std::exception& error) {
        prompts.error(QString::fromLocal8Bit(error.what()));
    }
}

} // namespace commandguard
