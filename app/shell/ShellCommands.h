#pragma once
// The command ids of the program window's menus, toolbar and shortcuts.

namespace ShellCommand {
constexpr int FileNew = 57600;
constexpr int FileOpen = 57601;
constexpr int FileClose = 57602;
constexpr int FileSave = 57603;
constexpr int FileSaveAs = 57604;
constexpr int FilePageSetup = 57605;
constexpr int FilePrintSetup = 57606;
constexpr int FilePrint = 57607;
constexpr int FilePrintPreview = 57609;
constexpr int AppExit = 57665;
constexpr int AppAbout = 57664;
constexpr int EditUndo = 57643;
constexpr int EditRedo = 57644;
constexpr int EditCut = 57635;
constexpr int EditCopy = 57634;
constexpr int EditPaste = 57637;
constexpr int InsertNewPart = 32779;
constexpr int DeleteSelection = 32776;
constexpr int GroupEdit = 32849;
constexpr int MoveUp = 32812;
constexpr int MoveDown = 32813;
constexpr int RenumberParts = 32780;
constexpr int SortByCrossSection = 32794;
constexpr int ProjectSettings = 32808;
constexpr int Preferences = 32807;
constexpr int LockProject = 32826;
constexpr int Vendors = 32787;
constexpr int UsersManual = 32828;
constexpr int HelpContents = 32793;
constexpr int Gridlines = 32795;
constexpr int AbbreviatedHeaders = 283;
constexpr int PinDiagram = 32924;
constexpr int PageSetup = 32784;
constexpr int AddEditNote = 32006;
constexpr int DeleteNote = 32007;
constexpr int JumpToNextDiagram = 32964;
constexpr int AddNewMaterial = 32833;
constexpr int EditMaterialName = 32816;
constexpr int DeleteMaterial = 32815;
constexpr int DeleteSizeCost = 32820;
constexpr int BackupMaterials = 262;
constexpr int RestoreMaterials = 263;
constexpr int PinAllDiagrams = 32926;
constexpr int UnpinAllDiagrams = 32927;
constexpr int RemoveEmptyDiagram = 32935;
constexpr int SnapToKerf = 32934;
constexpr int ReoptimizeUnplaced = 32946;
constexpr int FitToScreen = 32851;
constexpr int FitToContents = 32943;
constexpr int NoAutoSizing = 32945;
constexpr int LargeScreen = 32003;
constexpr int ExportForMobile = 32972;
constexpr int QuickStart = 32889;
} // namespace ShellCommand
