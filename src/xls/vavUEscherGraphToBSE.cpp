#include "xls/vavUEscherGraphToBSE.h"

#include "xls/vavUBiffMD5.h"

std::unique_ptr<TEscherBSERecord> ConvertGraphicToBSE(const ByteArray& Data, TXlsImgTypes DataType,
                                                      TEscherDwgGroupCache* aDwgGroupCache, TEscherDwgCache* aDwgCache) {
  Byte bseType = 0;
  Word blipId = 0, blipInstance = 0;
  switch (DataType) {
    case TXlsImgTypes::xli_Jpeg: bseType = 5, blipId = 0xF01D, blipInstance = 0x46A; break;
    case TXlsImgTypes::xli_Png: bseType = 6, blipId = 0xF01E, blipInstance = 0x6E0; break;
    case TXlsImgTypes::xli_Bmp: bseType = 7, blipId = 0xF01F, blipInstance = 0x7A8; break;
    default: RaiseXls(XlsMsg::WmfNeedsPng);
  }
  TMd5Stream md5;
  if (!Data.empty()) md5.WriteBuffer(Data.data(), static_cast<Integer>(Data.size()));
  const std::array<Byte, 16> uid = md5.GetDigest();

  ArrayOfByte blip(uid.begin(), uid.end());
  blip.push_back(0xFF);
  blip.insert(blip.end(), Data.begin(), Data.end());

  ArrayOfByte head(36, 0);
  head[0] = bseType;
  head[1] = 4;
  std::copy(uid.begin(), uid.end(), head.begin() + 2);
  SetWord(head, 18, 0x00FF);
  SetCardinal(head, 20, static_cast<Cardinal>(blip.size() + 8));

  TEscherBStoreRecord* store = aDwgGroupCache ? aDwgGroupCache->BStore : nullptr;
  auto bse = std::make_unique<TEscherBSERecord>(
      TEscherRecordHeader{static_cast<Word>(bseType * 16 + 2), EscherId::BSE, static_cast<Cardinal>(blip.size() + 44)},
      aDwgGroupCache, aDwgCache, store);
  bse->CopyFromData(head, TEscherRecordHeader{static_cast<Word>(blipInstance << 4), blipId, static_cast<Cardinal>(blip.size())},
                    blip);
  return bse;
}
