#include "console/output.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "test_support.h"

namespace zeb {
namespace {

TEST(Output, FormatsTheConversionsMessagesUse) {
  test::CapturedOutput out;
  write_format("%d|%02d|%02d|%d|%s|%-15s|%-15s|",
               {-5, 7, 127, 2139062143, "abc", "XR GT", "LONGER THAN 15 CHARS"});
  EXPECT_EQ(out.text(), "-5|07|127|2139062143|abc|XR GT          |LONGER THAN 15 CHARS|");
}

TEST(Output, KeepsPercentSignsWithoutArguments) {
  test::CapturedOutput out;
  write_format("100% sure %s %x", {"yes"});
  write_format("%d", {});
  EXPECT_EQ(out.text(), "100% sure yes %x%d");
}

// The line editor shows a del question itself: its text must be the bytes
// that the output would have written.
TEST(Output, FormatsIntoATextAsIntoTheOutput) {
  const std::string_view formats[] = {"comletely delete all %s laptimes with %s from %s (y/)? ",
                                      "%s|%02d|%-15s|100% %x", "%s %d"};
  for (std::string_view format : formats) {
    test::CapturedOutput out;
    write_text("before");
    std::string text = "stale";
    write_format(format, {"rokan2", 7, "xrt"});
    format_text(text, format, {"rokan2", 7, "xrt"});
    EXPECT_EQ(out.text(), "before" + text) << format;
  }
}

TEST(Output, PassesWritesLargerThanTheBufferWhole) {
  test::CapturedOutput out;
  std::string big(200000, 'x');
  write_text("a");
  write_line(big);
  write_text("b");
  EXPECT_EQ(out.text(), "a" + big + "\nb");
}

// Bytes put straight into the buffer take their place among the other
// writes, also when the room has to be made by flushing first.
TEST(Output, RoomInTheBufferKeepsTheOrder) {
  test::CapturedOutput out;
  std::string expected;
  for (std::size_t before : {std::size_t{0}, std::size_t{65536 - 100}, std::size_t{65536}}) {
    std::string filler(before, 'f');
    write_text(filler);
    char* room = output_room(256);
    std::memcpy(room, "row\n", 4);
    commit_output(room + 4);
    write_text("after");
    expected += filler + "row\nafter";
  }
  char* room = output_room(output_room_limit);
  commit_output(room);  // nothing written
  EXPECT_EQ(out.text(), expected);
}

}  // namespace
}  // namespace zeb
