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
    <name>CalibrationDialog</name>
    <message>
        <source>Kalibracja</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>Sto&amp;p</source>
        <translation>Sto&amp;p</translation>
    </message>
    <message>
        <source>&amp;Zamknij</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&amp;Katalog zapisu</source>
        <translation>&amp;Folder to save in</translation>
    </message>
    <message>
        <source>&amp;Opóźnienie startu</source>
        <translation>Start de&amp;lay</translation>
    </message>
    <message>
        <source>Używaj kolumny punktu &amp;rosy</source>
        <translation>Use the &amp;dew-point column</translation>
    </message>
    <message>
        <source>Start po &amp;ustabilizowaniu</source>
        <translation>Start &amp;when stable</translation>
    </message>
    <message>
        <source>&amp;Najdłużej czekaj</source>
        <translation>Wait at &amp;most</translation>
    </message>
</context>
<context>
    <name>EightChannelPage</name>
    <message>
        <source>Temperatura 1</source>
        <translation>Temperature 1</translation>
    </message>
    <message>
        <source>Temperatura 2</source>
        <translation>Temperature 2</translation>
    </message>
    <message>
        <source>Temperatura 3</source>
        <translation>Temperature 3</translation>
    </message>
    <message>
        <source>Temperatura 4</source>
        <translation>Temperature 4</translation>
    </message>
    <message>
        <source>Temperatura 5</source>
        <translation>Temperature 5</translation>
    </message>
    <message>
        <source>Temperatura 6</source>
        <translation>Temperature 6</translation>
    </message>
    <message>
        <source>Temperatura 7</source>
        <translation>Temperature 7</translation>
    </message>
    <message>
        <source>Temperatura 8</source>
        <translation>Temperature 8</translation>
    </message>
    <message>
        <source>Temperatura AV (tnsj)</source>
        <translation>Temperature AV (tnsj)</translation>
    </message>
    <message>
        <source>Maksymalne odchylenie +</source>
        <translation>Largest deviation +</translation>
    </message>
    <message>
        <source>Maksymalne odchylenie -</source>
        <translation>Largest deviation -</translation>
    </message>
    <message>
        <source>Niepewność (utnj)</source>
        <translation>Uncertainty (utnj)</translation>
    </message>
    <message>
        <source>Temperatura</source>
        <translation>Temperature</translation>
    </message>
</context>
<context>
    <name>LaboratoryPage</name>
    <message>
        <source>Wartości chwilowe z przyrządów</source>
        <translation>Instantaneous values from the instruments</translation>
    </message>
    <message>
        <source>Ostatnia zmiana</source>
        <translation>Last change</translation>
    </message>
    <message>
        <source>Obserwacji</source>
        <translation>Observations</translation>
    </message>
    <message>
        <source>Warunki środowiskowe</source>
        <translation>Environment conditions</translation>
    </message>
    <message>
        <source>Uśrednione wartości wejściowe</source>
        <translation>Averaged input values</translation>
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
        <source>Entalpia</source>
        <translation>Enthalpy</translation>
    </message>
    <message>
        <source>Ciśnienie</source>
        <translation>Pressure</translation>
    </message>
    <message>
        <source>Nad wodą</source>
        <translation>Over water</translation>
    </message>
    <message>
        <source>Nad lodem</source>
        <translation>Over ice</translation>
    </message>
    <message>
        <source>&amp;Wyczyść</source>
        <translation>C&amp;lear</translation>
    </message>
    <message>
        <source>&amp;Kalibracja</source>
        <translation>C&amp;alibration</translation>
    </message>
    <message>
        <source>&amp;Drukuj</source>
        <translation>P&amp;rint</translation>
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
        <source>Nad wodą</source>
        <translation>Over water</translation>
    </message>
    <message>
        <source>Nad lodem</source>
        <translation>Over ice</translation>
    </message>
    <message>
        <source>&amp;Oblicz</source>
        <translation>&amp;Calculate</translation>
    </message>
    <message>
        <source>&amp;Drukuj</source>
        <translation>P&amp;rint</translation>
    </message>
    <message>
        <source>&amp;Monte Carlo…</source>
        <translation>&amp;Monte Carlo…</translation>
    </message>
</context>
<context>
    <name>PressurePage</name>
    <message>
        <source>Wartości wejściowe</source>
        <translation>Input values</translation>
    </message>
    <message>
        <source>Wartości obliczone</source>
        <translation>Calculated values</translation>
    </message>
    <message>
        <source>&amp;Oblicz</source>
        <translation>&amp;Calculate</translation>
    </message>
    <message>
        <source>&amp;Drukuj</source>
        <translation>P&amp;rint</translation>
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
        <source>Nad wodą</source>
        <translation>Over water</translation>
    </message>
    <message>
        <source>Nad lodem</source>
        <translation>Over ice</translation>
    </message>
    <message>
        <source>&amp;Oblicz</source>
        <translation>&amp;Calculate</translation>
    </message>
    <message>
        <source>&amp;Drukuj</source>
        <translation>P&amp;rint</translation>
    </message>
    <message>
        <source>&amp;Monte Carlo…</source>
        <translation>&amp;Monte Carlo…</translation>
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
        <source>Nad wodą</source>
        <translation>Over water</translation>
    </message>
    <message>
        <source>Nad lodem</source>
        <translation>Over ice</translation>
    </message>
    <message>
        <source>&amp;Oblicz</source>
        <translation>&amp;Calculate</translation>
    </message>
    <message>
        <source>&amp;Drukuj</source>
        <translation>P&amp;rint</translation>
    </message>
    <message>
        <source>&amp;Monte Carlo…</source>
        <translation>&amp;Monte Carlo…</translation>
    </message>
</context>
<context>
    <name>AdjustmentDialog</name>
    <message>
        <source>Regulacja</source>
        <comment>window title</comment>
        <translation>Adjustment</translation>
    </message>
    <message>
        <source>Regulacja stałej psychrometru</source>
        <translation>Psychrometer constant adjustment</translation>
    </message>
    <message>
        <source>Wartości wejściowe</source>
        <translation>Input values</translation>
    </message>
    <message>
        <source>Wartości obliczone</source>
        <translation>Calculated values</translation>
    </message>
    <message>
        <source>&amp;Temperatura</source>
        <translation>&amp;Temperature</translation>
    </message>
    <message>
        <source>T&amp;emperatura</source>
        <translation>T&amp;emperature</translation>
    </message>
    <message>
        <source>&amp;Ciśnienie</source>
        <translation>P&amp;ressure</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>&amp;Regulacja</source>
        <translation>&amp;Adjust</translation>
    </message>
</context>
<context>
    <name>PortListWaitDialog</name>
    <message>
        <source>Porty</source>
        <translation>Ports</translation>
    </message>
    <message>
        <source>Proszę czekać</source>
        <translation>Please wait</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>SettingsFilePage</name>
    <message>
        <source>minut</source>
        <translation>minutes</translation>
    </message>
    <message>
        <source>Wartości wejściowe</source>
        <translation>Input values</translation>
    </message>
    <message>
        <source>Wartości obliczone</source>
        <translation>Calculated values</translation>
    </message>
    <message>
        <source>&amp;Zapisz jako</source>
        <translation>&amp;Save as</translation>
    </message>
    <message>
        <source>&amp;Format zapisu</source>
        <translation>File &amp;format</translation>
    </message>
    <message>
        <source>Zapisuj dane &amp;co</source>
        <translation>Save data &amp;every</translation>
    </message>
    <message>
        <source>Zapisuj &amp;niepewności</source>
        <translation>Save the &amp;uncertainties</translation>
    </message>
    <message>
        <source>Zapisuj CSV ze znacznikiem &amp;BOM (dla arkuszy)</source>
        <translation>Save CSV with a &amp;BOM (for spreadsheets)</translation>
    </message>
    <message>
        <source>Zapisuj dane z okna &amp;Laboratorium</source>
        <translation>Save the data of the &amp;Laboratory page</translation>
    </message>
</context>
<context>
    <name>SettingsGeneralPage</name>
    <message>
        <source>Stałe psychrometru</source>
        <translation>Psychrometer constants</translation>
    </message>
    <message>
        <source>Nad wodą</source>
        <translation>Over water</translation>
    </message>
    <message>
        <source>Nad lodem</source>
        <translation>Over ice</translation>
    </message>
    <message>
        <source>Wzory</source>
        <translation>Formulas</translation>
    </message>
    <message>
        <source>Oparte na &quot;&amp;ITS-90 Formulations for Vapour Pressure, Frostpoint Temperature, Dewpoint Temperature,
and Enhancement Factors in the Range –100 TO +100°C&quot;</source>
        <translation>Based on &quot;&amp;ITS-90 Formulations for Vapour Pressure, Frostpoint Temperature, Dewpoint Temperature,
and Enhancement Factors in the Range –100 TO +100°C&quot;</translation>
    </message>
    <message>
        <source>Oparte na &quot;A &amp;Guide to the Measurement of Humidity&quot;</source>
        <translation>Based on &quot;A &amp;Guide to the Measurement of Humidity&quot;</translation>
    </message>
    <message>
        <source>&amp;Domyślna</source>
        <translation>&amp;Default</translation>
    </message>
    <message>
        <source>&amp;Użytkownik</source>
        <translation>&amp;User</translation>
    </message>
    <message>
        <source>&amp;Regulacja</source>
        <translation>&amp;Adjust</translation>
    </message>
    <message>
        <source>Do&amp;myślna</source>
        <translation>D&amp;efault</translation>
    </message>
    <message>
        <source>Uż&amp;ytkownik</source>
        <translation>U&amp;ser</translation>
    </message>
    <message>
        <source>Regu&amp;lacja</source>
        <translation>Ad&amp;just</translation>
    </message>
    <message>
        <source>Uwzględniaj niepewność &amp;wzorów</source>
        <translation>Include the &amp;formulas' uncertainty</translation>
    </message>
</context>
<context>
    <name>SettingsLaboratoryPage</name>
    <message>
        <source>Niepewność pomiaru przyrządów</source>
        <translation>Instruments' measurement uncertainty</translation>
    </message>
    <message>
        <source>Tablice korekcji</source>
        <translation>Correction tables</translation>
    </message>
    <message>
        <source>Kryteria stabilności</source>
        <translation>Stability criteria</translation>
    </message>
    <message>
        <source>O&amp;kno oceny</source>
        <translation>Assessment &amp;window</translation>
    </message>
    <message>
        <source>Dryft</source>
        <translation>Drift</translation>
    </message>
    <message>
        <source>Odchylenie standardowe</source>
        <translation>Standard deviation</translation>
    </message>
    <message>
        <source>&amp;Obliczenia uaktualniaj co</source>
        <translation>&amp;Update the results every</translation>
    </message>
    <message>
        <source>&amp;Czas zebrania obserwacji</source>
        <translation>Observation &amp;collection time</translation>
    </message>
    <message>
        <source>&amp;Ilość zbieranych obserwacji</source>
        <translation>&amp;Number of observations collected</translation>
    </message>
    <message>
        <source>MBW &amp;DP30</source>
        <translation>MBW &amp;DP30</translation>
    </message>
    <message>
        <source>ASL &amp;F-250</source>
        <translation>ASL &amp;F-250</translation>
    </message>
    <message>
        <source>QX-31&amp;0</source>
        <translation>QX-31&amp;0</translation>
    </message>
    <message>
        <source>QX-31&amp;1</source>
        <translation>QX-31&amp;1</translation>
    </message>
    <message>
        <source>QX-31&amp;6</source>
        <translation>QX-31&amp;6</translation>
    </message>
    <message>
        <source>Uwzględnij niepewność &amp;przyrządów</source>
        <translation>Include the &amp;instruments' uncertainty</translation>
    </message>
    <message>
        <source>Używaj tablicy korekcji DP&amp;30</source>
        <translation>Use the DP&amp;30 correction table</translation>
    </message>
    <message>
        <source>Używaj tablicy korekcji Q&amp;X-310</source>
        <translation>Use the Q&amp;X-310 correction table</translation>
    </message>
    <message>
        <source>Używaj tablicy korekcji &amp;QX-311</source>
        <translation>Use the &amp;QX-311 correction table</translation>
    </message>
    <message>
        <source>Używaj tablicy korekcji F&amp;250</source>
        <translation>Use the F&amp;250 correction table</translation>
    </message>
    <message>
        <source>&amp;Tablica</source>
        <translation>&amp;Table</translation>
    </message>
    <message>
        <source>T&amp;ablica</source>
        <translation>T&amp;able</translation>
    </message>
    <message>
        <source>Ta&amp;blica</source>
        <translation>Ta&amp;ble</translation>
    </message>
    <message>
        <source>Tab&amp;lica</source>
        <translation>Tab&amp;le</translation>
    </message>
    <message>
        <source>T&amp;emperatura</source>
        <translation>T&amp;emperature</translation>
    </message>
    <message>
        <source>Ciśnie&amp;nie</source>
        <translation>&amp;Pressure</translation>
    </message>
    <message>
        <source>Laboratorium na wydrukach</source>
        <translation>The laboratory on the printouts</translation>
    </message>
    <message>
        <source>Na&amp;zwa</source>
        <translation>Na&amp;me</translation>
    </message>
    <message>
        <source>Nr akred&amp;ytacji</source>
        <translation>Accreditation N&amp;o.</translation>
    </message>
    <message>
        <source>Ad&amp;res</source>
        <translation>Addre&amp;ss</translation>
    </message>
</context>
<context>
    <name>SettingsPortsPage</name>
    <message>
        <source>Porty</source>
        <translation>Ports</translation>
    </message>
    <message>
        <source>Temperatura</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Kanał QX-311</source>
        <translation>QX-311 channel</translation>
    </message>
    <message>
        <source>Wejście ASL F-250</source>
        <translation>ASL F-250 input</translation>
    </message>
    <message>
        <source>Ciśnienie</source>
        <translation>Pressure</translation>
    </message>
    <message>
        <source>Temperatura i wilgotność otoczenia</source>
        <translation>Ambient temperature and humidity</translation>
    </message>
    <message>
        <source>Używaj urządzeń &amp;zewnętrznych</source>
        <translation>&amp;Use external instruments</translation>
    </message>
    <message>
        <source>MBW &amp;DP30</source>
        <translation>MBW &amp;DP30</translation>
    </message>
    <message>
        <source>QX-31&amp;0</source>
        <translation>QX-31&amp;0</translation>
    </message>
    <message>
        <source>QX-31&amp;1</source>
        <translation>QX-31&amp;1</translation>
    </message>
    <message>
        <source>ASL &amp;F-250</source>
        <translation>ASL &amp;F-250</translation>
    </message>
    <message>
        <source>QX-31&amp;6</source>
        <translation>QX-31&amp;6</translation>
    </message>
    <message>
        <source>QX-310 (&amp;warunki środowiskowe)</source>
        <translation>QX-310 (&amp;ambient conditions)</translation>
    </message>
    <message>
        <source>Używaj Q&amp;X-310</source>
        <translation>Use the Q&amp;X-310</translation>
    </message>
    <message>
        <source>Używaj QX-&amp;311</source>
        <translation>Use the QX-&amp;311</translation>
    </message>
    <message>
        <source>Używaj AS&amp;L F-250</source>
        <translation>Use the AS&amp;L F-250</translation>
    </message>
    <message>
        <source>Uwzględnij &amp;gradient temperatury z QX-311</source>
        <translation>Include the temperature &amp;gradient from the QX-311</translation>
    </message>
    <message>
        <source>Uż&amp;ywaj QX-316</source>
        <translation>Use t&amp;he QX-316</translation>
    </message>
    <message>
        <source>&amp;Ręcznie</source>
        <translation>&amp;By hand</translation>
    </message>
    <message>
        <source>&amp;Pb</source>
        <translation>&amp;Pb</translation>
    </message>
    <message>
        <source>&amp;Niepewność</source>
        <translation>U&amp;ncertainty</translation>
    </message>
    <message>
        <source>&amp;Używaj QX-310</source>
        <translation>U&amp;se the QX-310</translation>
    </message>
</context>
<context>
    <name>SettingsPrecisionPage</name>
    <message>
        <source>Liczba miejsc po znaku dziesiętnym</source>
        <translation>Digits after the decimal sign</translation>
    </message>
    <message>
        <source>Wejście</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>Wyliczone</source>
        <translation>Computed</translation>
    </message>
    <message>
        <source>Znak dziesiętny</source>
        <translation>Decimal sign</translation>
    </message>
    <message>
        <source>&amp;Wilgotność względna</source>
        <translation>&amp;Relative humidity</translation>
    </message>
    <message>
        <source>&amp;Zawartość wilgoci</source>
        <translation>&amp;Moisture content</translation>
    </message>
    <message>
        <source>&amp;Psychrometr</source>
        <translation>Ps&amp;ychrometer</translation>
    </message>
    <message>
        <source>&amp;Ciśnienie</source>
        <translation>Pr&amp;essure</translation>
    </message>
    <message>
        <source>&amp;Laboratorium</source>
        <translation>&amp;Laboratory</translation>
    </message>
    <message>
        <source>&amp;kropka</source>
        <translation>&amp;point</translation>
    </message>
    <message>
        <source>p&amp;rzecinek</source>
        <translation>&amp;comma</translation>
    </message>
</context>
<context>
    <name>Qx311ChannelDialog</name>
    <message>
        <source>Wybierz kanał QX-311:</source>
        <translation>Choose the QX-311 channel:</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TableEditorDialog</name>
    <message>
        <source>Tablica korekcji i ich niepewności</source>
        <translation>Correction table and its uncertainties</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>&amp;Dodaj</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>&amp;Edytuj</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Usuń</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>&amp;Otwórz plik</source>
        <translation>&amp;Open file</translation>
    </message>
</context>
<context>
    <name>TableEntryDialog</name>
    <message>
        <source>Wartość</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Poprawka</source>
        <translation>Correction</translation>
    </message>
    <message>
        <source>Niepewność</source>
        <translation>Uncertainty</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
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
    <name>wegator::CalibrationDialog</name>
    <message>
        <source>Wybierz katalog</source>
        <translation>Choose folder</translation>
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
        <source>&amp;Program</source>
        <translation>&amp;Program</translation>
    </message>
    <message>
        <source>&amp;Wilgotność względna</source>
        <translation>&amp;Relative humidity</translation>
    </message>
    <message>
        <source>&amp;Zawartość wilgoci</source>
        <translation>&amp;Moisture content</translation>
    </message>
    <message>
        <source>P&amp;sychrometr</source>
        <translation>Ps&amp;ychrometer</translation>
    </message>
    <message>
        <source>&amp;Ciśnienie</source>
        <translation>Pr&amp;essure</translation>
    </message>
    <message>
        <source>&amp;Laboratorium</source>
        <translation>&amp;Laboratory</translation>
    </message>
    <message>
        <source>&amp;Drukuj</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>Wy&amp;jście</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Ustawienia</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>&amp;Język</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>&amp;Pomoc</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Literatura</source>
        <translation>&amp;Literature</translation>
    </message>
    <message>
        <source>&amp;O programie</source>
        <translation>&amp;About</translation>
    </message>
</context>
<context>
    <name>wegator::SettingsSheetDialog</name>
    <message>
        <source>Ustawienia</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Ogólne</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Znak dziesiętny</source>
        <translation>Decimal sign</translation>
    </message>
    <message>
        <source>Porty</source>
        <translation>Ports</translation>
    </message>
    <message>
        <source>Laboratorium</source>
        <translation>Laboratory</translation>
    </message>
    <message>
        <source>Zapis</source>
        <translation>Data file</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
