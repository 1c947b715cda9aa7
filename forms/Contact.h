// The maker's contact lines, shown in the about box and along the main window's status bar. They are build
// settings (cmake/Contact.cmake); the build writes their values into its own Contact.cpp.
#pragma once

namespace velmora::Contact {

extern const char* const Name;
extern const char* const Mail;             // opened behind "mailto:"
extern const char* const HomePageAddress;  // the home page as the about box shows and opens it
extern const char* const ChatService;      // the chat service's name; empty, like ChatAddress, for no chat line
extern const char* const ChatAddress;

}  // namespace velmora::Contact
