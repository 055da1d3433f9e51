#pragma once

namespace airmotor::core {

// The supply pressure the catalogue curves were measured at [bar]; the pressure factors are 1 here.
// Some rules compare in double, others store the float: both come from this one value.
inline constexpr double kReferencePressure = 6.3;
inline constexpr float kReferencePressureBar = static_cast<float>(kReferencePressure);
// The same pressure as the pressure field shows it in imperial units [psi].
inline constexpr float kReferencePressurePsi = 91.0f;

// Keys into the language text table that the code names (the texts themselves live in texts.csv).
namespace TextKey {
inline constexpr int NoMotorFound = 4;
inline constexpr int AvailablePressure = 5;
inline constexpr int AtSupplyPressure = 17;
inline constexpr int AtReducedPressure = 20;
inline constexpr int VersionA = 34;
inline constexpr int VersionB = 35;
inline constexpr int PressureUnit = 56;
inline constexpr int DataSheet = 61;
inline constexpr int TorqueUnit = 58;
inline constexpr int PressureMask = 60;
inline constexpr int StainlessNotCounterClockwise = 62;
inline constexpr int SpeedCaption = 85;
inline constexpr int FreeSpeedCaption = 101;
inline constexpr int StartTorqueOfThisMotor = 138;
inline constexpr int IsLowerThanWorkingTorque = 139;
inline constexpr int NoMotorTypeTicked = 140;
inline constexpr int NoSearchCase = 141;
inline constexpr int MoreThanTwoValues = 142;
inline constexpr int ExplosionClass = 152;
inline constexpr int MaxAllowedSpeedCaption = 153;
inline constexpr int TksRestrictedOnly = 158;
inline constexpr int PricesNote = 166;
inline constexpr int InvalidSearchField = 167;
inline constexpr int MountingPosition = 221;
inline constexpr int MountingPositionQuestion = 222;
inline constexpr int OtherMountingPosition = 223;
inline constexpr int PerformanceAt = 227;
} // namespace TextKey

// The search cases: which two requirements a search combines (0 = none fits). The numbers are part
// of the CLI's output and of the help texts.
enum SearchCase : int {
    NoCase = 0,
    StartAndWorkingPoint = 1,
    StartAndFreeSpeedMin = 2,
    StartAndFreeSpeedMax = 3,
    StallMinAndWorkingPoint = 4,
    StallMinAndFreeSpeedMin = 5,
    StallMinAndFreeSpeedMax = 6,
    StallMaxAndWorkingPoint = 7,
    StallMaxAndFreeSpeedMin = 8,
    StallMaxAndFreeSpeedMax = 9,
    WorkingPointOnly = 10,
    WorkingPointAndFreeSpeedMin = 11,
    WorkingPointAndFreeSpeedMax = 12,
};

} // namespace airmotor::core
