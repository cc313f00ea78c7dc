#pragma once
// Texts with their code page 936 bytes as the settings file holds them. The
// native tests hold the codec's conversion through iconv to them; a Windows
// program holds it, through the system's conversion, to them under Wine, so
// both sides write and read the same file.

#include <string>
#include <vector>

#include "unit/SettingsBytes.h"

struct Cp936Sample {
  const char* what;
  std::string utf8;
  std::string cp936;  // in Hex() form
  std::string back;   // what the bytes read back as
};

inline std::string HexText(const std::string& hex) {
  const Bytes bytes = Hex(hex);
  return std::string(bytes.begin(), bytes.end());
}

inline const std::vector<Cp936Sample>& Cp936Samples() {
  static const std::vector<Cp936Sample> samples = {
      {"empty", "", "", ""},
      {"ascii", "Tillervane 2.01", "54 69 6C 6C 65 72 76 61 6E 65 20 32 2E 30 31", "Tillervane 2.01"},
      {"version tag", "Tillervane（Tillervane v2.01）",
       "54 69 6C 6C 65 72 76 61 6E 65 A3 A8 54 69 6C 6C 65 72 76 61 6E 65 20 76 32 2E 30 31 A3 A9",
       "Tillervane（Tillervane v2.01）"},
      {"path", "C:\\游戏\\赛车.exe", "43 3A 5C D3 CE CF B7 5C C8 FC B3 B5 2E 65 78 65", "C:\\游戏\\赛车.exe"},
      {"captions", "新游戏 按住重复 切换键",
       "D0 C2 D3 CE CF B7 20 B0 B4 D7 A1 D6 D8 B8 B4 20 C7 D0 BB BB BC FC", "新游戏 按住重复 切换键"},
      {"full-width", "配置文件异常！", "C5 E4 D6 C3 CE C4 BC FE D2 EC B3 A3 A3 A1", "配置文件异常！"},
      {"punctuation", "《三国志》·一—～", "A1 B6 C8 FD B9 FA D6 BE A1 B7 A1 A4 D2 BB A1 AA A1 AB",
       "《三国志》·一—～"},
      {"symbols, pinyin", "€℃￥〇々éǚ", "80 A1 E6 A3 A4 A9 96 A1 A9 A8 A6 A8 B7", "€℃￥〇々éǚ"},
      {"no code page 936 form", "a😀b한", "61 3F 62 3F", "a?b?"},
  };
  return samples;
}
