<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>MainWindow</name>
    <message>
        <source>Workbench</source>
        <translation>Workbench</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Werkzeuge</translation>
    </message>
    <message>
        <source>&amp;Module</source>
        <translation>&amp;Modul</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>About the plug-in...</source>
        <translation>Über das Plug-in...</translation>
    </message>
    <message>
        <source>Module connected</source>
        <translation>Modul verbunden</translation>
    </message>
    <message>
        <source>Module disconnected</source>
        <translation>Modul getrennt</translation>
    </message>
    <message>
        <source>Encoder resolution</source>
        <translation>Encoderauflösung</translation>
    </message>
    <message>
        <source>Counts per revolution:</source>
        <translation>Inkremente pro Umdrehung:</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>Module type as the firmware names it:</source>
        <translation>Modultyp, wie ihn die Firmware meldet:</translation>
    </message>
    <message>
        <source>About the plug-in</source>
        <translation>Über das Plug-in</translation>
    </message>
    <message>
        <source>No plug-in is loaded.</source>
        <translation>Es ist kein Plug-in geladen.</translation>
    </message>
    <message>
        <source>&amp;Connected</source>
        <translation>&amp;Verbunden</translation>
    </message>
    <message>
        <source>Encoder &amp;resolution</source>
        <translation>Encoder&amp;auflösung</translation>
    </message>
    <message>
        <source>Custom...</source>
        <translation>Benutzerdefiniert...</translation>
    </message>
    <message>
        <source>Encoder r&amp;eversed</source>
        <translation>Encoder &amp;umgekehrt</translation>
    </message>
    <message>
        <source>&amp;Firmware</source>
        <translation>&amp;Firmware</translation>
    </message>
    <message>
        <source>Other...</source>
        <translation>Andere...</translation>
    </message>
    <message>
        <source>Reduced current &amp;range</source>
        <translation>Reduzierter Strom&amp;bereich</translation>
    </message>
    <message>
        <source>No tools</source>
        <translation>Keine Werkzeuge</translation>
    </message>
    <message>
        <source>&amp;Cascade windows</source>
        <translation>Fenster &amp;überlappend</translation>
    </message>
    <message>
        <source>&amp;Tile windows</source>
        <translation>Fenster &amp;nebeneinander</translation>
    </message>
    <message>
        <source>Custom (%1)...</source>
        <translation>Benutzerdefiniert (%1)...</translation>
    </message>
    <message>
        <source>Other (%1)...</source>
        <translation>Andere (%1)...</translation>
    </message>
</context>
<context>
    <name>PluginHost</name>
    <message>
        <source>not a tools plug-in: %1 (%2)</source>
        <translation>kein Werkzeug-Plug-in: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>Translations</name>
    <message>
        <source>unknown language &quot;%1&quot; for --lang; choose one of: %2</source>
        <translation>unbekannte Sprache „%1“ für --lang; möglich sind: %2</translation>
    </message>
    <message>
        <source>no German translation &quot;%1&quot; in %2</source>
        <translation>keine deutsche Übersetzung „%1“ in %2</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Hosts the tools plug-in with a simulated module.</source>
        <translation>Betreibt das Werkzeug-Plug-in mit einem simulierten Modul.</translation>
    </message>
    <message>
        <source>Plug-in library to load.</source>
        <translation>Zu ladende Plug-in-Bibliothek.</translation>
    </message>
    <message>
        <source>Polling period in milliseconds.</source>
        <translation>Abfrageintervall in Millisekunden.</translation>
    </message>
    <message>
        <source>True encoder counts per revolution.</source>
        <translation>Tatsächliche Encoder-Inkremente pro Umdrehung.</translation>
    </message>
    <message>
        <source>The encoder counts against the shaft.</source>
        <translation>Der Encoder zählt entgegen der Drehrichtung der Welle.</translation>
    </message>
    <message>
        <source>Module type the firmware reports.</source>
        <translation>Modultyp, den die Firmware meldet.</translation>
    </message>
    <message>
        <source>Simulated time runs F times as fast.</source>
        <translation>Die simulierte Zeit läuft F-mal so schnell.</translation>
    </message>
    <message>
        <source>Run the guided commissioning headless and print each step; exit 0 only when the closed loop ends ready.</source>
        <translation>Führt die geführte Inbetriebnahme ohne Fenster aus und gibt jeden Schritt aus; Exit-Code 0 nur, wenn der Closed Loop am Ende bereit ist.</translation>
    </message>
    <message>
        <source>With --auto: save a picture of each page into DIR.</source>
        <translation>Mit --auto: ein Bild jeder Seite in DIR speichern.</translation>
    </message>
    <message>
        <source>Show the plug-in&apos;s debug lines.</source>
        <translation>Debug-Ausgaben des Plug-ins anzeigen.</translation>
    </message>
    <message>
        <source>Language of the user interface: de or en (default: the system&apos;s).</source>
        <translation>Sprache der Bedienoberfläche: de oder en (Vorgabe: die des Systems).</translation>
    </message>
    <message>
        <source>--poll-ms needs a positive number of milliseconds</source>
        <translation>--poll-ms erwartet eine positive Anzahl Millisekunden</translation>
    </message>
    <message>
        <source>--encoder-resolution needs a number of counts (0: no signal)</source>
        <translation>--encoder-resolution erwartet eine Anzahl Inkremente (0: kein Signal)</translation>
    </message>
    <message>
        <source>--time-scale needs a positive factor</source>
        <translation>--time-scale erwartet einen positiven Faktor</translation>
    </message>
    <message>
        <source>--open needs a sub-widget id</source>
        <translation>--open erwartet eine Sub-Widget-ID</translation>
    </message>
    <message>
        <source>cannot load the plug-in %1: %2</source>
        <translation>das Plug-in %1 kann nicht geladen werden: %2</translation>
    </message>
    <message>
        <source>there is no tool with sub-widget id %1</source>
        <translation>es gibt kein Werkzeug mit der Sub-Widget-ID %1</translation>
    </message>
    <message>
        <source>the guided commissioning failed: %1</source>
        <translation>die geführte Inbetriebnahme ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
</context>
</TS>
