#pragma once
// Pieces every dialog builds the same way, so that they behave the same everywhere.

class QComboBox;
class QDialog;
class QDialogButtonBox;
class QString;
class QWidget;

// A chooser that accepts typing: the typed text is kept as typed (no completion that would change its
// letter case) and never becomes an entry of its own.
QComboBox *typingChooser(QWidget *parent, const QString &name);

// OK and Cancel, named "ButtonOK" and "ButtonCancel", wired to the dialog's accept and reject.  With
// okIsDefault, Enter anywhere in the dialog presses OK.
QDialogButtonBox *okCancelButtons(QDialog *dialog, bool okIsDefault = false);
