// The chart and its point and line series: points read back as added, colours resolved,
// clearing, either of chart and series freed first, and the drawing under the real window
// system (a person sees the blue points and the red line, and later changes).
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "classlib/Charts.h"
#include "classlib/Exceptions.h"
#include "classlib/Forms.h"
#include "support/RealWindows.h"

namespace {

TEST(Charts, SeriesKeepTheirPointsInOrderWithTheirColours) {
  std::unique_ptr<TForm> form(New<TForm>(nullptr));
  TChart* chart = New<TChart>(form.get());
  chart->SetTitle("Observed");
  auto* points = New<TPointSeries>(form.get());
  auto* line = New<TLineSeries>(form.get());
  chart->AddSeries(points);
  line->SetParentChart(chart);
  ASSERT_EQ(chart->SeriesCount(), 2);
  EXPECT_EQ(chart->Series(0), points);
  EXPECT_EQ(line->ParentChart(), chart);

  EXPECT_EQ(points->AddXY(1, 2, "", 0xFF0000), 0);
  EXPECT_EQ(points->AddXY(-3.5, 1e6, "b", 255), 1);
  EXPECT_EQ(points->AddXY(0, 0), 2);
  ASSERT_EQ(points->Count(), 3);
  EXPECT_EQ(points->XValue(1), -3.5);
  EXPECT_EQ(points->YValue(1), 1e6);
  EXPECT_EQ(points->Value(1).Label, "b");
  EXPECT_EQ(points->ValueColor(0), clBlue);
  EXPECT_EQ(points->ValueColor(1), clRed);
  // Without a colour of its own a point takes the series' colour, now and after a change.
  EXPECT_EQ(points->ValueColor(2), points->SeriesColor());
  points->SetSeriesColor(clGreen);
  EXPECT_EQ(points->ValueColor(2), clGreen);
  EXPECT_THROW(points->XValue(3), EListError);
  EXPECT_THROW(points->YValue(-1), EListError);

  points->Clear();
  EXPECT_EQ(points->Count(), 0);
  EXPECT_EQ(line->Count(), 0);
}

TEST(Charts, ChartOrSeriesMayGoFirst) {
  std::unique_ptr<TForm> form(New<TForm>(nullptr));
  TChart* chart = New<TChart>(form.get());
  auto* a = New<TPointSeries>(form.get());
  auto* b = New<TLineSeries>(form.get());
  chart->AddSeries(a);
  chart->AddSeries(b);
  delete a;
  ASSERT_EQ(chart->SeriesCount(), 1);
  EXPECT_EQ(chart->Series(0), b);
  delete chart;
  EXPECT_EQ(b->ParentChart(), nullptr);
  b->AddXY(1, 1);  // a series without a chart still holds its points
  EXPECT_EQ(b->Count(), 1);
  // Moving a series to another chart takes it from the first.
  TChart* c1 = New<TChart>(form.get());
  TChart* c2 = New<TChart>(form.get());
  c1->AddSeries(b);
  c2->AddSeries(b);
  EXPECT_EQ(c1->SeriesCount(), 0);
  EXPECT_EQ(c2->SeriesCount(), 1);
}

class RealChart : public ::testing::Test {
 protected:
  void SetUp() override {
    scope_ = std::make_unique<RealWindows::Scope>();
    form_.reset(New<TForm>(nullptr));
    form_->SetBounds(100, 100, 420, 320);
    chart_ = New<TChart>(form_.get());
    chart_->SetTitle("Observed");
    chart_->SetAlign(alClient);
    chart_->SetParent(form_.get());
    points_ = New<TPointSeries>(form_.get());
    line_ = New<TLineSeries>(form_.get());
    chart_->AddSeries(points_);
    chart_->AddSeries(line_);
  }
  void TearDown() override {
    form_.reset();
    scope_.reset();
  }
  std::unique_ptr<RealWindows::Scope> scope_;
  std::unique_ptr<TForm> form_;
  TChart* chart_ = nullptr;
  TPointSeries* points_ = nullptr;
  TLineSeries* line_ = nullptr;
};

TEST_F(RealChart, PointsAndLineAreDrawnInTheirColoursAndFollowChanges) {
  form_->Show();
  RealWindows::Settle();
  ASSERT_TRUE(RealWindows::ControlOnScreen(chart_));
  EXPECT_EQ(RealWindows::PixelsOfColor(chart_, clBlue), 0);
  EXPECT_EQ(RealWindows::PixelsOfColor(chart_, clRed), 0);

  // Added while the window shows: the view catches up when events are handled.
  for (int i = 1; i <= 5; ++i) points_->AddXY(i, i % 3, "", clBlue);
  line_->AddXY(0, 0, "", clRed);
  line_->AddXY(5, 2, "", clRed);
  RealWindows::Settle();
  const int blue = RealWindows::PixelsOfColor(chart_, clBlue);
  const int red = RealWindows::PixelsOfColor(chart_, clRed);
  EXPECT_GT(blue, 5 * 20);  // five marks of a few pixels across
  EXPECT_GT(red, 100);      // a line across the plot

  points_->Clear();
  RealWindows::Settle();
  EXPECT_EQ(RealWindows::PixelsOfColor(chart_, clBlue), 0);
  EXPECT_GT(RealWindows::PixelsOfColor(chart_, clRed), 100);
}

// A line point out of range (an overflowed slope) leaves the other points drawn.
TEST_F(RealChart, AnInfiniteOrUndefinedPointLeavesTheOthersDrawn) {
  form_->Show();
  for (int i = 1; i <= 5; ++i) points_->AddXY(10 * i, 10 + 5 * i, "", clBlue);
  line_->AddXY(0, -INFINITY, "", clRed);
  line_->AddXY(30, 25, "", clRed);
  line_->AddXY(50, NAN, "", clRed);
  RealWindows::Settle();
  EXPECT_GT(RealWindows::PixelsOfColor(chart_, clBlue), 5 * 20);
}

TEST_F(RealChart, PointsAddedBeforeTheWindowShowsAreDrawn) {
  points_->AddXY(10, 20, "", clBlue);
  points_->AddXY(30, 25, "", clBlue);
  form_->Show();
  RealWindows::Settle();
  EXPECT_GT(RealWindows::PixelsOfColor(chart_, clBlue), 2 * 20);
  form_->Close();
  RealWindows::Settle();
  EXPECT_FALSE(RealWindows::ControlOnScreen(chart_));
}

}  // namespace
