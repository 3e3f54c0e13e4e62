// The grid's looks: the Look presets and their names, the office and desktop styles, the older
// colour schemes, following the office theme, the control look and the outer border.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "classlib/Registry.h"
#include "grid/model/RivErodovOzar.h"

namespace {

std::unique_ptr<TRivErodovOzar> NewGrid() {
  std::unique_ptr<TRivErodovOzar> g(New<TRivErodovOzar>(nullptr));
  g->SetColCount(4);
  g->SetRowCount(4);
  return g;
}

const TColor kFace = ColorToRGB(clBtnFace);

TEST(GridLooks, ANewGridShowsTheXPLookWithoutRunningItsSetter) {
  auto g = NewGrid();
  EXPECT_EQ(g->Look(), glXP);
  EXPECT_EQ(g->VAVGradientFrom(), 0xFFFFFF);
  EXPECT_EQ(g->VAVGradientTo(), kFace);
  EXPECT_EQ(g->VAVGradientMirrorFrom(), clNone);
  EXPECT_EQ(g->ControlLook()->FixedGradientFrom(), clNone);
  EXPECT_EQ(g->ControlLook()->FixedGradientHoverFrom(), 0xFFFFFF);
  EXPECT_EQ(g->ControlLook()->ControlStyle(), RivGrid::csTheme);
  EXPECT_EQ(g->ControlLook()->CheckSize(), 15);
}

// Each look sets the colours it owns; going back to glXP restores the new grid's colours.
TEST(GridLooks, EveryLookSwitchesItsColoursAndBack) {
  struct TCase {
    TGridLook look;
    TColor from, to, mirrorFrom, selection, selectionText, active, fixedLine, gridLine, footer;
    TGridSelectionStyle selStyle;
  };
  const TCase cases[] = {
      {glStandard, kFace, clNone, clNone, clHighlight, clHighlightText, 0x808080, 0x808080, 0xC0C0C0, clBtnFace, ssDefault},
      {glSoft, kFace, clNone, clNone, clHighlight, clHighlightText, 0x808080, 0x808080, 0xC0C0C0, clBtnFace, ssDefault},
      {glClassic, kFace, clNone, clNone, clHighlight, clHighlightText, 0x808080, 0x808080, 0xC0C0C0, clBtnFace, ssDefault},
      {glVAV, 0xFFFFFF, 0xC0C0C0, clNone, 0xEACAB6, 0x000000, 0xEACAB6, 0x808080, 0xC0C0C0, 0xFFFFFF, ssDefault},
      {glListView, 0xFFFFFF, kFace, clNone, clHighlight, clHighlightText, 0x808080, 0x808080, 0xC0C0C0, clBtnFace,
       ssDefault},
      {glVista, 0xFFFFFF, 0xFFFFFF, 0xFAF8F7, 0xEACAB6, 0x000000, 0xFDF8F1, 0xD4D2D1, 0xECECF0, 0xFFFFFF, ssVista},
      {glWin7, 0xFDFCFA, 0xFAF0E6, 0xF4E6DC, 0xEACAB6, 0x000000, 0xFCEBDC, 0xD4D2D1, 0xECECF0, 0xFDFCFA, ssWin7},
      {glOffice2007, 0xFBF9F6, 0xE8DBD2, clNone, 0x5EC1F1, 0x000000, 0x9DD8F9, 0xD1BBA4, 0xF1EDEB, 0xFBF9F6,
       ssOffice2007},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.look);
    auto g = NewGrid();
    g->SetLook(c.look);
    EXPECT_EQ(g->Look(), c.look);
    EXPECT_EQ(g->VAVGradientFrom(), c.from);
    EXPECT_EQ(g->VAVGradientTo(), c.to);
    EXPECT_EQ(g->VAVGradientMirrorFrom(), c.mirrorFrom);
    EXPECT_EQ(g->SelectionColor, c.selection);
    EXPECT_EQ(g->SelectionTextColor, c.selectionText);
    EXPECT_EQ(g->ActiveCellColor, c.active);
    EXPECT_EQ(g->GridFixedLineColor(), c.fixedLine);
    EXPECT_EQ(g->GridLineColor(), c.gridLine);
    EXPECT_EQ(g->SearchFooter()->Color(), c.footer);
    EXPECT_EQ(g->SelectionStyle(), c.selStyle);
    g->SetLook(glXP);
    EXPECT_EQ(g->VAVGradientFrom(), 0xFFFFFF);
    EXPECT_EQ(g->VAVGradientTo(), kFace);
    EXPECT_EQ(g->VAVGradientMirrorFrom(), clNone);
    EXPECT_EQ(g->SelectionColor, 0xEACAB6);
    EXPECT_EQ(g->SelectionTextColor, 0x000000);
    EXPECT_EQ(g->GridLineColor(), 0xC0C0C0);
    EXPECT_EQ(g->GridFixedLineColor(), 0x808080);
    EXPECT_EQ(g->SelectionStyle(), ssDefault);
    EXPECT_EQ(g->ControlLook()->FixedGradientHoverFrom(), 0xCFD0D1);
    EXPECT_EQ(g->ControlLook()->FixedGradientDownMirrorTo(), 0x627376);
  }
}

TEST(GridLooks, TheCurrentLookAndglCustomLeaveHandEditedColours) {
  auto g = NewGrid();
  g->SetVAVGradientFrom(0x123456);
  g->SelectionColor = 0x00FF00;
  g->SetLook(glXP);
  EXPECT_EQ(g->VAVGradientFrom(), 0x123456);
  g->SetLook(glCustom);
  EXPECT_EQ(g->VAVGradientFrom(), 0x123456);
  EXPECT_EQ(g->VAVGradientTo(), kFace);
  EXPECT_EQ(g->SelectionColor, 0x00FF00);
}

class TLoadingGrid : public TRivErodovOzar {
 public:
  using TRivErodovOzar::TRivErodovOzar;
  using TRivErodovOzar::SetLoading;
};

TEST(GridLooks, WhileLoadingOnlyTheResetsRun) {
  std::unique_ptr<TLoadingGrid> g(New<TLoadingGrid>(nullptr));
  g->SetLook(glStandard);
  g->SelectionColor = 0x00FF00;
  g->SetLoading(true);
  g->SetLook(glXP);
  g->SetLoading(false);
  EXPECT_EQ(g->VAVGradientFrom(), clNone);
  EXPECT_EQ(g->SelectionColor, 0x00FF00);
}

TEST(GridLooks, LookNamesAndDisplayNames) {
  const struct {
    TGridLook look;
    const char* name;
    const char* display;
  } cases[] = {{glStandard, "glStandard", "Standard"}, {glSoft, "glSoft", "Soft"},
               {glClassic, "glClassic", "Classic"},    {glVAV, "glVAV", "VAV"},
               {glXP, "glXP", "Windows XP"},           {glListView, "glListView", "ListView"},
               {glVista, "glVista", "Windows Vista"},  {glWin7, "glWin7", "Windows 7"},
               {glOffice2007, "glOffice2007", "Office2007"}};
  for (const auto& c : cases) {
    String name, display;
    TRivErodovOzar::GetLookName(c.look, name);
    TRivErodovOzar::GetLookDisplayName(c.look, display);
    EXPECT_EQ(name, c.name);
    EXPECT_EQ(display, c.display);
  }
  String kept = "kept";
  TRivErodovOzar::GetLookName(glCustom, kept);
  TRivErodovOzar::GetLookDisplayName(glCustom, kept);
  EXPECT_EQ(kept, "kept");
}

TEST(GridStyles, EachStyleSetsItsLookGradientAndLines) {
  struct TCase {
    TRivGridStyle style;
    TGridLook look;
    TColor from, to, active, gridLine, fixedLine;
  };
  const TCase cases[] = {
      {gsOffice2003Blue, glXP, 0xFCE1CB, 0xE0A57D, 0x94E6FB, 0xC0C0C0, 0x808080},
      {gsOffice2003Silver, glXP, 0xECE2E1, 0xB39698, 0x94E6FB, 0xC0C0C0, 0x808080},
      {gsOffice2003Olive, glXP, 0xCFF0EA, 0x8CC0B1, 0x94E6FB, 0xC0C0C0, 0x808080},
      {gsOffice2003Classic, glXP, 0xFFFFFF, 0xCCD4D8, 0xD8D5D4, 0xC0C0C0, 0x808080},
      {gsOffice2007Luna, glOffice2007, 0xFBF9F6, 0xE8DBD2, 0x9DD8F9, 0xF1EDEB, 0xD1BBA4},
      {gsOffice2007Obsidian, glOffice2007, 0xF7F7F7, 0xDEDEDE, 0x9DD8F9, 0xE5D7D0, 0x808080},
      {gsWindowsXP, glXP, kFace, kFace, clBtnFace, 0xC0C0C0, 0x808080},
      {gsWhidbey, glXP, 0xFFFFFF, kFace, 0x94E6FB, 0xC0C0C0, 0x808080},
      {gsOffice2007Silver, glOffice2007, 0xF3F3F1, 0xCAC9C8, 0x99CCFF, 0xE5D7D0, 0x808080},
      {gsWindowsVista, glVista, 0xFFFFFF, 0xFFFFFF, 0xFDF8F1, 0xECECF0, 0xD4D2D1},
      {gsWindows7, glWin7, 0xFDFCFA, 0xFAF0E6, 0xFCEBDC, 0xECECF0, 0xD4D2D1},
      {gsOffice2010Blue, glOffice2007, 0xF5E7DA, 0xF5E7DA, 0x5BD5FF, 0xC0C0C0, 0xC7B0A0},
      {gsOffice2010Silver, glOffice2007, 0xE8E3DF, 0xE8E3DF, 0x5BD5FF, 0xC0C0C0, 0xBAB5B1},
      {gsOffice2010Black, glOffice2007, 0x6A6A6A, 0x6A6A6A, 0x5BD5FF, 0xC0C0C0, 0x444444},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.style);
    auto g = NewGrid();
    g->SetComponentStyle(static_cast<TVAVStyle>(c.style));
    EXPECT_EQ(g->Style(), c.style);
    EXPECT_EQ(g->Look(), c.look);
    EXPECT_EQ(g->VAVGradientFrom(), c.from);
    EXPECT_EQ(g->VAVGradientTo(), c.to);
    EXPECT_EQ(g->ActiveCellColor, c.active);
    EXPECT_EQ(g->GridLineColor(), c.gridLine);
    EXPECT_EQ(g->GridFixedLineColor(), c.fixedLine);
  }
  auto g = NewGrid();
  g->SetStyle(gsTerminal);
  EXPECT_EQ(g->Look(), glStandard);
}

// Silver and Obsidian take Luna's hover colours and selection style only when their look write
// switched the grid to glOffice2007.
TEST(GridStyles, Office2007VariantsDependOnTheLookBefore) {
  auto fresh = NewGrid();
  fresh->SetStyle(gsOffice2007Obsidian);
  EXPECT_EQ(fresh->ControlLook()->FixedGradientHoverFrom(), 0xE4E2DF);
  EXPECT_EQ(fresh->SelectionStyle(), ssOffice2007);
  EXPECT_EQ(fresh->VAVGradientMirrorFrom(), clNone);

  auto g = NewGrid();
  g->SetLook(glOffice2007);
  g->ControlLook()->SetFixedGradientHoverFrom(0x010203);
  g->SetVAVGradientMirrorTo(0x040506);
  g->SetStyle(gsOffice2007Silver);
  EXPECT_EQ(g->ControlLook()->FixedGradientHoverFrom(), 0x010203);
  EXPECT_EQ(g->VAVGradientMirrorTo(), 0x040506);
  EXPECT_EQ(g->SearchFooter()->ColorTo(), 0x040506);
  EXPECT_EQ(g->SelectionStyle(), ssDefault);
  EXPECT_EQ(g->SelectionColor, 0x95C7F5);
}

TEST(GridStyles, CustomOnlyResetsTheSelectionAndSortHeader) {
  auto g = NewGrid();
  g->SelectionColor = 0x00FF00;
  g->SelectionTextColor = 0x0000FF;
  g->SetSelectionStyle(ssWin7);
  g->SortSettings()->SetHeaderColor(0x112233);
  g->SetVAVGradientFrom(0x123456);
  g->SetStyle(gsCustom);
  EXPECT_EQ(g->SelectionColor, clHighlight);
  EXPECT_EQ(g->SelectionTextColor, clHighlightText);
  EXPECT_EQ(g->SelectionStyle(), ssDefault);
  EXPECT_EQ(g->SortSettings()->HeaderColor(), clNone);
  EXPECT_EQ(g->VAVGradientFrom(), 0x123456);
  EXPECT_EQ(g->Look(), glXP);
}

TEST(GridStyles, OlderSchemesSetGradientActiveAndFooterOnly) {
  struct TCase {
    TXPColorScheme scheme;
    TColor from, to, mirrorFrom, clFrom, active, footerTo;
  };
  const TCase cases[] = {
      {xpBlue, 0xFCE1CB, 0xE0A57D, clNone, 0xFCE1CB, 0x94E6FB, 0xE0A57D},
      {xpGreen, 0xCFF0EA, 0x8CC0B1, clNone, 0xCFF0EA, 0x94E6FB, 0x8CC0B1},
      {xpGray, 0xECE2E1, 0xB39698, clNone, 0xECE2E1, 0x94E6FB, 0xB39698},
      {vistaAero, 0xFFFFFF, 0xFFFFFF, 0xFAF8F7, 0xFFFFFF, 0x94E6FB, 0xB39698},
      {xpNone, 0xFFFFFF, kFace, clNone, clNone, 0xFFFFFF, 0xFFD9B3},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.scheme);
    auto g = NewGrid();
    g->SelectionColor = 0x00FF00;
    g->SetTheme(c.scheme);
    EXPECT_EQ(g->VAVGradientFrom(), c.from);
    EXPECT_EQ(g->VAVGradientTo(), c.to);
    EXPECT_EQ(g->VAVGradientMirrorFrom(), c.mirrorFrom);
    EXPECT_EQ(g->ControlLook()->FixedGradientFrom(), c.clFrom);
    EXPECT_EQ(g->ActiveCellColor, c.active);
    EXPECT_EQ(g->SearchFooter()->ColorTo(), c.footerTo);
    EXPECT_EQ(g->Look(), glXP);
    EXPECT_EQ(g->SelectionColor, 0x00FF00);
  }
}

TEST(ControlLook, GradientWritesReachTheGridOnlyAsTheyShould) {
  auto g = NewGrid();
  TControlLook* cl = g->ControlLook();
  cl->SetFixedGradientFrom(0x111111);
  EXPECT_EQ(g->VAVGradientFrom(), 0x111111);
  cl->SetFixedGradientFrom(clNone);
  EXPECT_EQ(g->VAVGradientFrom(), 0x111111) << "clNone leaves the grid's colour";
  cl->SetFixedGradientMirrorFrom(0x222222);
  EXPECT_EQ(g->VAVGradientMirrorFrom(), 0x222222);
  cl->SetFixedGradientMirrorFrom(clNone);
  EXPECT_EQ(g->VAVGradientMirrorFrom(), clNone) << "a mirror colour always passes on";
  cl->SetFixedGradientTo(clBtnFace);
  EXPECT_EQ(g->VAVGradientTo(), kFace) << "the grid keeps RGB values";
}

TEST(ControlLook, AssignCopiesStoredColoursAndSkipsTheFlags) {
  auto a = NewGrid();
  auto b = NewGrid();
  TControlLook* src = a->ControlLook();
  src->SetFixedGradientFrom(0x101010);
  src->SetFixedGradientMirrorTo(0x202020);
  src->SetFixedGradientDownBorder(0x303030);
  src->SetCheckSize(20);
  src->SetControlStyle(RivGrid::csFlat);
  src->SetFixedDropDownButton(true);
  src->SetFlatButton(true);
  const TColor gridFrom = b->VAVGradientFrom();
  b->ControlLook()->Assign(src);
  TControlLook* dst = b->ControlLook();
  EXPECT_EQ(dst->FixedGradientFrom(), 0x101010);
  EXPECT_EQ(dst->FixedGradientMirrorTo(), 0x202020);
  EXPECT_EQ(dst->FixedGradientDownBorder(), 0x303030);
  EXPECT_EQ(dst->CheckSize(), 20);
  EXPECT_EQ(dst->ControlStyle(), RivGrid::csFlat);
  EXPECT_FALSE(dst->FixedDropDownButton());
  EXPECT_FALSE(dst->FlatButton());
  EXPECT_EQ(b->VAVGradientFrom(), gridFrom) << "stored only";
}

class FollowTheme : public ::testing::Test {
 protected:
  void SetUp() override {
    store_ = std::filesystem::temp_directory_path() / "zorvan_grid_follow_theme.ini";
    std::filesystem::remove(store_);
    TRegistry::SetStoreFileName(store_.string());
  }
  void TearDown() override {
    TRegistry::SetStoreFileName("");
    std::filesystem::remove(store_);
  }
  static void WriteTheme(int value) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Microsoft\\Office\\12.0\\Common", true));
    reg.WriteInteger("Theme", value);
  }
  std::filesystem::path store_;
};

TEST_F(FollowTheme, AnUnknownThemeIsRecordedSoTheNextKnownOneApplies) {
  auto g = NewGrid();
  g->FollowOfficeTheme();
  EXPECT_EQ(g->Look(), glXP);
  WriteTheme(2);
  g->FollowOfficeTheme();
  EXPECT_EQ(g->Style(), gsOffice2007Silver);
  EXPECT_EQ(g->Look(), glOffice2007);
  g->SetStyle(gsOffice2003Blue);
  g->FollowOfficeTheme();
  EXPECT_EQ(g->VAVGradientFrom(), 0xFCE1CB) << "the same theme again applies nothing";
}

TEST(LookBorder, OnlyBorderedLooksWithoutFlatDrawIt) {
  auto g = NewGrid();
  g->SetBounds(0, 0, 100, 50);
  g->DrawLookBorder();
  ASSERT_EQ(g->LastLookBorder().Outlines.size(), 1u);
  EXPECT_EQ(g->LastLookBorder().Outlines[0], Rect(1, 1, 98, 48));
  EXPECT_EQ(g->LastLookBorder().Color, 0x808080);
  g->SetFlat(true);
  g->DrawLookBorder();
  EXPECT_TRUE(g->LastLookBorder().Outlines.empty());
  g->SetFlat(false);
  g->SetLook(glStandard);
  g->DrawLookBorder();
  EXPECT_TRUE(g->LastLookBorder().Outlines.empty());
}

}  // namespace
