// The Polish string table. Ids are those of the program's resources, so an
// English table keyed the same way can stand in for this one.
#include "text/string_table.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace wegator {
namespace {

// Sorted by id; PolishString relies on it for its binary search.
constexpr StringEntry kPolish[] = {
    // Input checks of the calculator pages (relative humidity, moisture
    // content, psychrometer) and of the hand-entered pressure in the port settings.
    {1, "Wartość ciśnienia wejściowego poza dopuszczalnym zakresem"},
    {2, "Niepewność ciśnienia wejściowego poza zakresem"},
    {3, "Uzupełnij wartość ciśnienia wyjściowego"},
    {4, "Ciśnienie wyjściowe poza zakresem"},
    {5, "Wartość punktu rosy poza zakresem"},
    {6, "Niepewność punktu rosy poza zakresem"},
    {7, "Wartość temperatury poza zakresem"},
    {8, "Wartość punktu rosy nie powinna być większa niż wartość temperatury"},
    {9, "Niepewność temperatury poza zakresem"},
    {10, "Wartość wilgotności względnej poza zakresem"},
    {11, "Precyzja wilgotności względnej poza zakresem"},
    {12, "Uzupełnij wartości ciśnień i dwóch pozostałych pól"},
    {13, "Uzupełnij wartość ciśnienia wejściowego"},
    // Number entry: an over-long or malformed number.
    {14, "Zbyt długa wartość wejściowa"},
    {15, "Błędny format wartości wejściowej"},
    // Tooltips of the humidity pages' labels.
    {16, "Temperatura punktu rosy, temperatura punktu szronu"},
    {17, "Temperatura powietrza"},
    {18, "Wilgotność względna odniesiona do stanu nasycenia nad wodą (lub lodem)"},
    {19, "Ciśnienie powietrza panujące w punkcie 1, w którym podane są dane wejściowe do obliczeń"},
    {20, "Ciśnienie powietrza panujące w punkcie 2, w którym obliczane są wyniki"},
    {21, "Zawartość objętościowa pary wodnej w suchym powietrzu (ppm, części milionowych)"},
    {22, "Ciśnienie pary wodnej znajdującej się w wilgotnym powietrzu, ciśnienie cząstkowe pary wodnej"},
    {23, "Ciśnienie nasyconej pary wodnej zawartej w wilgotnym powietrzu nad wodą (lub lodem)"},
    {24, "Niepewność standardowa"},
    {25, "Zawartość wilgoci, stosunek masy pary wodnej do masy suchego powietrza (ppm, części milionowych)"},
    // A computed value is out of range and no input has an admissible limit.
    {26, "Wartości wejściowe poza zakresem"},
    // More humidity-page tooltips.
    {27, "Zawartość wilgoci, stosunek masy pary wodnej do masy suchego powietrza (g/kg)"},
    {28, "Temperatura termometru mokrego pokrytego wodą (lub lodem) w psychrometrze"},
    // Tooltips of the pressure page's unit labels.
    {29, "Funt na cal kwadratowy, lbf/inch^2"},
    {30, "Funt na na stopę kwadratową, lbf/ft^2"},
    {31, "Pascal, niuton na metr kwadratowy, N/m^2"},
    {32, "Megapascal, 10^6 Pa"},
    {33, "Milimetr słupa wody, mmWS"},
    {34, "Tr (Tor, Torr), milimetr słupa rtęci"},
    {35, "Millitorr, 10^-3 Tr"},
    // QX-311 channel choice before its calibration table is edited.
    {36, "Nieprawidłowy numer wejścia QX-311"},
    // Pressure page tooltips, continued.
    {37, "Kilopascal, 1000 Pa"},
    {38, "Hectopascal, 100 Pa; Milibar, 10^-3 bar"},
    {39, "Bar, hektopieza, hpz, 10^5 Pa"},
    {40, "Atmosfera fizyczna, atmosfera normalna, kG/cm^2"},
    {41, "Atmosfera techniczna, kilopond na centymetr kwadratowy, kp/cm^2"},
    // Moisture-content page: missing content, missing temperature, content
    // and its uncertainty out of range.
    {42, "Uzupełnij wartość punktu rosy/punktu szronu"},
    {43, "Uzupełnij wartość PPMV"},
    {44, "Uzupełnij wartość PPMW"},
    {45, "Uzupełnij wartość x"},
    {46, "Uzupełnij wartość temperatury"},
    {47, "Wartość PPMV poza dopuszczalnym zakresem"},
    {48, "Wartość PPMW poza dopuszczalnym zakresem"},
    {49, "Wartość x poza dopuszczalnym zakresem"},
    {50, "Niepewność PPMV poza dopuszczalnym zakresem"},
    {51, "Niepewność PPMW poza dopuszczalnym zakresem"},
    {52, "Niepewność x poza dopuszczalnym zakresem"},
    // Psychrometer page: the bulb temperature and its uncertainty.
    {53, "Niepewność Tw/Ti poza dopuszczalnym zakresem"},
    {54, "Wartość Tw/Ti poza dopuszczalnym zakresem"},
    // User psychrometer constants (settings page and adjustment dialogs).
    {55, "Wartość dla lodu powinna zawierać się w przedziale do 0.00045 do 0.001"},
    {56, "Wartość dla wody powinna zawierać się w przedziale do 0.00045 do 0.001"},
    // Tooltips of the "ppm" unit labels and of the enthalpy row.
    {57, "części milionowe"},
    {58, "Entalpia I(1+x) mieszaniny pary wodnej i powietrza suchego"},
    // Psychrometer page: air temperature below the bulb temperature.
    {59, "Wartość Tw/Ti nie powimma być większa od wartości Temperatury"},
    // Psychrometer-constant adjustment dialogs (water and ice).
    {60, "Stała psychrometru dla wody poza dopuszczalnym zakresem"},
    {61, "Stała psychrometru dla lodu poza dopuszczalnym zakresem"},
    {63, "Wartość temperatury powinna być większa do wartości Tw/Ti"},
    {64, "Wartość Tw powinna być większa od temperatury punktu rosy"},
    {65, "Wartość Ti powinna być większa od temperatury punktu szronu"},
    {66, "Ciśnienie poza douszczalnym zakresem"},
    {67, "Wartość punktu szronu poza dopuszczalnym zakresem"},
    {69, "Uzupełnij wartość temperatury"},
    {70, "Uzupełnij wartość Tw/Ti"},
    {71, "Uzupełnij wartość ciśnienia"},
    {72, "Uzupełnij wartość temperatury punktu szronu"},
    // Range-check limits of the relative-humidity calculations (73 to 134;
    // the moisture-content page uses many of them too, and 104, 110 and 111
    // only it). Each names the input to change and the bound it must keep to.
    {73, "Obliczona wartość RH nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość RH powinna być mniejsza lub równa od %.7f"},
    {74, "Obliczona wartość RH nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wejściowego powinna być większa od %.7f"},
    {75, "Obliczona wartość RH nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wyjściowego powinna być mniejsza lub równa od %.7f"},
    {76, "Obliczona wartość temperatury punktu rosy nad wodą poza dopuszczalnym zakresem:\n"
          "Temperatura punktu rosy powinna być większa od %.7f"},
    {77, "Obliczona wartość temperatury punktu rosy nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wejściowego powinna być mniejsza lub równa od %.7f"},
    {78, "Obliczona wartość DP nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wyjściowego powinna być większa od %.7f"},
    // Ratio of the two pressures of the calculator pages.
    {79, "Wartość ciśnienia wyjściowego powinna zawierać się w przedziale 0.03 ... 20."},
    // Range-check limits, continued.
    {80, "Obliczona wartość temperatury punktu rosy nad wodą poza dopuszczalnym zakresem:\n"
          "Temperatura punktu rosy powinna być mniejsza lub równa od %.7f"},
    {81, "Obliczona wartość temperatury punktu rosy nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wejściowego powinna być większa od %.7f"},
    {82, "Obliczona wartość temperatury punktu rosy nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wyjściowego powinna być mniejsza lub równa od %.7f"},
    {83, "Obliczona wartość temperatury nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość RH powinna być mniejsza lub równa od %.7f"},
    {84, "Obliczona wartość temperatury nad wodą poza dopuszczalnym zakresem:\n"
          "Temperatura punktu rosy powinna być większa od %.7f"},
    {85, "Obliczona wartość temperatury nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wejściowego powinna być mniejsza lub równa od %.7f"},
    {86, "Obliczona wartość temperatury nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wyjściowego powinna być większa od %.7f"},
    {87, "Obliczona wartość temperatury nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość RH powinna być większa od %.7f"},
    {88, "Obliczona wartość temperatury nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wejściowego powinna być mniejsza lub równa od %.7f"},
    {89, "Obliczona wartość temperatury nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wejściowego powinna być mniejsza lub równa od %.7f"},
    {90, "Obliczona wartość temperatury nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wyjściowego powinna być większa od %.7f"},
    {91, "Obliczona wartość PPMV nad wodą poza dopuszczalnym zakresem:\n"
          "Temperatura punktu rosy powinna być mniejsza lub równa od %.7f"},
    {92, "Obliczona wartość PPMV nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wejściowego powinna być większa od %.7f"},
    {93, "Obliczona wartość PPMV nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wyjściowego powinna być mniejsza lub równa od %.7f"},
    {95, "Obliczona wartość PPMV nad wodą poza dopuszczalnym zakresem:\n"
          "Temperatura powinna być mniejsza lub równa od %.7f"},
    {96, "Obliczona wartość PPMV nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość RH powinna być mniejsza lub równa od %.7f"},
    // Results captions of the relative-humidity and moisture-content pages.
    {97, "Wartości obliczone dla ciśnienia P2, NIE uwzględniono niepewności wzorów"},
    {98, "Wartości obliczone dla ciśnienia P2, uwzględniono niepewność wzorów"},
    // Range-check limits, continued.
    {99, "Obliczona wartość SWVP nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wejściowego powinna być większa od %.7f"},
    {100, "Obliczona wartość SWVP nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wyjściowego powinna być mniejsza lub równa od %.7f"},
    {101, "Obliczona wartość SWVP nad wodą poza dopuszczalnym zakresem:\n"
          "Temperatura powinna być większa od %.7f"},
    {102, "Obliczona wartość SWVP nad wodą poza dopuszczalnym zakresem:\n"
          "Temperatura punktu rosy powinna być mniejsza lub równa od %.7f"},
    {103, "Obliczona wartość DP nad wodą poza dopuszczalnym zakresem:\n"
          "Temperatura powinna być większa od %.7f"},
    {104, "Obliczona wartość DP nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość PPMV powinna być większa od %.7f"},
    {105, "Obliczona wartość DP nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wejściowego powinna być mniejsza lub równa od %.7f"},
    {106, "Obliczona wartość DP nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wyjściowego powinna być większa od %.7f"},
    {107, "Obliczona wartość SWVP nad lodem poza dopuszczalnym zakresem:\n"
          "Temperatura powinna być większa od %.7f"},
    {108, "Obliczona wartość SWVP nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wejściowego powinna być większa od %.7f"},
    {109, "Obliczona wartość SWVP nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wyjściowego powinna być mniejsza lub równa od %.7f"},
    {110, "Obliczona wartość SWVP nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość PPMV powinna być mniejsza lub równa od %.7f"},
    {111, "Obliczona wartość SWVP nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość PPMV powinna być mniejsza lub równa od %.7f"},
    {112, "Obliczona wartość SWVP nad lodem poza dopuszczalnym zakresem:\n"
          "Temperatura punktu rosy powinna być mniejsza lub równa od %.7f"},
    {113, "Obliczona wartość temperatury punktu rosy nad lodem poza dopuszczalnym zakresem:\n"
          "Temperatura punktu rosy powinna być większa od %.7f"},
    {114, "Obliczona wartość PPMV nad lodem poza dopuszczalnym zakresem:\n"
          "Temperatura punktu rosy powinna być mniejsza lub równa od %.7f"},
    {115, "Obliczona wartość PPMV nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wejściowego powinna być większa od %.7f"},
    {116, "Obliczona wartość PPMV nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wyjściowego powinna być mniejsza lub równa od %.7f"},
    {117, "Obliczona wartość RH nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość RH powinna być mniejsza lub równa od %.7f"},
    {118, "Obliczona wartość RH nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wejściowego powinna być większa od %.7f"},
    {119, "Obliczona wartość RH nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wyjściowego powinna być mniejsza lub równa od %.7f"},
    {120, "Obliczona wartość DP nad lodem poza dopuszczalnym zakresem:\n"
          "Temperatura powinna być większa od %.7f"},
    {121, "Obliczona wartość PPMV nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość RH powinna być mniejsza lub równa od %.7f"},
    {122, "Obliczona wartość PPMV nad lodem poza dopuszczalnym zakresem:\n"
          "Temperatura powinna być mniejsza lub równa od %.7f"},
    {123, "Obliczona wartość temperatury punktu rosy nad lodem poza dopuszczalnym zakresem:\n"
          "Temperatura punktu rosy powinna być mniejsza lub równa od %.7f"},
    {124, "Obliczona wartość temperatury punktu rosy nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wejściowego powinna być większa od %.7f"},
    {125, "Obliczona wartość temperatury punktu rosy nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wyjściowego powinna być mniejsza lub równa od %.7f"},
    {126, "Obliczona wartość temperatury nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość RH powinna być mniejsza lub równa od %.7f"},
    {127, "Obliczona wartość temperatury nad lodem poza dopuszczalnym zakresem:\n"
          "Temperatura punktu rosy powinna być większa od %.7f"},
    {128, "Obliczona wartość temperatury nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wejściowego powinna być mniejsza lub równa od %.7f"},
    {129, "Obliczona wartość temperatury nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wyjściowego powinna być większa od %.7f"},
    {130, "Obliczona wartość temperatury nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość RH powinna być większa od %.7f"},
    {131, "Obliczona wartość temperatury nad lodem poza dopuszczalnym zakresem:\n"
          "Temperatura punktu rosy powinna być mniejsza lub równa od %.7f"},
    {132, "Obliczona wartość temperatury nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wejściowego powinna być mniejsza lub równa od %.7f"},
    {133, "Obliczona wartość temperatury nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia wyjściowego powinna być większa od %.7f"},
    {134, "Obliczona wartość DP nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość RH powinna być większa od %.7f"},
    // Range-check limits of the psychrometer page.
    {135, "Obliczona wartość WVP nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia powinna być mniejsza lub równa od %.7f"},
    {136, "Obliczona wartość WVP nad wodą poza dopuszczalnym zakresem:\n"
          "Temperatura powinna być mniejsza lub równa od %.7f"},
    {137, "Obliczona wartość WVP nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość Tw/Ti powinna być większa od %.7f"},
    {138, "Obliczona wartość WVP nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia powinna być mniejsza lub równa od %.7f"},
    {139, "Obliczona wartość WVP nad lodem poza dopuszczalnym zakresem:\n"
          "Temperatura powinna być mniejsza lub równa od %.7f"},
    {140, "Obliczona wartość WVP nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość Tw/Ti powinna być większa od %.7f"},
    {141, "Obliczona wartość SWVP nad wodą poza dopuszczalnym zakresem:\n"
          "Pressure powinna być mniejsza lub równa od %.7f"},
    {142, "Obliczona wartość SWVP nad wodą poza dopuszczalnym zakresem:\n"
          "Temperatura powinna być mniejsza lub równa od %.7f"},
    {143, "Obliczona wartość SWVP nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość Tw/Ti powinna być większa od %.7f"},
    {144, "Obliczona wartość SWVP nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia powinna być mniejsza lub równa od %.7f"},
    {145, "Obliczona wartość SWVP nad lodem poza dopuszczalnym zakresem:\n"
          "Temperatura powinna być mniejsza lub równa od %.7f"},
    {146, "Obliczona wartość SWVP nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość Tw/Ti powinna być większa od %.7f"},
    {147, "Obliczona wartość PPMV nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia powinna być większa od %.7f"},
    {148, "Obliczona wartość PPMV nad wodą poza dopuszczalnym zakresem:\n"
          "Temperatura powinna być większa od %.7f"},
    {149, "Obliczona wartość PPMV nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość Tw/Ti powinna być mniejsza lub równa od %.7f"},
    {150, "Obliczona wartość PPMV nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość ciśnienia powinna być większa od %.7f"},
    {151, "Obliczona wartość PPMV nad lodem poza dopuszczalnym zakresem:\n"
          "Temperatura powinna być większa od %.7f"},
    {152, "Obliczona wartość PPMV nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość Tw/Ti powinna być mniejsza lub równa od %.7f"},
    // Range-check limits of the moisture-content page (content given as PPMV, PPMW or x).
    {153, "Obliczona wartość SWVP nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość PPMW powinna być mniejsza lub równa od %.7f"},
    {154, "Obliczona wartość SWVP nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość PPMW powinna być mniejsza lub równa od %.7f"},
    {155, "Obliczona wartość DP nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość PPMW powinna być większa od %.7f"},
    {156, "Obliczona wartość SWVP nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość entalpii powinna być mniejsza lub równa od %.7f"},
    {157, "Obliczona wartość SWVP nad lodem poza dopuszczalnym zakresem:\n"
          "Enthalpy powinna być mniejsza lub równa od %.7f"},
    {158, "Obliczona wartość DP nad lodem poza dopuszczalnym zakresem:\n"
          "Entalpia powinna być większa od %.7f"},
    {159, "Obliczona wartość PPMV nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość PPMV powinna być mniejsza lub równa od %.7f"},
    {160, "Obliczona wartość PPMV nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość PPMV powinna być mniejsza lub równa od %.7f"},
    {161, "Obliczona wartość PPMW nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość PPMV powinna być mniejsza lub równa od %.7f"},
    {162, "Obliczona wartość PPMW nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość PPMV powinna być mniejsza lub równa od %.7f"},
    {163, "Obliczona wartość X nad wodą poza dopuszczalnym zakresem:\n"
          "Wartość PPMV powinna być mniejsza lub równa od %.7f"},
    {164, "Obliczona wartość X nad lodem poza dopuszczalnym zakresem:\n"
          "Wartość PPMV powinna być mniejsza lub równa od %.7f"},
    // Port settings: a required port is missing or ports collide.
    {165, "Wybierz port dla MBW DP-30"},
    {166, "Wybierz port dla QX-311"},
    {167, "Wybierz port dla QX-316"},
    {168, "Wybrane porty muszą być różne"},
    // Water adjustment dialog: the reference dew point is missing.
    {169, "Uzupełnij wartość temperatury punktu rosy"},
    // Laboratory page: an instrument's port could not be opened.
    {170, "Błąd"},
    // Laboratory settings: timing and instrument uncertainties out of range.
    {171, "Czas próbkowania wejścia powinien zawierać się w przedziale od 60 do 600 sekund"},
    {172, "Wartość uaktualniania obliczeń powinna zawierać się w przedziale od 3 do 600 sekund"},
    {173, "Błąd: MBW DP30 poza dopuszczalnym zakresem"},
    {174, "Błąd ASL F-250 poza dopuszczalnym zakresem"},
    {175, "Błąd: QX-311 poza dopuszczalnym zakresem"},
    {176, "Błąd: QX-316 poza dopuszczalnym zakresem"},
    {177, "Ilość prób używanych do obliczenia wejścia powinna zawierać się w przedziale od 2 do 100"},
    // Results captions of the psychrometer and laboratory pages.
    {178, "Wartości obliczone, uwzględniono niepewność wzorów"},
    {179, "Wartości obliczone, NIE uwzględniono niepewności wzorów"},
    // Psychrometer page: tooltip of the barometric pressure.
    {180, "Ciśnienie barometryczne powietrza"},
    // Laboratory page opened without external instruments.
    {182, "Ustaw porty"},
    // Footer of every printout.
    {183, "Obliczono programem Wegator %s"},
    {184, "Nr akredytacji: %s"},
    // Header labels of the laboratory data file.
    {185, "DP/FP wejście"},
    {186, "Data i czas"},
    {187, "T wejście"},
    {188, "Pb wejście"},
    {189, "nad wodą"},
    {190, "nad lodem"},
    // Data-file settings and opening the data file.
    {191, "Lista CSV (*.csv)|*.csv|Plik tekstowy (*.txt)|*.txt|Wszystkie pliki (*.*)|*.*||"},
    {192, "Wybierz plik danych"},
    {193, "Czas zapisu powinien zawierać się w przedziale od 1 do 6000"},
    {194, "Ustaw nazwę pliku"},
    {195, "Wybrany plik nie może być użyty"},
    {196, "Wybrany plik już istnieje. Skasować go?"},
    {197, "Format CSV"},
    {198, "Format tekstowy"},
    // Main window title.
    {199, "TREVAN WEGATOR WILGOTNOŚCI"},
    // Port settings: F-250 port missing.
    {201, "Wybierz port dla F-250"},
    // Calibration tables: editor columns, file dialogs, loading and status lines.
    {202, "Wartość"},
    {203, "Usunąć rekord?"},
    {205, "Plik kalibracji (*.cal)|*.cal||"},
    {206, "Wybierz plik do zapisu"},
    {207, "Wybrany plik jest niedostępny."},
    {208, "Liczba używanych tablic przez QX-311"},
    {209, "Plik kalibracji jest niedostępny."},
    {210, "Poprawka"},
    {211, "Niepewność standardowa"},
    // Port settings: no thermometer chosen.
    {212, "Wybierz QX-310, QX-311 or ASL F-250"},
    // Calibration table editor: save cancelled; status lines.
    {213, "Musisz zapisać tablicę"},
    {214, "Tablica DP30 jest używana"},
    {215, "Brak tablicy QX-311"},
    {216, "Brak tablicy DP30"},
    // Port settings and laboratory settings for the QX-310 thermometer.
    {217, "Wybierz port dla QX-310"},
    {218, "Błąd: QX-310 poza dopuszczalnym zakresem"},
    // Calibration table status lines, continued.
    {220, "Tablica QX-310 jest używana"},
    {221, "Brak tablicy QX-310"},
    {239, "Tablica F250 jest używana"},
    {240, "Brak tablicy F250"},
    // Port settings: environment QX-310 port missing.
    {241, "Wybierz port dla QX-310 (warunki środowiskowe)"},
    // Page labels that the printouts and the command line show as the pages do.
    {1001, "Wartości wejściowe dla ciśnienia P1"},
    {1002, "Wartości wejściowe"},
    {1003, "Niepewność"},
    {1004, "Nad wodą"},
    {1005, "Nad lodem"},
    {1006, "Wartości obliczone"},
    // The trace line of a printout and the help command.
    {1010, "Wydrukowano"},
    {1011, "wzory ITS-90"},
    {1012, "wzory „A Guide to the Measurement of Humidity”"},
    {1013, "Z niepewnością wzorów"},
    {1014, "Bez niepewności wzorów"},
    {1015, "stałe psychrometru"},
    {1016, "domyślna"},
    {1017, "Nie można otworzyć pliku pomocy:"},
    // Correction tables: a value the editor's list already holds (the text
    // users have always seen, in English), and a .cal line that is not three
    // numbers (the file name follows on the next line).
    {1100, "Wartość %s już istnieje"},
    {1101, "Plik kalibracji jest nieprawidłowy: wiersz %d nie zawiera trzech liczb."},
    // A .cal line refused for its numbers, and the editor's entry refused for the same.
    {1102, "Plik kalibracji jest nieprawidłowy: wiersz %d ma ujemną niepewność."},
    {1103, "Plik kalibracji jest nieprawidłowy: wiersz %d powtarza wartość wcześniejszego wiersza."},
    {1104, "Plik kalibracji jest nieprawidłowy: wiersz %d zawiera liczbę spoza zakresu od -1000000 do 1000000."},
    {1105, "Niepewność nie może być ujemna."},
    {1106, "Wartość, poprawka i niepewność muszą leżeć w zakresie od -1000000 do 1000000."},
    // The laboratory station: captions, calibration runs, data-file and status texts.
    {1200, "Uśrednione wartości wejściowe"},
    {1201, "Brak pomiarów temperatury"},
    {1202, "Brak pomiarów punktu rosy"},
    {1203, "Zostanie przeprowadzone %d pomiarów co %d s"},
    {1204, "Opóźnienie nie może być mniejsze od zera"},
    {1205, "Ustaw ścieżkę zapisu"},
    {1206, "Opóźnienie nie może być większe niż 2147483 s"},
    {1207, "Nie udało się zapisać rekordu w pliku danych\n%s\n(%s).\nRekordy czekają w pamięci i zostaną dopisane, gdy zapis znów będzie możliwy."},
    {1208, "Brak połączenia z %s; ponowna próba co 10 s"},
    {1209, "Wyniki czekają na pierwszy odczyt kanałów QX-311"},
    {1210, "Rekordy czekające na zapis: %d"},
    {1211, "Nie udało się zapisać pliku serii\n%s\n(%s).\nSeria została przerwana."},
    {1212, "Obliczenie nie powiodło się: %s"},
    {1213, "Rekordy porzucone z braku miejsca: %d"},
    {1220, "QX-310"},
    {1221, "QX-311"},
    {1222, "QX-316"},
    {1223, "MBW DP30"},
    {1224, "ASL F-250"},
    {1225, "QX-310 (warunki środowiskowe)"},
    // Calibration runs: the line that ends an interrupted run's files and its
    // reasons (the files are Polish whatever the interface), the progress line
    // of "Kalibracja", the questions before a run or the station is ended.
    {1230, "Seria przerwana: %s; wykonano %d z %d pomiarów"},
    {1231, "zatrzymana przyciskiem „Stop”"},
    {1232, "zamknięto okno „Kalibracja”"},
    {1233, "zamknięto program"},
    {1234, "błąd zapisu pliku serii"},
    {1235, "sygnał zatrzymania (SIGINT lub SIGTERM)"},
    {1236, "upłynął czas pracy stanowiska (--seconds)"},
    {1237, "nie udało się otworzyć żadnego przyrządu"},
    {1238, "pomiar %d z %d, następny za %d s, koniec ok. %s"},
    {1239, "start za %d s, koniec ok. %s"},
    {1240, "start po pierwszym odczycie przyrządów, najpóźniej za %d s"},
    {1241, "Seria kalibracyjna trwa (wykonano %d z %d pomiarów).\nPrzerwać ją?"},
    {1242, "Zakończenie programu zatrzyma:\n%s\n\nZakończyć program?"},
    {1243, "– pomiary przyrządów i uśrednianie ich odczytów"},
    {1244, "– zapis do pliku danych %s"},
    {1245, "– serię kalibracyjną (wykonano %d z %d pomiarów)"},
    {1246, "– serię kalibracyjną czekającą na start (%d pomiarów)"},
    // When the station cannot be trusted: instruments lost and back, inputs
    // gone stale, records skipped, results that cannot be computed.
    {1250, "Utracono połączenie z %s (%s): %s"},
    {1251, "%s (%s) znów przesyła odczyty"},
    {1252, "brak odczytów od %d s"},
    {1253, "Wartości nieaktualne: %s"},
    {1254, "Zapis wstrzymany, wartości nieaktualne: %s; pominięte rekordy: %d"},
    {1255, "Zapis wznowiony; pominięte rekordy: %d"},
    {1256, "UWAGA: wartości nieaktualne: %s"},
    {1257, "Brak odczytów: %s"},
    {1258, "Brak ciśnienia wpisywanego ręcznie: wpisz je w Ustawieniach, na stronie „Porty”"},
    {1259, "%s (ostatni odczyt %d s temu)"},
    {1260, "%s (brak połączenia)"},
    {1261, "Obliczenia znów dają wyniki"},
    {1262, "Tablica włączona, lecz nie wczytana: %s"},
    // A table in use that could not be loaded, on the status line; the mark
    // that starts each line of the headless station while an input is stale;
    // a calibration run's row and summary while an input is stale (files).
    {1263, "Brak tablicy %s: odczyty bez poprawek"},
    {1264, "NIEAKTUALNE: %s"},
    {1265, "nieaktualne: %s"},
    {1266, "%d z %d pomiarów z nieaktualnym wejściem (%s)"},
    // A calibration run's files and log: the headings (with the old spelling
    // "Niepweność", which scripts read), a channel without a reading, the
    // summary and the uncertainty budget.
    {1267, "Błąd pomiaru"},
    {1268, "Temperatura"},
    {1269, "Punkt rosy"},
    {1270, "Wilgotność obl."},
    {1271, "%s dryft"},
    {1272, "Niepweność"},
    {1273, "Niejednorodność"},
    {1274, "Podsumowanie:"},
    {1275, "Pomiary rozpoczęto: %s"},
    {1276, "Pomiary zakończono: %s"},
    {1277, "Temperatura: %s, niepewność: %s"},
    {1278, "Niejednorodność QX-311 (tnmax - tnmin): %s"},
    {1279, "Niepewność od niejednorodności QX-311 (utnj): %s"},
    {1280, "Punkt rosy: %s, niepewność: %s"},
    {1281, "Wartości obliczone"},
    {1282, "Wilgotność: %s, niepewność: %s"},
    {1283, "Warunki środowiskowe <min; max>:"},
    {1284, "Temperatura %s"},
    {1285, "Wilgotność %s"},
    {1286, "Ciśnienie %s"},
    {1287, "Stabilność w czasie serii:"},
    {1288, "%s: dryft %s, odchylenie standardowe %s"},
    {1289, "Stanowisko stabilne przez całą serię"},
    {1290, "Stanowisko niestabilne w %d z %d pomiarów"},
    {1291, "Budżet niepewności standardowej średnich:"},
    {1292, "DP/FP: przyrząd %s, tablica %s, rozrzut %s, złożona %s"},
    {1293, "T: przyrząd %s, tablica %s, rozrzut %s, niejednorodność %s, złożona %s"},
    {1294, "Pb: przyrząd %s, rozrzut %s, złożona %s"},
    {1295, "Niepewność rozszerzona (k = 2):"},
    {1296, "Wilgotność"},
    {1297, "Czas"},
    // The settings could not be written at exit (followed by the store's path).
    {1300, "Nie udało się zapisać ustawień. Plik ustawień pozostał bez zmian:"},
    {1301, "Pliku ustawień nie udało się odczytać przy uruchomieniu programu. Aby go nie zastąpić, "
           "ustawienia z tej sesji nie zostały zapisane:"},
    // Tooltips: the ranges and units of the settings sheet's values, and "Kalibracja".
    {1310, "Co ile sekund przeliczane są wyniki laboratorium: od 3 do 600 s"},
    {1311, "Przez ile sekund zbierane są obserwacje do średniej: od 60 do 600 s"},
    {1312, "Ile ostatnich obserwacji każdego wejścia wchodzi do średniej (N): od 2 do 100"},
    {1313, "Niepewność standardowa odczytu przyrządu, w jednostce temperatury wybranej poniżej: od 0 do 50 K"},
    {1314, "Niepewność standardowa odczytu barometru, w jednostce ciśnienia wybranej poniżej: od 0 do 1000 kPa"},
    {1315, "Co ile minut zapisywany jest wiersz pliku danych: od 1 do 6000 minut"},
    {1316, "Seria pomiarów kalibracyjnych zapisywana do plików w wybranym katalogu; najpierw zeruje uśrednianie jak „Wyczyść”"},
    // A .cal file refused before it is read (followed by its name).
    {1340, "Plik jest zbyt duży, by mógł być tablicą korekcji (ponad 16 MiB)."},
    {1400, "DP/FP"},
    {1401, "T"},
    {1402, "Pb"},
    {1403, "T otoczenia"},
    {1404, "RH otoczenia"},
    {1405, "DP/FP średnia"},
    {1406, "T średnia"},
    {1407, "Pb średnie"},
    {1408, "Kanał 1"},
    {1409, "Kanał 2"},
    {1410, "Kanał 3"},
    {1411, "Kanał 4"},
    {1412, "Kanał 5"},
    {1413, "Kanał 6"},
    {1414, "Kanał 7"},
    {1415, "Kanał 8"},
    {1416, "Rozrzut kanałów"},
    {1417, "DP/FP wynik"},
    {1418, "RH wynik"},
    {1419, "T wynik"},
    {1420, "%s stabilne od %s (%s min)"},
    {1421, "niestabilne: %s dryft %s %s/min > %s"},
    {1422, "niestabilne: %s odchylenie standardowe %s %s > %s"},
    {1423, "niestabilne: %s za mało odczytów (%s z %s)"},
    {1424, "niestabilne: %s okno niepełne (%s z %s min)"},
    {1425, "Okno oceny stabilności musi wynosić od 1 do 240 min"},
    {1426, "Granice stabilności muszą być większe od zera i nie większe niż 100"},
    {1427, "%s stabilne od %s"},
    {1430, "Brak odczytów w pokazanym oknie czasu"},
    {1431, "Nie wybrano wielkości do pokazania"},
    {1432, "zmiana ustawień"},
    {1433, "wyczyszczono"},
    {1434, "utrata przyrządu"},
    {1435, "przyrząd wrócił"},
    {1436, "10 min"},
    {1437, "1 h"},
    {1438, "8 h"},
    {1439, "24 h"},
    {1440, "Okno czasu"},
    {1441, "Wielkości"},
    {1442, "Eksportuj wykres…"},
    {1443, "Obraz PNG (*.png)"},
    {1444, "Rysunek SVG (*.svg)"},
    {1445, "Dokument PDF (*.pdf)"},
    {1446, "Nie udało się zapisać wykresu do %s: %s"},
    {1447, "nieznany rodzaj pliku „%s”: wybierz .png, .svg lub .pdf"},
    {1448, "nie można zapisać pliku"},
    {1449, "Zapisz wykres"},
    {1450, "Wiersz %d: to nie jest zapis stacji ani seria pomiarów kalibracji"},
    {1451, "Wiersz %d: nieczytelna data i czas „%s”"},
    {1452, "Wiersz %d: pól z wartościami jest %s, a kolumn w nagłówku %s"},
    {1453, "Wiersz %d: „%s” nie jest liczbą"},
    {1454, "Wiersz %d: pomiar numer %s, oczekiwano %s"},
    {1455, "Wiersz %d: w pliku nie ma żadnego zapisu"},
    {1456, "Wiersz %d: seria nie podaje czasu pomiarów (brak podsumowania i daty w nazwie pliku)"},
    {1457, "Nie można odczytać pliku %s"},
    {1458, "Nie można narysować pliku %s:\n%s"},
    {1459, "wznowienie zapisu"},
    {1460, "Otwórz zapis stacji"},
    {1461, "Zapisy stacji (*.txt *.csv);;Wszystkie pliki (*)"},
    {1462, "Zapis stacji – %s"},
    {1463, "Panel %s: %s, oś od %s do %s, podziałka: %s"},
    {1464, "Czas: od %s do %s"},
    {1465, "Plik nie ma kolumny „%s”"},
    {1466, "Nieczytelny czas „%s”: podaj GG:MM lub RRRR-MM-DD GG:MM[:SS]"},
    {1467, "Zapisano wykres: %s"},
    {1468, "W wybranym czasie nie ma żadnego odczytu"},
    {1469, "&Otwórz zapis stacji…"},
    {1470, "czeka na stabilność: %s; najdłużej do %s"},
    {1471, "Seria nie rozpoczęta: brak stabilności w ciągu %s min; %s"},
    {1472, "Najdłuższe oczekiwanie na stabilność po opóźnieniu startu, 1 … 1440 min"},
    {1473, "Seria zaczyna się dopiero wtedy, gdy punkt rosy/szronu i temperatura są stabilne"},
    {1480, "historia krótsza niż okno: %s z %s"},
    {1481, "(+%s)"},
    {1482, "Wyk&res"},
    {1483, "Okno czasu, wielkości i eksport wykresu (także Shift+F10 lub klawisz menu)"},
    {1490, "To folder, nie plik"},
    {1491, "To potok (FIFO) lub gniazdo, nie plik"},
    {1492, "To urządzenie, nie plik"},
    {1493, "Plik ma ponad %s, więcej niż może mieć zapis stacji"},
    {1494, "Nie ma folderu %s"},
    {1495, "Plik kalibracji nie zawiera żadnego wiersza."},
    {1500, "Stabilność i trend"},
    {1501, "Okno oceny: %s min"},
    {1502, "Dryft"},
    {1503, "Odch. std."},
    {1504, "Rozstęp"},
    {1505, "Odczytów"},
    {1506, "Granice: dryft; odch."},
    {1520, "Nie wybrano żadnej kolumny do zapisu: zaznacz co najmniej jedną wartość wejściową lub obliczoną albo wyłącz zapis."},
    {1540, "Zapis: %s co %s min, ostatni rekord %s"},
    {1541, "Zapis: %s co %s min, pierwszy rekord ok. %s"},
    {1542, "Zapis: %s co %s min"},
    {1543, "Zapis włączony, lecz nic nie jest zapisywane: %s"},
    {1544, "przyrządy zewnętrzne są wyłączone"},
    {1545, "nie wybrano żadnej kolumny"},
    {1546, "plik danych nie jest otwarty"},
    {1547, "Dane pomiaru"},
    {1548, "Wartości chwilowe z przyrządów"},
    {1549, "Wartość"},
    {1550, "Ostatnia zmiana"},
    {1551, "Obserwacji"},
    {1552, "Uśrednianie: N = %s, czas zbierania %s s, obserwacja co %s s"},
    {1553, "Tablice korekcji:"},
    {1554, "brak"},
    {1555, "%s: %s, wierszy: %s, zmieniona %s"},
    {1556, "Porty: %s"},
    {1557, "Plik danych: %s"},
    {1558, "Ostatnia seria: %s"},
    {1559, "QX-311, kanał %s"},
    {1560, "Tablica %s (%s): suma kontrolna zgodna"},
    {1561, "Tablica %s (%s): zmieniona od rozpoczęcia zapisu, suma kontrolna inna"},
    {1562, "Tablica %s (%s): brak pliku"},
    {1563, "Tablica %s (%s): pliku brakowało już przy rozpoczęciu zapisu"},
    {1564, "Rekordów: %s"},
    {1565, "Przerwa między rekordem %s a %s: %s s przy odstępie %s s"},
    {1566, "Brak przerw dłuższych niż odstęp zapisu (%s s)"},
    {1567, "Kolumny zgodne z manifestem (%s)"},
    {1568, "Kolumny inne niż w manifeście: %s"},
    {1569, "Brak manifestu %s"},
    {1570, "Manifest %s nieczytelny: %s"},
    {1571, "Zgodny z manifestem: %s"},
    {1572, "Niezgodny z manifestem: %s"},
    {1573, "Plik nie zawiera żadnego rekordu"},
    {1580, "Monte Carlo (GUM, Suplement 1): ziarno %s, prawdopodobieństwo rozszerzenia %s %"},
    {1581, "Wyniki stabilne na %s cyfrach znaczących po %s losowaniach"},
    {1582, "Nie wszystkie wyniki ustaliły się na %s cyfrach znaczących w %s losowaniach (górna granica)"},
    {1583, "Losowań: %s"},
    {1584, "Odrzucone losowania: %s z %s (%s %); pierwsze: %s"},
    {1585, "Wszystkie losowania odrzucone: %s"},
    {1586, "Obliczenie przerwane"},
    {1587, "Jeszcze nieustalone: %s"},
    {1588, "Brak cyfr tylko końcom przedziałów najkrótszych (zbiegają się wolniej, jak N^(−1/3)); średnie, σ i przedziały symetryczne są stabilne"},
    {1600, "Przedziały rozszerzenia metodą Monte Carlo"},
    {1601, "Wartość"},
    {1602, "Średnia"},
    {1603, "Przedział najkrótszy"},
    {1620, "Monte Carlo – %s"},
    {1621, "Wilgotność względna"},
    {1622, "Zawartość wilgoci"},
    {1623, "Psychrometr"},
    {1624, "&Ziarno:"},
    {1625, "&Adaptacyjnie, najwyżej %s losowań"},
    {1626, "Stała &liczba losowań:"},
    {1627, "P&rawdopodobieństwo rozszerzenia:"},
    {1628, "&Start"},
    {1629, "&Przerwij"},
    {1630, "Za&mknij"},
    {1631, "Wielkość"},
    {1632, "Wartość"},
    {1633, "u"},
    {1634, "Średnia MC"},
    {1635, "σ MC"},
    {1636, "Przedział najkrótszy %s"},
    {1637, "Przedział symetryczny %s"},
    {1638, "u / σ MC"},
    {1639, "Jednostka"},
    {1640, "Losowanie: %s z najwyżej %s (koniec wcześniej, gdy wyniki będą stabilne)"},
    {1641, "Losowanie: %s z %s"},
    {1642, "Ocena metodą Monte Carlo nie powiodła się: %s"},
    {1643, "przedział najkrótszy %s"},
    {1644, "wartość ± 2u"},
    {1645, "poza wykresem: %s z lewej, %s z prawej"},
    {1646, "Losowanie"},
    {1647, "Histogram: %s"},
    {1648, "Przedziały rozszerzenia metodą Monte Carlo dla obliczonego stanu, w osobnym oknie"},
    {1649, "Niepewność standardowa z propagacji, jak na stronie"},
    {1650, "Średnia wartości z przyjętych losowań"},
    {1651, "Odchylenie standardowe wartości z przyjętych losowań"},
    {1652, "Najkrótszy przedział, w którym leży podana część wartości z losowań"},
    {1653, "Przedział, poza którym po każdej stronie leży jednakowa część wartości z losowań"},
    {1654, "Niepewność z propagacji podzielona przez odchylenie standardowe z losowań; bliska 1, gdy propagacja liniowa wystarcza"},
    {1655, "Wybierz wiersz, aby zobaczyć histogram jego wartości"},
    {1656, "Ziarno generatora liczb losowych: to samo ziarno i te same dane dają zawsze te same liczby"},
    {1657, "Kolumna"},
    {1760, "Wiersz %s zmieniony: nie jest rekordem %s zapisanym przez stanowisko"},
    {1761, "Brak rekordu %s (zapisanego %s) przed wierszem %s"},
    {1762, "Wiersz %s dopisany: żaden rekord łańcucha go nie potwierdza"},
    {1763, "Wiersz %s przeniesiony: to rekord %s z innego miejsca"},
    {1764, "Wiersz %s powtórzony: rekord %s już jest w pliku"},
    {1765, "Plik obcięty: brak ostatnich rekordów (%s) od rekordu %s zapisanego %s"},
    {1766, "Niepotwierdzone ostatnie wiersze od wiersza %s (%s): stanowisko zatrzymało się w trakcie zapisu"},
    {1767, "Wiersze zastane przy wznowieniu zapisu, niepotwierdzone w chwili zapisu: %s"},
    {1768, "Przerwa wyjaśniona przed rekordem %s: %s s od %s do %s (%s)"},
    {1769, "Przerwa bez wyjaśnienia przed rekordem %s: %s s od %s do %s"},
    {1770, "Łańcuch %s zmieniony od swojego wiersza %s"},
    {1771, "Brak podsumowania serii"},
    {1772, "Łańcuch niezamknięty: stanowisko zatrzymało się albo nadal zapisuje"},
    {1773, "Łańcuch: rekordów potwierdzonych %s, na swoich miejscach %s, zdarzeń %s"},
    {1774, "Bez łańcucha (%s): rekordy sprawdzone bez potwierdzenia każdego z nich"},
    {1775, "Manifest %s za duży (ponad %s bajtów)"},
    {1776, "Manifest opisuje inny plik: %s"},
    {1777, "Plik zaczęty na komputerze %s (tutaj: %s)"},
    {1778, "Manifest podaje jednostkę %s, nagłówek pliku %s"},
    {1779, "Jednostki %s z manifestu nie ma w nagłówku pliku"},
    {1781, "%s; rekordy potwierdzone łańcuchem: %s; tablice: %s; kolumny i jednostki"},
    {1782, "%s; bez łańcucha; rekordy: %s; tablice: %s; kolumny i jednostki"},
    {1783, "Nie można prowadzić łańcucha rekordów:\n%s\nRekordy są zapisywane bez potwierdzenia."},
    {1784, "Nie udało się zapisać manifestu\n%s\nZapis zostanie ponowiony z następnym rekordem."},
    {1785, "Zapis wstrzymany, %s; pominięte rekordy: %d"},
    {1786, "seria czeka na start"},
    {1787, "brak wyników"},
    {1788, "Zdarzenie manifestu z %s wskazuje stan łańcucha, którego w nim nie ma"},
};

constexpr bool IdsAscending() {
    for (std::size_t i = 1; i < std::size(kPolish); ++i) {
        if (kPolish[i - 1].id >= kPolish[i].id) return false;
    }
    return true;
}
static_assert(IdsAscending(), "the string table must stay sorted by id, without duplicates");

}  // namespace

std::string_view PolishString(int id) {
    const auto* end = std::end(kPolish);
    const auto* it = std::lower_bound(std::begin(kPolish), end, id,
                                      [](const StringEntry& e, int key) { return e.id < key; });
    if (it == end || it->id != id) return {};
    return it->text;
}

std::span<const StringEntry> PolishStringTable() { return kPolish; }

}  // namespace wegator
