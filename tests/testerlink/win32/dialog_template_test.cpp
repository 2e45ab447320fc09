// The progress dialog's template and icon as compiled into Quillink.exe.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

// Reads a DLGTEMPLATEEX the way the dialog manager does: words, DWORD-aligned items.
class TemplateReader {
 public:
  TemplateReader(const BYTE* data, DWORD size) : data_(data), size_(size) {}
  WORD Word() { return Take<WORD>(); }
  DWORD Dword() { return Take<DWORD>(); }
  short Short() { return Take<short>(); }
  BYTE Byte() { return Take<BYTE>(); }
  // A text in UTF-16, or an ordinal written as "#n".
  std::string TextOrOrdinal() {
    WORD first = Word();
    if (first == 0xFFFF) return "#" + std::to_string(Word());
    std::string text;
    for (WORD c = first; c != 0 && ok_; c = Word()) text += static_cast<char>(c);
    return text;
  }
  void AlignDword() { offset_ = (offset_ + 3) & ~static_cast<DWORD>(3); }
  bool ok() const { return ok_; }

 private:
  template <typename T>
  T Take() {
    T value{};
    if (offset_ + sizeof(T) > size_) {
      ok_ = false;
      return value;
    }
    memcpy(&value, data_ + offset_, sizeof(T));
    offset_ += sizeof(T);
    return value;
  }
  const BYTE* data_;
  DWORD size_;
  DWORD offset_ = 0;
  bool ok_ = true;
};

struct Item {
  DWORD id, style;
  short x, y, cx, cy;
  std::string window_class, text;
};

TEST(DialogTemplateTest, ProgressDialogIsTemplate102) {
  std::string path = std::string(TEST_BIN_DIR) + "/Quillink.exe";
  HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr) << path;
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(102), MAKEINTRESOURCEA(5));  // RT_DIALOG
  ASSERT_NE(found, nullptr);
  const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  TemplateReader r(data, SizeofResource(module, found));

  EXPECT_EQ(r.Word(), 1);       // version
  EXPECT_EQ(r.Word(), 0xFFFF);  // extended template
  r.Dword();                    // help id
  EXPECT_EQ(r.Dword(), 0x00040000u);
  EXPECT_EQ(r.Dword(), 0x90C800C0u);
  WORD items = r.Word();
  EXPECT_EQ(items, 3);
  r.Short();
  r.Short();
  EXPECT_EQ(r.Short(), 244);
  EXPECT_EQ(r.Short(), 50);
  EXPECT_EQ(r.TextOrOrdinal(), "");  // no menu
  EXPECT_EQ(r.TextOrOrdinal(), "");  // default class
  EXPECT_EQ(r.TextOrOrdinal(), "ZEL Quarnetik");
  EXPECT_EQ(r.Word(), 8);
  r.Word();
  r.Byte();
  r.Byte();
  EXPECT_EQ(r.TextOrOrdinal(), "MS Sans Serif");

  std::vector<Item> controls;
  for (WORD i = 0; i < items && r.ok(); ++i) {
    r.AlignDword();
    Item item;
    r.Dword();
    r.Dword();
    item.style = r.Dword();
    item.x = r.Short();
    item.y = r.Short();
    item.cx = r.Short();
    item.cy = r.Short();
    item.id = r.Dword();
    item.window_class = r.TextOrOrdinal();
    item.text = r.TextOrOrdinal();
    WORD extra = r.Word();
    for (WORD b = 0; b < extra; ++b) r.Byte();
    controls.push_back(item);
  }
  ASSERT_TRUE(r.ok());
  ASSERT_EQ(controls.size(), 3u);
  const Item& bar = controls[0];
  EXPECT_EQ(bar.id, 1000u);
  EXPECT_EQ(lstrcmpiA(bar.window_class.c_str(), "msctls_progress32"), 0) << bar.window_class;
  EXPECT_EQ(bar.text, "Progress1");
  EXPECT_TRUE(bar.style & WS_BORDER);
  EXPECT_EQ((std::vector<int>{bar.x, bar.y, bar.cx, bar.cy}), (std::vector<int>{7, 30, 166, 13}));
  const Item& status = controls[1];
  EXPECT_EQ(status.id, 1001u);
  EXPECT_EQ(status.window_class, "#130");  // static
  EXPECT_EQ(status.style & 0x3, static_cast<DWORD>(SS_CENTER));
  EXPECT_EQ(status.text, "");
  EXPECT_EQ((std::vector<int>{status.x, status.y, status.cx, status.cy}),
            (std::vector<int>{7, 3, 230, 23}));
  const Item& label = controls[2];
  EXPECT_EQ(label.id, 1004u);
  EXPECT_EQ(label.window_class, "#130");
  EXPECT_EQ(label.style & 0x3, static_cast<DWORD>(SS_LEFT));
  EXPECT_EQ(label.text, "V 1.00");
  EXPECT_EQ((std::vector<int>{label.x, label.y, label.cx, label.cy}),
            (std::vector<int>{177, 32, 60, 11}));

  EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(128), MAKEINTRESOURCEA(14)), nullptr);  // icon
  FreeLibrary(module);
}

}  // namespace
