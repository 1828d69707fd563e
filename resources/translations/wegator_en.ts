<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>AboutDialog</name>
    <message>
        <source>O programie</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Wegator Wilgotności, wersja 1.23</source>
        <translation>Humidity Wegator, version 1.23</translation>
    </message>
    <message>
        <source>TREVAN Sp. z o.o.
ul. Przykładowa 1
00-001 Warszawa</source>
        <translation>TREVAN Ltd.
1 Przykładowa Street
00-001 Warsaw, Poland</translation>
    </message>
</context>
<context>
    <name>LanguageDialog</name>
    <message>
        <source>TREVAN Wegator Wilgotności</source>
        <translation>TREVAN Humidity Wegator</translation>
    </message>
    <message>
        <source>Polski</source>
        <translation>Polish</translation>
    </message>
</context>
<context>
    <name>LiteratureDialog</name>
    <message>
        <source>Literatura</source>
        <translation>Literature</translation>
    </message>
    <message>
        <source>5. &quot;Tablice psychrometryczne i higrometryczne&quot;,
Praca zbiorowa, Instytut Meteorologii  i Gospodarki Wodnej,
Państwowe Wydawnictwo Naukowe, Warszawa 1986, ISBN 83-01-00484-3.</source>
        <translation>5. &quot;Tablice psychrometryczne i higrometryczne&quot; (Psychrometric and Hygrometric Tables),
Collective work, Institute of Meteorology and Water Management,
PWN Polish Scientific Publishers, Warsaw 1986, ISBN 83-01-00484-3.</translation>
    </message>
    <message>
        <source>6. &quot;Wyrażanie Niepewności Pomiaru, Przewodnik&quot;,
Główny Urząd Miar, Warszawa 1999, ISBN 83-906546-1-x.</source>
        <translation>6. &quot;Guide to the Expression of Uncertainty in Measurement&quot; (Polish edition),
Central Office of Measures, Warsaw 1999, ISBN 83-906546-1-x.</translation>
    </message>
</context>
<context>
    <name>MoisturePage</name>
    <message>
        <source>Wartości wejściowe dla ciśnienia P1</source>
        <translation>Input values at pressure P1</translation>
    </message>
    <message>
        <source>Niepewność</source>
        <translation>Uncertainty</translation>
    </message>
    <message>
        <source>Temperatura</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Ciśnienie</source>
        <translation>Pressure</translation>
    </message>
    <message>
        <source>Entalpia</source>
        <translation>Enthalpy</translation>
    </message>
    <message>
        <source>Oblicz</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>Drukuj</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Nad wodą</source>
        <translation>Over water</translation>
    </message>
    <message>
        <source>Nad lodem</source>
        <translation>Over ice</translation>
    </message>
</context>
<context>
    <name>PressurePage</name>
    <message>
        <source>Wartości wejściowe</source>
        <translation>Input values</translation>
    </message>
    <message>
        <source>Oblicz</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>Drukuj</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Wartości obliczone</source>
        <translation>Calculated values</translation>
    </message>
</context>
<context>
    <name>PsychrometerPage</name>
    <message>
        <source>Wartości wejściowe</source>
        <translation>Input values</translation>
    </message>
    <message>
        <source>Niepewność</source>
        <translation>Uncertainty</translation>
    </message>
    <message>
        <source>Temperatura</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Ciśnienie</source>
        <translation>Pressure</translation>
    </message>
    <message>
        <source>Entalpia</source>
        <translation>Enthalpy</translation>
    </message>
    <message>
        <source>Oblicz</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>Drukuj</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Nad wodą</source>
        <translation>Over water</translation>
    </message>
    <message>
        <source>Nad lodem</source>
        <translation>Over ice</translation>
    </message>
</context>
<context>
    <name>RhPage</name>
    <message>
        <source>Wartości wejściowe dla ciśnienia P1</source>
        <translation>Input values at pressure P1</translation>
    </message>
    <message>
        <source>Niepewność</source>
        <translation>Uncertainty</translation>
    </message>
    <message>
        <source>Temperatura</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Ciśnienie</source>
        <translation>Pressure</translation>
    </message>
    <message>
        <source>Entalpia</source>
        <translation>Enthalpy</translation>
    </message>
    <message>
        <source>Oblicz</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>Drukuj</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Nad wodą</source>
        <translation>Over water</translation>
    </message>
    <message>
        <source>Nad lodem</source>
        <translation>Over ice</translation>
    </message>
</context>
<context>
    <name>wegator::AboutDialog</name>
    <message>
        <source>email: %1</source>
        <translation>email: %1</translation>
    </message>
</context>
<context>
    <name>wegator::HyperlinkLabel</name>
    <message>
        <source>Unable to open hyperlink:

</source>
        <translation>Unable to open hyperlink:

</translation>
    </message>
    <message>
        <source>There is no application associated
with the given address.</source>
        <translation>There is no application associated
with the given address.</translation>
    </message>
</context>
<context>
    <name>wegator::MainWindow</name>
    <message>
        <source>Wilgotność względna</source>
        <translation>Relative humidity</translation>
    </message>
    <message>
        <source>Ciśnienie</source>
        <translation>Pressure</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Zawartość wilgoci</source>
        <translation>Moisture content</translation>
    </message>
    <message>
        <source>Psychrometr</source>
        <translation>Psychrometer</translation>
    </message>
    <message>
        <source>Laboratorium</source>
        <translation>Laboratory</translation>
    </message>
    <message>
        <source>Drukuj</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Wyjście</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Ustawienia</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Język</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Pomoc</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Literatura</source>
        <translation>Literature</translation>
    </message>
    <message>
        <source>O programie</source>
        <translation>About</translation>
    </message>
</context>
</TS>
