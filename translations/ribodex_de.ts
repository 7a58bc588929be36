<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CommandActions</name>
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
        <translation>&amp;Symbole</translation>
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
</context>
<context>
    <name>StringTable</name>
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
</context>
<context>
    <name>ribodex::CPinDlg</name>
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
</context>
</TS>
