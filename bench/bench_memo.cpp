// The text memo on a fixed-width display: formatting a whole text (loading it into paragraphs,
// the scope pass and word wrapping every paragraph into lines) and moving the caret line by
// line from the top to the bottom. Both should grow linearly with the number of lines (the
// first run of a size also pays for growing the heap: read the medians).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "memo/MemoDisplay.h"
#include "memo/VavaDodu.h"

namespace {

// Every character 7 pixels wide, lines 15 pixels high, a client of 640 x 480; nothing drawn.
class TFixedWidthDisplay : public TMemoDisplay {
 public:
  void SelectFont(Byte) override {}
  int TextWidth(const char16_t*, int Count) override { return Count * 7; }
  int FontHeight() override { return 15; }
  void DrawText(int, int, const char16_t*, int, TColor, TColor) override {}
  void FillRect(const TRect&, TColor) override {}
  int ClientWidth() override { return 640; }
  int ClientHeight() override { return 480; }
  bool Focused() override { return true; }
  void InvalidateRect(const TRect&) override {}
  void Invalidate() override {}
  void ScrollWindow(int, int, const TRect&) override {}
  void UpdateWindow() override {}
  void CreateCaret(int, int) override {}
  void DestroyCaret() override {}
  void ShowCaret() override {}
  void SetCaretPos(int, int) override {}
  void SetScrollRange(int, int, int) override {}
  void SetScrollPos(int, int) override {}
  void ShowScrollBar(int, bool) override {}
  Cardinal TickCount() override { return ++ticks_; }

 private:
  Cardinal ticks_ = 0;
};

// Lines of 40 to 120 characters in words of 2 to 9 letters; every fifth line wraps.
std::u16string SampleText(int Lines) {
  std::u16string text;
  text.reserve(static_cast<size_t>(Lines) * 80);
  uint32_t seed = 12345;
  auto next = [&seed](uint32_t n) {
    seed = seed * 134775813u + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(seed) * n) >> 32);
  };
  for (int line = 0; line < Lines; ++line) {
    if (line > 0) text += u"\r\n";
    size_t length = 40 + next(81);
    size_t start = text.size();
    while (text.size() - start < length) {
      size_t word = 2 + next(8);
      for (size_t i = 0; i < word; ++i) text += static_cast<char16_t>(u'a' + next(26));
      text += u' ';
    }
  }
  return text;
}

struct TBenchMemo {
  TBenchMemo() : Memo(std::make_unique<TVavaDodu>(nullptr)) {
    Memo->WordWrap = true;
    Memo->Display = &Display;
    Memo->DisplayResized();
  }
  TFixedWidthDisplay Display;
  std::unique_ptr<TVavaDodu> Memo;
};

void BM_FormatText(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  const std::u16string text = SampleText(lines);
  TBenchMemo bench;
  for (auto _ : state) {
    bench.Memo->SetText(text);
    benchmark::DoNotOptimize(bench.Memo->Store.TotalLines);
  }
  state.counters["display_lines"] = bench.Memo->Store.TotalLines;
  state.SetComplexityN(lines);
}
BENCHMARK(BM_FormatText)->Arg(125000)->Arg(250000)->Arg(500000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Repetitions(3)->Complexity(benchmark::oN);

void BM_CaretTopToBottom(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  TBenchMemo bench;
  bench.Memo->SetText(SampleText(lines));
  TVavaDodu& memo = *bench.Memo;
  const int visible = memo.Store.VisibleLines;
  for (auto _ : state) {
    memo.MoveCaretToTextEdge(false);
    for (int i = 1; i < visible; ++i) memo.MoveCaretVertically(1);
    benchmark::DoNotOptimize(memo.CaretPos());
  }
  state.counters["display_lines"] = visible;
  state.SetComplexityN(lines);
}
BENCHMARK(BM_CaretTopToBottom)->Arg(125000)->Arg(250000)->Arg(500000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Repetitions(3)->Complexity(benchmark::oN);

}  // namespace
