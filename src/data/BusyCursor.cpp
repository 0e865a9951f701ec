#include "data/BusyCursor.h"

namespace
{
std::function<void()> &showFn()
{
    static std::function<void()> f;
    return f;
}
std::function<void()> &restoreFn()
{
    static std::function<void()> f;
    return f;
}
} // namespace

BusyCursor::BusyCursor()
{
    if (showFn())
        showFn()();
}

BusyCursor::~BusyCursor()
{
    if (restoreFn())
        restoreFn()();
}

void BusyCursor::install(std::function<void()> show, std::function<void()> restore)
{
    showFn() = std::move(show);
    restoreFn() = std::move(restore);
}
