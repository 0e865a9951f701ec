#pragma once
// "Editor": reads fixtures and results from text pasted from a web page into the open league, in one of
// four page layouts.  The parsing and writing are ImportFixtures; the window collects the text and shows
// what came of it.

#include "entry/FixtureImport.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;
class TDataMod;

class TFormEditor final : public QDialog
{
    Q_OBJECT
public:
    explicit TFormEditor(TDataMod &dm, QWidget *parent = nullptr);

    FixtureLayout layout() const;

public Q_SLOTS:
    void ButtonClearClick();
    // The first occurrence of the "Replace" text in every line becomes the "with" text.
    void ButtonReplaceClick();
    // Reads the whole text into the open league; a line that stops it leaves the league as it was.
    void ButtonUpdateClick();

private:
    TDataMod &m_dm;
    QPlainTextEdit *m_memo = nullptr;
    QSpinBox *m_year = nullptr;
    QLineEdit *m_replace = nullptr;
    QLineEdit *m_with = nullptr;
    QRadioButton *m_layouts[4] = {nullptr, nullptr, nullptr, nullptr};
    QLabel *m_summary = nullptr;
};
