#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "layout/file/LayoutContainerWriter.h"
#include "layout/file/LayoutFile.h"

namespace vemra {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ToBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

LayoutList Load(const Bytes& bytes, PictureStore& store) {
  LayoutList list{"left over"};
  LoadLayoutBytes(bytes.data(), bytes.size(), list, store);
  return list;
}

const std::string kLayout =
    "typcsz\twid85,6\thei54\r\n"
    "typfim\tdatlogo.jpg\r\n"
    "typftx\tdatfim\r\n"
    "typfim\tdatVapen.BMP\r\n";

TEST(LoadLayoutBytes, ReadsTextWithoutAHeaderOfSizesAsLines) {
  PictureStore store;
  struct Case { std::string text; LayoutList lines; } cases[] = {
      {"", {}},
      {"typcsz\r\ntypftx\r\n", {"typcsz", "typftx"}},
      {"a\nb\rc\r\n\r\nd", {"a", "b", "c", "", "d"}},
      // "þ" in a text with no header of sizes before it
      {"typcsz\r\ntypftx\tdat\xfeora\r\n", {"typcsz", "typftx\tdat\xfeora"}},
      {"\xfetypcsz", {"\xfetypcsz"}},
      {"6x\xfetypcsz", {"6x\xfetypcsz"}},
      {" 6 \t\xfetypcszXX", {"typcsz"}},  // a header of sizes: a container
  };
  for (const auto& c : cases) EXPECT_EQ(Load(ToBytes(c.text), store), c.lines) << c.text;
  EXPECT_EQ(store.Count(), 0u);
}

TEST(LoadLayoutBytes, RegistersPicturesUnderTheFimRecordsInOrder) {
  PictureStore store;
  auto bytes = WriteLayoutContainer(
      kLayout, {{"vapen.bmp", ToBytes("BMbytes")}, {"logo.jpg", ToBytes("JPEG")}});
  const std::string header = std::to_string(kLayout.size()) + "\t4\t7\xfe";
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + std::ptrdiff_t(header.size())), header);
  auto list = Load(bytes, store);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[3], "typfim\tdatVapen.BMP");
  EXPECT_EQ(store.Count(), 2u);
  ASSERT_TRUE(store.Find("LOGO.JPG"));
  EXPECT_EQ(store.Current(), ToBytes("JPEG"));
  ASSERT_TRUE(store.Find("vapen.bmp"));
  EXPECT_EQ(store.Current(), ToBytes("BMbytes"));
  EXPECT_FALSE(store.Find("fim"));
  EXPECT_TRUE(store.Current().empty());
}

TEST(LoadLayoutBytes, LoadsWhatIsThereWhenTheHeaderLies) {
  const std::string text = "typcsz\r\ntypfim\tdata.jpg\r\ntypfim\tdatb.jpg";
  const auto n = std::to_string(text.size());
  struct Case {
    std::string header;  // before 0xFE
    std::string rest;    // after it
    std::size_t lines;
    std::string a, b;    // registered bytes, "-" for not registered
  } cases[] = {
      {n + "\t2\t3", text + "AABBB", 3, "AA", "BBB"},
      {n + "\t2\t30", text + "AABBB", 3, "AA", "BBB"},            // beyond the file
      {n + "\t99999999999999999999999\t3", text + "AABBB", 3, "AABBB", ""},
      {n + "\t-5\t3", text + "BBB", 3, "", "BBB"},                // negative: empty
      {n + "\t0\t3", text + "BBB", 3, "", "BBB"},                 // empty, still embedded
      {"999999", text, 3, "-", "-"},                             // text cut by the end
      {n + "\t1\t1\t1\t1", text + "ABCD", 3, "A", "B"},           // more than fim records
      {"0\t2", "AA", 0, "-", "-"},                               // no layout text
      {"7\t2", "typcsz", 1, "-", "-"},
      {n + "\t\t2\t", text + "AA", 3, "AA", "-"},                 // empty sizes are skipped
  };
  for (const auto& c : cases) {
    PictureStore store;
    auto list = Load(ToBytes(c.header + '\xfe' + c.rest), store);
    EXPECT_EQ(list.size(), c.lines) << c.header;
    for (auto [name, want] : {std::pair{"a.jpg", c.a}, std::pair{"b.jpg", c.b}}) {
      bool found = store.Find(name);
      EXPECT_EQ(found, want != "-") << c.header << " " << name;
      if (found) {
        EXPECT_EQ(store.Current(), ToBytes(want)) << c.header << " " << name;
      }
    }
  }
}

TEST(PictureStore, FindsTheFirstOfEqualNamesAndIsEmptiedByClear) {
  PictureStore store;
  const std::uint8_t one[] = {1}, two[] = {2, 2};
  store.Add("Logo.jpg", one, 1);
  store.Add("LOGO.JPG", two, 2);
  store.Add("l\xd6go.jpg", two, 2);
  ASSERT_TRUE(store.Find("logo.jpg"));
  EXPECT_EQ(store.Current(), Bytes{1});
  EXPECT_FALSE(store.Find("l\xf6go.jpg"));  // only A-Z fold
  store.Clear();
  EXPECT_EQ(store.Count(), 0u);
  EXPECT_FALSE(store.Find("logo.jpg"));
}

TEST(WriteLayoutContainer, RefusesPicturesThatWouldShiftOutOfPlace) {
  EXPECT_THROW(WriteLayoutContainer(kLayout, {{"logo.jpg", ToBytes("J")}}), std::invalid_argument);
  EXPECT_THROW(WriteLayoutContainer(kLayout, {{"logo.jpg", ToBytes("J")},
                                              {"vapen.bmp", ToBytes("B")},
                                              {"extra.bmp", ToBytes("E")}}),
               std::invalid_argument);
  auto bytes = WriteLayoutContainer("typcsz", {});
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "6\xfetypcsz");
}

TEST(LoadLayoutFile, AddsPicturesUntilTheFrontIsLoadedAnew) {
  auto path = std::filesystem::temp_directory_path() / "vemra_layout_test.cpb";
  auto bytes = WriteLayoutContainer(kLayout, {{"logo.jpg", ToBytes("J")}, {"vapen.bmp", ToBytes("B")}});
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                               std::streamsize(bytes.size()));
  PictureStore store;
  LayoutList list;
  ASSERT_TRUE(LoadLayoutFile(path.string(), list, store));
  ASSERT_TRUE(LoadLayoutFile(path.string(), list, store));  // a back side adds its own
  EXPECT_EQ(list.size(), 4u);
  EXPECT_EQ(store.Count(), 4u);
  ASSERT_TRUE(LoadFrontLayoutFile(path.string(), list, store));
  EXPECT_EQ(store.Count(), 2u);
  std::filesystem::remove(path);
  EXPECT_FALSE(LoadFrontLayoutFile(path.string(), list, store));
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(store.Count(), 0u);
}

}  // namespace
}  // namespace vemra
