// The laboratory page as the settings sheet sees it: the sheet reaches the
// station only through LaboratorySettingsTarget, and this is the one place
// that turns a confirmed change into the page's own operations.
#pragma once

#include <memory>
#include <string>

#include "sheet/laboratory_settings_target.h"
#include "lab/station/laboratory_page.h"

namespace wegator::lab {

class LaboratorySettingsAdapter : public LaboratorySettingsTarget {
public:
    explicit LaboratorySettingsAdapter(LaboratoryPage& page) : page_(page) {}

    DataFileState CurrentDataFile() const override;
    Opening OpenNextDataFile(const std::string& path) override;
    void ApplySettingsChange(const Settings& settings, const HandPressure& handPressure,
                             const LaboratoryChange& change) override;

private:
    LaboratoryPage& page_;
    // The file "Zapis" opened, waiting for the change to take it.
    std::unique_ptr<RecordFile> nextFile_;
};

}  // namespace wegator::lab
