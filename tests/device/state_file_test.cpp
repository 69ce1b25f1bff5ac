// The device's settings through the tool's settings file and back.
#include "device/device_state_file.h"
#include "device/read_table.h"
#include "device/seeded_state.h"
#include "device_test_support.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace tlx::device::test {
namespace {

namespace fs = std::filesystem;

class StateFile : public ::testing::TestWithParam<Product> {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tlx_device_state_" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string path(const char* name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

INSTANTIATE_TEST_SUITE_P(Device, StateFile, ::testing::Values(Product::F, Product::S),
                         [](const auto& param) { return param.param == Product::F ? "F" : "S"; });

TEST_P(StateFile, SeededSettingsSurviveSaveAndLoad) {
    const Product p = GetParam();
    auto seededState = makeDeviceState(p);
    seedDeviceState(*seededState, 99);
    Device source(std::move(seededState));
    const std::string file = path("state.dat");
    const StateFileResult saved = saveDeviceStateFile(file, source.state());
    ASSERT_TRUE(saved.ok) << saved.message;

    Device copy(makeDeviceState(p));
    const StateFileResult loaded = loadDeviceStateFile(file, copy.state());
    ASSERT_TRUE(loaded.ok) << loaded.message;
    EXPECT_TRUE(loaded.complete) << loaded.message;

    // Every read of a setting the file carries answers alike.
    std::vector<std::string> reads;
    for (int page = 1; page <= 512; ++page) {
        reads.push_back("RCA" + page3(page));
        if (p == Product::F) {
            for (const char* mn :
                 {"RCABC", "RCBS", "RCFS", "RCFT", "RFB", "RIDLS", "RIDOH", "RIDP", "RIDRT"}) {
                reads.push_back(mn + page3(page));
            }
        } else {
            reads.push_back("RCFT" + page3(page));
            reads.push_back("RIDRT" + page3(page));
        }
    }
    for (int day = 1; day <= 31; ++day) {
        reads.push_back("RSD" + page3(day).substr(1));
    }
    for (const char* read :
         {"RCL", "RACA", "RRCA", "RAD", "RADT", "RAM", "RAP", "RAR", "RCI", "RPOSP", "RRM", "RTSD",
          "RTSDR", "RTSDS", "RVLBC", "RESM", "RECT", "REKA", "RETR"}) {
        reads.push_back(read);
    }
    if (p == Product::F) {
        reads.push_back("RPAST");
    } else {
        for (const char* read : {"RCABC", "RCBS", "RCFS", "RFB", "RIDO", "RIDP", "RPAS"}) {
            reads.push_back(read);
        }
    }
    for (const auto& read : reads) {
        ASSERT_EQ(copy.execute(read), source.execute(read)) << read;
    }
}

TEST_P(StateFile, MissingFileIsAnErrorAndChangesNothing) {
    DeviceHarness h(GetParam());
    const auto before = std::make_unique<DeviceState>(h.device.state());
    const StateFileResult r = loadDeviceStateFile(path("absent.dat"), h.device.state());
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.message.empty());
    EXPECT_TRUE(stateDiff(*before, h.device.state()).empty());
}

TEST_P(StateFile, ShortFileLoadsWhatItHasAndSaysSo) {
    const std::string file = path("short.dat");
    {
        std::ofstream out(file, std::ios::binary);
        out << "1\r\n7\r\n1\r\n";
    }
    DeviceHarness h(GetParam());
    const StateFileResult r = loadDeviceStateFile(file, h.device.state());
    EXPECT_TRUE(r.ok);
    EXPECT_FALSE(r.complete);
    EXPECT_FALSE(r.message.empty());
    EXPECT_EQ(h.run("RTSD"), "TSDON");
    EXPECT_EQ(h.run("RTSDR"), "TSDR8");
    EXPECT_EQ(h.run("RTSDS"), "TSDSN");
}

TEST_P(StateFile, SaveIntoAMissingFolderFails) {
    DeviceHarness h(GetParam());
    const StateFileResult r = saveDeviceStateFile(path("no/such/folder/x.dat"), h.device.state());
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.message.empty());
}

} // namespace
} // namespace tlx::device::test
