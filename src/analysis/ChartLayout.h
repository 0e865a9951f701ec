#pragma once
// What the charts of whole-number values decide before they are drawn: a value axis whose every label
// is a whole number, and which value labels have room, so that no two of them are drawn over each other.

#include <QList>
#include <QRectF>

// A value axis from min to max, labelled every step.
struct WholeNumberAxis {
    int min = 0;
    int max = 1;
    int step = 1;
};

// The axis for values from low to high (0 always included): steps of 1, 2 or 5 times a power of ten,
// the smallest that needs at most ten of them, and min and max on whole steps.  Without values (low =
// high = 0) it runs from 0 to 1.
WholeNumberAxis wholeNumberAxis(int low, int high);

// Which labels to show: each label in turn, in the order given (left to right), is shown when it stays
// at least gap apart from every label shown before it.  One flag per label.
QList<bool> labelsClearOfEachOther(const QList<QRectF> &labels, qreal gap = 2);
