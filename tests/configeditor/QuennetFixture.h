// What the main-window tests share: the editor's forms on a scratch folder, the
// scripted services, a fixed date, and File > New / File > Open driven through the
// menu.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <memory>
#include <string>
#include <vector>

#include "configeditor/UCategoryTree.h"
#include "configeditor/UForms.h"
#include "configeditor/UMainForm.h"
#include "platform/Files.h"
#include "platform/Locale.h"
#include "platform/ui/Application.h"
#include "platform/ui/Codec.h"
#include "tests/support/FakeServices.h"
#include "tests/support/Widgets.h"

namespace quennet_testing {

using platform::MessageAnswer;
using platform::MessageKind;

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

  QTemporaryDir folder;
  testing_support::ScopedFakeServices services;
  std::unique_ptr<quennet::TForms> forms;
  quennet::TMainForm* form;
};

}  // namespace quennet_testing
