// JPEG pictures decoded with libjpeg, and the image control that shows one.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/Controls.h"
#include "toolkit/SysUtils.h"

namespace toolkit {

// A picture that cannot be read: damaged, cut short, or not a JPEG at all.
class EInvalidGraphic : public Exception { using Exception::Exception; };

// A JPEG picture, held decoded: Width x Height pixels of 8-bit red, green and blue.
//
// Loading decodes the whole picture at once. A damaged picture, including one cut short (which
// libjpeg would otherwise finish in grey), raises EInvalidGraphic "JPEG error: ..." with libjpeg's
// reason, and leaves the picture as it was.
class TJPEGImage : public TObject {
 public:
  TJPEGImage() = default;

  // A resource compiled into the program (":/help.jpg"); EInvalidGraphic when there is none. On a
  // screen of more than one device pixel a pixel, its twin at twice the size (":/help@2x.jpg") is
  // taken where there is one.
  void LoadFromResource(const std::string& name);
  void LoadFromBytes(const std::string& bytes);
  void LoadFromFile(const std::string& fileName);

  // The picture's own pixels.
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Device pixels a screen pixel that the picture was made for: 2 for a twin at twice the size,
  // else 1. Controls show the picture at Width / PixelRatio x Height / PixelRatio screen pixels.
  int PixelRatio() const { return FPixelRatio; }
  bool Empty() const { return FWidth == 0 || FHeight == 0; }
  // 0x00BBGGRR of the pixel at column x, row y (counting from 0); 0 outside the picture.
  TColor Pixel(int x, int y) const;
  // The rows of RGB bytes, top row first, 3 * Width bytes each.
  const std::vector<std::uint8_t>& Pixels() const { return FPixels; }

  // Takes Width x Height pixels of RGB bytes, top row first, as the picture.
  void Assign(int width, int height, std::vector<std::uint8_t> rgb);
  // The picture compressed by libjpeg at CompressionQuality (1..100).
  std::string SaveToBytes() const;
  void SaveToFile(const std::string& fileName) const;
  int CompressionQuality = 90;

  // Runs after every load or assignment.
  std::function<void()> OnChange;

 private:
  void Load(const std::string& bytes, int pixelRatio);
  int FWidth = 0, FHeight = 0, FPixelRatio = 1;
  std::vector<std::uint8_t> FPixels;
};

// A control that shows a picture at its top-left corner; with AutoSize it takes the picture's size
// on the screen.
class TImage : public TControl {
 public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;

  TJPEGImage* Picture() { return &FPicture; }
  bool AutoSize() const { return FAutoSize; }
  void set_AutoSize(bool v);

 protected:
  void CreateHandle() override;

 private:
  void PictureChanged();
  TJPEGImage FPicture;
  bool FAutoSize = false;
};

}  // namespace toolkit
