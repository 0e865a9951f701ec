#pragma once
// The three date fields of a window as the user meets them: their order on screen, left to right, and a
// date typed into them one after the other, moving on with Tab.  For window tests only (QtWidgets).

#include <QApplication>
#include <QLabel>
#include <QSpinBox>
#include <QTest>

#include <algorithm>

namespace DateTyping
{
// The fields named month, day and year in window itself (not in a dialog it owns), ordered as they stand
// from left to right.
inline QList<QSpinBox *> onScreen(QWidget *window, const QString &month, const QString &day,
                                  const QString &year)
{
    QList<QSpinBox *> fields;
    for (const QString &name : {month, day, year})
        for (QSpinBox *s : window->findChildren<QSpinBox *>(name))
            if (s->window() == window)
                fields << s;
    std::sort(fields.begin(), fields.end(), [window](QSpinBox *a, QSpinBox *b) {
        return a->mapTo(window, QPoint()).x() < b->mapTo(window, QPoint()).x();
    });
    return fields;
}

// The object names of fields, in their order.
inline QStringList names(const QList<QSpinBox *> &fields)
{
    QStringList out;
    for (const QSpinBox *s : fields)
        out << s->objectName();
    return out;
}

// The text of the label that leads to the date fields (its buddy holds them, or is one of them).
inline QString labelOf(QWidget *window, QSpinBox *field)
{
    for (const QLabel *l : window->findChildren<QLabel *>())
        if (l->window() == window && l->buddy() && (l->buddy() == field || l->buddy()->isAncestorOf(field)))
            return l->text();
    return QString();
}

// Types texts into the fields as a user does: the first field entered with its text selected, each text
// typed and Tab pressed to go on.  Returns the fields Tab went to, in order, so that a test sees the
// typing followed the fields on screen.  The window must be shown.
inline QList<QWidget *> typeWithTab(QWidget *window, QSpinBox *first, const QStringList &texts)
{
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        return {};
    first->setFocus(Qt::TabFocusReason);
    first->selectAll(); // also when it had the focus already; Tab selects the text of the others
    QList<QWidget *> visited;
    for (const QString &text : texts) {
        QWidget *field = QApplication::focusWidget();
        visited << field;
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Tab);
    }
    return visited;
}
} // namespace DateTyping
