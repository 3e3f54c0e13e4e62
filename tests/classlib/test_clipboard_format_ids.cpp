// Clipboard format ids registered by name, in a program of their own: the test fills the
// process-wide table.
#include <gtest/gtest.h>

#include "classlib/DragDropMime.h"
#include "classlib/OleDragDrop.h"

namespace {

TEST(ClipboardFormatIds, NamesPastTheLastIdGetNoneInsteadOfAStandardFormat) {
  const CLIPFORMAT first = RegisterClipboardFormat("Grid Column");
  EXPECT_EQ(first, 0xC000);
  EXPECT_EQ(RegisterClipboardFormat("GRID COLUMN"), first);
  CLIPFORMAT last = first;
  for (int i = 1; i <= 0xFFFF - 0xC000; ++i) last = RegisterClipboardFormat("name " + std::to_string(i));
  EXPECT_EQ(last, 0xFFFF);
  EXPECT_EQ(ClipboardFormatName(last), "name 16383");
  // One more name would have wrapped round to 0, 1 (text), 13 (wide text), 15 (file drop)...
  EXPECT_EQ(RegisterClipboardFormat("one too many"), 0);
  EXPECT_EQ(RegisterClipboardFormat("and another"), 0);
  EXPECT_EQ(RegisterClipboardFormat("grid column"), first);  // known names keep their ids

  // Dragged data from another program naming a format that gets no id: that block is left out.
  TDragMimeData mime;
  mime.SetData("application/x-zorvan-format;name=one more", "\x01\x00\x00\x00");
  mime.SetData("application/x-zorvan-format;name=Grid Column", String("\x02\x00\x00\x00", 4));
  std::shared_ptr<TBlockDataObject> data = DataObjectFromMime(mime);
  std::shared_ptr<IEnumFORMATETC> formats;
  ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, formats), S_OK);
  FORMATETC fe[4];
  uint32_t fetched = 0;
  formats->Next(4, fe, &fetched);
  ASSERT_EQ(fetched, 1u);
  EXPECT_EQ(fe[0].cfFormat, first);
}

}  // namespace
