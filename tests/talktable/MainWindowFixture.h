// Sorlith's main window with its dialogs, the scripted services, a scratch folder and a
// table loaded from bytes: what the tests of the window's commands start from.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <filesystem>

#include "platform/Locale.h"
#include "platform/ui/Codec.h"
#include "talktable/UMainForm.h"
#include "tests/support/FakeServices.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/TlkBytes.h"
#include "tests/support/Widgets.h"

namespace testing_support {

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::SetDecimalSeparator('.');
    QApplication::setQuitOnLastWindowClosed(false);
    form = std::make_unique<sorlith::TMainForm>();
    form->CreateForms();
    form->show();
  }
  void TearDown() override {
    form.reset();
    platform::SetDecimalSeparator('.');
  }

  std::string PathOf(const std::string& name) const { return scratch.PathOf(name); }
  // Writes `bytes` to `name` in the scratch folder; its path.
  std::string Write(const std::string& name, const std::string& bytes) const {
    return scratch.Write(name, bytes);
  }
  // Loads a table of these entries from the file `name`; its path.
  std::string Load(const std::vector<tlk_bytes::Entry>& entries,
                   const std::string& name = "t.tlk") {
    const std::string path = Write(name, tlk_bytes::File(entries));
    form->LoadFile(path);
    return path;
  }
  void Show(const std::string& start, const std::string& stop) {
    form->edStart->setText(platform::ToQt(start));
    form->edStop->setText(platform::ToQt(stop));
    form->btnShowClick();
  }
  // Selects the grid row showing `strRef`.
  void SelectStrRef(uint32_t strRef) {
    for (int row = 1; row < form->grid->RowCount(); ++row)
      if (form->grid->Cell(0, row) == std::to_string(strRef)) form->grid->SetRow(row);
    ASSERT_EQ(std::to_string(strRef), form->grid->Cell(0, form->grid->Row()));
  }
  TTLKString& Entry(uint32_t strRef) {
    auto& list = form->TalkTable().EntryList();
    for (TTLKString* entry = list.First(); entry; entry = list.Next())
      if (entry->GetStrRef() == strRef) return *entry;
    throw std::runtime_error("no entry " + std::to_string(strRef));
  }
  // The StrRefs the grid lists, from row 1.
  std::vector<std::string> ListedStrRefs() const {
    std::vector<std::string> strRefs;
    if (form->grid->ColCount() != 3) return strRefs;
    for (int row = 1; row < form->grid->RowCount(); ++row)
      strRefs.emplace_back(form->grid->Cell(0, row));
    return strRefs;
  }
  // Everything a refused command must leave as it was.
  struct TWindowState {
    std::vector<std::vector<std::string>> cells;
    int row;
    std::string memo;
    std::string status;
    bool operator==(const TWindowState&) const = default;
  };
  TWindowState State() const {
    TWindowState state{{},
                       form->grid->Row(),
                       platform::FromQt(form->txtDisplay->toPlainText()),
                       form->StatusText()};
    for (int row = 0; row < form->grid->RowCount(); ++row) {
      state.cells.emplace_back();
      for (int col = 0; col < form->grid->ColCount(); ++col)
        state.cells.back().emplace_back(form->grid->Cell(col, row));
    }
    return state;
  }
  static std::string Text(const QLineEdit* field) { return platform::FromQt(field->text()); }

  ScratchFolder scratch;
  std::filesystem::path FFolder{scratch.Path()};
  ScopedFakeServices services;
  std::unique_ptr<sorlith::TMainForm> form;
};

}  // namespace testing_support
