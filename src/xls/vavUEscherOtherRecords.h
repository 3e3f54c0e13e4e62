// Rule records of a drawing's rule container, which tie connectors, arcs and callouts to the
// shapes they attach to by shape id, and the client text box atom that carries a comment's TXO.
#pragma once

#include <array>

#include "xls/vavUEscherRecords.h"

class TRuleRecord : public TEscherDataRecord {
 public:
  using TEscherDataRecord::TEscherDataRecord;
  // Forgets the shape; true when the rule cannot stand without it.
  virtual bool DeleteRef(TEscherSPRecord* aShape) = 0;
  // Links the shape ids to the drawing's SP atoms after loading.
  virtual void FixPointers() = 0;
  // Copies the rule when the shape it belongs to was copied in the current copy operation.
  virtual void ArrangeCopyRowsAndCols(TWorkSheet* dSheet);

 protected:
  // The rule's shape links and where their ids stand in the data.
  virtual Integer LinkCount() const = 0;
  virtual TEscherSPRecord*& Link(Integer Index) = 0;
  virtual size_t LinkPos(Integer Index) const = 0;
  // The link whose copy decides that the rule is copied.
  virtual Integer OwnerLink() const = 0;
  bool ForgetShape(TEscherSPRecord* aShape);
  void ResolveLinks();
  void CopyLinks(TRuleRecord& Copy);
};

template <class Derived>
class TRuleRecordOf : public TRuleRecord {
 public:
  using TRuleRecord::TRuleRecord;
  std::unique_ptr<TEscherRecord> Create(const TEscherRecordHeader& aEscherHeader, TEscherDwgGroupCache* aDwgGroupCache,
                                        TEscherDwgCache* aDwgCache, TEscherContainerRecord* aParent) const override {
    return std::make_unique<Derived>(aEscherHeader, aDwgGroupCache, aDwgCache, aParent);
  }
  std::unique_ptr<TEscherRecord> DoCopyTo(TEscherDwgCache* NewDwgCache, Integer RowOfs, Integer ColOfs,
                                          TWorkSheet* dSheet) override {
    std::unique_ptr<TEscherRecord> copy = TEscherDataRecord::DoCopyTo(NewDwgCache, RowOfs, ColOfs, dSheet);
    CopyLinks(static_cast<TRuleRecord&>(*copy));
    return copy;
  }
};

struct TConnectorRule {
  Cardinal RuleId = 0;
  Cardinal SpIds[3] = {0, 0, 0};
  Cardinal CpA = 0, CpB = 0;
};

class TEscherConnectorRuleRecord : public TRuleRecordOf<TEscherConnectorRuleRecord> {
 public:
  using TRuleRecordOf::TRuleRecordOf;
  std::array<TEscherSPRecord*, 3> Shapes{};
  TConnectorRule FConnectorRule() const;
  bool DeleteRef(TEscherSPRecord* aShape) override;
  void FixPointers() override { ResolveLinks(); }

 protected:
  Integer LinkCount() const override { return 3; }
  TEscherSPRecord*& Link(Integer Index) override { return Shapes[static_cast<size_t>(Index)]; }
  size_t LinkPos(Integer Index) const override { return 4 + 4 * static_cast<size_t>(Index); }
  Integer OwnerLink() const override { return 2; }
};

struct TArcRule {
  Cardinal RuleId = 0, SpId = 0;
};
using TCalloutRule = TArcRule;

// Arc and callout rules: one shape each.
class TEscherArcRuleRecord : public TRuleRecordOf<TEscherArcRuleRecord> {
 public:
  using TRuleRecordOf::TRuleRecordOf;
  TEscherSPRecord* Shape = nullptr;
  TArcRule FArcRule() const;
  bool DeleteRef(TEscherSPRecord* aShape) override;
  void FixPointers() override { ResolveLinks(); }

 protected:
  Integer LinkCount() const override { return 1; }
  TEscherSPRecord*& Link(Integer) override { return Shape; }
  size_t LinkPos(Integer) const override { return 4; }
  Integer OwnerLink() const override { return 0; }
};

class TEscherCalloutRuleRecord : public TRuleRecordOf<TEscherCalloutRuleRecord> {
 public:
  using TRuleRecordOf::TRuleRecordOf;
  TEscherSPRecord* Shape = nullptr;
  TCalloutRule FCalloutRule() const;
  bool DeleteRef(TEscherSPRecord* aShape) override;
  void FixPointers() override { ResolveLinks(); }

 protected:
  Integer LinkCount() const override { return 1; }
  TEscherSPRecord*& Link(Integer) override { return Shape; }
  size_t LinkPos(Integer) const override { return 4; }
  Integer OwnerLink() const override { return 0; }
};

// Align rules are not supported: a drawing holding one is refused.
class TEscherAlignRuleRecord {
 public:
  [[noreturn]] static void Refuse();
};

class TEscherClientTextBoxRecord : public TEscherRecordOf<TEscherClientTextBoxRecord, TEscherClientDataRecord> {
 public:
  using TEscherRecordOf::TEscherRecordOf;
  static std::unique_ptr<TEscherClientTextBoxRecord> CreateFromData(TEscherDwgGroupCache* aDwgGroupCache,
                                                                    TEscherDwgCache* aDwgCache,
                                                                    TEscherContainerRecord* aParent);
  WideString Text() const;
  void WriteText(const WideString& Value);

 protected:
  const TClientDataClass& ClientClass() const override;
};
