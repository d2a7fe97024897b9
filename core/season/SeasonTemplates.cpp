#include "core/season/SeasonTemplates.h"

#include "core/base/SjisText.h"
#include "core/season/BaseballPennant.h"

#include <cstdint>
#include <vector>

namespace {

struct TTeamRow {
    const char* Name;
    const char* ShortName;
    const char* Symbol;
    int32_t Color;
};

struct TDistrictRow {
    const char* Name;
    std::vector<TTeamRow> Teams;
};

struct TLeagueRow {
    const char* Name;
    uint8_t DrawRule;
    uint8_t RankRule;
    std::vector<TDistrictRow> Districts;
};

struct TTemplate {
    const char* Contents;
    uint8_t Interleague;
    std::vector<TLeagueRow> Leagues;
};

const TTemplate& Template(int kind) {
    static const TTemplate japan{"プロ野球２００Ｘ",
                                 0,
                                 {{"セントラルリーグ",
                                   0,
                                   0,
                                   {{"",
                                     {{"読売ジャイアンツ", "巨　　人", "G", 17919},
                                      {"ヤクルトスワローズ", "ヤクルト", "S", 8421376},
                                      {"中日ドラゴンズ", "中　　日", "D", 16711680},
                                      {"広島東洋カープ", "広　　島", "C", 255},
                                      {"阪神タイガース", "阪　　神", "T", 55295},
                                      {"横浜ベイスターズ", "横　　浜", "YB", 8388608}}}}},
                                  {"パシフィックリーグ",
                                   0,
                                   0,
                                   {{"",
                                     {{"西武ライオンズ", "西　　武", "L", 16776960},
                                      {"福岡ダイエーホークス", "ダイエー", "H", 17919},
                                      {"大阪近鉄バッファローズ", "近　　鉄", "BU", 3937500},
                                      {"日本ハムファイターズ", "日本ハム", "F", 9639167},
                                      {"千葉ロッテマリーンズ", "ロ　ッ　テ", "M", 13408767},
                                      {"オリックスブルーウェーブ", "オリックス", "BW", 8388608}}}}}}};

    static const TTemplate major{"メジャーリーグ２００Ｘ",
                                 1,
                                 {{"アメリカンリーグ",
                                   2,
                                   0,
                                   {{"東部地区",
                                     {{"ニューヨークヤンキース", "ヤンキース", "NYY", 8421504},
                                      {"ボストンレッドソックス", "レッドソックス", "BOS", 3355647},
                                      {"トロントブルージェイズ", "ブルージェイズ", "TOR", 16763955},
                                      {"ボルティモアオリオールズ", "オリオールズ", "BAL", 39423},
                                      {"タンパベイデビルレイズ", "デビルレイズ", "TB", 16711731}}},
                                    {"中部地区",
                                     {{"ミネソタツインズ", "ツインズ", "MIN", 6684876},
                                      {"シカゴホワイトソックス", "ホワイトソックス", "CWS", 6684672},
                                      {"クリーブランドインディアンス", "インディアンス", "CLE", 255},
                                      {"カンザスシティロイヤルズ", "ロイヤルズ", "KC", 13421619},
                                      {"デトロイトタイガース", "タイガース", "DET", 3394764}}},
                                    {"西部地区",
                                     {{"アナハイムエンゼルス", "エンゼルス", "ANA", 16711680},
                                      {"オークランドアスレチックス", "アスレチックス", "OAK", 3355392},
                                      {"シアトルマリナーズ", "マリナーズ", "SEA", 16763904},
                                      {"テキサスレンジャーズ", "レンジャーズ", "TEX", 3355647}}}}},
                                  {"ナショナルリーグ",
                                   2,
                                   0,
                                   {{"東部地区",
                                     {{"アトランタブレーブス", "ブレーブス", "ATL", 3355596},
                                      {"モントリオールエクスポズ", "エクスポズ", "MON", 16737843},
                                      {"フィラデルフィアフィリーズ", "フィリーズ", "PHI", 13382604},
                                      {"フロリダマーリンズ", "マーリンズ", "FLA", 16777113},
                                      {"ニューヨークメッツ", "メッツ", "NYM", 255}}},
                                    {"中部地区",
                                     {{"セントルイスカージナルス", "カージナルス", "STL", 65535},
                                      {"ヒューストンアストロズ", "アストロズ", "HOU", 8421504},
                                      {"シンシナティレッズ", "レッズ", "CIN", 255},
                                      {"ピッツバーグパイレーツ", "パイレーツ", "PIT", 3381759},
                                      {"シカゴカブス", "カブス", "CHC", 16763955},
                                      {"ミルウォーキーブリュワーズ", "ブリュワーズ", "MIL", 16711782}}},
                                    {"西部地区",
                                     {{"アリゾナダイヤモンドバックス", "ダイヤモンドバックス", "ARI", 3329330},
                                      {"ロサンゼルスドジャース", "ドジャース", "LA", 11829830},
                                      {"サンフランシスコジャイアンツ", "ジャイアンツ", "SF", 17919},
                                      {"コロラドロッキーズ", "ロッキーズ", "COL", 128},
                                      {"サンディエゴパドレス", "パドレス", "SD", 11534350}}}}}}};

    static const TTemplate other{
        "△△△リーグ２００Ｘ",
        0,
        {{"", 0, 0, {{"", {{"チーム１", "Ｔ１", "T1", 255}, {"チーム２", "Ｔ２", "T2", 16711680}}}}}}};

    switch (kind) {
    case 1:
        return major;
    case 2:
        return other;
    default:
        return japan;
    }
}

} // namespace

void BuildTemplate(int kind, TPennant& pennant) {
    const TTemplate& t = Template(kind);
    pennant.Contents = sjis::S(t.Contents);
    pennant.Interleague = t.Interleague;
    for (const TLeagueRow& l : t.Leagues) {
        TLeague& league = pennant.GetLeague(pennant.AddLeague());
        league.Name = sjis::S(l.Name);
        league.DrawRule = l.DrawRule;
        league.RankRule = l.RankRule;
        for (const TDistrictRow& d : l.Districts) {
            TDistrict& district = league.GetDistrict(league.AddDistrict());
            district.Name = sjis::S(d.Name);
            for (const TTeamRow& r : d.Teams) {
                TTeam& team = district.GetTeam(district.AddTeam());
                team.Name = sjis::S(r.Name);
                team.ShortName = sjis::S(r.ShortName);
                team.SetSymbol(r.Symbol);
                team.Color = r.Color;
            }
        }
    }
}
