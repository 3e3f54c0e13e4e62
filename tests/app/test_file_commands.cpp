// The matrix commands of the File and Edit menus, chosen from the menu as a person does: open
// and save delimited text, close, the file report, resize, transpose, random fills and locks.
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

#include "support/ProgramFixture.h"
#include "app/ExcelExport.h"
#include "app/ZorvanRestructureMatrix.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"

namespace fs = std::filesystem;

namespace {

using Cells = std::vector<std::vector<String>>;

// Every cell inside the counts, by row.
Cells GridCells(const TStringGrid* Grid) {
  Cells cells(static_cast<size_t>(Grid->RowCount()));
  for (int r = 0; r < Grid->RowCount(); ++r)
    for (int c = 0; c < Grid->ColCount(); ++c) cells[static_cast<size_t>(r)].push_back(Grid->Cells(c, r));
  return cells;
}

// What a file dialog was asked with.
struct DialogSeen {
  String Title;
  String Filter;
  String FileName;
  int FilterIndex = 0;
  String DefaultExt;
  bool Save = false;
};

// A program started in a fresh temporary folder (the start-up folder names "Untitled.txt").
class FileCommands : public ProgramTest {
 protected:
  void SetUp() override {
    home_ = fs::current_path();
    dir_ = fs::temp_directory_path() / ("zorvan-file-commands-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::current_path(dir_);
    ProgramTest::SetUp();
    grid = Zorvan->MainGrid;
  }
  void TearDown() override {
    ProgramTest::TearDown();
    fs::current_path(home_);
    fs::remove_all(dir_);
  }

  String Path(const String& Name) const { return (dir_ / Name).string(); }
  void Write(const String& Name, const String& Bytes) const {
    std::ofstream(Path(Name), std::ios::binary) << Bytes;
  }
  String Read(const String& Name) const {
    std::ifstream in(Path(Name), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  // The menu command as the window's menu runs it: errors that escape reach the error box.
  void Choose(TMenuItem* Item) { SendMessage(Zorvan->Handle(), WM_COMMAND, Item->Command(), 0); }

  // Answers file dialogs with the given full paths in turn ("" = Cancel) and records them.
  void AnswerFileDialogs(std::vector<String> Answers) {
    answers_ = std::move(Answers);
    seen.clear();
    Application->Hooks.FileDialog = [this](TCommonDialog* d) {
      auto* dialog = dynamic_cast<TOpenDialog*>(d);
      seen.push_back({dialog->Title, dialog->Filter, dialog->FileName, dialog->FilterIndex, dialog->DefaultExt,
                      dialog->IsSaveDialog()});
      if (seen.size() > answers_.size()) {
        ADD_FAILURE() << "unexpected file dialog " << dialog->Title;
        return false;
      }
      const String& answer = answers_[seen.size() - 1];
      dialog->FileName = answer;
      return !answer.empty();
    };
  }
  void Open(TMenuItem* Item, const String& Name) {
    AnswerFileDialogs({Path(Name)});
    Choose(Item);
  }

  // Runs the resize command with Answer acting on the dialog.
  void Resize(const std::function<void(TZorvanRedoMatrix*)>& Answer) {
    auto unexpected = Application->Hooks.ModalForm;
    Application->Hooks.ModalForm = [&](TCustomForm* form) {
      ASSERT_EQ(form, ZorvanRedoMatrix);
      Answer(ZorvanRedoMatrix);
    };
    Choose(Zorvan->RestructMatrix);
    Application->Hooks.ModalForm = unexpected;
  }
  void ResizeTo(const String& Rows, const String& Cols) {
    Resize([&](TZorvanRedoMatrix* d) {
      d->Edit1->SetText(Rows);
      d->Edit2->SetText(Cols);
      d->OKButton->Click();
    });
  }

  TRivErodovOzar* grid = nullptr;
  std::vector<DialogSeen> seen;

 private:
  fs::path home_;
  fs::path dir_;
  std::vector<String> answers_;
};

const String kTextFilter = "Text files(*.txt)|*.txt|All files(*.*)|*.*";

// ---------------------------------------------------------------------------------------------
// Open

TEST_F(FileCommands, SavedMatrixOpensBackInBothDelimiters) {
  struct Case {
    TMenuItem* TZorvan::*Save;
    TMenuItem* TZorvan::*Open;
    char Separator;
  };
  for (Case k : {Case{&TZorvan::Spacedelimitedtxt1, &TZorvan::Spacedelimitedtext1, ' '},
                 Case{&TZorvan::Commadelimitedtxt2, &TZorvan::Commadelimitedtxt1, ','}}) {
    SCOPED_TRACE(k.Separator);
    Choose(Zorvan->New1);
    grid->SetCells(2, 3, "x");
    Cells before = GridCells(grid);
    AnswerFileDialogs({Path("m.txt")});
    Choose(Zorvan->*k.Save);
    String expected;
    for (const auto& row : before) {
      for (size_t c = 0; c < row.size(); ++c) expected += (c > 0 ? String(1, k.Separator) : String()) + row[c];
      expected += "\r\n";
    }
    EXPECT_EQ(Read("m.txt"), expected);

    Choose(Zorvan->Close1);
    Open(Zorvan->*k.Open, "m.txt");
    EXPECT_EQ(GridCells(grid), before);
    EXPECT_EQ(Zorvan->FileName, Path("m.txt"));
    EXPECT_EQ(Zorvan->Caption(), "Zorvan Professional: " + Path("m.txt"));
    EXPECT_EQ(grid->FDelimiter, k.Separator);
  }
  EXPECT_TRUE(Application->Hooks.Errors.empty());
}

TEST_F(FileCommands, CellsWithLineBreaksOpenBackAsOneCell) {
  const Cells cells = {{"t", "two\r\nlines", "s, 2"},
                       {"\r\nfirst", "1", "\"q\"\r\n\"\""},
                       {"b", "0", "ends\r\n"}};
  for (auto [save, open] : {std::pair{Zorvan->Spacedelimitedtxt1, Zorvan->Spacedelimitedtext1},
                            std::pair{Zorvan->Commadelimitedtxt2, Zorvan->Commadelimitedtxt1}}) {
    SCOPED_TRACE(save->Caption());
    Choose(Zorvan->Close1);
    grid->SetRowCount(3);
    grid->SetColCount(3);
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) grid->SetCells(c, r, cells[static_cast<size_t>(r)][static_cast<size_t>(c)]);
    AnswerFileDialogs({Path("m.txt")});
    Choose(save);
    Choose(Zorvan->Close1);
    Open(open, "m.txt");
    // Cells holding the separator itself still split, as they always have; the rest is intact.
    EXPECT_EQ(grid->RowCount(), 3);
    EXPECT_EQ(grid->Cells(1, 0), "two\r\nlines");
    EXPECT_EQ(grid->Cells(0, 1), "\r\nfirst");
    EXPECT_EQ(grid->Cells(2, 1), "\"q\"\r\n\"\"");
    EXPECT_EQ(grid->Cells(2, 2), "ends\r\n");
  }
}

TEST_F(FileCommands, OpenTakesTheFileRowsAndItsWidestLine) {
  struct Case {
    const char* Name;
    TMenuItem* TZorvan::*Item;
    String Bytes;
    Cells Expected;  // the rows of the grid, every column
  };
  const Cells abc = {{"t", "s1", "s2"}, {"a", "1", "0"}, {"b", "0", "1"}};
  const Case cases[] = {
      {"comma, CR LF", &TZorvan::Commadelimitedtxt1, "t,s1,s2\r\na,1,0\r\nb,0,1\r\n", abc},
      {"space, LF", &TZorvan::Spacedelimitedtext1, "t s1 s2\na 1 0\nb 0 1\n", abc},
      {"space, CR, no end", &TZorvan::Spacedelimitedtext1, "t s1 s2\ra 1 0\rb 0 1", abc},
      {"wider than the grid", &TZorvan::Commadelimitedtxt1, "t,1,2,3,4,5,6,7\r\na,0,1,0,1,0,1,0\r\n",
       {{"t", "1", "2", "3", "4", "5", "6", "7"}, {"a", "0", "1", "0", "1", "0", "1", "0"}}},
      {"quoted field", &TZorvan::Commadelimitedtxt1, "t,\"s,1\"\r\na,1\r\n", {{"t", "s,1"}, {"a", "1"}}},
      {"ragged lines", &TZorvan::Spacedelimitedtext1, "t s1\na 1 0 1\nb\n",
       {{"t", "s1", "", ""}, {"a", "1", "0", "1"}, {"b", "", "", ""}}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    Choose(Zorvan->New1);
    // Titles unlocked before: opening fixes them again.
    Choose(Zorvan->LockRowTitles);
    Choose(Zorvan->LockColumnTitles);
    Write("d.txt", k.Bytes);
    Open(Zorvan->*k.Item, "d.txt");
    EXPECT_EQ(GridCells(grid), k.Expected);
    EXPECT_EQ(Zorvan->Caption(), "Zorvan Professional: " + Path("d.txt"));
    EXPECT_EQ(grid->FixedRows(), 1);
    EXPECT_EQ(grid->FixedCols(), 1);
    EXPECT_TRUE(Zorvan->LockRowTitles->Checked());
    EXPECT_TRUE(Zorvan->LockColumnTitles->Checked());
  }
  EXPECT_EQ(seen[0].Title, "Select an ASCII file to open.");
  EXPECT_EQ(seen[0].Filter, kTextFilter);
  EXPECT_EQ(seen[0].FileName, "");
  EXPECT_FALSE(seen[0].Save);
  EXPECT_TRUE(Application->Hooks.Errors.empty());
}

TEST_F(FileCommands, ASmallFileAfterALargeMatrixLeavesNothingOfIt) {
  ResizeTo("30", "20");
  ASSERT_EQ(grid->ColCount(), 21);
  Write("small.txt", "t s1 s2\na 1 0\n");
  Open(Zorvan->Spacedelimitedtext1, "small.txt");
  EXPECT_EQ(GridCells(grid), (Cells{{"t", "s1", "s2"}, {"a", "1", "0"}}));
  // The analyses and the file report see the file's own size.
  Resize([](TZorvanRedoMatrix* d) {
    EXPECT_EQ(d->Edit1->Text(), "1");
    EXPECT_EQ(d->Edit2->Text(), "2");
    d->CancelButton->Click();
  });
  // Growing back shows no text of the old matrix.
  grid->SetColCount(21);
  grid->SetRowCount(31);
  for (int r = 0; r < 31; ++r)
    for (int c = (r < 2 ? 3 : 0); c < 21; ++c) EXPECT_EQ(grid->Cells(c, r), "") << c << "," << r;
}

// A generated matrix file: Rows lines of Cols fields.
String MatrixText(int Rows, int Cols) {
  String text;
  for (int r = 0; r < Rows; ++r) {
    for (int c = 0; c < Cols; ++c) {
      if (c > 0) text += ' ';
      text += r == 0 ? "s" : "1";
    }
    text += "\n";
  }
  return text;
}

TEST_F(FileCommands, OpenRefusesMoreDataCellsThanAnAnalysisTakes) {
  struct Case {
    const char* Name;
    int Rows, Cols;  // of the file, titles included
    const char* Why;  // nullptr: the file fits
  };
  const Case cases[] = {
      {"440 x 1000 data cells", 441, 1001, nullptr},
      {"441 x 1000 data cells", 442, 1001, "data cells"},
      {"1 x 440000 data cells", 2, 440001, nullptr},
      {"1 x 440001 data cells", 2, 440002, "columns"},
      {"440001 x 1 data cells", 440002, 2, "rows"},
      {"440002 empty lines", 440003, 0, "rows"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    Choose(Zorvan->Close1);
    const Cells before = GridCells(grid);
    const String caption = Zorvan->Caption();
    Application->Hooks.Errors.clear();
    Write("big.txt", MatrixText(k.Rows, k.Cols));
    Open(Zorvan->Spacedelimitedtext1, "big.txt");
    if (k.Why == nullptr) {
      EXPECT_TRUE(Application->Hooks.Errors.empty());
      EXPECT_EQ(grid->RowCount(), k.Rows);
      EXPECT_EQ(grid->ColCount(), k.Cols);
      EXPECT_EQ(Zorvan->FileName, Path("big.txt"));
    } else {
      EXPECT_EQ(Application->Hooks.Errors,
                (std::vector<String>{"Cannot open file \"" + Path("big.txt") + "\": it has more than 440,000 " +
                                     k.Why + "."}));
      EXPECT_EQ(GridCells(grid), before);
      EXPECT_EQ(Zorvan->Caption(), caption);
      EXPECT_EQ(Zorvan->FileName, "Untitled.txt");
    }
  }
}

TEST_F(FileCommands, OpenReadsOnlyRegularFiles) {
  // A named pipe without a writer would block a plain open for good.
  ASSERT_EQ(::mkfifo(Path("pipe.txt").c_str(), 0600), 0);
  const Cells before = GridCells(grid);
  for (const String& name : {Path("pipe.txt"), String("/dev/null"), String("/dev/zero")}) {
    SCOPED_TRACE(name);
    Application->Hooks.Errors.clear();
    AnswerFileDialogs({name});
    Choose(Zorvan->Spacedelimitedtext1);
    EXPECT_EQ(Application->Hooks.Errors, (std::vector<String>{"Cannot open file \"" + name + "\"."}));
    EXPECT_EQ(GridCells(grid), before);
  }
}

TEST_F(FileCommands, OneLineFileGivesAFreshRandomMatrix) {
  Write("one.txt", "a,b,c\r\n");
  Open(Zorvan->Commadelimitedtxt1, "one.txt");
  EXPECT_EQ(Application->Hooks.Messages, (std::vector<String>{"Row and Column counts incorrect."}));
  ASSERT_EQ(grid->RowCount(), 6);
  ASSERT_EQ(grid->ColCount(), 6);
  EXPECT_EQ(grid->Cells(0, 0), "species");
  EXPECT_EQ(grid->Cells(5, 0), "site5");
  for (int r = 1; r <= 5; ++r)
    for (int c = 1; c <= 5; ++c) EXPECT_TRUE(grid->Cells(c, r) == "0" || grid->Cells(c, r) == "1");
  EXPECT_EQ(Zorvan->FileName, Path("Untitled.txt"));
  EXPECT_EQ(grid->FixedRows(), 1);
  EXPECT_EQ(grid->FixedCols(), 1);
}

TEST_F(FileCommands, FailedOrCancelledOpenLeavesEverythingAsItWas) {
  Write("good.txt", "t s1 s2\na 1 0\nb 0 1\nc 1 1\n");
  Open(Zorvan->Spacedelimitedtext1, "good.txt");
  grid->SetCells(1, 1, "edited");
  Write("empty.txt", "");
  fs::create_directories(Path("folder.txt"));
  struct Case {
    const char* Name;
    String Answer;
    String Error;  // "" = no error
  };
  const Case cases[] = {
      {"empty file", Path("empty.txt"), "File is empty."},
      {"missing file", Path("missing.txt"), "Cannot open file \"" + Path("missing.txt") + "\"."},
      {"a folder", Path("folder.txt"), "Cannot open file \"" + Path("folder.txt") + "\"."},
      {"cancelled", "", ""},
  };
  const Cells before = GridCells(grid);
  const String caption = Zorvan->Caption();
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    for (TMenuItem* item : {Zorvan->Spacedelimitedtext1, Zorvan->Commadelimitedtxt1}) {
      Application->Hooks.Errors.clear();
      AnswerFileDialogs({k.Answer});
      Choose(item);
      EXPECT_EQ(Application->Hooks.Errors, k.Error.empty() ? std::vector<String>{} : std::vector<String>{k.Error});
      EXPECT_EQ(GridCells(grid), before);
      EXPECT_EQ(Zorvan->FileName, Path("good.txt"));
      EXPECT_EQ(Zorvan->Caption(), caption);
    }
  }
  EXPECT_TRUE(Application->Hooks.Messages.empty());
}

// ---------------------------------------------------------------------------------------------
// Save

TEST_F(FileCommands, SaveWithSpaceAsksForANameOnlyForAnUntitledMatrix) {
  // Right after start: the dialog, offering "data"; Cancel writes nothing.
  AnswerFileDialogs({""});
  Choose(Zorvan->Spacedelimitedtxt1);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Title, "Select a file name.");
  EXPECT_EQ(seen[0].Filter, kTextFilter);
  EXPECT_EQ(seen[0].FileName, "data");
  EXPECT_EQ(seen[0].FilterIndex, 1);
  EXPECT_EQ(seen[0].DefaultExt, "txt");
  EXPECT_TRUE(seen[0].Save);
  EXPECT_TRUE(fs::is_empty(Path("")));
  EXPECT_EQ(Zorvan->FileName, Path("Untitled.txt"));

  // A name without extension gets ".txt".
  AnswerFileDialogs({Path("saved")});
  Choose(Zorvan->Spacedelimitedtxt1);
  EXPECT_EQ(Zorvan->FileName, Path("saved.txt"));
  EXPECT_EQ(Zorvan->Caption(), "Zorvan Professional " + Path("saved.txt"));
  EXPECT_EQ(Read("saved.txt").substr(0, 32), "species site1 site2 site3 site4 ");

  // After opening a comma file, Save with space overwrites it under its own name, unasked.
  Write("d.txt", "t,s1\r\na,1\r\n");
  Open(Zorvan->Commadelimitedtxt1, "d.txt");
  grid->SetCells(1, 1, "7");
  AnswerFileDialogs({});
  Choose(Zorvan->Spacedelimitedtxt1);
  EXPECT_EQ(Read("d.txt"), "t s1\r\na 7\r\n");
  EXPECT_EQ(Zorvan->Caption(), "Zorvan Professional " + Path("d.txt"));
  EXPECT_TRUE(Application->Hooks.Messages.empty());
}

TEST_F(FileCommands, SaveKeepsAReadOnlyFileAndWritesThroughALink) {
  fs::create_directories(Path("real"));
  Write("real/d.txt", "t s1\na 1\n");
  fs::create_symlink("real/d.txt", Path("link.txt"));
  Open(Zorvan->Spacedelimitedtext1, "link.txt");
  grid->SetCells(1, 1, "7");
  Choose(Zorvan->Spacedelimitedtxt1);
  EXPECT_TRUE(Application->Hooks.Messages.empty());
  EXPECT_TRUE(fs::is_symlink(Path("link.txt")));
  EXPECT_EQ(Read("real/d.txt"), "t s1\r\na 7\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(Path("real")), {}), 1);

  fs::permissions(Path("real/d.txt"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  grid->SetCells(1, 1, "8");
  for (TMenuItem* item : {Zorvan->Spacedelimitedtxt1, Zorvan->Commadelimitedtxt2}) {
    Application->Hooks.Messages.clear();
    AnswerFileDialogs({Path("link.txt")});
    Choose(item);
    EXPECT_EQ(Application->Hooks.Messages, (std::vector<String>{"Error writing file."}));
    EXPECT_EQ(Read("real/d.txt"), "t s1\r\na 7\r\n");
    EXPECT_EQ(Zorvan->Caption(), "Zorvan Professional " + Path("link.txt"));
  }
}

// Every save of the matrix or of a result table writes as the text saves do: through a link
// into the file it names, never over a read-only file, and with no file left beside it.
TEST_F(FileCommands, EverySaveWritesThroughALinkAndKeepsAReadOnlyFile) {
  Application->Hooks.Shell = [](const TShellRequest&) { return 42; };
  // The workbook saves ask before they replace a file.
  Application->Hooks.MessageBox = [](const String&, const String&, UINT) { return IDYES; };
  struct Case {
    const char* Name;
    std::function<void()> Save;  // saves the matrix or a table under the name "link.xls"
    const char* Failure;
  };
  const Case cases[] = {
      {"space delimited", [this] { Choose(Zorvan->Spacedelimitedtxt1); }, "Error writing file."},
      {"comma delimited", [this] { Choose(Zorvan->Commadelimitedtxt2); }, "Error writing file."},
      {"workbook", [this] { Choose(Zorvan->Excelxls2); }, "Error saving file."},
      {"result table", [this] { ExportGridToExcel(grid, 1, 1); }, "Error saving file."},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    fs::remove_all(Path("real"));
    fs::remove(Path("link.xls"));
    fs::create_directories(Path("real"));
    Write("real/old", "old contents");
    fs::create_symlink("real/old", Path("link.xls"));

    Application->Hooks.Messages.clear();
    AnswerFileDialogs({Path("link.xls")});
    Zorvan->FileName = kUntitled;
    k.Save();
    EXPECT_TRUE(Application->Hooks.Messages.empty() ||
                Application->Hooks.Messages.back().find("Ok to overwrite") != String::npos);
    EXPECT_TRUE(fs::is_symlink(Path("link.xls")));
    const String written = Read("real/old");
    EXPECT_NE(written, "old contents");
    EXPECT_EQ(std::distance(fs::directory_iterator(Path("real")), {}), 1);

    fs::permissions(Path("real/old"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    Application->Hooks.Messages.clear();
    AnswerFileDialogs({Path("link.xls")});
    Zorvan->FileName = kUntitled;
    k.Save();
    ASSERT_FALSE(Application->Hooks.Messages.empty());
    EXPECT_EQ(Application->Hooks.Messages.back(), k.Failure);
    EXPECT_EQ(Read("real/old"), written);
    EXPECT_EQ(fs::status(Path("real/old")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(Path("real")), {}), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(Path("")), {}), 2);  // the folder and the link
  }
}

TEST_F(FileCommands, SaveWithCommaAlwaysAsks) {
  Write("d.txt", "t s1\na 1\n");
  Open(Zorvan->Spacedelimitedtext1, "d.txt");

  AnswerFileDialogs({""});
  Choose(Zorvan->Commadelimitedtxt2);
  EXPECT_EQ(seen.size(), 1u);
  EXPECT_EQ(Zorvan->FileName, Path("d.txt"));
  EXPECT_EQ(Zorvan->Caption(), "Zorvan Professional " + Path("d.txt"));
  EXPECT_EQ(Read("d.txt"), "t s1\na 1\n");

  AnswerFileDialogs({Path("c.txt")});
  Choose(Zorvan->Commadelimitedtxt2);
  EXPECT_EQ(seen.at(0).FileName, "data");
  EXPECT_EQ(Read("c.txt"), "t,s1\r\na,1\r\n");
  EXPECT_EQ(Zorvan->FileName, Path("c.txt"));
  EXPECT_EQ(Zorvan->Caption(), "Zorvan Professional " + Path("c.txt"));

  // A file that cannot be written: the writers' message, the name still taken.
  AnswerFileDialogs({Path("no/such/folder.txt")});
  Choose(Zorvan->Commadelimitedtxt2);
  EXPECT_EQ(Application->Hooks.Messages, (std::vector<String>{"Error writing file."}));
  EXPECT_EQ(Zorvan->Caption(), "Zorvan Professional " + Path("no/such/folder.txt"));
}

// ---------------------------------------------------------------------------------------------
// Close and About file

TEST_F(FileCommands, CloseResetsToAnUntitledZeroMatrix) {
  Write("d.txt", "t s1 s2 s3 s4 s5 s6 s7\na 1 2 3 4 5 6 7\nb 1 2 3 4 5 6 7\n");
  Open(Zorvan->Spacedelimitedtext1, "d.txt");
  Choose(Zorvan->LockRowTitles);
  const Cardinal seed = RandSeed;
  Choose(Zorvan->Close1);
  Cells expected(6);
  for (int r = 0; r <= 5; ++r)
    for (int c = 0; c <= 5; ++c)
      expected[r].push_back(r == 0 ? (c == 0 ? "species" : "site" + IntToStr(c)) : c == 0 ? "species" + IntToStr(r) : "0");
  EXPECT_EQ(GridCells(grid), expected);
  EXPECT_EQ(Zorvan->FileName, "Untitled.txt");
  EXPECT_EQ(Zorvan->Caption(), "Zorvan Professional Untitled.txt");
  EXPECT_EQ(grid->FixedCols(), 1);
  EXPECT_TRUE(Zorvan->LockRowTitles->Checked());
  EXPECT_EQ(RandSeed, seed);
  // Untitled without a folder still asks for a name on save.
  AnswerFileDialogs({""});
  Choose(Zorvan->Spacedelimitedtxt1);
  EXPECT_EQ(seen.size(), 1u);
}

TEST_F(FileCommands, AboutFileReportsTheSizeReadOnlyAndResizesNothing) {
  Write("d.txt", "t s1 s2 s3 s4 s5 s6 s7\na 1 2 3 4 5 6 7\nb 1 2 3 4 5 6 7\n");
  Open(Zorvan->Spacedelimitedtext1, "d.txt");
  const Cells before = GridCells(grid);
  int shown = 0;
  Application->Hooks.ModalForm = [&](TCustomForm* form) {
    ++shown;
    ASSERT_EQ(form, ZorvanRedoMatrix);
    EXPECT_EQ(form->Caption(), "About " + Path("d.txt"));
    EXPECT_EQ(ZorvanRedoMatrix->FileNameEdit->Text(), Path("d.txt"));
    EXPECT_EQ(ZorvanRedoMatrix->Edit1->Text(), "2");
    EXPECT_EQ(ZorvanRedoMatrix->Edit2->Text(), "7");
    EXPECT_TRUE(ZorvanRedoMatrix->FileNameEdit->ReadOnly());
    EXPECT_TRUE(ZorvanRedoMatrix->Edit1->ReadOnly());
    EXPECT_TRUE(ZorvanRedoMatrix->Edit2->ReadOnly());
    EXPECT_EQ(ZorvanRedoMatrix->ActiveControl(), ZorvanRedoMatrix->OKButton);
    ZorvanRedoMatrix->OKButton->Click();
  };
  Choose(Zorvan->About2);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(ZorvanRedoMatrix->ModalResult(), mrOk);
  EXPECT_EQ(GridCells(grid), before);

  // The resize dialog afterwards is editable again.
  Resize([](TZorvanRedoMatrix* d) {
    EXPECT_EQ(d->Caption(), "Resize Matrix");
    EXPECT_FALSE(d->Edit1->ReadOnly());
    EXPECT_FALSE(d->Edit2->ReadOnly());
    EXPECT_TRUE(d->FileNameEdit->ReadOnly());
  });
  EXPECT_EQ(GridCells(grid), before);
}

// ---------------------------------------------------------------------------------------------
// Resize

TEST_F(FileCommands, ResizeDialogStartsWithTheSizeAndKeepsRefusedCountsOpen) {
  ASSERT_STREQ(ZorvanRedoMatrix->Caption().c_str(), "Zorvan Professional: Resize Matrix");
  const Cells before = GridCells(grid);
  int steps = 0;
  Resize([&](TZorvanRedoMatrix* d) {
    EXPECT_EQ(d->FileNameEdit->Text(), Zorvan->FileName);
    EXPECT_EQ(d->Edit1->Text(), "5");
    EXPECT_EQ(d->Edit2->Text(), "5");
    EXPECT_EQ(d->ActiveControl(), d->Edit1);
    EXPECT_EQ(d->Old_Rows, 5);
    EXPECT_EQ(d->New_Cols, 5);
    d->Edit1->SetText("0");
    d->OKButton->Click();
    EXPECT_EQ(Application->Hooks.Messages, (std::vector<String>{"Rows must be >= 1"}));
    EXPECT_EQ(d->ModalResult(), mrNone);
    d->Edit1->SetText(" 3 rows");
    d->Edit2->SetText("none");
    d->OKButton->Click();
    EXPECT_EQ(Application->Hooks.Messages.back(), "Cols must be >= 1");
    EXPECT_EQ(d->ModalResult(), mrNone);
    ++steps;
    // Cancel with a row count already accepted: the field keeps it, the matrix does not change.
    d->CancelButton->Click();
  });
  EXPECT_EQ(steps, 1);
  EXPECT_EQ(ZorvanRedoMatrix->New_Rows, 3);
  EXPECT_EQ(GridCells(grid), before);
}

TEST_F(FileCommands, ResizeGrowsWithRandomTitlesAndOnes) {
  const Cells before = GridCells(grid);
  const Cardinal seed = RandSeed;
  ResizeTo("7", "+6xyz");
  ASSERT_EQ(grid->RowCount(), 8);
  ASSERT_EQ(grid->ColCount(), 7);
  // Added rows' titles first, then the added column's.
  RandSeed = seed;
  const String row6 = "species" + FloatToStrF(RandomReal(), ffFixed, 7, 7);
  const String row7 = "species" + FloatToStrF(RandomReal(), ffFixed, 7, 7);
  const String col6 = "site" + FloatToStrF(RandomReal(), ffFixed, 7, 7);
  EXPECT_EQ(grid->Cells(0, 6), row6);
  EXPECT_EQ(grid->Cells(0, 7), row7);
  EXPECT_EQ(grid->Cells(6, 0), col6);
  EXPECT_TRUE(std::regex_match(row6, std::regex("species0\\.\\d{7}"))) << row6;
  for (int r = 0; r <= 5; ++r)
    for (int c = 0; c <= 5; ++c) EXPECT_EQ(grid->Cells(c, r), before[r][c]);
  for (int c = 1; c <= 6; ++c) EXPECT_EQ(grid->Cells(c, 7), "1");
  for (int r = 1; r <= 7; ++r) EXPECT_EQ(grid->Cells(6, r), "1");
  EXPECT_EQ(grid->FixedRows(), 1);
  EXPECT_EQ(grid->FixedCols(), 1);

  // Shrinking drops the outer rows and columns and draws nothing.
  const Cardinal afterGrowth = RandSeed;
  ResizeTo("2", "3");
  EXPECT_EQ(GridCells(grid), (Cells{{before[0].begin(), before[0].begin() + 4},
                                    {before[1].begin(), before[1].begin() + 4},
                                    {before[2].begin(), before[2].begin() + 4}}));
  EXPECT_EQ(RandSeed, afterGrowth);
  EXPECT_TRUE(Application->Hooks.Messages.empty());
}

TEST_F(FileCommands, ResizeKeepsTheCellLimit) {
  struct Case {
    const char* Rows;
    const char* Cols;
    bool Accepted;
  };
  const Case cases[] = {
      {"201", "2200", false},
      {"65536", "65537", false},  // wraps to 65536 in 32 bits
      {"200", "2200", true},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.Rows) + "x" + k.Cols);
    Application->Hooks.Messages.clear();
    const Cells before = GridCells(grid);
    ResizeTo(k.Rows, k.Cols);
    if (k.Accepted) {
      EXPECT_TRUE(Application->Hooks.Messages.empty());
      EXPECT_EQ(grid->RowCount(), LeadingInt(k.Rows) + 1);
      EXPECT_EQ(grid->ColCount(), LeadingInt(k.Cols) + 1);
      EXPECT_EQ(grid->Cells(2200, 200), "1");
    } else {
      EXPECT_EQ(Application->Hooks.Messages, (std::vector<String>{"1 < Cell limits < 440,000, e.g. 200x2200."}));
      EXPECT_EQ(GridCells(grid), before);
    }
  }
}

TEST_F(FileCommands, RestructureGridRefusesCountsBelowOne) {
  const Cells before = GridCells(grid);
  Zorvan->RestructureGrid(5, 5, -3, -2);
  Zorvan->RestructureGrid(5, 5, 0, 7);
  EXPECT_EQ(Application->Hooks.Messages,
            (std::vector<String>{"Rows must be >= 1", "1 < Cell limits < 440,000, e.g. 200x2200."}));
  Application->Hooks.Messages.clear();
  Zorvan->RestructureGrid(5, 5, -3, 2);
  EXPECT_EQ(Application->Hooks.Messages, (std::vector<String>{"1 < Cell limits < 440,000, e.g. 200x2200."}));
  EXPECT_EQ(GridCells(grid), before);
}

// ---------------------------------------------------------------------------------------------
// Transpose, random fills, locks

TEST_F(FileCommands, TransposeSwapsRowsAndColumnsAndTwiceRestores) {
  Write("d.txt", "t,s1,s2\r\na,1,2\r\nb,3,4\r\nc,5,6\r\n");
  Open(Zorvan->Commadelimitedtxt1, "d.txt");
  ResizeTo("3", "2");  // 4 rows, 3 columns
  Choose(Zorvan->LockColumnTitles);
  const Cells before = GridCells(grid);
  const String caption = Zorvan->Caption();
  Choose(Zorvan->Transformmatrix1);
  EXPECT_EQ(GridCells(grid), (Cells{{"t", "a", "b", "c"}, {"s1", "1", "3", "5"}, {"s2", "2", "4", "6"}}));
  EXPECT_EQ(grid->FixedRows(), 0);
  EXPECT_EQ(grid->FixedCols(), 1);
  Choose(Zorvan->Transformmatrix1);
  EXPECT_EQ(GridCells(grid), before);
  EXPECT_EQ(Zorvan->FileName, Path("d.txt"));
  EXPECT_EQ(Zorvan->Caption(), caption);
}

TEST_F(FileCommands, RandomizeFillsDataCellsRowByRowAndKeepsTitles) {
  struct Case {
    TMenuItem* TZorvan::*Item;
    std::function<String()> Draw;
    const char* Pattern;
  };
  const Case cases[] = {
      {&TZorvan::N011, [] { return IntToStr(Random(2)); }, "[01]"},
      {&TZorvan::N01, [] { return FloatToStrF(RandomReal(), ffFixed, 7, 5); }, "0\\.\\d{5}"},
      {&TZorvan::N1X1001, [] { return IntToStr(Random(10)); }, "\\d"},
  };
  ResizeTo("4", "6");
  for (const Case& k : cases) {
    const Cells before = GridCells(grid);
    const Cardinal seed = RandSeed;
    Choose(Zorvan->*k.Item);
    RandSeed = seed;
    for (int r = 0; r < grid->RowCount(); ++r) {
      for (int c = 0; c < grid->ColCount(); ++c) {
        SCOPED_TRACE(IntToStr(c) + "," + IntToStr(r));
        if (r == 0 || c == 0) {
          EXPECT_EQ(grid->Cells(c, r), before[r][c]);
        } else {
          EXPECT_EQ(grid->Cells(c, r), k.Draw());
          EXPECT_TRUE(std::regex_match(grid->Cells(c, r), std::regex(k.Pattern)));
        }
      }
    }
  }
  // The parent items themselves do nothing.
  const Cells before = GridCells(grid);
  for (TMenuItem* parent : {Zorvan->Randomizematrix1, Zorvan->Open1, Zorvan->Save1}) Choose(parent);
  EXPECT_EQ(GridCells(grid), before);
}

TEST_F(FileCommands, LocksToggleTheFixedTitleRowAndColumn) {
  Choose(Zorvan->LockRowTitles);
  EXPECT_FALSE(Zorvan->LockRowTitles->Checked());
  EXPECT_EQ(grid->FixedCols(), 0);
  EXPECT_EQ(grid->FixedRows(), 1);
  Choose(Zorvan->LockColumnTitles);
  EXPECT_FALSE(Zorvan->LockColumnTitles->Checked());
  EXPECT_EQ(grid->FixedRows(), 0);
  Choose(Zorvan->LockRowTitles);
  EXPECT_TRUE(Zorvan->LockRowTitles->Checked());
  EXPECT_EQ(grid->FixedCols(), 1);
  Choose(Zorvan->LockColumnTitles);
  EXPECT_TRUE(Zorvan->LockColumnTitles->Checked());
  EXPECT_EQ(grid->FixedRows(), 1);
}

}  // namespace
