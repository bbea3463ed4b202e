// The messages between processes: byte layout and the checks on reading.
#include <gtest/gtest.h>

#include "wire.h"

namespace {

using namespace tq::ipc;
using Bytes = std::vector<std::uint8_t>;

TEST(Wire, RequestBytesAsLaidOut) {
  Request request;
  request.token = 0x0102030405060708;
  request.operation = Operation::Post;
  request.window = 0x10010;
  request.argument = 0x0111;
  request.wParam = 1022;
  request.lParam = -1;
  request.text = u"é";
  const Bytes bytes = EncodeRequest(request);
  const Bytes expected = {
      'T', 'Q', 'W', 'q',                              // magic
      42, 0, 0, 0,                                     // body length: 40 fixed + 2 text
      8, 7, 6, 5, 4, 3, 2, 1,                          // token
      11, 0, 0, 0,                                     // operation Post
      0x10, 0x00, 0x01, 0, 0, 0, 0, 0,                 // window
      0x11, 0x01, 0, 0,                                // argument WM_COMMAND
      0xFE, 0x03, 0, 0, 0, 0, 0, 0,                    // wParam 1022
      0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,  // lParam -1
      0xE9, 0x00,                                      // text "é"
  };
  EXPECT_EQ(bytes, expected);
  const auto back = DecodeRequest(bytes);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->token, request.token);
  EXPECT_EQ(back->operation, Operation::Post);
  EXPECT_EQ(back->window, 0x10010u);
  EXPECT_EQ(back->argument, 0x0111u);
  EXPECT_EQ(back->wParam, 1022u);
  EXPECT_EQ(back->lParam, -1);
  EXPECT_EQ(back->text, u"é");
}

TEST(Wire, AnswerRoundTrip) {
  Answer answer;
  answer.status = Status::NoWindow;
  answer.token = 99;
  answer.value = -7;
  answer.text = u"Hôte";
  const auto back = DecodeAnswer(EncodeAnswer(answer));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->status, Status::NoWindow);
  EXPECT_EQ(back->token, 99u);
  EXPECT_EQ(back->value, -7);
  EXPECT_EQ(back->text, u"Hôte");
  EXPECT_FALSE(DecodeRequest(EncodeAnswer(answer))) << "an answer is no request";
}

TEST(Wire, MalformedMessagesAreRefusedWhole) {
  const Bytes good = EncodeRequest(Request{});
  EXPECT_TRUE(DecodeRequest(good));
  EXPECT_FALSE(DecodeRequest(Bytes(good.begin(), good.begin() + 7))) << "short header";
  EXPECT_FALSE(DecodeRequest(Bytes(good.begin(), good.end() - 1))) << "body shorter than announced";
  Bytes longer = good;
  longer.push_back(0);
  EXPECT_FALSE(DecodeRequest(longer)) << "bytes after the body";
  Bytes wrongMagic = good;
  wrongMagic[3] = 'x';
  EXPECT_FALSE(DecodeRequest(wrongMagic));
  Bytes odd = good;
  odd[4] = 41;
  odd.push_back(0);
  EXPECT_FALSE(DecodeRequest(odd)) << "half a UTF-16 unit";
  Bytes tooSmall = Bytes(good.begin(), good.begin() + 8 + 39);
  tooSmall[4] = 39;
  EXPECT_FALSE(DecodeRequest(tooSmall)) << "body smaller than its fixed part";
}

TEST(Wire, BodyLengthBounds) {
  Bytes header = {'T', 'Q', 'W', 'a', 0, 0, 0, 0};
  auto withLength = [&](std::uint32_t length) {
    for (int i = 0; i < 4; ++i) header[4 + i] = static_cast<std::uint8_t>(length >> (8 * i));
    return BodyLength(header, kAnswerMagic);
  };
  EXPECT_EQ(withLength(20), 20u);
  EXPECT_EQ(withLength(20 + 2 * kMaxTextUnits), 20 + 2 * kMaxTextUnits);
  EXPECT_FALSE(withLength(22 + 2 * kMaxTextUnits));
  EXPECT_FALSE(withLength(0xFFFFFFFF)) << "never an allocation the peer chose";
  EXPECT_FALSE(withLength(19));
}

TEST(Wire, LongTextIsCutToTheLimit) {
  Answer answer;
  answer.text = std::u16string(kMaxTextUnits + 10, u'a');
  const auto back = DecodeAnswer(EncodeAnswer(answer));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->text.size(), kMaxTextUnits);
}

}  // namespace
