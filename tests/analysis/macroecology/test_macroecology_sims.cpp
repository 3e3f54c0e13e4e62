// The macroecology core against point sets worked by hand (every shape and boundary in both
// distributions, the dispersion's tie rules, the slope), the line rule of extended precision
// rounded to a double, and the three generators: their draw order, what the data-defined
// constraint keeps, the uniform constraint's expected counts, the bounded normal redraws.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/macroecology/MacroecologySims.h"
#include "classlib/Random.h"

namespace {

constexpr double kTol = 1e-12;

TPointSet Points(const std::vector<double>& x, const std::vector<double>& y) {
  TPointSet p;
  p.Assign(x, y);
  return p;
}

struct Expected {
  Integer count;
  double ss;
};

// One data set worked by hand: per shape and per boundary the count and sum of squares, in the
// order left triangle, right triangle, pyramid, inverted pyramid / upper right, upper left,
// lower right, lower left; the boundary slopes; the dispersion and the slope.
struct HandCase {
  const char* name;
  std::vector<double> x, y;
  TDataDistribution distribution;
  Expected shapes[4];
  Expected boundaries[4];
  double boundarySlopes[4];
  double dispersion;
  double slope;
};

const HandCase kCases[] = {
    // (1,1), (3,3): extremes 1..3, midpoints and medians (2, 2). Left triangle v = 4 - x:
    // (1,1) lies 2 below. Upper right v = 5 - x: (3,3) lies 1 above. Quadrants 1, 0, 1, 0.
    {"two points, symmetric", {1, 3}, {1, 3}, TDataDistribution::Symmetric,
     {{1, 4}, {0, 0}, {0, 0}, {0, 0}}, {{1, 1}, {0, 0}, {0, 0}, {1, 1}}, {-1, 1, 1, -1}, 1.0 / 3, 1},
    {"two points, asymmetric", {1, 3}, {1, 3}, TDataDistribution::Asymmetric,
     {{1, 4}, {0, 0}, {0, 0}, {0, 0}}, {{1, 1}, {0, 0}, {0, 0}, {1, 1}}, {-1, 1, 1, -1}, 1.0 / 3, 1},
    // (0,0), (2,2), (1,2), (2,0): medians (1.5, 1), one point per quadrant: dispersion 0.
    // Symmetric on (1, 1): inverted pyramid v1 = 2 - 2x, v2 = 2x - 2 holds (1,2), 2 above 0.
    {"four points, symmetric", {0, 2, 1, 2}, {0, 2, 2, 0}, TDataDistribution::Symmetric,
     {{1, 4}, {1, 4}, {0, 0}, {1, 4}}, {{1, 1}, {0, 0}, {1, 1}, {1, 1}}, {-1, 1, 1, -1}, 0, 1 / 2.75},
    // Asymmetric on (1.5, 1): left triangle v1 = 2 - 2x/3, v2 = 4 - 2x holds (0,0) and (2,0)
    // (distances to line 1: 2 and 2/3); right triangle v1 = 2x/3 holds (2,0), 4/3 below, and
    // (0,0): the slope 2/3 is a double a little below 2/3, so the line 2/3 (x - 1.5) + 1 is
    // 5.6e-17 at x = 0, above the point (its squared distance is negligible); inverted pyramid
    // v1 = 2 - 4x/3, v2 = 4x - 6 holds (1,2), measured to the lower value -2.
    {"four points, asymmetric", {0, 2, 1, 2}, {0, 2, 2, 0}, TDataDistribution::Asymmetric,
     {{2, 4 + 4.0 / 9}, {2, 16.0 / 9}, {0, 0}, {1, 16}}, {{1, 1}, {1, 1.0 / 9}, {1, 1}, {1, 1}},
     {-2, 2.0 / 3, 2, -2.0 / 3}, 0, 1 / 2.75},
    // (1,2), (2,5), (3,1), (4,4), (6,3): extremes x 1..6, y 1..5; midpoints (3.5, 3); medians
    // (3, 3). (3,1) lies on the X median below, (6,3) on the Y median right: quadrant totals
    // 1.5, 1, 1.5, 1, variance 0.25 / 3. Slope 1 / 14.8. (6,3) lies exactly on the upper right
    // and lower right lines: not beyond them.
    {"five points, symmetric", {1, 2, 3, 4, 6}, {2, 5, 1, 4, 3}, TDataDistribution::Symmetric,
     {{2, 14.76}, {2, 6.56}, {2, 10.28}, {2, 55.4}}, {{0, 0}, {1, 1.44}, {0, 0}, {2, 1.16}},
     {-0.8, 0.8, 0.8, -0.8}, 0.25 / 3, 1 / 14.8},
    {"five points, asymmetric", {1, 2, 3, 4, 6}, {2, 5, 1, 4, 3}, TDataDistribution::Asymmetric,
     {{2, 13}, {2, 13}, {1, 16}, {2, 256.0 / 9 + 25}}, {{0, 0}, {1, 1}, {0, 0}, {1, 1}},
     {-2.0 / 3, 1, 2.0 / 3, -1}, 0.25 / 3, 1 / 14.8},
};

TEST(MacroecologySims, EveryShapeAndBoundaryOfDataSetsWorkedByHand) {
  for (const HandCase& k : kCases) {
    const TPointSet p = Points(k.x, k.y);
    for (int s = 0; s < 4; ++s) {
      for (int b = 0; b < 4; ++b) {
        SCOPED_TRACE(::testing::Message() << k.name << ", shape " << s << ", boundary " << b);
        TPatternValues v;
        MeasurePoints(p, {k.distribution, static_cast<TShape>(s), static_cast<TBoundary>(b)}, v);
        EXPECT_EQ(v.WithinSpace, k.shapes[s].count);
        EXPECT_NEAR(v.SumSquares, k.shapes[s].ss, kTol);
        EXPECT_EQ(v.BoundaryWithinSpace, k.boundaries[b].count);
        EXPECT_NEAR(v.BoundarySumSquares, k.boundaries[b].ss, kTol);
        EXPECT_NEAR(v.BoundaryCoefficient, k.boundarySlopes[b], kTol);
        EXPECT_NEAR(v.Variance, k.dispersion, kTol);
        EXPECT_NEAR(v.Coefficient, k.slope, kTol);
      }
    }
  }
}

// The boundary lines' end points run between the extremes and the midpoints or medians.
TEST(MacroecologySims, BoundaryEndPoints) {
  struct Case {
    TDataDistribution d;
    TBoundary b;
    double x1, y1, x2, y2;
  };
  const TPointSet p = Points({1, 2, 3, 4, 6}, {2, 5, 1, 4, 3});
  const Case cases[] = {
      {TDataDistribution::Symmetric, TBoundary::UpperRight, 3.5, 5, 6, 3},
      {TDataDistribution::Symmetric, TBoundary::UpperLeft, 1, 3, 3.5, 5},
      {TDataDistribution::Symmetric, TBoundary::LowerRight, 3.5, 1, 6, 3},
      {TDataDistribution::Symmetric, TBoundary::LowerLeft, 1, 3, 3.5, 1},
      {TDataDistribution::Asymmetric, TBoundary::UpperRight, 3, 5, 6, 3},
      {TDataDistribution::Asymmetric, TBoundary::LowerLeft, 1, 3, 3, 1},
  };
  for (const Case& k : cases) {
    TPatternValues v;
    MeasurePoints(p, {k.d, TShape::LeftTriangle, k.b}, v);
    EXPECT_EQ((std::vector<double>{v.BoundaryX1, v.BoundaryY1, v.BoundaryX2, v.BoundaryY2}),
              (std::vector<double>{k.x1, k.y1, k.x2, k.y2}));
  }
}

// The value is taken in extended precision and rounded once: with the slope -0.8 (a double a
// little below -0.8) the line through (3.5, 5) is exactly 3 at x = 6, where plain double
// arithmetic gives 3 plus one unit in the last place.
TEST(MacroecologySims, LineValueIsRoundedOnceFromExtendedPrecision) {
  const TLine line{3.5, 5, -0.8};
  EXPECT_EQ(LineValue(line, 6), 3.0);
  const double s = -0.8;
  EXPECT_NE(s * 6 - s * 3.5 + 5, 3.0);
  EXPECT_EQ(SlopeOf(4, 0), 0);
  EXPECT_EQ(SlopeOf(-3, 2), -1.5);
}

TEST(MacroecologySims, DispersionTieRules) {
  // Around (0, 0): on the X median above -> upper right and upper left a half each; on the Y
  // median left -> lower left and upper left; on both -> a quarter to all four.
  struct Case {
    std::vector<double> x, y;
    double q[4];  // upper right, upper left, lower left, lower right
  };
  const Case cases[] = {
      {{0}, {1}, {0.5, 0.5, 0, 0}},
      {{0}, {-1}, {0, 0, 0.5, 0.5}},
      {{-1}, {0}, {0, 0.5, 0.5, 0}},
      {{1}, {0}, {0.5, 0, 0, 0.5}},
      {{0}, {0}, {0.25, 0.25, 0.25, 0.25}},
      {{1, -1, -1, 1, 1}, {1, 1, -1, -1, 1}, {2, 1, 1, 1}},
  };
  for (const Case& k : cases) {
    std::vector<double> q(k.q, k.q + 4);
    double mean = 0, variance = 0;
    CalculateMeanVariance(4, q, mean, variance);
    EXPECT_DOUBLE_EQ(CalculateDispersion(k.x, k.y, 0, 0), variance);
  }
  EXPECT_DOUBLE_EQ(CalculateDispersion({0}, {1}, 0, 0), 1.0 / 12);
  EXPECT_DOUBLE_EQ(CalculateDispersion({1, -1, -1, 1, 1}, {1, 1, -1, -1, 1}, 0, 0), 0.25);
}

// One point, and all X values equal: every slope with a zero denominator is 0, so the lines
// are horizontal through their anchors and nothing lies beyond a line through an extreme.
TEST(MacroecologySims, DegenerateSets) {
  for (int d = 0; d < 2; ++d) {
    for (int s = 0; s < 4; ++s) {
      TPatternValues one;
      MeasurePoints(Points({2}, {3}), {static_cast<TDataDistribution>(d), static_cast<TShape>(s), TBoundary::UpperRight},
                    one);
      EXPECT_EQ(one.WithinSpace, 0);
      EXPECT_EQ(one.BoundaryWithinSpace, 0);
      EXPECT_EQ(one.Variance, 0);
      EXPECT_EQ(one.Coefficient, 0);
    }
  }
  // x all 2, y 1..3: the symmetric left triangle's line is y = 1 (slope 0), the upper right
  // boundary y = 3.
  TPatternValues v;
  MeasurePoints(Points({2, 2, 2}, {1, 2, 3}), {TDataDistribution::Symmetric, TShape::LeftTriangle, TBoundary::UpperRight},
                v);
  EXPECT_EQ(v.WithinSpace, 0);
  EXPECT_EQ(v.BoundaryWithinSpace, 0);
  EXPECT_EQ(v.BoundaryCoefficient, 0);
  EXPECT_EQ(v.Coefficient, 0);
  // The right triangle holds nothing either; the lower left line y = 2 holds (2, 1).
  MeasurePoints(Points({2, 2, 2}, {1, 2, 3}), {TDataDistribution::Symmetric, TShape::RightTriangle, TBoundary::LowerLeft},
                v);
  EXPECT_EQ(v.WithinSpace, 0);
  EXPECT_EQ(v.BoundaryWithinSpace, 1);
  EXPECT_DOUBLE_EQ(v.BoundarySumSquares, 1);
}

// Data-defined: Y is permuted in place, Random(n) once per element; X, the sorted values, the
// extremes and so the medians and every line stay the same in every iteration.
TEST(MacroecologySims, DataDefinedKeepsExtremesMediansAndBoundarySlope) {
  const std::vector<double> x{1, 2, 3, 4, 6, 7, 9}, y{2, 5, 1, 4, 3, 8, 0.5};
  TPointSet p = Points(x, y);
  const TPatternChoice choice{TDataDistribution::Asymmetric, TShape::Pyramid, TBoundary::UpperLeft};
  TPatternValues observed;
  MeasurePoints(p, choice, observed);
  RandSeed = 5;
  std::vector<double> byHand = y;
  for (int i = 0; i < 50; ++i) {
    const Cardinal before = RandSeed;
    for (Integer k = 0; k < 7; ++k) std::swap(byHand[static_cast<size_t>(k)], byHand[static_cast<size_t>(Random(7))]);
    const Cardinal after = RandSeed;
    RandSeed = before;
    ASSERT_TRUE(RandomizePoints(p, {TConstraint::DataDefined, {}, {}}));
    EXPECT_EQ(RandSeed, after);
    EXPECT_EQ(p.Y, byHand);
    EXPECT_EQ(p.X, x);
    TPatternValues v;
    MeasurePoints(p, choice, v);
    EXPECT_EQ((std::vector<double>{p.MinX, p.MaxX, p.MinY, p.MaxY}), (std::vector<double>{1, 9, 0.5, 8}));
    EXPECT_EQ(v.BoundaryCoefficient, observed.BoundaryCoefficient);
    EXPECT_EQ((std::vector<double>{v.BoundaryX1, v.BoundaryY1, v.BoundaryX2, v.BoundaryY2}),
              (std::vector<double>{observed.BoundaryX1, observed.BoundaryY1, observed.BoundaryX2, observed.BoundaryY2}));
    EXPECT_EQ(SortedMedian(p.XSorted), 4);
    EXPECT_EQ(SortedMedian(p.YSorted), 3);
  }
}

// Uniform: per point y then x, each from the next real; the extremes stay the box's.
TEST(MacroecologySims, UniformDrawOrderAndBox) {
  TPointSet p = Points({1, 2, 3}, {1, 2, 3});
  const TUniformBox box{10, 20, 0, 4};
  RandSeed = 77;
  std::vector<double> x(3), y(3);
  for (size_t k = 0; k < 3; ++k) {
    y[k] = 0 + RandomReal() * 4;
    x[k] = 10 + RandomReal() * 10;
  }
  RandSeed = 77;
  ASSERT_TRUE(RandomizePoints(p, {TConstraint::UserUniform, box, {}}));
  EXPECT_EQ(p.X, x);
  EXPECT_EQ(p.Y, y);
  std::sort(x.begin(), x.end());
  std::sort(y.begin(), y.end());
  EXPECT_EQ(p.XSorted, x);
  EXPECT_EQ(p.YSorted, y);
  EXPECT_EQ((std::vector<double>{p.MinX, p.MaxX, p.MinY, p.MaxY}), (std::vector<double>{10, 20, 0, 4}));
}

// On [0,1]^2 the left triangle holds half the points and the upper right boundary (the
// triangle (0.5,1), (1,1), (1,0.5)) an eighth: the means of 2000 iterations of 1000 points lie
// within 4 standard errors of n/2 and n/8.
TEST(MacroecologySims, UniformCountsMatchTheirAreas) {
  const Integer n = 1000, iterations = 2000;
  TPointSet p = Points(std::vector<double>(n, 0.5), std::vector<double>(n, 0.5));
  std::vector<TPatternValues> values(iterations);
  RandSeed = 2024;
  ASSERT_TRUE(SimulateMacroecology(p, {TDataDistribution::Symmetric, TShape::LeftTriangle, TBoundary::UpperRight},
                                   {TConstraint::UserUniform, {0, 1, 0, 1}, {}}, iterations, values));
  std::vector<double> shape, boundary;
  for (const TPatternValues& v : values) {
    shape.push_back(v.WithinSpace);
    boundary.push_back(v.BoundaryWithinSpace);
  }
  double mean = 0, variance = 0;
  CalculateMeanVariance(iterations, shape, mean, variance);
  EXPECT_NEAR(mean, n / 2.0, 4 * std::sqrt(variance / iterations));
  EXPECT_GT(variance, 0);
  CalculateMeanVariance(iterations, boundary, mean, variance);
  EXPECT_NEAR(mean, n / 8.0, 4 * std::sqrt(variance / iterations));
}

// Normal: y then x per point, each deviate (polar method: two reals per attempt) redrawn until
// it is positive; the extremes are the drawn values'.
TEST(MacroecologySims, NormalDrawOrderRedrawsNonPositiveDeviates) {
  auto deviate = [](double mean, double sd) {
    for (;;) {
      double u1, u2, s;
      do {
        u1 = 2 * RandomReal() - 1;
        u2 = 2 * RandomReal() - 1;
        s = u1 * u1 + u2 * u2;
      } while (s >= 1 || s == 0);
      const double v = mean + sd * u1 * std::sqrt(-2 * std::log(s) / s);
      if (v > 0) return v;
    }
  };
  // Mean 0.5, deviation 1: about a third of the deviates are redrawn.
  const TNormalParameters normal{2, 0.5, 0.5, 1};
  RandSeed = 31;
  std::vector<double> x(40), y(40);
  for (size_t k = 0; k < 40; ++k) {
    y[k] = deviate(0.5, 1);
    x[k] = deviate(2, 0.5);
  }
  TPointSet p = Points(std::vector<double>(40, 1), std::vector<double>(40, 1));
  RandSeed = 31;
  ASSERT_TRUE(RandomizePoints(p, {TConstraint::UserNormal, {}, normal}));
  EXPECT_EQ(p.X, x);
  EXPECT_EQ(p.Y, y);
  EXPECT_EQ(p.MinY, *std::min_element(y.begin(), y.end()));
  EXPECT_EQ(p.MaxX, *std::max_element(x.begin(), x.end()));
  EXPECT_GT(p.MinY, 0);
}

// A mean far below 0 cannot give a positive deviate in any reasonable time: the generator
// gives up after its bound instead of running for ever.
TEST(MacroecologySims, NormalRedrawsAreBounded) {
  TPointSet p = Points({1, 2}, {1, 2});
  RandSeed = 3;
  EXPECT_FALSE(RandomizePoints(p, {TConstraint::UserNormal, {}, {5, 1, -1000, 1}}));
  EXPECT_FALSE(RandomizePoints(p, {TConstraint::UserNormal, {}, {-1000, 1, 5, 1}}));
}

}  // namespace
