// File and folder dialogs, message boxes and input boxes.
//
// Nothing here waits for a person when tests run: a dialog asks Application->Hooks.FileDialog
// when it is set, else shows the real dialog when the application has windows, else answers
// Cancel. Message boxes go through Application->MessageBox (recorded in Hooks.Messages), and
// the input box is a form shown modally (so Hooks.ModalForm answers it).
#pragma once

#include <memory>

#include "classlib/Component.h"
#include "classlib/Forms.h"
#include "classlib/StringList.h"

class TCommonDialog : public TComponent {
 public:
  explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
  // Shows the dialog; true when the person confirmed it.
  virtual bool Execute() = 0;
  String Title;
  intptr_t HelpContext = 0;
  TNotifyEvent OnShow;
  TNotifyEvent OnClose;
};

enum TOpenOption { ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
                   ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt,
                   ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames,
                   ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent,
                   ofForceShowHidden };
using TOpenOptions = Set<TOpenOption>;

// Asks for a file to open. Filter is "description|patterns|description|patterns..."; the
// patterns are separated by ';'. FilterIndex counts from 1. A chosen name without an
// extension gets DefaultExt. Files holds every chosen name (one unless ofAllowMultiSelect).
class TOpenDialog : public TCommonDialog {
 public:
  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;

  String FileName;
  String Filter;
  int FilterIndex = 1;
  String DefaultExt;
  String InitialDir;
  TOpenOptions Options = {ofHideReadOnly, ofEnableSizing};
  TStrings* Files() const { return FFiles.get(); }

  bool Execute() override;
  // Whether this dialog saves (asks for a new name) rather than opens.
  virtual bool IsSaveDialog() const { return false; }
  // The (description, patterns) pairs of Filter.
  std::vector<std::pair<String, String>> FilterPairs() const;

 private:
  bool RealDialog();
  void ApplyDefaultExt();
  std::unique_ptr<TStringList> FFiles;
};

class TSaveDialog : public TOpenDialog {
 public:
  explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}
  bool IsSaveDialog() const override { return true; }
};

// Asks for a folder; what SelectDirectory shows (and the hook receives).
class TFolderDialog : public TCommonDialog {
 public:
  explicit TFolderDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
  String Root;
  String Directory;
  bool Execute() override;
};

// Asks for a folder under Root, starting at Directory; true and the chosen folder in
// Directory when confirmed.
bool SelectDirectory(const String& Caption, const String& Root, String& Directory);

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = Set<TMsgDlgBtn>;
inline const TMsgDlgButtons mbYesNoCancel = {mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbOKCancel = {mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore = {mbAbort, mbRetry, mbIgnore};

// A box with the text and an OK button, titled with the application's title.
void ShowMessage(const String& Msg);
// A box titled after its type ("Warning", "Error", "Information", "Confirmation"; the
// application's title for mtCustom) with the given buttons; returns the mrXxx of the button
// pressed. Button sets the window system has no box for are shown with the nearest one:
// Yes/No buttons (with Cancel when the set has Cancel), else OK with Cancel when present.
int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, intptr_t HelpCtx);
int MessageDlgPos(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, intptr_t HelpCtx, int X, int Y);

// A small form with Prompt, an edit holding Value and OK and Cancel buttons, shown modally;
// true and the edit's text in Value on OK. Its controls are named "Prompt", "Edit", "OK" and
// "Cancel" for tests. Without a window system and without a modal hook it answers Cancel.
bool InputQuery(const String& Caption, const String& Prompt, String& Value);
String InputBox(const String& Caption, const String& Prompt, const String& Default);
