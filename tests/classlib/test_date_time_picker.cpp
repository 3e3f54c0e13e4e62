// The platform date-time picker: fields from its format, Left and Right between them, Up and
// Down stepping one with wrap-around, digits typed into one (held while another digit could
// follow), and OnChange for every change of the value.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "classlib/DateTimePicker.h"
#include "classlib/ExtCtrls.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"

namespace {

struct PickerCase {
  const char* name;
  const char* format;
  std::function<void(TDateTimePicker*)> act;
  const char* shown;
  int changes;
};

void Key(TDateTimePicker* p, Word vk) { SendMessage(p->Handle(), WM_KEYDOWN, vk, 0); }
void Type(TDateTimePicker* p, const String& s) {
  for (char c : s) SendMessage(p->Handle(), WM_CHAR, static_cast<unsigned char>(c), 0);
}

TEST(DateTimePicker, KeysMoveBetweenFieldsStepAndTypeDigits) {
  using P = TDateTimePicker*;
  const PickerCase cases[] = {
      {"shown by its format", "dd/MM/yyyy", [](P) {}, "05/03/2024", 0},
      {"two digits set the day", "dd/MM/yyyy", [](P p) { Type(p, "12"); }, "12/03/2024", 1},
      {"a first digit is held", "dd/MM/yyyy", [](P p) { Type(p, "1"); }, "1/03/2024", 0},
      {"a digit that cannot go on sets at once", "dd/MM/yyyy", [](P p) { Type(p, "7"); }, "07/03/2024", 1},
      {"leaving the field completes it", "dd/MM/yyyy", [](P p) { Type(p, "1"); Key(p, VK_RIGHT); }, "01/03/2024", 1},
      {"Right then Up steps the month", "dd/MM/yyyy", [](P p) { Key(p, VK_RIGHT); Key(p, VK_UP); }, "05/04/2024", 1},
      {"December wraps to January", "dd/MM/yyyy", [](P p) { Key(p, VK_RIGHT); Type(p, "12"); Key(p, VK_UP); }, "05/01/2024", 2},
      {"a year takes four digits", "dd/MM/yyyy", [](P p) { Key(p, VK_END); Type(p, "199"); }, "05/03/199", 0},
      {"the fourth completes it", "dd/MM/yyyy", [](P p) { Key(p, VK_END); Type(p, "1999"); }, "05/03/1999", 1},
      {"a short year is of the 2000s", "dd/MM/yyyy", [](P p) { Key(p, VK_END); Type(p, "7"); Key(p, VK_LEFT); }, "05/03/2007", 1},
      {"the day is kept to the month", "dd/MM/yyyy", [](P p) { Type(p, "31"); Key(p, VK_RIGHT); Type(p, "2"); }, "29/02/2024", 2},
      {"Left stops at the first field", "dd/MM/yyyy", [](P p) { Key(p, VK_LEFT); Key(p, VK_DOWN); }, "04/03/2024", 1},
      {"time: hours, minutes and seconds", "HH:mm:ss", [](P p) { Type(p, "23"); Key(p, VK_RIGHT); Type(p, "59"); }, "23:59:00", 2},
      {"time: minutes wrap", "HH:mm", [](P p) { Key(p, VK_RIGHT); Key(p, VK_DOWN); }, "10:59", 1},
      {"text in quotes", "'day' d", [](P p) { Type(p, "9"); }, "day 9", 1},
  };
  for (const PickerCase& c : cases) {
    std::unique_ptr<TPanel> parent{New<TPanel>(nullptr)};
    auto* p = New<TDateTimePicker>(parent.get());
    p->SetParent(parent.get());
    if (String(c.format).find('H') != String::npos) p->SetKind(dtkTime);
    p->SetFormat(c.format);
    p->SetDateTime(EncodeDate(2024, 3, 5) + EncodeTime(10, 0, 0, 0));
    int changes = 0;
    p->OnChange = [&](TObject*) { ++changes; };
    c.act(p);
    EXPECT_EQ(p->Text(), c.shown) << c.name;
    EXPECT_EQ(changes, c.changes) << c.name;
  }
}

TEST(DateTimePicker, DateAndTimeAreTheTwoPartsOfTheValueAndLosingFocusCompletesADigit) {
  std::unique_ptr<TPanel> parent{New<TPanel>(nullptr)};
  auto* p = New<TDateTimePicker>(parent.get());
  p->SetParent(parent.get());
  p->SetDateTime(EncodeDate(2024, 3, 5) + EncodeTime(10, 30, 0, 0));
  p->SetTime(EncodeTime(8, 15, 0, 0));
  EXPECT_DOUBLE_EQ(p->DateTime(), EncodeDate(2024, 3, 5) + EncodeTime(8, 15, 0, 0));
  p->SetDate(EncodeDate(2020, 1, 2) + 0.9);
  EXPECT_DOUBLE_EQ(p->DateTime(), EncodeDate(2020, 1, 2) + EncodeTime(8, 15, 0, 0));
  EXPECT_EQ(p->FieldCount(), 3);
  p->SetFormat("dd.MM.yyyy");
  Type(p, "1");
  p->Perform(WM_KILLFOCUS, 0, 0);
  EXPECT_EQ(p->Text(), "01.01.2020");
  EXPECT_EQ(p->Perform(WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

}  // namespace
