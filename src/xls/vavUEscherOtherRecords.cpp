#include "xls/vavUEscherOtherRecords.h"

#include "xls/vavUBiffClientData.h"

// ---------------------------------------------------------------------------------------------
// Rules

bool TRuleRecord::ForgetShape(TEscherSPRecord* aShape) {
  bool found = false;
  for (Integer i = 0; i < LinkCount(); ++i)
    if (Link(i) == aShape) {
      Link(i) = nullptr;
      if (Data.size() >= LinkPos(i) + 4) SetCardinal(Data, LinkPos(i), 0);
      found = true;
    }
  return found;
}

void TRuleRecord::ResolveLinks() {
  if (Data.size() < 4) return;
  if (DwgCache && DwgCache->Solver) DwgCache->Solver->CheckMax(GetCardinal(Data, 0));
  for (Integer i = 0; i < LinkCount(); ++i) {
    Link(i) = nullptr;
    if (Data.size() < LinkPos(i) + 4 || !DwgCache || !DwgCache->Shape) continue;
    Integer index = 0;
    if (DwgCache->Shape->Find(GetCardinal(Data, LinkPos(i)), index))
      Link(i) = static_cast<TEscherSPRecord*>((*DwgCache->Shape)[index]);
  }
}

void TRuleRecord::CopyLinks(TRuleRecord& Copy) {
  for (Integer i = 0; i < LinkCount(); ++i) {
    TEscherSPRecord* shape = Link(i);
    auto* copied = shape ? static_cast<TEscherSPRecord*>(shape->CopiedTo) : nullptr;
    Copy.Link(i) = copied;
    if (Copy.Data.size() >= LinkPos(i) + 4) SetCardinal(Copy.Data, LinkPos(i), copied ? copied->ShapeId() : 0);
  }
  TEscherSolverContainerRecord* solver = Copy.DwgCache ? Copy.DwgCache->Solver : nullptr;
  if (solver && Copy.Data.size() >= 4) SetCardinal(Copy.Data, 0, solver->IncMaxRuleId());
}

void TRuleRecord::ArrangeCopyRowsAndCols(TWorkSheet* dSheet) {
  TEscherSPRecord* owner = Link(OwnerLink());
  if (!owner || !owner->CopiedTo || !DwgCache || !DwgCache->Solver) return;
  DwgCache->Solver->FContainedRecords.Add(DoCopyTo(DwgCache, 0, 0, dSheet));
}

TConnectorRule TEscherConnectorRuleRecord::FConnectorRule() const {
  TConnectorRule r;
  if (Data.size() < 24) return r;
  r.RuleId = GetCardinal(Data, 0);
  for (size_t i = 0; i < 3; ++i) r.SpIds[i] = GetCardinal(Data, 4 + 4 * i);
  r.CpA = GetCardinal(Data, 16);
  r.CpB = GetCardinal(Data, 20);
  return r;
}

bool TEscherConnectorRuleRecord::DeleteRef(TEscherSPRecord* aShape) {
  ForgetShape(aShape);
  return Shapes[2] == nullptr;
}

TArcRule TEscherArcRuleRecord::FArcRule() const {
  return Data.size() < 8 ? TArcRule{} : TArcRule{GetCardinal(Data, 0), GetCardinal(Data, 4)};
}

bool TEscherArcRuleRecord::DeleteRef(TEscherSPRecord* aShape) {
  ForgetShape(aShape);
  return Shape == nullptr;
}

TCalloutRule TEscherCalloutRuleRecord::FCalloutRule() const {
  return Data.size() < 8 ? TCalloutRule{} : TCalloutRule{GetCardinal(Data, 0), GetCardinal(Data, 4)};
}

bool TEscherCalloutRuleRecord::DeleteRef(TEscherSPRecord* aShape) {
  ForgetShape(aShape);
  return Shape == nullptr;
}

void TEscherAlignRuleRecord::Refuse() { RaiseXls(XlsMsg::NotImplementedRecord, {String("Align Rule")}); }

// ---------------------------------------------------------------------------------------------
// Client text box

std::unique_ptr<TEscherClientTextBoxRecord> TEscherClientTextBoxRecord::CreateFromData(
    TEscherDwgGroupCache* aDwgGroupCache, TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent) {
  return std::make_unique<TEscherClientTextBoxRecord>(TEscherRecordHeader{0x0000, EscherId::ClientTextbox, 0},
                                                      aDwgGroupCache, aDwgCache, aParent);
}

const TClientDataClass& TEscherClientTextBoxRecord::ClientClass() const { return TTXO::Class; }

WideString TEscherClientTextBoxRecord::Text() const {
  auto* txo = dynamic_cast<TTXO*>(ClientData.get());
  return txo ? txo->Text() : WideString();
}

void TEscherClientTextBoxRecord::WriteText(const WideString& Value) {
  if (auto* txo = dynamic_cast<TTXO*>(ClientData.get())) txo->WriteText(Value);
}
