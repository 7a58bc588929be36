#pragma once

class QWidget;

namespace ribodex {

struct Session;

// Phone Book > Select Phone Book, under the wait cursor: asks the device which memories it
// offers and which one is selected, shows CSelectPhoneBookDlg owned by owner, and after OK
// selects the chosen memory (also when it is the current one); Cancel sends nothing. A
// refused selection is not reported, and the list is not read again: Refresh reads the
// memory now selected. UI thread only.
void OnSelectPhoneBook(Session& session, QWidget* owner);

}  // namespace ribodex
