#pragma once
// The boundary of one user command: a failure reaches the user as a message box with its text; an
// Abort was told already and stays silent.  Every window runs its commands through here.

#include "data/Errors.h"
#include "data/Messenger.h"

#include <optional>
#include <type_traits>

// Returns whether the command completed.
template <typename F>
requires std::is_void_v<std::invoke_result_t<F>>
bool runCommand(Messenger &messenger, F &&command)
{
    try {
        command();
        return true;
    } catch (const Abort &) {
        return false;
    } catch (const QuorvaneError &e) {
        messenger.error(e.message());
        return false;
    }
}

// A command that gives a value: the value, or nothing when it failed (after its message).
template <typename F, typename R = std::invoke_result_t<F>>
requires(!std::is_void_v<R>) std::optional<R> runCommand(Messenger &messenger, F &&command)
{
    std::optional<R> result;
    runCommand(messenger, [&] { result.emplace(command()); });
    return result;
}
