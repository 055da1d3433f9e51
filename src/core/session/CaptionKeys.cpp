#include "core/session/CaptionKeys.h"
#include "core/common/Keys.h"
#include "core/common/ProgramVersion.h"

#include "core/format/NumberFormat.h"

#include <array>

namespace airmotor::core {

namespace {

using R = CaptionRule;

constexpr std::string_view kMain = "LUFTMOTOR";

// clang-format off
constexpr std::array kEntries = {
    CaptionEntry{kMain, "", 63, R::TitleVersion},
    CaptionEntry{kMain, "FileMenu", 64},
    CaptionEntry{kMain, "mnuBackToStartMenu", 136},
    CaptionEntry{kMain, "ExitMenu", 65},
    CaptionEntry{kMain, "Options", 66},
    CaptionEntry{kMain, "mnuLanguage_0", 67},
    CaptionEntry{kMain, "mnuLanguage_1", 68},
    CaptionEntry{kMain, "mnuLanguage_2", 69},
    CaptionEntry{kMain, "mnuLanguage_3", 70},
    CaptionEntry{kMain, "mnuLanguage_4", 137},
    CaptionEntry{kMain, "mnuLanguage_5", 145},
    CaptionEntry{kMain, "mnuOnlyObsoleteMotors", 146},
    CaptionEntry{kMain, "mnuShowAlwaysDiagram", 71},
    CaptionEntry{kMain, "mnuOwnMotorData", 219},
    CaptionEntry{kMain, "NewPrices", 72},
    CaptionEntry{kMain, "Help", 73},
    CaptionEntry{kMain, "UsingHelp", 74},
    CaptionEntry{kMain, "Contents", 75},
    CaptionEntry{kMain, "About", 76},
    CaptionEntry{kMain, "mnuNewsInThisVersion", 43},
    CaptionEntry{kMain, "AllMotorsB", 78},
    CaptionEntry{kMain, "Frame3D1", 77},
    CaptionEntry{kMain, "NyaIndataB", 80},
    CaptionEntry{kMain, "SökMotorB", 82},
    CaptionEntry{kMain, "Label13", 83},
    CaptionEntry{kMain, "Label11", 84},
    CaptionEntry{kMain, "Label12", 85},
    CaptionEntry{kMain, "Label20", 86},
    CaptionEntry{kMain, "Label1", 87},
    CaptionEntry{kMain, "Label3_0", 88},
    CaptionEntry{kMain, "Label3_1", 89},
    CaptionEntry{kMain, "Label2_0", 90},
    CaptionEntry{kMain, "Label2_1", 91},
    CaptionEntry{kMain, "Label5", 92},
    CaptionEntry{kMain, "Frame3D3", 93},
    CaptionEntry{kMain, "Label17", 94},
    CaptionEntry{kMain, "Label16", 95},
    CaptionEntry{kMain, "Label4", 96},
    CaptionEntry{kMain, "Label8", 97},
    CaptionEntry{kMain, "Label7", 98},
    CaptionEntry{kMain, "Label9", 99},
    CaptionEntry{kMain, "Label6", 100},
    CaptionEntry{kMain, "Label15", 101},
    CaptionEntry{kMain, "Label10_3", 102},
    CaptionEntry{kMain, "Label10_4", 103},
    CaptionEntry{kMain, "Label10_5", 104},
    CaptionEntry{kMain, "Label18", 105},
    CaptionEntry{kMain, "Label10_1", 106},
    CaptionEntry{kMain, "Label10_2", 107},
    CaptionEntry{kMain, "Label10_0", 108, R::PriceListDate},
    CaptionEntry{kMain, "Label14", 109},
    CaptionEntry{kMain, "Label21", 154},
    CaptionEntry{kMain, "frameDiagramAlternativ", 111},
    CaptionEntry{kMain, "Command1", 112},
    CaptionEntry{kMain, "optDiagramAlternativ_0", 113},
    CaptionEntry{kMain, "optDiagramAlternativ_1", 114},
    CaptionEntry{kMain, "optDiagramAlternativ_2", 115},
    CaptionEntry{kMain, "optDiagramAlternativ_3", 116},
    CaptionEntry{kMain, "optDiagramAlternativ_4", 117},
    CaptionEntry{kMain, "optDiagramAlternativ_5", 118},
    CaptionEntry{kMain, "cboDiagramAlternativ", 119},
    CaptionEntry{kMain, "EnbartDiagramB_0", 120},
    CaptionEntry{kMain, "EnbartDiagramB_1", 121},
    CaptionEntry{kMain, "EnbartDiagramB_2", 144},
    CaptionEntry{kMain, "cmdDefaultOptions", 124},
    CaptionEntry{kMain, "optRotation_0", 125},
    CaptionEntry{kMain, "optRotation_1", 126},
    CaptionEntry{kMain, "optRotation_2", 127},
    CaptionEntry{kMain, "optLubricated_0", 128},
    CaptionEntry{kMain, "optLubricated_1", 129},
    CaptionEntry{kMain, "optLubricatedTKS_0", 128},
    CaptionEntry{kMain, "optLubricatedTKS_1", 129},
    CaptionEntry{kMain, "optSteel_0", 130},
    CaptionEntry{kMain, "optSteel_1", 131},
    CaptionEntry{kMain, "optSteelTKS_0", 130},
    CaptionEntry{kMain, "optSteelTKS_1", 131},
    CaptionEntry{kMain, "optBrake_0", 132},
    CaptionEntry{kMain, "optBrake_1", 133},
    CaptionEntry{kMain, "fraSearchData", 134},
    CaptionEntry{kMain, "fraTKMAlternativ", 143},
    CaptionEntry{kMain, "fraTKSAlternativ", 155},
    CaptionEntry{kMain, "optTKSRestricted_0", 156},
    CaptionEntry{kMain, "optTKSRestricted_1", 157},
    CaptionEntry{kMain, "optTKSRestricted_2", 160},
    CaptionEntry{kMain, "Label23", 159},
    CaptionEntry{kMain, "Command2_0", 161},
    CaptionEntry{kMain, "Command2_1", 162},
    CaptionEntry{kMain, "optObsoleteMotors_0", 147},
    CaptionEntry{kMain, "optObsoleteMotors_1", 148},
    CaptionEntry{kMain, "optObsoleteMotors_2", 149},
    CaptionEntry{kMain, "Label19", 150},
    CaptionEntry{kMain, "Label22", 151},
    CaptionEntry{kMain, "Label24", 152},
    CaptionEntry{kMain, "optCatalogue_0", 225},
    CaptionEntry{kMain, "optCatalogue_1", 226},
    CaptionEntry{kMain, "Label25", 228, R::LubricatedNote},
    // Controls the classic table left with design captions only; they take the text of the same meaning.
    CaptionEntry{kMain, "MotordiagramB", 122},
    CaptionEntry{kMain, "cmdDimensionDrawing", 123},
    CaptionEntry{kMain, "PrinterutskriftB", 163},
    CaptionEntry{kMain, "TabellB", 164},
    CaptionEntry{kMain, "mnuPrint", 165},
    // The menu items and windows of the duty analysis, the comparison, the selection files and the
    // catalogue import.
    CaptionEntry{kMain, "mnuOpenSelection", TextKey::OpenSelectionMenu},
    CaptionEntry{kMain, "mnuSaveSelection", TextKey::SaveSelectionMenu},
    CaptionEntry{kMain, "mnuRecentSelections", TextKey::RecentSelectionsMenu},
    CaptionEntry{kMain, "mnuCompareMotors", TextKey::CompareMotorsMenu},
    CaptionEntry{kMain, "mnuPrintPreview", TextKey::PrintPreviewMenu},
    CaptionEntry{kMain, "mnuImportCatalogue", TextKey::ImportCatalogueMenu},
    CaptionEntry{kMain, "mnuExportResults", TextKey::ExportResultsMenu},
    CaptionEntry{kMain, "mnuCopyResults", TextKey::CopyResultsMenu},
    CaptionEntry{kMain, "mnuAirCost", TextKey::AirCostMenu},
    CaptionEntry{kMain, "mnuCompareRow", TextKey::CompareRowMenu},
    CaptionEntry{kMain, "mnuShowComparisonFromGrid", TextKey::ShowComparisonMenu},
    CaptionEntry{kMain, "mnuCatalogue", TextKey::CatalogueMenu},

    CaptionEntry{"frmComparison", "", TextKey::ComparisonTitle},
    CaptionEntry{"frmComparison", "lblComparisonHint", TextKey::ComparisonHint},
    CaptionEntry{"frmComparison", "chkComparePower", TextKey::PowerCurvesBox},
    CaptionEntry{"frmComparison", "chkCompareAir", TextKey::AirCurvesBox},
    CaptionEntry{"frmComparison", "cmdExportComparison", TextKey::ExportButton},
    CaptionEntry{"frmComparison", "cmdPrintComparison", TextKey::PrintButton},
    CaptionEntry{"frmComparison", "cmdCloseComparison", TextKey::CloseButton},

    CaptionEntry{"frmAirCost", "", TextKey::AirCostTitle},
    CaptionEntry{"frmAirCost", "lblAirCostIntro", TextKey::AirCostIntro},
    CaptionEntry{"frmAirCost", "lblHoursPerYear", TextKey::HoursPerYear},
    CaptionEntry{"frmAirCost", "lblEnergyPerM3", TextKey::EnergyPerM3},
    CaptionEntry{"frmAirCost", "lblPricePerKWh", TextKey::PricePerKWh},
    CaptionEntry{"frmAirCost", "lblCurrency", TextKey::Currency},

    CaptionEntry{"frmCatalogue", "", TextKey::CatalogueTitle},
    CaptionEntry{"frmCatalogue", "lblCatalogueIntro", TextKey::CatalogueIntro},
    CaptionEntry{"frmCatalogue", "lblCatalogueLocation", TextKey::CatalogueLocationCaption},

    CaptionEntry{"F2", "", 122},
    CaptionEntry{"MÅTTSKISS", "", 123},
    CaptionEntry{"MÅTTSKISS", "ZoomOutB", 110},
    CaptionEntry{"MÅTTSKISS", "Command1", TextKey::LinkToDrawing},

    CaptionEntry{"frmWagonCalculation", "", 161},
    CaptionEntry{"frmWagonCalculation", "Label1_19", 180},
    CaptionEntry{"frmWagonCalculation", "Label1_0", 181},
    CaptionEntry{"frmWagonCalculation", "Label1_1", 182},
    CaptionEntry{"frmWagonCalculation", "Label1_2", 183},
    CaptionEntry{"frmWagonCalculation", "Label1_3", 184},
    CaptionEntry{"frmWagonCalculation", "Label1_4", 185},
    CaptionEntry{"frmWagonCalculation", "Label1_5", 186},
    CaptionEntry{"frmWagonCalculation", "Label1_6", 187},
    CaptionEntry{"frmWagonCalculation", "Label1_12", 188},
    CaptionEntry{"frmWagonCalculation", "Label1_13", 189},
    CaptionEntry{"frmWagonCalculation", "Label1_7", 190},
    CaptionEntry{"frmWagonCalculation", "Label1_15", 191},
    CaptionEntry{"frmWagonCalculation", "Label1_14", 192},
    CaptionEntry{"frmWagonCalculation", "Label1_16", 193},
    CaptionEntry{"frmWagonCalculation", "Label1_17", 194},
    CaptionEntry{"frmWagonCalculation", "Label1_18", 195},
    CaptionEntry{"frmWagonCalculation", "Command1", 196},
    CaptionEntry{"frmWagonCalculation", "Label1_8", 197},
    CaptionEntry{"frmWagonCalculation", "Label1_9", 198},
    CaptionEntry{"frmWagonCalculation", "Label1_10", 199},
    CaptionEntry{"frmWagonCalculation", "Label1_11", 200},
    CaptionEntry{"frmWagonCalculation", "Command2", 201},

    CaptionEntry{"frmRotatingMass", "", 162},
    CaptionEntry{"frmRotatingMass", "Label1_19", 180},
    CaptionEntry{"frmRotatingMass", "Label1_0", 181},
    CaptionEntry{"frmRotatingMass", "Label1_1", 182},
    CaptionEntry{"frmRotatingMass", "Label1_2", 202},
    CaptionEntry{"frmRotatingMass", "Label1_3", 203},
    CaptionEntry{"frmRotatingMass", "Label1_4", 204},
    CaptionEntry{"frmRotatingMass", "Label1_5", TextKey::DampingConstant},
    CaptionEntry{"frmRotatingMass", "Label1_6", 207},
    CaptionEntry{"frmRotatingMass", "Label1_7", 190},
    CaptionEntry{"frmRotatingMass", "Label1_15", 191},
    CaptionEntry{"frmRotatingMass", "Label1_14", 192},
    CaptionEntry{"frmRotatingMass", "Label1_16", 193},
    CaptionEntry{"frmRotatingMass", "Label1_17", 194},
    CaptionEntry{"frmRotatingMass", "Label1_18", 195},
    CaptionEntry{"frmRotatingMass", "Command1", 196},
    CaptionEntry{"frmRotatingMass", "Label1_8", 197},
    CaptionEntry{"frmRotatingMass", "Label1_9", 205},
    CaptionEntry{"frmRotatingMass", "Label1_10", 206},
    CaptionEntry{"frmRotatingMass", "Label1_11", 208},
    CaptionEntry{"frmRotatingMass", "Command2", 201},

    CaptionEntry{"frmMountingPositions", "", TextKey::MountingPositionTitle},
    CaptionEntry{"frmMountingPositions", "Label1", 222},

    CaptionEntry{"HelpWindow", "", TextKey::HelpWindowTitle},
};
// clang-format on

} // namespace

std::string_view LanguageOfMenuItem(int item) {
    static constexpr std::array<std::string_view, 6> kMenu = {"English",          "German",  "French",
                                                              "English_Imperial", "Italian", "Spanish"};
    return item >= 0 && item < 6 ? kMenu[std::size_t(item)] : std::string_view("English");
}

int MenuItemOfLanguage(std::string_view language) {
    for (int item = 0; item < 6; ++item)
        if (LanguageOfMenuItem(item) == language)
            return item;
    return -1;
}

std::string StartListEntry(int entry) {
    const std::string control =
        "mnuLanguage_" + std::to_string(MenuItemOfLanguage(LanguageOfStartEntry(entry)));
    std::string text;
    for (const CaptionEntry& e : kEntries)
        if (e.window == kMain && e.control == control)
            for (const LanguageRow& row : BundledLanguageRows())
                if (row.key == e.key)
                    text = row.texts[0].value_or("");
    std::erase(text, '&');
    return text;
}

std::string_view LanguageOfStartEntry(int entry) {
    return entry >= 0 && entry < 6 ? kLanguageNames[std::size_t(entry)] : std::string_view("English");
}

std::string MountingPositionText(int picture, const TextTable& strText) {
    static constexpr std::array<std::string_view, 5> kPartNumbers = {
        "8990 0020 01", "8990 0020 19", "8990 0020 27", "8990 0020 35", "8990 0020 43"};
    if (picture >= 0 && picture < 5)
        return std::string(kPartNumbers[std::size_t(picture)]);
    return strText(TextKey::OtherMountingPosition);
}

std::span<const CaptionEntry> CaptionKeys() {
    return kEntries;
}

std::string CaptionText(const CaptionEntry& entry, const TextTable& strText, const CaptionContext& context) {
    const std::string& text = strText(entry.key);
    switch (entry.rule) {
    case CaptionRule::Text:
        return text;
    case CaptionRule::TitleVersion:
        return text + "   (" + VersionText(context.versionMajor, context.versionMinor, context.versionPatch) +
               ")";
    case CaptionRule::PriceListDate:
        // The legacy label broke the line with a bare carriage return; a line feed is the line break here.
        return text + "\n" + context.priceListDate;
    case CaptionRule::LubricatedNote:
        return "TKM42/(46)/54/66/77 " + text;
    }
    return text;
}

} // namespace airmotor::core
