// mkicons: draws the game's tool-bar pictures and program icon and writes them as PNG files.
#include "AppIcon.h"
#include "Draw.h"
#include "Toolbar.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QTextStream>


namespace {

int fail(const QString& message) {
  QTextStream(stderr) << "mkicons: " << message << '\n';
  return 1;
}

} // namespace

int main(int argc, char* argv[]) {
  // Fonts need a GUI application, but no display is needed to draw into images.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QGuiApplication::setApplicationName(QStringLiteral("mkicons"));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Draws Velmora's pictures and writes them as PNG files under <resources>:\n"
      "  toolbar/0.png .. toolbar/12.png the 16 x 16 tool-bar pictures\n"
      "  toolbar/0@2x.png .. 12@2x.png   the same at twice the size (32 x 32)\n"
      "  toolbar/strip.png               all of them side by side (208 x 16)\n"
      "  icon/velmora-<size>.png         the program icon, sizes 16 24 32 48 64 128 256\n"
      "icon/velmora.svg is kept by hand and is not written."));
  parser.addHelpOption();
  parser.addPositionalArgument(QStringLiteral("resources"),
                               QStringLiteral("Output folder (the repository's resources/)."));
  parser.process(app);

  const QStringList args = parser.positionalArguments();
  if (args.size() != 1) {
    return fail(QStringLiteral("expected exactly one output folder; see --help"));
  }
  const QDir out(args.first());
  if (!QDir().mkpath(out.absolutePath())) {
    return fail(QStringLiteral("cannot create %1").arg(out.absolutePath()));
  }

  // The icon's digits are drawn in bold DejaVu Sans; refuse to write lookalikes in another font.
  QFont dejavu(QStringLiteral("DejaVu Sans"));
  dejavu.setBold(true);
  if (!QFontInfo(dejavu).family().contains(QStringLiteral("DejaVu"), Qt::CaseInsensitive)) {
    return fail(QStringLiteral("font \"DejaVu Sans\" is not installed"));
  }

  QString error;
  int written = 0;
  for (int i = 0; i < mkicons::kToolbarCount; ++i) {
    if (!mkicons::savePng(mkicons::toolbarPicture(i),
                          out.filePath(QStringLiteral("toolbar/%1.png").arg(i)), error) ||
        !mkicons::savePng(mkicons::toolbarPicture(i, 2),
                          out.filePath(QStringLiteral("toolbar/%1@2x.png").arg(i)), error)) {
      return fail(error);
    }
    written += 2;
  }
  if (!mkicons::savePng(mkicons::toolbarStrip(), out.filePath(QStringLiteral("toolbar/strip.png")),
                        error)) {
    return fail(error);
  }
  ++written;
  for (int size : mkicons::kAppIconSizes) {
    if (!mkicons::savePng(mkicons::appIcon(size),
                          out.filePath(QStringLiteral("icon/velmora-%1.png").arg(size)), error)) {
      return fail(error);
    }
    ++written;
  }
  QTextStream(stdout) << "mkicons: wrote " << written << " pictures under "
                      << QDir::toNativeSeparators(out.absolutePath()) << '\n';
  return 0;
}
