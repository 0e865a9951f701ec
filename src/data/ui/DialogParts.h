#pragma once
// Pieces every dialog builds the same way, so that they behave the same everywhere.

class QComboBox;
class QDialog;
class QDialogButtonBox;
class QPushButton;
class QString;
class QWidget;

// A chooser that accepts typing: the typed text is kept as typed (no completion that would change its
// letter case) and never becomes an entry of its own.
QComboBox *typingChooser(QWidget *parent, const QString &name);

// A push button that Enter does not press: Enter belongs to the dialog's default button or to the field
// being typed in.
QPushButton *plainButton(QWidget *parent, const QString &name, const QString &caption);

// OK and Cancel, named "ButtonOK" and "ButtonCancel", wired to the dialog's accept and reject.  With
// okIsDefault, Enter anywhere in the dialog presses OK.
QDialogButtonBox *okCancelButtons(QDialog *dialog, bool okIsDefault = false);
