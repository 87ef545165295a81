<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>AboutBox</name>
    <message>
        <source>Info</source>
        <comment>window title</comment>
        <translation>Info</translation>
    </message>
    <message>
        <source>If you like the program please let me know. I am always happy when you donate</source>
        <translation>Wenn Ihnen das Programm gefällt, schreiben Sie mir. Über eine Spende freue ich mich immer</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Tarnwick icon</source>
        <translation>Tarnwick-Symbol</translation>
    </message>
    <message>
        <source>Donate</source>
        <translation>Spenden</translation>
    </message>
</context>
<context>
    <name>AboutText</name>
    <message>
        <source>This program uses the command line tool Transfolio.exe</source>
        <translation>Dieses Programm nutzt das Befehlszeilenwerkzeug</translation>
    </message>
    <message>
        <source>to transmit and receive files from the PC to the Atari Portfolio</source>
        <translation>Transfolio.exe, um Dateien vom PC zum Atari Portfolio</translation>
    </message>
    <message>
        <source>or vice versa.</source>
        <translation>zu übertragen und umgekehrt.</translation>
    </message>
    <message>
        <source>E-Mail:</source>
        <translation>E-Mail:</translation>
    </message>
    <message>
        <source>Written and kept up by its own author; thanks!</source>
        <translation>Geschrieben und gepflegt von seinem Autor; danke!</translation>
    </message>
</context>
<context>
    <name>Artwork</name>
    <message>
        <source>Donate</source>
        <comment>the donation button&apos;s word</comment>
        <translation>Spenden</translation>
    </message>
</context>
<context>
    <name>BackupWindow</name>
    <message>
        <source>BACKUP</source>
        <comment>window title</comment>
        <translation>SICHERUNG</translation>
    </message>
    <message>
        <source>Step 1</source>
        <translation>Schritt 1</translation>
    </message>
    <message>
        <source>Please enter all folders on the Portfolio which you want to backup (e.g.: a:\program\)</source>
        <translation>Bitte alle Ordner des Portfolios eingeben, die gesichert werden sollen (z. B.: a:\programm\)</translation>
    </message>
    <message>
        <source>Add more</source>
        <translation>Weitere</translation>
    </message>
    <message>
        <source>Step 2</source>
        <translation>Schritt 2</translation>
    </message>
    <message>
        <source>Please enter an existing destination path on your PC (e.g.: c:\backup\)</source>
        <translation>Bitte einen vorhandenen Zielpfad auf dem PC eingeben (z. B.: c:\backup\)</translation>
    </message>
    <message>
        <source>Start</source>
        <comment>starts the backup</comment>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Portfolio folder %1</source>
        <translation>Portfolio-Ordner %1</translation>
    </message>
    <message>
        <source>%1 is not a folder. Please enter a folder.</source>
        <translation>%1 ist kein Ordner. Bitte geben Sie einen Ordner ein.</translation>
    </message>
    <message>
        <source>%1 does not exist. Create it?</source>
        <translation>%1 gibt es nicht. Anlegen?</translation>
    </message>
    <message>
        <source>The folder %1 could not be created.</source>
        <translation>Der Ordner %1 konnte nicht angelegt werden.</translation>
    </message>
</context>
<context>
    <name>BusyWork</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>DocumentDrop</name>
    <message>
        <source>Only one file at a time can be dropped here to open it.</source>
        <translation>Hier kann nur eine Datei auf einmal abgelegt werden, um sie zu öffnen.</translation>
    </message>
    <message>
        <source>%1 is not a file on this computer.</source>
        <translation>%1 ist keine Datei auf diesem Computer.</translation>
    </message>
    <message>
        <source>%1 is a folder. Drop a .txt or .rtf file to open it here.</source>
        <translation>%1 ist ein Ordner. Legen Sie eine .txt- oder .rtf-Datei hier ab, um sie zu öffnen.</translation>
    </message>
    <message>
        <source>%1 cannot be opened: it does not exist.</source>
        <translation>%1 kann nicht geöffnet werden: die Datei gibt es nicht.</translation>
    </message>
    <message>
        <source>Only .txt and .rtf files open here, and %1 is neither.</source>
        <translation>Hier öffnen sich nur .txt- und .rtf-Dateien, und %1 ist keine davon.</translation>
    </message>
</context>
<context>
    <name>DocumentFile</name>
    <message>
        <source>it is a folder</source>
        <translation>es ist ein Ordner</translation>
    </message>
    <message>
        <source>no file is chosen in the PC panel</source>
        <translation>im PC-Bereich ist keine Datei gewählt</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>die Datei ist schreibgeschützt</translation>
    </message>
    <message>
        <source>the text holds characters that its character set (code page %1) cannot store</source>
        <translation>der Text enthält Zeichen, die sein Zeichensatz (Codepage %1) nicht speichern kann</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>der Datenträger ist voll</translation>
    </message>
    <message>
        <source>not all of the text could be written</source>
        <translation>nicht der ganze Text konnte geschrieben werden</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>it is a link to %1, which does not exist</source>
        <translation>es ist ein Verweis auf %1, und diese Datei gibt es nicht</translation>
    </message>
    <message>
        <source>it is larger than the %1 MB the editor can hold</source>
        <translation>sie ist größer als die %1 MB, die der Editor fassen kann</translation>
    </message>
</context>
<context>
    <name>DocumentWindow</name>
    <message>
        <source>New</source>
        <comment>tool tip</comment>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Open</source>
        <comment>tool tip</comment>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save</source>
        <comment>tool tip</comment>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Print</source>
        <comment>tool tip</comment>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>Seitenansicht</translation>
    </message>
    <message>
        <source>Cut</source>
        <comment>tool tip</comment>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Copy</source>
        <comment>tool tip</comment>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Paste</source>
        <comment>tool tip</comment>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Unterstrichen</translation>
    </message>
    <message>
        <source>Align Left</source>
        <translation>Linksbündig</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Zentriert</translation>
    </message>
    <message>
        <source>Align Right</source>
        <translation>Rechtsbündig</translation>
    </message>
    <message>
        <source>Find</source>
        <comment>tool tip</comment>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Status</source>
        <comment>status bar panel</comment>
        <translation>Status</translation>
    </message>
    <message>
        <source>CAPS</source>
        <comment>Caps Lock indicator</comment>
        <translation>UF</translation>
    </message>
    <message>
        <source>INS</source>
        <comment>Insert key indicator</comment>
        <translation>EINFG</translation>
    </message>
    <message>
        <source>NUM</source>
        <comment>Num Lock indicator</comment>
        <translation>NUM</translation>
    </message>
    <message>
        <source>The document has changes that are not saved. Close it and lose them?</source>
        <translation>Das Dokument enthält nicht gespeicherte Änderungen. Schließen und die Änderungen verwerfen?</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened: %2.</source>
        <translation>Die Datei %1 kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>The document has changes that are not saved. Open %1 and lose them?</source>
        <translation>Das Dokument enthält nicht gespeicherte Änderungen. %1 öffnen und die Änderungen verwerfen?</translation>
    </message>
    <message>
        <source>Save file and overwrite?</source>
        <translation>Datei speichern und überschreiben?</translation>
    </message>
    <message>
        <source>Save file...</source>
        <translation>Datei speichern...</translation>
    </message>
    <message>
        <source>The file %1 could not be saved: %2.</source>
        <translation>Die Datei %1 konnte nicht gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>Line Number: %1</source>
        <translation>Zeilennummer: %1</translation>
    </message>
    <message>
        <source>Document text</source>
        <translation>Dokumenttext</translation>
    </message>
    <message>
        <source>Font name</source>
        <translation>Schriftart</translation>
    </message>
    <message>
        <source>Font size</source>
        <translation>Schriftgröße</translation>
    </message>
    <message>
        <source>More buttons</source>
        <translation>Weitere Schaltflächen</translation>
    </message>
    <message>
        <source>The file %1 was changed on disk after it was opened. Save file and overwrite those changes?</source>
        <translation>Die Datei %1 wurde nach dem Öffnen auf dem Datenträger geändert. Datei speichern und diese Änderungen überschreiben?</translation>
    </message>
    <message>
        <source>(%1 is a link to it)</source>
        <translation>(%1 ist ein Verweis auf diese Datei)</translation>
    </message>
    <message>
        <source>Opening %1...</source>
        <translation>%1 wird geöffnet...</translation>
    </message>
    <message>
        <source>there is not enough memory for it</source>
        <translation>dafür reicht der Speicher nicht</translation>
    </message>
    <message>
        <source>it could not be read</source>
        <translation>sie konnte nicht gelesen werden</translation>
    </message>
</context>
<context>
    <name>FindDialog</name>
    <message>
        <source>&amp;Find</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>&amp;Find Next</source>
        <translation>&amp;Weiter</translation>
    </message>
    <message>
        <source>&amp;Replace...</source>
        <comment>expands the dialog</comment>
        <translation>&amp;Ersetzen...</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <comment>replaces the found text</comment>
        <translation>&amp;Ersetzen</translation>
    </message>
    <message>
        <source>Find...</source>
        <translation>Suchen...</translation>
    </message>
    <message>
        <source>Fin&amp;d What:</source>
        <translation>Such&amp;text:</translation>
    </message>
    <message>
        <source>Replace &amp;With:</source>
        <translation>Ersetzen &amp;mit:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Search Options</source>
        <translation>Suchoptionen</translation>
    </message>
    <message>
        <source>Find Whole Word &amp;Only</source>
        <translation>Nur ganze &amp;Wörter</translation>
    </message>
    <message>
        <source>Match Ca&amp;se</source>
        <translation>&amp;Groß-/Kleinschreibung</translation>
    </message>
    <message>
        <source>Replace &amp;All</source>
        <translation>&amp;Alle ersetzen</translation>
    </message>
    <message>
        <source>The document is no longer open.</source>
        <translation>Das Dokument ist nicht mehr geöffnet.</translation>
    </message>
    <message>
        <source>Text not found</source>
        <translation>Text nicht gefunden</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Suche läuft...</translation>
    </message>
    <message>
        <source>Replacing...</source>
        <translation>Ersetzen läuft...</translation>
    </message>
    <message>
        <source>There is not enough memory to search the document. Nothing was replaced.</source>
        <translation>Für die Suche im Dokument reicht der Speicher nicht. Nichts wurde ersetzt.</translation>
    </message>
    <message>
        <source>There is not enough memory to finish the command.</source>
        <translation>Der Speicher reicht nicht, um den Befehl zu Ende zu führen.</translation>
    </message>
    <message>
        <source>Replacing every occurrence would make the text longer than the %1 million characters the editor can hold. Nothing was replaced.</source>
        <translation>Würde jedes Vorkommen ersetzt, wäre der Text länger als die %1 Millionen Zeichen, die der Editor fassen kann. Es wurde nichts ersetzt.</translation>
    </message>
</context>
<context>
    <name>FolderAccess</name>
    <message>
        <source>no folder is given</source>
        <translation>es ist kein Ordner angegeben</translation>
    </message>
    <message>
        <source>The name %1 in the folder %2 cannot be used exactly: its bytes are no valid text in the system&apos;s encoding of file names. Nothing is done to it; please rename it, for example in a file manager.</source>
        <translation>Der Name %1 im Ordner %2 lässt sich nicht genau verwenden: Seine Bytes sind kein gültiger Text in der Kodierung, die das System für Dateinamen verwendet. Mit ihm geschieht nichts; bitte benennen Sie ihn um, etwa in einem Dateimanager.</translation>
    </message>
</context>
<context>
    <name>FolderCommands</name>
    <message>
        <source>The folder %1 could not be made: %2.</source>
        <translation>Der Ordner %1 konnte nicht angelegt werden: %2.</translation>
    </message>
    <message>
        <source>no PC folder is chosen</source>
        <translation>es ist kein PC-Ordner gewählt</translation>
    </message>
    <message>
        <source>a folder name cannot hold %1</source>
        <translation>ein Ordnername darf kein %1 enthalten</translation>
    </message>
    <message>
        <source>a file or folder of that name already exists</source>
        <translation>eine Datei oder ein Ordner dieses Namens ist schon vorhanden</translation>
    </message>
    <message>
        <source>The folder %1 could not be deleted: %2.</source>
        <translation>Der Ordner %1 konnte nicht gelöscht werden: %2.</translation>
    </message>
    <message>
        <source>%1 is the root of a drive; it cannot be deleted.</source>
        <translation>%1 ist das Stammverzeichnis eines Laufwerks und kann nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>it is not a folder</source>
        <translation>es ist kein Ordner</translation>
    </message>
    <message>
        <source>%1 of its files could not be deleted (%2)</source>
        <translation>%1 seiner Dateien konnten nicht gelöscht werden (%2)</translation>
    </message>
    <message>
        <source>it still holds folders, which are not deleted</source>
        <translation>er enthält noch Ordner, und diese werden nicht gelöscht</translation>
    </message>
    <message>
        <source>it is a link to a folder, and links are not deleted</source>
        <translation>es ist eine Verknüpfung auf einen Ordner, und Verknüpfungen werden nicht gelöscht</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>PC</source>
        <comment>the panel of this computer&apos;s files</comment>
        <translation>PC</translation>
    </message>
    <message>
        <source>File size: 0 Bytes</source>
        <translation>Dateigröße: 0 Byte</translation>
    </message>
    <message>
        <source>Transmit &gt;&gt;</source>
        <translation>Übertragen &gt;&gt;</translation>
    </message>
    <message>
        <source>&lt;&lt; Receive</source>
        <translation>&lt;&lt; Empfangen</translation>
    </message>
    <message>
        <source>Atari Portfolio</source>
        <translation>Atari Portfolio</translation>
    </message>
    <message>
        <source>Folder:</source>
        <comment>on the Portfolio</comment>
        <translation>Ordner:</translation>
    </message>
    <message>
        <source>File:</source>
        <comment>on the Portfolio</comment>
        <translation>Datei:</translation>
    </message>
    <message>
        <source>Add to list</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Clear list</source>
        <translation>Liste leeren</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <comment>menu</comment>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Backup</source>
        <comment>menu item opening the backup wizard</comment>
        <translation>Sichern</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <comment>menu</comment>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>Show only Atari Portfolio files</source>
        <translation>Nur Atari-Portfolio-Dateien anzeigen</translation>
    </message>
    <message>
        <source>Overwrite files if exists?</source>
        <translation>Vorhandene Dateien überschreiben?</translation>
    </message>
    <message>
        <source>Path options</source>
        <translation>Pfadoptionen</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <comment>menu item opening the about box</comment>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>New folder</source>
        <comment>menu item</comment>
        <translation>Neuer Ordner</translation>
    </message>
    <message>
        <source>Delete folder</source>
        <translation>Ordner löschen</translation>
    </message>
    <message>
        <source>The settings could not be stored in %1.</source>
        <translation>Die Einstellungen konnten nicht in %1 gespeichert werden.</translation>
    </message>
    <message>
        <source>Unable to open the file with this extension.</source>
        <translation>Dateien mit dieser Endung können nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>PC drive</source>
        <translation>PC-Laufwerk</translation>
    </message>
    <message>
        <source>PC folders</source>
        <translation>PC-Ordner</translation>
    </message>
    <message>
        <source>PC files</source>
        <translation>PC-Dateien</translation>
    </message>
    <message>
        <source>PC path</source>
        <translation>PC-Pfad</translation>
    </message>
    <message>
        <source>Portfolio drive</source>
        <translation>Portfolio-Laufwerk</translation>
    </message>
    <message>
        <source>Receive list</source>
        <translation>Empfangsliste</translation>
    </message>
    <message>
        <source>&amp;Transfers</source>
        <translation>Ü&amp;bertragungen</translation>
    </message>
    <message>
        <source>The document cannot be saved: the main window, whose path field names the file, is closed.</source>
        <translation>Das Dokument kann nicht gespeichert werden: Das Hauptfenster, dessen Pfadfeld die Datei nennt, ist geschlossen.</translation>
    </message>
</context>
<context>
    <name>OptionsWindow</name>
    <message>
        <source>Options</source>
        <comment>window title</comment>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Paths</source>
        <translation>Pfade</translation>
    </message>
    <message>
        <source>Transfolio.exe:</source>
        <translation>Transfolio.exe:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>The folder of transfolio.exe could not be stored in %1.
It is used until Tarnwick ends.</source>
        <translation>Der Ordner von transfolio.exe konnte nicht in %1 gespeichert werden.
Er gilt, bis Tarnwick beendet wird.</translation>
    </message>
</context>
<context>
    <name>PcBrowser</name>
    <message>
        <source>The drive %1 cannot be read: %2.</source>
        <translation>Das Laufwerk %1 kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be opened: %2.</source>
        <translation>Der Ordner %1 kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>Enter name for new folder?</source>
        <translation>Namen für den neuen Ordner eingeben:</translation>
    </message>
    <message>
        <source>New folder</source>
        <translation>Neuer Ordner</translation>
    </message>
    <message>
        <source>WARNING, folder isn&apos;t empty. Do you want to delete all files?</source>
        <translation>ACHTUNG, der Ordner ist nicht leer. Wollen Sie alle Dateien löschen?</translation>
    </message>
    <message>
        <source>Only files and folders of this computer can be dropped here; %1 is not one.</source>
        <translation>Hier lassen sich nur Dateien und Ordner dieses Computers ablegen; %1 gehört nicht dazu.</translation>
    </message>
    <message>
        <source>Left out: %1 of the dropped entries. Only files that the list shows, all from one folder, can be selected; the folder open now is %2.</source>
        <translation>Ausgelassen: %1 der abgelegten Einträge. Auswählen lassen sich nur Dateien, die die Liste zeigt, alle aus einem Ordner; geöffnet ist jetzt %2.</translation>
    </message>
    <message>
        <source>File size: unknown</source>
        <translation>Dateigröße: unbekannt</translation>
    </message>
    <message>
        <source>Files in it that will be deleted: %1.</source>
        <translation>Dateien darin, die gelöscht werden: %1.</translation>
    </message>
    <message>
        <source>Folders in it, which are not deleted: %1.</source>
        <translation>Ordner darin, die nicht gelöscht werden: %1.</translation>
    </message>
</context>
<context>
    <name>ProcessRunner</name>
    <message>
        <source>The command line names no program.</source>
        <translation>Die Befehlszeile nennt kein Programm.</translation>
    </message>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 gibt es nicht.</translation>
    </message>
    <message>
        <source>%1 is not an executable file.</source>
        <translation>%1 ist keine ausführbare Datei.</translation>
    </message>
    <message>
        <source>%1 was not found on the PATH.</source>
        <translation>%1 wurde im PATH nicht gefunden.</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>The settings in %1 could not be read, and the file could not be set aside. Tarnwick starts with its own settings and leaves the file as it is.</source>
        <translation>Die Einstellungen in %1 konnten nicht gelesen werden, und die Datei ließ sich nicht beiseitelegen. Tarnwick startet mit seinen eigenen Einstellungen und lässt die Datei, wie sie ist.</translation>
    </message>
    <message>
        <source>The settings in %1 could not be read. Tarnwick starts with its own settings; the file was kept as %2.</source>
        <translation>Die Einstellungen in %1 konnten nicht gelesen werden. Tarnwick startet mit seinen eigenen Einstellungen; die Datei wurde als %2 aufbewahrt.</translation>
    </message>
</context>
<context>
    <name>SizeLine</name>
    <message>
        <source>File size: %1 kB (%2 Bytes)</source>
        <translation>Dateigröße: %1 kB (%2 Byte)</translation>
    </message>
</context>
<context>
    <name>TextArea</name>
    <message>
        <source>Pasting...</source>
        <translation>Wird eingefügt...</translation>
    </message>
</context>
<context>
    <name>TextSearch</name>
    <message>
        <source>The specified region has been searched. <byte value="xd"/>
%1 replacements have been made.</source>
        <translation>Der angegebene Bereich wurde durchsucht. <byte value="xd"/>
Anzahl der Ersetzungen: %1.</translation>
    </message>
</context>
<context>
    <name>ToolCommands</name>
    <message>
        <source>The folder of transfolio.exe holds a character (%1) that a command line cannot carry. Please choose another folder.</source>
        <translation>Der Ordner von transfolio.exe enthält ein Zeichen (%1), das eine Befehlszeile nicht weitergeben kann. Bitte wählen Sie einen anderen Ordner.</translation>
    </message>
</context>
<context>
    <name>ToolRuns</name>
    <message>
        <source>The Portfolio path %1 is %2 characters long; the transfer tool uses only the first %3 of a Portfolio path. Please choose a shorter folder or name.</source>
        <translation>Der Portfolio-Pfad %1 ist %2 Zeichen lang; das Übertragungsprogramm verwendet nur die ersten %3 Zeichen eines Portfolio-Pfads. Bitte wählen Sie einen kürzeren Ordner oder Namen.</translation>
    </message>
    <message>
        <source>Error! Please check the path of transfolio.exe or your sources!</source>
        <translation>Fehler! Bitte prüfen Sie den Pfad von transfolio.exe oder Ihre Quellen!</translation>
    </message>
    <message>
        <source>%1 would all become %2</source>
        <translation>%1 würden alle zu %2</translation>
    </message>
    <message>
        <source>These files would get the same name on the Portfolio, so one would replace or block the other:
%1
Please rename them or send them one at a time.</source>
        <translation>Diese Dateien bekämen auf dem Portfolio denselben Namen, sodass eine die andere ersetzen oder blockieren würde:
%1
Bitte benennen Sie sie um oder senden Sie sie einzeln.</translation>
    </message>
    <message>
        <source>%1 is not a folder, and %2 Portfolio files cannot all be received into one file. Please pick a folder.</source>
        <translation>%1 ist kein Ordner, und %2 Portfolio-Dateien können nicht alle in eine Datei empfangen werden. Bitte wählen Sie einen Ordner.</translation>
    </message>
    <message>
        <source>Please enter the destination folder on your PC (step 2).</source>
        <translation>Bitte geben Sie den Zielordner auf Ihrem PC ein (Schritt 2).</translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 und %2 weitere</translation>
    </message>
    <message>
        <source>Not listed: %1 more of them.</source>
        <translation>Nicht aufgeführt: %1 weitere davon.</translation>
    </message>
</context>
<context>
    <name>ToolbarIcons</name>
    <message>
        <source>B</source>
        <comment>the letter on the Bold button</comment>
        <translation>F</translation>
    </message>
    <message>
        <source>I</source>
        <comment>the letter on the Italic button</comment>
        <translation>K</translation>
    </message>
    <message>
        <source>U</source>
        <comment>the letter on the Underline button</comment>
        <translation>U</translation>
    </message>
</context>
<context>
    <name>TransferQueue</name>
    <message>
        <source>Waiting</source>
        <translation>Wartet</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>Läuft</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Failed (exit %1)</source>
        <translation>Fehlgeschlagen (Status %1)</translation>
    </message>
    <message>
        <source>Not started</source>
        <translation>Nicht gestartet</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Abgebrochen</translation>
    </message>
</context>
<context>
    <name>TransfersWindow</name>
    <message>
        <source>Transfers</source>
        <comment>window title</comment>
        <translation>Übertragungen</translation>
    </message>
    <message>
        <source>&amp;Runs:</source>
        <translation>&amp;Läufe:</translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation>Übertragung</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Runs</source>
        <translation>Läufe</translation>
    </message>
    <message>
        <source>&amp;Output of the selected run:</source>
        <translation>&amp;Ausgabe des gewählten Laufs:</translation>
    </message>
    <message>
        <source>Output of the selected run</source>
        <translation>Ausgabe des gewählten Laufs</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>Abbre&amp;chen</translation>
    </message>
    <message>
        <source>C&amp;lear finished</source>
        <translation>&amp;Beendete entfernen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Stop the transfers? The running one is ended and the waiting ones are dropped. A file being received may be left incomplete on the PC.</source>
        <translation>Die Übertragungen abbrechen? Die laufende wird beendet, die wartenden entfallen. Eine Datei, die gerade empfangen wird, kann unvollständig auf dem PC bleiben.</translation>
    </message>
    <message>
        <source>Transfers are still waiting or running. Close the window and stop them? A file being received may be left incomplete on the PC.</source>
        <translation>Es warten oder laufen noch Übertragungen. Das Fenster schließen und sie abbrechen? Eine Datei, die gerade empfangen wird, kann unvollständig auf dem PC bleiben.</translation>
    </message>
</context>
</TS>
