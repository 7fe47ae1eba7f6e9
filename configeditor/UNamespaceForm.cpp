#include "configeditor/UNamespaceForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include "configeditor/UIcons.h"
#include "configeditor/UModLabelForm.h"
#include "configeditor/UPaneParts.h"
#include "configeditor/rules/UKeyNumbering.h"
#include "configeditor/rules/USetupList.h"
#include "platform/Files.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/TypedText.h"

namespace quennet {

namespace {

constexpr char kCaption[] = "Setup List/Namespace Editor";
constexpr char kLabelTakenWarning[] =
    "This label is already used by another Setup! Please pick another.";

// The description box: Enter does not insert a line (the installer shows a short
// text), Ctrl+Enter does; pasted text keeps its line breaks.
class DescriptionKeys : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (key.key() != Qt::Key_Return && key.key() != Qt::Key_Enter) return false;
    if (key.modifiers() & Qt::ControlModifier) {
      static_cast<QPlainTextEdit*>(watched)->insertPlainText(QStringLiteral("\n"));
    }
    return true;
  }
};

// A click on an empty part of the list takes the selection away.
class EmptyClickDeselects : public QObject {
 public:
  explicit EmptyClickDeselects(QListWidget* list) : QObject(list), FList(list) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress &&
        !FList->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint()).isValid()) {
      FList->clearSelection();
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QListWidget* FList;
};

// The memo shows line breaks as line feeds; the file keeps them as CR LF.
std::string StoredLineBreaks(const std::string& shown) {
  std::string stored;
  for (char c : shown) {
    if (c == '\n') stored += '\r';
    stored += c;
  }
  return stored;
}

std::string ShownLineBreaks(const std::string& stored) {
  std::string shown;
  for (size_t i = 0; i < stored.size(); ++i) {
    if (stored[i] == '\r' && i + 1 < stored.size() && stored[i + 1] == '\n') continue;
    shown += stored[i] == '\r' ? '\n' : stored[i];
  }
  return shown;
}

std::string TextOf(const QLineEdit* edit) { return platform::FromQt(edit->text()); }

QLabel* NewFieldLabel(QWidget* parent, const char* name, const char* text, const char* hint) {
  return platform::Hinted(platform::MakeLabel(parent, name, text), hint);
}

}  // namespace

TNamespaceForm::TNamespaceForm(TNewLabelForm& labelPrompt, QWidget* parent)
    : QDialog(parent), FLabelPrompt(labelPrompt) {
  setObjectName(QStringLiteral("TNamespaceForm"));
  setWindowTitle(QString::fromLatin1(kCaption));
  lblbList = new QLabel(QStringLiteral("Setup groups:"), this);
  lblbList->setObjectName(QStringLiteral("lblbList"));
  listNS = new QListWidget(this);
  listNS->setObjectName(QStringLiteral("listNS"));
  listNS->setViewMode(QListView::ListMode);
  listNS->setSelectionMode(QAbstractItemView::SingleSelection);
  listNS->setEditTriggers(QAbstractItemView::NoEditTriggers);
  platform::SetHint(listNS, "Select a setup to edit in this list.");
  listNS->viewport()->installEventFilter(new EmptyClickDeselects(listNS));
  btnAdd = NewImageButton(this, "btnAdd", TButtonImage::Add, "Add a new Setup.");
  btnDelete = NewImageButton(this, "btnDelete", TButtonImage::Delete, "Delete the selected Setup");
  CreateEditPane();

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(lblbList);
  buttons->addStretch(1);
  buttons->addWidget(btnAdd);
  buttons->addWidget(btnDelete);
  auto* list = new QVBoxLayout;
  list->addLayout(buttons);
  list->addWidget(listNS, 1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(list, 2);
  layout->addWidget(paneEdit, 3);
  resize(sizeHint().expandedTo(QSize(594, 299)));
  ConnectHandlers();
}

TNamespaceForm::~TNamespaceForm() = default;

void TNamespaceForm::CreateEditPane() {
  paneEdit = new QWidget(this);
  paneEdit->setObjectName(QStringLiteral("paneEdit"));
  const char* iniHint = "Name of the INI file containing patcher instructions for this Setup.";
  const char* infoHint =
      "Name of the RTF file containing main window instruction text for this setup.";
  const char* dataHint =
      "Name of a folder within the \"orvandeldata\" folder where the data files for this Setup "
      "are located. Leave blank to use orvandeldata.";
  const char* nameHint =
      "Name of this setup, displayed in the selection menu when Orvandel starts.";
  const char* descriptionHint =
      "Short descriptive text of this Setup, shown when the user selects this Setup in the "
      "dropdown menu in Orvandel.";
  lblIniName = NewFieldLabel(paneEdit, "lblIniName", "Config file name:", iniHint);
  edIniName = platform::Hinted(platform::Named(new QLineEdit(paneEdit), "edIniName"), iniHint);
  btnSelINI = NewImageButton(paneEdit, "btnSelINI", TButtonImage::Open, iniHint);
  lblInfoName = NewFieldLabel(paneEdit, "lblInfoName", "Info file name:", infoHint);
  edInfoName = platform::Hinted(platform::Named(new QLineEdit(paneEdit), "edInfoName"), infoHint);
  btnSelInfo = NewImageButton(paneEdit, "btnSelInfo", TButtonImage::Open, infoHint);
  lblDataPath = NewFieldLabel(paneEdit, "lblDataPath", "Data sub-folder:", dataHint);
  edDataPath = platform::Hinted(platform::Named(new QLineEdit(paneEdit), "edDataPath"), dataHint);
  lblName = NewFieldLabel(paneEdit, "lblName", "Setup name:", nameHint);
  edName = platform::Hinted(platform::Named(new QLineEdit(paneEdit), "edName"), nameHint);
  lblDescription = NewFieldLabel(paneEdit, "lblDescription", "Setup Description:", descriptionHint);
  edDescription = new QPlainTextEdit(paneEdit);
  edDescription->setObjectName(QStringLiteral("edDescription"));
  platform::SetHint(edDescription, descriptionHint);
  edDescription->setTabChangesFocus(true);
  edDescription->installEventFilter(new DescriptionKeys(edDescription));
  btnSave = new QPushButton(QStringLiteral("<< &Save changes"), paneEdit);
  btnSave->setObjectName(QStringLiteral("btnSave"));
  btnSave->setAutoDefault(false);
  platform::SetHint(btnSave, "Save the data entered or modified for this Setup.");

  auto* grid = new QGridLayout(paneEdit);
  grid->addWidget(lblIniName, 0, 0);
  grid->addWidget(edIniName, 0, 1);
  grid->addWidget(btnSelINI, 0, 2);
  grid->addWidget(lblInfoName, 1, 0);
  grid->addWidget(edInfoName, 1, 1);
  grid->addWidget(btnSelInfo, 1, 2);
  grid->addWidget(lblDataPath, 2, 0);
  grid->addWidget(edDataPath, 2, 1, 1, 2);
  grid->addWidget(lblName, 3, 0);
  grid->addWidget(edName, 3, 1, 1, 2);
  grid->addWidget(lblDescription, 4, 0, Qt::AlignTop);
  grid->addWidget(edDescription, 4, 1, 1, 2);
  grid->addWidget(btnSave, 5, 1, 1, 2, Qt::AlignRight);
  grid->setRowStretch(4, 1);
  setTabOrder(edIniName, edInfoName);
  setTabOrder(edInfoName, edDataPath);
  setTabOrder(edDataPath, edName);
  setTabOrder(edName, edDescription);
}

void TNamespaceForm::ConnectHandlers() {
  platform::Connect(listNS, &QListWidget::itemSelectionChanged, this,
                    [this] { listNSSelectItem(); });
  platform::Connect(btnAdd, &QToolButton::clicked, this, [this] { btnAddClick(); });
  platform::Connect(btnDelete, &QToolButton::clicked, this, [this] { btnDeleteClick(); });
  platform::Connect(btnSave, &QPushButton::clicked, this, [this] { btnSaveClick(); });
  platform::Connect(btnSelINI, &QToolButton::clicked, this, [this] { btnSelINIClick(); });
  platform::Connect(btnSelInfo, &QToolButton::clicked, this, [this] { btnSelInfoClick(); });
}

void TNamespaceForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  platform::RunGuarded([this] { FormShow(); });
}

void TNamespaceForm::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  FormHide();
}

void TNamespaceForm::FormShow() {
  if (FSetupFileName.empty()) return;
  FSetupIni = std::make_unique<TKV_Inifile>(FSetupFileName);
  ClearEditFields();
  FillSetupList();
  ShowNoSetup();
}

void TNamespaceForm::FormHide() { FSetupIni.reset(); }

void TNamespaceForm::ShowWarning(const std::string& text) {
  platform::ShowMessage(this, {platform::MessageKind::Warning, "Warning", text, {}});
}

platform::MessageAnswer TNamespaceForm::AskYesNo(const std::string& text) {
  return platform::ShowMessage(this, {platform::MessageKind::Confirmation, "Confirm", text, {}});
}

void TNamespaceForm::FillSetupList() {
  TIniReadScope reading(*FSetupIni);
  const QSignalBlocker quiet(listNS);
  listNS->clear();
  for (const std::string& label : ReadSetupLabels(*FSetupIni)) AddListItem(label);
}

QListWidgetItem* TNamespaceForm::AddListItem(const std::string& label) {
  auto* item = new QListWidgetItem(FileNodeIcon(), platform::ToQt(label), listNS);
  return item;
}

// The browse buttons go with the fields: without a setup they have nothing to fill.
void TNamespaceForm::SetEditEnabled(bool enabled) {
  for (QWidget* widget : std::initializer_list<QWidget*>{
           lblIniName, edIniName, lblInfoName, edInfoName, lblDataPath, edDataPath, lblName, edName,
           lblDescription, edDescription, btnSave, btnSelINI, btnSelInfo}) {
    widget->setEnabled(enabled);
  }
}

void TNamespaceForm::ClearEditFields() {
  for (QLineEdit* field : {edIniName, edInfoName, edDataPath, edName}) field->clear();
  edDescription->clear();
}

void TNamespaceForm::ShowNoSetup() {
  ClearEditFields();
  SetEditEnabled(false);
  setWindowTitle(QString::fromLatin1(kCaption));
}

std::string TNamespaceForm::SelectedLabel() const {
  const QList<QListWidgetItem*> selected = listNS->selectedItems();
  return selected.isEmpty() ? std::string() : platform::FromQt(selected.front()->text());
}

std::optional<TSetupFields> TNamespaceForm::EditedFields() {
  TSetupFields fields;
  const std::pair<const QString, std::string*> typed[] = {
      {edIniName->text(), &fields.iniName},
      {edInfoName->text(), &fields.infoName},
      {edDataPath->text(), &fields.dataPath},
      {edName->text(), &fields.name},
      {edDescription->toPlainText(), &fields.description}};
  for (const auto& [text, field] : typed) {
    std::optional<std::string> stored = platform::StorableText(this, text);
    if (!stored) return std::nullopt;
    *field = std::move(*stored);
  }
  fields.description = StoredLineBreaks(fields.description);
  return fields;
}

void TNamespaceForm::listNSSelectItem() {
  if (!isVisible() || FSetupIni == nullptr) return;
  const std::string label = SelectedLabel();
  if (label.empty()) {
    ShowNoSetup();
    return;
  }
  ClearEditFields();
  SetEditEnabled(true);
  setWindowTitle(platform::ToQt(std::string(kCaption) + " [" + label + "]"));
  const TSetupFields fields = ReadSetup(*FSetupIni, label);
  edIniName->setText(platform::ToQt(fields.iniName));
  edInfoName->setText(platform::ToQt(fields.infoName));
  edName->setText(platform::ToQt(fields.name));
  edDataPath->setText(platform::ToQt(fields.dataPath));
  edDescription->setPlainText(platform::ToQt(ShownLineBreaks(fields.description)));
}

void TNamespaceForm::btnAddClick() {
  if (FSetupIni == nullptr) return;
  std::string label;
  for (;;) {
    // The prompt shows what its last use left in it.
    if (platform::RunModal(FLabelPrompt) != QDialog::Accepted) return;
    label = FLabelPrompt.GetLabel();
    if (label.empty()) return;
    // The label names the setup's section: one no section can have is refused before
    // anything is written (a failing write would leave it listed without its section).
    if (std::optional<std::string> refusal = RefusedSectionName(label)) {
      ShowWarning(*refusal);
      continue;
    }
    if (!IsSetupLabelTaken(*FSetupIni, label)) break;
    ShowWarning(kLabelTakenWarning);
  }
  if (!AddSetup(*FSetupIni, label)) {
    ShowWarning(kLabelTakenWarning);  // taken by another program since
    return;
  }
  listNS->setCurrentItem(AddListItem(label));
  edIniName->setText(QStringLiteral("changes.ini"));
  edInfoName->setText(QStringLiteral("info.rtf"));
  edIniName->setFocus();
  edIniName->selectAll();
}

void TNamespaceForm::btnDeleteClick() {
  const QList<QListWidgetItem*> selected = listNS->selectedItems();
  if (FSetupIni == nullptr || selected.isEmpty()) return;
  const std::string label = platform::FromQt(selected.front()->text());
  if (AskYesNo("Are you sure you wish to delete the Setup \"" + label + "\"?") !=
      platform::MessageAnswer::Yes) {
    return;
  }
  ShowNoSetup();
  DeleteSetup(*FSetupIni, label);
  const QSignalBlocker quiet(listNS);
  delete selected.front();
  listNS->setCurrentItem(nullptr);
  listNS->clearSelection();
}

void TNamespaceForm::btnSaveClick() {
  const std::string label = SelectedLabel();
  if (FSetupIni == nullptr || label.empty()) return;
  const std::optional<TSetupFields> fields = EditedFields();
  if (!fields) return;
  if (std::optional<std::string> problem = SetupFieldsProblem(*fields)) {
    ShowWarning(*problem);
    return;
  }
  SaveSetup(*FSetupIni, label, *fields);
  listNS->setFocus();
  {
    const QSignalBlocker quiet(listNS);
    listNS->setCurrentItem(nullptr);
    listNS->clearSelection();
  }
  ShowNoSetup();
}

void TNamespaceForm::BrowseInto(QLineEdit& field, const char* title, const char* filter,
                                const char* extension, const char* defaultName) {
  dlgOpen = {};
  dlgOpen.mode = platform::FileDialogRequest::Mode::Open;
  dlgOpen.title = title;
  dlgOpen.filter = filter;
  dlgOpen.defaultExtension = extension;
  dlgOpen.fileName = field.text().isEmpty() ? std::string(defaultName) : TextOf(&field);
  dlgOpen.initialDirectory = platform::ExtractFilePath(FSetupFileName);
  const std::vector<std::string> chosen = platform::RunFileDialog(this, dlgOpen);
  if (chosen.empty()) return;
  field.setText(platform::PathToQt(BareFileName(chosen.front())));
  field.setFocus();
  field.selectAll();
}

void TNamespaceForm::btnSelINIClick() {
  BrowseInto(*edIniName, "Select an INI installer config file to use for this setup:",
             "INI files (*.ini)|*.ini", "ini", "changes.ini");
}

void TNamespaceForm::btnSelInfoClick() {
  BrowseInto(*edInfoName, "Select an RTF file to use as main window information text:",
             "Rich Text Format files (*.rtf)|*.rtf", "rtf", "info.rtf");
}

}  // namespace quennet
