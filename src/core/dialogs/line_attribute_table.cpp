#include "dialogs/line_attribute_table.h"

namespace tlx {

namespace {

using namespace std::chrono_literals;

constexpr std::string_view kAllPages = "全ページ同設定";
constexpr std::string_view kAllLines = "全ライン同設定";

constexpr std::array<std::string_view, 3> kCenteringTexts{"LEFT    ", "CENTER  ", "RIGHT   "};

constexpr LineValue single(PerLine<std::int32_t> SettingsModel::*table, Attribute memory,
                           WireField lineField, WireField pageField, std::string_view label,
                           int valueId, int allPagesId, int allLinesId) {
    return LineValue{TableRef{table, nullptr},
                     memory,
                     lineField,
                     pageField,
                     label,
                     kAllPages,
                     kAllLines,
                     valueId,
                     allPagesId,
                     allLinesId};
}

constexpr LineValue kNoSecond{};

// The common shape: one value, 40 ms between the lines of "全設定", and the
// template's usual buttons; a row states what differs from it.
constexpr LineAttributeDescriptor
line(Feature feature, int dialogTemplate, std::string_view titleWord, std::string_view mnemonic,
     std::string_view lineLiteral, std::string_view pageTemplate, ValueList values, LineValue value,
     int previewId, int sendAllId = 1029, int progressId = 1030, int percentId = 1031) {
    return LineAttributeDescriptor{
        feature, dialogTemplate,     titleWord,  mnemonic, lineLiteral, pageTemplate, values,
        1,       {value, kNoSecond}, " = ",      {},       {},          40ms,         previewId,
        1103,    sendAllId,          progressId, percentId};
}

constexpr LineAttributeDescriptor eraseTime() {
    LineAttributeDescriptor d =
        line(Feature::EraseTime, 209, "消去時間 ", "IDRT", "IDRT001L01000",
             "IDRT001001002003004005006007008009010", numberList(241, 3),
             single(&SettingsModel::eraseTime, Attribute::EraseTime, digitField(3), digitField(3),
                    "消去時間（秒）", 1153, 1154, 1155),
             1152, 1029, 1156, 1030);
    d.look = {{}, " 秒"};
    return d;
}

constexpr LineAttributeDescriptor backgroundFill() {
    LineAttributeDescriptor d = line(
        Feature::BackgroundFill, 144, "背景色ベタ塗り ", "FB", "FB001L01OF", "FB001FFFFFFFFFF",
        textList(kOffOnTexts),
        single(&SettingsModel::backgroundFill, Attribute::BackgroundFill, wordField(kOffOnWords),
               letterField(kOffOnLetters), "背景色ベタ塗り", 1035, 1036, 1038),
        1037);
    d.linePreviewGap = "  = ";
    return d;
}

constexpr LineAttributeDescriptor colours() {
    LineAttributeDescriptor d =
        line(Feature::Colours, 161, "文字＆縁取り色 ", "CABC", "CABC001L0170",
             "CABC00170707070707070707070", textList(kColourTexts), kNoSecond, 1069);
    d.valueCount = 2;
    d.value = {LineValue{TableRef{&SettingsModel::charColour, nullptr}, Attribute::CharColour,
                         digitField(1), digitField(1), "文字色", "全ページ同文字色",
                         "全ライン同文字色", 1065, 1066, 1070},
               LineValue{TableRef{&SettingsModel::outlineColour, nullptr}, Attribute::OutlineColour,
                         digitField(1), digitField(1), "縁取り色", "全ページ同縁取り色",
                         "全ライン同縁取り色", 1067, 1068, 1071}};
    d.look = {kColourPreviewTexts, {}};
    d.previewHeader = kColourHeader;
    d.transferInterval = 100ms;
    d.lineBoxId = 1105;
    return d;
}

constexpr std::array<LineAttributeDescriptor, 9> kTable{{
    line(Feature::Blink, 187, "点滅 ", "CBS", "CBS001L01OF", "CBS001FFFFFFFFFF",
         textList(kOffOnTexts),
         single(&SettingsModel::blink, Attribute::Blink, wordField(kOffOnWords),
                letterField(kOffOnLetters), "点滅", 1113, 1114, 1115),
         1110),
    line(Feature::CharSize, 183, "文字サイズ ", "CFS", "CFS001L01E", "CFS001EEEEEEEEEE",
         textList(kCharSizeTexts),
         single(&SettingsModel::charSize, Attribute::CharSize, letterField(kCharSizeLetters),
                letterField(kCharSizeLetters), "文字サイズ", 1108, 1109, 1110),
         1107),
    line(Feature::Centering, 207, "センタリング ", "IDP", "IDP001L01L", "IDP001LLLLLLLLLL",
         textList(kCenteringTexts),
         single(&SettingsModel::centering, Attribute::Centering, letterField("LCR"),
                letterField("LCR"), "センタリング", 1149, 1150, 1151),
         1148),
    eraseTime(),
    backgroundFill(),
    line(Feature::FontType, 218, "フォント種類 ", "CFT", "CFT001L01G", "CFT001GGGGGGGGGG",
         textList(kFontTexts),
         single(&SettingsModel::fontType, Attribute::FontType, letterField(kFontLetters),
                letterField(kFontLetters), "フォント種類", 1179, 1181, 1180),
         1178, 1028, 1156, 1030),
    line(Feature::LineSpacing, 185, "行間 ", "IDLS", "IDLS001L0101", "IDLS00101020304050607080910",
         numberList(64, 2),
         single(&SettingsModel::lineSpacing, Attribute::LineSpacing, digitField(2), digitField(2),
                "行間", 1111, 1112, 1113),
         1109),
    colours(),
    line(Feature::HorizontalOffset, 205, "水平方向のオフセット ", "IDOH", "IDOH001L0101",
         "IDOH00101020304050607080910", numberList(39, 2),
         single(&SettingsModel::horizontalOffset, Attribute::HorizontalOffset, digitField(2),
                digitField(2), "水平方向のオフセット", 1145, 1146, 1147),
         1144, 1028),
}};

} // namespace

std::span<const LineAttributeDescriptor> lineAttributeDescriptors() {
    return kTable;
}

const LineAttributeDescriptor* lineAttributeDescriptor(Product p, Feature f) {
    if (p != Product::F) {
        return nullptr;
    }
    for (const LineAttributeDescriptor& d : kTable) {
        if (d.feature == f) {
            return &d;
        }
    }
    return nullptr;
}

} // namespace tlx
