#include "SampleTexts.h"

namespace sample
{

std::string SystemIniText()
{
    // The game takes the values in the order of their "=" signs; the names
    // are for people. No blank may follow an "=".
    return "; ミストヴェイル戦記 の せってい\r\n"
           "Music=1\r\n"
           "EffectVolume=0\r\n"
           "Windowed=1\r\n"
           "ColourBits=16\r\n"
           "FrameRate=60\r\n"
           "PageFlip=1\r\n"
           "ShowFps=0\r\n";
}

std::string RandomNameText()
{
    static const char* const kNames[] = {
        "アルト", "ベルン", "カイル", "ダリオ", "エミル",   "フィン", "ガレス", "ハンナ", "イリア",   "ジーク",
        "ケイン", "ルカ",   "マルコ", "ニコ",   "オスカー", "パウラ", "クララ", "ロイ",   "セナ",     "トビアス",
        "ユーリ", "ヴィム", "ミラ",   "ノエル", "ソフィ",   "テオ",   "ラウル", "エルザ", "ゴードン", "リタ",
    };
    std::string text;
    for (const char* name : kNames)
    {
        text += name;
        text += "\n";
    }
    return text;
}

} // namespace sample
