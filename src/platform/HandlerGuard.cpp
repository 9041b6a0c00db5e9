#include "platform/HandlerGuard.h"

#include "platform/Dialogs.h"
#include "store/AppError.h"

#include <new>

bool RunGuarded(Dialogs &dialogs, const std::function<void()> &handler)
{
    try {
        handler();
        return true;
    } catch (const AppError &error) {
        dialogs.showError(error.message());
    } catch (const std::bad_alloc &) {
        dialogs.showError(AppError(QStringLiteral("Out of memory")).message());
    }
    return false;
}

bool RunGuarded(const HandlerGuard &guard, Dialogs &dialogs, const std::function<void()> &handler)
{
    return guard ? guard(handler) : RunGuarded(dialogs, handler);
}
