#include "app/ui/AppWindows.h"

#include "app/ConvertLeague.h"
#include "app/LeagueFiles.h"
#include "app/ui/GuiMessenger.h"
#include "app/ui/TMainForm.h"
#include "data/Errors.h"
#include "data/TDataMod.h"

#include <QAction>
#include <QApplication>

struct AppWindows::Parts {
    std::unique_ptr<TDataMod> dm;
};

AppWindows::~AppWindows() = default;

namespace {
void on(TMainForm &form, const char *command, std::function<void()> fn)
{
    QAction *a = form.command(QString::fromLatin1(command));
    Q_ASSERT(a);
    QObject::connect(a, &QAction::triggered, &form, std::move(fn));
    form.setBuilt(QString::fromLatin1(command));
}

// After a command that closed and reopened the league: show the one that is open, or the no-league state.
void showOutcome(TMainForm &form, TDataMod &dm, const FileCommandOutcome &o)
{
    if (!o.leagueChanged)
        return;
    if (dm.isLeagueOpen())
        form.ShowLeagueFile(o.leaguePath);
    else
        form.EnableLeagueCommands(false);
}

void wireFileCommands(AppWindows &w)
{
    TMainForm &form = *w.mainForm;
    TDataMod &dm = *w.dm;
    on(form, "MenuNew", [&form, &dm, &w] {
        const QString path = form.choosePath(QStringLiteral("New League"), true);
        const FileCommandOutcome o = NewLeague(dm, path, messenger());
        if (o.result == FileCommandResult::Done && w.showLeagueSettings)
            w.showLeagueSettings(-1);
        if (o.result == FileCommandResult::Done || o.leagueChanged)
            showOutcome(form, dm, FileCommandOutcome{o.result, true, ConnectedFileName(dm.ADOConnection)});
    });
    on(form, "MenuOpen", [&form, &dm] {
        const QString path = form.choosePath(QStringLiteral("Open"), false);
        if (path.isEmpty())
            return;
        OpenLeague(dm, path, messenger(), [&form](const QString &p) { form.ShowLeagueFile(p); });
        if (!dm.isLeagueOpen())
            form.EnableLeagueCommands(false);
    });
    on(form, "MenuSave", [&dm] { SaveLeague(dm, messenger()); });
    on(form, "MenuSaveAs", [&form, &dm] {
        const QString path = form.choosePath(QStringLiteral("Save As..."), true);
        showOutcome(form, dm, SaveLeagueAs(dm, path, messenger()));
    });
    on(form, "MenuConvert", [&form, &dm] {
        const QString oldPath = form.choosePath(QStringLiteral("Select League File To Convert"), false);
        if (oldPath.isEmpty())
            return;
        const QString newPath = form.choosePath(QStringLiteral("Save Converted League File As..."), true);
        if (newPath.isEmpty())
            return;
        form.raise();
        form.activateWindow();
        ConvertLeagueFile(oldPath, newPath, messenger(), ConnectedFileName(dm.ADOConnection));
    });
}
} // namespace

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
    wireFileCommands(*w);
    return w;
}

void openLeagueAtStart(AppWindows &windows, const QString &path)
{
    OpenLeague(*windows.dm, path, messenger(), [&windows](const QString &p) { windows.mainForm->ShowLeagueFile(p); });
}
