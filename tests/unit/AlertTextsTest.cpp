// Alert texts: number formats, list and popup conditions, the list model,
// and where the chime is looked for.

#include <gtest/gtest.h>
#include <wx/filename.h>
#include <wx/variant.h>

#include "model/AlertFormat.h"
#include "alert/AlertModel.h"
#include "alert/AlertSound.h"
#include "unit/LocaleNumbers.h"

namespace {

using testing_support::Grouped;

class AlertTexts : public ::testing::Test
{
protected:
    AlertTexts()
    {
        instrument.code = "ALPHA";
        instrument.exchange = "XTSE";
        instrument.name = "Alpha Mining";
        instrument.decimals = 2;
    }

    PriceAlert Alert(AlertField field, AlertComparison comparison, double threshold)
    {
        return PriceAlert{&instrument, ToCode(field), ToCode(comparison), threshold, std::string()};
    }

    const testing_support::GroupingLocale locale;
    Instrument instrument;
};

TEST_F(AlertTexts, PricesInTheInstrumentsDecimalsVolumesWithoutTrailingZeroesAndTheConditionsShowingThem)
{
    EXPECT_EQ("13", alert_format::PriceText(12.6, 0));
    EXPECT_EQ(Grouped("98765432", "10"), alert_format::PriceText(98765432.1, 2));
    // Negative decimals mean "not given": five decimals, no trailing zeroes, as in the grid.
    EXPECT_EQ(Grouped("1234", "56789"), alert_format::PriceText(1234.56789, -1));
    EXPECT_EQ("0", alert_format::PriceText(-0.000000001, 2).BeforeFirst(wxNumberFormatter::GetDecimalSeparator())) << "no negative zero";

    EXPECT_EQ(Grouped("1500"), alert_format::VolumeText(1500.0));
    EXPECT_EQ(Grouped("21475", "12345"), alert_format::VolumeText(21475.12345));

    // The list's and the popup's conditions.
    const PriceAlert last = Alert(AlertField::Last, AlertComparison::AtMost, 12.6);
    EXPECT_EQ("Last <= " + Grouped("12", "60"), *alert_format::ListConditionText(last));
    EXPECT_EQ("Last(" + Grouped("12", "55") + ") <= " + Grouped("12", "60"),
              *alert_format::PopupConditionText(last, 12.55));

    // Any comparison code other than 1 reads as ">=".
    PriceAlert odd = last;
    odd.comparison = 7;
    EXPECT_EQ("Last >= " + Grouped("12", "60"), *alert_format::ListConditionText(odd));

    EXPECT_EQ("5", *alert_format::FieldValueText(ToCode(AlertField::SellVol), &instrument, 5.0));
    EXPECT_EQ(Grouped("5", "00"), *alert_format::FieldValueText(ToCode(AlertField::Sell), &instrument, 5.0));
    PriceAlert unknown = last;
    unknown.field = 0x8;
    EXPECT_FALSE(alert_format::ListConditionText(unknown).has_value());
    EXPECT_FALSE(alert_format::PopupConditionText(unknown, 1).has_value());
    EXPECT_FALSE(alert_format::FieldValueText(0x200, &instrument, 5.0).has_value());
}

TEST_F(AlertTexts, ModelShowsRemarksWholeSkipsRowsItCannotShowAndIsReadOnly)
{
    PriceAlert first = Alert(AlertField::Last, AlertComparison::AtLeast, 2.5);
    first.remark = "breakout \xC3\xA9t\xC3\xA9";  // UTF-8 survives
    PriceAlert second = Alert(AlertField::BuyVol, AlertComparison::AtMost, 250000);

    wxObjectDataPtr<AlertModel> model(new AlertModel);
    model->Append(&first);
    model->Append(&second);
    ASSERT_EQ(2u, model->GetCount());

    wxVariant value;
    model->GetValueByRow(value, 0, AlertModel::RemarkColumn);
    EXPECT_EQ(wxString::FromUTF8("breakout \xC3\xA9t\xC3\xA9"), value.GetString());

    value = wxVariant("untouched");
    model->GetValueByRow(value, 2, AlertModel::InstrumentColumn);  // row == count
    EXPECT_EQ("untouched", value.GetString());
    second.field = 0x4;
    model->GetValueByRow(value, 1, AlertModel::ConditionColumn);  // unknown field
    EXPECT_EQ("untouched", value.GetString());
    EXPECT_TRUE(model->SetValueByRow(wxVariant("edited"), 0, AlertModel::RemarkColumn));
    EXPECT_EQ("breakout \xC3\xA9t\xC3\xA9", first.remark) << "the list is read-only";
}

TEST(AlertSoundPath, SitsInTheSoundFolderBesideTheProgramWhereTheChimeIsShipped)
{
    // Installed, the program has no sound/ beside it; the working folder has.
    const wxString sep = wxFileName::GetPathSeparator();
    const wxFileName exe("opt" + sep + "terminal" + sep + "bin" + sep + "terminal", wxPATH_NATIVE);
    const wxString assets = sep + "srv" + sep + "assets";
    EXPECT_EQ(assets + sep + "sound" + sep + "alert.wav",
              alert_sound::SoundPathFor(exe.GetFullPath(), assets));
}

}  // namespace
