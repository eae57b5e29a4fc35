// The code page the program's text is in. Corvane asks Windows for UTF-8
// (in its manifest), so that a name in any language reaches the file system
// and the windows unchanged; Windows before 10 version 1903 ignores that and
// keeps the system's ANSI code page, which holds only some languages.
#pragma once

#include <string>

namespace corvane {

// The program's code page: 65001 when Windows granted UTF-8.
unsigned ProgramCodePage();
inline constexpr unsigned kUtf8CodePage = 65001;

// The system's ANSI code page from before UTF-8 (1252 on a Western system),
// in which older programs wrote their files.
unsigned LegacyCodePage();

// The system's OEM code page (437 on a Western system, 866 on a Russian
// one), in which zip programs write names not marked as UTF-8.
unsigned OemCodePage();

// Text in the legacy code page as text in the program's code page; bytes the
// program's code page cannot hold come out as "?".
std::string LegacyToProgramText(const std::string& szBytes);

// The program's text as UTF-16 and back, for the few calls whose ANSI form
// holds less than a name can be: a name of MAX_PATH UTF-16 units may take
// three times as many bytes in UTF-8.
std::wstring ProgramTextToWide(const std::string& szText);
std::string WideToProgramText(const std::wstring& szWide);

}  // namespace corvane
