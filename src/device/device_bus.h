#pragma once

#include "device/device.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tlx::device {

// The devices behind one link. Point to point, the one device answers every
// line. On an RS-485 bus each line starts with a two-character address: a
// device answers only its own address, with its address in front of the
// reply, and carries out "FF" broadcasts without answering.
class DeviceBus {
  public:
    static constexpr int kMaxAddress = 31;

    explicit DeviceBus(std::unique_ptr<Device> device);
    struct Member {
        int address;
        std::unique_ptr<Device> device;
    };
    explicit DeviceBus(std::vector<Member> members); // RS-485

    // line: one received line with its LF; truncated: the line was longer
    // than the framer keeps. replacement: when set, the addressed device
    // answers this text instead of carrying out the line. Appends the reply
    // line, with its CR LF, to out; appends nothing when no device answers.
    void handleLine(std::string_view line, bool truncated, const std::string* replacement,
                    std::string& out);

    bool rs485() const { return rs485_; }
    std::size_t size() const { return members_.size(); }
    Device& device(std::size_t i) { return *members_[i].device; }
    int address(std::size_t i) const { return members_[i].address; }

  private:
    void answer(Device& device, std::string_view body, bool wellFormed,
                const std::string* replacement, std::string& out);

    std::vector<Member> members_;
    bool rs485_ = false;
    std::string reply_;
};

// Parses "3" or "3,5,7": distinct addresses 0..31. Nothing on any error.
std::optional<std::vector<int>> parseAddressList(std::string_view text);

} // namespace tlx::device
