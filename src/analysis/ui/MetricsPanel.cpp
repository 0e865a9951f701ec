#include "analysis/ui/MetricsPanel.h"

#include <QFormLayout>
#include <QLabel>

MetricsPanel::MetricsPanel(const QString &title, QWidget *parent)
    : QGroupBox(title, parent), m_form(new QFormLayout(this))
{
    m_form->setLabelAlignment(Qt::AlignLeft);
}

void MetricsPanel::clearLines()
{
    while (m_form->rowCount() > 0)
        m_form->removeRow(0);
    m_lines.clear();
}

void MetricsPanel::showLines(const QList<MetricLine> &lines)
{
    clearLines();
    for (const MetricLine &line : lines) {
        auto *name = new QLabel(line.name + QLatin1Char(':'), this);
        auto *value = new QLabel(line.value, this);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_form->addRow(name, value);
        m_lines.append(qMakePair(name, value));
    }
}

void MetricsPanel::showNote(const QString &note)
{
    clearLines();
    auto *label = new QLabel(note, this);
    label->setWordWrap(true);
    m_form->addRow(label);
    m_lines.append(qMakePair(label, static_cast<QLabel *>(nullptr)));
}

QStringList MetricsPanel::texts() const
{
    QStringList out;
    for (const auto &[name, value] : m_lines)
        out << (value ? name->text() + QLatin1Char(' ') + value->text() : name->text());
    return out;
}
