#pragma once

#include <functional>

class Dialogs;

// Runs an event handler to its end and shows an error it raises; true when it ended well.
using HandlerGuard = std::function<bool(const std::function<void()> &)>;

// The general error boundary: a failure of the handler is shown in the dialogs' error box.
bool RunGuarded(Dialogs &dialogs, const std::function<void()> &handler);

// The guard when one is given, otherwise the general error boundary.
bool RunGuarded(const HandlerGuard &guard, Dialogs &dialogs, const std::function<void()> &handler);
