// The text memo's paragraph records: each paragraph keeps its characters, its display lines and
// its attribute codes (the highlighting and collapsing marks laid over the text), with the
// routines that read and change them and TLinesList, a view of one paragraph's lines.
//
// Positions address the whole text from 0. A paragraph of length L holds the positions
// StartOffset .. StartOffset + L - 1; its break counts as two more (a carriage return at
// StartOffset + L, a line feed at StartOffset + L + 1), so the next paragraph begins at
// StartOffset + L + 2. Lines are display lines made by word wrapping; line numbers count
// visible lines only.
//
// A paragraph that is one line without codes keeps its length and width in two 16-bit fields;
// anything more lives in a ParExtraInfo made on demand (ddpHasExtra).
#pragma once

#include <cstdint>
#include <vector>

#include "classlib/Controls.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/Sets.h"
#include "classlib/Types.h"

class TMemoDisplay;

enum TParState {
  ddpHasExtra,       // ParExtra holds the paragraph's data
  ddpOwnTextBuffer,  // ParText belongs to the paragraph
  ddpFormatted,      // its lines are up to date
  ddpSSDone,         // start-stop scopes parsed
  ddpKeywDone,       // keywords parsed
  ddpParseAll,
  ddpNoWrap,         // never wrapped
  ddpHidden          // inside a collapsed block
};
using TParStates = Set<TParState>;

// Bits 0 to 4 hold the paragraph's block level 0..31.
enum TBlockState { ddbLevel1, ddbLevel2, ddbLevel4, ddbLevel8, ddbLevel16, ddbCollapsed, ddbEndBlock, ddbStartBlock };
using TBlockStates = Set<TBlockState>;
inline int BlockLevel(TBlockStates States) { return static_cast<int>(States.Bits() & 31); }

enum dInfoCollpsState { dddCollapsible, dddCollapsed };
using dInfoCollpsStates = Set<dInfoCollpsState>;

// One display line: it shows the paragraph's characters Start to Stop - 1.
struct LineInfo {
  int32_t Start = 0;
  int32_t Stop = 0;
  int32_t LineWidth = 0;     // pixels of the line's text
  int32_t TotalWidth = 0;    // pixels including trailing spaces
  int32_t TotalColumns = 0;
  int32_t Spaces = 0;        // spaces justification may stretch
  int32_t JustifyStart = 0;  // justification spreads spaces from here (after the last tab)
  TFontStyles StartAttrib;   // the style style codes give at the line's start (bits 0..5)
  uint32_t StartDynNb = 0;   // the paragraph's attribute codes before the line's start
  bool Hidden = false;
};

// DynStyle bits: bit 7 a highlight with its own style and colours, bits 7 and 6 together the
// start of a start-stop scope (or a keyword), the low six bits font style bits.
constexpr Byte kDynHighlight = 0x80;
constexpr Byte kDynScope = 0xC0;
constexpr int kMaxScopeLevels = 16;

// One attribute code.
struct DynInfoRec {
  // Where the code takes effect in the paragraph; a shared start-of-paragraph copy keeps its
  // reference count here instead.
  int32_t DynOffset = 0;
  Byte DynStyle = 0;
  int8_t Level = 0;  // nesting level of the scope the code opens, -1 when none
  Byte CollpsLevel = 0;
  dInfoCollpsStates CollpsState;
  TColor Backgnd = -1;  // -1 keeps the surrounding colours
  TColor Foregnd = -1;
  int32_t Context = 0;
  TCursor Cursor = crDefault;
  int16_t KeyIndex[kMaxScopeLevels] = {};  // per scope level, the index of the scope's key
  uint16_t StartKlen = 0;
  uint16_t StopKLen = 0;
};
using pDynInfoRec = DynInfoRec*;
using TDynInfoArray = std::vector<DynInfoRec>;

// A paragraph's data beyond a single plain line.
struct ParExtraInfo {
  TColor Foregnd = -1;
  TColor Backgnd = -1;
  int32_t ParLength = 0;
  LineInfo FirstLine;
  pDynInfoRec StartDynAttrib = nullptr;  // the attribute in force at the paragraph's start
  std::vector<LineInfo> Lines;           // display lines 2 to n
  TDynInfoArray DynCodes;                // in increasing DynOffset order
  uint32_t BlocksCollapsed = 0;          // bit k: block level k + 2 is collapsed here
  Byte StartBlockCount = 0;
  Byte StopBlockCount = 0;
  int32_t HiddenLinesBefore = 0;
};

// One paragraph. Without ddpHasExtra the 16-bit ParLength and LineWidth describe it (a
// single line without codes); with it, ParExtra does.
struct ParInfo {
  char16_t* ParText = nullptr;  // the characters, followed by a NUL; no break characters
  int32_t StartOffset = 0;
  // The paragraph's first visible line; a hidden paragraph keeps the line after its collapsed
  // block's first line.
  int32_t StartLine = 0;
  TParStates ParState;
  TBlockStates BlockState;
  uint16_t ParLength = 0;
  uint16_t LineWidth = 0;
  ParExtraInfo* ParExtra = nullptr;
};

// Code Index of a paragraph that has extra information.
inline DynInfoRec& CodeAt(ParInfo& Par, int Index) { return Par.ParExtra->DynCodes[static_cast<size_t>(Index)]; }

// ---- Attributes ----

// The attribute of plain text: both colours -1, everything else 0. It is never freed.
pDynInfoRec DefaultAttrib();
// A heap copy with reference count 1.
pDynInfoRec CopyAttrib(const DynInfoRec& Attrib);
// Drops one reference of a shared copy and frees it at 0; nil and the default do nothing.
void ReleaseAttrib(pDynInfoRec Attrib);
// Level when DynStyle has both top bits, else -1.
int ScopeLevel(const DynInfoRec& Attrib);
// CollpsLevel of a highlight, else 0.
int CollapseLevel(const DynInfoRec& Attrib);

// ---- Paragraphs ----

int GetParLength(const ParInfo& Par);
void MakeParExtra(ParInfo& Par);
int GetDynCount(const ParInfo& Par);
void SetDynCount(ParInfo& Par, int N);
int GetLineCount(const ParInfo& Par);
pDynInfoRec GetStartAttrib(const ParInfo& Par);
// Nil stands for the default attribute. A highlight gives the paragraph extra data and either
// a new shared copy (Copy) or the attribute itself with one more reference.
void SetStartAttrib(ParInfo& Par, pDynInfoRec Attrib, bool Copy);
// The paragraph's first line, built from the 16-bit fields when it has no extra data.
LineInfo ParFirstLineInfo(const ParInfo& Par);
// Sets the length, moving to extra data when the 16-bit field cannot hold it.
void SetParLength(ParInfo& Par, int Length);
// Frees what the paragraph owns: its text (when its own), its extra data and start attribute.
void FreeParData(ParInfo& Par);

// ---- Text ----

// The style codes: 2 bold (bit 0), 1 italic (bit 1), 21 underline (bit 2), 3 bit 4, 4 bit 5.
bool IsStyleCode(char16_t Ch);
void ToggleStyleBit(Byte& Style, int Bit);
// Flips the bit a style code stands for; false (and nothing changes) for other characters.
bool ApplyStyleCode(Byte& Style, char16_t Ch);
inline Byte StyleByte(TFontStyles Styles) { return static_cast<Byte>(Styles.Bits()); }
inline TFontStyles StyleSet(Byte Style) { return TFontStyles::FromBits(Style); }
// Width of the text measured in pieces of at most Chunk characters.
int MeasureText(TMemoDisplay* Device, const char16_t* Text, int N, int Chunk);
// The first occurrence of Ch in a NUL-terminated text, or nullptr.
const char16_t* ScanChar(const char16_t* Text, char16_t Ch);
// A character code cut to 255, for tests against 8-bit delimiter sets.
inline Byte Clamp255(char16_t Ch) { return Ch > 255 ? Byte{255} : static_cast<Byte>(Ch); }
// Upper-cases Length characters in place through the platform.
void UpperCaseInPlace(char16_t* Text, int Length);

// ---- A paragraph's display lines ----

class TLinesList : public TObject {
 public:
  explicit TLinesList(ParInfo* Par = nullptr) : LLPar(Par) {}

  ParInfo* LLPar;  // the paragraph shown

  // Index 0 is the first line; out of range raises ERangeError "List index out of bounds".
  LineInfo Get(int Index) const;
  void Put(int Index, const LineInfo& Item);
  int Count() const;
  // Below 1 counts as 1; 2 or more gives the paragraph extra data.
  void SetCount(int N);
  int Add(const LineInfo& Item);

 private:
  mutable LineInfo fFirstLine;  // the first line of a paragraph without extra data
};
