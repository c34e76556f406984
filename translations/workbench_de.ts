<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AutoTuner</name>
    <message>
        <source>Closed-loop settings proposed by the tuner</source>
        <translation>Vom Tuner vorgeschlagene Closed-Loop-Einstellungen</translation>
    </message>
    <message>
        <source>No crossover on the measured loop meets a phase margin of %1° and a gain margin of %2 dB.</source>
        <translation>Keine Durchtrittsfrequenz des gemessenen Regelkreises erreicht eine Phasenreserve von %1° und eine Amplitudenreserve von %2 dB.</translation>
    </message>
    <message>
        <source>present settings</source>
        <translation>aktuelle Einstellungen</translation>
    </message>
    <message>
        <source>proposal</source>
        <translation>Vorschlag</translation>
    </message>
    <message>
        <source>No preset holds the gentle move.</source>
        <translation>Keine Voreinstellung besteht die sanfte Fahrt.</translation>
    </message>
    <message>
        <source>The proposal hunts at standstill after the gentle move.</source>
        <translation>Der Vorschlag pendelt nach der sanften Fahrt im Stillstand.</translation>
    </message>
    <message>
        <source>The proposal&apos;s measured loop has a phase margin of %1° and a gain margin of %2 dB.</source>
        <translation>Der gemessene Regelkreis des Vorschlags hat eine Phasenreserve von %1° und eine Amplitudenreserve von %2 dB.</translation>
    </message>
    <message>
        <source>The proposal&apos;s RMS following error on the gentle move (%1 microsteps) overlaps the best preset&apos;s (%2): no measurable difference.</source>
        <translation>Der effektive Schleppfehler des Vorschlags bei der sanften Fahrt (%1 Mikroschritte) überlappt den der besten Voreinstellung (%2): kein messbarer Unterschied.</translation>
    </message>
    <message>
        <source>The proposal&apos;s RMS following error on the gentle move (%1 microsteps) is above the best preset&apos;s (%2).</source>
        <translation>Der effektive Schleppfehler des Vorschlags bei der sanften Fahrt (%1 Mikroschritte) liegt über dem der besten Voreinstellung (%2).</translation>
    </message>
    <message>
        <source>Tuner: the gentle move&apos;s RMS following error in microsteps (mean ± sd):</source>
        <translation>Tuner: effektiver Schleppfehler der sanften Fahrt in Mikroschritten (Mittelwert ± Standardabweichung):</translation>
    </message>
    <message>
        <source>(hunts or stops) </source>
        <translation>(pendelt oder stoppt) </translation>
    </message>
    <message>
        <source>  Proposal&apos;s loop: crossover %1 Hz, phase margin %2°, gain margin %3</source>
        <translation>  Regelkreis des Vorschlags: Durchtritt %1 Hz, Phasenreserve %2°, Amplitudenreserve %3</translation>
    </message>
    <message>
        <source>not within the range</source>
        <translation>nicht im Messbereich</translation>
    </message>
    <message>
        <source>The proposal is stable and measurably better than the best preset.</source>
        <translation>Der Vorschlag ist stabil und messbar besser als die beste Voreinstellung.</translation>
    </message>
    <message>
        <source>The best preset (%1) stands. %2</source>
        <translation>Die beste Voreinstellung (%1) bleibt. %2</translation>
    </message>
    <message>
        <source>No stable proposal. %1</source>
        <translation>Kein stabiler Vorschlag. %1</translation>
    </message>
</context>
<context>
    <name>BenchCase</name>
    <message>
        <source>load step</source>
        <translation>Lastsprung</translation>
    </message>
    <message>
        <source>fast move</source>
        <translation>schnelle Fahrt</translation>
    </message>
    <message>
        <source>gentle move</source>
        <translation>sanfte Fahrt</translation>
    </message>
    <message>
        <source>%1: a weight pulling with %2 % of the holding torque hung on at standstill; watched %3 ms</source>
        <translation>%1: im Stillstand ein Gewicht angehängt, das mit %2 % des Haltemoments zieht; %3 ms beobachtet</translation>
    </message>
    <message>
        <source>%1: %2 revolutions at %3 rev/s, ramps of %4 rev/s²; watched %5 ms after the ramp</source>
        <translation>%1: %2 Umdrehungen mit %3 U/s, Rampen von %4 U/s²; %5 ms nach der Rampe beobachtet</translation>
    </message>
    <message>
        <source>overload move</source>
        <translation>Überlastfahrt</translation>
    </message>
</context>
<context>
    <name>BenchRig</name>
    <message>
        <source>The closed loop does not start with this configuration: check the encoder&apos;s resolution and direction (210) and the microsteps (140 = 8).</source>
        <translation>Mit dieser Konfiguration startet der geschlossene Regelkreis nicht: Auflösung und Richtung des Encoders (210) und die Mikroschritte (140 = 8) prüfen.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>counts per revolution; 0: no signal</source>
        <translation>Inkremente pro Umdrehung; 0: kein Signal</translation>
    </message>
    <message>
        <source>times real time</source>
        <translation>mal Echtzeit</translation>
    </message>
    <message>
        <source>% of the holding torque</source>
        <translation>% des Haltemoments</translation>
    </message>
    <message>
        <source>--%1 needs a whole number from %2 to %3 (%4)</source>
        <translation>--%1 erwartet eine ganze Zahl von %2 bis %3 (%4)</translation>
    </message>
    <message>
        <source>--%1 needs a number from %2 to %3 (%4)</source>
        <translation>--%1 erwartet eine Zahl von %2 bis %3 (%4)</translation>
    </message>
    <message>
        <source>--%1 needs a number above %2, at most %3 (%4)</source>
        <translation>--%1 erwartet eine Zahl über %2, höchstens %3 (%4)</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;: every value belongs to an option (see --help)</source>
        <translation>unerwartetes Argument „%1“: jeder Wert gehört zu einer Option (siehe --help)</translation>
    </message>
    <message>
        <source>--%1 is given more than once; it takes one value</source>
        <translation>--%1 ist mehrfach angegeben; die Option nimmt einen Wert</translation>
    </message>
    <message>
        <source>--%1 is empty: it needs %2</source>
        <translation>--%1 ist leer: erwartet wird %2</translation>
    </message>
    <message>
        <source>--lang needs one of: %1</source>
        <translation>--lang erwartet eine dieser Sprachen: %1</translation>
    </message>
    <message>
        <source>--axes needs axis numbers from 0 to %1, separated by commas: &apos;%2&apos; is not one</source>
        <translation>--axes erwartet Achsnummern von 0 bis %1, durch Kommas getrennt: „%2“ ist keine</translation>
    </message>
    <message>
        <source>--axes names axis %1 twice</source>
        <translation>--axes nennt die Achse %1 zweimal</translation>
    </message>
    <message>
        <source>--open needs a sub-widget id</source>
        <translation>--open erwartet eine Sub-Widget-ID</translation>
    </message>
    <message>
        <source>%1 needs --auto</source>
        <translation>%1 setzt --auto voraus</translation>
    </message>
    <message>
        <source>--axes needs --apply-program or --check-program</source>
        <translation>--axes setzt --apply-program oder --check-program voraus</translation>
    </message>
    <message>
        <source>--screenshot pictures the window; it does not combine with --auto, --apply-program or --check-program</source>
        <translation>--screenshot nimmt das Fenster auf; es lässt sich nicht mit --auto, --apply-program oder --check-program kombinieren</translation>
    </message>
    <message>
        <source>%1 and %2 name the same file %3: give each its own</source>
        <translation>%1 und %2 nennen dieselbe Datei %3: jeder Option eine eigene geben</translation>
    </message>
    <message>
        <source>%1 reads %2, which %3 writes: apply or check a saved program in a run of its own</source>
        <translation>%1 liest %2, das %3 schreibt: ein gespeichertes Programm in einem eigenen Aufruf anwenden oder prüfen</translation>
    </message>
</context>
<context>
    <name>CommissioningRun</name>
    <message>
        <source>the guided commissioning failed: %1</source>
        <translation>die geführte Inbetriebnahme ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Setup program saved to %1</source>
        <translation>Setup-Programm in %1 gespeichert</translation>
    </message>
    <message>
        <source>the tuning has no stable proposal, and no preset holds the gentle move</source>
        <translation>die Abstimmung hat keinen stabilen Vorschlag, und keine Voreinstellung hält die sanfte Fahrt</translation>
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
    <name>ComparisonProtocol</name>
    <message>
        <source>%1: the drive refuses %2 for parameter %3.</source>
        <translation>%1: Der Antrieb lehnt %2 für Parameter %3 ab.</translation>
    </message>
    <message>
        <source>RMS error (µsteps)</source>
        <translation>RMS-Fehler (µSchritte)</translation>
    </message>
    <message>
        <source>peak error (µsteps)</source>
        <translation>Spitzenfehler (µSchritte)</translation>
    </message>
    <message>
        <source>overshoot (µsteps)</source>
        <translation>Überschwingen (µSchritte)</translation>
    </message>
    <message>
        <source>settling (ms)</source>
        <translation>Einschwingen (ms)</translation>
    </message>
    <message>
        <source>peak deviation (µsteps)</source>
        <translation>Spitzenabweichung (µSchritte)</translation>
    </message>
    <message>
        <source>recovery (ms)</source>
        <translation>Erholung (ms)</translation>
    </message>
    <message>
        <source>case</source>
        <translation>Fall</translation>
    </message>
    <message>
        <source>variant</source>
        <translation>Variante</translation>
    </message>
    <message>
        <source>not settled</source>
        <translation>nicht eingeschwungen</translation>
    </message>
    <message>
        <source>not recovered</source>
        <translation>nicht erholt</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>%1 ± %2</source>
        <translation>%1 ± %2</translation>
    </message>
    <message>
        <source>%1 (%2 of %3 runs)</source>
        <translation>%1 (%2 von %3 Läufen)</translation>
    </message>
    <message>
        <source>%1: %2 is best by %3.</source>
        <translation>%1: %2 ist am besten nach %3.</translation>
    </message>
    <message>
        <source>%1: no measurable difference by %2 between %3.</source>
        <translation>%1: kein messbarer Unterschied nach %2 zwischen %3.</translation>
    </message>
    <message>
        <source>%1 runs per case and variant, the start shifted by k/%1 of a full step and of an encoder count; mean ± standard deviation; band ±%2 counts (%3 µsteps).</source>
        <translation>%1 Läufe je Fall und Variante, der Start um k/%1 eines Vollschritts und eines Encoderschritts verschoben; Mittelwert ± Standardabweichung; Band ±%2 Encoderschritte (%3 µSchritte).</translation>
    </message>
    <message>
        <source>* best: its range lies apart from every other&apos;s; = no measurable difference from the best (ranges overlap).</source>
        <translation>* am besten: sein Bereich liegt getrennt von allen anderen; = kein messbarer Unterschied zum besten (Bereiche überlappen).</translation>
    </message>
    <message>
        <source>%1, %2: the drive stopped %3 of %4 runs itself (deviation limit or fault, 207 = 1).</source>
        <translation>%1, %2: Der Antrieb hat %3 von %4 Läufen selbst angehalten (Abweichungsgrenze oder Fehler, 207 = 1).</translation>
    </message>
</context>
<context>
    <name>ComparisonView</name>
    <message>
        <source>Compare presets</source>
        <translation>Reglervergleich</translation>
    </message>
    <message>
        <source>%1 runs per case and preset, each from the defined state with the start shifted by a part of a full step and of an encoder count; mean ± standard deviation; band ±%2 encoder counts. * best: its range lies apart from every other&apos;s; = no measurable difference from the best.</source>
        <translation>%1 Läufe je Fall und Voreinstellung, jeder aus dem definierten Zustand, der Start um einen Teil eines Vollschritts und eines Encoderschritts verschoben; Mittelwert ± Standardabweichung; Band ±%2 Encoderschritte. * am besten: sein Bereich liegt getrennt von allen anderen; = kein messbarer Unterschied zum besten.</translation>
    </message>
    <message>
        <source>Measured on a copy of the axis&apos;s configuration: the axis itself is as it was. Pick the preset on the closed-loop page.</source>
        <translation>Gemessen an einer Kopie der Konfiguration der Achse: die Achse selbst ist unverändert. Die Voreinstellung auf der Closed-Loop-Seite wählen.</translation>
    </message>
    <message>
        <source>Traces of the first run:</source>
        <translation>Verläufe des ersten Laufs:</translation>
    </message>
    <message>
        <source>time (ms) from the start of the case</source>
        <translation>Zeit (ms) ab Beginn des Falls</translation>
    </message>
</context>
<context>
    <name>FrequencyResponse</name>
    <message>
        <source>not within the range</source>
        <translation>nicht im Messbereich</translation>
    </message>
    <message>
        <source>frequency response of the closed loop (to the encoder&apos;s position):</source>
        <translation>Frequenzgang des geschlossenen Regelkreises (zur Encoderposition):</translation>
    </message>
    <message>
        <source>(below the encoder&apos;s resolution)</source>
        <translation>(unter der Auflösung des Encoders)</translation>
    </message>
    <message>
        <source>  Bandwidth (-3 dB): %1</source>
        <translation>  Bandbreite (-3 dB): %1</translation>
    </message>
    <message>
        <source>  Resonance peak: %1 dB at %2 Hz</source>
        <translation>  Resonanzüberhöhung: %1 dB bei %2 Hz</translation>
    </message>
    <message>
        <source>  Phase margin: %1</source>
        <translation>  Phasenreserve: %1</translation>
    </message>
    <message>
        <source>  Gain margin: %1</source>
        <translation>  Amplitudenreserve: %1</translation>
    </message>
</context>
<context>
    <name>GuidedRun</name>
    <message>
        <source>open loop</source>
        <translation>Open Loop</translation>
    </message>
    <message>
        <source>closed loop</source>
        <translation>Closed Loop</translation>
    </message>
    <message>
        <source>no plug-in or no module to commission</source>
        <translation>kein Plug-in oder kein Modul zum Inbetriebnehmen</translation>
    </message>
    <message>
        <source>the module is not connected</source>
        <translation>das Modul ist nicht verbunden</translation>
    </message>
    <message>
        <source>The load is uncoupled for the commissioning.</source>
        <translation>Die Last ist für die Inbetriebnahme abgekoppelt.</translation>
    </message>
    <message>
        <source>Closed loop ready to use.</source>
        <translation>Closed Loop betriebsbereit.</translation>
    </message>
    <message>
        <source>Setup program:</source>
        <translation>Setup-Programm:</translation>
    </message>
    <message>
        <source>the plug-in offers no Start Up tool</source>
        <translation>das Plug-in bietet kein Inbetriebnahme-Werkzeug</translation>
    </message>
    <message>
        <source>the plug-in offers no motor page</source>
        <translation>das Plug-in bietet keine Motorseite</translation>
    </message>
    <message>
        <source>the tools to be wired to the module</source>
        <translation>die Verbindung der Werkzeuge mit dem Modul</translation>
    </message>
    <message>
        <source>Start Up opened on %1.</source>
        <translation>Inbetriebnahme geöffnet für %1.</translation>
    </message>
    <message>
        <source>the motor window</source>
        <translation>das Motorfenster</translation>
    </message>
    <message>
        <source>the motor page has no microstep or step-angle choice</source>
        <translation>die Motorseite bietet keine Wahl der Mikroschritte oder des Schrittwinkels</translation>
    </message>
    <message>
        <source>Step 1: motor settings: step angle %1, %2.</source>
        <translation>Schritt 1: Motoreinstellungen: Schrittwinkel %1, %2.</translation>
    </message>
    <message>
        <source>        applied; the motor has an ABN encoder: Yes.</source>
        <translation>        übernommen; der Motor hat einen ABN-Encoder: Ja.</translation>
    </message>
    <message>
        <source>the encoder window</source>
        <translation>das Encoderfenster</translation>
    </message>
    <message>
        <source>the encoder page lacks the auto-detection</source>
        <translation>der Encoderseite fehlt die automatische Erkennung</translation>
    </message>
    <message>
        <source>Step 2: encoder settings: auto-detection, one turn forwards and back.</source>
        <translation>Schritt 2: Encodereinstellungen: automatische Erkennung, eine Umdrehung vor und zurück.</translation>
    </message>
    <message>
        <source>the forward turn of the auto-detection</source>
        <translation>die Vorwärtsdrehung der automatischen Erkennung</translation>
    </message>
    <message>
        <source>the return turn of the auto-detection</source>
        <translation>die Rückdrehung der automatischen Erkennung</translation>
    </message>
    <message>
        <source>the auto-detection found no standard encoder resolution (&quot;%1&quot;): check the encoder&apos;s wiring and resolution</source>
        <translation>die automatische Erkennung fand keine Standard-Encoderauflösung („%1“): Verdrahtung und Auflösung des Encoders prüfen</translation>
    </message>
    <message>
        <source>        found %1 counts per revolution, direction %2.</source>
        <translation>        %1 Inkremente pro Umdrehung gefunden, Richtung %2.</translation>
    </message>
    <message>
        <source>        applied; the drive shall run closed loop: Yes.</source>
        <translation>        übernommen; der Antrieb soll im Closed Loop laufen: Ja.</translation>
    </message>
    <message>
        <source>the closed-loop window</source>
        <translation>das Closed-Loop-Fenster</translation>
    </message>
    <message>
        <source>the closed-loop page has no Correction tab</source>
        <translation>die Closed-Loop-Seite hat keinen Reiter Korrektur</translation>
    </message>
    <message>
        <source>Step 3: closed-loop settings: preset &quot;%1&quot;.</source>
        <translation>Schritt 3: Closed-Loop-Einstellungen: Voreinstellung „%1“.</translation>
    </message>
    <message>
        <source>the start-up page to show all three steps ready</source>
        <translation>die Anzeige aller drei Schritte als bereit auf der Inbetriebnahmeseite</translation>
    </message>
    <message>
        <source>        applied; all three steps are ready.</source>
        <translation>        übernommen; alle drei Schritte sind bereit.</translation>
    </message>
    <message>
        <source>the start-up page lacks the closed-loop switch</source>
        <translation>der Inbetriebnahmeseite fehlt der Closed-Loop-Schalter</translation>
    </message>
    <message>
        <source>Activate Closed Loop: waiting for &quot;Closed ready&quot;%1.</source>
        <translation>Closed Loop aktivieren: warten auf „Closed ready“%1.</translation>
    </message>
    <message>
        <source> (busy indicator running)</source>
        <translation> (Fortschrittsanzeige läuft)</translation>
    </message>
    <message>
        <source>the closed loop to become ready; the drive&apos;s encoder does not match the encoder settings</source>
        <translation>die Bereitschaft des Closed Loop; der Encoder des Antriebs passt nicht zu den Encodereinstellungen</translation>
    </message>
    <message>
        <source>        Closed ready is lit%1.</source>
        <translation>        Closed ready leuchtet%1.</translation>
    </message>
    <message>
        <source>, busy indicator stopped</source>
        <translation>, Fortschrittsanzeige angehalten</translation>
    </message>
    <message>
        <source>, active load %1 N m (%2 %)</source>
        <translation>, aktive Last %1 N m (%2 %)</translation>
    </message>
    <message>
        <source>, viscous friction %1 N m s/rad</source>
        <translation>, viskose Reibung %1 N m s/rad</translation>
    </message>
    <message>
        <source>, load inertia %1 kg m^2</source>
        <translation>, Lastträgheit %1 kg m^2</translation>
    </message>
    <message>
        <source>Load coupled for the motion test: %1 N m, %2 % of the holding torque%3.</source>
        <translation>Last für den Bewegungstest angekoppelt: %1 N m, %2 % des Haltemoments%3.</translation>
    </message>
    <message>
        <source>the drive stopped the move on its deviation limit (parameter 212) with a deviation of %1 microsteps</source>
        <translation>der Antrieb hielt die Bewegung an seiner Abweichungsgrenze (Parameter 212) an, mit einer Abweichung von %1 Mikroschritten</translation>
    </message>
    <message>
        <source>the move ended %1 microsteps off, more than one full step (%2 microsteps)</source>
        <translation>die Bewegung endete %1 Mikroschritte daneben, mehr als ein Vollschritt (%2 Mikroschritte)</translation>
    </message>
    <message>
        <source>motion test, %1: %2: the motor is overloaded or lost steps</source>
        <translation>Bewegungstest, %1: %2: der Motor ist überlastet oder hat Schritte verloren</translation>
    </message>
    <message>
        <source>motion test, %1: the drive stopped on a fault: %2</source>
        <translation>Bewegungstest, %1: der Antrieb hielt wegen eines Fehlers an: %2</translation>
    </message>
    <message>
        <source>        deviation of actual and encoder position: %1 microsteps (%2 encoder counts).</source>
        <translation>        Abweichung von Ist- und Encoderposition: %1 Mikroschritte (%2 Encoder-Inkremente).</translation>
    </message>
    <message>
        <source>%1 microsteps</source>
        <translation>%1 Mikroschritte</translation>
    </message>
    <message>
        <source>the start-up page lacks the motion test</source>
        <translation>der Inbetriebnahmeseite fehlt der Bewegungstest</translation>
    </message>
    <message>
        <source>Motion test</source>
        <translation>Bewegungstest</translation>
    </message>
    <message>
        <source>Motion test, %1</source>
        <translation>Bewegungstest, %1</translation>
    </message>
    <message>
        <source>%1: relative move by %2.</source>
        <translation>%1: relative Bewegung um %2.</translation>
    </message>
    <message>
        <source>the motor to move</source>
        <translation>die Bewegung des Motors</translation>
    </message>
    <message>
        <source>the position to be reached</source>
        <translation>das Erreichen der Position</translation>
    </message>
    <message>
        <source>        position reached.</source>
        <translation>        Position erreicht.</translation>
    </message>
    <message>
        <source>%1: another move, stopped on the way.</source>
        <translation>%1: eine weitere Bewegung, unterwegs angehalten.</translation>
    </message>
    <message>
        <source>the motor to stop</source>
        <translation>den Stillstand des Motors</translation>
    </message>
    <message>
        <source>        stopped.</source>
        <translation>        angehalten.</translation>
    </message>
    <message>
        <source>there is no &quot;%1&quot; button</source>
        <translation>es gibt keine Schaltfläche „%1“</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be clicked</source>
        <translation>„%1“ kann nicht angeklickt werden</translation>
    </message>
    <message>
        <source>expected the question &quot;%1&quot;, got &quot;%2&quot;</source>
        <translation>erwartet war die Frage „%1“, gekommen ist „%2“</translation>
    </message>
    <message>
        <source>the drive stopped on a fault: %1 (while waiting for %2)</source>
        <translation>der Antrieb hielt wegen eines Fehlers an: %1 (beim Warten auf %2)</translation>
    </message>
    <message>
        <source>gave up waiting for %1 after %2 s</source>
        <translation>das Warten auf %1 nach %2 s aufgegeben</translation>
    </message>
    <message>
        <source>        picture: %1</source>
        <translation>        Bild: %1</translation>
    </message>
    <message>
        <source>Open against closed loop, on a copy of axis 0 from the defined state, %1 runs each: relative move by %2.</source>
        <translation>Offener gegen geschlossenen Regelkreis, an einer Kopie von Achse 0 aus dem definierten Zustand, je %1 Läufe: relative Fahrt um %2.</translation>
    </message>
    <message>
        <source>open against closed loop: %1</source>
        <translation>offener gegen geschlossenen Regelkreis: %1</translation>
    </message>
    <message>
        <source>        deviation after the move: %1. %2</source>
        <translation>        Abweichung nach der Fahrt: %1. %2</translation>
    </message>
</context>
<context>
    <name>HeadlessRun</name>
    <message>
        <source>the module does not match %1</source>
        <translation>das Modul stimmt nicht mit %1 überein</translation>
    </message>
</context>
<context>
    <name>KoraParser</name>
    <message>
        <source>parameter number</source>
        <translation>Parameternummer</translation>
    </message>
    <message>
        <source>motor</source>
        <translation>Motor</translation>
    </message>
    <message>
        <source>value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>condition</source>
        <translation>Bedingung</translation>
    </message>
    <message>
        <source>label</source>
        <translation>Sprungmarke</translation>
    </message>
    <message>
        <source>the end of the line</source>
        <translation>Zeilenende</translation>
    </message>
    <message>
        <source>expected the %1 (a number), found %2</source>
        <translation>%1 erwartet (eine Zahl), gefunden: %2</translation>
    </message>
    <message>
        <source>the %1 %2 is out of range (%3 to %4)</source>
        <translation>%1 %2 liegt außerhalb des Bereichs (%3 bis %4)</translation>
    </message>
    <message>
        <source>expected &apos;,&apos; between the %1 and the %2, found %3</source>
        <translation>&apos;,&apos; erwartet zwischen %1 und %2, gefunden: %3</translation>
    </message>
    <message>
        <source>unexpected %1 after the %2</source>
        <translation>unerwartet: %1 nach %2</translation>
    </message>
    <message>
        <source>expected a label name, found %1</source>
        <translation>Name einer Sprungmarke erwartet, gefunden: %1</translation>
    </message>
    <message>
        <source>the label %1 is already defined on line %2</source>
        <translation>die Sprungmarke %1 ist schon in Zeile %2 definiert</translation>
    </message>
    <message>
        <source>expected an instruction or a label, found %1</source>
        <translation>Befehl oder Sprungmarke erwartet, gefunden: %1</translation>
    </message>
    <message>
        <source>expected a condition (ZE or NZ), found %1</source>
        <translation>Bedingung erwartet (ZE oder NZ), gefunden: %1</translation>
    </message>
    <message>
        <source>unknown condition %1 (ZE or NZ)</source>
        <translation>unbekannte Bedingung %1 (ZE oder NZ)</translation>
    </message>
    <message>
        <source>unknown instruction %1 (SAP, GAP, JC or JA)</source>
        <translation>unbekannter Befehl %1 (SAP, GAP, JC oder JA)</translation>
    </message>
    <message>
        <source>unknown label %1</source>
        <translation>unbekannte Sprungmarke %1</translation>
    </message>
    <message>
        <source>the program is empty</source>
        <translation>das Programm ist leer</translation>
    </message>
    <message>
        <source>the program holds no instruction, only comments and labels</source>
        <translation>das Programm enthält keinen Befehl, nur Kommentare und Sprungmarken</translation>
    </message>
    <message>
        <source>not a text file: control byte 0x%1</source>
        <translation>keine Textdatei: Steuerbyte 0x%1</translation>
    </message>
    <message>
        <source>not a text file: invalid UTF-8</source>
        <translation>keine Textdatei: ungültiges UTF-8</translation>
    </message>
    <message>
        <source>not a regular file: a setup program is read from a plain file</source>
        <translation>keine reguläre Datei: ein Setup-Programm wird aus einer gewöhnlichen Datei gelesen</translation>
    </message>
    <message>
        <source>cannot read the file: %1</source>
        <translation>die Datei kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>the file is larger than 1 MiB (%1 bytes): a setup program is a few kilobytes</source>
        <translation>die Datei ist größer als 1 MiB (%1 Bytes): ein Setup-Programm hat wenige Kilobyte</translation>
    </message>
</context>
<context>
    <name>LoopComparison</name>
    <message>
        <source>%1 ± %2 microsteps</source>
        <translation>%1 ± %2 Mikroschritte</translation>
    </message>
    <message>
        <source>open loop %1, closed loop %2</source>
        <translation>offener Regelkreis %1, geschlossener Regelkreis %2</translation>
    </message>
    <message>
        <source>Both loops held the position.</source>
        <translation>Beide Regelkreise hielten die Position.</translation>
    </message>
    <message>
        <source>Neither loop held the position.</source>
        <translation>Keiner der Regelkreise hielt die Position.</translation>
    </message>
    <message>
        <source>The closed loop held the position, the open loop lost steps.</source>
        <translation>Der geschlossene Regelkreis hielt die Position, der offene verlor Schritte.</translation>
    </message>
    <message>
        <source>The open loop held the position, the closed loop did not.</source>
        <translation>Der offene Regelkreis hielt die Position, der geschlossene nicht.</translation>
    </message>
    <message>
        <source>; the drive stopped %1 of %2 runs in open loop and %3 in closed loop itself (deviation limit or fault, 207 = 1)</source>
        <translation>; der Antrieb hat %1 von %2 Läufen im offenen und %3 im geschlossenen Regelkreis selbst angehalten (Abweichungsgrenze oder Fehler, 207 = 1)</translation>
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
        <translation>Workbench - simuliertes Modul</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Simulated &amp;module</source>
        <translation>Simuliertes &amp;Modul</translation>
    </message>
    <message>
        <source>Simulated module connected</source>
        <translation>Simuliertes Modul verbunden</translation>
    </message>
    <message>
        <source>Simulated module disconnected</source>
        <translation>Simuliertes Modul getrennt</translation>
    </message>
    <message>
        <source>Inertia of the rotor (kg·m²):</source>
        <translation>Trägheitsmoment des Rotors (kg·m²):</translation>
    </message>
    <message>
        <source>&amp;Supply voltage...</source>
        <translation>Versorgungs&amp;spannung...</translation>
    </message>
    <message>
        <source>Supply voltage (V):</source>
        <translation>Versorgungsspannung (V):</translation>
    </message>
    <message>
        <source>Phase &amp;resistance...</source>
        <translation>Phasen&amp;widerstand...</translation>
    </message>
    <message>
        <source>Resistance of one phase (Ω):</source>
        <translation>Widerstand einer Phase (Ω):</translation>
    </message>
    <message>
        <source>Phase in&amp;ductance...</source>
        <translation>Phasen&amp;induktivität...</translation>
    </message>
    <message>
        <source>Inductance of one phase (H):</source>
        <translation>Induktivität einer Phase (H):</translation>
    </message>
    <message>
        <source>&amp;Detent torque...</source>
        <translation>&amp;Rastmoment...</translation>
    </message>
    <message>
        <source>Detent torque (N·m):</source>
        <translation>Rastmoment (N·m):</translation>
    </message>
    <message>
        <source>&amp;Viscous friction...</source>
        <translation>Viskose R&amp;eibung...</translation>
    </message>
    <message>
        <source>Viscous friction of the load (N·m·s/rad):</source>
        <translation>Viskose Reibung der Last (N·m·s/rad):</translation>
    </message>
    <message>
        <source>&amp;Active load...</source>
        <translation>A&amp;ktive Last...</translation>
    </message>
    <message>
        <source>Active load pulling backwards, in % of the holding torque:</source>
        <translation>Aktive Last, die rückwärts zieht, in % des Haltemoments:</translation>
    </message>
    <message>
        <source>Load i&amp;nertia...</source>
        <translation>Lastträgheits&amp;moment...</translation>
    </message>
    <message>
        <source>Inertia of the load (kg·m²):</source>
        <translation>Trägheitsmoment der Last (kg·m²):</translation>
    </message>
    <message>
        <source>T&amp;uning…</source>
        <translation>T&amp;uning…</translation>
    </message>
    <message>
        <source>&amp;Motor damping...</source>
        <translation>&amp;Motordämpfung...</translation>
    </message>
    <message>
        <source>Damping of the motor relative to its field (N·m·s/rad):</source>
        <translation>Dämpfung des Motors gegenüber seinem Feld (N·m·s/rad):</translation>
    </message>
    <message>
        <source>Simulated module connected, encoder without signal</source>
        <translation>Simuliertes Modul verbunden, Encoder ohne Signal</translation>
    </message>
    <message>
        <source>The module is disconnected: what this window shows now is no reading, and a running encoder detection or move cannot go on.

Connect the module again (Simulated module, Connected); the window then goes on where it was.</source>
        <translation>Das Modul ist getrennt: was dieses Fenster jetzt zeigt, ist kein Messwert, und eine laufende Encoder-Erkennung oder Bewegung kann nicht weitergehen.

Verbinden Sie das Modul wieder (Simuliertes Modul, Verbunden); das Fenster macht dann dort weiter, wo es war.</translation>
    </message>
    <message>
        <source>Counts per revolution (0: no signal, as with the encoder&apos;s plug pulled):</source>
        <translation>Inkremente pro Umdrehung (0: kein Signal, wie mit gezogenem Encoderstecker):</translation>
    </message>
    <message>
        <source>%1
Built on %2</source>
        <translation>%1
Erstellt am %2</translation>
    </message>
</context>
<context>
    <name>OutputFile</name>
    <message>
        <source>cannot write %1: it is a folder</source>
        <translation>%1 kann nicht geschrieben werden: es ist ein Ordner</translation>
    </message>
    <message>
        <source>cannot write %1: permission denied</source>
        <translation>%1 kann nicht geschrieben werden: keine Berechtigung</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>cannot make the folder %1 or write into it</source>
        <translation>der Ordner %1 kann nicht angelegt oder beschrieben werden</translation>
    </message>
    <message>
        <source>cannot write the picture %1: it could not be made</source>
        <translation>das Bild %1 kann nicht geschrieben werden: es ließ sich nicht erzeugen</translation>
    </message>
</context>
<context>
    <name>ParameterCatalogue</name>
    <message>
        <source>µsteps</source>
        <translation>µSchritte</translation>
    </message>
    <message>
        <source>counts</source>
        <translation>Inkremente</translation>
    </message>
</context>
<context>
    <name>PlatformChoice</name>
    <message>
        <source>the platform plug-in &quot;%1&quot; is not installed (installed: %2): choose one of them with QT_QPA_PLATFORM, or run headless with --auto</source>
        <translation>das Plattform-Plug-in „%1“ ist nicht installiert (installiert: %2): eines davon mit QT_QPA_PLATFORM wählen oder mit --auto ohne Fenster ausführen</translation>
    </message>
    <message>
        <source>no display to show the workbench on (DISPLAY is not set): start it under xvfb-run, or run it headless with --auto</source>
        <translation>keine Anzeige für die Workbench (DISPLAY ist nicht gesetzt): unter xvfb-run starten oder mit --auto ohne Fenster ausführen</translation>
    </message>
    <message>
        <source>only a Wayland display is set (WAYLAND_DISPLAY) and the Wayland platform plug-in is not installed: install it, or start the workbench with DISPLAY set to the desktop&apos;s X display, or run it headless with --auto</source>
        <translation>nur eine Wayland-Anzeige ist gesetzt (WAYLAND_DISPLAY) und das Wayland-Plattform-Plug-in ist nicht installiert: es installieren, die Workbench mit DISPLAY auf der X-Anzeige des Desktops starten oder mit --auto ohne Fenster ausführen</translation>
    </message>
    <message>
        <source>the X display &quot;%1&quot; (DISPLAY) does not answer: start the workbench in the desktop session, or under xvfb-run, or run it headless with --auto</source>
        <translation>die X-Anzeige „%1“ (DISPLAY) antwortet nicht: die Workbench in der Desktop-Sitzung oder unter xvfb-run starten oder mit --auto ohne Fenster ausführen</translation>
    </message>
    <message>
        <source>the Wayland display &quot;%1&quot; (WAYLAND_DISPLAY) does not answer: start the workbench in the desktop session, or run it headless with --auto</source>
        <translation>die Wayland-Anzeige „%1“ (WAYLAND_DISPLAY) antwortet nicht: die Workbench in der Desktop-Sitzung starten oder mit --auto ohne Fenster ausführen</translation>
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
    <name>PresetComparison</name>
    <message>
        <source>The module is not connected.</source>
        <translation>Das Modul ist nicht verbunden.</translation>
    </message>
    <message>
        <source>There is no axis %1.</source>
        <translation>Es gibt keine Achse %1.</translation>
    </message>
    <message>
        <source>conservative</source>
        <translation>konservativ</translation>
    </message>
    <message>
        <source>balanced</source>
        <translation>ausgewogen</translation>
    </message>
    <message>
        <source>aggressive</source>
        <translation>aggressiv</translation>
    </message>
    <message>
        <source>Axis %1: %2</source>
        <translation>Achse %1: %2</translation>
    </message>
    <message>
        <source>Preset comparison on axis %1, load %2 %</source>
        <translation>Reglervergleich an Achse %1, Last %2 %</translation>
    </message>
</context>
<context>
    <name>ProgramCommands</name>
    <message>
        <source>axis %1</source>
        <translation>Achse %1</translation>
    </message>
    <message>
        <source>axes %1</source>
        <translation>Achsen %1</translation>
    </message>
    <message numerus="yes">
        <source>%1: and %n more fault(s)</source>
        <translation>
            <numerusform>%1: und %n weiterer Fehler</numerusform>
            <numerusform>%1: und %n weitere Fehler</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: the program addresses no axis (it has no SAP or GAP)</source>
        <translation>%1: das Programm spricht keine Achse an (es enthält kein SAP oder GAP)</translation>
    </message>
    <message>
        <source>%1: the program addresses %2; only a program that addresses one axis can be moved to other axes (without a choice of axes each line goes to the axis it names)</source>
        <translation>%1: das Programm spricht %2 an; nur ein Programm, das eine einzige Achse anspricht, kann auf andere Achsen übertragen werden (ohne Wahl der Achsen geht jede Zeile an die Achse, die sie nennt)</translation>
    </message>
    <message>
        <source>%1: nothing run</source>
        <translation>%1: nichts ausgeführt</translation>
    </message>
    <message>
        <source>%1: nothing written</source>
        <translation>%1: nichts geschrieben</translation>
    </message>
    <message numerus="yes">
        <source>%1: applied %2, %3 written (%n command(s), waited %4 s)</source>
        <translation>
            <numerusform>%1: %2 angewendet, %3 geschrieben (%n Befehl, %4 s gewartet)</numerusform>
            <numerusform>%1: %2 angewendet, %3 geschrieben (%n Befehle, %4 s gewartet)</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: closed-loop initialisation did not finish: check the encoder resolution and direction</source>
        <translation>%1: die Closed-Loop-Initialisierung wurde nicht abgeschlossen: Encoderauflösung und -richtung prüfen</translation>
    </message>
    <message>
        <source>%1: stopped on %2; written there: %3</source>
        <translation>%1: angehalten bei %2; dort geschrieben: %3</translation>
    </message>
    <message>
        <source>; set up before: %1</source>
        <translation>; zuvor eingerichtet: %1</translation>
    </message>
    <message>
        <source>%1: nothing compared</source>
        <translation>%1: nichts verglichen</translation>
    </message>
    <message>
        <source>axis %1: nothing compared with %2: it sets no parameter of this axis that keeps its value</source>
        <translation>Achse %1: nichts mit %2 verglichen: das Programm setzt keinen Parameter dieser Achse, der seinen Wert behält</translation>
    </message>
    <message numerus="yes">
        <source>%n parameter(s) compared</source>
        <translation>
            <numerusform>%n Parameter verglichen</numerusform>
            <numerusform>%n Parameter verglichen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n position(s) not</source>
        <translation>
            <numerusform>, %n Position nicht</numerusform>
            <numerusform>, %n Positionen nicht</numerusform>
        </translation>
    </message>
    <message>
        <source>axis %1: matches %2 (%3)</source>
        <translation>Achse %1: stimmt mit %2 überein (%3)</translation>
    </message>
    <message numerus="yes">
        <source>axis %1: %2 of %n parameter(s) differ from %3</source>
        <translation>
            <numerusform>Achse %1: %2 von %n Parameter weicht von %3 ab</numerusform>
            <numerusform>Achse %1: %2 von %n Parametern weichen von %3 ab</numerusform>
        </translation>
    </message>
    <message>
        <source>the setup program is not valid: %1</source>
        <translation>das Setup-Programm ist ungültig: %1</translation>
    </message>
</context>
<context>
    <name>ProgramComparer</name>
    <message>
        <source>axis %1, parameter %2 (%3)</source>
        <translation>Achse %1, Parameter %2 (%3)</translation>
    </message>
    <message>
        <source>%1: %2 as expected</source>
        <translation>%1: %2 wie erwartet</translation>
    </message>
    <message>
        <source>%1: expected %2, found %3</source>
        <translation>%1: erwartet %2, gefunden %3</translation>
    </message>
    <message>
        <source>%1: expected %2, the module did not answer</source>
        <translation>%1: erwartet %2, das Modul hat nicht geantwortet</translation>
    </message>
    <message>
        <source>%1: not compared, a position that moves in operation</source>
        <translation>%1: nicht verglichen, eine Position, die sich im Betrieb ändert</translation>
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
        <translation>Setup-Programme (*.kora);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>There is nothing to save yet: the start-up page has no setup program until at least the motor settings are applied.</source>
        <translation>Es gibt noch nichts zu speichern: Die Inbetriebnahmeseite hat erst ein Setup-Programm, wenn mindestens die Motoreinstellungen angewendet sind.</translation>
    </message>
    <message>
        <source>Waiting for the setup program&apos;s loop to end...</source>
        <translation>Warten, bis die Schleife des Setup-Programms endet...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The axes the program names</source>
        <translation>Die Achsen, die das Programm nennt</translation>
    </message>
</context>
<context>
    <name>ProgramRunner</name>
    <message>
        <source>no line</source>
        <translation>keine Zeile</translation>
    </message>
    <message numerus="yes">
        <source>line(s) %1</source>
        <translation>
            <numerusform>Zeile %1</numerusform>
            <numerusform>Zeilen %1</numerusform>
        </translation>
    </message>
    <message>
        <source>the module has no axis %1</source>
        <translation>das Modul hat keine Achse %1</translation>
    </message>
    <message>
        <source>axis %1 has no parameter %2</source>
        <translation>Achse %1 hat keinen Parameter %2</translation>
    </message>
    <message>
        <source>axis %1: parameter %2 (%3) is read-only</source>
        <translation>Achse %1: Parameter %2 (%3) ist nur lesbar</translation>
    </message>
    <message>
        <source>axis %1: the value %2 is out of range for parameter %3 (%4): %5 to %6</source>
        <translation>Achse %1: Wert %2 außerhalb des Bereichs von Parameter %3 (%4): %5 bis %6</translation>
    </message>
    <message>
        <source>no module</source>
        <translation>kein Modul</translation>
    </message>
    <message>
        <source>the module is not connected</source>
        <translation>das Modul ist nicht verbunden</translation>
    </message>
    <message>
        <source>JC has no value to test: no GAP has run before it</source>
        <translation>JC hat keinen Wert zu prüfen: vor ihm lief kein GAP</translation>
    </message>
    <message>
        <source>the loop back to &apos;%1&apos; did not end within %2 s (the last value read was %3)</source>
        <translation>die Schleife zurück zu &apos;%1&apos; endete nicht innerhalb von %2 s (zuletzt gelesener Wert: %3)</translation>
    </message>
    <message>
        <source>the loop back to &apos;%1&apos; did not end within %2 s</source>
        <translation>die Schleife zurück zu &apos;%1&apos; endete nicht innerhalb von %2 s</translation>
    </message>
    <message>
        <source>cancelled in the loop back to &apos;%1&apos; after %2 s</source>
        <translation>abgebrochen in der Schleife zurück zu &apos;%1&apos; nach %2 s</translation>
    </message>
    <message>
        <source>the module is no longer connected (%1 not sent)</source>
        <translation>das Modul ist nicht mehr verbunden (%1 nicht gesendet)</translation>
    </message>
    <message>
        <source>the module did not answer %1</source>
        <translation>das Modul hat auf %1 nicht geantwortet</translation>
    </message>
    <message>
        <source>the module refused %1 with status %2</source>
        <translation>das Modul hat %1 mit Status %2 abgelehnt</translation>
    </message>
</context>
<context>
    <name>PullOutCurve</name>
    <message>
        <source>Pull-out torque (N·m) against speed, open and closed loop:</source>
        <translation>Kippmoment (N·m) über der Drehzahl, offener und geschlossener Regelkreis:</translation>
    </message>
    <message>
        <source>  Recommended maximum velocity (4): %1 pps (%2 rev/s); acceleration (5): %3 pps² (%4 rev/s²); %5 % of the stall speed, the pull-out torque divided by %6, load %7 N·m</source>
        <translation>  Empfohlene Maximalgeschwindigkeit (4): %1 pps (%2 U/s); Beschleunigung (5): %3 pps² (%4 U/s²); %5 % der Kippdrehzahl, das Kippmoment geteilt durch %6, Last %7 N·m</translation>
    </message>
</context>
<context>
    <name>ScopeKind</name>
    <message>
        <source>target velocity</source>
        <translation>Sollgeschwindigkeit</translation>
    </message>
    <message>
        <source>measured velocity</source>
        <translation>gemessene Geschwindigkeit</translation>
    </message>
    <message>
        <source>rotor velocity</source>
        <translation>Rotorgeschwindigkeit</translation>
    </message>
    <message>
        <source>correction velocity</source>
        <translation>Korrekturgeschwindigkeit</translation>
    </message>
    <message>
        <source>encoder position</source>
        <translation>Encoderposition</translation>
    </message>
    <message>
        <source>following error</source>
        <translation>Schleppfehler</translation>
    </message>
    <message>
        <source>load angle</source>
        <translation>Lastwinkel</translation>
    </message>
    <message>
        <source>current amplitude</source>
        <translation>Stromamplitude</translation>
    </message>
    <message>
        <source>current scaler</source>
        <translation>Stromskalierung</translation>
    </message>
    <message>
        <source>position reached</source>
        <translation>Position erreicht</translation>
    </message>
    <message>
        <source>closed loop ready</source>
        <translation>Closed Loop bereit</translation>
    </message>
    <message>
        <source>moving</source>
        <translation>in Bewegung</translation>
    </message>
    <message>
        <source>Velocity</source>
        <translation>Geschwindigkeit</translation>
    </message>
    <message>
        <source>Position and following error</source>
        <translation>Position und Schleppfehler</translation>
    </message>
    <message>
        <source>Load angle</source>
        <translation>Lastwinkel</translation>
    </message>
    <message>
        <source>Current and scaler</source>
        <translation>Strom und Skalierung</translation>
    </message>
    <message>
        <source>Flags</source>
        <translation>Signale</translation>
    </message>
    <message>
        <source>Other values</source>
        <translation>Weitere Werte</translation>
    </message>
    <message>
        <source>pps</source>
        <translation>pps</translation>
    </message>
    <message>
        <source>counts</source>
        <translation>Inkremente</translation>
    </message>
    <message>
        <source>µsteps</source>
        <translation>µSchritte</translation>
    </message>
    <message>
        <source>° el.</source>
        <translation>° el.</translation>
    </message>
    <message>
        <source>parameter %1</source>
        <translation>Parameter %1</translation>
    </message>
    <message>
        <source>%1 (motor %2)</source>
        <translation>%1 (Motor %2)</translation>
    </message>
</context>
<context>
    <name>ScopePane</name>
    <message>
        <source>Shows or collapses the pane</source>
        <translation>Zeigt den Bereich oder klappt ihn ein</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>time (s) from the trigger</source>
        <translation>Zeit (s) ab dem Trigger</translation>
    </message>
    <message>
        <source>time (s); 0 is the latest sample shown</source>
        <translation>Zeit (s); 0 ist der letzte angezeigte Messwert</translation>
    </message>
    <message>
        <source>Shows or hides the series</source>
        <translation>Zeigt die Kurve oder blendet sie aus</translation>
    </message>
</context>
<context>
    <name>ScopeRecorder</name>
    <message>
        <source>Cannot write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>ScopeWindow</name>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Autoscale</source>
        <translation>Autoskalieren</translation>
    </message>
    <message>
        <source>Scope</source>
        <translation>Oszilloskop</translation>
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
        <source>Export CSV...</source>
        <translation>CSV-Export...</translation>
    </message>
    <message>
        <source>Export PNG...</source>
        <translation>PNG-Export...</translation>
    </message>
    <message>
        <source>Window:</source>
        <translation>Zeit:</translation>
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
    <message>
        <source>%1 ms</source>
        <translation>%1 ms</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>How much time the picture shows</source>
        <translation>Welche Zeitspanne die Anzeige umfasst</translation>
    </message>
    <message>
        <source>Fits each pane&apos;s value scale to its shown series</source>
        <translation>Passt die Werteskala jedes Bereichs an seine angezeigten Kurven an</translation>
    </message>
    <message>
        <source>Series</source>
        <translation>Kurven</translation>
    </message>
    <message>
        <source>Shows, hides or moves series between the panes</source>
        <translation>Zeigt, verbirgt oder verschiebt Kurven zwischen den Bereichen</translation>
    </message>
    <message>
        <source>Compare presets</source>
        <translation>Reglervergleich</translation>
    </message>
    <message>
        <source>Runs the same test move with each closed-loop preset and compares the following error</source>
        <translation>Führt dieselbe Testbewegung mit jeder Closed-Loop-Voreinstellung aus und vergleicht den Schleppfehler</translation>
    </message>
    <message>
        <source>Roll</source>
        <translation>Rollen</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>Einzeln</translation>
    </message>
    <message>
        <source>Roll: no trigger. Auto: rolls while nothing triggers. Normal: shows the latest capture. Single: stops after one capture.</source>
        <translation>Rollen: kein Trigger. Auto: rollt, solange nichts triggert. Normal: zeigt die letzte Aufzeichnung. Einzeln: hält nach einer Aufzeichnung an.</translation>
    </message>
    <message>
        <source>start of a motion</source>
        <translation>Bewegungsbeginn</translation>
    </message>
    <message>
        <source>rising</source>
        <translation>steigend</translation>
    </message>
    <message>
        <source>falling</source>
        <translation>fallend</translation>
    </message>
    <message>
        <source> ms</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>Arm</source>
        <translation>Scharf</translation>
    </message>
    <message>
        <source>Waits for the next trigger</source>
        <translation>Wartet auf den nächsten Trigger</translation>
    </message>
    <message>
        <source>Trigger:</source>
        <translation>Trigger:</translation>
    </message>
    <message>
        <source>level</source>
        <translation>Pegel</translation>
    </message>
    <message>
        <source>pre-trigger</source>
        <translation>Pre-Trigger</translation>
    </message>
    <message>
        <source>Cursors</source>
        <translation>Cursor</translation>
    </message>
    <message>
        <source>A click on a pane places cursor 1, with Shift or the right button cursor 2</source>
        <translation>Ein Klick in einen Bereich setzt Cursor 1, mit Umschalt oder der rechten Maustaste Cursor 2</translation>
    </message>
    <message>
        <source>C%1</source>
        <translation>C%1</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>at C1</source>
        <translation>bei C1</translation>
    </message>
    <message>
        <source>at C2</source>
        <translation>bei C2</translation>
    </message>
    <message>
        <source>C2 − C1</source>
        <translation>C2 − C1</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>RMS</source>
        <translation>RMS</translation>
    </message>
    <message>
        <source>Minimum, maximum and RMS of the part of each series the picture shows</source>
        <translation>Minimum, Maximum und RMS des angezeigten Teils jeder Kurve</translation>
    </message>
    <message>
        <source>%1 [%2]</source>
        <translation>%1 [%2]</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>Angezeigt</translation>
    </message>
    <message>
        <source>In the pane &quot;%1&quot;</source>
        <translation>Im Bereich „%1“</translation>
    </message>
    <message>
        <source>Δt = %1 ms</source>
        <translation>Δt = %1 ms</translation>
    </message>
    <message numerus="yes">
        <source>%Ln samples, t = %1 s; drive signals at %2 Hz</source>
        <translation>
            <numerusform>%Ln Messwert, t = %1 s; Antriebssignale mit %2 Hz</numerusform>
            <numerusform>%Ln Messwerte, t = %1 s; Antriebssignale mit %2 Hz</numerusform>
        </translation>
    </message>
    <message>
        <source>rolling, armed</source>
        <translation>rollt, scharf geschaltet</translation>
    </message>
    <message>
        <source>waiting for the trigger</source>
        <translation>wartet auf den Trigger</translation>
    </message>
    <message>
        <source>triggered at %1 s, capturing</source>
        <translation>getriggert bei %1 s, zeichnet auf</translation>
    </message>
    <message>
        <source>captured at %1 s</source>
        <translation>aufgezeichnet bei %1 s</translation>
    </message>
    <message>
        <source>captured at %1 s, stopped</source>
        <translation>aufgezeichnet bei %1 s, angehalten</translation>
    </message>
</context>
<context>
    <name>SimulatedAxis</name>
    <message>
        <source>the motor&apos;s state is not finite</source>
        <translation>der Zustand des Motors ist nicht endlich</translation>
    </message>
    <message>
        <source>overspeed: the rotor turns faster than the motor can drive it</source>
        <translation>Überdrehzahl: der Rotor dreht schneller, als der Motor ihn antreiben kann</translation>
    </message>
    <message>
        <source>the rotor is beyond the position counter&apos;s range</source>
        <translation>der Rotor steht außerhalb des Bereichs des Positionszählers</translation>
    </message>
    <message>
        <source>closed-loop runaway: the rotor runs away from the target against the full correction</source>
        <translation>Closed Loop außer Kontrolle: der Rotor läuft gegen die volle Korrektur vom Ziel weg</translation>
    </message>
</context>
<context>
    <name>SpreadFormat</name>
    <message>
        <source>not reached</source>
        <translation>nicht erreicht</translation>
    </message>
    <message numerus="yes">
        <source>(%n run(s) not reached)</source>
        <translation>
            <numerusform>(%n Lauf nicht erreicht)</numerusform>
            <numerusform>(%n Läufe nicht erreicht)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StepResponse</name>
    <message>
        <source>Setpoint step of %1 microsteps: rise time %2 ms, overshoot %3 %, settling into ±%4 microsteps (ms) %5, steady-state error %6 microsteps</source>
        <translation>Sollwertsprung um %1 Mikroschritte: Anstiegszeit %2 ms, Überschwingen %3 %, Einschwingen in ±%4 Mikroschritte (ms) %5, bleibende Abweichung %6 Mikroschritte</translation>
    </message>
    <message>
        <source>Load step of %1 N·m at standstill: peak deviation %2 microsteps, recovery into ±%3 microsteps (ms) %4, steady-state error %5 microsteps</source>
        <translation>Lastsprung um %1 N·m im Stillstand: größte Abweichung %2 Mikroschritte, Rückkehr in ±%3 Mikroschritte (ms) %4, bleibende Abweichung %5 Mikroschritte</translation>
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
    <name>TuningCharts</name>
    <message>
        <source>Setpoint step of %1 microsteps</source>
        <translation>Sollwertsprung um %1 Mikroschritte</translation>
    </message>
    <message>
        <source>Load step of %1 N·m at standstill</source>
        <translation>Lastsprung um %1 N·m im Stillstand</translation>
    </message>
    <message>
        <source>Time since the step (ms)</source>
        <translation>Zeit seit dem Sprung (ms)</translation>
    </message>
    <message>
        <source>run %1</source>
        <translation>Lauf %1</translation>
    </message>
    <message>
        <source>Frequency (Hz)</source>
        <translation>Frequenz (Hz)</translation>
    </message>
    <message>
        <source>Phase (degrees)</source>
        <translation>Phase (Grad)</translation>
    </message>
    <message>
        <source>Magnitude (dB)</source>
        <translation>Betrag (dB)</translation>
    </message>
    <message>
        <source>mean</source>
        <translation>Mittelwert</translation>
    </message>
    <message>
        <source>range over the runs</source>
        <translation>Bereich über die Läufe</translation>
    </message>
    <message>
        <source>-3 dB: %1 Hz</source>
        <translation>-3 dB: %1 Hz</translation>
    </message>
    <message>
        <source>Pull-out torque against speed</source>
        <translation>Kippmoment über der Drehzahl</translation>
    </message>
    <message>
        <source>Speed (rev/s)</source>
        <translation>Drehzahl (U/s)</translation>
    </message>
    <message>
        <source>Torque (N·m)</source>
        <translation>Drehmoment (N·m)</translation>
    </message>
    <message>
        <source>open loop</source>
        <translation>offener Regelkreis</translation>
    </message>
    <message>
        <source>closed loop</source>
        <translation>geschlossener Regelkreis</translation>
    </message>
    <message>
        <source>load: %1 N·m</source>
        <translation>Last: %1 N·m</translation>
    </message>
    <message>
        <source>max. velocity: %1 rev/s</source>
        <translation>max. Geschwindigkeit: %1 U/s</translation>
    </message>
    <message>
        <source>Position (µsteps)</source>
        <translation>Position (µSchritte)</translation>
    </message>
</context>
<context>
    <name>TuningRun</name>
    <message>
        <source>At the position setpoint:</source>
        <translation>Am Positionssollwert:</translation>
    </message>
    <message>
        <source>At the feedback&apos;s input (the following error&apos;s target):</source>
        <translation>Am Eingang der Rückführung (Ziel des Schleppfehlers):</translation>
    </message>
</context>
<context>
    <name>TuningWindow</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Tuning</source>
        <translation>Tuning</translation>
    </message>
    <message>
        <source>Everything, with the tuner</source>
        <translation>Alles, mit Tuner</translation>
    </message>
    <message>
        <source>Step responses</source>
        <translation>Sprungantworten</translation>
    </message>
    <message>
        <source>Frequency response</source>
        <translation>Frequenzgang</translation>
    </message>
    <message>
        <source>Pull-out curve and limits</source>
        <translation>Kippmomentkennlinie und Grenzen</translation>
    </message>
    <message>
        <source>Tuner</source>
        <translation>Tuner</translation>
    </message>
    <message>
        <source>&amp;Run</source>
        <translation>&amp;Starten</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Measures a copy of axis %1; the axis itself is not moved.</source>
        <translation>Misst eine Kopie der Achse %1; die Achse selbst wird nicht bewegt.</translation>
    </message>
    <message>
        <source>Bode plot</source>
        <translation>Bode-Diagramm</translation>
    </message>
    <message>
        <source>Pull-out curve</source>
        <translation>Kippmomentkennlinie</translation>
    </message>
    <message>
        <source>&amp;Apply to the axis</source>
        <translation>Auf die Achse &amp;übernehmen</translation>
    </message>
    <message>
        <source>Save as setup &amp;program…</source>
        <translation>Als Setup-&amp;Programm speichern…</translation>
    </message>
    <message>
        <source>Proposal</source>
        <translation>Vorschlag</translation>
    </message>
    <message>
        <source>Save p&amp;icture…</source>
        <translation>&amp;Bild speichern…</translation>
    </message>
    <message>
        <source>Save &amp;data…</source>
        <translation>&amp;Daten speichern…</translation>
    </message>
    <message>
        <source>Measurement:</source>
        <translation>Messung:</translation>
    </message>
    <message>
        <source>Save the proposal as a setup program</source>
        <translation>Vorschlag als Setup-Programm speichern</translation>
    </message>
    <message>
        <source>Setup programs (*.tmc);;All files (*)</source>
        <translation>Setup-Programme (*.tmc);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Save the picture</source>
        <translation>Bild speichern</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
    <message>
        <source>Save the data</source>
        <translation>Daten speichern</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>The module is not connected.</source>
        <translation>Das Modul ist nicht verbunden.</translation>
    </message>
    <message>
        <source>Measuring a copy of axis %1…</source>
        <translation>Eine Kopie der Achse %1 wird gemessen…</translation>
    </message>
    <message>
        <source>Cancelled. The axis was not touched.</source>
        <translation>Abgebrochen. Die Achse wurde nicht verändert.</translation>
    </message>
    <message>
        <source>Done. Measured on a copy of axis %1.</source>
        <translation>Fertig. Gemessen an einer Kopie der Achse %1.</translation>
    </message>
    <message>
        <source>At the position setpoint</source>
        <translation>Am Positionssollwert</translation>
    </message>
    <message>
        <source>At the feedback&apos;s input (margins)</source>
        <translation>Am Eingang der Rückführung (Reserven)</translation>
    </message>
    <message>
        <source>Parameter %1</source>
        <translation>Parameter %1</translation>
    </message>
    <message>
        <source>Gentle move: RMS error (µsteps)</source>
        <translation>Sanfte Fahrt: effektiver Fehler (µSchritte)</translation>
    </message>
    <message>
        <source>Holds (no hunting, no stop)</source>
        <translation>Hält (kein Pendeln, kein Stopp)</translation>
    </message>
    <message>
        <source>Phase margin / crossover</source>
        <translation>Phasenreserve / Durchtritt</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <source>no</source>
        <translation>nein</translation>
    </message>
    <message>
        <source>%1° at %2 Hz</source>
        <translation>%1° bei %2 Hz</translation>
    </message>
    <message>
        <source>The proposal is stable and measurably better than the best preset.</source>
        <translation>Der Vorschlag ist stabil und messbar besser als die beste Voreinstellung.</translation>
    </message>
    <message>
        <source>The best preset (%1) stands. %2</source>
        <translation>Die beste Voreinstellung (%1) bleibt. %2</translation>
    </message>
    <message>
        <source>No stable proposal. %1</source>
        <translation>Kein stabiler Vorschlag. %1</translation>
    </message>
    <message>
        <source>The proposal was written to axis %1.</source>
        <translation>Der Vorschlag wurde in Achse %1 geschrieben.</translation>
    </message>
    <message>
        <source>There is no proposal to save.</source>
        <translation>Es gibt keinen Vorschlag zum Speichern.</translation>
    </message>
    <message>
        <source>Cannot write the picture %1</source>
        <translation>Das Bild %1 kann nicht geschrieben werden</translation>
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
        <source>cannot load the plug-in %1: %2</source>
        <translation>das Plug-in %1 kann nicht geladen werden: %2</translation>
    </message>
    <message>
        <source>there is no tool with sub-widget id %1</source>
        <translation>es gibt kein Werkzeug mit der Sub-Widget-ID %1</translation>
    </message>
    <message>
        <source>Open the scope after start-up.</source>
        <translation>Das Oszilloskop nach dem Start öffnen.</translation>
    </message>
    <message>
        <source>With --auto: save the setup program to FILE.</source>
        <translation>Mit --auto: das Setup-Programm in FILE speichern.</translation>
    </message>
    <message>
        <source>With --auto: write a JSON commissioning report to FILE.</source>
        <translation>Mit --auto: einen JSON-Inbetriebnahmebericht in FILE schreiben.</translation>
    </message>
    <message>
        <source>Apply the setup program in FILE to the axes.</source>
        <translation>Das Setup-Programm aus FILE auf die Achsen anwenden.</translation>
    </message>
    <message>
        <source>Holding torque of the motor at the maximum current.</source>
        <translation>Haltemoment des Motors bei maximalem Strom.</translation>
    </message>
    <message>
        <source>With --auto: run the motion test in open loop before the closed loop as well.</source>
        <translation>Mit --auto: den Bewegungstest vor dem geschlossenen Regelkreis auch im offenen Betrieb (Open Loop) ausführen.</translation>
    </message>
    <message>
        <source>Compare the axes with the setup program in FILE; exit 1 on a difference, 2 when the program cannot be used.</source>
        <translation>Die Achsen mit dem Setup-Programm aus FILE vergleichen; Exit-Code 1 bei einer Abweichung, 2, wenn das Programm nicht verwendbar ist.</translation>
    </message>
    <message>
        <source>Move a program that addresses one axis to these axes for --apply-program and --check-program (default: the axes the program names).</source>
        <translation>Ein Programm, das eine Achse anspricht, für --apply-program und --check-program auf diese Achsen übertragen (Vorgabe: die Achsen, die das Programm nennt).</translation>
    </message>
    <message>
        <source>Friction load on the motor, against the motion, in percent of its holding torque.</source>
        <translation>Reibungslast am Motor, entgegen der Bewegung, in Prozent seines Haltemoments.</translation>
    </message>
    <message>
        <source>Inertia of the rotor.</source>
        <translation>Trägheitsmoment des Rotors.</translation>
    </message>
    <message>
        <source>After the guided commissioning (implies --auto): compare the closed-loop presets on axis 0 with a test move and print the table.</source>
        <translation>Nach der geführten Inbetriebnahme (schließt --auto ein): die Closed-Loop-Voreinstellungen auf Achse 0 mit einer Testbewegung vergleichen und die Tabelle ausgeben.</translation>
    </message>
    <message>
        <source>With --compare-presets: save the comparison as shown by the scope.</source>
        <translation>Mit --compare-presets: den Vergleich so speichern, wie ihn das Oszilloskop zeigt.</translation>
    </message>
    <message>
        <source>Supply voltage of the motor&apos;s drive.</source>
        <translation>Versorgungsspannung des Motortreibers.</translation>
    </message>
    <message>
        <source>Resistance of one motor phase.</source>
        <translation>Widerstand einer Motorphase.</translation>
    </message>
    <message>
        <source>Inductance of one motor phase.</source>
        <translation>Induktivität einer Motorphase.</translation>
    </message>
    <message>
        <source>Detent torque of the motor without current.</source>
        <translation>Rastmoment des Motors ohne Strom.</translation>
    </message>
    <message>
        <source>Viscous friction of the load, in N m s per radian.</source>
        <translation>Viskose Reibung der Last in N m s pro Radiant.</translation>
    </message>
    <message>
        <source>Active load torque pulling the motor backwards (a vertical axis), in percent of its holding torque; negative pulls forwards.</source>
        <translation>Aktives Lastmoment, das den Motor rückwärts zieht (eine senkrechte Achse), in Prozent seines Haltemoments; negativ zieht vorwärts.</translation>
    </message>
    <message>
        <source>Inertia of the load on the motor&apos;s shaft.</source>
        <translation>Trägheitsmoment der Last an der Motorwelle.</translation>
    </message>
    <message>
        <source>After the guided commissioning (implies --auto): measure axis 0&apos;s closed loop on a copy and print the tuner&apos;s proposal.</source>
        <translation>Nach der geführten Inbetriebnahme (schließt --auto ein): den geschlossenen Regelkreis der Achse 0 an einer Kopie messen und den Vorschlag des Tuners ausgeben.</translation>
    </message>
    <message>
        <source>V</source>
        <translation>V</translation>
    </message>
    <message>
        <source>Ω</source>
        <translation>Ω</translation>
    </message>
    <message>
        <source>H</source>
        <translation>H</translation>
    </message>
    <message>
        <source>N·m</source>
        <translation>N·m</translation>
    </message>
    <message>
        <source>The motor&apos;s own damping of motion relative to its field, in N m s per radian.</source>
        <translation>Eigene Dämpfung des Motors gegenüber seinem Feld, in N m s pro Radiant.</translation>
    </message>
    <message>
        <source>N·m·s/rad</source>
        <translation>N·m·s/rad</translation>
    </message>
    <message>
        <source>% of the holding torque</source>
        <translation>% des Haltemoments</translation>
    </message>
    <message>
        <source>kg·m²</source>
        <translation>kg·m²</translation>
    </message>
</context>
</TS>
