#include "analysis/macroecology/MacroecologySims.h"

#include <algorithm>
#include <utility>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "classlib/Random.h"

double LineValue(const TLine& Line, double X) {
  const long double s = Line.Slope;
  return static_cast<double>(s * X - s * Line.X0 + Line.Y0);
}

double SlopeOf(long double Numerator, long double Denominator) {
  return Denominator == 0 ? 0.0 : static_cast<double>(Numerator / Denominator);
}

namespace {

double Squared(double Y, double Value) {
  const long double d = static_cast<long double>(Y) - Value;
  return static_cast<double>(d * d);
}

void SortAscending(std::vector<double>& Values) {
  if (!Values.empty()) QuickSortReals(Values, 0, static_cast<Integer>(Values.size()) - 1);
}

}  // namespace

void TPointSet::Assign(const std::vector<double>& Xs, const std::vector<double>& Ys) {
  X = Xs;
  Y = Ys;
  XSorted = Xs;
  YSorted = Ys;
  SortAscending(XSorted);
  SortAscending(YSorted);
  ExtremesFromSorted();
}

void TPointSet::ExtremesFromSorted() {
  if (XSorted.empty()) return;
  MinX = XSorted.front();
  MaxX = XSorted.back();
  MinY = YSorted.front();
  MaxY = YSorted.back();
}

void CountBelow(const std::vector<double>& X, const std::vector<double>& Y, const TLine& Line, Integer& Count,
                double& SumSquares) {
  for (size_t k = 0; k < X.size(); ++k) {
    const double v = LineValue(Line, X[k]);
    if (Y[k] < v) {
      ++Count;
      SumSquares += Squared(Y[k], v);
    }
  }
}

void CountBelowBoth(const std::vector<double>& X, const std::vector<double>& Y, const TLine& Line1,
                    const TLine& Line2, Integer& Count, double& SumSquares) {
  for (size_t k = 0; k < X.size(); ++k) {
    const double v1 = LineValue(Line1, X[k]);
    if (!(Y[k] < v1)) continue;
    const double v2 = LineValue(Line2, X[k]);
    if (!(Y[k] < v2)) continue;
    ++Count;
    SumSquares += Squared(Y[k], v1 < v2 ? v1 : v2);
  }
}

void CountAboveBoth(const std::vector<double>& X, const std::vector<double>& Y, const TLine& Line1,
                    const TLine& Line2, Integer& Count, double& SumSquares) {
  for (size_t k = 0; k < X.size(); ++k) {
    const double v1 = LineValue(Line1, X[k]);
    if (!(Y[k] > v1)) continue;
    const double v2 = LineValue(Line2, X[k]);
    if (!(Y[k] > v2)) continue;
    ++Count;
    // The lower of the two values, as for the pyramid (kept as the definition has it).
    SumSquares += Squared(Y[k], v1 < v2 ? v1 : v2);
  }
}

void CountBelowEither(const std::vector<double>& X, const std::vector<double>& Y, const TLine& Line1,
                      const TLine& Line2, Integer& Count, double& SumSquares) {
  for (size_t k = 0; k < X.size(); ++k) {
    const double v1 = LineValue(Line1, X[k]);
    if (Y[k] < v1 || Y[k] < LineValue(Line2, X[k])) {
      ++Count;
      SumSquares += Squared(Y[k], v1);
    }
  }
}

void MeasureShape(const TPointSet& P, TDataDistribution Distribution, TShape Shape, double bX, double bY,
                  Integer& Count, double& SumSquares) {
  const long double minX = P.MinX, maxX = P.MaxX, minY = P.MinY, maxY = P.MaxY, x = bX, y = bY;
  const bool symmetric = Distribution == TDataDistribution::Symmetric;
  switch (Shape) {
    case TShape::LeftTriangle:
      if (symmetric) {
        CountBelow(P.X, P.Y, {P.MaxX, P.MinY, -SlopeOf(maxY - minY, maxX - minX)}, Count, SumSquares);
      } else {
        // Bent at the medians: (MinX, MaxY) to (mX, mY) to (MaxX, MinY), both lines extended.
        CountBelowEither(P.X, P.Y, {bX, bY, SlopeOf(maxY - y, minX - x)}, {bX, bY, SlopeOf(y - minY, x - maxX)},
                         Count, SumSquares);
      }
      break;
    case TShape::RightTriangle:
      if (symmetric) {
        CountBelow(P.X, P.Y, {P.MinX, P.MinY, SlopeOf(maxY - minY, maxX - minX)}, Count, SumSquares);
      } else {
        CountBelowEither(P.X, P.Y, {bX, bY, SlopeOf(minY - y, minX - x)}, {bX, bY, SlopeOf(y - maxY, x - maxX)},
                         Count, SumSquares);
      }
      break;
    case TShape::Pyramid:
      // Edges rise from (MinX, MinY) to the apex (bX, MaxY) and fall to (MaxX, MinY).
      CountBelowBoth(P.X, P.Y, {P.MinX, P.MinY, SlopeOf(minY - maxY, minX - x)},
                     {bX, P.MaxY, SlopeOf(maxY - minY, x - maxX)}, Count, SumSquares);
      break;
    case TShape::InvertedPyramid:
      CountAboveBoth(P.X, P.Y, {P.MinX, P.MaxY, SlopeOf(maxY - minY, minX - x)},
                     {bX, P.MinY, SlopeOf(minY - maxY, x - maxX)}, Count, SumSquares);
      break;
  }
}

void MeasureBoundary(const TPointSet& P, TDataDistribution Distribution, TBoundary Boundary, double bX, double bY,
                     double mX, double mY, TPatternValues& V) {
  const long double minX = P.MinX, maxX = P.MaxX, minY = P.MinY, maxY = P.MaxY, x = mX, y = mY;
  const bool symmetric = Distribution == TDataDistribution::Symmetric;
  TLine line;
  bool above = false;
  switch (Boundary) {
    case TBoundary::UpperRight:
      V.BoundaryX1 = bX, V.BoundaryY1 = P.MaxY, V.BoundaryX2 = P.MaxX, V.BoundaryY2 = bY;
      line = {bX, P.MaxY, symmetric ? SlopeOf(maxY - minY, minX - maxX) : SlopeOf(maxY - y, x - maxX)};
      above = true;
      break;
    case TBoundary::UpperLeft:
      V.BoundaryX1 = P.MinX, V.BoundaryY1 = bY, V.BoundaryX2 = bX, V.BoundaryY2 = P.MaxY;
      line = {P.MinX, bY, symmetric ? SlopeOf(maxY - minY, maxX - minX) : SlopeOf(maxY - y, x - minX)};
      above = true;
      break;
    case TBoundary::LowerRight:
      V.BoundaryX1 = bX, V.BoundaryY1 = P.MinY, V.BoundaryX2 = P.MaxX, V.BoundaryY2 = bY;
      line = {bX, P.MinY, symmetric ? SlopeOf(maxY - minY, maxX - minX) : SlopeOf(y - minY, maxX - x)};
      break;
    case TBoundary::LowerLeft:
      V.BoundaryX1 = P.MinX, V.BoundaryY1 = bY, V.BoundaryX2 = bX, V.BoundaryY2 = P.MinY;
      line = {P.MinX, bY, symmetric ? SlopeOf(maxY - minY, minX - maxX) : SlopeOf(y - minY, minX - x)};
      break;
  }
  V.BoundaryCoefficient = line.Slope;
  V.BoundaryWithinSpace = 0;
  V.BoundarySumSquares = 0;
  for (size_t k = 0; k < P.X.size(); ++k) {
    const double v = LineValue(line, P.X[k]);
    if (above ? P.Y[k] > v : P.Y[k] < v) {
      ++V.BoundaryWithinSpace;
      V.BoundarySumSquares += Squared(P.Y[k], v);
    }
  }
}

double CalculateDispersion(const std::vector<double>& X, const std::vector<double>& Y, double mX, double mY) {
  // Quadrants: 0 upper right, 1 upper left, 2 lower left, 3 lower right.
  std::vector<double> q(4, 0.0);
  for (size_t k = 0; k < X.size(); ++k) {
    const double x = X[k], y = Y[k];
    if (x == mX && y == mY) {
      for (double& t : q) t += 0.25;
    } else if (x == mX) {
      if (y > mY) {
        q[0] += 0.5, q[1] += 0.5;
      } else {
        q[3] += 0.5, q[2] += 0.5;
      }
    } else if (y == mY) {
      if (x < mX) {
        q[2] += 0.5, q[1] += 0.5;
      } else {
        q[0] += 0.5, q[3] += 0.5;
      }
    } else if (x > mX) {
      q[y > mY ? 0 : 3] += 1;
    } else {
      q[y > mY ? 1 : 2] += 1;
    }
  }
  double mean = 0, variance = 0;
  CalculateMeanVariance(4, q, mean, variance);
  return variance;
}

double SortedMedian(const std::vector<double>& Sorted) {
  const size_t n = Sorted.size();
  if (n == 0) return 0;
  const size_t m = n / 2;
  return n % 2 == 1 ? Sorted[m] : (Sorted[m - 1] + Sorted[m]) * 0.5;
}

void MeasurePoints(const TPointSet& P, const TPatternChoice& Choice, TPatternValues& V) {
  V.WithinSpace = 0;
  V.SumSquares = 0;
  V.BoundaryWithinSpace = 0;
  const double mX = SortedMedian(P.XSorted);
  const double mY = SortedMedian(P.YSorted);
  V.Variance = CalculateDispersion(P.X, P.Y, mX, mY);
  const bool symmetric = Choice.Distribution == TDataDistribution::Symmetric;
  const double bX = symmetric ? (P.MinX + P.MaxX) / 2 : mX;
  const double bY = symmetric ? (P.MinY + P.MaxY) / 2 : mY;
  MeasureShape(P, Choice.Distribution, Choice.Shape, bX, bY, V.WithinSpace, V.SumSquares);
  CalculateSlope(P.X, P.Y, P.Count(), V.Coefficient);
  MeasureBoundary(P, Choice.Distribution, Choice.Boundary, bX, bY, mX, mY, V);
}

void DataDefinedPoints(TPointSet& P) {
  const Integer n = P.Count();
  for (Integer k = 0; k < n; ++k) std::swap(P.Y[static_cast<size_t>(k)], P.Y[static_cast<size_t>(Random(n))]);
  P.ExtremesFromSorted();
}

void UserDefinedUniformPoints(TPointSet& P, const TUniformBox& Box) {
  P.MaxX = Box.MaxX;
  P.MaxY = Box.MaxY;
  P.MinX = Box.MinX;
  P.MinY = Box.MinY;
  for (size_t k = 0; k < P.X.size(); ++k) {
    P.Y[k] = Box.MinY + RandomReal() * (Box.MaxY - Box.MinY);
    P.X[k] = Box.MinX + RandomReal() * (Box.MaxX - Box.MinX);
    P.YSorted[k] = P.Y[k];
    P.XSorted[k] = P.X[k];
  }
  SortAscending(P.XSorted);
  SortAscending(P.YSorted);
}

namespace {

// A deviate redrawn until it is positive; false when none comes within the bound.
bool PositiveDeviate(double Mean, double SD, double& Value) {
  for (Integer attempt = 0; attempt < kMaxNormalRedraws; ++attempt) {
    Value = RandG(Mean, SD);
    if (Value > 0) return true;
  }
  return false;
}

}  // namespace

bool UserDefinedNormalPoints(TPointSet& P, const TNormalParameters& Normal) {
  for (size_t k = 0; k < P.X.size(); ++k) {
    if (!PositiveDeviate(Normal.MeanY, Normal.SDY, P.Y[k])) return false;
    if (!PositiveDeviate(Normal.MeanX, Normal.SDX, P.X[k])) return false;
    P.YSorted[k] = P.Y[k];
    P.XSorted[k] = P.X[k];
  }
  SortAscending(P.XSorted);
  SortAscending(P.YSorted);
  P.ExtremesFromSorted();
  return true;
}

bool RandomizePoints(TPointSet& P, const TConstraintParameters& Parameters) {
  switch (Parameters.Constraint) {
    case TConstraint::DataDefined:
      DataDefinedPoints(P);
      return true;
    case TConstraint::UserUniform:
      UserDefinedUniformPoints(P, Parameters.Box);
      return true;
    case TConstraint::UserNormal:
      return UserDefinedNormalPoints(P, Parameters.Normal);
  }
  return true;
}

bool SimulateMacroecology(TPointSet& P, const TPatternChoice& Choice, const TConstraintParameters& Parameters,
                          Integer Iterations, std::vector<TPatternValues>& Values) {
  for (Integer i = 0; i < Iterations; ++i) {
    if (!RandomizePoints(P, Parameters)) return false;
    MeasurePoints(P, Choice, Values[static_cast<size_t>(i)]);
  }
  return true;
}
