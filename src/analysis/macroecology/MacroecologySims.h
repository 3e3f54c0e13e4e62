// The macroecology core: how an X-Y point set fills a shape, crowds against a boundary line,
// spreads over the quadrants around its medians and slopes, and the random point sets it is
// compared with. No forms: the run hands in the point set, the choices and the constraint's
// parameters; draws come from the program's one random source in the order given below.
//
// Every edge and boundary is a line through an anchor (x0, y0) with slope s. Its value at x is
// s*x - s*x0 + y0 in extended precision, rounded to a double before it is compared with a
// point's y; comparisons are strict, so a point on a line is not beyond it. A slope whose
// denominator is exactly 0 is 0 (a horizontal line through its anchor).
#pragma once

#include <vector>

#include "analysis/common/RunServices.h"
#include "classlib/Types.h"

enum class TDataDistribution { Symmetric, Asymmetric };
enum class TShape { LeftTriangle, RightTriangle, Pyramid, InvertedPyramid };
enum class TBoundary { UpperRight, UpperLeft, LowerRight, LowerLeft };
enum class TConstraint { DataDefined, UserUniform, UserNormal };

struct TLine {
  double X0 = 0;
  double Y0 = 0;
  double Slope = 0;
};

// The line's value at X, as described above.
double LineValue(const TLine& Line, double X);
// Numerator / Denominator, or 0 when the denominator is exactly 0.
double SlopeOf(long double Numerator, long double Denominator);

// The point set under test: point k is (X[k], Y[k]); XSorted and YSorted hold the same values
// ascending; the extremes are those the shapes and boundaries are built on.
struct TPointSet {
  std::vector<double> X, Y;
  std::vector<double> XSorted, YSorted;
  double MinX = 0, MaxX = 0, MinY = 0, MaxY = 0;
  Integer Count() const { return static_cast<Integer>(X.size()); }
  // The lists from the given values, the sorted copies, and the extremes from them.
  void Assign(const std::vector<double>& Xs, const std::vector<double>& Ys);
  // MinX .. MaxY := the first and last sorted values.
  void ExtremesFromSorted();
};

// What a point set measures as.
struct TPatternValues {
  Integer WithinSpace = 0;         // points inside the shape
  double SumSquares = 0;           // their squared vertical distances to its edge
  Integer BoundaryWithinSpace = 0; // points beyond the boundary line
  double BoundarySumSquares = 0;
  double BoundaryCoefficient = 0;  // the boundary line's slope
  double Variance = 0;             // dispersion of the quadrant counts
  double Coefficient = 0;          // least-squares slope of Y on X
  // The boundary line's end points, as the charts draw it.
  double BoundaryX1 = 0, BoundaryY1 = 0, BoundaryX2 = 0, BoundaryY2 = 0;
};

struct TPatternChoice {
  TDataDistribution Distribution = TDataDistribution::Symmetric;
  TShape Shape = TShape::LeftTriangle;
  TBoundary Boundary = TBoundary::UpperRight;
};

// ---- shape counters: add to Count and SumSquares (set to 0 by the caller).

// Points below Line; distances to it.
void CountBelow(const std::vector<double>& X, const std::vector<double>& Y, const TLine& Line, Integer& Count,
                double& SumSquares);
// Points below both lines (the second tested only after the first passed); distances to the
// lower of the two line values.
void CountBelowBoth(const std::vector<double>& X, const std::vector<double>& Y, const TLine& Line1,
                    const TLine& Line2, Integer& Count, double& SumSquares);
// Points above both lines; distances to the lower of the two line values.
void CountAboveBoth(const std::vector<double>& X, const std::vector<double>& Y, const TLine& Line1,
                    const TLine& Line2, Integer& Count, double& SumSquares);
// Points below either line, counted once; distances always to Line1.
void CountBelowEither(const std::vector<double>& X, const std::vector<double>& Y, const TLine& Line1,
                      const TLine& Line2, Integer& Count, double& SumSquares);

// The shape's count and sum of squares on the extremes and the apex or bend (bX, bY): the
// midpoints of the extremes (symmetric) or the medians (asymmetric).
void MeasureShape(const TPointSet& P, TDataDistribution Distribution, TShape Shape, double bX, double bY,
                  Integer& Count, double& SumSquares);

// The boundary line of a corner, its slope, and the count and sum of squares of the points
// beyond it. (bX, bY) as for the shapes; (mX, mY) are the medians.
void MeasureBoundary(const TPointSet& P, TDataDistribution Distribution, TBoundary Boundary, double bX, double bY,
                     double mX, double mY, TPatternValues& Values);

// Sample variance (divisor 3) of the four quadrant totals around (mX, mY): a point on a median
// shares its 1 between the two quadrants on its side, a point on both medians a quarter each.
double CalculateDispersion(const std::vector<double>& X, const std::vector<double>& Y, double mX, double mY);

// Median of ascending values: the middle one, or the mean of the two middle ones.
double SortedMedian(const std::vector<double>& Sorted);

// The seven values of a point set (Do_Symmetric / Do_Asymmetric): dispersion around the
// medians, the shape, the least-squares slope, the boundary. P must hold at least one point.
void MeasurePoints(const TPointSet& P, const TPatternChoice& Choice, TPatternValues& Values);

// ---- random point sets

struct TUniformBox {
  double MinX = 0, MaxX = 1, MinY = 0, MaxY = 1;
};

struct TNormalParameters {
  double MeanX = 5, SDX = 1, MeanY = 5, SDY = 1;
};

struct TConstraintParameters {
  TConstraint Constraint = TConstraint::DataDefined;
  TUniformBox Box;
  TNormalParameters Normal;
};

// How many deviates the normal generator draws for one value before it gives up.
inline constexpr Integer kMaxNormalRedraws = 100000;

// Data-defined: for k = 0 .. n-1, Y[k] and Y[Random(n)] change places (from the order the
// last call left); X, the sorted values and the extremes stay.
void DataDefinedPoints(TPointSet& P);
// Uniform in the box: per point y := MinY + r (MaxY - MinY), then x := MinX + r' (MaxX - MinX);
// the sorted values follow; the extremes are the box's, not the drawn values'.
void UserDefinedUniformPoints(TPointSet& P, const TUniformBox& Box);
// Normal: per point y, then x, each a deviate redrawn until it is > 0; the extremes are the
// drawn ones. False when a value stays <= 0 for kMaxNormalRedraws draws.
bool UserDefinedNormalPoints(TPointSet& P, const TNormalParameters& Normal);
// The constraint's generator; false only when the normal generator gives up.
bool RandomizePoints(TPointSet& P, const TConstraintParameters& Parameters);

// The whole randomisation without a user interface (benchmarks): per iteration a random point
// set and its values, stored at [i].
bool SimulateMacroecology(TPointSet& P, const TPatternChoice& Choice, const TConstraintParameters& Parameters,
                          Integer Iterations, std::vector<TPatternValues>& Values);
