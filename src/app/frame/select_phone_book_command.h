// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace ribodex {

struct Session;

// Phone Book > Select Phone Book, under the wait cursor: asks the device which memories it
// offers and which one is selected, shows CSelectPhoneBookDlg owned by owner, and after OK
// selects the chosen memory (also when it is the current one). A refused selection is not
// reported; the device is asked again which memory it kept, so that
// device.selectedPhoneBook names it. True when a selection was sent (the caller then reads
// the list again: every later command acts on the memory the device holds now); false
// after Cancel or with nothing to choose, with nothing sent. UI thread only.
bool OnSelectPhoneBook(Session& session, QWidget* owner);

}  // namespace ribodex
