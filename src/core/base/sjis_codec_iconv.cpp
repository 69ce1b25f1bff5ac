// Code page 932 through the C library's iconv. Another platform adds its own
// file with makeSjisCodec().
#include "base/sjis_codec.h"

#include <cerrno>
#include <iconv.h>

namespace tlx {

namespace {

const iconv_t kNoDescriptor =
    reinterpret_cast<iconv_t>(-1); // NOLINT(performance-no-int-to-ptr): iconv's own failure value

class IconvDirection {
  public:
    // growth: the most output bytes one input byte can become.
    IconvDirection(const char* to, const char* from, std::size_t growth)
        : cd_(iconv_open(to, from)), growth_(growth) {}
    ~IconvDirection() {
        if (ok()) {
            iconv_close(cd_);
        }
    }
    IconvDirection(const IconvDirection&) = delete;
    IconvDirection& operator=(const IconvDirection&) = delete;

    bool ok() const { return cd_ != kNoDescriptor; }

    bool convert(std::string_view in, std::string& out) {
        const std::size_t old = out.size();
        if (in.empty()) {
            return true;
        }
        // The output room is known in advance, so one call converts it all.
        out.resize(old + in.size() * growth_ + 8);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        // iconv's interface takes a non-const input pointer but never writes through it.
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char* dst = out.data() + old;
        std::size_t dstLeft = out.size() - old;
        const bool done = iconv(cd_, &src, &srcLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1) &&
                          iconv(cd_, nullptr, nullptr, &dst, &dstLeft) != static_cast<std::size_t>(-1);
        if (!done || srcLeft != 0) {
            out.resize(old);
            return false;
        }
        out.resize(out.size() - dstLeft);
        return true;
    }

  private:
    iconv_t cd_;
    std::size_t growth_;
};

class IconvSjisCodec : public SjisCodec {
  public:
    IconvSjisCodec() : toSjis_("CP932", "UTF-8", 1), toUtf8_("UTF-8", "CP932", 3) {}
    bool ok() const { return toSjis_.ok() && toUtf8_.ok(); }
    bool utf8ToSjis(std::string_view utf8, std::string& out) override {
        return toSjis_.convert(utf8, out);
    }
    bool sjisToUtf8(std::string_view sjis, std::string& out) override {
        return toUtf8_.convert(sjis, out);
    }

  private:
    IconvDirection toSjis_;
    IconvDirection toUtf8_;
};

} // namespace

std::unique_ptr<SjisCodec> makeSjisCodec() {
    auto codec = std::make_unique<IconvSjisCodec>();
    if (!codec->ok()) {
        return nullptr;
    }
    return codec;
}

} // namespace tlx
