// Where every setting of the settings file goes at start-up and where it is
// taken from at shutdown.
#pragma once

namespace vantrope {

// In the data folder, the current one.
inline constexpr const char* kSettingsFileName = "Vantrope.ini";

class IniFile;
class TMainForm;

// Reads the sections in the order MainForm, Alpari, Binary, Robot0..Robot6,
// LangPack, applying each value when read.
void LoadSettings(TMainForm& form, const IniFile& ini);
// Writes MainForm, Alpari, Binary, Robot0..Robot6 in their key order. The page
// templates and the language pack are never written.
void SaveSettings(const TMainForm& form, IniFile& ini);

}  // namespace vantrope
