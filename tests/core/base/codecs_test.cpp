#include "base/codecs.h"

#include <gtest/gtest.h>

namespace tlx {
namespace {

TEST(FieldCodecs, EncodeFixedWidthDecimal) {
    EXPECT_EQ(encode2(0), "00");
    EXPECT_EQ(encode2(5), "05");
    EXPECT_EQ(encode2(99), "99");
    EXPECT_EQ(encode3(1), "001");
    EXPECT_EQ(encode3(512), "512");
    std::string line = "CBS";
    append3(line, 3);
    line += "L";
    append2(line, 2);
    EXPECT_EQ(line, "CBS003L02");
}

TEST(FieldCodecs, DecodeNeverReadsPastTheText) {
    EXPECT_EQ(decode2("IDLS00163", 7), 63);
    EXPECT_EQ(decode3("CA512", 2), 512);
    EXPECT_EQ(decode3("CA5", 2), 500); // missing digits count as 0
    EXPECT_EQ(decode2("", 0), 0);
    EXPECT_EQ(decode3("CAx1y", 2), 10); // non-digits count as 0
}

TEST(FieldCodecs, HexByteAndFourDigitCodes) {
    EXPECT_EQ(decodeHexByte("A3", 0), 0xA3);
    EXPECT_EQ(decodeHexByte("0F", 0), 0x0F);
    EXPECT_EQ(decodeHexByte("FF", 0), 0xFF);
    EXPECT_EQ(decodeHexByte("F", 0), 0xF0);
    std::string s;
    appendHex4(s, 0xA365);
    appendHex4(s, 0x2121);
    EXPECT_EQ(s, "A3652121");
}

} // namespace
} // namespace tlx
