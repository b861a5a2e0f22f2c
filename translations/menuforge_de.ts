<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>DialogButtons</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>LanguageChoice</name>
    <message>
        <source>Select language</source>
        <translation>Sprache wählen</translation>
    </message>
</context>
<context>
    <name>core</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Profile error</source>
        <translation>Profilfehler</translation>
    </message>
    <message>
        <source>Invalid path delimiter. Expecting &apos;/&apos;</source>
        <translation>Ungültiges Pfadtrennzeichen. Erwartet wird &apos;/&apos;</translation>
    </message>
    <message>
        <source>Invalid volume letter. Expecting a,b,c,e</source>
        <translation>Ungültiger Laufwerksbuchstabe. Erwartet wird a,b,c,e</translation>
    </message>
    <message>
        <source>Invalid character in file name</source>
        <translation>Ungültiges Zeichen im Dateinamen</translation>
    </message>
    <message>
        <source>A title or text holds at most %1 characters.<byte value="xd"/>
Shorten it, then press OK again</source>
        <translation>Ein Titel oder Text darf höchstens %1 Zeichen lang sein.<byte value="xd"/>
Kürzen Sie ihn und drücken Sie dann erneut OK</translation>
    </message>
    <message>
        <source>%1<byte value="xd"/>
Input will be ignored</source>
        <translation>%1<byte value="xd"/>
Die Eingabe wird ignoriert</translation>
    </message>
    <message>
        <source>Input format error</source>
        <translation>Eingabeformatfehler</translation>
    </message>
    <message>
        <source>Invalid numeric value</source>
        <translation>Ungültiger Zahlenwert</translation>
    </message>
    <message>
        <source>Value too big</source>
        <translation>Wert zu groß</translation>
    </message>
    <message>
        <source>Value too small</source>
        <translation>Wert zu klein</translation>
    </message>
    <message>
        <source>Character outside the 8-bit character set (Latin-1)</source>
        <translation>Zeichen außerhalb des 8-Bit-Zeichensatzes (Latin-1)</translation>
    </message>
    <message>
        <source>Show changes</source>
        <translation>Änderungen zeigen</translation>
    </message>
    <message>
        <source>System default</source>
        <translation>Systemstandard</translation>
    </message>
</context>
<context>
    <name>menuforge::AboutDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Built with Qt %1 (LGPL-3.0), running on Qt %2</source>
        <translation>Erstellt mit Qt %1 (LGPL-3.0), läuft mit Qt %2</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
</context>
<context>
    <name>menuforge::BackupChooserDialog</name>
    <message>
        <source>Phone</source>
        <translation>Telefon</translation>
    </message>
    <message>
        <source>IMEI</source>
        <translation>IMEI</translation>
    </message>
    <message>
        <source>Taken</source>
        <translation>Erstellt</translation>
    </message>
    <message>
        <source>Other file...</source>
        <translation>Andere Datei...</translation>
    </message>
</context>
<context>
    <name>menuforge::DeleteRequestDialog</name>
    <message>
        <source>Delete selected files?</source>
        <translation>Ausgewählte Dateien löschen?</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Bestätigung</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Yes to all</source>
        <translation>Ja, alle</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Überspringen</translation>
    </message>
</context>
<context>
    <name>menuforge::DrmPickerDialog</name>
    <message>
        <source>Select an icon</source>
        <translation>Symbol wählen</translation>
    </message>
    <message>
        <source>Picture preview</source>
        <translation>Bildvorschau</translation>
    </message>
    <message>
        <source>Centered</source>
        <translation>Zentriert</translation>
    </message>
    <message>
        <source>Screen size</source>
        <translation>Bildschirmgröße</translation>
    </message>
    <message>
        <source>Load new...</source>
        <translation>Neu laden...</translation>
    </message>
    <message>
        <source>Open new CG15 binary</source>
        <translation>Neue CG15-Binärdatei öffnen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>menuforge::FileAttributesDialog</name>
    <message>
        <source>Read-only</source>
        <translation>Schreibgeschützt</translation>
    </message>
    <message>
        <source>Hidden</source>
        <translation>Versteckt</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Set file attributes</source>
        <translation>Dateiattribute setzen</translation>
    </message>
    <message>
        <source>File attributes</source>
        <translation>Dateiattribute</translation>
    </message>
</context>
<context>
    <name>menuforge::FileMaskDialog</name>
    <message>
        <source>Set file mask</source>
        <translation>Dateimaske setzen</translation>
    </message>
    <message>
        <source>Check volumes to read</source>
        <translation>Zu lesende Laufwerke ankreuzen</translation>
    </message>
    <message>
        <source>Extension (none to read all files)</source>
        <translation>Endung (leer für alle Dateien)</translation>
    </message>
</context>
<context>
    <name>menuforge::IconRowPanel</name>
    <message>
        <source>Source</source>
        <translation>Quelle</translation>
    </message>
</context>
<context>
    <name>menuforge::ItemEditorDialog</name>
    <message>
        <source>Animated icon</source>
        <translation>Animiertes Symbol</translation>
    </message>
    <message>
        <source>Item properties</source>
        <translation>Eintragseigenschaften</translation>
    </message>
    <message>
        <source>Visual</source>
        <translation>Darstellung</translation>
    </message>
    <message>
        <source>Function</source>
        <translation>Funktion</translation>
    </message>
    <message>
        <source>Item title</source>
        <translation>Eintragstitel</translation>
    </message>
    <message>
        <source>Menu title</source>
        <translation>Menütitel</translation>
    </message>
    <message>
        <source>Softkey title</source>
        <translation>Softkey-Titel</translation>
    </message>
    <message>
        <source>Item attributes</source>
        <translation>Eintragsattribute</translation>
    </message>
    <message>
        <source>Lockable</source>
        <translation>Sperrbar</translation>
    </message>
    <message>
        <source>Protected</source>
        <translation>Geschützt</translation>
    </message>
    <message>
        <source>Non-changeable</source>
        <translation>Unveränderlich</translation>
    </message>
    <message>
        <source>Item icons</source>
        <translation>Eintragssymbole</translation>
    </message>
    <message>
        <source>Static icon</source>
        <translation>Festes Symbol</translation>
    </message>
    <message>
        <source>List icon</source>
        <translation>Listensymbol</translation>
    </message>
    <message>
        <source>MIDlet-1</source>
        <translation>MIDlet-1</translation>
    </message>
    <message>
        <source>MIDlet name</source>
        <translation>MIDlet-Name</translation>
    </message>
    <message>
        <source>MIDlet vendor</source>
        <translation>MIDlet-Hersteller</translation>
    </message>
    <message>
        <source>Select installed:</source>
        <translation>Installiertes wählen:</translation>
    </message>
    <message>
        <source>Action code (dec) [?]:</source>
        <translation>Aktionscode (dez) [?]:</translation>
    </message>
    <message>
        <source>Shortcut data [?]</source>
        <translation>Shortcut-Daten [?]</translation>
    </message>
    <message>
        <source>Call a number/Send SMS </source>
        <translation>Nummer anrufen/SMS senden </translation>
    </message>
    <message>
        <source>Call</source>
        <translation>Anrufen</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Code 0x12 [?]</source>
        <translation>Code 0x12 [?]</translation>
    </message>
    <message>
        <source>Code 0x13 [?]</source>
        <translation>Code 0x13 [?]</translation>
    </message>
    <message>
        <source>Code 0x14 [?]</source>
        <translation>Code 0x14 [?]</translation>
    </message>
    <message>
        <source>Reset All Data</source>
        <translation>Alle Daten zurücksetzen</translation>
    </message>
    <message>
        <source>Clear all data attached to the item</source>
        <translation>Alle Daten des Eintrags löschen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Item function:</source>
        <translation>Funktion des Eintrags:</translation>
    </message>
</context>
<context>
    <name>menuforge::NameSettingsDialog</name>
    <message>
        <source>Name settings</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Type in new name</source>
        <translation>Neuen Namen eingeben</translation>
    </message>
</context>
<context>
    <name>menuforge::PhonePreviewDock</name>
    <message>
        <source>Phone preview</source>
        <translation>Telefonvorschau</translation>
    </message>
    <message>
        <source>Screen size</source>
        <translation>Bildschirmgröße</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Raster</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Main menu view</source>
        <translation>Ansicht des Hauptmenüs</translation>
    </message>
    <message>
        <source>Title language</source>
        <translation>Sprache der Titel</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Show the folder above</source>
        <translation>Den übergeordneten Ordner zeigen</translation>
    </message>
</context>
<context>
    <name>menuforge::PicturePickerDialog</name>
    <message>
        <source>Picture Picker</source>
        <translation>Bildauswahl</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>File Size</source>
        <translation>Dateigröße</translation>
    </message>
    <message>
        <source>Attr</source>
        <translation>Attr</translation>
    </message>
    <message>
        <source>Use path</source>
        <translation>Pfad verwenden</translation>
    </message>
    <message>
        <source>Icon path/name:</source>
        <translation>Symbolpfad/-name:</translation>
    </message>
    <message>
        <source>Update file list</source>
        <translation>Dateiliste aktualisieren</translation>
    </message>
    <message>
        <source>Icons only</source>
        <translation>Nur Symbole</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <source>By mask...</source>
        <translation>Nach Maske...</translation>
    </message>
    <message>
        <source>Upload to this folder</source>
        <translation>In diesen Ordner hochladen</translation>
    </message>
    <message>
        <source>Download selected</source>
        <translation>Auswahl herunterladen</translation>
    </message>
    <message>
        <source>Delete selected</source>
        <translation>Auswahl löschen</translation>
    </message>
    <message>
        <source>Set attribute</source>
        <translation>Attribut setzen</translation>
    </message>
    <message>
        <source>Create folder</source>
        <translation>Ordner anlegen</translation>
    </message>
    <message>
        <source>Delete folder</source>
        <translation>Ordner löschen</translation>
    </message>
</context>
<context>
    <name>menuforge::ProgressFrame</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>menuforge::ScanProgressWindow</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>menuforge::SettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Enable p2k ops logging</source>
        <translation>p2k-Vorgänge protokollieren</translation>
    </message>
    <message>
        <source>Set SYSTEM attribute</source>
        <translation>SYSTEM-Attribut setzen</translation>
    </message>
    <message>
        <source>Activate items in SEEM 0032</source>
        <translation>Einträge in SEEM 0032 aktivieren</translation>
    </message>
    <message>
        <source>Backup SEEM</source>
        <translation>SEEM sichern</translation>
    </message>
    <message>
        <source>Restore backup</source>
        <translation>Sicherung wiederherstellen</translation>
    </message>
    <message>
        <source>Read J2MEST</source>
        <translation>J2MEST lesen</translation>
    </message>
    <message>
        <source>From phone</source>
        <translation>Vom Telefon</translation>
    </message>
    <message>
        <source>From card</source>
        <translation>Von der Speicherkarte</translation>
    </message>
    <message>
        <source>Allow patching to run corelets</source>
        <translation>Patchen erlauben, damit Corelets laufen</translation>
    </message>
    <message>
        <source>Show changes before saving to phone</source>
        <translation>Änderungen vor dem Speichern aufs Telefon zeigen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Language of the window</source>
        <translation>Sprache des Fensters</translation>
    </message>
    <message>
        <source>The language changes at the next start.</source>
        <translation>Die Sprache wechselt beim nächsten Start.</translation>
    </message>
</context>
<context>
    <name>menuforge::StringListPanel</name>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>Language ID</source>
        <translation>Sprach-ID</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
</context>
<context>
    <name>menuforge::TextEditorDialog</name>
    <message>
        <source>Text editor </source>
        <translation>Texteditor </translation>
    </message>
</context>
</TS>
