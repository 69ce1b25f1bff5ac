// The read table shown in the help agrees with the device.
#include "device/read_table.h"
#include "device_test_support.h"

#include <gtest/gtest.h>

namespace tlx::device::test {
namespace {

TEST(ReadTable, EverySampleIsAnsweredInTheDocumentedLayout) {
    for (Product p : {Product::F, Product::S}) {
        DeviceHarness h(p);
        for (const ReadRow& row : readTable(p)) {
            const std::string reply = h.run(row.sample);
            EXPECT_EQ(reply.size(), row.sampleReplyChars) << row.sample;
            // The reply starts with the read's mnemonic without its "R", and
            // the documented layout says so.
            const std::string_view form = row.command.substr(0, row.command.find(' '));
            const std::string_view mnemonic = form.substr(1);
            EXPECT_TRUE(reply.starts_with(mnemonic)) << row.sample << " -> " << reply;
            EXPECT_TRUE(row.reply.starts_with(mnemonic)) << row.command;
            EXPECT_TRUE(row.sample.starts_with(form)) << row.command;
        }
    }
}

TEST(ReadTable, ModelsListTheirOwnReads) {
    const std::string f = readTableText(Product::F);
    const std::string s = readTableText(Product::S);
    EXPECT_NE(f.find("RPAST"), std::string::npos);
    EXPECT_EQ(s.find("RPAST"), std::string::npos);
    EXPECT_NE(s.find("RISS"), std::string::npos);
    EXPECT_EQ(f.find("RISS"), std::string::npos);
    EXPECT_NE(f.find("RIDOH ppp"), std::string::npos);
}

} // namespace
} // namespace tlx::device::test
