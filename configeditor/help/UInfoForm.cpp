#include "configeditor/help/UInfoForm.h"

#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>

#include "configeditor/help/UHelpWindow.h"
#include "platform/ui/Application.h"

namespace quennet {

namespace {

const char kGffHelp[] =
    "Modifying GFF files:\n"
    "=====================\n"
    "The list shows the field changes Orvandel makes to the selected GFF file, in the\n"
    "order they are applied. The buttons beside it add new fields, show this help,\n"
    "compare two GFF files, move the selected change up or down and delete it.\n"
    "Double click a change in the list to edit it.\n\n"
    "Manage new fields: opens the editor for fields that are added to the file rather\n"
    "than changed.\n\n"
    "Destination: leave it blank (or type \"override\") to put the patched file in the\n"
    "override folder. Otherwise give a path relative to the game folder and the name of\n"
    "an ERF, MOD or RIM archive to patch the file inside it, for example\n"
    "    Modules\\305NAR.rim\n\n"
    "Replace: when checked, a file already in the destination is overwritten by a fresh\n"
    "copy from the orvandeldata folder before it is patched.\n\n"
    "Field paths: the labels of the structs and lists that lead to the field, separated\n"
    "by backslashes, with list entries given by their index, for example\n"
    "    PropertiesList\\0\\Subtype\n\n"
    "Values must be of the right type for the field: whole numbers for the integer\n"
    "types, decimal numbers for the float types, text for strings and ResRefs.\n\n"
    "Localized strings: add a suffix to the field's label to change one part of it:\n"
    "    label(strref)   the StrRef of the string\n"
    "    label(lang#)    the text of one language, # being the language id:\n"
    "                    0 English, 2 French, 4 German, 6 Italian, 8 Spanish,\n"
    "                    10 Polish; add 1 for the feminine form.\n\n"
    "Labels are case-sensitive: \"Tag\" and \"tag\" are different fields.\n";

const char kInstallHelp[] =
    "Install files:\n"
    "==============\n"
    "List here the further files Orvandel copies from the orvandeldata folder into the\n"
    "game folder: new models, textures, sounds and so on.\n\n"
    "Replace: when checked, a file of the same name already in the destination is\n"
    "overwritten. Use it with care, since it can undo the work of other mods; when it\n"
    "is clear, an existing file is left alone.\n\n"
    "Do not list files that the installer modifies itself (2DA, GFF, TLK files and\n"
    "compiled scripts): those are handled by their own sections. The exception are ERF\n"
    "files that the GFF or script sections put files into: list them so that they are\n"
    "copied first.\n\n"
    "Destination folders lie inside the game folder and are written with backslashes,\n"
    "for example\n"
    "    StreamVoice\\AVO\\_NihilAn\n"
    "Use .\\ for the game folder itself.\n";

const char kScriptHelp[] =
    "Compile files:\n"
    "==============\n"
    "Scripts listed here are read from the orvandeldata folder; their 2DAMEMORY and\n"
    "StrRef tokens are replaced by the values the installer found, and then they are\n"
    "compiled.\n\n"
    "Destination: the override folder, or an ERF, MOD or SAV file in the orvandeldata\n"
    "folder. Such an archive must also be listed among the install files so that it is\n"
    "copied into the game.\n\n"
    "Replace: when checked, a compiled script of the same name already in the\n"
    "destination is overwritten.\n\n"
    "In the script source, write the tokens as\n"
    "    #2DAMEMORY?#     (? being the token's number, e.g. #2DAMEMORY3#)\n"
    "    #StrRef?#        (e.g. #StrRef12#)\n\n"
    "The script compiler nwnnsscomp.exe, the file nwscript.nss and every include file\n"
    "the scripts need must lie in the orvandeldata folder. Do not give the compiler\n"
    "flags of your own in the script: the installer calls it with the flags it needs.\n";

const char kNewFieldHelp[] =
    "New fields:\n"
    "===========\n"
    "Each new field is a modifier with a label of its own, which must be unique in the\n"
    "whole file.\n\n"
    "Field type: the type of the new field. Byte 0 to 255, Char -128 to 127, Word 0 to\n"
    "65535, Short -32768 to 32767, DWORD 0 to 4294967295, Int -2147483648 to\n"
    "2147483647, Int64, Float and Double decimal numbers, ExoString text, ResRef at\n"
    "most 16 characters, ExoLocString a localized string, Position and Orientation\n"
    "three or four numbers, Struct and List hold further fields.\n\n"
    "Value: the value of the field, in the form its type asks for.\n"
    "Label: the field's own label (at most 16 characters, case-sensitive).\n"
    "Path: where the field is added, as a backslash-separated field path; leave it\n"
    "blank for the top level of the file.\n"
    "Type ID: the struct id of a new Struct; \"ListIndex\" uses the index in its list.\n"
    "StrRef and localized strings: the StrRef of a new ExoLocString and its texts per\n"
    "language.\n"
    "Index token: a 2DAMEMORY token that remembers the list index or path of the new\n"
    "field for later modifiers.\n\n"
    "The sub-fields of a new Struct or List are edited in a nested editor of the same\n"
    "kind, opened from this one.\n";

}  // namespace

TInfoForm::TInfoForm() : QDialog(nullptr) {
  setObjectName(QStringLiteral("TInfoForm"));
  txtInfo = NewHelpMemo(this, "txtInfo", kGffHelp);
  txtInstallInfo = NewHelpMemo(this, "txtInstallInfo", kInstallHelp);
  txtScriptInfo = NewHelpMemo(this, "txtScriptInfo", kScriptHelp);
  txtGFFInfo = NewHelpMemo(this, "txtGFFInfo", kNewFieldHelp);
  Button1 = new QPushButton(QStringLiteral("&Close"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);

  auto* layout = new QGridLayout(this);
  for (QPlainTextEdit* page : {txtInfo, txtInstallInfo, txtScriptInfo, txtGFFInfo}) {
    layout->addWidget(page, 0, 0);
  }
  layout->addWidget(Button1, 1, 0, Qt::AlignRight);
  txtScriptInfo->hide();
  txtGFFInfo->hide();
  MakeHelpWindow(*this, 592, 474);
  platform::Connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TInfoForm::TogglePage(QPlainTextEdit* page) {
  if (isVisible() && ShownPage() == page) {
    hide();
    return;
  }
  ShowOnly(page);
  show();
}

QPlainTextEdit* TInfoForm::ShownPage() const {
  if (!isVisible()) return nullptr;
  for (QPlainTextEdit* page : {txtInfo, txtInstallInfo, txtScriptInfo, txtGFFInfo}) {
    if (page->isVisibleTo(this)) return page;
  }
  return nullptr;
}

void TInfoForm::Button1Click() { hide(); }

void TInfoForm::ShowOnly(QPlainTextEdit* page) {
  for (QPlainTextEdit* each : {txtInfo, txtInstallInfo, txtScriptInfo, txtGFFInfo}) {
    each->setVisible(each == page);
  }
}

}  // namespace quennet
