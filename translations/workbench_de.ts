<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CommissioningReport</name>
    <message>
        <source>cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ComparisonDialog</name>
    <message>
        <source>Compare axis with setup program</source>
        <translation>Achse mit Setup-Programm vergleichen</translation>
    </message>
    <message>
        <source>Axis</source>
        <translation>Achse</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Expected</source>
        <translation>Erwartet</translation>
    </message>
    <message>
        <source>Found</source>
        <translation>Gefunden</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>same</source>
        <translation>gleich</translation>
    </message>
    <message>
        <source>differs</source>
        <translation>abweichend</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>keine Antwort</translation>
    </message>
    <message>
        <source>not compared (position)</source>
        <translation>nicht verglichen (Position)</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Werkzeuge</translation>
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
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Load %1 % of %2 N·m, inertia %3 kg·m²</source>
        <translation>Last %1 % von %2 N·m, Trägheitsmoment %3 kg·m²</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>Load torque in % of the holding torque:</source>
        <translation>Lastmoment in % des Haltemoments:</translation>
    </message>
    <message>
        <source>Holding torque</source>
        <translation>Haltemoment</translation>
    </message>
    <message>
        <source>Holding torque at the maximum current (N·m):</source>
        <translation>Haltemoment bei maximalem Strom (N·m):</translation>
    </message>
    <message>
        <source>Inertia</source>
        <translation>Trägheitsmoment</translation>
    </message>
    <message>
        <source>Inertia of rotor and load (kg·m²):</source>
        <translation>Trägheitsmoment von Rotor und Last (kg·m²):</translation>
    </message>
    <message>
        <source>Motor &amp;load...</source>
        <translation>Motor&amp;last...</translation>
    </message>
    <message>
        <source>&amp;Holding torque...</source>
        <translation>&amp;Haltemoment...</translation>
    </message>
    <message>
        <source>&amp;Inertia...</source>
        <translation>&amp;Trägheitsmoment...</translation>
    </message>
    <message>
        <source>&amp;Scope</source>
        <translation>&amp;Oszilloskop</translation>
    </message>
    <message>
        <source>&amp;Reset layout</source>
        <translation>Anordnung &amp;zurücksetzen</translation>
    </message>
    <message>
        <source>Workbench - simulated module</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Simulated &amp;module</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Simulated module connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Simulated module disconnected</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ParameterCatalogue</name>
    <message>
        <source>µsteps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>counts</source>
        <translation type="unfinished"></translation>
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
    <name>ProgramCommands</name>
    <message>
        <source>no line</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>line(s) %1</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>axis %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>axes %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1: and %n more fault(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>%1: the program addresses no axis (it has no SAP or GAP)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the program addresses %2; only a program that addresses one axis can be moved to other axes (without a choice of axes each line goes to the axis it names)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: nothing run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: nothing written</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1: applied %2, %3 written (%n command(s), waited %4 s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>%1: closed-loop initialisation did not finish: check the encoder resolution and direction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: stopped on %2; written there: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; set up before: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: nothing compared</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>axis %1: nothing compared with %2: it sets no parameter of this axis that keeps its value</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n parameter(s) compared</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n position(s) not</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>axis %1: matches %2 (%3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>axis %1: %2 of %n parameter(s) differ from %3</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>the setup program is not valid: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProgramMenu</name>
    <message>
        <source>&amp;Save setup program...</source>
        <translation>Setup-Programm &amp;speichern...</translation>
    </message>
    <message>
        <source>&amp;Apply setup program to axis...</source>
        <translation>Setup-Programm auf Achse &amp;anwenden...</translation>
    </message>
    <message>
        <source>&amp;Compare axis with setup program...</source>
        <translation>Achse mit Setup-Programm &amp;vergleichen...</translation>
    </message>
    <message>
        <source>Setup program saved to %1.</source>
        <translation>Setup-Programm in %1 gespeichert.</translation>
    </message>
    <message>
        <source>Save setup program</source>
        <translation>Setup-Programm speichern</translation>
    </message>
    <message>
        <source>Apply setup program</source>
        <translation>Setup-Programm anwenden</translation>
    </message>
    <message>
        <source>Compare axis with setup program</source>
        <translation>Achse mit Setup-Programm vergleichen</translation>
    </message>
    <message>
        <source>Axis %1</source>
        <translation>Achse %1</translation>
    </message>
    <message>
        <source>Axis:</source>
        <translation>Achse:</translation>
    </message>
    <message>
        <source>Setup programs (*.kora);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is nothing to save yet: the start-up page has no setup program until at least the motor settings are applied.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting for the setup program&apos;s loop to end...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The axes the program names</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
</context>
<context>
    <name>ScopeRecorder</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>ScopeWindow</name>
    <message>
        <source>Pause</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Autoscale</source>
        <translation>Automatisch skalieren</translation>
    </message>
    <message>
        <source>Scope</source>
        <translation>Oszilloskop</translation>
    </message>
    <message>
        <source>How much of the past the picture shows</source>
        <translation>Wie weit die Anzeige zurückreicht</translation>
    </message>
    <message>
        <source>Freezes the picture; recording goes on</source>
        <translation>Hält die Anzeige an; die Aufzeichnung läuft weiter</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Fits the value scale to the shown series</source>
        <translation>Passt die Werteskala an die angezeigten Kurven an</translation>
    </message>
    <message>
        <source>Export CSV...</source>
        <translation>CSV exportieren...</translation>
    </message>
    <message>
        <source>Export PNG...</source>
        <translation>PNG exportieren...</translation>
    </message>
    <message>
        <source>Window:</source>
        <translation>Zeitfenster:</translation>
    </message>
    <message>
        <source>time (s); 0 is the latest sample shown</source>
        <translation>Zeit (s); 0 ist der letzte angezeigte Messwert</translation>
    </message>
    <message>
        <source>value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>flag</source>
        <translation>Signal</translation>
    </message>
    <message>
        <source>Cannot write the picture %1</source>
        <translation>Das Bild %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Export the recorded data</source>
        <translation>Aufgezeichnete Daten exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV-Dateien (*.csv);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>CSV exportieren</translation>
    </message>
    <message>
        <source>Export the picture</source>
        <translation>Bild exportieren</translation>
    </message>
    <message>
        <source>PNG images (*.png);;All files (*)</source>
        <translation>PNG-Bilder (*.png);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Export PNG</source>
        <translation>PNG exportieren</translation>
    </message>
    <message>
        <source>, %1 oldest dropped</source>
        <translation>, %1 älteste verworfen</translation>
    </message>
    <message>
        <source> (paused)</source>
        <translation> (angehalten)</translation>
    </message>
    <message numerus="yes">
        <source>%Ln samples, t = %1 s</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
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
    <message>
        <source>Open the scope after start-up.</source>
        <translation>Das Oszilloskop nach dem Start öffnen.</translation>
    </message>
    <message>
        <source>With --auto: save the setup program to FILE.</source>
        <translation>Mit --auto: das Setup-Programm in DATEI speichern.</translation>
    </message>
    <message>
        <source>With --auto: write a JSON commissioning report to FILE.</source>
        <translation>Mit --auto: einen JSON-Inbetriebnahmebericht in DATEI schreiben.</translation>
    </message>
    <message>
        <source>Apply the setup program in FILE to the axes.</source>
        <translation>Das Setup-Programm aus DATEI auf die Achsen anwenden.</translation>
    </message>
    <message>
        <source>Load torque on the motor, in percent of its holding torque.</source>
        <translation>Lastmoment am Motor in Prozent seines Haltemoments.</translation>
    </message>
    <message>
        <source>Holding torque of the motor at the maximum current.</source>
        <translation>Haltemoment des Motors bei maximalem Strom.</translation>
    </message>
    <message>
        <source>Inertia of the rotor and its load.</source>
        <translation>Trägheitsmoment von Rotor und Last.</translation>
    </message>
    <message>
        <source>With --auto: run the motion test in open loop before the closed loop as well.</source>
        <translation>Mit --auto: den Bewegungstest vor dem geschlossenen Regelkreis auch im offenen Betrieb (Open Loop) ausführen.</translation>
    </message>
    <message>
        <source>--load needs a percentage of the holding torque from 0 to 1000</source>
        <translation>--load erwartet einen Prozentsatz des Haltemoments von 0 bis 1000</translation>
    </message>
    <message>
        <source>--holding-torque needs a torque in N m above 0, at most 1000</source>
        <translation>--holding-torque erwartet ein Moment in N m über 0, höchstens 1000</translation>
    </message>
    <message>
        <source>--inertia needs an inertia in kg m^2 above 0, at most 10</source>
        <translation>--inertia erwartet ein Trägheitsmoment in kg m^2 über 0, höchstens 10</translation>
    </message>
    <message>
        <source>--save-program and --report need --auto</source>
        <translation>--save-program und --report setzen --auto voraus</translation>
    </message>
    <message>
        <source>the module does not match %1</source>
        <translation>das Modul stimmt nicht mit %1 überein</translation>
    </message>
    <message>
        <source>Compare the axes with the setup program in FILE; exit 1 on a difference, 2 when the program cannot be used.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move a program that addresses one axis to these axes for --apply-program and --check-program (default: the axes the program names).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--axes needs axis numbers from 0 to %1, separated by commas: &apos;%2&apos; is not one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Setup program saved to %1</source>
        <translation type="unfinished">Setup-Programm in %1 gespeichert. {1?}</translation>
    </message>
    <message>
        <source>no display to show the workbench on (DISPLAY is not set): start it under xvfb-run, or run it headless with --auto</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
