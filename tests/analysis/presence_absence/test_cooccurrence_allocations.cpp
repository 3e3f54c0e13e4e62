// The run path allocates nothing per simulated matrix and nothing per swap: counted with a
// replaced global operator new, in the engine alone (after a first matrix has sized its
// buffers) and in whole runs whose only difference is the number of iterations.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "analysis/presence_absence/CoOccurrenceChainIndex.h"
#include "analysis/presence_absence/CoocRunSupport.h"

namespace {
bool Counting = false;
long Allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
  if (Counting) ++Allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using namespace cooc_test;
using pa_test::kEq;
using pa_test::kFixed;
using pa_test::kProp;
using pa_test::kUser;

// Allocations made by f.
template <typename F>
long Count(F f) {
  Allocations = 0;
  Counting = true;
  f();
  Counting = false;
  return Allocations;
}

// Every generator and policy, with the indices the run takes on its matrices: after the first
// matrix (the sequential swap's burn-in included), fifty more allocate nothing.
TEST(RunPathAllocations, NoneInTheEngineOrTheIndicesPerMatrix) {
  const Matrix O = pa_test::RandomMatrix(30, 70, 0.35, 4);  // larger than the cache-sized fills
  const std::vector<double> sites(70, 1.0), species(30, 2.0);
  struct Case {
    const char* name;
    NullModelOptions options;
  };
  const Case cases[] = {
      {"sequential swap", pa_test::Options(kFixed, kFixed, FixedFixedAlgorithm::SequentialSwap)},
      {"sequential swap, split", pa_test::Options(kFixed, kFixed, FixedFixedAlgorithm::SequentialSwap,
                                                  DegeneratePolicy::Split)},
      {"independent swap", pa_test::Options(kFixed, kFixed, FixedFixedAlgorithm::IndependentSwap)},
      {"equiprobable", pa_test::Options(kEq, kEq)},
      {"fixed rows, equiprobable sites", pa_test::Options(kFixed, kEq)},
      {"equiprobable rows, fixed sites", pa_test::Options(kEq, kFixed)},
      {"fixed rows, proportional sites", pa_test::Options(kFixed, kProp)},
      {"user rows, user sites", pa_test::Options(kUser, kUser)},
      {"equiprobable, fix", pa_test::Options(kEq, kEq, FixedFixedAlgorithm::SequentialSwap, DegeneratePolicy::Fix)},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    CoOccurrenceSims sims;
    const InfoMat info = pa_test::InfoFor(O);
    Matrix S(O.Cols(), O.Rows());
    NullModelServices services;  // a poll, a caption and progress steps, all recording nothing
    services.Poll = [] { return false; };
    services.SetProgressCaption = [](const std::string&) {};
    services.StepProgress = [] {};
    sims.BeginRun(O, info, k.options, sites, species, services);
    PairIndexScratch scratch;
    ChainCheckerboardUnits units;
    RandSeed = 3;
    auto matrix = [&] {
      sims.SimulateMatrix(O, S, info);
      units.Follow(sims);
      CheckerboardUnitsTotal(S, info, scratch);
      OverlapTotal(S, info, scratch);
    };
    matrix();
    EXPECT_EQ(Count([&] {
                for (int i = 0; i < 50; ++i) matrix();
              }),
              0);
    EXPECT_FALSE(sims.Interrupted());
  }
}

// Whole runs, headless, of 200 and of 600 iterations: any allocation per iteration would show
// as hundreds more in the longer run.
class RunAllocations : public CoocRunTest {};

TEST_F(RunAllocations, NoneMorePerIteration) {
  const struct {
    const char* name;
    int rows, columns, index;
  } models[] = {{"sequential swap, C-score", 1, 1, 0},
                {"fixed rows, equiprobable sites, C-score", 1, 0, 0},
                {"equiprobable, C-score", 0, 0, 0},
                {"equiprobable, checkerboards", 0, 0, 1}};
  SetData(Titled({"1100110", "0110011", "1010100", "0001111", "1111000", "0101010"}));
  for (const auto& m : models) {
    SCOPED_TRACE(m.name);
    answer.rows = m.rows;
    answer.columns = m.columns;
    answer.index = m.index;
    long counts[2];
    for (int k = 0; k < 2; ++k) {
      answer.iterations = k == 0 ? String("200") : String("600");
      Zorvan->CoOccurrence1->Click();  // the first run of a size sizes the buffers
      counts[k] = Count([] { Zorvan->CoOccurrence1->Click(); });
    }
    EXPECT_LT(counts[1] - counts[0], 50) << counts[0] << " then " << counts[1];
  }
  EXPECT_EQ(resultsShown, 16);
}

}  // namespace
