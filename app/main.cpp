// The program: initialise the application, create the forms in start-up order, run the event loop.
#include "forms/Program.h"
#include "toolkit/Forms.h"

int main() {
  toolkit::TApplication::Initialize();
  velmora::CreateForms();
  toolkit::Application->Run();
  velmora::DestroyForms();
  toolkit::TApplication::Finalize();
  return 0;
}
