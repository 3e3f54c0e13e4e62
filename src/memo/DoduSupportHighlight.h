// Highlighting: attribute codes laid over the text by two kinds of rules. Start-stop keys open
// a scope at a start key and close it at the matching stop key (nesting up to 16 levels, with a
// follow-on scope starting where one ends); keywords mark words or phrases that the scopes
// leave open to them. The scope pass runs paragraph by paragraph from the top and cascades
// downwards while a paragraph's end state changes; the keyword pass runs when a paragraph is
// formatted and its keywords are not marked yet. A TDoduHighlighter attached to a memo adds
// rules of its own through virtual hooks; the base class has none.
#pragma once

#include <vector>

#include "classlib/Component.h"
#include "memo/DoduSupport.h"

class TVavaDodu;
class TDoduNavigator;
class TParagraphStore;

// Scopes nest 16 deep: levels 0 to 15.
inline constexpr int kMaxNesting = 15;

// Whether Ch is one of the memo's word delimiters.
bool Delim(const TVavaDodu& Memo, char16_t Ch);

class TDoduHighlighter : public TComponent {
 public:
  explicit TDoduHighlighter(TComponent* AOwner);
  ~TDoduHighlighter() override;

  std::vector<TVavaDodu*> MemoList;  // the memos it serves

  // KeywordBase and SSBase are the memo's own keyword and start-stop key counts, so that a
  // derived highlighter numbers its rules after the memo's.
  virtual void ScanKeywords(TDoduNavigator& Start, TDoduNavigator& Stop, int KeywordBase);
  virtual bool ScanStartKeys(TDoduNavigator& Start, TDoduNavigator& Stop, int SSBase);
  virtual bool ScanStopKeys(TDoduNavigator& Start, TDoduNavigator& Stop, int SSBase);
  virtual void ExtraHook();
  virtual bool FixRange(TDoduNavigator& Start, TDoduNavigator& Stop, int KeywordBase, int SSBase);
};

// A component of the unit without operations of its own.
class TddsCollapseHandler : public TComponent {
 public:
  using TComponent::TComponent;
};

void SetHighlighter(TVavaDodu* Memo, TDoduHighlighter* Highlighter);
// Drops every code and parse mark and reformats.
void ReparseAll(TVavaDodu* Memo);
// Parses the scopes of the paragraphs after the last parsed one up to N.
void EnsureScopes(TVavaDodu* Memo, int N);
void ParseKeywordsInPars(TVavaDodu* Memo, int From, int To, bool ScopesOnly);
// The scope pass from Start to Stop; LastAttrib is the attribute that was in force at Stop.
void ParseScopes(TDoduNavigator& Start, TDoduNavigator& Stop, const DynInfoRec& LastAttrib);
void ParseKeywords(TDoduNavigator& Start, TDoduNavigator& Stop);
// Lays Code over the text from A to B (see the file for the steps).
void SetAttribRange(TParagraphStore& Store, TDoduNavigator& A, TDoduNavigator& B, bool MarkDirty, bool Highlight,
                    const DynInfoRec& Code);
// Characters From .. From + Length - 1 of the paragraph, case-folded by the memo's fold mode,
// followed by a NUL; the buffer is the memo's and holds until the next call.
const char16_t* FoldedText(TVavaDodu* Memo, const ParInfo& Par, int Number, int Length, int From);
// Folds Length characters in place by the memo's fold mode.
void FoldInPlace(TVavaDodu& Memo, char16_t* Text, int Length);
// Whether two attributes stand for the same scope state.
bool SameAttrib(const DynInfoRec& A, const DynInfoRec& B);
// Start keys open scopes in plain text and inside keyword codes, not inside a scope.
bool StartKeysAllowed(const DynInfoRec& Attrib);
bool FindStartKey(TDoduNavigator& From, TDoduNavigator& To);
bool FindStopKey(TDoduNavigator& From, TDoduNavigator& To);
// A user's highlight: a highlight that is neither a scope nor a keyword (Level -1).
bool IsPlainHighlight(const DynInfoRec& Attrib);
// Computes the start-stop keys' whole-word marks and the longest key.
void PrepareStartStopKeys(TVavaDodu* Memo);
