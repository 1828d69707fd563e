// String-table numbers of the laboratory station's own texts (1200 … 1299).
#pragma once

namespace wegator::lab::msg {

inline constexpr int AveragedInputsCaption = 1200;     // "Uśrednione wartości wejściowe"
inline constexpr int NoTemperatureObservations = 1201; // "Brak pomiarów temperatury"
inline constexpr int NoDewPointObservations = 1202;    // "Brak pomiarów punktu rosy"
inline constexpr int RunInformation = 1203;            // "Zostanie przeprowadzone %d pomiarów co %d s"
inline constexpr int NegativeDelay = 1204;             // "Opóźnienie nie może być mniejsze od zera"
inline constexpr int EmptyFolder = 1205;               // "Ustaw ścieżkę zapisu"
inline constexpr int DelayTooLong = 1206;              // a start delay beyond what a timer can wait
inline constexpr int DataFileWriteFailed = 1207;       // a record could not be written; it waits
inline constexpr int InstrumentLost = 1208;            // status line: an instrument stopped answering
inline constexpr int WaitingForQx311 = 1209;           // status line: results wait for the QX-311
inline constexpr int RecordsWaiting = 1210;            // status line: records waiting for the disk
inline constexpr int RunFileWriteFailed = 1211;        // a run file could not be written; the run ends
inline constexpr int CalculationFailed = 1212;         // status line: a calculation on a tick failed
inline constexpr int RecordsDropped = 1213;            // status line: records given up

// Calibration runs: how they end early, their progress, the questions before ending one.
inline constexpr int RunInterrupted = 1230;            // "Seria przerwana: %s; wykonano %d z %d pomiarów"
inline constexpr int InterruptedByStop = 1231;         // the reasons, in the order of RunInterruption
inline constexpr int InterruptedDialogClosed = 1232;
inline constexpr int InterruptedWindowClosed = 1233;
inline constexpr int InterruptedWriteFailed = 1234;
inline constexpr int InterruptedBySignal = 1235;
inline constexpr int InterruptedTimeLimit = 1236;
inline constexpr int InterruptedNoInstrument = 1237;
inline constexpr int RunProgress = 1238;               // "pomiar %d z %d, następny za %d s, koniec ok. %s"
inline constexpr int RunStartsIn = 1239;               // during the start delay
inline constexpr int RunAwaitsReadings = 1240;         // the delay is over, the instruments not read yet
inline constexpr int InterruptRunQuestion = 1241;      // "Kalibracja" closed during a run
inline constexpr int EndStationQuestion = 1242;        // before the program ends while the station works: "%s" the lines
inline constexpr int EndStationMeasuring = 1243;       // its lines: the instruments averaging,
inline constexpr int EndStationDataFile = 1244;        // the data file recorded,
inline constexpr int EndStationRunRunning = 1245;      // a series taking rows,
inline constexpr int EndStationRunWaiting = 1246;      // a series waiting for its start

// When the station cannot be trusted: instruments lost and back, stale
// inputs, records skipped, results that cannot be computed.
inline constexpr int InstrumentLostNotice = 1250;      // "Utracono połączenie z %s (%s): %s"
inline constexpr int InstrumentBackNotice = 1251;      // "%s (%s) znów przesyła odczyty"
inline constexpr int InstrumentSilent = 1252;          // the reason: "brak odczytów od %d s"
inline constexpr int StaleInputs = 1253;               // status line: "Wartości nieaktualne: %s"
inline constexpr int RecordsSkipped = 1254;            // status line and notice: records not written
inline constexpr int RecordingResumed = 1255;          // notice: records written again
// A chain or a manifest the station cannot keep, records not written from nothing.
inline constexpr int ChainCannotBeKept = 1783;
inline constexpr int ManifestWriteFailed = 1784;
inline constexpr int RecordsSkippedNoResults = 1785;  // status line and notice
inline constexpr int SkippedForRunDelay = 1786;
inline constexpr int SkippedForNoResults = 1787;
inline constexpr int StalePrintWarning = 1256;         // printout: "UWAGA: wartości nieaktualne: %s"
inline constexpr int WaitingForReadings = 1257;        // status line: "Brak odczytów: %s"
inline constexpr int HandPressureMissing = 1258;       // status line: where to enter the pressure
inline constexpr int StaleAge = 1259;                  // "%s (ostatni odczyt %d s temu)"
inline constexpr int StaleLost = 1260;                 // "%s (brak połączenia)"
inline constexpr int ResultsAgain = 1261;              // notice: the calculation gives results again
inline constexpr int TableNotLoaded = 1262;            // table status line: switched on, not loaded
inline constexpr int TableMissing = 1263;              // status line: "Brak tablicy %s: odczyty bez poprawek"
inline constexpr int StaleLineMark = 1264;             // start of a headless station's line: "NIEAKTUALNE: %s"
inline constexpr int StaleRowMark = 1265;              // run files: a row taken with a stale input
inline constexpr int StaleRows = 1266;                 // run files: "%d z %d pomiarów z nieaktualnym wejściem (%s)"

// The calibration run's files and log, in the language in force: the headings,
// the cell of a missing channel, the summary and the uncertainty budget.
inline constexpr int RunNoMeasurement = 1267;          // a channel without a reading: "Błąd pomiaru"
inline constexpr int RunTemperature = 1268;            // heading and name: "Temperatura"
inline constexpr int RunDewPoint = 1269;               // heading and name: "Punkt rosy"
inline constexpr int RunHumidityColumn = 1270;         // heading: "Wilgotność obl."
inline constexpr int RunDriftColumn = 1271;            // heading: "%s dryft"
inline constexpr int RunUncertaintyColumn = 1272;      // channel file heading: "Niepweność"
inline constexpr int RunSpreadColumn = 1273;           // channel file heading: "Niejednorodność"
inline constexpr int RunSummary = 1274;                // "Podsumowanie:"
inline constexpr int RunStarted = 1275;                // "Pomiary rozpoczęto: %s"
inline constexpr int RunEnded = 1276;                  // "Pomiary zakończono: %s"
inline constexpr int RunTemperatureResult = 1277;      // "Temperatura: %s, niepewność: %s"
inline constexpr int RunSpread = 1278;                 // the chamber's non-uniformity and
inline constexpr int RunSpreadUncertainty = 1279;      // its uncertainty
inline constexpr int RunDewPointResult = 1280;         // "Punkt rosy: %s, niepewność: %s"
inline constexpr int RunComputedValues = 1281;         // "Wartości obliczone"
inline constexpr int RunHumidityResult = 1282;         // "Wilgotność: %s, niepewność: %s"
inline constexpr int RunEnvironment = 1283;            // "Warunki środowiskowe <min; max>:"
inline constexpr int RunEnvironmentTemperature = 1284; // its lines: "Temperatura %s",
inline constexpr int RunEnvironmentHumidity = 1285;
inline constexpr int RunEnvironmentPressure = 1286;
inline constexpr int RunStability = 1287;              // "Stabilność w czasie serii:"
inline constexpr int RunStabilityFigures = 1288;       // "%s: dryft %s, odchylenie standardowe %s"
inline constexpr int RunStationStable = 1289;          // "Stanowisko stabilne przez całą serię"
inline constexpr int RunStationUnstable = 1290;        // "Stanowisko niestabilne w %d z %d pomiarów"
inline constexpr int RunBudget = 1291;                 // "Budżet niepewności standardowej średnich:"
inline constexpr int RunBudgetDewPoint = 1292;         // its lines: DP/FP, T and Pb
inline constexpr int RunBudgetTemperature = 1293;
inline constexpr int RunBudgetPressure = 1294;
inline constexpr int RunExpanded = 1295;               // "Niepewność rozszerzona (k = 2):"
inline constexpr int RunHumidity = 1296;               // its name of the humidity: "Wilgotność"
inline constexpr int RunRowTime = 1297;                // run files' heading of the rows' moments: "Czas"

// Stability and trends: the names of the quantities kept (TrendQuantity
// order from TrendDewPoint on) and the verdicts in words.
inline constexpr int TrendDewPoint = 1400;             // "DP/FP", then T, Pb, … (20 names)
inline constexpr int StableSince = 1420;               // "%s stabilne od %s (%s min)"
inline constexpr int StableJustNow = 1427;             // stable for less than a minute: "%s stabilne od %s"
inline constexpr int UnstableDrift = 1421;             // "niestabilne: %s dryft %s %s/min > %s"
inline constexpr int UnstableDeviation = 1422;
inline constexpr int UnstableReadings = 1423;
inline constexpr int UnstableWindow = 1424;

// Calibration runs that wait for stability.
inline constexpr int RunAwaitsStability = 1470;        // "czeka na stabilność: %s; najdłużej do %s"
inline constexpr int RunNeverStable = 1471;            // "Seria nie rozpoczęta: brak stabilności w ciągu %s min; %s"
inline constexpr int StabilityWindowOutOfRange = 1425;  // settings sheet: window 1 … 240 min
inline constexpr int StabilityLimitOutOfRange = 1426;   // settings sheet: a limit not in (0, 100]
// The printout's trend sheet.
inline constexpr int TrendSheetCaption = 1500;         // "Stabilność i trend"
inline constexpr int TrendSheetWindow = 1501;          // "Okno oceny: %s min"
inline constexpr int TrendSheetDrift = 1502;           // column heads: drift, deviation, span, count, limits
inline constexpr int TrendSheetDeviation = 1503;
inline constexpr int TrendSheetSpan = 1504;
inline constexpr int TrendSheetCount = 1505;
inline constexpr int TrendSheetLimits = 1506;
// The recording line of the laboratory page and the printout's record sheet.
inline constexpr int RecordingLast = 1540;             // "Zapis: %s co %s min, ostatni rekord %s"
inline constexpr int RecordingFirstDue = 1541;         // "…, pierwszy rekord ok. %s"
inline constexpr int RecordingTo = 1542;               // "Zapis: %s co %s min"
inline constexpr int RecordingNothing = 1543;          // warning: saving on, nothing recorded: %s
inline constexpr int RecordingInstrumentsOff = 1544;   // its reasons
inline constexpr int RecordingNoColumns = 1545;
inline constexpr int RecordingFileNotOpen = 1546;
inline constexpr int RecordSheetCaption = 1547;        // "Dane pomiaru"
inline constexpr int RecordSheetReadings = 1548;       // "Wartości chwilowe z przyrządów"
inline constexpr int RecordSheetValue = 1549;          // column heads: value, age, observations
inline constexpr int RecordSheetAge = 1550;
inline constexpr int RecordSheetObservations = 1551;
inline constexpr int RecordSheetAveraging = 1552;      // "Uśrednianie: N = %s, czas zbierania %s s, …"
inline constexpr int RecordSheetTables = 1553;         // "Tablice korekcji:"
inline constexpr int RecordSheetNone = 1554;           // "brak"
inline constexpr int RecordSheetTable = 1555;          // "%s: %s, wierszy: %s, zmieniona %s"
inline constexpr int RecordSheetPorts = 1556;          // "Porty: %s"
inline constexpr int RecordSheetDataFile = 1557;       // "Plik danych: %s"
inline constexpr int RecordSheetSeries = 1558;         // "Ostatnia seria: %s"
inline constexpr int RecordSheetChannelTable = 1559;   // "QX-311, kanał %s"

// Names of the instruments as the status line gives them, by stream order
// (QX-310 temperature, QX-311, QX-316, DP30, F-250, QX-310 environment).
inline constexpr int FirstInstrumentName = 1220;

// Shared with the data-file labels and the settings sheet.
inline constexpr int PortError = 170;            // "Błąd"
inline constexpr int SetPorts = 182;             // "Ustaw porty"
inline constexpr int DewPointInputLabel = 185;   // "DP/FP wejście"
inline constexpr int DateAndTime = 186;          // "Data i czas"
inline constexpr int TemperatureInputLabel = 187;  // "T wejście"
inline constexpr int PressureInputLabel = 188;   // "Pb wejście"
inline constexpr int OverWater = 189;            // "nad wodą"
inline constexpr int OverIce = 190;              // "nad lodem"
inline constexpr int FileCannotBeUsed = 195;     // "Wybrany plik nie może być użyty"

}  // namespace wegator::lab::msg

#include <initializer_list>
#include <string>
#include <string_view>

#include "text/strings.h"

namespace wegator::lab {

using wegator::FillIn;
// FillIn on string-table text `id` in the language in force.
std::string MessageText(int id, std::initializer_list<std::string_view> arguments = {});

}  // namespace wegator::lab
