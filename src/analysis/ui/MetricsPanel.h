#pragma once
// A box of named figures (the money metrics of a test or of the stored predictions): one line each, the
// name on the left, the value on the right, or a single note when there is nothing to show.

#include "analysis/MetricsLines.h"

#include <QGroupBox>

class QFormLayout;
class QLabel;

class MetricsPanel final : public QGroupBox
{
    Q_OBJECT
public:
    MetricsPanel(const QString &title, QWidget *parent);

    void showLines(const QList<MetricLine> &lines);
    void showNote(const QString &note);
    // What is shown, a line each ("name: value", or the note), for tests.
    QStringList texts() const;

private:
    void clearLines();
    QFormLayout *m_form;
    QList<QPair<QLabel *, QLabel *>> m_lines;
};
