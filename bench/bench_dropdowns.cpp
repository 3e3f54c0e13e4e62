// The multi-column drop-down with 100,000 items: opening its pop-up (the list built for every
// item), looking up a prefix typed into the list and completing a prefix typed into the edit,
// both matching only near the end of the items. Each must stay well under 50 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <memory>

#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivDropDownForm.h"
#include "grid/dropdowns/RivMultiColumnDropDown.h"

namespace {

using namespace RivMultiColumnDropDown;

constexpr int kItems = 100000;

struct BigList {
  std::unique_ptr<TForm> form{New<TForm>(nullptr)};
  TRivMultiColumnDropDown* dd = nullptr;
  BigList() {
    form->SetBounds(0, 0, 400, 300);
    dd = New<TRivMultiColumnDropDown>(form.get());
    dd->SetParent(form.get());
    dd->SetBounds(10, 10, 200, 24);
    dd->Columns()->Add()->Header = "Name";
    dd->Columns()->Add()->Header = "Code";
    dd->Columns()->Add()->Header = "Note";
    for (int i = 0; i < kItems; ++i) {
      TDropDownItem* item = dd->Items()->Add();
      item->Text()->Add(Format("n%.6d", {i}));
      item->Text()->Add(IntToStr(i));
      item->Text()->Add("note");
    }
    dd->EndUpdate();
    form->Show();
    dd->SetFocus();
  }
};

BigList& List() {
  static BigList list;
  return list;
}

void BM_OpenLargeList(benchmark::State& state) {
  BigList& l = List();
  for (auto _ : state) {
    l.dd->ShowDropDown();
    benchmark::DoNotOptimize(l.dd->ColGrid()->RowCount());
    l.dd->HideDropDown(false);
  }
}
BENCHMARK(BM_OpenLargeList)->Unit(benchmark::kMillisecond);

// "n0999" first matches item 99,900.
void BM_LookupTypedIntoLargeList(benchmark::State& state) {
  BigList& l = List();
  l.dd->ShowDropDown();
  for (auto _ : state) {
    char enter = '\r';
    l.dd->ControlKeyPress(enter);  // ends the lookup before
    for (char c : String("n0999")) {
      char key = c;
      l.dd->ControlKeyPress(key);
    }
    benchmark::DoNotOptimize(l.dd->ItemIndex());
  }
  l.dd->HideDropDown(false);
  if (l.dd->ItemIndex() != 99900) state.SkipWithError("the lookup found the wrong item");
}
BENCHMARK(BM_LookupTypedIntoLargeList)->Unit(benchmark::kMillisecond);

void BM_CompleteTypedIntoTheEdit(benchmark::State& state) {
  BigList& l = List();
  for (auto _ : state) {
    l.dd->SelectAll();
    for (char c : String("n0999")) l.dd->Perform(WM_CHAR, static_cast<unsigned char>(c), 0);
    benchmark::DoNotOptimize(l.dd->Text());
  }
  if (l.dd->Text() != "n099900") state.SkipWithError("the completion is wrong");
}
BENCHMARK(BM_CompleteTypedIntoTheEdit)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
