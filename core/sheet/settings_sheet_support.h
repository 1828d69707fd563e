// What the pages of the settings sheet share: the messages they give, how
// values are shown and told, and how a flag keeps its stored number. Internal
// to the sheet's model.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "sheet/settings_sheet.h"
#include "text/strings.h"

namespace wegator::sheet_detail {

// Messages of the pages, by string-table number.
namespace id {
constexpr int kIceConstantOutOfRange = 55;
constexpr int kWaterConstantOutOfRange = 56;
constexpr int kChooseThermometer = 212;
constexpr int kChooseDp30Port = 165;
constexpr int kChooseQx310Port = 217;
constexpr int kChooseQx311Port = 166;
constexpr int kChooseF250Port = 201;
constexpr int kChooseQx316Port = 167;
constexpr int kChooseEnvironmentPort = 241;
constexpr int kPortsMustDiffer = 168;
constexpr int kEnterInputPressure = 13;
constexpr int kInputPressureOutOfRange = 1;
constexpr int kInputPressureUncertaintyOutOfRange = 2;
constexpr int kCollectionTime = 171;
constexpr int kObservations = 177;
constexpr int kUpdatePeriod = 172;
constexpr int kIntervalOutOfRange = 193;
constexpr int kSetFileName = 194;
constexpr int kFileUnusable = 195;
constexpr int kEmptyExistingFile = 196;
}  // namespace id

// Values on the pages are shown with three decimals.
constexpr int kShownDecimals = 3;

inline void Warn(SettingsSheetHost& host, int messageId) { host.ShowWarning(messageId, std::string(LoadString(messageId))); }
inline void Tell(SettingsSheetHost& host, int messageId) { host.ShowMessage(messageId, std::string(LoadString(messageId))); }

// A flag keeps its stored number when the user left its meaning alone.
inline void SetFlag(std::int32_t& field, bool on) {
    if ((field != 0) != on) field = on ? 1 : 0;
}

inline bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace wegator::sheet_detail
