// The group body of guild structure and species overlap: group lists from labels, the index
// inside each group, the favored-states table and count, and every randomisation. Expected
// values are worked by hand (see the fixture's comments).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/presence_absence/GroupSims.h"
#include "analysis/presence_absence/PaTestSupport.h"
#include "classlib/Random.h"

namespace {

using pa_test::MakeMatrix;

// Two guilds of three species over four sites.
//   A: a1 1100, a2 0011, a3 1010 -> C-score units 4, 1, 1: mean 2
//   B: b1 1110, b2 0110, b3 0100 -> nested, units 0, 0, 0: mean 0
// Group mean 1, group variance (1 + 1) / 1 = 2.
// Favored states (table 1,0,1,0,1,0): site 1 (3 present, split 2-1) and site 3 (4 present,
// 2-2) are favored; site 2 (4 present, 1-3) is not; site 4 (1 present) cannot be.
const std::vector<std::string> kSpecies = {"1100", "0011", "1010", "1110", "0110", "0100"};
const std::vector<std::string> kGuilds = {"A", "A", "A", "B", "B", "B"};

std::vector<double> Indices(GroupSims& sims, GroupIndexKind kind) {
  std::vector<double> out(static_cast<size_t>(sims.GroupCount()), -1.0);
  EXPECT_FALSE(sims.GroupIndices(kind, out));
  return out;
}

void ExpectNear(const std::vector<double>& actual, const std::vector<double>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 1e-12) << "group " << i;
}

TEST(GroupSims, GuildFixtureGivesTheHandWorkedMeanVarianceAndFavoredStates) {
  GroupSims sims;
  sims.Begin(GroupAxis::Species, MakeMatrix(kSpecies), kGuilds);
  EXPECT_EQ(sims.GroupNames(), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(sims.GroupSizes(), (std::vector<int32_t>{3, 3}));
  const std::vector<double> index = Indices(sims, GroupIndexKind::CScore);
  ExpectNear(index, {2.0, 0.0});
  double mean = 0, variance = 0;
  CalculateMeanVariance(2, index, mean, variance);
  EXPECT_DOUBLE_EQ(mean, 1.0);
  EXPECT_DOUBLE_EQ(variance, 2.0);
  EXPECT_EQ(sims.Favored(), (std::vector<int32_t>{1, 0, 1, 0, 1, 0}));
  EXPECT_EQ(sims.FavoredStates(), 2);
}

// Every index of each group, worked by hand on the fixture. B's site 4 is empty and is dropped
// before the whole-matrix indices.
TEST(GroupSims, EveryIndexOfEachGroup) {
  struct Case {
    GroupIndexKind kind;
    std::vector<double> expected;
  };
  const Case cases[] = {
      {GroupIndexKind::CScore, {2.0, 0.0}},
      {GroupIndexKind::Checkerboards, {1.0, 0.0}},   // only a1, a2 share no site
      {GroupIndexKind::Combinations, {4.0, 3.0}},
      {GroupIndexKind::VRatio, {1.0 / 3.0, 1.5}},    // (1/3) / 1 and 1 / (2/3)
      // A: pairs (0/4, 1/3, 1/3); B: (2/3, 1/3, 1/2)
      {GroupIndexKind::RelativeOverlap, {2.0 / 9.0, 0.5}},
      {GroupIndexKind::Union, {10.0 / 3.0, 8.0 / 3.0}},
      {GroupIndexKind::Overlap, {2.0 / 3.0, 4.0 / 3.0}},
  };
  GroupSims sims;
  sims.Begin(GroupAxis::Species, MakeMatrix(kSpecies), kGuilds);
  for (const Case& k : cases) {
    SCOPED_TRACE(static_cast<int>(k.kind));
    ExpectNear(Indices(sims, k.kind), k.expected);
  }
}

// Species overlap's summaries over the two groups, worked by hand from the values above.
TEST(GroupSims, OverlapGroupMeansAndVariances) {
  struct Case {
    GroupIndexKind kind;
    double mean, variance;
  };
  const Case cases[] = {
      {GroupIndexKind::RelativeOverlap, 13.0 / 36.0, 25.0 / 648.0},
      {GroupIndexKind::Union, 3.0, 2.0 / 9.0},
      {GroupIndexKind::Overlap, 1.0, 2.0 / 9.0},
  };
  GroupSims sims;
  sims.Begin(GroupAxis::Species, MakeMatrix(kSpecies), kGuilds);
  for (const Case& k : cases) {
    SCOPED_TRACE(static_cast<int>(k.kind));
    double mean = 0, variance = 0;
    CalculateMeanVariance(2, Indices(sims, k.kind), mean, variance);
    EXPECT_NEAR(mean, k.mean, 1e-12);
    EXPECT_NEAR(variance, k.variance, 1e-12);
  }
}

// Regions X (sites 1, 2) and Y (sites 3, 4). X holds a1 11, a3 10, b1 11, b2 01, b3 01: units
// 1 for (a3, b2) and (a3, b3), 0 otherwise, mean 2/10. Y holds a2 11, a3 10, b1 10, b2 10,
// nested: 0. The species of a region are only those present in it.
TEST(GroupSims, RegionsGroupTheSites) {
  GroupSims sims;
  sims.Begin(GroupAxis::Sites, MakeMatrix(kSpecies), {"X", "X", "Y", "Y"});
  EXPECT_EQ(sims.GroupSizes(), (std::vector<int32_t>{2, 2}));
  ExpectNear(Indices(sims, GroupIndexKind::CScore), {0.2, 0.0});
  EXPECT_EQ(sims.FavoredStates(), 0);
}

TEST(GroupSims, LabelsAreComparedExactly) {
  GroupSims sims;
  sims.Begin(GroupAxis::Species, MakeMatrix(kSpecies), {"b", "A", "a", "A", "b", "a "});
  EXPECT_EQ(sims.GroupNames(), (std::vector<std::string>{"b", "A", "a", "a "}));
  EXPECT_EQ(sims.GroupSizes(), (std::vector<int32_t>{2, 2, 1, 1}));
  EXPECT_EQ(sims.SmallestGroup(), 1);
  EXPECT_EQ(sims.LabelOf(4), 0);
}

// A group without any presence has index 0 and is reported; the others are still computed.
TEST(GroupSims, AnEmptyGroupGetsZeroAndIsReported) {
  GroupSims sims;
  sims.Begin(GroupAxis::Species, MakeMatrix({"1100", "0011", "0000", "0000"}), {"A", "A", "E", "E"});
  std::vector<double> out(2, -1.0);
  EXPECT_TRUE(sims.GroupIndices(GroupIndexKind::Union, out));
  ExpectNear(out, {4.0, 0.0});
}

TEST(GroupSims, FavoredTableDealsSpeciesInTurn) {
  struct Case {
    std::vector<int32_t> sizes;
    std::vector<int32_t> table;
  };
  const Case cases[] = {
      {{3, 3}, {1, 0, 1, 0, 1, 0}},
      {{4, 1}, {1, 0, 1, 2, 3}},  // once the small guild is full the large one takes the rest
      {{2, 2, 2}, {1, 1, 0, 1, 1, 0}},
      {{1, 3}, {1, 0, 1, 2}},
  };
  for (const Case& k : cases) {
    std::vector<int32_t> table(k.table.size(), -1);
    GroupSims::FavoredTable(k.sizes, table);
    EXPECT_EQ(table, k.table);
  }
}

// Sites with 0, 1, S-1 or S species are never favored, although their spreads (0, 1, 1, 0)
// equal the table's entries for those counts.
TEST(GroupSims, SitesWithTooFewOrTooManySpeciesAreNeverFavored) {
  GroupSims sims;
  sims.Begin(GroupAxis::Species, MakeMatrix({"0111", "0011", "0011", "0011", "0011", "0001"}), kGuilds);
  EXPECT_EQ(sims.FavoredStates(), 0);
  // Site 3 with four species split 2-2 is favored; site 4 with five is still not.
  sims.Begin(GroupAxis::Species, MakeMatrix({"0111", "0010", "0001", "0011", "0011", "0001"}), kGuilds);
  EXPECT_EQ(sims.FavoredStates(), 1);
}

// ---- randomisations

struct Snapshot {
  Matrix presence;                  // 0/1 [site][species] with totals
  std::vector<int32_t> labels;
  std::multiset<int32_t> sources;   // every cell's origin, once each
};

Snapshot Take(const GroupSims& sims) {
  Snapshot s;
  const int32_t S = sims.Sites(), n = sims.Species();
  s.presence.SetLength(S + 1, n + 1);
  for (int32_t c = 1; c <= S; ++c)
    for (int32_t r = 1; r <= n; ++r) {
      s.presence[c][r] = sims.Present(c, r) ? 1 : 0;
      int32_t fc = 0, fr = 0;
      sims.Source(c, r, fc, fr);
      s.sources.insert(fc * 1000 + fr);
    }
  CalculateMargins_Size(s.presence, S, n);
  for (int32_t u = 0; u < sims.Units(); ++u) s.labels.push_back(sims.LabelOf(u));
  return s;
}

std::vector<int32_t> GroupSizesOf(const std::vector<int32_t>& labels, int32_t groups) {
  std::vector<int32_t> sizes(static_cast<size_t>(groups), 0);
  for (int32_t g : labels) ++sizes[static_cast<size_t>(g)];
  return sizes;
}

TEST(GroupSims, EveryRandomisationKeepsWhatItPromises) {
  const Matrix data = pa_test::RandomMatrix(30, 12, 0.4, 5);
  std::vector<std::string> labels;
  for (int r = 0; r < 30; ++r) labels.push_back(std::string(1, static_cast<char>('A' + r % 3)));
  struct Case {
    const char* name;
    GroupShuffle kind;
    int64_t draws;       // per shuffle
    bool rows, columns;  // species (row) totals, site (column) totals kept
    bool labelsMove, cellsMove;
  };
  const Case cases[] = {
      {"labels (fixed species and sites)", GroupShuffle::Labels, 30, true, true, true, false},
      {"within sites (fixed species)", GroupShuffle::WithinSites, 30 * 12, false, true, false, true},
      {"within species (fixed sites)", GroupShuffle::WithinSpecies, 30 * 12, true, false, false, true},
      {"both (equiprobable)", GroupShuffle::Both, 2 * 30 * 12, false, false, false, true},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    GroupSims sims;
    sims.Begin(GroupAxis::Species, data, labels);
    const Snapshot before = Take(sims);
    bool rowsChanged = false, columnsChanged = false, labelsChanged = false;
    RandSeed = 99;
    for (int i = 0; i < 40; ++i) {
      const Cardinal seed = RandSeed;
      sims.Shuffle(k.kind);
      EXPECT_EQ(pa_test::DrawsSince(seed), k.draws);
      const Snapshot now = Take(sims);
      EXPECT_EQ(now.presence[0][0], before.presence[0][0]);
      EXPECT_EQ(now.sources, before.sources);
      EXPECT_EQ(GroupSizesOf(now.labels, 3), sims.GroupSizes());
      for (int r = 1; r <= 30; ++r) {
        if (k.rows) {
          EXPECT_EQ(now.presence[0][r], before.presence[0][r]) << "species " << r;
        }
        rowsChanged = rowsChanged || now.presence[0][r] != before.presence[0][r];
      }
      for (int c = 1; c <= 12; ++c) {
        if (k.columns) {
          EXPECT_EQ(now.presence[c][0], before.presence[c][0]) << "site " << c;
        }
        columnsChanged = columnsChanged || now.presence[c][0] != before.presence[c][0];
      }
      if (!k.cellsMove) {
        EXPECT_TRUE(now.presence == before.presence);
      }
      if (!k.labelsMove) {
        EXPECT_EQ(now.labels, before.labels);
      }
      labelsChanged = labelsChanged || now.labels != before.labels;
    }
    EXPECT_EQ(labelsChanged, k.labelsMove);
    EXPECT_EQ(rowsChanged, !k.rows);
    EXPECT_EQ(columnsChanged, !k.columns);
  }
}

// A matrix too large to be shuffled in place: every cell still comes from a cell of the data,
// each once, and a shuffle within species keeps the species totals.
TEST(GroupSims, LargeMatricesKeepEveryCellsOrigin) {
  const int species = 300, sites = 250;
  const Matrix data = pa_test::RandomMatrix(species, sites, 0.4, 6);
  const std::vector<std::string> labels(species, "A");
  for (GroupShuffle kind : {GroupShuffle::WithinSpecies, GroupShuffle::Both}) {
    SCOPED_TRACE(static_cast<int>(kind));
    GroupSims sims;
    sims.Begin(GroupAxis::Species, data, labels);
    const Snapshot before = Take(sims);
    RandSeed = 3;
    sims.Shuffle(kind);
    const Snapshot now = Take(sims);
    EXPECT_EQ(now.sources, before.sources);
    EXPECT_EQ(now.presence[0][0], before.presence[0][0]);
    if (kind == GroupShuffle::WithinSpecies) {
      for (int r = 1; r <= species; ++r) ASSERT_EQ(now.presence[0][r], before.presence[0][r]) << "species " << r;
    }
  }
}

// Region labels move among the sites; the cells stay.
TEST(GroupSims, RegionLabelShuffleKeepsRegionSizes) {
  GroupSims sims;
  sims.Begin(GroupAxis::Sites, MakeMatrix(kSpecies), {"X", "Y", "X", "Y"});
  const Snapshot before = Take(sims);
  RandSeed = 3;
  for (int i = 0; i < 20; ++i) {
    sims.ShuffleLabels();
    const Snapshot now = Take(sims);
    EXPECT_EQ(GroupSizesOf(now.labels, 2), (std::vector<int32_t>{2, 2}));
    EXPECT_TRUE(now.presence == before.presence);
  }
}

// Over two units the pair of draws (u = 1, then u = 2) leaves the labels swapped half the time.
TEST(GroupSims, TwoLabelsSwapWithProbabilityOneHalf) {
  GroupSims sims;
  sims.Begin(GroupAxis::Species, MakeMatrix({"10", "01"}), {"A", "B"});
  RandSeed = 12345;
  int swapped = 0;
  const int calls = 4000;
  for (int i = 0; i < calls; ++i) {
    const int32_t first = sims.LabelOf(0);
    sims.ShuffleLabels();
    if (sims.LabelOf(0) != first) ++swapped;
  }
  EXPECT_NEAR(static_cast<double>(swapped) / calls, 0.5, 0.04);
}

}  // namespace

namespace {

// A group's pair index and the favored states by their definitions, straight from the working
// table: the pairs of the group's non-empty species, shared sites s and occupied sites r.
double IndexByDefinition(const GroupSims& sims, GroupIndexKind kind, int32_t g) {
  std::vector<int32_t> members;
  for (int32_t u = 0; u < sims.Units(); ++u) {
    bool any = false;
    for (int32_t c = 1; c <= sims.Sites(); ++c) any = any || sims.Present(c, u + 1);
    if (sims.LabelOf(u) == g && any) members.push_back(u + 1);
  }
  int64_t total = 0, pairs = 0;
  for (size_t a = 0; a < members.size(); ++a)
    for (size_t b = a + 1; b < members.size(); ++b) {
      int64_t ri = 0, rj = 0, shared = 0;
      for (int32_t c = 1; c <= sims.Sites(); ++c) {
        ri += sims.Present(c, members[a]);
        rj += sims.Present(c, members[b]);
        shared += sims.Present(c, members[a]) && sims.Present(c, members[b]);
      }
      ++pairs;
      switch (kind) {
        case GroupIndexKind::CScore: total += (ri - shared) * (rj - shared); break;
        case GroupIndexKind::Checkerboards: total += shared == 0; break;
        case GroupIndexKind::Overlap: total += shared; break;
        default: total += ri + rj - shared; break;
      }
    }
  if (kind == GroupIndexKind::Checkerboards) return static_cast<double>(total);
  return pairs > 0 ? static_cast<double>(total) / static_cast<double>(pairs) : 0.0;
}

int32_t FavoredByDefinition(const GroupSims& sims) {
  int32_t count = 0;
  const int32_t n = sims.Species();
  for (int32_t c = 1; c <= sims.Sites(); ++c) {
    std::vector<int32_t> perGroup(static_cast<size_t>(sims.GroupCount()), 0);
    int32_t m = 0;
    for (int32_t r = 1; r <= n; ++r)
      if (sims.Present(c, r)) ++m, ++perGroup[static_cast<size_t>(sims.LabelOf(r - 1))];
    if (m <= 1 || m >= n - 1) continue;
    const auto [lo, hi] = std::minmax_element(perGroup.begin(), perGroup.end());
    if (*hi - *lo == sims.Favored()[static_cast<size_t>(m - 1)]) ++count;
  }
  return count;
}

}  // namespace

// Label shuffles take the pair values from a table built once, and the favored states from
// packed sites; a cell shuffle goes back to each group's own matrix. Both must give the
// definitions' values exactly, with empty species (which leave their pairs out) and guilds
// of unequal size, over more species than one packed word holds.
TEST(GroupSims, IndicesAfterEveryShuffleEqualTheirDefinitions) {
  Matrix data = pa_test::RandomMatrix(70, 9, 0.35, 17);
  for (int c = 1; c <= 9; ++c) data[c][4] = data[c][40] = data[c][41] = 0;  // three empty species
  std::vector<std::string> labels;
  for (int r = 0; r < 70; ++r) labels.push_back(r % 7 == 0 ? "small" : r % 2 ? "odd" : "even");
  for (GroupIndexKind kind : {GroupIndexKind::CScore, GroupIndexKind::Checkerboards, GroupIndexKind::Overlap,
                              GroupIndexKind::Union}) {
    GroupSims sims;
    sims.Begin(GroupAxis::Species, data, labels);
    RandSeed = 23;
    for (int i = 0; i < 30; ++i) {
      sims.Shuffle(i < 20 ? GroupShuffle::Labels : GroupShuffle::Both);
      std::vector<double> out(3, -1.0);
      sims.GroupIndices(kind, out);
      for (int32_t g = 0; g < 3; ++g)
        EXPECT_EQ(out[static_cast<size_t>(g)], IndexByDefinition(sims, kind, g))
            << "kind " << static_cast<int>(kind) << ", shuffle " << i << ", group " << g;
      // Favored states belong to the label shuffle (site totals stay as they were).
      if (i < 20) {
        EXPECT_EQ(sims.FavoredStates(), FavoredByDefinition(sims)) << "shuffle " << i;
      }
    }
  }
}
