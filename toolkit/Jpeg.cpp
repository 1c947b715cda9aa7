// TJPEGImage decoded and encoded by libjpeg itself, and TImage painting it.
#include "toolkit/Jpeg.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPaintEvent>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "toolkit/qt_p.h"

namespace toolkit {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return. We jump back to the
// decoder, which frees libjpeg's state and raises the toolkit's exception from plain C++ code:
// throwing through libjpeg's C frames is not safe.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

// Warnings mean damaged data (a picture cut short is finished in grey): a picture we would show
// wrong is refused instead. Trace messages are ignored.
void EmitMessage(j_common_ptr cinfo, int level) {
  if (level < 0) ErrorExit(cinfo);
}

void OutputMessage(j_common_ptr) {}

void UseErrorManager(jpeg_common_struct* cinfo, ErrorManager& err) {
  cinfo->err = jpeg_std_error(&err.pub);
  err.pub.error_exit = ErrorExit;
  err.pub.emit_message = EmitMessage;
  err.pub.output_message = OutputMessage;
}

// A header can claim any size up to 65500 x 65500; refuse what no window of ours could show.
constexpr long long MaxPixels = 64LL * 1024 * 1024;

// Everything libjpeg changes lives in the caller's frame, not in the frame that calls setjmp, so
// nothing there is left undefined by the jump back, and the jump skips no destructor.
struct Decoding {
  jpeg_decompress_struct cinfo{};
  ErrorManager err{};
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;
};

// Decodes the whole picture; returns false with the reason in d.err.message.
bool Decode(const std::string& bytes, Decoding& d) {
  UseErrorManager(reinterpret_cast<jpeg_common_struct*>(&d.cinfo), d.err);
  if (setjmp(d.err.jump)) {
    jpeg_destroy_decompress(&d.cinfo);
    return false;
  }
  jpeg_create_decompress(&d.cinfo);
  jpeg_mem_src(&d.cinfo, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&d.cinfo, TRUE);
  d.cinfo.out_color_space = JCS_RGB;
  if (static_cast<long long>(d.cinfo.image_width) * d.cinfo.image_height > MaxPixels) {
    std::snprintf(d.err.message, sizeof d.err.message, "Picture too large (%u x %u)", d.cinfo.image_width,
                  d.cinfo.image_height);
    jpeg_destroy_decompress(&d.cinfo);
    return false;
  }
  jpeg_start_decompress(&d.cinfo);
  d.width = static_cast<int>(d.cinfo.output_width);
  d.height = static_cast<int>(d.cinfo.output_height);
  d.rgb.resize(static_cast<std::size_t>(d.width) * d.height * 3);
  while (d.cinfo.output_scanline < d.cinfo.output_height) {
    JSAMPROW row = d.rgb.data() + static_cast<std::size_t>(d.cinfo.output_scanline) * d.width * 3;
    jpeg_read_scanlines(&d.cinfo, &row, 1);
  }
  jpeg_finish_decompress(&d.cinfo);
  jpeg_destroy_decompress(&d.cinfo);
  return true;
}

struct Encoding {
  jpeg_compress_struct cinfo{};
  ErrorManager err{};
  unsigned char* buffer = nullptr;  // libjpeg's, freed with free()
  unsigned long size = 0;
  ~Encoding() { std::free(buffer); }
};

// Compresses the rows into e.buffer; returns false with the reason in e.err.message.
bool Encode(int width, int height, const std::uint8_t* rgb, int quality, Encoding& e) {
  UseErrorManager(reinterpret_cast<jpeg_common_struct*>(&e.cinfo), e.err);
  if (setjmp(e.err.jump)) {
    jpeg_destroy_compress(&e.cinfo);
    return false;
  }
  jpeg_create_compress(&e.cinfo);
  jpeg_mem_dest(&e.cinfo, &e.buffer, &e.size);
  e.cinfo.image_width = static_cast<JDIMENSION>(width);
  e.cinfo.image_height = static_cast<JDIMENSION>(height);
  e.cinfo.input_components = 3;
  e.cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&e.cinfo);
  jpeg_set_quality(&e.cinfo, quality, TRUE);
  jpeg_start_compress(&e.cinfo, TRUE);
  while (e.cinfo.next_scanline < e.cinfo.image_height) {
    auto row = const_cast<JSAMPROW>(rgb + static_cast<std::size_t>(e.cinfo.next_scanline) * width * 3);
    jpeg_write_scanlines(&e.cinfo, &row, 1);
  }
  jpeg_finish_compress(&e.cinfo);
  jpeg_destroy_compress(&e.cinfo);
  return true;
}

}  // namespace

void TJPEGImage::Assign(int width, int height, std::vector<std::uint8_t> rgb) {
  if (width < 0 || height < 0 || rgb.size() != static_cast<std::size_t>(width) * height * 3)
    throw EInvalidGraphic("JPEG error: pixel data does not match the size");
  FWidth = width;
  FHeight = height;
  FPixelRatio = 1;
  FPixels = std::move(rgb);
  if (OnChange) OnChange();
}

std::string TJPEGImage::SaveToBytes() const {
  if (Empty()) throw EInvalidGraphic("JPEG error: Empty picture");
  Encoding e;
  if (!Encode(FWidth, FHeight, FPixels.data(), CompressionQuality, e))
    throw EInvalidGraphic(std::string("JPEG error: ") + e.err.message);
  return std::string(reinterpret_cast<const char*>(e.buffer), e.size);
}

void TJPEGImage::SaveToFile(const std::string& fileName) const { WriteFileBytes(fileName, SaveToBytes()); }

void TJPEGImage::LoadFromBytes(const std::string& bytes) { Load(bytes, 1); }

void TJPEGImage::Load(const std::string& bytes, int pixelRatio) {
  if (bytes.empty()) throw EInvalidGraphic("JPEG error: Empty input buffer");
  Decoding d;
  if (!Decode(bytes, d)) throw EInvalidGraphic(std::string("JPEG error: ") + d.err.message);
  FWidth = d.width;
  FHeight = d.height;
  FPixelRatio = pixelRatio;
  FPixels.swap(d.rgb);
  if (OnChange) OnChange();
}

void TJPEGImage::LoadFromResource(const std::string& name) {
  // Qt's naming of the twin: "help@2x.jpg" beside "help.jpg".
  QString path = QString::fromStdString(name);
  QFileInfo info(path);
  QString twin = info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral("@2x.") + info.suffix();
  auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  bool sharp = app && app->devicePixelRatio() > 1.0 && QFile::exists(twin);
  QFile file(sharp ? twin : path);
  if (!file.open(QIODevice::ReadOnly)) throw EInvalidGraphic("JPEG error: no picture named " + name);
  QByteArray data = file.readAll();
  Load(std::string(data.constData(), static_cast<std::size_t>(data.size())), sharp ? 2 : 1);
}

void TJPEGImage::LoadFromFile(const std::string& fileName) { LoadFromBytes(ReadFileBytes(fileName)); }

TColor TJPEGImage::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return 0;
  const std::uint8_t* p = FPixels.data() + (static_cast<std::size_t>(y) * FWidth + x) * 3;
  return static_cast<TColor>(p[0]) | (static_cast<TColor>(p[1]) << 8) | (static_cast<TColor>(p[2]) << 16);
}

// ---------------------------------------------------------------- TImage

namespace {
class ImageWidget : public QWidget {
 public:
  ImageWidget(TJPEGImage* picture, QWidget* parent) : QWidget(parent), picture_(picture) {}

 protected:
  // Draws straight from the decoded rows, so the screen shows exactly the picture's pixels: a
  // twin at twice the size gives each device pixel its own.
  void paintEvent(QPaintEvent* e) override {
    if (picture_->Empty()) return;
    QImage image(picture_->Pixels().data(), picture_->Width(), picture_->Height(), picture_->Width() * 3,
                 QImage::Format_RGB888);
    const int k = picture_->PixelRatio();
    QPainter p(this);
    QRect r = e->rect() & QRect(0, 0, picture_->Width() / k, picture_->Height() / k);
    p.drawImage(QRectF(r), image, QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k));
  }

 private:
  TJPEGImage* picture_;
};
}  // namespace

TImage::TImage(TComponent* AOwner) : TControl(AOwner) {
  SetBounds(0, 0, 105, 105);
  FPicture.OnChange = [this] { PictureChanged(); };
}

TImage::~TImage() { FPicture.OnChange = nullptr; }

void TImage::CreateHandle() {
  FHandle = new ControlHandle;
  FHandle->widget = FHandle->client = new ImageWidget(&FPicture, Parent() ? Parent()->Handle()->client : nullptr);
  Bridge(this, FHandle);
}

void TImage::set_AutoSize(bool v) {
  FAutoSize = v;
  if (v) PictureChanged();
}

void TImage::PictureChanged() {
  if (FAutoSize && !FPicture.Empty())
    SetBounds(Left(), Top(), FPicture.Width() / FPicture.PixelRatio(), FPicture.Height() / FPicture.PixelRatio());
  Invalidate();
}

}  // namespace toolkit
