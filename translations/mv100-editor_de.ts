<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>Third-party components:</source>
        <translation>Komponenten von Drittanbietern:</translation>
    </message>
    <message>
        <source>License file not found.

%1</source>
        <translation>Lizenzdatei nicht gefunden.

%1</translation>
    </message>
    <message>
        <source>Could not open the license file.

%1</source>
        <translation>Die Lizenzdatei konnte nicht geöffnet werden.

%1</translation>
    </message>
    <message>
        <source>Could not open the link.

%1</source>
        <translation>Der Link konnte nicht geöffnet werden.

%1</translation>
    </message>
</context>
<context>
    <name>ButtonDialog</name>
    <message>
        <source>Select Key</source>
        <translation>Taste auswählen</translation>
    </message>
    <message>
        <source>Select a KEY and its MODIFIER or a MACRO for the X/Y position </source>
        <translation>Wählen Sie eine TASTE und ihren MODIFIKATOR oder ein MAKRO für die X/Y-Position </translation>
    </message>
    <message>
        <source>0/0</source>
        <translation>0/0</translation>
    </message>
    <message>
        <source>Modifier + Key</source>
        <translation>Modifikator + Taste</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>or</source>
        <translation>oder</translation>
    </message>
    <message>
        <source>Macro</source>
        <translation>Makro</translation>
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
        <source>X:%1 / Y:%2 </source>
        <translation>X:%1 / Y:%2 </translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keines</translation>
    </message>
    <message>
        <source>Macro #%1</source>
        <translation>Makro #%1</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Modifier keys and special keys for media control, mouse or LED outputs can not used at the same time.</source>
        <translation>Modifikatortasten und Sondertasten für Mediensteuerung, Maus oder LED-Ausgänge können nicht gleichzeitig verwendet werden.</translation>
    </message>
    <message>
        <source>Search keys</source>
        <translation>Tasten suchen</translation>
    </message>
    <message>
        <source>Press Key…</source>
        <translation>Taste drücken…</translation>
    </message>
    <message>
        <source>This key has no Morvantide100 code.</source>
        <translation>Diese Taste hat keinen Morvantide100-Code.</translation>
    </message>
    <message>
        <source>Press a key on the keyboard…</source>
        <translation>Drücken Sie eine Taste auf der Tastatur…</translation>
    </message>
</context>
<context>
    <name>CellEditing</name>
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
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Copy Layer To</source>
        <translation>Ebene kopieren nach</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>The layer %1 is not empty.
Replace its keys with those of the layer %2?</source>
        <translation>Die Ebene %1 ist nicht leer.
Sollen ihre Tasten durch die der Ebene %2 ersetzt werden?</translation>
    </message>
    <message>
        <source>Copy Layer %1 To %2</source>
        <translation>Ebene %1 nach %2 kopieren</translation>
    </message>
</context>
<context>
    <name>CellLabel</name>
    <message>
        <source>Media
</source>
        <translation>Medien
</translation>
    </message>
    <message>
        <source>Macro
</source>
        <translation>Makro
</translation>
    </message>
    <message>
        <source>Mouse
</source>
        <translation>Maus
</translation>
    </message>
    <message>
        <source>LED
</source>
        <translation>LED
</translation>
    </message>
    <message>
        <source>Macro type: %1</source>
        <translation>Makrotyp: %1</translation>
    </message>
    <message>
        <source>Macro not set</source>
        <translation>Makro nicht belegt</translation>
    </message>
</context>
<context>
    <name>ConfigDocument</name>
    <message>
        <source>Assign X%1/Y%2</source>
        <translation>X%1/Y%2 zuweisen</translation>
    </message>
    <message>
        <source>Clear Table %1</source>
        <translation>Tabelle %1 leeren</translation>
    </message>
    <message>
        <source>Store Macro %1</source>
        <translation>Makro %1 speichern</translation>
    </message>
    <message>
        <source>Clear Macro %1</source>
        <translation>Makro %1 leeren</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>FN1</source>
        <translation>FN1</translation>
    </message>
    <message>
        <source>FN2</source>
        <translation>FN2</translation>
    </message>
</context>
<context>
    <name>ConfigFile</name>
    <message>
        <source>the folder %1 cannot be created.</source>
        <translation>der Ordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>it has %1 lines, but a configuration has %2.</source>
        <translation>sie hat %1 Zeilen, eine Konfiguration aber %2.</translation>
    </message>
    <message>
        <source>the PIN (line 1) is not 1 to 16 hexadecimal digits.</source>
        <translation>die PIN (Zeile 1) besteht nicht aus 1 bis 16 Hexadezimalziffern.</translation>
    </message>
    <message>
        <source>the custom data (line 2) is not 1 to 32 hexadecimal digits.</source>
        <translation>die Benutzerdaten (Zeile 2) bestehen nicht aus 1 bis 32 Hexadezimalziffern.</translation>
    </message>
    <message>
        <source>line %1 is not a memory block of 64 hexadecimal digits.</source>
        <translation>Zeile %1 ist kein Speicherblock aus 64 Hexadezimalziffern.</translation>
    </message>
    <message>
        <source>it is UTF-16 big-endian text, but a configuration file is UTF-16 little-endian text.</source>
        <translation>sie ist UTF-16-Text in Big-Endian, eine Konfigurationsdatei ist aber UTF-16-Text in Little-Endian.</translation>
    </message>
    <message>
        <source>it is UTF-8 text, but a configuration file is UTF-16 little-endian text.</source>
        <translation>sie ist UTF-8-Text, eine Konfigurationsdatei ist aber UTF-16-Text in Little-Endian.</translation>
    </message>
    <message>
        <source>it is not a text file.</source>
        <translation>sie ist keine Textdatei.</translation>
    </message>
    <message>
        <source>it is not a regular file.</source>
        <translation>sie ist keine reguläre Datei.</translation>
    </message>
    <message>
        <source>it is too large for a configuration file.</source>
        <translation>sie ist zu groß für eine Konfigurationsdatei.</translation>
    </message>
    <message>
        <source>not all of the data could be written.</source>
        <translation>nicht alle Daten konnten geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>DeviceCommands</name>
    <message>
        <source>Back Up Before Writing</source>
        <translation>Vor dem Schreiben sichern</translation>
    </message>
    <message>
        <source>Verify After Writing</source>
        <translation>Nach dem Schreiben prüfen</translation>
    </message>
    <message>
        <source>Restore Backup…</source>
        <translation>Sicherung wiederherstellen…</translation>
    </message>
    <message>
        <source>Restore Backup</source>
        <translation>Sicherung wiederherstellen</translation>
    </message>
    <message>
        <source>MV100 Files (*.mv100);;All Files (*)</source>
        <translation>MV100-Dateien (*.mv100);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Open Backups Folder</source>
        <translation>Sicherungsordner öffnen</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>PIN Error</source>
        <translation>PIN-Fehler</translation>
    </message>
    <message>
        <source>The PIN must be 16 characters long.</source>
        <translation>Die PIN muss 16 Zeichen lang sein.</translation>
    </message>
    <message>
        <source>The new PIN must be 16 characters long.</source>
        <translation>Die neue PIN muss 16 Zeichen lang sein.</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Lesen</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Erfolg</translation>
    </message>
    <message>
        <source>The data was successfully transferred.</source>
        <translation>Die Daten wurden erfolgreich übertragen.</translation>
    </message>
    <message>
        <source>No Device or too many devices found</source>
        <translation>Kein Gerät oder zu viele Geräte gefunden</translation>
    </message>
    <message>
        <source>Read failed: %1</source>
        <translation>Lesen fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Reading from the Morvantide100 ...</source>
        <translation>Aus dem Morvantide100 wird gelesen ...</translation>
    </message>
    <message>
        <source>Read from Device</source>
        <translation>Vom Gerät lesen</translation>
    </message>
    <message>
        <source>The chip&apos;s memory image and settings came back all zero.</source>
        <translation>Speicherabbild und Einstellungen des Chips bestehen nur aus Nullen.</translation>
    </message>
    <message>
        <source>Read (all zero)</source>
        <translation>Gelesen (nur Nullen)</translation>
    </message>
    <message>
        <source>Lock MV100</source>
        <translation>MV100 sperren</translation>
    </message>
    <message>
        <source>Do you really want to lock the Morvantide100?
You can not read/write any data until you erase the device.</source>
        <translation>Soll der Morvantide100 wirklich gesperrt werden?
Bis das Gerät gelöscht wird, können keine Daten gelesen oder geschrieben werden.</translation>
    </message>
    <message>
        <source>Yes, lock</source>
        <translation>Ja, sperren</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The chip&apos;s configuration could not be backed up: %1
Write anyway?</source>
        <translation>Die Konfiguration des Chips konnte nicht gesichert werden: %1
Trotzdem schreiben?</translation>
    </message>
    <message>
        <source>Write Anyway</source>
        <translation>Trotzdem schreiben</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Schreiben</translation>
    </message>
    <message>
        <source>Writing to the Morvantide100 ...</source>
        <translation>In den Morvantide100 wird geschrieben ...</translation>
    </message>
    <message>
        <source>Write cancelled</source>
        <translation>Schreiben abgebrochen</translation>
    </message>
    <message>
        <source>A backup of the chip&apos;s previous content was saved as %1.</source>
        <translation>Eine Sicherung des bisherigen Inhalts des Chips wurde als %1 gespeichert.</translation>
    </message>
    <message>
        <source>Write failed: %1</source>
        <translation>Schreiben fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>The data was written, but it could not be read back to verify it: %1</source>
        <translation>Die Daten wurden geschrieben, konnten zur Prüfung aber nicht zurückgelesen werden: %1</translation>
    </message>
    <message>
        <source>The data was written, but the chip holds something else: the first difference is in the %1.</source>
        <translation>Die Daten wurden geschrieben, aber der Chip enthält etwas anderes: Der erste Unterschied liegt bei „%1“.</translation>
    </message>
    <message>
        <source>Write again; if the difference stays, the chip does not keep what is written.</source>
        <translation>Schreiben Sie erneut; bleibt der Unterschied bestehen, behält der Chip nicht, was geschrieben wird.</translation>
    </message>
    <message>
        <source>Written and verified</source>
        <translation>Geschrieben und geprüft</translation>
    </message>
    <message>
        <source>The data was successfully transferred and verified.</source>
        <translation>Die Daten wurden erfolgreich übertragen und geprüft.</translation>
    </message>
    <message>
        <source>Written</source>
        <translation>Geschrieben</translation>
    </message>
    <message>
        <source>The chip was locked by this Write, so it could not be read back to verify it.</source>
        <translation>Der Chip wurde bei diesem Schreiben gesperrt und konnte daher zur Prüfung nicht zurückgelesen werden.</translation>
    </message>
    <message>
        <source>Erase MV100</source>
        <translation>MV100 löschen</translation>
    </message>
    <message>
        <source>Do you really want to clear the Morvantide100?
All data will be lost and the PIN will set to default.</source>
        <translation>Soll der Morvantide100 wirklich gelöscht werden?
Alle Daten gehen verloren und die PIN wird auf den Standardwert zurückgesetzt.</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Erase failed: %1</source>
        <translation>Löschen fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Morvantide100 was not found.</source>
        <translation>Der Morvantide100 wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>USB Error</source>
        <translation>USB-Fehler</translation>
    </message>
    <message>
        <source>The device&apos;s storage could not be cleared.</source>
        <translation>Der Speicher des Geräts konnte nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>Erased</source>
        <translation>Gelöscht</translation>
    </message>
    <message>
        <source>Morvantide100 storage has been successfully cleared</source>
        <translation>Der Speicher des Morvantide100 wurde erfolgreich gelöscht</translation>
    </message>
    <message>
        <source>Get Info failed: %1</source>
        <translation>Info abrufen fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>No Morvantide100 present</source>
        <translation>Kein Morvantide100 vorhanden</translation>
    </message>
    <message>
        <source>Device Error</source>
        <translation>Gerätefehler</translation>
    </message>
    <message>
        <source>Info read</source>
        <translation>Info gelesen</translation>
    </message>
    <message>
        <source>Locked</source>
        <translation>Gesperrt</translation>
    </message>
    <message>
        <source>Unlocked</source>
        <translation>Entsperrt</translation>
    </message>
</context>
<context>
    <name>DeviceMessages</name>
    <message>
        <source>Error: Block numer is out of range</source>
        <translation>Fehler: Blocknummer liegt außerhalb des gültigen Bereichs</translation>
    </message>
    <message>
        <source>Error: Erasecount could not written</source>
        <translation>Fehler: Löschzähler konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Error: Erase/Write failed</source>
        <translation>Fehler: Löschen/Schreiben fehlgeschlagen</translation>
    </message>
    <message>
        <source>Error: Device is locked</source>
        <translation>Fehler: Gerät ist gesperrt</translation>
    </message>
    <message>
        <source>Error: </source>
        <translation>Fehler: </translation>
    </message>
    <message>
        <source>No Morvantide100 is connected. Check the USB cable.</source>
        <translation>Es ist kein Morvantide100 angeschlossen. Prüfen Sie das USB-Kabel.</translation>
    </message>
    <message>
        <source>%1 Morvantide100 chips are connected. Connect only the one to configure.</source>
        <translation>Es sind %1 Morvantide100-Chips angeschlossen. Schließen Sie nur den zu konfigurierenden an.</translation>
    </message>
    <message>
        <source>A Morvantide100 is connected, but it cannot be opened (%1).</source>
        <translation>Ein Morvantide100 ist angeschlossen, kann aber nicht geöffnet werden (%1).</translation>
    </message>
    <message>
        <source>no reason given</source>
        <translation>ohne Angabe eines Grundes</translation>
    </message>
    <message>
        <source>On Linux a normal user may open it only once the udev rule 70-morvantide100.rules is loaded:
sudo install -m 644 packaging/70-morvantide100.rules /etc/udev/rules.d/
sudo udevadm control --reload-rules &amp;&amp; sudo udevadm trigger
Then unplug the chip and plug it in again.</source>
        <translation>Unter Linux darf ein normaler Benutzer ihn erst öffnen, wenn die udev-Regel 70-morvantide100.rules geladen ist:
sudo install -m 644 packaging/70-morvantide100.rules /etc/udev/rules.d/
sudo udevadm control --reload-rules &amp;&amp; sudo udevadm trigger
Ziehen Sie den Chip danach ab und stecken Sie ihn wieder ein.</translation>
    </message>
    <message>
        <source>A Morvantide100 is connected but does not answer. Unplug it and plug it in again.</source>
        <translation>Ein Morvantide100 ist angeschlossen, antwortet aber nicht. Ziehen Sie ihn ab und stecken Sie ihn wieder ein.</translation>
    </message>
    <message>
        <source>The chip did not accept the PIN in the PIN field. If an earlier Write stored a new PIN (the PIN tab), that PIN is the one to enter in the PIN field.</source>
        <translation>Der Chip hat die PIN im PIN-Feld nicht angenommen. Hat ein früheres Schreiben eine neue PIN gespeichert (Registerkarte PIN), ist diese PIN im PIN-Feld einzugeben.</translation>
    </message>
    <message>
        <source>Nothing on the chip was changed.</source>
        <translation>Auf dem Chip wurde nichts geändert.</translation>
    </message>
    <message>
        <source>The configuration was written and the chip has the new PIN from the PIN tab, but it could not be locked.</source>
        <translation>Die Konfiguration wurde geschrieben und der Chip hat die neue PIN aus der Registerkarte PIN, konnte aber nicht gesperrt werden.</translation>
    </message>
    <message>
        <source>The chip was erased and holds only part of the configuration; its PIN is now the factory PIN (%1).</source>
        <translation>Der Chip wurde gelöscht und enthält nur einen Teil der Konfiguration; seine PIN ist jetzt die Werks-PIN (%1).</translation>
    </message>
    <message>
        <source>The backup of its previous content, %1, can be written back: open it with File &gt; Restore Backup… and write it.</source>
        <translation>Die Sicherung seines bisherigen Inhalts, %1, kann zurückgeschrieben werden: Öffnen Sie sie mit Datei &gt; Sicherung wiederherstellen… und schreiben Sie sie.</translation>
    </message>
    <message>
        <source>No backup was made before this Write.</source>
        <translation>Vor diesem Schreiben wurde keine Sicherung angelegt.</translation>
    </message>
    <message>
        <source>The PIN in the PIN field may be wrong: the chip answers a wrong PIN with zeros. The configuration was loaded all the same; Edit &gt; Undo takes it back.</source>
        <translation>Die PIN im PIN-Feld ist möglicherweise falsch: Auf eine falsche PIN antwortet der Chip mit Nullen. Die Konfiguration wurde trotzdem geladen; Bearbeiten &gt; Rückgängig nimmt das zurück.</translation>
    </message>
    <message>
        <source>The data was successfully transferred.</source>
        <translation>Die Daten wurden erfolgreich übertragen.</translation>
    </message>
    <message>
        <source>An error occurred during data transmission (erase data).</source>
        <translation>Bei der Datenübertragung ist ein Fehler aufgetreten (Löschdaten).</translation>
    </message>
    <message>
        <source>An error occurred during data transmission (led data).</source>
        <translation>Bei der Datenübertragung ist ein Fehler aufgetreten (LED-Daten).</translation>
    </message>
    <message>
        <source>An error occurred during data transmission (mouse data).</source>
        <translation>Bei der Datenübertragung ist ein Fehler aufgetreten (Mausdaten).</translation>
    </message>
    <message>
        <source>An error occurred during data transmission (keytable/macro data).</source>
        <translation>Bei der Datenübertragung ist ein Fehler aufgetreten (Tastentabellen-/Makrodaten).</translation>
    </message>
    <message>
        <source>An error occurred during data transmission (lock).</source>
        <translation>Bei der Datenübertragung ist ein Fehler aufgetreten (Sperre).</translation>
    </message>
    <message>
        <source>An error occurred during data transmission (new PIN).</source>
        <translation>Bei der Datenübertragung ist ein Fehler aufgetreten (neue PIN).</translation>
    </message>
    <message>
        <source>An error occurred during data transmission (custom data).</source>
        <translation>Bei der Datenübertragung ist ein Fehler aufgetreten (Benutzerdaten).</translation>
    </message>
    <message>
        <source>An error occurred during data transmission (debounce data).</source>
        <translation>Bei der Datenübertragung ist ein Fehler aufgetreten (Entprelldaten).</translation>
    </message>
    <message>
        <source>Can not open/connect Morvantide100. Please check the connection.</source>
        <translation>Der Morvantide100 kann nicht geöffnet bzw. verbunden werden. Bitte prüfen Sie die Verbindung.</translation>
    </message>
    <message>
        <source>The Morvantide is protected/locked and can be neither read nor written to.</source>
        <translation>Der Morvantide ist geschützt/gesperrt und kann weder gelesen noch beschrieben werden.</translation>
    </message>
    <message>
        <source>An unknown error occurred.</source>
        <translation>Ein unbekannter Fehler ist aufgetreten.</translation>
    </message>
    <message>
        <source>The chip did not answer the erase, so it may have carried it out: it may now be empty, with the factory PIN (%1).</source>
        <translation>Der Chip hat auf das Löschen nicht geantwortet und es daher vielleicht ausgeführt: Er ist jetzt möglicherweise leer und hat die Werks-PIN (%1).</translation>
    </message>
    <message>
        <source>The configuration was written, but the chip did not answer the new PIN: its PIN is either the factory PIN (%1) or the new PIN from the PIN tab.</source>
        <translation>Die Konfiguration wurde geschrieben, aber der Chip hat auf die neue PIN nicht geantwortet: Seine PIN ist entweder die Werks-PIN (%1) oder die neue PIN aus der Registerkarte PIN.</translation>
    </message>
    <message>
        <source>The configuration was written and the chip has the new PIN from the PIN tab, but it did not answer the lock: it may be locked.</source>
        <translation>Die Konfiguration wurde geschrieben und der Chip hat die neue PIN aus der Registerkarte PIN, hat aber auf das Sperren nicht geantwortet: Er ist möglicherweise gesperrt.</translation>
    </message>
</context>
<context>
    <name>KeyMatrixWidget</name>
    <message>
        <source>Empty</source>
        <translation>Leer</translation>
    </message>
</context>
<context>
    <name>KeySelectDialog</name>
    <message>
        <source>Select a key</source>
        <translation>Taste auswählen</translation>
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
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Please select a key.</source>
        <translation>Bitte wählen Sie eine Taste.</translation>
    </message>
</context>
<context>
    <name>KeySelectExtDialog</name>
    <message>
        <source>Cell Extended 16Bit</source>
        <translation>Zelle erweitert 16 Bit</translation>
    </message>
    <message>
        <source>Modifier</source>
        <translation>Modifikator</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Taste</translation>
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
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Please select a key.</source>
        <translation>Bitte wählen Sie eine Taste.</translation>
    </message>
</context>
<context>
    <name>LegendDialog</name>
    <message>
        <source>Export Legend</source>
        <translation>Legende exportieren</translation>
    </message>
    <message>
        <source>These files already exist:
%1
Do you want to replace them?</source>
        <translation>Diese Dateien existieren bereits:
%1
Sollen sie ersetzt werden?</translation>
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
        <source>Print Legend</source>
        <translation>Legende drucken</translation>
    </message>
    <message>
        <source>Layers</source>
        <translation>Ebenen</translation>
    </message>
    <message>
        <source>Current layer (%1)</source>
        <translation>Aktuelle Ebene (%1)</translation>
    </message>
    <message>
        <source>All layers, one page each</source>
        <translation>Alle Ebenen, je eine Seite</translation>
    </message>
    <message>
        <source>Leave out empty rows and columns</source>
        <translation>Leere Zeilen und Spalten weglassen</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>PDF (A4 landscape)</source>
        <translation>PDF (A4 quer)</translation>
    </message>
    <message>
        <source>PNG (one image per layer)</source>
        <translation>PNG (ein Bild je Ebene)</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>Exportieren…</translation>
    </message>
    <message>
        <source>Print…</source>
        <translation>Drucken…</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>PNG Images (*.png)</source>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
    <message>
        <source>The legend cannot be saved as %1: %2</source>
        <translation>Die Legende kann nicht als %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Key legend</source>
        <translation>Tastenlegende</translation>
    </message>
</context>
<context>
    <name>LegendRenderer</name>
    <message>
        <source>Key legend</source>
        <translation>Tastenlegende</translation>
    </message>
    <message>
        <source>The PDF could not be drawn.</source>
        <translation>Das PDF konnte nicht gezeichnet werden.</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>%1 layer – %2 – %3</source>
        <translation>Ebene %1 – %2 – %3</translation>
    </message>
    <message>
        <source>Media</source>
        <translation>Medien</translation>
    </message>
    <message>
        <source>Macro</source>
        <translation>Makro</translation>
    </message>
    <message>
        <source>Mouse</source>
        <translation>Maus</translation>
    </message>
    <message>
        <source>LED</source>
        <translation>LED</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Leer</translation>
    </message>
    <message>
        <source>No assignments</source>
        <translation>Keine Belegungen</translation>
    </message>
</context>
<context>
    <name>MacroDialogExt</name>
    <message>
        <source>Set Macro</source>
        <translation>Makro festlegen</translation>
    </message>
    <message>
        <source>Macro #</source>
        <translation>Makro #</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Stable</source>
        <translation>Stabil</translation>
    </message>
    <message>
        <source>Typing</source>
        <translation>Tippen</translation>
    </message>
    <message>
        <source>Cell</source>
        <translation>Zelle</translation>
    </message>
    <message>
        <source>Cell 16Bit</source>
        <translation>Zelle 16 Bit</translation>
    </message>
    <message>
        <source>Timeout</source>
        <translation>Zeitlimit</translation>
    </message>
    <message>
        <source>%1 ms</source>
        <translation>%1 ms</translation>
    </message>
    <message>
        <source>Macro not saved</source>
        <translation>Makro nicht gespeichert</translation>
    </message>
    <message>
        <source>The current macro has unsaved changes.
Discard them and close the editor?</source>
        <translation>Das aktuelle Makro hat ungespeicherte Änderungen.
Änderungen verwerfen und den Editor schließen?</translation>
    </message>
    <message>
        <source>The current macro has unsaved changes.
Discard them and load the selected macro?</source>
        <translation>Das aktuelle Makro hat ungespeicherte Änderungen.
Änderungen verwerfen und das ausgewählte Makro laden?</translation>
    </message>
    <message>
        <source>Clear Macro</source>
        <translation>Makro leeren</translation>
    </message>
    <message>
        <source>The current macro will be cleared.
Are you sure?</source>
        <translation>Das aktuelle Makro wird geleert.
Sind Sie sicher?</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Morvantide100 Editor</source>
        <translation>Morvantide100 Editor</translation>
    </message>
    <message>
        <source>PIN:</source>
        <translation>PIN:</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Lock mode</source>
        <translation>Sperrmodus</translation>
    </message>
    <message>
        <source>Unlock</source>
        <translation>Nicht sperren</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>Sperren</translation>
    </message>
    <message>
        <source>FN1</source>
        <translation>FN1</translation>
    </message>
    <message>
        <source>FN2</source>
        <translation>FN2</translation>
    </message>
    <message>
        <source>Mouse</source>
        <translation>Maus</translation>
    </message>
    <message>
        <source>Load default</source>
        <translation>Standard laden</translation>
    </message>
    <message>
        <source>Function</source>
        <translation>Funktion</translation>
    </message>
    <message>
        <source>Trackball</source>
        <translation>Trackball</translation>
    </message>
    <message>
        <source>Joystick</source>
        <translation>Joystick</translation>
    </message>
    <message>
        <source>4 quadrant sensor</source>
        <translation>4-Quadranten-Sensor</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>4 quadrant sendor (slow mode)</source>
        <translation>4-Quadranten-Sensor (langsamer Modus)</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Analog wheel</source>
        <translation>Analoges Rad</translation>
    </message>
    <message>
        <source>Auto range</source>
        <translation>Automatischer Bereich</translation>
    </message>
    <message>
        <source>Invert X</source>
        <translation>X invertieren</translation>
    </message>
    <message>
        <source>Optical wheel</source>
        <translation>Optisches Rad</translation>
    </message>
    <message>
        <source>Auto center</source>
        <translation>Automatisch zentrieren</translation>
    </message>
    <message>
        <source>Invert Y</source>
        <translation>Y invertieren</translation>
    </message>
    <message>
        <source>Reduce range</source>
        <translation>Bereich verkleinern</translation>
    </message>
    <message>
        <source>Invert Z</source>
        <translation>Z invertieren</translation>
    </message>
    <message>
        <source>Axis Min</source>
        <translation>Achse min.</translation>
    </message>
    <message>
        <source>Axis Max</source>
        <translation>Achse max.</translation>
    </message>
    <message>
        <source>Dead Zone X/Y-Axis</source>
        <translation>Totzone X/Y-Achse</translation>
    </message>
    <message>
        <source>Dead Zone Z-Axis</source>
        <translation>Totzone Z-Achse</translation>
    </message>
    <message>
        <source>Ballistic flags</source>
        <translation>Ballistik-Flags</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>Z</source>
        <translation>Z</translation>
    </message>
    <message>
        <source>Z slow mode</source>
        <translation>Z langsamer Modus</translation>
    </message>
    <message>
        <source>Ballistic table</source>
        <translation>Ballistik-Tabelle</translation>
    </message>
    <message>
        <source>Custom Data</source>
        <translation>Benutzerdaten</translation>
    </message>
    <message>
        <source>Here user specific data (16 byte) can be stored on the Morvantide.
This data can only be changed if the Morvantide has been cleared.</source>
        <translation>Hier können benutzerspezifische Daten (16 Byte) im Morvantide gespeichert werden.
Diese Daten können nur geändert werden, wenn der Morvantide gelöscht wurde.</translation>
    </message>
    <message>
        <source>Cusom Data</source>
        <translation>Benutzerdaten</translation>
    </message>
    <message>
        <source>Lock Keys</source>
        <translation>Lock-Tasten</translation>
    </message>
    <message>
        <source>Morvantide100 supports LOCK keys (NUM, SCROLL, etc.) to execute FN keystrokes by using the LOCK leys.</source>
        <translation>Der Morvantide100 unterstützt LOCK-Tasten (NUM, SCROLL usw.), um mit den LOCK-Tasten FN-Tastenanschläge auszuführen.</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Num</source>
        <translation>Num</translation>
    </message>
    <message>
        <source>Caps</source>
        <translation>Caps</translation>
    </message>
    <message>
        <source>Scroll</source>
        <translation>Scroll</translation>
    </message>
    <message>
        <source>Compose</source>
        <translation>Compose</translation>
    </message>
    <message>
        <source>Kana</source>
        <translation>Kana</translation>
    </message>
    <message>
        <source>PIN</source>
        <translation>PIN</translation>
    </message>
    <message>
        <source>Backlight</source>
        <translation>Hintergrundbeleuchtung</translation>
    </message>
    <message>
        <source>The DimLED function configures the two DAC and thee PWM outputs for control via keys</source>
        <translation>Die DimLED-Funktion richtet die zwei DAC- und die drei PWM-Ausgänge für die Steuerung über Tasten ein</translation>
    </message>
    <message>
        <source>Init</source>
        <translation>Startwert</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Schritt</translation>
    </message>
    <message>
        <source>Flags</source>
        <translation>Flags</translation>
    </message>
    <message>
        <source>DAC 0</source>
        <translation>DAC 0</translation>
    </message>
    <message>
        <source>DAC 1</source>
        <translation>DAC 1</translation>
    </message>
    <message>
        <source>PWM 0</source>
        <translation>PWM 0</translation>
    </message>
    <message>
        <source>PWM 1</source>
        <translation>PWM 1</translation>
    </message>
    <message>
        <source>PWM 2</source>
        <translation>PWM 2</translation>
    </message>
    <message>
        <source>LED Outputs</source>
        <translation>LED-Ausgänge</translation>
    </message>
    <message>
        <source>Configuring lock LED outouts</source>
        <translation>Konfiguration der Lock-LED-Ausgänge</translation>
    </message>
    <message>
        <source>Ctrl/Strg</source>
        <translation>Ctrl/Strg</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>Shift</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>GUI/Win</source>
        <translation>GUI/Win</translation>
    </message>
    <message>
        <source>LED 1 (Pin X)</source>
        <translation>LED 1 (Pin X)</translation>
    </message>
    <message>
        <source>Constant On</source>
        <translation>Dauerhaft an</translation>
    </message>
    <message>
        <source>NUM Lock</source>
        <translation>NUM Lock</translation>
    </message>
    <message>
        <source>CAPS Lock</source>
        <translation>CAPS Lock</translation>
    </message>
    <message>
        <source>SCROLL Lock</source>
        <translation>SCROLL Lock</translation>
    </message>
    <message>
        <source>Locking + X</source>
        <translation>Einrastend + X</translation>
    </message>
    <message>
        <source>Sticky + X</source>
        <translation>Haftend + X</translation>
    </message>
    <message>
        <source>Off, LED not used</source>
        <translation>Aus, LED nicht verwendet</translation>
    </message>
    <message>
        <source>LED 2 (Pin X)</source>
        <translation>LED 2 (Pin X)</translation>
    </message>
    <message>
        <source>LED 3 (Pin X)</source>
        <translation>LED 3 (Pin X)</translation>
    </message>
    <message>
        <source>LED 4 (Pin X)</source>
        <translation>LED 4 (Pin X)</translation>
    </message>
    <message>
        <source>LED 5 (Pin X)</source>
        <translation>LED 5 (Pin X)</translation>
    </message>
    <message>
        <source>LED 6 (Pin X)</source>
        <translation>LED 6 (Pin X)</translation>
    </message>
    <message>
        <source>LED 7 (Pin X)</source>
        <translation>LED 7 (Pin X)</translation>
    </message>
    <message>
        <source>LED 8 (Pin X)</source>
        <translation>LED 8 (Pin X)</translation>
    </message>
    <message>
        <source>Debounce</source>
        <translation>Entprellung</translation>
    </message>
    <message>
        <source>Setup the global debounce time in ms.</source>
        <translation>Hier wird die globale Entprellzeit in ms eingestellt.</translation>
    </message>
    <message>
        <source>Debounce Time</source>
        <translation>Entprellzeit</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>Device info</source>
        <translation>Geräteinfo</translation>
    </message>
    <message>
        <source>Vendor ID:</source>
        <translation>Hersteller-ID:</translation>
    </message>
    <message>
        <source>Product ID:</source>
        <translation>Produkt-ID:</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>Seriennummer:</translation>
    </message>
    <message>
        <source>Firmware version:</source>
        <translation>Firmware-Version:</translation>
    </message>
    <message>
        <source>Custom data:</source>
        <translation>Benutzerdaten:</translation>
    </message>
    <message>
        <source>Lock status:</source>
        <translation>Sperrstatus:</translation>
    </message>
    <message>
        <source>Erase count:</source>
        <translation>Löschzähler:</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Recently Opened</source>
        <translation>Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Clear Table</source>
        <translation>Tabelle leeren</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>toolBar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>New Configuration</source>
        <translation>Neue Konfiguration</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen…</translation>
    </message>
    <message>
        <source>Open Configuration</source>
        <translation>Konfiguration öffnen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save Configuration</source>
        <translation>Konfiguration speichern</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Lesen</translation>
    </message>
    <message>
        <source>Read from Morvantide100</source>
        <translation>Aus dem Morvantide100 lesen</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Schreiben</translation>
    </message>
    <message>
        <source>Write to Morvantide100</source>
        <translation>In den Morvantide100 schreiben</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Clear Morvantide100 Memory</source>
        <translation>Speicher des Morvantide100 löschen</translation>
    </message>
    <message>
        <source>Get Info</source>
        <translation>Info abrufen</translation>
    </message>
    <message>
        <source>Morvantide100 Informations</source>
        <translation>Informationen zum Morvantide100</translation>
    </message>
    <message>
        <source>Macros</source>
        <translation>Makros</translation>
    </message>
    <message>
        <source>Set Morvantide100 Macros</source>
        <translation>Makros des Morvantide100 festlegen</translation>
    </message>
    <message>
        <source>Forum</source>
        <translation>Forum</translation>
    </message>
    <message>
        <source>Save As…</source>
        <translation>Speichern unter…</translation>
    </message>
    <message>
        <source>Changes have been made and not saved. Continue?</source>
        <translation>Es gibt ungespeicherte Änderungen. Fortfahren?</translation>
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
        <source>Der Standardbrowser konnte nicht geöffnet werden.

%1</source>
        <translation>Der Standardbrowser konnte nicht geöffnet werden.

%1</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederherstellen: %1</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>MV100 File open</source>
        <translation>MV100-Datei öffnen</translation>
    </message>
    <message>
        <source>MV100 Files (*.mv100);;All Files (*)</source>
        <translation>MV100-Dateien (*.mv100);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>MV100 File save</source>
        <translation>MV100-Datei speichern</translation>
    </message>
    <message>
        <source>MV100 Dateien (*.mv100);;All Files (*)</source>
        <translation>MV100-Dateien (*.mv100);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The file %1 already exists.
Do you want to replace it?</source>
        <translation>Die Datei %1 existiert bereits.
Soll sie ersetzt werden?</translation>
    </message>
    <message>
        <source>The file %1 cannot be saved: %2</source>
        <translation>Die Datei %1 kann nicht gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>%1[*] - %2</source>
        <translation>%1[*] - %2</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened: %2</source>
        <translation>Die Datei %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Remove it from the list?</source>
        <translation>Soll sie aus der Liste entfernt werden?</translation>
    </message>
    <message>
        <source>Stable</source>
        <translation>Stabil</translation>
    </message>
    <message>
        <source>Typing</source>
        <translation>Tippen</translation>
    </message>
    <message>
        <source>Cell</source>
        <translation>Zelle</translation>
    </message>
    <message>
        <source>Cell 16Bit</source>
        <translation>Zelle 16 Bit</translation>
    </message>
    <message>
        <source>Export Legend…</source>
        <translation>Legende exportieren…</translation>
    </message>
    <message>
        <source>Print Legend…</source>
        <translation>Legende drucken…</translation>
    </message>
    <message>
        <source>Legend saved: %1</source>
        <translation>Legende gespeichert: %1</translation>
    </message>
</context>
<context>
    <name>Mv100Transfer</name>
    <message>
        <source>memory block %1</source>
        <translation>Speicherblock %1</translation>
    </message>
    <message>
        <source>custom data</source>
        <translation>Benutzerdaten</translation>
    </message>
    <message>
        <source>lock keys</source>
        <translation>Lock-Tasten</translation>
    </message>
    <message>
        <source>LED outputs</source>
        <translation>LED-Ausgänge</translation>
    </message>
    <message>
        <source>backlight</source>
        <translation>Hintergrundbeleuchtung</translation>
    </message>
    <message>
        <source>mouse</source>
        <translation>Maus</translation>
    </message>
    <message>
        <source>debounce</source>
        <translation>Entprellung</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Demo build: the device is a simulated Morvantide100 (state in %1)</source>
        <translation>Demo-Version: Das Gerät ist ein simulierter Morvantide100 (Zustand in %1)</translation>
    </message>
    <message>
        <source>Configuration editor for the Morvantide100 keyboard encoder.</source>
        <translation>Konfigurationseditor für den Tastatur-Encoder Morvantide100.</translation>
    </message>
    <message>
        <source>A configuration file (.mv100) to open.</source>
        <translation>Eine zu öffnende Konfigurationsdatei (.mv100).</translation>
    </message>
    <message>
        <source>mv100-editor: only one file can be opened.</source>
        <translation>mv100-editor: Es kann nur eine Datei geöffnet werden.</translation>
    </message>
</context>
<context>
    <name>RecentFiles</name>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(leer)</translation>
    </message>
</context>
<context>
    <name>SafeWrite</name>
    <message>
        <source>the chip answered with zeros only; the PIN may be wrong.</source>
        <translation>der Chip hat nur mit Nullen geantwortet; die PIN ist möglicherweise falsch.</translation>
    </message>
</context>
<context>
    <name>SettingsTabs</name>
    <message>
        <source>Change PIN</source>
        <translation>PIN ändern</translation>
    </message>
    <message>
        <source>Change Custom Data</source>
        <translation>Benutzerdaten ändern</translation>
    </message>
    <message>
        <source>Change Lock Keys</source>
        <translation>Lock-Tasten ändern</translation>
    </message>
    <message>
        <source>Change Mouse Settings</source>
        <translation>Mauseinstellungen ändern</translation>
    </message>
    <message>
        <source>Change Backlight</source>
        <translation>Hintergrundbeleuchtung ändern</translation>
    </message>
    <message>
        <source>Change LED Outputs</source>
        <translation>LED-Ausgänge ändern</translation>
    </message>
    <message>
        <source>Change Lock Mode</source>
        <translation>Sperrmodus ändern</translation>
    </message>
    <message>
        <source>Change Debounce</source>
        <translation>Entprellung ändern</translation>
    </message>
</context>
<context>
    <name>Translations</name>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>The language changes when the editor is started again.</source>
        <translation>Die Sprache wechselt beim nächsten Start des Editors.</translation>
    </message>
</context>
</TS>
