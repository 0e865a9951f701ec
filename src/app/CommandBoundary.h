#pragma once
// The boundary of one user command: a failure reaches the user as a message box with its text; an
// Abort was told already and stays silent.  Returns whether the command completed.

#include "app/Messenger.h"
#include "data/Errors.h"

template <typename F> bool runCommand(Messenger &messenger, F &&command)
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
