#pragma once
// The "Streak Table" tab's grid: each team's played matches in date order as coloured W, D and L, the
// match behind a cell as its tooltip.  It shows the newest matches, at the right end, however it is
// resized, until the user scrolls back.

#include "app/ui/CrossTableView.h"

class StreakTableView final : public TextGridView
{
    Q_OBJECT
public:
    // The grid is named StringGridStreak.
    explicit StreakTableView(TDataMod &dm, QWidget *parent = nullptr);

protected:
    TextGrid build(TDataMod &dm) const override;
    GridCellLook look(int column, int row, int selectedColumn, int selectedRow) const override;
    // Opens on the newest matches, at the right end.
    void filled() override;

private:
    void showNewest();
    // Whether the grid keeps to the right end when its width or its columns change: until the user
    // scrolls away from it.
    bool m_atNewest = true;
};
