// "Regulacja": the psychrometer constant from one reference measurement.
#include "sheet/psychrometer_adjustment.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "sheet/settings_sheet.h"

namespace wegator {
namespace {

class Messages : public SettingsSheetHost {
public:
    void ShowWarning(int id, const std::string&) override { shown.push_back(id); }
    void ShowMessage(int id, const std::string&) override { shown.push_back(id); }
    bool AskYesNo(int id, const std::string&) override {
        shown.push_back(id);
        return false;
    }
    std::vector<int> shown;
};

using Field = PsychrometerAdjustment::Field;

std::string Text(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.7f", value);
    return buffer;
}

void Fill(PsychrometerAdjustment& a, const std::string& t, const std::string& bulb, const std::string& reference,
          const std::string& pressure) {
    a.EditField(Field::Temperature, t);
    a.EditField(Field::Bulb, bulb);
    a.EditField(Field::Reference, reference);
    a.EditField(Field::Pressure, pressure);
}

TEST(PsychrometerAdjustment, ConstantThroughThePsychrometerEquationAndBack) {
    struct Case {
        Phase bulb;
        double t, bulbT, constant;
    };
    const Case cases[] = {{Phase::Water, 20.0, 15.0, 0.000653},
                          {Phase::Water, 35.0, 21.0, 0.00081},
                          {Phase::Ice, -5.0, -8.0, 0.000575},
                          {Phase::Ice, -2.0, -6.5, 0.00047}};
    for (int formulas : {0, 1}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(formulas) + " " + std::to_string(c.t));
            HumidityEngine engine;
            engine.SetFormulaSet(formulas);
            engine.SetPsychrometerConstantWater(c.constant);
            engine.SetPsychrometerConstantIce(c.constant);
            const double p = 101.325;
            const double e = c.bulb == Phase::Water ? engine.PsychrometricPressureWater(c.t, c.bulbT, p)
                                                    : engine.PsychrometricPressureIce(c.t, c.bulbT, p);
            const double reference =
                c.bulb == Phase::Water ? engine.SaturationTemperatureWater(e) : engine.SaturationTemperatureIce(e);
            // The dialog's fields hold seven decimals; the solver gets what they hold.
            Messages messages;
            PsychrometerAdjustment adjustment(c.bulb, formulas, ".", "", "", messages);
            Fill(adjustment, Text(c.t), Text(c.bulbT), Text(reference), Text(p));
            adjustment.Compute();
            ASSERT_TRUE(messages.shown.empty());
            EXPECT_TRUE(adjustment.OkEnabled());
            EXPECT_NEAR(adjustment.Constant(), c.constant, 1e-9 + 2e-7 * c.constant);
            const double exact = c.bulb == Phase::Water ? engine.PsychrometerConstantWater(c.t, c.bulbT, reference, p)
                                                        : engine.PsychrometerConstantIce(c.t, c.bulbT, reference, p);
            EXPECT_NEAR(exact, c.constant, 1e-9);
            EXPECT_EQ(adjustment.ResultText().size(), 12u);  // "0.000xxxxxxx"
            EXPECT_TRUE(adjustment.Accept());
        }
    }
}

TEST(PsychrometerAdjustment, EveryCheckInItsOrder) {
    struct Case {
        Phase bulb;
        const char *t, *bulbT, *reference, *pressure;
        int message;  // 0: computes
    };
    const Case cases[] = {
        {Phase::Water, "", "", "", "", 69},
        {Phase::Water, "20", "", "", "", 70},
        {Phase::Water, "20", "15", "", "", 71},
        {Phase::Water, "20", "20", "10", "101.325", 63},
        {Phase::Water, "20", "15", "15", "101.325", 64},
        {Phase::Ice, "-5", "-8", "-8", "101.325", 65},
        {Phase::Ice, "5", "3", "0.5", "101.325", 67},
        {Phase::Water, "5", "3", "0.5", "101.325", 0},
        {Phase::Water, "20", "15", "14.97", "1", 0},
        {Phase::Ice, "20", "15", "-1", "1", 66},
        {Phase::Water, "20", "15", "10", "0", 66},
        {Phase::Water, "20", "15", "", "101.325", 169},
        {Phase::Ice, "-5", "-8", "", "101.325", 72},
        {Phase::Water, "20", "19.9", "-40", "101.325", 60},
        {Phase::Ice, "-1", "-1.1", "-40", "101.325", 61},
        {Phase::Water, "20", "1.2.3", "10", "101.325", 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.t) + " " + c.bulbT + " " + c.reference + " " + c.pressure);
        Messages messages;
        PsychrometerAdjustment adjustment(c.bulb, 0, ".", "°C", "kPa", messages);
        Fill(adjustment, c.t, c.bulbT, c.reference, c.pressure);
        adjustment.Compute();
        EXPECT_EQ(messages.shown, c.message == 0 ? std::vector<int>{} : std::vector<int>{c.message});
        EXPECT_EQ(adjustment.OkEnabled(), c.message == 0);
        EXPECT_EQ(adjustment.ResultText().empty(), c.message != 0);
    }
}

TEST(PsychrometerAdjustment, EditsUnitsAndTheRangeOnOk) {
    Messages messages;
    PsychrometerAdjustment adjustment(Phase::Water, 0, ",", "", "", messages);
    EXPECT_EQ(adjustment.TemperatureUnit(), "°C");
    Fill(adjustment, "20", "15", "10", "101,325");
    adjustment.Compute();
    ASSERT_TRUE(adjustment.OkEnabled());
    EXPECT_EQ(adjustment.FieldText(Field::Temperature), "20,0000000");  // rewritten as computed with
    EXPECT_EQ(adjustment.FieldText(Field::Pressure), "101,3250000");
    adjustment.EditField(Field::Pressure, "101,3");
    EXPECT_FALSE(adjustment.OkEnabled());
    EXPECT_TRUE(adjustment.ResultText().empty());

    adjustment.ChangeTemperatureUnit(2);  // °F
    EXPECT_EQ(adjustment.FieldText(Field::Temperature), "68,0000000");
    EXPECT_EQ(adjustment.FieldText(Field::Reference), "50,0000000");
    adjustment.ChangePressureUnit(3);  // hPa
    EXPECT_EQ(adjustment.FieldText(Field::Pressure), "1013,0000000");

    // A constant the solver finds but the program does not take.
    HumidityEngine engine;
    const double e = engine.SaturationPressureWater(15.0) - 0.0015 * 1000.0 * 101.325 * 5.0;
    PsychrometerAdjustment steep(Phase::Water, 0, ".", "°C", "kPa", messages);
    Fill(steep, "20", "15", Text(engine.SaturationTemperatureWater(e)), "101.325");
    steep.Compute();
    ASSERT_TRUE(steep.OkEnabled());
    EXPECT_NEAR(steep.Constant(), 0.0015, 1e-6);
    EXPECT_FALSE(steep.Accept());
    EXPECT_EQ(messages.shown, std::vector<int>{56});
}

}  // namespace
}  // namespace wegator
