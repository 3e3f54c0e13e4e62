// Windows locale codes, as number formats name them ("[$-409]"), mapped to locale names.
#include "classlib/SysUtils.h"

namespace {
struct TLocaleCode {
  Integer LCID;
  const char* Name;
};
constexpr TLocaleCode LocaleCodes[] = {
    {0x0401, "ar_SA"}, {0x0403, "ca_ES"}, {0x0404, "zh_TW"}, {0x0405, "cs_CZ"}, {0x0406, "da_DK"},
    {0x0407, "de_DE"}, {0x0408, "el_GR"}, {0x0409, "en_US"}, {0x040A, "es_ES"}, {0x040B, "fi_FI"},
    {0x040C, "fr_FR"}, {0x040D, "he_IL"}, {0x040E, "hu_HU"}, {0x040F, "is_IS"}, {0x0410, "it_IT"},
    {0x0411, "ja_JP"}, {0x0412, "ko_KR"}, {0x0413, "nl_NL"}, {0x0414, "nb_NO"}, {0x0415, "pl_PL"},
    {0x0416, "pt_BR"}, {0x0418, "ro_RO"}, {0x0419, "ru_RU"}, {0x041A, "hr_HR"}, {0x041B, "sk_SK"},
    {0x041D, "sv_SE"}, {0x041E, "th_TH"}, {0x041F, "tr_TR"}, {0x0422, "uk_UA"}, {0x0424, "sl_SI"},
    {0x0425, "et_EE"}, {0x0426, "lv_LV"}, {0x0427, "lt_LT"}, {0x0804, "zh_CN"}, {0x0807, "de_CH"},
    {0x0809, "en_GB"}, {0x080A, "es_MX"}, {0x080C, "fr_BE"}, {0x0810, "it_CH"}, {0x0813, "nl_BE"},
    {0x0816, "pt_PT"}, {0x0C07, "de_AT"}, {0x0C09, "en_AU"}, {0x0C0A, "es_ES"}, {0x0C0C, "fr_CA"},
    {0x1009, "en_CA"}, {0x100C, "fr_CH"}, {0x1409, "en_NZ"}, {0x1809, "en_IE"}, {0x1C09, "en_ZA"},
};
}  // namespace

bool GetLocaleFormatSettings(Integer LCID, TFormatSettings& Settings) {
  for (const auto& l : LocaleCodes)
    if (l.LCID == LCID) {
      Settings = TFormatSettings::FromLocaleName(l.Name);
      return true;
    }
  return false;
}
