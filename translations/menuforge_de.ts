<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
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
</TS>
