#include "dialogs/page_attribute_table.h"

namespace tlx {

namespace {

using namespace std::chrono_literals;

constexpr std::string_view kAllPages = "全ページ同設定";

constexpr std::array<std::string_view, 5> kLevelTexts{"0", "1", "2", "3", "4"};
constexpr std::array<std::string_view, 2> kPositionTexts{"TOP   ", "BOTTOM"};
constexpr std::array<std::string_view, 2> kPositionLook{"TOP      ", "BOTTOM"};
constexpr std::array<std::string_view, 4> kScrollTexts{"1 ", "2 ", "3 ", "4 "};
constexpr std::array<std::string_view, 2> kSkipLiveTexts{"SKIP", "LIVE"};
constexpr std::array<std::string_view, 2> kSkipLiveLook{"SKIP ", "LIVE "};

constexpr PageValue one(TableRef table, Attribute memory, WireField pageField, WireField allField,
                        std::string_view label, int valueId, int allPagesId) {
    return PageValue{table, memory, pageField, allField, label, kAllPages, valueId, allPagesId};
}

constexpr TableRef perPage(PerPage<std::int32_t> SettingsModel::*t) {
    return TableRef{nullptr, t};
}
constexpr TableRef lineZero(PerLine<std::int32_t> SettingsModel::*t) {
    return TableRef{t, nullptr};
}

constexpr PageValue kNoSecond{};

constexpr PageValue levelValue(PerPage<std::int32_t> SettingsModel::*t, Attribute memory,
                               std::string_view label, std::string_view allLabel, int valueId,
                               int allPagesId) {
    return PageValue{perPage(t), memory,   digitField(1), digitField(1),
                     label,      allLabel, valueId,       allPagesId};
}

constexpr std::array<PageValue, 2> kLevels{
    levelValue(&SettingsModel::whiteLevel, Attribute::WhiteLevel, "白レベル", "全ページ同白レベル",
               1038, 1039),
    levelValue(&SettingsModel::blackLevel, Attribute::BlackLevel, "黒レベル", "全ページ同黒レベル",
               1041, 1042)};

constexpr std::array<PageValue, 2> kColoursS{
    PageValue{lineZero(&SettingsModel::charColour), Attribute::CharColour, digitField(1),
              digitField(1), "文字色", "全ページ同文字色", 1128, 1129},
    PageValue{lineZero(&SettingsModel::outlineColour), Attribute::OutlineColour, digitField(1),
              digitField(1), "縁取り色", "全ページ同縁取り色", 1130, 1131}};

// Most dialogs are model S dialogs of one value on the shared template
// layout; a row states what differs from that.
constexpr PageAttributeDescriptor page(Feature feature, int dialogTemplate,
                                       std::string_view titleWord, std::string_view mnemonic,
                                       std::string_view pageLiteral, ValueList values,
                                       PageValue value, int previewId, ValueLook look = {},
                                       bool remembers = false) {
    return PageAttributeDescriptor{Product::S,
                                   feature,
                                   dialogTemplate,
                                   titleWord,
                                   mnemonic,
                                   pageLiteral,
                                   values,
                                   1,
                                   {value, kNoSecond},
                                   remembers,
                                   false,
                                   0ms,
                                   "ページ設定",
                                   PagePreview::Pages32,
                                   " ",
                                   {},
                                   look,
                                   previewId,
                                   1027,
                                   1028,
                                   0,
                                   0};
}

// Model F's template: its buttons have other identifiers, and the preview
// sets the value off with " = ".
constexpr PageAttributeDescriptor onModelFTemplate(PageAttributeDescriptor d) {
    d.previewGap = " = ";
    d.pageButtonId = 1028;
    d.sendAllId = 1029;
    return d;
}

constexpr PageAttributeDescriptor twoValues(PageAttributeDescriptor d,
                                            const std::array<PageValue, 2>& values) {
    d.valueCount = 2;
    d.value = values;
    d.remembers = true;
    return d;
}

// Model S shows model F's level dialog, but for its button's label.
constexpr PageAttributeDescriptor levels(Product product, std::string_view pageButtonLabel) {
    PageAttributeDescriptor d =
        twoValues(onModelFTemplate(page(Feature::Levels, 146, "白黒レベル ", "CL", "CL00122",
                                        textList(kLevelTexts), kNoSecond, 1040)),
                  kLevels);
    d.product = product;
    d.pageButtonLabel = pageButtonLabel;
    d.preview = PagePreview::Pages32Levels;
    d.valueGap = "  ";
    return d;
}

constexpr PageAttributeDescriptor colours() {
    PageAttributeDescriptor d =
        twoValues(page(Feature::Colours, 194, "文字色＆縁取り色 ", "CABC", "CABC00170",
                       textList(kColourTexts), kNoSecond, 1127, {kColourPreviewTexts, {}}),
                  kColoursS);
    d.preview = PagePreview::Colours8;
    return d;
}

// "全設定" sends every page's command, paced.
constexpr PageAttributeDescriptor paced(PageAttributeDescriptor d, int progressId, int percentId) {
    d.pacedAll = true;
    d.transferInterval = 40ms;
    d.progressId = progressId;
    d.percentId = percentId;
    return d;
}

constexpr PageAttributeDescriptor autoSwitchF() {
    PageAttributeDescriptor d = onModelFTemplate(
        page(Feature::AutoSwitch, 140, "自動切換え ", "PAST", "PAST00101", numberList(100, 2),
             one(perPage(&SettingsModel::autoSwitchTime), Attribute::AutoSwitch, digitField(2),
                 digitField(2), "時間（秒）", 1026, 1027),
             1032, {{}, " 秒"}));
    d.product = Product::F;
    return d;
}

constexpr std::array<PageAttributeDescriptor, 13> kTable{{
    // Model F.
    autoSwitchF(),
    levels(Product::F, "設定"),
    // Model S.
    page(Feature::CharSize, 189, "文字サイズ ", "CFS", "CFS001E", textList(kCharSizeTexts),
         one(lineZero(&SettingsModel::charSize), Attribute::CharSize, letterField(kCharSizeLetters),
             letterField(kCharSizeLetters), "文字サイズ", 1125, 1126),
         1118),
    page(Feature::TitlePosition, 198, "ポジション ", "IDP", "IDP001T", textList(kPositionTexts),
         one(perPage(&SettingsModel::titlePosition), Attribute::TitlePosition, letterField("TB"),
             letterField("TB"), "ポジション", 1134, 1135),
         1133, {kPositionLook, {}}),
    page(Feature::VerticalOffset, 201, "垂直方向のオフセット ", "IDO", "IDO00100",
         numberList(16, 2),
         one(lineZero(&SettingsModel::lineSpacing), Attribute::VerticalOffset, digitField(2),
             digitField(2), "垂直方向のオフセット", 1137, 1138),
         1136),
    page(Feature::ScrollSpeed, 205, "スクロール速度の設定 ", "ISS", "ISS0012",
         textList(kScrollTexts),
         one(perPage(&SettingsModel::scrollSpeed), Attribute::ScrollSpeed, digitField(1, 1),
             digitField(1, 1), "スクロール速度", 1140, 1141),
         1139),
    page(Feature::Blink, 190, "点滅 ", "CBS", "CBS001OF", textList(kOffOnTexts),
         one(lineZero(&SettingsModel::blink), Attribute::Blink, wordField(kOffOnWords),
             letterField(kOffOnLetters), "点滅", 1122, 1123),
         1121, {}, true),
    page(Feature::AutoSwitch, 192, "自動切換え ", "PAS", "PAS001S", textList(kSkipLiveTexts),
         one(perPage(&SettingsModel::autoSwitchTime), Attribute::AutoSwitch, letterField("SL"),
             letterField("SL"), "自動切換え", 1119, 1120),
         1124, {kSkipLiveLook, {}}),
    colours(),
    page(Feature::BackgroundFill, 196, "背景色ベタ塗り ", "FB", "FB001OF", textList(kOffOnTexts),
         one(lineZero(&SettingsModel::backgroundFill), Attribute::BackgroundFill,
             wordField(kOffOnWords), letterField(kOffOnLetters), "背景色ベタ塗り", 1131, 1132),
         1130, {}, true),
    paced(page(Feature::EraseTime, 207, "消去時間 ", "IDRT", "IDRT001000", numberList(241, 3),
               one(lineZero(&SettingsModel::eraseTime), Attribute::EraseTime, digitField(3),
                   digitField(3), "消去時間（秒）", 1149, 1148),
               1145, {{}, " 秒"}),
          1146, 1030),
    page(Feature::FontType, 217, "フォント種類 ", "CFT", "CFT001G", textList(kFontTexts),
         one(lineZero(&SettingsModel::fontType), Attribute::FontType, letterField(kFontLetters),
             letterField(kFontLetters), "フォント種類", 1194, 1195),
         1193),
    levels(Product::S, "ページ設定"),
}};

} // namespace

std::span<const PageAttributeDescriptor> pageAttributeDescriptors() {
    return kTable;
}

const PageAttributeDescriptor* pageAttributeDescriptor(Product p, Feature f) {
    for (const PageAttributeDescriptor& d : kTable) {
        if (d.product == p && d.feature == f) {
            return &d;
        }
    }
    return nullptr;
}

} // namespace tlx
