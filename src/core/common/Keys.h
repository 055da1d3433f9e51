#pragma once

namespace airmotor::core {

// The supply pressure the catalogue curves were measured at [bar]; the pressure factors are 1 here.
// Some rules compare in double, others store the float: both come from this one value.
inline constexpr double kReferencePressure = 6.3;
inline constexpr float kReferencePressureBar = static_cast<float>(kReferencePressure);
// The same pressure as the pressure field shows it in imperial units [psi].
inline constexpr float kReferencePressurePsi = 91.0f;
// The field's text for it: typed numbers keep the user's form, so these are not formatted figures.
inline constexpr const char* kReferencePressureText = "6.3";
inline constexpr const char* kReferencePressurePsiText = "91";

// Keys into the language text table that the code names (the texts themselves live in texts.csv).
namespace TextKey {
inline constexpr int NoMotorFound = 4;
inline constexpr int AvailablePressure = 5;
inline constexpr int AtSupplyPressure = 17;
inline constexpr int Throttled = 19;
inline constexpr int AtReducedPressure = 20;
inline constexpr int SpeedAtMaxPower = 22;
inline constexpr int VersionA = 34;
inline constexpr int ZoomOut = 110;
inline constexpr int MotorDiagram = 122;
inline constexpr int DimensionDrawing = 123;
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
inline constexpr int DampingConstant = 215;
inline constexpr int MountingPosition = 221;
inline constexpr int MountingPositionQuestion = 222;
inline constexpr int OtherMountingPosition = 223;
inline constexpr int PerformanceAt = 227;
// File and Options menus, the result grid's context menu.
inline constexpr int OpenSelectionMenu = 229;
inline constexpr int SaveSelectionMenu = 230;
inline constexpr int RecentSelectionsMenu = 231;
inline constexpr int CompareMotorsMenu = 232;
inline constexpr int PrintPreviewMenu = 233;
inline constexpr int ImportCatalogueMenu = 234;
inline constexpr int ExportResultsMenu = 235;
inline constexpr int CopyResultsMenu = 236;
inline constexpr int AirCostMenu = 237;
inline constexpr int ShowDutyAnalysisMenu = 238;
inline constexpr int CompareRowMenu = 239;
inline constexpr int CompareRowTip = 240;
inline constexpr int ShowComparisonMenu = 241;
inline constexpr int TickedForComparison = 242;
inline constexpr int TooManyComparedMotors = 243;
// The duty analysis panel: captions and how each figure is computed.
inline constexpr int DutyAnalysisTitle = 244;
inline constexpr int AnalysisNeedsWorkingPoint = 245;
inline constexpr int AnalysisClickMotor = 246;
inline constexpr int AnalysisRowHeading = 247;
inline constexpr int DutyDelivered = 248;
inline constexpr int SupplyPressure = 249;
inline constexpr int TorqueAtWorkingSpeed = 250;
inline constexpr int TorqueMargin = 251;
inline constexpr int SpeedAtWorkingTorque = 252;
inline constexpr int PowerAtDutyPoint = 253;
inline constexpr int AirConsumption = 254;
inline constexpr int StartTorqueMargin = 255;
inline constexpr int DistanceToFreeSpeed = 256;
inline constexpr int AirCostPerYear = 257;
inline constexpr int ModeTip = 258;
inline constexpr int PressureTip = 259;
inline constexpr int TorqueTip = 260;
inline constexpr int TorqueMarginTip = 261;
inline constexpr int SpeedAtTorqueTip = 262;
inline constexpr int PowerTip = 263;
inline constexpr int AirTip = 264;
inline constexpr int ThrottledAirTip = 265;
inline constexpr int AirM3hTip = 266;
inline constexpr int StartMarginTip = 267;
inline constexpr int FreeSpeedMarginTip = 268;
inline constexpr int AirCostTip = 269;
// The air cost dialog and its refusals.
inline constexpr int AirCostTitle = 270;
inline constexpr int AirCostIntro = 271;
inline constexpr int HoursPerYear = 272;
inline constexpr int EnergyPerM3 = 273;
inline constexpr int PricePerKWh = 274;
inline constexpr int EnterANumber = 275;
inline constexpr int NotANumber = 276;
inline constexpr int MustNotBeNegative = 277;
inline constexpr int MustNotExceed = 278;
// The comparison window and its rows.
inline constexpr int ComparisonTitle = 279;
inline constexpr int ComparisonHint = 280;
inline constexpr int PowerCurvesBox = 281;
inline constexpr int AirCurvesBox = 282;
inline constexpr int ExportButton = 283;
inline constexpr int PrintButton = 284;
inline constexpr int CloseButton = 285;
inline constexpr int ExportComparisonTitle = 286;
inline constexpr int HigherIsBetter = 287;
inline constexpr int LowerIsBetter = 288;
inline constexpr int NeitherIsBetter = 289;
inline constexpr int CatalogueFigureTip = 290;
inline constexpr int BestOfCompared = 291;
inline constexpr int AirAtMaxPower = 292;
inline constexpr int RelativePrice = 293;
inline constexpr int Regulation = 294;
inline constexpr int PowerAtWorkingSpeed = 295;
inline constexpr int ComparedAirTip = 296;
// Result export, selection files and catalogue import.
inline constexpr int ExportResultsTitle = 297;
inline constexpr int WorkbookFilter = 298;
inline constexpr int CsvFilter = 299;
inline constexpr int NothingToExport = 300;
inline constexpr int SavedSelectionsFilter = 301;
inline constexpr int SaveSelectionTitle = 302;
inline constexpr int OpenSelectionTitle = 303;
inline constexpr int SelectionLanguageMissing = 304;
inline constexpr int SelectionOtherCatalogue = 305;
inline constexpr int SelectionMotorGone = 306;
inline constexpr int ImportCatalogueTitle = 307;
inline constexpr int AccessCataloguesFilter = 308;
inline constexpr int AllFilesFilter = 309;
inline constexpr int SaveNewCatalogueTitle = 310;
inline constexpr int CatalogueDatabasesFilter = 311;
inline constexpr int UseImportedCatalogue = 312;
// Diagram and drawing windows.
inline constexpr int DiagramHelpTip = 313;
inline constexpr int LinkToDrawing = 314;
// The catalogue table printout: its title and each column's heading, name and unit on two lines.
inline constexpr int CatalogueTableTitle = 315;
inline constexpr int TableDesignation = 316;
inline constexpr int TablePartNo1 = 317;
inline constexpr int TablePartNo2 = 318;
inline constexpr int TablePartNo3 = 319;
inline constexpr int TableFreeSpeed = 320;
inline constexpr int TableAirAtFreeSpeed = 321;
inline constexpr int TableMaxPower = 322;
inline constexpr int TableTorqueAtMaxPower = 323;
inline constexpr int TableAirAtMaxPower = 324;
inline constexpr int TableSpeedAtMaxPower = 325;
inline constexpr int TableStallTorque = 326;
inline constexpr int TableMinStartTorque = 327;
inline constexpr int TableRelativePrice = 328;
inline constexpr int TableDrawing = 329;
// Column headings of the exported result table.
inline constexpr int ColumnRow = 330;
inline constexpr int ColumnDesignation = 331;
inline constexpr int ColumnMode = 332;
inline constexpr int ColumnPressure = 333;
inline constexpr int ColumnTorqueAtSpeed = 334;
inline constexpr int ColumnTorqueMargin = 335;
inline constexpr int ColumnSpeedAtTorque = 336;
inline constexpr int ColumnPower = 337;
inline constexpr int ColumnAir = 338;
inline constexpr int ColumnAirM3h = 339;
inline constexpr int ColumnStartMargin = 340;
inline constexpr int ColumnFreeSpeedMargin = 341;
inline constexpr int ColumnAirCost = 342;
// The mounting-position window: its title and what each picture shows (the sixth is 223).
inline constexpr int MountingHorizontalFoot = 343;
inline constexpr int MountingHorizontalWall = 344;
inline constexpr int MountingVerticalDown = 345;
inline constexpr int MountingVerticalUp = 346;
inline constexpr int MountingHorizontalCeiling = 347;
inline constexpr int MountingPositionTitle = 348;
// The help window's title.
inline constexpr int HelpWindowTitle = 349;
// A help page the chosen language lacks, shown in English; a calculator input that must be above 0.
inline constexpr int HelpPageInEnglish = 350;
inline constexpr int CalculatorInputNotPositive = 351;
// The comparison sheet's table: the heading above the figure names and the note under them.
inline constexpr int ComparisonRowHeading = 352;
inline constexpr int ComparisonBestNote = 353;
// The air cost's currency: its caption in the preferences and the rule a typed one breaks.
inline constexpr int Currency = 354;
inline constexpr int CurrencyRule = 355;
// The About box: its title, the version's caption and what the program does.
inline constexpr int AboutTitle = 356;
inline constexpr int AboutVersion = 357;
inline constexpr int AboutPurpose = 358;
// What a printout did: where its files are, or why nothing (or not all) was printed.
inline constexpr int PrintoutWrittenToFile = 359;
inline constexpr int PrintoutWrittenToFiles = 360;
inline constexpr int NoPrinterSetUp = 361;
inline constexpr int PrintJobNotStarted = 362;
inline constexpr int PrinterReportedError = 363;
inline constexpr int NothingPrinted = 364;
// The page: its language switch, result table, pictures, modes and messages.
inline constexpr int WebLanguage = 365;
inline constexpr int WebResults = 366;
inline constexpr int WebDiagram = 367;
inline constexpr int WebDrawing = 368;
inline constexpr int WebDataSheet = 369;
inline constexpr int WebModeDirect = 370;
inline constexpr int WebModeThrottled = 371;
inline constexpr int WebModeReduced = 372;
inline constexpr int WebCalculate = 373;
inline constexpr int WebNoMotor = 374;
inline constexpr int WebCompareHint = 375;
inline constexpr int WebShareLink = 376;
inline constexpr int WebUnreachable = 377;
// A file that cannot be read or written: what is wrong (the file as %1), what kind of thing the
// path is instead of a file (in the order of core::FileKind) and what was left on disk.
inline constexpr int FileNotRegular = 378;
inline constexpr int FileNotFolder = 379;
inline constexpr int FileTooLarge = 380;
inline constexpr int FileCannotBeRead = 381;
inline constexpr int FileCannotBeWritten = 382;
inline constexpr int FileFolderMissing = 383;
inline constexpr int FileEveryNameTaken = 384;
inline constexpr int FileLinkTargetNotCreated = 385;
inline constexpr int FileMissing = 386;
inline constexpr int FolderCannotBeRead = 387;
inline constexpr int FileFolderNotWritable = 388;
inline constexpr int FileFolderNotCreated = 389;
inline constexpr int FileContentUnusable = 390;
inline constexpr int FileNothingWritten = 391;
inline constexpr int FileUnchanged = 392;
inline constexpr int FileLeftAsItIs = 393;
inline constexpr int FileKindRegular = 394; // ..400, one a kind
// The preferences file: a change that is not saved, a file that is not read.
inline constexpr int PreferencesNotSaved = 401;
inline constexpr int PreferencesNotRead = 402;
// Why a task could not be done, as the windows say it (in the order of core::TaskProblem).
inline constexpr int DrawingNone = 403; // ..417, one a problem
// The production comparison's title and the title of its workbook dialog.
inline constexpr int ProductionTitle = 418;
inline constexpr int ProductionSheetTitle = 419;
// The catalogue's location (Options → Catalogue…), its change notices and its offline copy.
inline constexpr int CatalogueMenu = 420;
inline constexpr int CatalogueTitle = 421;
inline constexpr int CatalogueIntro = 422;
inline constexpr int CatalogueLocationCaption = 423;
inline constexpr int CataloguePasswordRefused = 424;
inline constexpr int CatalogueLocationInvalid = 425;
inline constexpr int CatalogueNotLoaded = 426;
inline constexpr int CatalogueChosen = 427;
inline constexpr int CatalogueMotorChanged = 428;
inline constexpr int CatalogueReplaced = 429;
inline constexpr int CatalogueChanged = 430;
inline constexpr int CatalogueReread = 431;
inline constexpr int CatalogueRereadFailed = 432;
inline constexpr int CatalogueOffline = 433;
inline constexpr int CatalogueReadOnly = 434;
inline constexpr int CatalogueConflict = 435;
inline constexpr int CatalogueEnvironmentWins = 436;
// The web page's group captions of its rotation and lubrication choices.
inline constexpr int WebRotation = 437;
inline constexpr int WebLubrication = 438;
// The status bar's lasting sign of the offline copy, beside the one message at start.
inline constexpr int CatalogueOfflineBadge = 439;
// The editor's save refused by the catalogue: the lead sentence before the database's reason.
inline constexpr int MotorNotSaved = 440;
// The production batch's summary: its counts, then how it ended and where the sheet rows went.
inline constexpr int ProductionBatchCounts = 441;
inline constexpr int ProductionBatchCancelled = 442;
inline constexpr int ProductionBatchStopped = 443;
inline constexpr int ProductionBatchSheetRows = 444;
inline constexpr int ProductionBatchNoSheet = 445;
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
