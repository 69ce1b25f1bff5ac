#include "app/menu_logic.h"

#include <array>

namespace tlx {

namespace {

constexpr MenuEntry cmd(std::string_view label, int command) {
    return {MenuEntry::Kind::Command, label, command, {}};
}
constexpr MenuEntry separator() {
    return {MenuEntry::Kind::Separator, {}, 0, {}};
}
constexpr MenuEntry submenu(std::string_view label, std::span<const MenuEntry> children) {
    return {MenuEntry::Kind::Submenu, label, 0, children};
}

template <typename T, std::size_t N, std::size_t M>
constexpr std::array<T, N + M> joined(const std::array<T, N>& a, const std::array<T, M>& b) {
    std::array<T, N + M> out{};
    for (std::size_t i = 0; i < N; ++i) {
        out[i] = a[i];
    }
    for (std::size_t i = 0; i < M; ++i) {
        out[N + i] = b[i];
    }
    return out;
}

// Menus that both models share.

constexpr std::array kFileMenu{
    cmd("新規作成", 32775),         cmd("開く", 32776), cmd("上書き保存", 32777),
    cmd("名前を付けて保存", 32778), separator(),        cmd("ｱﾌﾟﾘｹｰｼｮﾝの終了", 121),
};
constexpr std::array kInterfaceMenu{
    cmd("インターフェイスの設定", 32798),
    cmd("RS-232C/485の設定", 32799),
    cmd("クライアント/サーバー", 32803),
    cmd("TCP/IPの設定", 32800),
};
constexpr std::array kProtocolMenu{cmd("プロトコルの設定", 32801)};
constexpr std::array kMaintenanceMenu{cmd("設定項目の読み込み", 32807)};
// The program's own tools, after the device's menus; identifiers from 40001.
constexpr std::array kToolsMenu{
    cmd("ファイルと比較...", 40001),
    cmd("装置と比較...", 40002),
    cmd("変更分のみ送信...", 40003),
    cmd("タイトル一覧", 40011),
    cmd("タイトルの書き出し...", 40012),
    cmd("タイトルの読み込み...", 40013),
    cmd("通信ログ", kCmdTrafficLog),
};

// The settings menu's middle and end are the same in both models, but for
// the glyph list submenu's identifiers.
constexpr std::array kSettingsMiddle{
    cmd("点滅", 32806),
    cmd("自動切換え", 32783),
    cmd("文字＆縁取り色", 32784),
    cmd("背景色ベタ塗り", 32785),
    cmd("白黒レベル", 32786),
    cmd("スケジュール", 32787),
    cmd("アラーム", 32788),
    cmd("リモート", 32789),
    cmd("その他", 32790),
    cmd("表示ページ", 32802),
};
constexpr std::array<MenuEntry, 7> settingsTail(std::span<const MenuEntry> glyphLists) {
    return {separator(),
            cmd("外字挿入", 32794),
            submenu("外字一覧", glyphLists),
            separator(),
            cmd("全項目の設定", 32791),
            cmd("機器のスレーブアドレス", 32792),
            submenu("メンテナンス", kMaintenanceMenu)};
}

// Model F.

constexpr std::array kGlyphListMenuF{cmd("小文字", 32813), cmd("中文字", 32814),
                                     cmd("大文字", 32815)};
constexpr auto kSettingsMenuF = joined(
    joined(std::array{cmd("日付，時刻", 32780), cmd("タイトル入力", 32781), cmd("文字サイズ", 32804),
                      cmd("行間", 32805)},
           kSettingsMiddle),
    joined(std::array{cmd("水平方向のオフセット", 32809), cmd("センタリング", 32810),
                      cmd("消去時間", 32811), cmd("フォント種類", 32816)},
           settingsTail(kGlyphListMenuF)));
constexpr std::array kInfoMenuF{cmd("TLX500F Z200 のﾊﾞｰｼﾞｮﾝ情報.", 120),
                                cmd("外字について", 32812)};
constexpr std::array kMenuF{
    MenuTop{"ﾌｧｲﾙ", kFileMenu},
    MenuTop{"設定", kSettingsMenuF},
    MenuTop{"インターフェイス", kInterfaceMenu},
    MenuTop{"プロトコル", kProtocolMenu},
    MenuTop{"情報", kInfoMenuF},
    MenuTop{"ツール", kToolsMenu},
};

// Model S.

constexpr std::array kGlyphListMenuS{cmd("小文字", 32814), cmd("中文字", 32815),
                                     cmd("大文字", 32816)};
constexpr auto kSettingsMenuS = joined(
    joined(std::array{cmd("日付，時刻", 32780), cmd("タイトル入力", 32781), cmd("文字サイズ", 32804),
                      cmd("ポジション", 32809), cmd("垂直方向のオフセット", 32810),
                      cmd("スクロール速度", 32811)},
           kSettingsMiddle),
    joined(std::array{cmd("消去時間", 32812), cmd("フォント種類", 32817)},
           settingsTail(kGlyphListMenuS)));
constexpr std::array kInfoMenuS{cmd("TLX500S_Z200 のﾊﾞｰｼﾞｮﾝ情報.", 120),
                                cmd("外字について", 32813)};
constexpr std::array kMenuS{
    MenuTop{"ﾌｧｲﾙ", kFileMenu},
    MenuTop{"設定", kSettingsMenuS},
    MenuTop{"インターフェイス", kInterfaceMenu},
    MenuTop{"プロトコル", kProtocolMenu},
    MenuTop{"情報", kInfoMenuS},
    MenuTop{"ツール", kToolsMenu},
};

constexpr std::array<ToolButton, kToolbarButtons> kToolbarF{{
    {501, "日付，時刻"},
    {502, "タイトル入力"},
    {503, "文字サイズ"},
    {504, "行間"},
    {505, "点滅"},
    {506, "自動切換え"},
    {507, "文字＆縁取り色"},
    {508, "背景色ベタ塗り"},
    {509, "白黒レベル"},
    {510, "スケジュール"},
    {511, "アラーム"},
    {512, "リモート"},
    {513, "その他"},
    {514, "表示ページ"},
    {515, "水平方向のオフセット"},
    {516, "センタリング"},
    {517, "消去時間"},
    {518, "フォント種類"},
}};
constexpr std::array<ToolButton, kToolbarButtons> kToolbarS{{
    {501, "日付，時刻"},
    {502, "タイトル入力"},
    {503, "文字サイズ"},
    {504, "ポジション"},
    {505, "垂直方向のオフセット"},
    {506, "スクロール速度"},
    {507, "点滅"},
    {508, "自動切換え"},
    {509, "文字色＆縁取り色"},
    {510, "背景色ベタ塗り"},
    {511, "白黒レベル"},
    {512, "スケジュール"},
    {513, "アラーム"},
    {514, "リモート"},
    {515, "その他"},
    {516, "表示ページ"},
    {517, "消去時間"},
    {518, "フォント種類"},
}};

using F = Feature;

// Rows both models route alike.
constexpr std::array kSharedRoutes{
    CommandRoute{120, 0, F::About, 100, ""},
    CommandRoute{121, 0, F::Exit, 0, ""},
    CommandRoute{32775, 0, F::NewFile, 0, ""},
    CommandRoute{32776, 0, F::OpenFile, 0, ""},
    CommandRoute{32777, 0, F::SaveFile, 0, ""},
    CommandRoute{32778, 0, F::SaveFileAs, 0, ""},
    CommandRoute{32780, 501, F::DateTime, 134, "日付＆時刻の設定"},
    CommandRoute{32781, 502, F::TitleInput, 138, "タイトルの設定"},
};

constexpr std::array kOwnRoutesF{
    CommandRoute{32804, 503, F::CharSize, 183, "文字サイズ"},
    CommandRoute{32805, 504, F::LineSpacing, 185, "行間"},
    CommandRoute{32806, 505, F::Blink, 187, "点滅"},
    CommandRoute{32783, 506, F::AutoSwitch, 140, "自動切換え"},
    CommandRoute{32784, 507, F::Colours, 161, "文字＆縁取り色"},
    CommandRoute{32785, 508, F::BackgroundFill, 144, "背景色ベタ塗り"},
    CommandRoute{32786, 509, F::Levels, 146, "白黒レベル"},
    CommandRoute{32787, 510, F::Schedule, 163, "スケジュール"},
    CommandRoute{32788, 511, F::Alarm, 133, "アラーム"},
    CommandRoute{32789, 512, F::Remote, 165, "リモート"},
    CommandRoute{32790, 513, F::Others, 136, "その他"},
    CommandRoute{32802, 514, F::DisplayPage, 175, "表示ページ"},
    CommandRoute{32809, 515, F::HorizontalOffset, 205, "水平方向オフセットの設定"},
    CommandRoute{32810, 516, F::Centering, 207, "センタリング表示の設定"},
    CommandRoute{32811, 517, F::EraseTime, 209, "消去時間の設定"},
    CommandRoute{32816, 518, F::FontType, 218, "フォント種類"},
    CommandRoute{32794, 0, F::GlyphInsert, 167, "外字挿入"},
    CommandRoute{32813, 0, F::GlyphListSmall, 212, "外字一覧（小文字）"},
    CommandRoute{32814, 0, F::GlyphListMedium, 214, "外字一覧（中文字）"},
    CommandRoute{32815, 0, F::GlyphListLarge, 216, "外字一覧（大文字）"},
};

constexpr std::array kOwnRoutesS{
    CommandRoute{32804, 503, F::CharSize, 189, "文字サイズの設定"},
    CommandRoute{32809, 504, F::TitlePosition, 198, "表示位置の設定"},
    CommandRoute{32810, 505, F::VerticalOffset, 201, "表示位置オフセット"},
    CommandRoute{32811, 506, F::ScrollSpeed, 205, "スクロール速度の設定"},
    CommandRoute{32806, 507, F::Blink, 190, "点滅表示の設定"},
    CommandRoute{32783, 508, F::AutoSwitch, 192, "自動切換えの設定"},
    CommandRoute{32784, 509, F::Colours, 194, "文字色の設定"},
    CommandRoute{32785, 510, F::BackgroundFill, 196, "背景色ベタ塗りの設定"},
    CommandRoute{32786, 511, F::Levels, 146, "文字レベルの設定"},
    CommandRoute{32787, 512, F::Schedule, 163, "スケジュール"},
    CommandRoute{32788, 513, F::Alarm, 133, "アラームの設定"},
    CommandRoute{32789, 514, F::Remote, 165, "リモートの設定"},
    CommandRoute{32790, 515, F::Others, 136, "その他"},
    CommandRoute{32802, 516, F::DisplayPage, 175, "表示ページ"},
    CommandRoute{32812, 517, F::EraseTime, 207, "消去時間の設定"},
    CommandRoute{32817, 518, F::FontType, 217, "フォント種類の設定"},
    CommandRoute{32794, 0, F::GlyphInsert, 167, "外字挿入"},
    CommandRoute{32813, 0, F::GlyphInfo, 211, "外字について"},
    CommandRoute{32814, 0, F::GlyphListSmall, 212, "外字一覧（ゴシック体 小文字）"},
    CommandRoute{32815, 0, F::GlyphListMedium, 214, "外字一覧（ゴシック体 中文字）"},
    CommandRoute{32816, 0, F::GlyphListLarge, 216, "外字一覧（ゴシック体 大文字）"},
};

// The sending, reading and link rows, alike in both models.
constexpr std::array kLinkRoutes{
    CommandRoute{32791, 0, F::SendAll, 150, "全項目の設定"},
    CommandRoute{32792, 0, F::SlaveAddress, 148, "機器のスレーブアドレス"},
    CommandRoute{32807, 0, F::ReadAll, 156, "設定項目の読み込み"},
    CommandRoute{32798, 0, F::Interface, 152, "インターフェイスの設定"},
    CommandRoute{32799, 0, F::RsSettings, 154, "RS-232C/485の設定"},
    CommandRoute{32803, 0, F::ClientServer, 180, "クライアント/サーバー"},
    CommandRoute{32800, 0, F::TcpSettings, 182, "TCP/IPの設定(Client)"},
    CommandRoute{32801, 0, F::DeviceNetwork, 159, "プロトコル"},
};

// The tools menu: no dialog template of the device's program.
constexpr std::array kToolRoutes{
    CommandRoute{40001, 0, F::CompareWithFile, 0, "ファイルと比較"},
    CommandRoute{40002, 0, F::CompareWithDevice, 0, "装置と比較"},
    CommandRoute{40003, 0, F::SendChanged, 0, "変更分のみ送信"},
    CommandRoute{40011, 0, F::TitleOverview, 0, "タイトル一覧"},
    CommandRoute{40012, 0, F::TitleExport, 0, "タイトルの書き出し"},
    CommandRoute{40013, 0, F::TitleImport, 0, "タイトルの読み込み"},
    CommandRoute{kCmdTrafficLog, 0, F::TrafficLog, 0, "通信ログ"},
};

constexpr auto kRoutesF =
    joined(joined(joined(kSharedRoutes, kOwnRoutesF), kLinkRoutes),
           joined(std::array{CommandRoute{32812, 0, F::GlyphInfo, 211, "外字について"}}, kToolRoutes));
constexpr auto kRoutesS = joined(joined(joined(kSharedRoutes, kOwnRoutesS), kLinkRoutes), kToolRoutes);

} // namespace

std::span<const MenuTop> mainMenu(Product p) {
    return p == Product::F ? std::span<const MenuTop>(kMenuF) : std::span<const MenuTop>(kMenuS);
}

std::span<const ToolButton> toolbarButtons(Product p) {
    return p == Product::F ? std::span<const ToolButton>(kToolbarF)
                           : std::span<const ToolButton>(kToolbarS);
}

std::span<const CommandRoute> commandRoutes(Product p) {
    return p == Product::F ? std::span<const CommandRoute>(kRoutesF)
                           : std::span<const CommandRoute>(kRoutesS);
}

std::optional<CommandRoute> routeOf(Product p, int command) {
    if (command == 0) {
        return std::nullopt;
    }
    for (const CommandRoute& r : commandRoutes(p)) {
        if (r.command == command || r.toolCommand == command) {
            return r;
        }
    }
    return std::nullopt;
}

DialogIdentity tcpSettingsDialog(std::int32_t clientServer) {
    return clientServer == 1 ? DialogIdentity{158, "TCP/IPの設定(Server)"}
                             : DialogIdentity{182, "TCP/IPの設定(Client)"};
}

std::string_view deviceNetworkRefusal(Product p) {
    return p == Product::F ? "インターフェイスをRS-232Cにしてください。"
                           : "インターフェースをRS-232Cにしてください。";
}

InterfaceMenuState interfaceMenuState(const ConnectionSettings& c) {
    InterfaceMenuState s;
    if (c.interfaceKind == InterfaceKind::Tcp) {
        s.clientServer = true;
        s.tcpSettings = true;
    } else {
        s.rsSettings = true;
        s.slaveAddress = c.rsControl == 1;
    }
    return s;
}

} // namespace tlx
