<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>ProgramCommands</name>
    <message numerus="yes">
        <source>%1: and %n more fault(s)</source>
        <translation>
            <numerusform>%1: and %n more fault</numerusform>
            <numerusform>%1: and %n more faults</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: applied %2, %3 written (%n command(s), waited %4 s)</source>
        <translation>
            <numerusform>%1: applied %2, %3 written (%n command, waited %4 s)</numerusform>
            <numerusform>%1: applied %2, %3 written (%n commands, waited %4 s)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n parameter(s) compared</source>
        <translation>
            <numerusform>%n parameter compared</numerusform>
            <numerusform>%n parameters compared</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n position(s) not</source>
        <translation>
            <numerusform>, %n position not</numerusform>
            <numerusform>, %n positions not</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>axis %1: %2 of %n parameter(s) differ from %3</source>
        <translation>
            <numerusform>axis %1: %2 of %n parameter differs from %3</numerusform>
            <numerusform>axis %1: %2 of %n parameters differ from %3</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ProgramRunner</name>
    <message numerus="yes">
        <source>line(s) %1</source>
        <translation>
            <numerusform>line %1</numerusform>
            <numerusform>lines %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ScopeWindow</name>
    <message numerus="yes">
        <source>%Ln samples, t = %1 s; drive signals at %2 Hz</source>
        <translation>
            <numerusform>%Ln sample, t = %1 s; drive signals at %2 Hz</numerusform>
            <numerusform>%Ln samples, t = %1 s; drive signals at %2 Hz</numerusform>
        </translation>
    </message>
</context>
</TS>
