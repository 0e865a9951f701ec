#pragma once
// The analyzer's and the prediction history's match grids: every cell black on white, the judged
// fields coloured from their row (PredictionColours.h).

class DataGrid;

void paintJudgedCells(DataGrid *grid);
