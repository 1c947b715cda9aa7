// The maker's contact lines, shown in the about box and along the main window's status bar. They are build
// settings (cmake/Contact.cmake); the build writes their values into its own Contact.cpp.
#pragma once

namespace velmora::Contact {

extern const char* const Name;
extern const char* const Mail;             // opened behind "mailto:"
extern const char* const HomePage;         // the home page without its scheme, opened behind "http://"
extern const char* const HomePageAddress;  // the home page as the about box and the status bar show it
extern const char* const ChatService;      // the chat service's name; empty, like ChatAddress, for no chat line
extern const char* const ChatAddress;

}  // namespace velmora::Contact
