#include "grid/dropdowns/RivListLooks.h"

#include "classlib/Colors.h"

const TListLook* FindListLook(TVAVStyle Style) {
  static const TListLook looks[] = {
      {tsOffice2003Blue, 0xD68759, 0x933803, clWhite, scOffice2007, 0x962D00, 0x962D00, clBlack},
      {tsOffice2003Silver, 0xBDA4A5, 0x957475, clNone, scOffice2007, 0x947C7C, 0x947C7C, clBlack},
      {tsOffice2003Olive, 0x82C0AF, 0x447A63, clNone, scOffice2007, 0x588060, 0x588060, clBlack},
      {tsOffice2003Classic, 0x808080, 0x808080, clNone, scOffice2007, 0x808080, 0x808080, clBlack},
      {tsOffice2007Luna, 0xFFEFE3, 0xFFD2AF, 0x723708, scOffice2007, 0xFFD2AF, 0xFFD2AF, clBlack},
      {tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, 0x433C37, scOffice2007, 0x5C534C, 0x5C534C, clBlack},
      {tsWindowsXP, clBtnFace, clBtnFace, clBlack, scCustom, clSilver, clBlack, clHighlightText},
      {tsWhidbey, 0xEBEEEF, 0x7E9898, clWhite, scOffice2007, 0x962D00, 0x962D00, clBlack},
      {tsOffice2007Silver, 0xF8F7F6, 0xE8E0DB, 0x8B4215, scOffice2007, 0x74706F, 0x74706F, clBlack},
      {tsWindowsVista, 0xFFFDF9, 0xFFFAF0, clBlack, scWindowsVista, 0xFCF2DA, 0xFCF2DA, clBlack},
      {tsWindows7, 0xFDFBFA, 0xFDF3EB, clBlack, scWindows7, 0xFBD6B8, 0xFBD6B8, clBlack},
      {tsTerminal, clBtnFace, clBtnFace, clBlack, scCustom, clGray, clGray, clHighlightText},
  };
  for (const TListLook& look : looks)
    if (look.Style == Style) return &look;
  return nullptr;
}
