// The yardstick for start-up: an empty Qt window of the main window's size with one label in Chinese,
// as every window of the game shows Chinese text.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(556, 489);
  window.setWindowTitle(QStringLiteral("Empty"));
  QLabel label(QStringLiteral("Velmora 数独"), &window);
  label.move(10, 10);
  window.show();
  return app.exec();
}
