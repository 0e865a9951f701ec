#pragma once
// The file commands of the ticket manager: New List, Open, Save and Save As.  The file dialogs only
// choose the path; these routines ask the questions, do the work and report failures through the
// messenger, so they run and are tested without a window.  They work as the league file commands do: a
// new file or a copy is built under a temporary name and moved into place when complete, a failure
// leaves the file that was open before open, and after Save As the copy is the open file.

#include "data/FileSteps.h"

class TicketBook;

// The folders the dialogs start in: Tickets/ and, for Save As, Picks/ under the program's folder.
QString ticketsFolder();
QString picksFolder();

// The ticket file that was open last (after New List, Open or Save As), as the program's settings
// remember it; empty when none is.
QString lastTicketList();

// Opens the ticket file that was open last, as the ticket manager does when it is shown with none open.
// Cancelled when none is remembered; a remembered file that is gone is forgotten without a word, and one
// that no longer opens is refused with its reason and forgotten.
FileCommandResult ReopenLastTicketList(TicketBook &book, Messenger &messenger);

// Creates a new ticket file at path and opens it in place of the open one.
FileCommandResult NewTicketList(TicketBook &book, const QString &path, Messenger &messenger);

// Opens the ticket file at path in place of the open one.  A file that is not a ticket file is refused
// with its reason; the file that was open before stays open.  An Access ticket file is converted into a
// ticket file beside it (its name with the extension .qvt; the usual question before replacing one),
// which is opened and named in a message.
FileCommandResult OpenTicketList(TicketBook &book, const QString &path, Messenger &messenger);

// Stores a pending edit of the current row of each table; everything else is already stored.
FileCommandResult SaveTicketList(TicketBook &book, Messenger &messenger);

// Copies the open ticket file to path and opens the copy in its place.
FileCommandResult SaveTicketListAs(TicketBook &book, const QString &path, Messenger &messenger);
