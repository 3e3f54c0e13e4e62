#include "classlib/Dialogs.h"

#include <QFileDialog>
#include <QStringList>

#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"
#include "classlib/qt/Views.h"

namespace {

bool HookOrReal(TCommonDialog* dialog, bool& handled) {
  handled = true;
  if (Application->Hooks.FileDialog) return Application->Hooks.FileDialog(dialog);
  if (!Application->ViewsEnabled()) return false;
  handled = false;
  return false;
}

QString Q(const String& s) { return QString::fromStdString(s); }

}  // namespace

// ---------------------------------------------------------------------------------------
// TOpenDialog

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFiles(std::make_unique<TStringList>()) {}
TOpenDialog::~TOpenDialog() = default;

std::vector<std::pair<String, String>> TOpenDialog::FilterPairs() const {
  std::vector<std::pair<String, String>> pairs;
  std::vector<String> parts;
  size_t start = 0;
  for (size_t i = 0; i <= Filter.size(); ++i) {
    if (i == Filter.size() || Filter[i] == '|') {
      parts.push_back(Filter.substr(start, i - start));
      start = i + 1;
    }
  }
  if (Filter.empty()) return pairs;
  for (size_t i = 0; i < parts.size(); i += 2) pairs.emplace_back(parts[i], i + 1 < parts.size() ? parts[i + 1] : String());
  return pairs;
}

void TOpenDialog::ApplyDefaultExt() {
  if (DefaultExt.empty() || FileName.empty()) return;
  if (!ExtractFileExt(FileName).empty()) return;
  FileName += DefaultExt[0] == '.' ? DefaultExt : "." + DefaultExt;
}

bool TOpenDialog::Execute() {
  if (OnShow) OnShow(this);
  bool handled = false;
  bool ok = HookOrReal(this, handled);
  if (!handled) ok = RealDialog();
  if (ok) {
    ApplyDefaultExt();
    if (FFiles->Count() == 0 || !Options.Contains(ofAllowMultiSelect)) {
      FFiles->Clear();
      FFiles->Add(FileName);
    }
  }
  if (OnClose) OnClose(this);
  return ok;
}

bool TOpenDialog::RealDialog() {
  QFileDialog dialog;
  dialog.setWindowTitle(Q(Title));
  dialog.setAcceptMode(IsSaveDialog() ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (IsSaveDialog())
    dialog.setFileMode(QFileDialog::AnyFile);
  else
    dialog.setFileMode(Options.Contains(ofAllowMultiSelect) ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !Options.Contains(ofOverwritePrompt));
  QStringList filters;
  for (auto& [description, patterns] : FilterPairs()) {
    QString p = Q(patterns);
    p.replace(';', ' ');
    filters << Q(description) + " (" + p + ")";
  }
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    int index = std::clamp(FilterIndex, 1, static_cast<int>(filters.size())) - 1;
    dialog.selectNameFilter(filters[index]);
  }
  if (!InitialDir.empty()) dialog.setDirectory(Q(InitialDir));
  if (!FileName.empty()) dialog.selectFile(Q(FileName));
  if (!DefaultExt.empty()) dialog.setDefaultSuffix(Q(DefaultExt));
  int answer = QDialog::Rejected;
  Views::RunKeepingActivation([&] { answer = dialog.exec(); });
  if (answer != QDialog::Accepted) return false;
  QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return false;
  FFiles->Clear();
  for (const QString& f : chosen) FFiles->Add(f.toStdString());
  FileName = chosen.first().toStdString();
  FilterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
  if (FilterIndex < 1) FilterIndex = 1;
  return true;
}

// ---------------------------------------------------------------------------------------
// Folders

bool TFolderDialog::Execute() {
  bool handled = false;
  bool ok = HookOrReal(this, handled);
  if (handled) return ok;
  QString start = Q(Directory.empty() ? Root : Directory);
  QString chosen;
  Views::RunKeepingActivation([&] { chosen = QFileDialog::getExistingDirectory(nullptr, Q(Title), start); });
  if (chosen.isEmpty()) return false;
  Directory = chosen.toStdString();
  return true;
}

bool SelectDirectory(const String& Caption, const String& Root, String& Directory) {
  TFolderDialog dialog(nullptr);
  dialog.Title = Caption;
  dialog.Root = Root;
  dialog.Directory = Directory;
  if (!dialog.Execute()) return false;
  Directory = dialog.Directory;
  return true;
}

// ---------------------------------------------------------------------------------------
// Message boxes

void ShowMessage(const String& Msg) { Application->MessageBox(Msg, Application->Title, MB_OK); }

int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, intptr_t HelpCtx) {
  (void)HelpCtx;
  static const char* const kCaptions[] = {"Warning", "Error", "Information", "Confirmation"};
  static const UINT kIcons[] = {MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION, 0};
  String caption = DlgType == mtCustom ? Application->Title : kCaptions[DlgType];
  UINT flags = kIcons[DlgType];
  bool cancel = Buttons.Contains(mbCancel);
  if (Buttons.Contains(mbAbort) || (Buttons.Contains(mbRetry) && Buttons.Contains(mbIgnore)))
    flags |= MB_ABORTRETRYIGNORE;
  else if (Buttons.Contains(mbRetry))
    flags |= MB_RETRYCANCEL;
  else if (Buttons.Contains(mbYes) || Buttons.Contains(mbNo) || Buttons.Contains(mbYesToAll))
    flags |= cancel ? MB_YESNOCANCEL : MB_YESNO;
  else if (cancel)
    flags |= MB_OKCANCEL;
  else
    flags |= MB_OK;
  // The box's IDxxx answers carry the same numbers as the modal results.
  return Application->MessageBox(Msg, caption, flags);
}

int MessageDlgPos(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, intptr_t HelpCtx, int X, int Y) {
  (void)X;
  (void)Y;
  return MessageDlg(Msg, DlgType, Buttons, HelpCtx);
}

// ---------------------------------------------------------------------------------------
// Input boxes

bool InputQuery(const String& Caption, const String& Prompt, String& Value) {
  if (!Application->Hooks.ModalForm && !Application->ViewsEnabled()) return false;
  std::unique_ptr<TForm> form(New<TForm>(nullptr));
  form->SetCaption(Caption);
  form->BorderStyle = bsDialog;
  form->Position = poScreenCenter;
  form->SetClientSize(260, 100);
  auto* prompt = New<TLabel>(form.get());
  prompt->SetName("Prompt");
  prompt->SetParent(form.get());
  prompt->SetBounds(8, 8, 244, 17);
  prompt->SetCaption(Prompt);
  auto* edit = New<TEdit>(form.get());
  edit->SetName("Edit");
  edit->SetParent(form.get());
  edit->SetBounds(8, 30, 244, 21);
  edit->SetText(Value);
  edit->SelectAll();
  auto* ok = New<TButton>(form.get());
  ok->SetName("OK");
  ok->SetParent(form.get());
  ok->SetBounds(96, 64, 75, 25);
  ok->SetCaption("OK");
  ok->ModalResult = mrOk;
  ok->Default = true;
  auto* cancel = New<TButton>(form.get());
  cancel->SetName("Cancel");
  cancel->SetParent(form.get());
  cancel->SetBounds(177, 64, 75, 25);
  cancel->SetCaption("Cancel");
  cancel->ModalResult = mrCancel;
  cancel->Cancel = true;
  form->SetActiveControl(edit);
  if (form->ShowModal() != mrOk) return false;
  Value = edit->Text();
  return true;
}

String InputBox(const String& Caption, const String& Prompt, const String& Default) {
  String value = Default;
  InputQuery(Caption, Prompt, value);
  return value;
}
