// mkhelp: photographs the game's own windows offscreen and lays out the help picture, written as a JPEG.
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "Page.h"
#include "Shots.h"
#include "toolkit/Forms.h"
#include "toolkit/Jpeg.h"
#include "toolkit/testing.h"

namespace {

int Fail(const QString& message) {
  QTextStream(stderr) << "mkhelp: " << message << '\n';
  return 1;
}

// The picture's rows as RGB bytes, the form the toolkit's JPEG encoder takes.
std::vector<std::uint8_t> RgbBytes(const QImage& page) {
  QImage rgb = page.convertToFormat(QImage::Format_RGB888);
  std::vector<std::uint8_t> bytes;
  bytes.reserve(static_cast<std::size_t>(rgb.width()) * rgb.height() * 3);
  for (int y = 0; y < rgb.height(); ++y) {
    const uchar* row = rgb.constScanLine(y);
    bytes.insert(bytes.end(), row, row + rgb.width() * 3);
  }
  return bytes;
}

const char* const Usage =
    "Usage: mkhelp [--collection tk.vlm] [--png preview.png] [--quality n] [--scale 2] output.jpg\n"
    "Runs Velmora's windows offscreen, takes screenshots of them (main window with a beginner game,\n"
    "tool-bar buttons, candidate panel, custom-game editor, puzzle collection), lays out the help\n"
    "page (462 x 1601 pixels, Simplified Chinese) and writes it as a JPEG file.\n"
    "  --collection FILE  a tk.vlm to show in the collection dialog (default: a small sample)\n"
    "  --png FILE         also write the page as a PNG file\n"
    "  --quality N        JPEG quality, 1..100 (default 90)\n"
    "  --scale 2          the page at twice the size (924 x 3202), windows photographed at scale 2,\n"
    "                     for screens of two device pixels a pixel (resources/help@2x.jpg)\n"
    "The screenshots show the program this tool was built with; tools/mkhelp/make-help.sh rebuilds\n"
    "and reruns it.\n";

}  // namespace

int main(int argc, char* argv[]) {
  // The game's windows are drawn offscreen: no display is needed, and none is disturbed.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // The scale is read before the platform starts, as the windows are drawn at it.
  int scale = 1;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--scale" && i + 1 < argc) scale = std::atoi(argv[i + 1]);
    if (a.rfind("--scale=", 0) == 0) scale = std::atoi(a.c_str() + 8);
  }
  if (scale == 2) setenv("QT_SCALE_FACTOR", "2", 1);
  if (scale != 1 && scale != 2) return Fail(QStringLiteral("--scale takes 1 or 2"));
  toolkit::TApplication::Initialize();
  // Error boxes are recorded rather than shown, and no dialog waits for a person.
  toolkit::testing::Enable();

  QCommandLineParser parser;
  QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this text."));
  QCommandLineOption collection(QStringLiteral("collection"),
                                QStringLiteral("A tk.vlm to show in the collection dialog (default: a small sample)."),
                                QStringLiteral("file"));
  QCommandLineOption preview(QStringLiteral("png"), QStringLiteral("Also write the page as a PNG file."),
                             QStringLiteral("file"));
  QCommandLineOption quality(QStringLiteral("quality"), QStringLiteral("JPEG quality, 1..100 (default 90)."),
                             QStringLiteral("n"), QStringLiteral("90"));
  QCommandLineOption scaleOption(QStringLiteral("scale"), QStringLiteral("1 or 2: the page's size (default 1)."),
                                 QStringLiteral("n"), QStringLiteral("1"));
  parser.addOptions({help, collection, preview, quality, scaleOption});
  // The toolkit's application reads no command line; this tool's own arguments are parsed here.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  if (!parser.parse(arguments)) return Fail(parser.errorText() + QStringLiteral(" (see --help)"));
  if (parser.isSet(help)) {
    QTextStream(stdout) << Usage;
    return 0;
  }
  if (parser.positionalArguments().size() != 1) return Fail(QStringLiteral("expected one output file; see --help"));
  const QString output = QFileInfo(parser.positionalArguments().first()).absoluteFilePath();
  const QString collectionFile =
      parser.isSet(collection) ? QFileInfo(parser.value(collection)).absoluteFilePath() : QString();

  if (!QFontDatabase::families().contains(QStringLiteral("WenQuanYi Micro Hei")))
    return Fail(QStringLiteral("font \"WenQuanYi Micro Hei\" is not installed (Debian: fonts-wqy-microhei)"));

  // The game writes its record file into the current folder: keep that out of the repository.
  QTemporaryDir scratch;
  if (!scratch.isValid() || !QDir::setCurrent(scratch.path()))
    return Fail(QStringLiteral("cannot make a scratch folder"));
  mkhelp::Shots shots = mkhelp::TakeShots(collectionFile);
  QDir::setCurrent(QDir::rootPath());

  QString error;
  QImage page = mkhelp::HelpPage(shots, scale, error);
  if (page.isNull()) return Fail(error);
  if (parser.isSet(preview) && !page.save(parser.value(preview)))
    return Fail(QStringLiteral("cannot write %1").arg(parser.value(preview)));

  try {
    toolkit::TJPEGImage jpeg;
    jpeg.Assign(page.width(), page.height(), RgbBytes(page));
    jpeg.CompressionQuality = std::clamp(parser.value(quality).toInt(), 1, 100);
    jpeg.SaveToFile(output.toStdString());
    toolkit::TJPEGImage check;  // read it back as the help window will
    check.LoadFromFile(output.toStdString());
    if (check.Width() != mkhelp::PageWidth * scale || check.Height() != mkhelp::PageHeight * scale)
      return Fail(QStringLiteral("the written picture reads back at the wrong size"));
  } catch (const toolkit::Exception& e) {
    return Fail(QString::fromStdString(e.Message));
  }
  QTextStream(stdout) << "mkhelp: wrote " << QDir::toNativeSeparators(output) << " (" << page.width() << " x "
                      << page.height() << ")\n";
  toolkit::TApplication::Finalize();
  return 0;
}
