<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ClosedLoop</name>
    <message>
        <source>Form</source>
        <translation>Formular</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;table CELLSPACING=&quot;5&quot;&gt;&lt;tr&gt;&lt;td&gt;&lt;p&gt;&lt;img src=&quot;:/Custom/WindowIcon&quot; width=&quot;40&quot; height=&quot;40&quot;/&gt;&lt;/p&gt;&lt;/td&gt;&lt;td style=&quot; vertical-align:middle;&quot;&gt;&lt;p&gt;&lt;span style=&quot; font-size:x-large; font-weight:600;&quot;&gt;Closed loop settings&lt;/span&gt;&lt;/p&gt;&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;table CELLSPACING=&quot;5&quot;&gt;&lt;tr&gt;&lt;td&gt;&lt;p&gt;&lt;img src=&quot;:/Custom/WindowIcon&quot; width=&quot;40&quot; height=&quot;40&quot;/&gt;&lt;/p&gt;&lt;/td&gt;&lt;td style=&quot; vertical-align:middle;&quot;&gt;&lt;p&gt;&lt;span style=&quot; font-size:x-large; font-weight:600;&quot;&gt;Closed-Loop-Einstellungen&lt;/span&gt;&lt;/p&gt;&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Axis not yet specified</source>
        <translation>Achse noch nicht festgelegt</translation>
    </message>
    <message>
        <source>Current Scaling</source>
        <translation>Stromskalierung</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Upscale delay&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Verzögerung Hochskalierung&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>120</source>
        <translation>120</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;max. tolerance&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Max. Toleranz&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>125</source>
        <translation>125</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Scaler minimum&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Skalierung Minimum&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>113</source>
        <translation>113</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Scaler start up&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Skalierung beim Start&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>126</source>
        <translation>126</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Downscale delay&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Verzögerung Herunterskalierung&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>121</source>
        <translation>121</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Scaler maximum&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Skalierung Maximum&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>114</source>
        <translation>114</translation>
    </message>
    <message>
        <source>Alternative</source>
        <translation>Alternative</translation>
    </message>
    <message>
        <source>Field weakening</source>
        <translation>Feldschwächung</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;CL maximum gamma&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;CL maximales Gamma&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>110</source>
        <translation>110</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;CL gamma V&lt;span style=&quot; vertical-align:sub;&quot;&gt;min&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;CL Gamma V&lt;span style=&quot; vertical-align:sub;&quot;&gt;min&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>108</source>
        <translation>108</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;CL gamma V&lt;span style=&quot; vertical-align:sub;&quot;&gt;max&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;CL Gamma V&lt;span style=&quot; vertical-align:sub;&quot;&gt;max&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>109</source>
        <translation>109</translation>
    </message>
    <message>
        <source>Correction</source>
        <translation>Korrektur</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;CL correction velocity I&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;CL Korrekturgeschw. I&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>116</source>
        <translation>116</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;CL  correction velocity DV clipping&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;CL Korrekturgeschw. DV-Begrenzung&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>119</source>
        <translation>119</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;CL correction velocity P&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;CL Korrekturgeschw. P&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>115</source>
        <translation>115</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;CL  correction velocity I clipping&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;CL Korrekturgeschw. I-Begrenzung&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>117</source>
        <translation>117</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Regulator presets P and I&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Reglervoreinstellungen P und I&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>aggressive</source>
        <translation>aggressiv</translation>
    </message>
    <message>
        <source>  conservative  </source>
        <translation>  konservativ  </translation>
    </message>
    <message>
        <source>balanced</source>
        <translation>ausgewogen</translation>
    </message>
    <message>
        <source>Set I clipping</source>
        <translation>I-Begrenzung setzen</translation>
    </message>
    <message>
        <source>Calculate  PID_I_CLIP = PID_DV_CLIP / PID_I</source>
        <translation>Berechnen: PID_I_CLIP = PID_DV_CLIP / PID_I</translation>
    </message>
    <message>
        <source>Set axis parameters 126 and 125 to</source>
        <translation>Achsparameter 126 und 125 setzen auf</translation>
    </message>
</context>
<context>
    <name>Commissioning</name>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;table cellspacing=&quot;5&quot;&gt;&lt;tr&gt;&lt;td&gt;&lt;img src=&quot;:/Custom/WindowIcon&quot; width=&quot;40&quot; height=&quot;40&quot;/&gt;&lt;/td&gt;&lt;td valign=&quot;middle&quot;&gt;&lt;span style=&quot; font-size:x-large; font-weight:600;&quot;&gt; Main view&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;table cellspacing=&quot;5&quot;&gt;&lt;tr&gt;&lt;td&gt;&lt;img src=&quot;:/Custom/WindowIcon&quot; width=&quot;40&quot; height=&quot;40&quot;/&gt;&lt;/td&gt;&lt;td valign=&quot;middle&quot;&gt;&lt;span style=&quot; font-size:x-large; font-weight:600;&quot;&gt; Hauptansicht&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Motor / Encoder 0</source>
        <translation>Motor / Encoder 0</translation>
    </message>
    <message>
        <source>Motor / Encoder 1</source>
        <translation>Motor / Encoder 1</translation>
    </message>
    <message>
        <source>Motor / Encoder 2</source>
        <translation>Motor / Encoder 2</translation>
    </message>
    <message>
        <source>1st Step</source>
        <translation>1. Schritt</translation>
    </message>
    <message>
        <source>   Motor settings   </source>
        <translation>   Motoreinstellungen   </translation>
    </message>
    <message>
        <source>2nd&gt;</source>
        <translation>2.&gt;</translation>
    </message>
    <message>
        <source>Using ABN-Encoder</source>
        <translation>Mit ABN-Encoder</translation>
    </message>
    <message>
        <source>Encoder / Direction
settings</source>
        <translation>Encoder / Drehrichtung
einstellen</translation>
    </message>
    <message>
        <source>3rd&gt;</source>
        <translation>3.&gt;</translation>
    </message>
    <message>
        <source>Running Closed loop </source>
        <translation>Closed-Loop-Betrieb </translation>
    </message>
    <message>
        <source>Closed loop settings</source>
        <translation>Closed-Loop-Einstellungen</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot;&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;Closed loop not&lt;br/&gt;ready&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot;&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;Closed Loop nicht&lt;br/&gt;bereit&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot;&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;Closed loop ready&lt;br/&gt;to use&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot;&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;Closed Loop&lt;br/&gt;betriebsbereit&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Motion test</source>
        <translation>Bewegungstest</translation>
    </message>
    <message>
        <source>Activate Closed Loop</source>
        <translation>Closed Loop aktivieren</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;left&quot;&gt;&lt;span style=&quot; font-size:x-large;&quot;&gt;Max. positioning speed&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;left&quot;&gt;&lt;span style=&quot; font-size:x-large;&quot;&gt;Max. Geschwindigkeit&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>[pps]</source>
        <translation>[pps]</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:x-large;&quot;&gt;Position relative&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:x-large;&quot;&gt;Relative Position&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;left&quot;&gt;&lt;span style=&quot; font-size:x-large;&quot;&gt;Maximum acceleration&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;left&quot;&gt;&lt;span style=&quot; font-size:x-large;&quot;&gt;Max. Beschleunigung&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>[pps²]</source>
        <translation>[pps²]</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;left&quot;&gt;&lt;span style=&quot; font-size:x-large;&quot;&gt;Ramp Type&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;left&quot;&gt;&lt;span style=&quot; font-size:x-large;&quot;&gt;Rampentyp&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Trapezoid</source>
        <translation>Trapez</translation>
    </message>
    <message>
        <source>S-Shape</source>
        <translation>S-Form</translation>
    </message>
    <message>
        <source>Previous step</source>
        <translation>Vorheriger Schritt</translation>
    </message>
    <message>
        <source>  Start  </source>
        <translation>  Start  </translation>
    </message>
    <message>
        <source>  Stop  </source>
        <translation>  Stopp  </translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation>Monitor</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;left&quot;&gt;&lt;span style=&quot; font-size:x-large;&quot;&gt;Target velocity&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;left&quot;&gt;&lt;span style=&quot; font-size:x-large;&quot;&gt;Sollgeschwindigkeit&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;left&quot;&gt;&lt;span style=&quot; font-size:x-large;&quot;&gt;Measured velocity&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;left&quot;&gt;&lt;span style=&quot; font-size:x-large;&quot;&gt;Istgeschwindigkeit&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;left&quot;&gt;&lt;span style=&quot; font-size:x-large;&quot;&gt;Encoder position&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;left&quot;&gt;&lt;span style=&quot; font-size:x-large;&quot;&gt;Encoderposition&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;left&quot;&gt;&lt;span style=&quot; font-size:x-large;&quot;&gt;Position reached&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;left&quot;&gt;&lt;span style=&quot; font-size:x-large;&quot;&gt;Position erreicht&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;left&quot;&gt;&lt;span style=&quot; font-size:x-large;&quot;&gt;Closed ready&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;left&quot;&gt;&lt;span style=&quot; font-size:x-large;&quot;&gt;Closed Loop bereit&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Does the motor have an ABN- Encoder installed</source>
        <translation>Ist am Motor ein ABN-Encoder angebaut?</translation>
    </message>
    <message>
        <source>Shall the  drive run closed loop</source>
        <translation>Soll der Antrieb im Closed-Loop-Betrieb laufen?</translation>
    </message>
    <message>
        <source>Changed: </source>
        <translation>Umgeschaltet auf: </translation>
    </message>
</context>
<context>
    <name>EncoderSettings</name>
    <message>
        <source>Form</source>
        <translation>Formular</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;table border=&quot;0&quot; style=&quot;margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px;&quot; cellspacing=&quot;5&quot; cellpadding=&quot;0&quot;&gt;&lt;tr&gt;&lt;td&gt;&lt;p&gt;&lt;img src=&quot;:/Custom/WindowIcon&quot; width=&quot;40&quot; height=&quot;40&quot;/&gt;&lt;/p&gt;&lt;/td&gt;&lt;td style=&quot;vertical-align:middle;&quot;&gt;&lt;p&gt;&lt;span style=&quot; font-size:x-large; font-weight:600;&quot;&gt;Encoder settings&lt;/span&gt;&lt;/p&gt;&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;table border=&quot;0&quot; style=&quot;margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px;&quot; cellspacing=&quot;5&quot; cellpadding=&quot;0&quot;&gt;&lt;tr&gt;&lt;td&gt;&lt;p&gt;&lt;img src=&quot;:/Custom/WindowIcon&quot; width=&quot;40&quot; height=&quot;40&quot;/&gt;&lt;/p&gt;&lt;/td&gt;&lt;td style=&quot;vertical-align:middle;&quot;&gt;&lt;p&gt;&lt;span style=&quot; font-size:x-large; font-weight:600;&quot;&gt;Encodereinstellungen&lt;/span&gt;&lt;/p&gt;&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Axis not yet specified</source>
        <translation>Achse noch nicht festgelegt</translation>
    </message>
    <message>
        <source>Encoder inputs for incremental ABN encoders with differential signals.</source>
        <translation>Encodereingänge für inkrementelle ABN-Encoder mit Differenzsignalen.</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Encoder Resolution&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Encoderauflösung&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>[0-65536]</source>
        <translation>[0-65536]</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Encoder position&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Encoderposition&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>[+/-21474836497]</source>
        <translation>[+/-21474836497]</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Max. encoder deviation&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Max. Encoderabweichung&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>[0-21474836497 ]</source>
        <translation>[0-21474836497 ]</translation>
    </message>
    <message>
        <source>reverse encoder direction</source>
        <translation>Encoderrichtung umkehren</translation>
    </message>
    <message>
        <source>Auto decection</source>
        <translation>Automatische Erkennung</translation>
    </message>
    <message>
        <source>Caution: Will move the motor a short time</source>
        <translation>Achtung: Bewegt den Motor kurzzeitig</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot;&gt;&lt;img src=&quot;:/Misc2/Warning&quot;/&gt;&lt;/p&gt;&lt;p&gt;&lt;span style=&quot; font-weight:400;&quot;&gt;The Motor will be moved with defined parameters. One turn forwards and one backwards. &lt;/span&gt;&lt;span style=&quot; color:#cc8800;&quot;&gt;Need to ensure that the motor will not be stalled!&lt;/span&gt;&lt;br/&gt;Applying will set the results and the encoder position will be set to zero.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot;&gt;&lt;img src=&quot;:/Misc2/Warning&quot;/&gt;&lt;/p&gt;&lt;p&gt;&lt;span style=&quot; font-weight:400;&quot;&gt;Der Motor wird mit festgelegten Parametern bewegt: eine Umdrehung vorwärts und eine rückwärts. &lt;/span&gt;&lt;span style=&quot; color:#cc8800;&quot;&gt;Es muss sichergestellt sein, dass der Motor nicht blockiert wird!&lt;/span&gt;&lt;br/&gt;Anwenden übernimmt die Ergebnisse und setzt die Encoderposition auf null.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>rel. Encoder position</source>
        <translation>rel. Encoderposition</translation>
    </message>
    <message>
        <source>rel. Position</source>
        <translation>rel. Position</translation>
    </message>
    <message>
        <source>Resolution  investigated</source>
        <translation>Ermittelte Auflösung</translation>
    </message>
    <message>
        <source>Encoder direction</source>
        <translation>Encoderrichtung</translation>
    </message>
    <message>
        <source>running</source>
        <translation>läuft</translation>
    </message>
    <message>
        <source>reversed</source>
        <translation>umgekehrt</translation>
    </message>
    <message>
        <source>not reverse</source>
        <translation>nicht umgekehrt</translation>
    </message>
    <message>
        <source>not possible</source>
        <translation>nicht möglich</translation>
    </message>
</context>
<context>
    <name>GenericV7</name>
    <message>
        <source>Start Up</source>
        <translation>Inbetriebnahme</translation>
    </message>
    <message>
        <source>Motor settings</source>
        <translation>Motoreinstellungen</translation>
    </message>
    <message>
        <source>Encoder settings</source>
        <translation>Encodereinstellungen</translation>
    </message>
    <message>
        <source>Closed loop settings</source>
        <translation>Closed-Loop-Einstellungen</translation>
    </message>
</context>
<context>
    <name>MotorSettings</name>
    <message>
        <source>Form</source>
        <translation>Formular</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;table border=&quot;0&quot; style=&quot;-qt-table-type: none;&quot; cellspacing=&quot;5&quot;&gt;&lt;tr&gt;&lt;td&gt;&lt;img src=&quot;:/Custom/WindowIcon&quot; width=&quot;40&quot; height=&quot;40&quot;/&gt;&lt;/td&gt;&lt;td style=&quot;vertical-align:middle;&quot;&gt;&lt;span style=&quot; font-size:x-large; font-weight:600;&quot;&gt;Motor Settings&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;table border=&quot;0&quot; style=&quot;-qt-table-type: none;&quot; cellspacing=&quot;5&quot;&gt;&lt;tr&gt;&lt;td&gt;&lt;img src=&quot;:/Custom/WindowIcon&quot; width=&quot;40&quot; height=&quot;40&quot;/&gt;&lt;/td&gt;&lt;td style=&quot;vertical-align:middle;&quot;&gt;&lt;span style=&quot; font-size:x-large; font-weight:600;&quot;&gt;Motoreinstellungen&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Axis not yet specified</source>
        <translation>Achse noch nicht festgelegt</translation>
    </message>
    <message>
        <source>Basic settings</source>
        <translation>Grundeinstellungen</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Jumper settings&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Jumper-Einstellung&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keiner</translation>
    </message>
    <message>
        <source>pin 1-2</source>
        <translation>Pin 1-2</translation>
    </message>
    <message>
        <source>pin 1-2 and 3-4</source>
        <translation>Pin 1-2 und 3-4</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Standby current&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Haltestrom&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>[0..3 A]</source>
        <translation>[0..3 A]</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Maximum run current&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Maximaler Fahrstrom&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Microsteps&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Mikroschritte&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Step angle&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Schrittwinkel&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>reverse motor direction</source>
        <translation>Motordrehrichtung umkehren</translation>
    </message>
    <message>
        <source>Chopper</source>
        <translation>Chopper</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Chopper blank time&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Chopper-Austastzeit&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>[pps]</source>
        <translation>[pps]</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Chopper mode (constant off time)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Chopper-Modus (konstante Ausschaltzeit)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Disable fast decay comparator&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Fast-Decay-Komparator deaktivieren&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Hysteresis end (fast decay time)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Hystereseende (Fast-Decay-Zeit)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Hysteresis start (sine wave offset)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Hysteresebeginn (Sinus-Offset)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Chopper off time&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Chopper-Ausschaltzeit&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Zephral</source>
        <translation>Zephral</translation>
    </message>
    <message>
        <source> Angel </source>
        <translation> Winkel </translation>
    </message>
    <message>
        <source>Full step</source>
        <translation>Vollschritte</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Eingabe</translation>
    </message>
    <message>
        <source>Fullstep</source>
        <translation>Vollschritt</translation>
    </message>
    <message>
        <source>Halfstep</source>
        <translation>Halbschritt</translation>
    </message>
    <message>
        <source>%1 µsteps</source>
        <translation>%1 Mikroschritte</translation>
    </message>
    <message>
        <source>Closed Loop will not working</source>
        <translation>Closed Loop funktioniert damit nicht</translation>
    </message>
    <message>
        <source>%1 [A RMS]</source>
        <translation>%1 [A eff.]</translation>
    </message>
</context>
</TS>
