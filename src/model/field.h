#pragma once

#include <QObject>

#include <utility>

namespace corvane {

// Writes a property's field and announces it, only when the value changes.
template<typename Owner, typename T, typename U>
bool assign(Owner *owner, T &field, U &&value, void (Owner::*changed)())
{
    if (field == value)
        return false;
    field = std::forward<U>(value);
    Q_EMIT (owner->*changed)();
    return true;
}

} // namespace corvane
