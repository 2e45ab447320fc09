// Profile files: the expected bytes below are what the Windows functions write (found by running
// this suite on the Windows build), so the Linux functions and the tool's deferred writes
// (tool::ProfileWriter over one profile::Document) must match them byte for byte.
#include "platform/profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/file_replace.h"
#include "profile/document.h"
#include "tests/fakes/temp_folder.h"
#include "tool/profile_writer.h"

namespace {

using namespace std::string_literals;

namespace fs = std::filesystem;

using fakes::TempFolder;

std::optional<std::string> Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void Put(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

struct Call {
  std::string section, key, value;
};

struct WriteCase {
  std::string name;
  std::optional<std::string> initial;  // nullopt: no file yet
  std::vector<Call> calls;
  std::string expected;
};

const std::vector<WriteCase>& WriteCases() {
  static const std::vector<WriteCase> cases = {
      {"create", std::nullopt, {{"A", "k", "v"}}, "[A]\r\nk=v\r\n"},
      {"new section at the end, no blank line",
       std::nullopt,
       {{"A", "k", "v"}, {"B", "k2", "v2"}},
       "[A]\r\nk=v\r\n[B]\r\nk2=v2\r\n"},
      {"new key at the end of its section",
       std::nullopt,
       {{"A", "k", "v"}, {"B", "k2", "v2"}, {"A", "k3", "v3"}},
       "[A]\r\nk=v\r\nk3=v3\r\n[B]\r\nk2=v2\r\n"},
      {"sections later receiving keys",
       std::nullopt,
       {{"A", "k", "v"}, {"B", "k", "v"}, {"C", "k", "v"}, {"B", "k2", "v"}, {"A", "k2", "v"}},
       "[A]\r\nk=v\r\nk2=v\r\n[B]\r\nk=v\r\nk2=v\r\n[C]\r\nk=v\r\n"},
      {"replace in place, names in any case",
       std::nullopt,
       {{"A", "k", "v"}, {"B", "k2", "v2"}, {"a", "K", "new"}},
       "[A]\r\nk=new\r\n[B]\r\nk2=v2\r\n"},
      {"existing names keep their case",
       "[SeC]\r\nKeY=v\r\n",
       {{"sec", "key", "w"}, {"SEC", "new", "x"}},
       "[SeC]\r\nKeY=w\r\nnew=x\r\n"},
      {"letter case matters for other than A to Z",
       "[\xC9t\xE9]\r\nk=v\r\n",
       {{"\xE9T\xC9", "k", "w"}},
       "[\xC9t\xE9]\r\nk=v\r\n[\xE9T\xC9]\r\nk=w\r\n"},
      {"blanks around '=' are dropped",
       "[A]\r\n  k  =  v  \r\n",
       {{"A", "k", "w"}},
       "[A]\r\nk=w\r\n"},
      {"leading blanks of the arguments dropped, trailing ones kept until the next change",
       std::nullopt,
       {{" A ", "  k ", "  v  "}},
       "[A ]\r\nk =v  \r\n"},
      {"the next change re-reads trimmed",
       std::nullopt,
       {{" A ", "  k ", "  v  "}, {"B", "x", "1"}},
       "[A]\r\nk=v\r\n[B]\r\nx=1\r\n"},
      {"a value differing only in trailing blanks is a change",
       std::nullopt,
       {{"A", "k", "v"}, {"A", "k", "v  "}},
       "[A]\r\nk=v  \r\n"},
      {"empty value", std::nullopt, {{"A", "k", ""}}, "[A]\r\nk=\r\n"},
      {"values with %, / and =", std::nullopt, {{"A", "k", "%d/x=y%s"}}, "[A]\r\nk=%d/x=y%s\r\n"},
      {"quotes and high bytes written as given",
       std::nullopt,
       {{"A", "q", "\"q\""}, {"A", "h", "\xE9t\xE9\x80\x81"}},
       "[A]\r\nq=\"q\"\r\nh=\xE9t\xE9\x80\x81\r\n"},
      {"file without final line end", "[A]\r\nk=v", {{"A", "k2", "v2"}}, "[A]\r\nk=v\r\nk2=v2\r\n"},
      {"LF and lone CR line ends become CRLF",
       "[A]\nk=v\rz=1\n",
       {{"A", "k2", "v2"}},
       "[A]\r\nk=v\r\nz=1\r\nk2=v2\r\n"},
      {"an unchanged value leaves the file alone", "[A]\nk=v\n", {{"A", "k", "v"}}, "[A]\nk=v\n"},
      {"blank lines are dropped",
       "\r\n[A]\r\nk=v\r\n\r\n\r\n[B]\r\nx=1\r\n",
       {{"A", "k2", "v2"}},
       "[A]\r\nk=v\r\nk2=v2\r\n[B]\r\nx=1\r\n"},
      {"comments and lines without '=' are kept",
       "; c\r\n[A]\r\nk=v\r\njunk\r\n;c2\r\n",
       {{"A", "k2", "v2"}},
       "; c\r\n[A]\r\nk=v\r\njunk\r\n;c2\r\nk2=v2\r\n"},
      {"a line without '=' takes a value",
       "[A]\r\njunk\r\n",
       {{"A", "junk", "w"}},
       "[A]\r\njunk=w\r\n"},
      {"keys before the first section",
       "x=1\r\n[A]\r\nk=v\r\n",
       {{"", "y", "2"}},
       "x=1\r\ny=2\r\n[A]\r\nk=v\r\n"},
      {"section lines: trimmed, text after the last ']' dropped, no ']' is a key",
       "  [ A ] ; c \r\n\tt\t=\t2\t\r\n[B\r\n[C]x]y\r\n",
       {{"A", "k", "v"}},
       "[A]\r\nt=2\r\n[B\r\nk=v\r\n[C]x]\r\n"},
      {"first of duplicate sections and keys",
       "[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\n",
       {{"A", "k", "w"}},
       "[A]\r\nk=w\r\nk=2\r\n[a]\r\nk=3\r\n"},
      {"white space: Ctrl-Z, vertical tab, form feed; not 0xA0",
       "[A]\r\n\xA0k\xA0=\xA0v\xA0\r\n\vj\f=\f1\f\r\n\x1A",
       {{"A", "z", "1"}},
       "[A]\r\n\xA0k\xA0=\xA0v\xA0\r\nj=1\r\nz=1\r\n"},
      {"a zero byte ends a name or value",
       std::string("[A\0B]\r\nk=v\0w\r\nj\0x=1\r\n", 21),
       {{"A", "k2", "v"}},
       "[A]\r\nk=v\r\nj=1\r\nk2=v\r\n"},
      {"a nameless section is written without header, so its keys join the one before",
       "[A]\r\nk=1\r\n[]\r\nx=2\r\n",
       {{"A", "z", "3"}, {"A", "w", "4"}},
       "[A]\r\nk=1\r\nz=3\r\nx=2\r\nw=4\r\n"},
      {"a line that is only a zero byte leaves an empty line once",
       std::string("[A]\r\n\0junk\r\nk=1\r\n", 17),
       {{"A", "z", "1"}},
       "[A]\r\n\r\nk=1\r\nz=1\r\n"},
      {"... which the next change drops",
       std::string("[A]\r\n\0junk\r\nk=1\r\n", 17),
       {{"A", "z", "1"}, {"A", "y", "2"}},
       "[A]\r\nk=1\r\nz=1\r\ny=2\r\n"},
      {"a value with a line end is written as given",
       std::nullopt,
       {{"A", "k", "a\r\n[B]\r\nb"}},
       "[A]\r\nk=a\r\n[B]\r\nb\r\n"},
      {"... and read back as lines the next time",
       std::nullopt,
       {{"A", "k", "a\r\n[B]\r\nb"}, {"B", "c", "1"}, {"A", "k", "x"}},
       "[A]\r\nk=x\r\n[B]\r\nb\r\nc=1\r\n"},
      {"a key holding '='", std::nullopt, {{"A", "k=1", "v"}, {"A", "k", "w"}}, "[A]\r\nk=w\r\n"},
      {"a name cut at a zero byte keeps a blank before it once",
       std::string("[A]\r\nk \0x=1\r\n", 13),
       {{"A", "j", "2"}, {"A", "k", "3"}},
       "[A]\r\nk=3\r\nj=2\r\n"},
      {"the bytes of a UTF-8 mark that become the first line are a mark at the next change",
       "\x1A\n\xEF\xBB\xBF\r\n",
       {{"", "x", "1"}, {"", "y", "2"}},
       "\xEF\xBB\xBFx=1\r\ny=2\r\n"},
      {"UTF-8 mark kept",
       "\xEF\xBB\xBF[A]\r\nk=v\r\n",
       {{"A", "k2", "v"}},
       "\xEF\xBB\xBF[A]\r\nk=v\r\nk2=v\r\n"},
      {"empty file", "", {{"A", "k", "v"}}, "[A]\r\nk=v\r\n"},
      // The Windows functions see C strings: both builds cut every argument at its zero byte.
      {"arguments end at their first zero byte",
       std::nullopt,
       {{"A\0B"s, "k\0x"s, "ab\0cd"s}, {"A"s, "j"s, "\0lost"s}, {"\0"s, "n"s, "1"s}},
       "n=1\r\n[A]\r\nk=ab\r\nj=\r\n"},
      {"... also when they replace a key",
       "[A]\r\nk=ab\r\n",
       {{"a\0"s, "K\0"s, "ab\0cd"s}, {"A"s, "k"s, "x\0"s}},
       "[A]\r\nk=x\r\n"},
  };
  return cases;
}

// Arguments longer than two machine words with a zero byte, a line end or a key's '=' at each
// place: the document looks for those a word at a time.
std::vector<WriteCase> LongArgumentCases() {
  const std::string text = "abcdefghijklmnopqr";
  auto with = [&](std::size_t at, char c) {
    std::string changed = text;
    changed[at] = c;
    return changed;
  };
  std::vector<WriteCase> cases;
  for (std::size_t at = 1; at < text.size(); ++at) {
    const std::string head = text.substr(0, at), tail = text.substr(at + 1);
    const std::string where = " at " + std::to_string(at);
    cases.push_back({"zero byte in a long value" + where,
                     std::nullopt,
                     {{"S", "k", with(at, '\0')}},
                     "[S]\r\nk=" + head + "\r\n"});
    cases.push_back({"zero byte in a long key" + where,
                     std::nullopt,
                     {{"S", with(at, '\0'), "v"}},
                     "[S]\r\n" + head + "=v\r\n"});
    cases.push_back({"zero byte in a long section" + where,
                     std::nullopt,
                     {{with(at, '\0'), "k", "v"}},
                     "[" + head + "]\r\nk=v\r\n"});
    cases.push_back({"'=' in a long key" + where,
                     std::nullopt,
                     {{"S", with(at, '='), "v"}, {"S", head, "w"}},
                     "[S]\r\n" + head + "=w\r\n"});
    if (tail.empty()) continue;  // a line end at the very end is trimmed away
    cases.push_back({"line end in a long value" + where,
                     std::nullopt,
                     {{"S", "k", with(at, '\r')}, {"S", "k", "w"}},
                     "[S]\r\nk=w\r\n" + tail + "\r\n"});
    cases.push_back({"line end in a long key" + where,
                     std::nullopt,
                     {{"S", with(at, '\n'), "v"}, {"S", tail, "w"}},
                     "[S]\r\n" + head + "\r\n" + tail + "=w\r\n"});
  }
  return cases;
}

const std::vector<WriteCase>& AllWriteCases() {
  static const std::vector<WriteCase> cases = [] {
    std::vector<WriteCase> all = WriteCases();
    for (WriteCase& c : LongArgumentCases()) all.push_back(std::move(c));
    return all;
  }();
  return cases;
}

TEST(Profile, WritesTheWindowsBytes) {
  TempFolder folder;
  int n = 0;
  for (const WriteCase& c : AllWriteCases()) {
    SCOPED_TRACE(c.name);
    // A fresh name each time: the Windows functions cache what they learnt of a file.
    std::string path = folder.File("w" + std::to_string(n++) + ".ini");
    if (c.initial) Put(path, *c.initial);
    for (const Call& call : c.calls) {
      EXPECT_TRUE(platform::WriteProfileString(call.section, call.key, call.value, path));
    }
    EXPECT_EQ(Slurp(path), c.expected);
  }
}

// Deferred writes (the tool's writer: the first key through the system's function, the others in
// its document until the flush) end in the same bytes.
TEST(Profile, DeferredWritesGiveTheSameBytes) {
  TempFolder folder;
  int n = 0;
  for (const WriteCase& c : AllWriteCases()) {
    SCOPED_TRACE(c.name);
    std::string path = folder.File("d" + std::to_string(n++) + ".ini");
    if (c.initial) Put(path, *c.initial);
    {
      tool::ProfileWriter writer;
      writer.SetPath(path);
      for (const Call& call : c.calls) writer.WriteKey(call.section, call.key, call.value);
    }
    EXPECT_EQ(Slurp(path), c.expected);
  }
}

TEST(Profile, TheFileExistsAfterTheFirstDeferredKeyAndIsWholeAfterTheFlush) {
  TempFolder folder;
  std::string path = folder.File("r.ini");
  tool::ProfileWriter writer;
  writer.SetPath(path);
  writer.WriteKey("A", "k", "1");
  EXPECT_EQ(Slurp(path), "[A]\r\nk=1\r\n");
  writer.WriteKey("B", "k", "2");
  writer.WriteKey("A", "j", "3");
  writer.Flush();
  EXPECT_EQ(Slurp(path), "[A]\r\nk=1\r\nj=3\r\n[B]\r\nk=2\r\n");
}

TEST(Profile, ReadsLikeWindows) {
  TempFolder folder;
  std::string path = folder.File("read.ini");
  Put(path,
      "[A]\r\n  k  =  v  x  \r\nq=\"quoted\"\r\nq2=\"a\r\nsq='s'\r\ndq=\"\"\r\none=\"\r\n"
      "mix=\"a'\r\nem=\r\n[B]\r\nlong=0123456789\r\nnoeq\r\n;c=1\r\n[a]\r\nx=4\r\n");
  struct ReadCase {
    std::string section, key, def;
    std::size_t size;
    std::string expected;
  } cases[] = {
      {"A", "k", "D", 64, "v  x"},       // trimmed at both ends, inner blanks kept
      {"a", "K", "D", 64, "v  x"},       // names in any case
      {" A ", "  k ", "D", 64, "v  x"},  // blanks around the names asked for
      {"A", "q", "D", 64, "quoted"},     // matching quotes removed
      {"A", "sq", "D", 64, "s"},
      {"A", "dq", "D", 64, ""},
      {"A", "q2", "D", 64, "\"a"},
      {"A", "one", "D", 64, "\""},
      {"A", "mix", "D", 64, "\"a'"},
      {"A", "em", "D", 64, ""},  // empty value, not the default
      {"B", "long", "D", 11, "0123456789"},
      {"B", "long", "D", 10, "012345678"},  // cut to the buffer less its terminator
      {"B", "long", "D", 1, ""},
      {"B", "none", "D", 64, "D"},          // key absent
      {"C", "k", "D", 64, "D"},             // section absent
      {"B", "noeq", "D", 64, "D"},          // a line without '=' is no key
      {"B", ";c", "D", 64, "1"},            // no comments: ';' starts a key name
      {"a", "x", "D", 64, "D"},             // only the first section of a name is searched
      {"B", "none", "Dflt  ", 64, "Dflt"},  // the default loses trailing blanks...
      {"B", "none", "  Dflt", 64, "  Dflt"},
      {"B", "none", "   ", 64, " "},  // ...but not its first character
      {"B", "none", "a\t", 64, "a\t"},
      {"B", "none", "\"q\"", 64, "q"},
      {"B", "none", "0123456789", 5, "0123"},
      {"A\0B"s, "k\0x"s, "D", 64, "v  x"},  // names and default end at a zero byte
      {"B", "none", "Dflt\0  x"s, 64, "Dflt"},
      {"B", "none", "\"q\0\""s, 64, "\"q"},
  };
  // Through the platform's function, and through one parse of the whole file (Morvane's readers).
  const profile::Document document = profile::Document::Parse(*Slurp(path));
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.section + "/" + c.key + " size " + std::to_string(c.size));
    EXPECT_EQ(platform::ReadProfileString(c.section, c.key, c.def, c.size, path), c.expected);
    EXPECT_EQ(document.Read(c.section, c.key, c.def, c.size), c.expected);
  }
  EXPECT_EQ(platform::ReadProfileString("A", "k", "erreur", 10, folder.File("missing.ini")),
            "erreur");
  EXPECT_EQ(profile::Document().Read("A", "k", "erreur", 10), "erreur");
}

TEST(Profile, SeesChangesMadeByOthers) {
  TempFolder folder;
  std::string path = folder.File("o.ini");
  ASSERT_TRUE(platform::WriteProfileString("A", "k", "1", path));
  EXPECT_EQ(platform::ReadProfileString("A", "k", "D", 64, path), "1");
  Put(path, "[A]\r\nk=2\r\n");  // same size, same file, at once
  EXPECT_EQ(platform::ReadProfileString("A", "k", "D", 64, path), "2");
  ASSERT_TRUE(platform::WriteProfileString("A", "j", "3", path));
  EXPECT_EQ(Slurp(path), "[A]\r\nk=2\r\nj=3\r\n");
  fs::remove(path);
  EXPECT_EQ(platform::ReadProfileString("A", "k", "D", 64, path), "D");
}

TEST(Profile, AWriteThatCannotReachItsFileFailsAndChangesNothing) {
  TempFolder folder;
  std::string directory = folder.File("dir.ini");
  fs::create_directory(directory);
  std::string no_folder = folder.File("nowhere") + "/x.ini";
  for (const std::string& path : {directory, no_folder}) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(platform::WriteProfileString("A", "k", "v", path));
    EXPECT_EQ(platform::ReadProfileString("A", "k", "D", 64, path), "D");
  }
  EXPECT_TRUE(fs::is_directory(directory));
  EXPECT_FALSE(fs::exists(folder.File("nowhere")));
}

}  // namespace
