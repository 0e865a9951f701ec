#include "output/ReportRows.h"

void ReportRows::reserve(qsizetype rows)
{
    m_starts.reserve(static_cast<size_t>(rows));
}

QStringList ReportRows::at(qsizetype row) const
{
    const auto r = static_cast<size_t>(row);
    const size_t end = r + 1 < m_starts.size() ? m_starts[r + 1] : m_cells.size();
    QStringList line;
    line.reserve(static_cast<qsizetype>(end - m_starts[r]));
    for (size_t c = m_starts[r]; c < end; ++c)
        line << m_texts[m_cells[c]];
    return line;
}

ReportRows &ReportRows::operator<<(const QStringList &row)
{
    m_starts.push_back(static_cast<quint32>(m_cells.size()));
    for (const QString &text : row) {
        // A null text keeps a place of its own, so that it reads back null.
        auto it = text.isNull() ? m_ids.end() : m_ids.find(text);
        if (it == m_ids.end()) {
            const auto id = static_cast<quint32>(m_texts.size());
            m_texts << text;
            if (!text.isNull())
                m_ids.insert(text, id);
            m_cells.push_back(id);
        } else {
            m_cells.push_back(*it);
        }
    }
    return *this;
}
