// Program start and stop: the forms in their start-up order, as global single instances.
#pragma once

namespace velmora {

// Creates the main window and the dialogs that live for the whole run, in start-up order.
void CreateForms();
// Frees them again (tests start and stop "the program" in-process).
void DestroyForms();

}  // namespace velmora
