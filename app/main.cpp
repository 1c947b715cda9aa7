// The program: initialise the application, seed the generator, create the forms, run the event loop.
#include "forms/Program.h"
#include "toolkit/Forms.h"
#include "toolkit/Random.h"

int main() {
  toolkit::TApplication::Initialize();
  toolkit::Application->set_DesktopFileName(VELMORA_APP_ID);
  toolkit::Randomize();  // every run deals other puzzles
  velmora::CreateForms();
  toolkit::Application->Run();
  velmora::DestroyForms();
  toolkit::TApplication::Finalize();
  return 0;
}
