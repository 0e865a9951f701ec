#pragma once
// The busy cursor as an RAII guard.  The core knows no windows: the desktop program installs the
// functions that show and restore the cursor; elsewhere the guard does nothing.

#include <functional>

class BusyCursor
{
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

    static void install(std::function<void()> show, std::function<void()> restore);
};
