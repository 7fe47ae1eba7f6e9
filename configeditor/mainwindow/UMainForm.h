// The main window of the configuration editor: the category tree on the left, one
// pane per changes.ini section on the right, menus and status bar. The open
// changes.ini is never held in memory: every pane reads and writes it through
// ChangesIni, so each write reaches the file at once. The class is split over
// several sources by topic (UMainForm_Settings.cpp, UMainForm_2da.cpp, ...).
#pragma once

#include <QMainWindow>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "configeditor/rules/U2daModifierKeys.h"
#include "configeditor/rules/UFileCategories.h"
#include "formats/UKV_IniFile.h"
#include "platform/ui/Services.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QToolButton;
class QTreeWidgetItem;

namespace platform {
class StringGrid;
}

namespace quennet {

struct TForms;
struct TInstallEntry;
class TCategoryTree;
class TDropDownCombo;

class TMainForm : public QMainWindow {
 public:
  // Builds the window; Start() completes it once every other form exists.
  explicit TMainForm(TForms& forms);
  ~TMainForm() override;

  // The second phase of the start: binds the tree's nodes and resets the view, which
  // also touches other forms.
  void Start();

  // The message routines: standard boxes centred on the screen.
  void ShowInfo(const std::string& text);
  void ShowWarning(const std::string& text);
  // Only Yes proceeds; No or closing the box cancels.
  platform::MessageAnswer AskYesNo(const std::string& text);

  // True while the tree's pop-up menu is attached (set by a right press on the tree).
  bool TreeMenuAttached() const { return FTreeMenuAttached; }

  // --- Components, named as the form names them.
  TCategoryTree* tree = nullptr;
  QLabel* lblBackground = nullptr;
  QStatusBar* bar = nullptr;

  QMenu* File1 = nullptr;
  QAction* mnuNew = nullptr;
  QAction* mnuOpen = nullptr;
  QMenu* mnuSetupLists = nullptr;
  QAction* SetupsNew = nullptr;
  QAction* SetupsOpen = nullptr;
  QAction* mnuQuit = nullptr;
  QMenu* Actions1 = nullptr;
  QAction* mnuAdd2da = nullptr;
  QAction* mnuAddGff = nullptr;
  QAction* AddSSFFile2 = nullptr;

  QMenu* TreeMenu = nullptr;
  QAction* Add2dafile1 = nullptr;
  QAction* AddGFFFile1 = nullptr;
  QAction* AddSSFFile1 = nullptr;
  QAction* Delete2dafile1 = nullptr;
  QAction* DeleteGFFfile1 = nullptr;
  QAction* DeleteSSFFile1 = nullptr;

  QWidget* paneSettings = nullptr;
  QWidget* paneTLK = nullptr;
  QWidget* pane2da = nullptr;
  QWidget* paneGFF = nullptr;
  QWidget* paneInstall = nullptr;
  QWidget* paneScript = nullptr;
  QWidget* paneSSF = nullptr;

  // paneSettings
  QLineEdit* edSetCaption = nullptr;
  QLineEdit* edSetConfirm = nullptr;
  QComboBox* bxSetLog = nullptr;
  QComboBox* cbMode = nullptr;
  QComboBox* cbBackups = nullptr;
  QComboBox* cbLogstyle = nullptr;
  QLineEdit* edSetReqFile = nullptr;
  QLineEdit* edSetReqMsg = nullptr;
  QComboBox* cbLookup = nullptr;
  QComboBox* cbGameVer = nullptr;
  QCheckBox* cbDebugScripts = nullptr;
  QPushButton* btnSetSave = nullptr;
  QPushButton* btnSetReset = nullptr;

  // pane2da
  QLabel* lbl2daHeading = nullptr;
  QLabel* lbl2daLabel1 = nullptr;
  platform::StringGrid* grid2daMod = nullptr;
  QPushButton* btn2daAddRow = nullptr;
  QPushButton* btn2daModify = nullptr;
  QPushButton* btn2daCopy = nullptr;
  QPushButton* btn2daNewCol = nullptr;
  QToolButton* btnCopy2daMod = nullptr;
  QToolButton* btn2daCompare = nullptr;
  QToolButton* btn2daDelete = nullptr;

  // paneGFF
  QLabel* lblGffHeading = nullptr;
  platform::StringGrid* gridGffMod = nullptr;
  QToolButton* btnNewField = nullptr;
  QToolButton* btnInfo = nullptr;
  QToolButton* btnCompareGff = nullptr;
  QToolButton* btnMoveGffModUp = nullptr;
  QToolButton* btnMoveGffModDown = nullptr;
  QToolButton* btnGffDelete = nullptr;
  QToolButton* btnEditField = nullptr;
  QToolButton* btnStoreField = nullptr;
  QComboBox* edGffField = nullptr;
  QToolButton* btnGffLoadFields = nullptr;
  TDropDownCombo* cbGffValue = nullptr;
  QCheckBox* cbReplaceGff = nullptr;
  QLineEdit* edGffDest = nullptr;
  QToolButton* btnGetGffDest = nullptr;
  QPushButton* btnGffDestSet = nullptr;

  // paneSSF
  QLabel* lblSSFHeading = nullptr;
  platform::StringGrid* gridSSF = nullptr;
  QToolButton* btnDelSSF = nullptr;
  QToolButton* btnEditSSF = nullptr;
  QToolButton* btnAddSSF = nullptr;
  QComboBox* cbSSFEntry = nullptr;
  TDropDownCombo* cbSSFValue = nullptr;
  QCheckBox* chSSFReplace = nullptr;

  // paneTLK
  platform::StringGrid* gridTokens = nullptr;
  platform::StringGrid* gridTlk = nullptr;
  QPlainTextEdit* txtEntry = nullptr;
  QToolButton* btnOpenTlk = nullptr;
  QToolButton* btnAddStrRef = nullptr;
  QToolButton* btnDelToken = nullptr;

  // paneInstall
  platform::StringGrid* gridInstall = nullptr;
  QLineEdit* edFolderName = nullptr;
  QLineEdit* edFileName = nullptr;
  QToolButton* btnGetFileName = nullptr;
  QCheckBox* cbFileReplace = nullptr;
  QToolButton* btnAddInstall = nullptr;
  QToolButton* btnEditInstall = nullptr;
  QToolButton* btnMassAdd = nullptr;
  QToolButton* btnInstallDelete = nullptr;
  QToolButton* BtnInstallInfo = nullptr;

  // paneScript
  platform::StringGrid* gridScript = nullptr;
  QToolButton* btnDelScript = nullptr;
  QToolButton* btnScriptInfo = nullptr;
  QToolButton* btnEditScript = nullptr;
  QToolButton* btnAddScript = nullptr;
  QLineEdit* edScriptName = nullptr;
  QToolButton* btnGetScriptName = nullptr;
  QLineEdit* edScriptDest = nullptr;
  QToolButton* btnGetDestName = nullptr;
  QCheckBox* cbScriptReplace = nullptr;

  // The request templates of the open and save dialogs; each command sets what it
  // needs before passing one to platform::RunFileDialog.
  platform::FileDialogRequest OpenBox;
  platform::FileDialogRequest SaveBox;

  // --- The fixed nodes, bound by FormShow (positions 0 to 7).
  QTreeWidgetItem* nodeRoot = nullptr;
  QTreeWidgetItem* nodeSettings = nullptr;
  QTreeWidgetItem* nodeTlk = nullptr;
  QTreeWidgetItem* node2da = nullptr;
  QTreeWidgetItem* nodeGff = nullptr;
  QTreeWidgetItem* nodeScript = nullptr;
  QTreeWidgetItem* nodeSsf = nullptr;
  QTreeWidgetItem* nodeInstall = nullptr;

  // --- The document.
  std::unique_ptr<TKV_Inifile> ChangesIni;
  int32_t TokenCounter = 0;
  bool FileOpen = false;
  // The GFF file whose field paths fill the GFF pane's path box.
  std::string FieldPathSource;
  std::string CurrentSection = "Changes";

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // One file category's widgets, bound to its entry of kFileCategories.
  struct TFileCategoryWidgets {
    const TFileCategory* category = nullptr;
    QTreeWidgetItem* node = nullptr;
    QAction* menuItem = nullptr;
    QAction* addItem = nullptr;
    QAction* deleteItem = nullptr;
    QWidget* pane = nullptr;
    // Shows and loads the pane for one file.
    void (TMainForm::*show)(const std::string& fileName) = nullptr;
  };

  TForms& FForms;
  bool FTreeMenuAttached = false;
  std::array<TFileCategoryWidgets, 3> FFileCategories;

  void FitContents();
  void CreateMenus();
  void CreateTreeMenu();
  void CreateTree();
  QWidget* CreatePanes();
  void ConnectHandlers();
  QTreeWidgetItem* AddFixedNode(QTreeWidgetItem* parent, const char* text, int position);
  void SetModifiersEnabled(bool enabled);
  void EnterOpenState(const std::string& path);
  void BindFileCategories();
  TFileCategoryWidgets& WidgetsOf(TFileKind kind);
  void AddFileNodes(const TFileCategoryWidgets& category);
  void HideAllPanes();
  void ShowBackground(const char* text, bool visible);
  void ShowCategoryHint(const TFileCategoryWidgets& category);
  // Shows the pane of the selected node when it is a file category or one of its
  // files; false for any other node.
  bool ShowFileCategory(QTreeWidgetItem* node);
  void TreeContextMenu(const QPoint& position);

  // Start-up, document and tree (UMainForm.cpp).
  void FormShow();
  void treeMouseDown(QMouseEvent& event);
  void treeChange();
  void mnuNewClick();
  void mnuOpenClick();
  void mnuQuitClick();
  void ResetView();

  // The file lists (UMainForm_Files.cpp): one add and one remove command for the
  // three categories.
  void AddListedFileClick(TFileKind kind);
  void RemoveListedFileClick(TFileKind kind);

  // Settings pane (UMainForm_Settings.cpp).
  QWidget* CreateSettingsPane();
  void ResetSettingsPane();
  void LoadSettings();
  void btnSetResetClick();
  void btnSetSaveClick();
  void cbLookupChange();

  // 2DA files and modifiers (UMainForm_2da.cpp).
  QWidget* Create2daPane();
  void Reset2daPane();
  void Add2dafile1Click();
  void Delete2dafile1Click();
  // The 2DA file node's pane: heading and modifier list.
  void Show2daFile(const std::string& fileName);
  void Load2daModifiers(const std::string& fileName);
  void btn2daAddRowClick();
  void btn2daModifyClick();
  void btn2daCopyClick();
  void btn2daNewColClick();
  void grid2daModDblClick();
  void btn2daDeleteClick();
  void btnCopy2daModClick();
  void btn2daCompareClick();
  // The path picked in OpenBox for the compare, or none when cancelled.
  std::optional<std::string> Ask2daComparePath(const char* title);
  void Connect2daPane();
  void Add2daModifier(T2daModifierKind kind);
  // The label typed into the label prompt, or none when it is cancelled.
  std::optional<std::string> Ask2daModifierLabel(const char* title, const char* caption);
  // Warns and answers false when `label` cannot name a new modifier.
  bool Accept2daModifierLabel(const std::string& label);
  // The dialog contract: caption, fields, load, modal show; the list is re-read
  // afterwards (also when the dialog fails) and the row of `keyToSelect`, or else the
  // row at `rowToSelect`, selected.
  void Open2daModifierDialog(T2daModifierKind kind, const std::string& label, bool isNew,
                             const std::string& keyToSelect, int rowToSelect);
  void Select2daModifier(const std::string& key);

  // Talk-table tokens (UMainForm_Tlk.cpp).
  QWidget* CreateTlkPane();
  void ResetTlkPane();
  // File > Open: fills the token grid from "[TLKList]".
  void FillTokenGrid();
  void LoadTlkTokens();
  void ConnectTlkPane();
  void btnOpenTlkClick();
  void gridTlkClick();
  // Also the append.tlk list's double click and Ctrl+Shift+Left.
  void btnAddStrRefClick();
  void btnDelTokenClick();
  void gridTokensDblClick();

  // GFF files and field changes (UMainForm_Gff.cpp).
  QWidget* CreateGffPane();
  QWidget* CreateGffInputs(QWidget* pane);
  void ConnectGffPane();
  void ResetGffPane();
  // The file commands of the category (UMainForm_Files.cpp).
  void AddGFFFile1Click();
  void DeleteGFFfile1Click();
  void LoadGffModifiers(const std::string& fileName);
  // Rebuilds the field-change list from the file, leaving the boxes alone.
  void FillGffGrid();
  void SelectGffRow(const std::string& key);
  // Decided after the new-field editor returns: its writes show in the list at once, so
  // that a later move cannot re-create what it deleted.
  void AfterNewFieldEditor();
  void btnStoreFieldClick();
  void btnEditFieldClick();
  void btnGffDeleteClick();
  void btnNewFieldClick();
  void btnInfoClick();
  void cbReplaceGffClick(bool checked);
  void btnGetGffDestClick();
  void btnGffDestSetClick();
  void btnGffLoadFieldsClick();
  void MoveSelectedGffRow(bool up);
  void cbGffValueDropDown();

  // GFF compare (UMainForm_GffCompare.cpp).
  void btnCompareGffClick();
  // The path picked in the compare's open dialog; none on Cancel or a missing file.
  std::optional<std::string> AskGffComparePath(const char* title);

  // Install list (UMainForm_Install.cpp).
  QWidget* CreateInstallPane();
  void ResetInstallPane();
  void LoadInstallList();
  void ConnectInstallPane();
  // Also Ctrl+Shift+Up in the folder and file boxes.
  void btnAddInstallClick();
  // Also the list's double click and Ctrl+Shift+Down.
  void btnEditInstallClick();
  void btnInstallDeleteClick();
  void btnGetFileNameClick();
  void btnMassAddClick();
  void BtnInstallInfoClick();
  TInstallEntry SelectedInstallEntry() const;
  // Selects the first row showing `entry`.
  void SelectInstallEntry(const TInstallEntry& entry);

  // Compile list (UMainForm_Script.cpp).
  QWidget* CreateScriptPane();
  void LoadCompileList();
  void ConnectScriptPane();
  // Also Ctrl+Shift+Up in the name and destination boxes.
  void btnAddScriptClick();
  // Also the list's double click and Ctrl+Shift+Down.
  void btnEditScriptClick();
  void btnDelScriptClick();
  void btnGetScriptNameClick();
  void btnGetDestNameClick();
  void btnScriptInfoClick();
  // The bare name of a file picked in the open dialog; none on cancel.
  std::optional<std::string> PickFileName(const char* filter, const char* extension,
                                          const char* title);

  // Soundset files (UMainForm_Ssf.cpp).
  QWidget* CreateSsfPane();
  QWidget* CreateSsfInputs(QWidget* pane);
  void ConnectSsfPane();
  // The file commands of the category (UMainForm_Files.cpp).
  void AddSSFFile1Click();
  void DeleteSSFFile1Click();
  void ShowSsfFile(const std::string& fileName);
  void LoadSsfGrid();
  void btnAddSSFClick();
  void btnEditSSFClick();
  void btnDelSSFClick();
  void chSSFReplaceClick();
  void cbSSFValueDropDown();

  // Setup lists (UMainForm_Setups.cpp).
  void SetupsNewClick();
  void SetupsOpenClick();
  void RunSetupListEditor(const std::string& path);
};

}  // namespace quennet
