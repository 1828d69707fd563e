// The Polish string table: every numbered message, caption, tooltip and file
// label of the program, as the user sees it. Code refers to a text by its
// number so that an English table with the same numbers can replace this one.
//
// Texts are UTF-8. A line break inside a message is a real '\n'. The range
// messages (73 to 164) carry one "%.7f" that takes the limit of the blamed
// input; the caller formats it and then swaps every "." for the decimal sign.
// Messages shown on screen are spelt right; the labels of the files the
// laboratory writes keep their old spelling ("Niepweność"), since scripts
// read them.
#pragma once

#include <span>
#include <string_view>

namespace wegator {

struct StringEntry {
    int id;
    std::string_view text;
};

// Returns the Polish text of a string-table id, or an empty string_view for an unknown id.
std::string_view PolishString(int id);

// All ids with texts, ascending (for translation completeness checks and tests).
std::span<const StringEntry> PolishStringTable();

// Numbers of the messages that many places of the program show.
namespace msg {
// Input checks shared by the calculator pages.
inline constexpr int InputPressureOutOfRange = 1;
inline constexpr int InputPressureUncertaintyOutOfRange = 2;
inline constexpr int EnterOutputPressure = 3;
inline constexpr int OutputPressureOutOfRange = 4;
inline constexpr int TemperatureOutOfRange = 7;
inline constexpr int DewPointAboveTemperature = 8;
inline constexpr int TemperatureUncertaintyOutOfRange = 9;
inline constexpr int EnterPressuresAndTwoFields = 12;
inline constexpr int EnterInputPressure = 13;
inline constexpr int EnterTemperature = 46;
inline constexpr int PressureRatioOutOfRange = 79;

// Number entry: reported by the entry field itself.
inline constexpr int TooLongInput = 14;
inline constexpr int BadInputFormat = 15;

// A computed value left the formulas' range and no input has an admissible limit.
inline constexpr int InputsOutOfRange = 26;

// The numbered range messages with a "%.7f" limit lie in this closed range
// (79, 97 and 98 inside it are ordinary texts, 94 is unused).
inline constexpr int FirstRangeMessage = 73;
inline constexpr int LastRangeMessage = 164;

// Results captions: at P2 (relative-humidity and moisture-content pages) and
// at one pressure (psychrometer and laboratory pages).
inline constexpr int CaptionAtP2WithoutFormulaUncertainty = 97;
inline constexpr int CaptionAtP2WithFormulaUncertainty = 98;
inline constexpr int CaptionWithFormulaUncertainty = 178;
inline constexpr int CaptionWithoutFormulaUncertainty = 179;

// An instrument's port could not be opened (shown in its value field).
inline constexpr int PortError = 170;
// Footer line of every printout.
inline constexpr int PrintedBy = 183;
// Window title.
inline constexpr int ProgramTitle = 199;

// QX-311 channel dialog: a channel outside 1 to 8.
inline constexpr int BadQx311Channel = 36;

// Correction tables: the editor's questions and messages, the loading at the
// laboratory page's start and the page's status lines.
inline constexpr int TableValueHeading = 202;
inline constexpr int DeleteRecordQuestion = 203;
// The file dialogs of the editor: filter "Plik kalibracji (*.cal)|*.cal||" and title.
inline constexpr int CalibrationFileFilter = 205;
inline constexpr int CalibrationFileDialogTitle = 206;
inline constexpr int ChosenFileUnavailable = 207;
inline constexpr int Qx311TablesInUse = 208;
inline constexpr int CalibrationFileUnavailable = 209;
inline constexpr int TableCorrectionHeading = 210;
inline constexpr int TableUncertaintyHeading = 211;
inline constexpr int TableMustBeSaved = 213;
inline constexpr int Dp30TableInUse = 214;
inline constexpr int NoQx311Table = 215;
inline constexpr int NoDp30Table = 216;
inline constexpr int Qx310TableInUse = 220;
inline constexpr int NoQx310Table = 221;
inline constexpr int F250TableInUse = 239;
inline constexpr int NoF250Table = 240;
// "Wartość %s już istnieje": the editor's duplicate value, "%s" the value as shown.
inline constexpr int ValueAlreadyExists = 1100;
// A .cal line that is not three numbers; "%d" the line's number.
inline constexpr int CalibrationFileBadLine = 1101;
// A .cal line refused for its numbers ("%d" the line's number): a negative
// uncertainty, a value an earlier line already has, a number beyond a million.
inline constexpr int CalibrationFileNegativeUncertainty = 1102;
inline constexpr int CalibrationFileRepeatedValue = 1103;
inline constexpr int CalibrationFileNumberOutOfRange = 1104;
// The editor's "Dodaj" / "Edytuj" refusing the same.
inline constexpr int TableNegativeUncertainty = 1105;
inline constexpr int TableNumberOutOfRange = 1106;
// A .cal file larger than any table, refused before it is read.
inline constexpr int CalibrationFileTooLarge = 1340;

// Page labels shared by the printouts and the command line.
inline constexpr int InputsAtP1Caption = 1001;
inline constexpr int InputsCaption = 1002;
inline constexpr int UncertaintyHeading = 1003;
inline constexpr int OverWaterHeading = 1004;
inline constexpr int OverIceHeading = 1005;
inline constexpr int ResultsCaption = 1006;

// The trace line at the foot of a printout: when it was printed and how its
// numbers were made.
inline constexpr int TracePrinted = 1010;
inline constexpr int TraceFormulasIts90 = 1011;
inline constexpr int TraceFormulasGuide = 1012;
inline constexpr int TraceWithFormulaUncertainty = 1013;
inline constexpr int TraceWithoutFormulaUncertainty = 1014;
inline constexpr int TracePsychrometerConstants = 1015;
inline constexpr int TraceDefaultConstant = 1016;
// "Pomoc" found no viewer for the help page; the page's path follows.
inline constexpr int HelpCannotOpen = 1017;

// The settings were not written at exit: the store could not be replaced, or
// it could not be read at start and is left as it was.
inline constexpr int SettingsNotSaved = 1300;
inline constexpr int SettingsStoreUnreadable = 1301;
}  // namespace msg

}  // namespace wegator
