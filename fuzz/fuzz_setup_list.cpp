// Fuzzes the setup-list rules on a random namespaces.ini: a run of one to eight adds,
// deletes and saves of setups. Never a crash; an add lists its label once more under a
// new number and gives its section the five keys, or writes nothing when the label is
// taken; a delete leaves the label's section gone and one listing fewer; saved fields
// read back; a second accessor sees the list the first one sees; the whole run made in
// one batch leaves the same bytes as the commands made one by one.
//
// Input (FuzzedDataProvider): the number of operations, then per operation its kind,
// the label and the five fields as backslash-terminated strings; the file content in
// what is left. Labels are used as the editor takes them: the names the INI rules carry
// (fuzz/IniFuzzing.h), not empty.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "configeditor/rules/USetupList.h"
#include "formats/UKV_IniFile.h"
#include "fuzz/IniFuzzing.h"
#include "platform/Exceptions.h"

namespace {

using namespace ini_fuzzing;
using quennet::TSetupFields;

struct Operation {
  enum class Kind : uint8_t { Add, Delete, Save };
  Kind kind;
  std::string label;
  TSetupFields fields;
};

bool IsFuzzableLabel(const std::string& label) {
  return !label.empty() && IsFuzzableSection(label) && IsFuzzableValue(label);
}

bool FieldsReadBack(const TSetupFields& fields) {
  return IsFuzzableValue(fields.iniName) && IsFuzzableValue(fields.infoName) &&
         IsFuzzableValue(fields.dataPath) && IsFuzzableValue(fields.name) &&
         IsFuzzableValue(fields.description);
}

bool SameFields(const TSetupFields& a, const TSetupFields& b) {
  return a.iniName == b.iniName && a.infoName == b.infoName && a.dataPath == b.dataPath &&
         a.name == b.name && a.description == b.description;
}

long Listings(const std::vector<std::string>& labels, const std::string& label) {
  return std::count(labels.begin(), labels.end(), label);
}

void Run(TKV_Inifile& ini, const Operation& operation) {
  switch (operation.kind) {
    case Operation::Kind::Add:
      quennet::AddSetup(ini, operation.label);
      break;
    case Operation::Kind::Delete:
      quennet::DeleteSetup(ini, operation.label);
      break;
    case Operation::Kind::Save:
      quennet::SaveSetup(ini, operation.label, operation.fields);
      break;
  }
}

// One command on the file as it stands, with the checks of its kind.
void CheckOne(const std::string& path, const Operation& operation) {
  TKV_Inifile ini(path);
  const std::string before = ReadFile(path);
  const std::vector<std::string> labels = quennet::ReadSetupLabels(ini);
  const std::string& label = operation.label;
  switch (operation.kind) {
    case Operation::Kind::Add: {
      const bool taken = quennet::IsSetupLabelTaken(ini, label);
      Check(quennet::AddSetup(ini, label) != taken, "an add ignored whether its label was taken");
      if (taken) {
        Check(ReadFile(path) == before, "an add of a taken label changed the file");
        break;
      }
      std::vector<std::string> expected = labels;
      expected.push_back(label);
      Check(quennet::ReadSetupLabels(ini) == expected, "an add did not list its label last");
      Check(ini.ReadSection(label).size() == 5, "an added setup's section lacks its keys");
      break;
    }
    case Operation::Kind::Delete:
      quennet::DeleteSetup(ini, label);
      Check(!ini.SectionExists(label), "a deleted setup's section stands");
      Check(Listings(quennet::ReadSetupLabels(ini), label) ==
                std::max(0L, Listings(labels, label) - 1),
            "a delete removed other than one listing");
      break;
    case Operation::Kind::Save:
      quennet::SaveSetup(ini, label, operation.fields);
      if (FieldsReadBack(operation.fields)) {
        Check(SameFields(quennet::ReadSetup(ini, label), operation.fields),
              "saved fields do not read back");
      }
      break;
  }
  TKV_Inifile fresh(path);
  Check(quennet::ReadSetupLabels(fresh) == quennet::ReadSetupLabels(ini),
        "a fresh accessor sees another list");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  std::vector<Operation> operations(input.ConsumeIntegralInRange<size_t>(1, 8));
  for (Operation& operation : operations) {
    operation.kind = static_cast<Operation::Kind>(input.ConsumeIntegralInRange<uint8_t>(0, 2));
    operation.label = input.ConsumeRandomLengthString(30);
    for (std::string* field :
         {&operation.fields.iniName, &operation.fields.infoName, &operation.fields.dataPath,
          &operation.fields.name, &operation.fields.description})
      *field = input.ConsumeRandomLengthString(40);
  }
  std::erase_if(operations,
                [](const Operation& operation) { return !IsFuzzableLabel(operation.label); });
  const std::string content = input.ConsumeRemainingBytesAsString();

  static const std::string path = FilePath("namespaces.ini");
  WriteFile(path, content);
  try {
    for (const Operation& operation : operations) CheckOne(path, operation);
  } catch (const platform::EIniFileException&) {
    Fail("a command on a readable file failed to write");
  }
  const std::string oneByOne = ReadFile(path);
  WriteFile(path, content);
  {
    TKV_Inifile ini(path);
    TIniBatch batch(ini);
    for (const Operation& operation : operations) Run(ini, operation);
    batch.UpdateFile();
  }
  Check(ReadFile(path) == oneByOne, "a batch left other bytes than the commands one by one");
  ::unlink(path.c_str());
  return 0;
}
