// What the main-window tests share: the editor's forms on a scratch folder, the
// scripted services, a fixed date, File > New / File > Open driven through the menu, and
// the answers to the editor's own prompts (file name, modifier label, modifier dialog).
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "configeditor/UForms.h"
#include "configeditor/mainwindow/UCategoryTree.h"
#include "configeditor/mainwindow/UMainForm.h"
#include "platform/Files.h"
#include "platform/Locale.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "tests/support/FakeServices.h"
#include "tests/support/IniText.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/Widgets.h"

namespace quennet_testing {

using platform::MessageAnswer;
using platform::MessageKind;
using testing_support::Lines;

// The scratch folder; path() gives it as a QString, for QDir and the file dialogs.
class QuennetScratchFolder : public testing_support::ScratchFolder {
 public:
  QString path() const { return platform::ToQt(Path()); }
};

class QuennetTest : public testing::Test {
 protected:
  QuennetTest() {
    platform::SetApplicationTitle("Quennet");
    platform::SetShortDateSource([] { return std::string("10.12.2026"); });
    forms = std::make_unique<quennet::TForms>();
    form = forms->MainForm.get();
  }
  ~QuennetTest() override {
    forms.reset();
    platform::SetShortDateSource({});
  }

  // Shows the main window and waits until it is on screen, as focus, visibility and
  // mouse tests need; false when it never appears.
  [[nodiscard]] bool ShowWindow() {
    form->show();
    return QTest::qWaitForWindowExposed(form);
  }

  std::string PathOf(const std::string& name) const {
    return folder.path().toStdString() + "/" + name;
  }
  void WriteFile(const std::string& name, const std::string& text) {
    platform::ReplaceFile(PathOf(name), text);
  }
  std::string ReadFile(const std::string& name) const {
    return platform::ReadWholeFile(PathOf(name));
  }

  // File > New on `name` in the scratch folder.
  void NewFile(const std::string& name = "changes.ini") {
    services.fileDialogs.Expect({PathOf(name)});
    form->mnuNew->trigger();
  }
  // File > Open on a file holding `text`.
  void OpenFile(const std::string& text, const std::string& name = "changes.ini") {
    WriteFile(name, text);
    services.fileDialogs.Expect({PathOf(name)});
    form->mnuOpen->trigger();
  }

  std::string CurrentNodeText() const {
    QTreeWidgetItem* node = form->tree->currentItem();
    return node ? platform::FromQt(node->text(0)) : "<none>";
  }
  static std::vector<std::string> ChildTexts(QTreeWidgetItem* node) {
    std::vector<std::string> texts;
    for (int i = 0; i < node->childCount(); ++i)
      texts.push_back(platform::FromQt(node->child(i)->text(0)));
    return texts;
  }
  void Select(QTreeWidgetItem* node) { form->tree->setCurrentItem(node); }
  // Selects the child of `category` named `text` (a listed file's node).
  void SelectChild(QTreeWidgetItem* category, const std::string& text) {
    for (int i = 0; i < category->childCount(); ++i) {
      if (platform::FromQt(category->child(i)->text(0)) == text) return Select(category->child(i));
    }
    ADD_FAILURE() << "no node " << text;
  }

  // The file-name prompt answers with `typed` (OK) or is cancelled.
  void ExpectFileName(const std::string& typed, bool ok = true) {
    services.modals.Expect("TFormFilename", [typed, ok](QDialog& dialog) {
      auto* edit = testing_support::Find<QLineEdit>(&dialog, "edFilename");
      EXPECT_EQ("", edit->text().toStdString()) << "the prompt starts empty";
      QTest::keyClicks(edit, QString::fromStdString(typed));
      testing_support::Find<QPushButton>(&dialog, ok ? "btnOK" : "btnCancel")->click();
    });
  }
  // The label prompt answers with `typed` (Save) or is cancelled.
  void ExpectLabel(const std::string& typed, bool ok = true,
                   const std::string& title = "Add new 2DA Modifier") {
    services.modals.Expect("TNewLabelForm", [typed, ok, title](QDialog& dialog) {
      auto* edit = testing_support::Find<QLineEdit>(&dialog, "edModLabel");
      EXPECT_EQ("", edit->text().toStdString()) << "the opener empties the box";
      EXPECT_EQ(title, testing_support::Find<QLabel>(&dialog, "lblTitle")->text().toStdString());
      QTest::keyClicks(edit, QString::fromStdString(typed));
      testing_support::Find<QPushButton>(&dialog, ok ? "btnSave" : "btnCancel")->click();
    });
  }
  // A dialog named `name` that is closed at once (accepted); `check` sees it and the
  // file while it is open.
  void ExpectDialog(const std::string& name, std::function<void(QDialog&)> check = {}) {
    services.modals.Expect(name, [check](QDialog& dialog) {
      if (check) check(dialog);
      dialog.accept();
    });
  }

  QuennetScratchFolder folder;
  testing_support::ScopedFakeServices services;
  std::unique_ptr<quennet::TForms> forms;
  quennet::TMainForm* form;
};

// The main window on screen from the start: what the tests of the panes start from.
class QuennetWindowTest : public QuennetTest {
 protected:
  QuennetWindowTest() { EXPECT_TRUE(ShowWindow()); }
};

}  // namespace quennet_testing
