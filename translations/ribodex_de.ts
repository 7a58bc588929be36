<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CommandActions</name>
    <message>
        <source>&amp;Back Up...</source>
        <translation>&amp;Sichern...</translation>
    </message>
    <message>
        <source>&amp;Import Contacts...</source>
        <translation>Kontakte &amp;importieren...</translation>
    </message>
    <message>
        <source>Export &amp;Contacts...</source>
        <translation>&amp;Kontakte exportieren...</translation>
    </message>
    <message>
        <source>Find &amp;Duplicates</source>
        <translation>&amp;Doppelte suchen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>Sym&amp;bolleiste</translation>
    </message>
    <message>
        <source>&amp;Statusbar</source>
        <translation>&amp;Statusleiste</translation>
    </message>
    <message>
        <source>&amp;Icon</source>
        <translation>&amp;Große Symbole</translation>
    </message>
    <message>
        <source>&amp;Small Icon</source>
        <translation>&amp;Kleine Symbole</translation>
    </message>
    <message>
        <source>&amp;List</source>
        <translation>&amp;Liste</translation>
    </message>
    <message>
        <source>R&amp;eport</source>
        <translation>&amp;Details</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>&amp;Aktualisieren</translation>
    </message>
    <message>
        <source>&amp;Settings...</source>
        <translation>&amp;Einstellungen...</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exportieren...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>Seiten&amp;ansicht</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>D&amp;ruckereinrichtung...</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Suchen...</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>&amp;New Entry...</source>
        <translation>&amp;Neuer Eintrag...</translation>
    </message>
    <message>
        <source>&amp;Delete Entry</source>
        <translation>Eintrag &amp;löschen</translation>
    </message>
    <message>
        <source>&amp;Edit Entry...</source>
        <translation>Eintrag &amp;bearbeiten...</translation>
    </message>
    <message>
        <source>&amp;Select Phone Book...</source>
        <translation>Telefonbuch &amp;auswählen...</translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation>&amp;Hilfethemen</translation>
    </message>
    <message>
        <source>&amp;Internet</source>
        <translation>&amp;Internet</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>In&amp;fo</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Save every memory of the device to one file that a restore can put back
Back Up</source>
        <translation>Jeden Speicher des Geräts in eine Datei sichern, die eine Wiederherstellung zurückschreiben kann
Sichern</translation>
    </message>
    <message>
        <source>Write the contacts of a vCard or CSV file to the phone book, after a plan
Import Contacts</source>
        <translation>Die Kontakte einer vCard- oder CSV-Datei nach einem Plan in das Telefonbuch schreiben
Kontakte importieren</translation>
    </message>
    <message>
        <source>Save the entries (all, or the selected ones) as vCard, CSV or JSON
Export Contacts</source>
        <translation>Die Einträge (alle oder die markierten) als vCard, CSV oder JSON speichern
Kontakte exportieren</translation>
    </message>
    <message>
        <source>Select the entries that share a number with another
Find Duplicates</source>
        <translation>Die Einträge markieren, deren Nummer ein anderer auch hat
Doppelte suchen</translation>
    </message>
    <message>
        <source>Quillcast Ribodex</source>
        <translation>Quillcast Ribodex</translation>
    </message>
    <message>
        <source>For Help, press F1</source>
        <translation>Drücken Sie F1, um Hilfe zu erhalten.</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>An error has occured while connecting to the specified port. Check the settings.</source>
        <translation>Beim Verbinden mit der angegebenen Schnittstelle ist ein Fehler aufgetreten. Überprüfen Sie die Einstellungen.</translation>
    </message>
    <message>
        <source>The phone book has only %d free locations for the %d entries to be pasted. Do you want to paste as many as fit?</source>
        <translation>Das Telefonbuch hat nur %d freie Speicherplätze für die %d einzufügenden Einträge. Wollen Sie so viele einfügen, wie Platz finden?</translation>
    </message>
    <message>
        <source>The entries are still being pasted. Do you want to stop pasting and close the window? The entries pasted so far stay on the device.</source>
        <translation>Die Einträge werden noch eingefügt. Wollen Sie das Einfügen abbrechen und das Fenster schließen? Die bis jetzt eingefügten Einträge bleiben auf dem Gerät.</translation>
    </message>
    <message>
        <source>%s (not connected)</source>
        <translation>%s (nicht verbunden)</translation>
    </message>
    <message>
        <source>%s (incomplete)</source>
        <translation>%s (unvollständig)</translation>
    </message>
    <message>
        <source>%d of %d</source>
        <translation>%d von %d</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Transfer data from &quot;%s&quot;...</source>
        <translation>Daten werden von &quot;%s&quot; übertragen...</translation>
    </message>
    <message>
        <source>An error has occured while checking the PIN on the device on port &quot;%s&quot;. Possibly there is no AT+C-compatible device connected to this port or no SIM Card is inserted. Probably the port cannot be used. Do you want to continue?</source>
        <translation>Beim Prüfen der PIN des Geräts an der Schnittstelle &quot;%s&quot; ist ein Fehler aufgetreten. Möglicherweise ist an dieser Schnittstelle kein AT+C-kompatibles Gerät angeschlossen oder keine SIM-Karte eingelegt. Vermutlich kann die Schnittstelle nicht verwendet werden. Möchten Sie fortfahren?</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Enter the PIN of the SIM-Card in the device on port &quot;%s&quot;.</source>
        <translation>Geben Sie die PIN der SIM-Karte im Gerät an der Schnittstelle &quot;%s&quot; ein.</translation>
    </message>
    <message>
        <source>Enter the PUK of the SIM-Card in the device on port &quot;%s&quot;.</source>
        <translation>Geben Sie die PUK der SIM-Karte im Gerät an der Schnittstelle &quot;%s&quot; ein.</translation>
    </message>
    <message>
        <source>The PIN is not correct.</source>
        <translation>Die PIN ist nicht korrekt.</translation>
    </message>
    <message>
        <source>The PUK is not correct or you have entered an invalid PIN.</source>
        <translation>Die PUK ist nicht korrekt, oder Sie haben eine ungültige PIN eingegeben.</translation>
    </message>
    <message>
        <source>Check PIN of the device on &quot;%s&quot;...</source>
        <translation>PIN des Geräts an &quot;%s&quot; wird geprüft...</translation>
    </message>
    <message>
        <source>The PIN and its confirmation are not identical. The confirmation must be the same as the PIN.</source>
        <translation>Die PIN und ihre Bestätigung stimmen nicht überein. Die Bestätigung muss mit der PIN identisch sein.</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>UF</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>RF</translation>
    </message>
    <message>
        <source>Show the settings dialog
Settings Dialog</source>
        <translation>Den Einstellungsdialog anzeigen
Einstellungen</translation>
    </message>
    <message>
        <source>Refresh the view
Refresh</source>
        <translation>Die Ansicht aktualisieren
Aktualisieren</translation>
    </message>
    <message>
        <source>Show the entries with icons
Icons</source>
        <translation>Die Einträge mit Symbolen anzeigen
Symbole</translation>
    </message>
    <message>
        <source>Show the entries with small icons
Small Icons</source>
        <translation>Die Einträge mit kleinen Symbolen anzeigen
Kleine Symbole</translation>
    </message>
    <message>
        <source>Show the entries in a list
List</source>
        <translation>Die Einträge in einer Liste anzeigen
Liste</translation>
    </message>
    <message>
        <source>Show the entries as report.
Report</source>
        <translation>Die Einträge als Bericht anzeigen.
Details</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation>Die Anwendung beenden; fragt, ob Dokumente gespeichert werden sollen
Beenden</translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation>Die Symbolleiste ein- oder ausblenden
Symbolleiste ein/aus</translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation>Die Statusleiste ein- oder ausblenden
Statusleiste ein/aus</translation>
    </message>
    <message>
        <source>Do you really want to delete the selected entries?</source>
        <translation>Möchten Sie die ausgewählten Einträge wirklich löschen?</translation>
    </message>
    <message>
        <source>Mobile Equipment</source>
        <translation>Telefonspeicher</translation>
    </message>
    <message>
        <source>SIM</source>
        <translation>SIM</translation>
    </message>
    <message>
        <source>Data Card</source>
        <translation>Datenkarte</translation>
    </message>
    <message>
        <source>Last Number</source>
        <translation>Letzte Nummer</translation>
    </message>
    <message>
        <source>Own Number</source>
        <translation>Eigene Nummer</translation>
    </message>
    <message>
        <source>Fixed numbers</source>
        <translation>Feste Rufnummern</translation>
    </message>
    <message>
        <source>Ribodex Page: %d</source>
        <translation>Ribodex Seite: %d</translation>
    </message>
    <message>
        <source>An error has occured.</source>
        <translation>Es ist ein Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>Not all entries could be pasted.</source>
        <translation>Nicht alle Einträge konnten eingefügt werden.</translation>
    </message>
    <message>
        <source>Error while creating the new phone book entry.</source>
        <translation>Fehler beim Anlegen des neuen Telefonbucheintrags.</translation>
    </message>
    <message>
        <source>Text Files (*.txt)|*.txt||</source>
        <translation>Textdateien (*.txt)|*.txt||</translation>
    </message>
    <message>
        <source>&amp;New Entry...</source>
        <translation>&amp;Neuer Eintrag...</translation>
    </message>
    <message>
        <source>&amp;Delete Entry</source>
        <translation>Eintrag &amp;löschen</translation>
    </message>
    <message>
        <source>&amp;Edit...</source>
        <translation>&amp;Bearbeiten...</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Ausschnei&amp;den</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>The number is not valid.</source>
        <translation>Die Nummer ist ungültig.</translation>
    </message>
    <message>
        <source>An error has occured while starting your internet browser.</source>
        <translation>Beim Starten Ihres Internet-Browsers ist ein Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>No entry found.</source>
        <translation>Kein Eintrag gefunden.</translation>
    </message>
    <message>
        <source>Paste item %d of %d ...</source>
        <translation>Eintrag %d von %d wird eingefügt ...</translation>
    </message>
    <message>
        <source>An entry at the index %d allready exists. Do you want to overwrite it?</source>
        <translation>Ein Eintrag mit dem Index %d existiert bereits. Möchten Sie ihn überschreiben?</translation>
    </message>
    <message>
        <source>Export the phone book
Export</source>
        <translation>Das Telefonbuch exportieren
Exportieren</translation>
    </message>
    <message>
        <source>Print the active document
Print</source>
        <translation>Das aktive Dokument drucken
Drucken</translation>
    </message>
    <message>
        <source>Display full pages
Print Preview</source>
        <translation>Ganze Seiten anzeigen
Seitenansicht</translation>
    </message>
    <message>
        <source>Change the printer and printing options
Print Setup</source>
        <translation>Drucker und Druckoptionen ändern
Druckereinrichtung</translation>
    </message>
    <message>
        <source>Cut the selection and put it on the Clipboard
Cut</source>
        <translation>Die Markierung ausschneiden und in die Zwischenablage übertragen
Ausschneiden</translation>
    </message>
    <message>
        <source>Copy the selection and put it on the Clipboard
Copy</source>
        <translation>Die Markierung kopieren und in die Zwischenablage übertragen
Kopieren</translation>
    </message>
    <message>
        <source>Insert Clipboard contents
Paste</source>
        <translation>Inhalt der Zwischenablage einfügen
Einfügen</translation>
    </message>
    <message>
        <source>Find a text
Find</source>
        <translation>Einen Text suchen
Suchen</translation>
    </message>
    <message>
        <source>Find next
Find Next</source>
        <translation>Weitersuchen
Weitersuchen</translation>
    </message>
    <message>
        <source>Create a new phone book entry
New Entry</source>
        <translation>Einen neuen Telefonbucheintrag anlegen
Neuer Eintrag</translation>
    </message>
    <message>
        <source>Delete the selected entries
Delete Entry</source>
        <translation>Die ausgewählten Einträge löschen
Eintrag löschen</translation>
    </message>
    <message>
        <source>Edit a phone book entry
Edit Entry</source>
        <translation>Einen Telefonbucheintrag bearbeiten
Eintrag bearbeiten</translation>
    </message>
    <message>
        <source>Select Phone Book
Select Phone Book</source>
        <translation>Telefonbuch auswählen
Telefonbuch auswählen</translation>
    </message>
    <message>
        <source>List Help topics
Help Topics</source>
        <translation>Hilfethemen auflisten
Hilfethemen</translation>
    </message>
    <message>
        <source>Informations on the Internet
Internet</source>
        <translation>Informationen im Internet
Internet</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright
About</source>
        <translation>Programminformationen, Versionsnummer und Copyright anzeigen
Info</translation>
    </message>
    <message>
        <source>Display help for clicked on buttons, menus and windows
Help</source>
        <translation>Hilfe zu angeklickten Schaltflächen, Menüs und Fenstern anzeigen
Hilfe</translation>
    </message>
    <message>
        <source>Display help for current task or command</source>
        <translation>Hilfe zur aktuellen Aufgabe oder zum aktuellen Befehl anzeigen</translation>
    </message>
    <message>
        <source>The phone book could not be read completely: the device on port &quot;%s&quot; did not answer in time or was disconnected. The list shows only the entries read until then. Check the device and its cable, then refresh the list.</source>
        <translation>Das Telefonbuch konnte nicht vollständig gelesen werden: Das Gerät an der Schnittstelle &quot;%s&quot; hat nicht rechtzeitig geantwortet oder wurde getrennt. Die Liste zeigt nur die bis dahin gelesenen Einträge. Prüfen Sie das Gerät und sein Kabel, und aktualisieren Sie dann die Liste.</translation>
    </message>
    <message>
        <source>Waiting for the SIM of the device on &quot;%s&quot; to be ready...</source>
        <translation>Warten, bis die SIM-Karte des Geräts an &quot;%s&quot; bereit ist...</translation>
    </message>
    <message>
        <source>The device on port &quot;%s&quot; does not ask for the PIN of the SIM-Card but for its own lock code (PH-SIM PIN), or it has no usable SIM-Card. Enter that code on the device itself. Do you want to continue?</source>
        <translation>Das Gerät an der Schnittstelle &quot;%s&quot; fragt nicht nach der PIN der SIM-Karte, sondern nach seinem eigenen Sperrcode (PH-SIM PIN), oder es hat keine verwendbare SIM-Karte. Geben Sie diesen Code am Gerät selbst ein. Wollen Sie fortfahren?</translation>
    </message>
    <message>
        <source>The device on port &quot;%s&quot; is locked to a network or provider and asks for its unlock code. Enter that code on the device itself. Do you want to continue?</source>
        <translation>Das Gerät an der Schnittstelle &quot;%s&quot; ist an ein Netz oder einen Anbieter gebunden und fragt nach seinem Entsperrcode. Geben Sie diesen Code am Gerät selbst ein. Wollen Sie fortfahren?</translation>
    </message>
    <message>
        <source>The SIM-Card in the device on port &quot;%s&quot; is still busy and did not tell the size of the phone book. Wait a moment, then refresh the list.</source>
        <translation>Die SIM-Karte im Gerät an der Schnittstelle &quot;%s&quot; ist noch beschäftigt und hat die Größe des Telefonbuchs nicht genannt. Warten Sie einen Moment, und aktualisieren Sie dann die Liste.</translation>
    </message>
    <message>
        <source>The device on port &quot;%s&quot; did not tell the size of the selected phone book, so it cannot be read. Select another phone book or refresh the list.</source>
        <translation>Das Gerät an der Schnittstelle &quot;%s&quot; hat die Größe des gewählten Telefonbuchs nicht genannt, daher kann es nicht gelesen werden. Wählen Sie ein anderes Telefonbuch, oder aktualisieren Sie die Liste.</translation>
    </message>
    <message>
        <source>Writing to the fixed numbers needs the PIN2 of the SIM-Card in the device on port &quot;%s&quot;. Enter the PIN2.</source>
        <translation>Zum Schreiben der festen Rufnummern wird die PIN2 der SIM-Karte im Gerät an der Schnittstelle &quot;%s&quot; benötigt. Geben Sie die PIN2 ein.</translation>
    </message>
    <message>
        <source>The PIN2 is not correct.</source>
        <translation>Die PIN2 ist nicht korrekt.</translation>
    </message>
    <message>
        <source>Connecting to the device on &quot;%s&quot;...</source>
        <translation>Verbindung zum Gerät an &quot;%s&quot; wird hergestellt...</translation>
    </message>
    <message>
        <source>%d s left</source>
        <translation>noch %d s</translation>
    </message>
    <message>
        <source>The port is held by another program (%s). Stop it and try again. ModemManager takes USB modems: stop it (sudo systemctl stop ModemManager), let it go of the modem for a while (mmcli -m 0 --inhibit), or keep it off the port for good with a udev rule setting ID_MM_PORT_IGNORE=1.</source>
        <translation>Die Schnittstelle wird von einem anderen Programm belegt (%s). Beenden Sie es und versuchen Sie es erneut. ModemManager belegt USB-Modems: Beenden Sie ihn (sudo systemctl stop ModemManager), lassen Sie ihn das Modem eine Weile freigeben (mmcli -m 0 --inhibit), oder halten Sie ihn mit einer udev-Regel, die ID_MM_PORT_IGNORE=1 setzt, dauerhaft von der Schnittstelle fern.</translation>
    </message>
</context>
<context>
    <name>ribodex::CAboutDlg</name>
    <message>
        <source>About Ribodex</source>
        <translation>Info über Ribodex</translation>
    </message>
    <message>
        <source>Quillcast Ribodex 1.0</source>
        <translation>Quillcast Ribodex 1.0</translation>
    </message>
    <message>
        <source>Copyright (C) 2026 the Ribodex developers. Licence: GNU GPL, version 3 or later.</source>
        <translation>Copyright (C) 2026 die Ribodex-Entwickler. Lizenz: GNU GPL, Version 3 oder später.</translation>
    </message>
</context>
<context>
    <name>ribodex::CEditEntryDlg</name>
    <message>
        <source>Edit Entry</source>
        <translation>Eintrag bearbeiten</translation>
    </message>
    <message>
        <source>Here you can edit this phone book entry.</source>
        <translation>Hier können Sie diesen Telefonbucheintrag bearbeiten.</translation>
    </message>
</context>
<context>
    <name>ribodex::CFindDlg</name>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Fi&amp;nd what:</source>
        <translation>Suchen &amp;nach:</translation>
    </message>
    <message>
        <source>Match &amp;whole field only</source>
        <translation>Nur ganzes &amp;Feld suchen</translation>
    </message>
    <message>
        <source>Match &amp;case</source>
        <translation>&amp;Groß-/Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Suchrichtung</translation>
    </message>
    <message>
        <source>&amp;Up</source>
        <translation>Nach &amp;oben</translation>
    </message>
    <message>
        <source>&amp;Down</source>
        <translation>Nach &amp;unten</translation>
    </message>
    <message>
        <source>&amp;Find Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>ribodex::CMainFrame</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Phone Book</source>
        <translation>&amp;Telefonbuch</translation>
    </message>
    <message>
        <source>&amp;?</source>
        <translation>&amp;?</translation>
    </message>
</context>
<context>
    <name>ribodex::CNewEntryDlg</name>
    <message>
        <source>New Entry</source>
        <translation>Neuer Eintrag</translation>
    </message>
    <message>
        <source>Here you can create a new phone book entry.</source>
        <translation>Hier können Sie einen neuen Telefonbucheintrag anlegen.</translation>
    </message>
    <message>
        <source>Index (optional):</source>
        <translation>Index (optional):</translation>
    </message>
</context>
<context>
    <name>ribodex::CPinDlg</name>
    <message>
        <source>Attempts left: %1</source>
        <translation>Verbleibende Versuche: %1</translation>
    </message>
    <message>
        <source>PIN</source>
        <translation>PIN</translation>
    </message>
    <message>
        <source>Save:</source>
        <translation>Speichern:</translation>
    </message>
    <message>
        <source>PIN:</source>
        <translation>PIN:</translation>
    </message>
    <message>
        <source>The PIN of the SIM card in the device.</source>
        <translation>Die PIN der SIM-Karte im Gerät.</translation>
    </message>
    <message>
        <source>Remember the PIN for this port, scrambled in your settings, and enter it by itself next time.</source>
        <translation>Die PIN für diese Schnittstelle verschlüsselt in Ihren Einstellungen merken und beim nächsten Mal von selbst eingeben.</translation>
    </message>
</context>
<context>
    <name>ribodex::CPukDlg</name>
    <message>
        <source>PUK</source>
        <translation>PUK</translation>
    </message>
    <message>
        <source>Save:</source>
        <translation>Speichern:</translation>
    </message>
    <message>
        <source>PUK:</source>
        <translation>PUK:</translation>
    </message>
    <message>
        <source>Enter the new PIN.</source>
        <translation>Geben Sie die neue PIN ein.</translation>
    </message>
    <message>
        <source>PIN:</source>
        <translation>PIN:</translation>
    </message>
    <message>
        <source>Confirmation:</source>
        <translation>Bestätigung:</translation>
    </message>
    <message>
        <source>The PUK of the SIM card, from the papers that came with the card.</source>
        <translation>Die PUK der SIM-Karte, aus den Unterlagen, die mit der Karte kamen.</translation>
    </message>
    <message>
        <source>The new PIN that the SIM card gets with the PUK.</source>
        <translation>Die neue PIN, die die SIM-Karte mit der PUK bekommt.</translation>
    </message>
    <message>
        <source>The new PIN once more, to rule out a typing error.</source>
        <translation>Die neue PIN noch einmal, um Tippfehler auszuschließen.</translation>
    </message>
    <message>
        <source>Remember the new PIN for this port, scrambled in your settings.</source>
        <translation>Die neue PIN für diese Schnittstelle verschlüsselt in Ihren Einstellungen merken.</translation>
    </message>
</context>
<context>
    <name>ribodex::CRdxDoc</name>
    <message>
        <source>The file &quot;%1&quot; could not be written.
%2</source>
        <translation>Die Datei &quot;%1&quot; konnte nicht geschrieben werden.
%2</translation>
    </message>
    <message>
        <source>UTF-8 Text Files (*.txt)</source>
        <translation>UTF-8-Textdateien (*.txt)</translation>
    </message>
</context>
<context>
    <name>ribodex::CRdxView</name>
    <message>
        <source>Not saved, the device did not let them be read: %1.</source>
        <translation>Nicht gesichert, das Gerät ließ sie nicht lesen: %1.</translation>
    </message>
    <message>
        <source>%1 entries of the memories %2 were saved to &quot;%3&quot;.</source>
        <translation>%1 Einträge der Speicher %2 wurden in &quot;%3&quot; gesichert.</translation>
    </message>
    <message>
        <source>No memory of the device could be read: nothing was saved.</source>
        <translation>Kein Speicher des Geräts konnte gelesen werden: nichts wurde gesichert.</translation>
    </message>
    <message>
        <source>Back Up</source>
        <translation>Sichern</translation>
    </message>
    <message>
        <source>Import Contacts</source>
        <translation>Kontakte importieren</translation>
    </message>
    <message>
        <source>Contacts (*.vcf *.vcard *.csv)</source>
        <translation>Kontakte (*.vcf *.vcard *.csv)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; could not be read.
%2</source>
        <translation>Die Datei &quot;%1&quot; konnte nicht gelesen werden.
%2</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is neither a vCard file nor a CSV file of Google Contacts, Outlook or Thunderbird.</source>
        <translation>Die Datei &quot;%1&quot; ist weder eine vCard-Datei noch eine CSV-Datei von Google Kontakte, Outlook oder Thunderbird.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; holds no contact.</source>
        <translation>Die Datei &quot;%1&quot; enthält keinen Kontakt.</translation>
    </message>
    <message>
        <source>vCard Files (*.vcf)</source>
        <translation>vCard-Dateien (*.vcf)</translation>
    </message>
    <message>
        <source>CSV Files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>JSON Files (*.json)</source>
        <translation>JSON-Dateien (*.json)</translation>
    </message>
    <message>
        <source>Export Contacts</source>
        <translation>Kontakte exportieren</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; could not be written.
%2</source>
        <translation>Die Datei &quot;%1&quot; konnte nicht geschrieben werden.
%2</translation>
    </message>
    <message>
        <source>No two entries share a number.</source>
        <translation>Keine zwei Einträge haben dieselbe Nummer.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; as &quot;%2&quot;</source>
        <translation>&quot;%1&quot; als &quot;%2&quot;</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
    <message>
        <source>The device cannot hold every character of these names; each of those characters would be stored as a blank:

%1

Do you want to paste the entries all the same?</source>
        <translation>Das Gerät kann nicht jedes Zeichen dieser Namen speichern; jedes dieser Zeichen würde als Leerzeichen gespeichert:

%1

Möchten Sie die Einträge trotzdem einfügen?</translation>
    </message>
    <message>
        <source>&quot;%1&quot; takes %2 places; the device holds %3</source>
        <translation>&quot;%1&quot; belegt %2 Stellen; das Gerät fasst %3</translation>
    </message>
    <message>
        <source>These names are too long for the device:

%1</source>
        <translation>Diese Namen sind für das Gerät zu lang:

%1</translation>
    </message>
    <message>
        <source>The device cannot hold every character of these names; each of those characters would be stored as a blank:

%1

Do you want to write them all the same?</source>
        <translation>Das Gerät kann nicht jedes Zeichen dieser Namen speichern; jedes dieser Zeichen würde als Leerzeichen gespeichert:

%1

Möchten Sie sie trotzdem schreiben?</translation>
    </message>
</context>
<context>
    <name>ribodex::CSelectPhoneBookDlg</name>
    <message>
        <source>Select Phone Book</source>
        <translation>Telefonbuch auswählen</translation>
    </message>
    <message>
        <source>Phone Book:</source>
        <translation>Telefonbuch:</translation>
    </message>
    <message>
        <source>Here you can select the phone book you want to use.</source>
        <translation>Hier können Sie das Telefonbuch auswählen, mit dem Sie arbeiten möchten.</translation>
    </message>
</context>
<context>
    <name>ribodex::CSettingsDlg</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Query PIN:</source>
        <translation>PIN abfragen:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Schnittstelle:</translation>
    </message>
    <message>
        <source>Here you can edit the settings for this program.</source>
        <translation>Hier können Sie die Einstellungen dieses Programms bearbeiten.</translation>
    </message>
    <message>
        <source>The serial port of the phone or modem: COM1 to COM8, a serial device found on this computer, or DEMO, the simulated phone.</source>
        <translation>Die serielle Schnittstelle des Telefons oder Modems: COM1 bis COM8, ein auf diesem Rechner gefundenes serielles Gerät oder DEMO, das simulierte Telefon.</translation>
    </message>
    <message>
        <source>Ask the SIM card whether it wants its PIN before the phone book is read.</source>
        <translation>Die SIM-Karte fragen, ob sie ihre PIN verlangt, bevor das Telefonbuch gelesen wird.</translation>
    </message>
</context>
<context>
    <name>ribodex::EntryDlg</name>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Number:</source>
        <translation>Nummer:</translation>
    </message>
</context>
<context>
    <name>ribodex::HelpCommands</name>
    <message>
        <source>The phone book of the device: name, number and index of each entry. Click a column header to sort by it.</source>
        <translation>Das Telefonbuch des Geräts: Name, Nummer und Index jedes Eintrags. Klicken Sie auf einen Spaltenkopf, um danach zu sortieren.</translation>
    </message>
    <message>
        <source>The toolbar: one click runs the command of a button.</source>
        <translation>Die Symbolleiste: Ein Klick führt den Befehl einer Schaltfläche aus.</translation>
    </message>
    <message>
        <source>The status bar: what a command does and what the program is doing.</source>
        <translation>Die Statusleiste: was ein Befehl tut und was das Programm gerade macht.</translation>
    </message>
    <message>
        <source>The title bar: drag it to move the window, double-click it to maximise or restore the window, right-click it for the window menu.</source>
        <translation>Die Titelleiste: Ziehen verschiebt das Fenster, ein Doppelklick maximiert es oder stellt es wieder her, ein Rechtsklick öffnet das Fenstermenü.</translation>
    </message>
</context>
<context>
    <name>ribodex::HelpWindow</name>
    <message>
        <source>Ribodex Help</source>
        <translation>Ribodex-Hilfe</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>&amp;Vorwärts</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>en</source>
        <extracomment>The language code of the bundled user guide that goes with this translation (en, de).</extracomment>
        <translation>de</translation>
    </message>
</context>
<context>
    <name>ribodex::PhoneBookPrinter</name>
    <message>
        <source>Could not start print job.</source>
        <translation>Der Druckauftrag konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The chosen pages hold nothing of the list: nothing was printed.</source>
        <translation>Die gewählten Seiten enthalten nichts von der Liste: Es wurde nichts gedruckt.</translation>
    </message>
</context>
<context>
    <name>ribodex::WindowMenu</name>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Move</source>
        <translation>&amp;Verschieben</translation>
    </message>
    <message>
        <source>&amp;Size</source>
        <translation>&amp;Größe ändern</translation>
    </message>
    <message>
        <source>Mi&amp;nimize</source>
        <translation>Mi&amp;nimieren</translation>
    </message>
    <message>
        <source>Ma&amp;ximize</source>
        <translation>Ma&amp;ximieren</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
</context>
<context>
    <name>ribodex::CImportPlanDlg</name>
    <message>
        <source>written as &quot;%1&quot;</source>
        <translation>geschrieben als &quot;%1&quot;</translation>
    </message>
    <message>
        <source>the device cannot hold %1</source>
        <translation>das Gerät kann %1 nicht speichern</translation>
    </message>
    <message>
        <source>name cut to the memory's length</source>
        <translation>Name auf die Länge des Speichers gekürzt</translation>
    </message>
    <message>
        <source>was &quot;%1&quot;</source>
        <translation>war &quot;%1&quot;</translation>
    </message>
    <message>
        <source>skipped: no number</source>
        <translation>übersprungen: keine Nummer</translation>
    </message>
    <message>
        <source>skipped: a number the device cannot store</source>
        <translation>übersprungen: eine Nummer, die das Gerät nicht speichern kann</translation>
    </message>
    <message>
        <source>skipped: the number is longer than the memory holds</source>
        <translation>übersprungen: die Nummer ist länger, als der Speicher fasst</translation>
    </message>
    <message>
        <source>already on the phone</source>
        <translation>schon im Telefon</translation>
    </message>
    <message>
        <source>skipped: twice in the file</source>
        <translation>übersprungen: doppelt in der Datei</translation>
    </message>
    <message>
        <source>skipped: no free location left</source>
        <translation>übersprungen: kein freier Platz mehr</translation>
    </message>
    <message>
        <source>Import Contacts</source>
        <translation>Kontakte importieren</translation>
    </message>
    <message>
        <source>These entries will be written. Untick those you do not want.</source>
        <translation>Diese Einträge werden geschrieben. Entfernen Sie das Häkchen bei denen, die Sie nicht wollen.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>&amp;Write</source>
        <translation>&amp;Schreiben</translation>
    </message>
    <message>
        <source>%1 to write, %2 skipped or already on the phone</source>
        <translation>%1 zu schreiben, %2 übersprungen oder schon im Telefon</translation>
    </message>
</context>
</TS>
