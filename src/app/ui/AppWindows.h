#pragma once
// Every window of the program, created once at start-up in a fixed order, and the wiring of the main
// window's commands to them.

#include <functional>
#include <memory>

#include <QString>

class TMainForm;
class TDataMod;

struct AppWindows {
    TDataMod *dm = nullptr;
    TMainForm *mainForm = nullptr;
    // Shows the league settings with a page in front (-1: the page shown last).
    std::function<void(int page)> showLeagueSettings;
    // The windows themselves are owned by Qt (children of the main window) or by this struct.
    struct Parts;
    std::unique_ptr<Parts> parts;
    ~AppWindows();
};

// Creates the data module and every window in the start-up order, calling step() before each.
std::unique_ptr<AppWindows> createAppWindows(TMainForm &mainForm, const std::function<void()> &step);

// Opens a league file given on the command line, as the Open command does.
void openLeagueAtStart(AppWindows &windows, const QString &path);
