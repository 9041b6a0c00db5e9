#pragma once

#include "store/AppError.h"

#include <QString>

#include <functional>

// The message of the program's error that f raises; empty when it raises none.
inline QString errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const AppError &e) {
        return e.message();
    }
    return QString();
}
