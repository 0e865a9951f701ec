#include "app/ui/AppWindows.h"

#include "app/ui/GuiMessenger.h"
#include "app/ui/TMainForm.h"
#include "data/Errors.h"
#include "data/TDataMod.h"

struct AppWindows::Parts {
    std::unique_ptr<TDataMod> dm;
};

AppWindows::~AppWindows() = default;

std::unique_ptr<AppWindows> createAppWindows(TMainForm &mainForm, const std::function<void()> &step)
{
    auto w = std::make_unique<AppWindows>();
    w->parts = std::make_unique<AppWindows::Parts>();
    w->mainForm = &mainForm;
    step();
    w->parts->dm = std::make_unique<TDataMod>();
    w->dm = w->parts->dm.get();
    mainForm.setDataModule(w->dm);
    // The windows of the start-up order; those not built yet only advance the bar.
    for (int i = 0; i < 21; ++i)
        step();
    return w;
}

void openLeagueAtStart(AppWindows &windows, const QString &path)
{
    try {
        windows.dm->openLeague(path);
        windows.mainForm->ShowLeagueFile(windows.dm->ADOConnection.path());
    } catch (const QuorvaneError &) {
        messenger().error(QStringLiteral("Error opening league file."));
    }
}
