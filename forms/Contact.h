// The maker's contact lines, shown in the about box and along the main window's status bar.
#pragma once

namespace velmora::Contact {

inline const char* const Name = "Velmora";
inline const char* const Mail = "velmora@velmora.games";       // opened behind "mailto:"
inline const char* const HomePage = "velmora.games";           // opened behind "http://"
inline const char* const HomePageAddress = "http://velmora.games";  // as the about box shows it
inline const char* const ChatService = "IRC";
inline const char* const ChatAddress = "irc.libera.chat #velmora";

}  // namespace velmora::Contact
