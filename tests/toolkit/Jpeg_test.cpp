// JPEG pictures through libjpeg: the help picture, a round trip, damaged data, and the image control.
#include "toolkit/Jpeg.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "toolkit/Forms.h"
#include "toolkit/testing.h"

using namespace toolkit;
namespace tt = toolkit::testing;

namespace {

// A 64 x 32 picture of flat 16 x 16 blocks: red, green, blue, white on top, black below. Blocks of a
// whole coding unit keep their colour; only their edges blend a little with the neighbours.
void Blocks(TJPEGImage& picture) {
  const TColor colours[2][4] = {{clRed, clLime, clBlue, clWhite}, {clBlack, clBlack, clBlack, clBlack}};
  std::vector<std::uint8_t> rgb;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 64; ++x) {
      TColor c = colours[y / 16][x / 16];
      rgb.insert(rgb.end(), {std::uint8_t(c & 0xFF), std::uint8_t(c >> 8 & 0xFF), std::uint8_t(c >> 16 & 0xFF)});
    }
  picture.Assign(64, 32, rgb);
}

// Each channel within a few steps: JPEG keeps flat blocks almost, not exactly.
bool Near(TColor a, TColor b) {
  for (int shift : {0, 8, 16})
    if (std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) > 6) return false;
  return true;
}

void ExpectRefused(TJPEGImage& picture, const std::string& bytes) {
  try {
    picture.LoadFromBytes(bytes);
    ADD_FAILURE() << "a damaged picture of " << bytes.size() << " bytes was accepted";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message.rfind("JPEG error: ", 0), 0u) << e.Message;
    EXPECT_GT(e.Message.size(), std::string("JPEG error: ").size());
  }
}

}  // namespace

TEST(JpegPicture, HelpPictureDecodesToItsFullSizeWithTextOnIt) {
  TJPEGImage picture;
  picture.LoadFromResource(":/help.jpg");
  EXPECT_EQ(picture.Width(), 462);
  EXPECT_EQ(picture.Height(), 1601);
  ASSERT_EQ(picture.Pixels().size(), 462u * 1601u * 3u);
  // Dark letters on a light page, from the top to the bottom.
  for (int band = 0; band < 4; ++band) {
    int dark = 0, light = 0;
    for (int y = band * 400; y < band * 400 + 400; ++y)
      for (int x = 0; x < 462; ++x) {
        TColor c = picture.Pixel(x, y);
        int sum = int(c & 0xFF) + int(c >> 8 & 0xFF) + int(c >> 16 & 0xFF);
        dark += sum < 200;
        light += sum > 600;
      }
    EXPECT_GT(dark, 500) << "band " << band;
    EXPECT_GT(light, 20000) << "band " << band;
  }
}

TEST(JpegPicture, RoundTripKeepsTheSizeAndTheColours) {
  TJPEGImage original;
  Blocks(original);
  original.CompressionQuality = 95;
  std::string bytes = original.SaveToBytes();
  ASSERT_GE(bytes.size(), 4u);
  EXPECT_EQ(bytes.substr(0, 3), "\xFF\xD8\xFF");  // a JPEG file begins with its start marker
  TJPEGImage copy;
  int changes = 0;
  copy.OnChange = [&] { ++changes; };
  copy.LoadFromBytes(bytes);
  EXPECT_EQ(changes, 1);
  ASSERT_EQ(copy.Width(), 64);
  ASSERT_EQ(copy.Height(), 32);
  for (int y : {0, 8, 13, 18, 24, 31})
    for (int x : {0, 8, 13, 18, 24, 29, 34, 40, 45, 50, 56, 63})
      EXPECT_TRUE(Near(copy.Pixel(x, y), original.Pixel(x, y)))
          << x << "," << y << ": " << std::hex << copy.Pixel(x, y) << " for " << original.Pixel(x, y);
  EXPECT_EQ(copy.Pixel(-1, 0), 0u);
  EXPECT_EQ(copy.Pixel(64, 0), 0u);
  EXPECT_EQ(copy.Pixel(0, 32), 0u);
}

TEST(JpegPicture, DamagedDataRaisesAClearErrorAndKeepsThePictureItHad) {
  TJPEGImage picture;
  Blocks(picture);
  std::string good = picture.SaveToBytes();
  ExpectRefused(picture, good.substr(0, good.size() / 2));  // cut short in the middle of the data
  ExpectRefused(picture, good.substr(0, good.size() - 2));  // only the end marker missing
  ExpectRefused(picture, good.substr(0, 20));               // cut inside the header
  ExpectRefused(picture, "this is not a picture at all");
  ExpectRefused(picture, std::string(3000, '\xFF'));
  ExpectRefused(picture, "");
  std::string wrongMarker = good;
  wrongMarker[1] = '\xD9';  // an end marker where the start marker belongs
  ExpectRefused(picture, wrongMarker);
  EXPECT_EQ(picture.Width(), 64);
  EXPECT_EQ(picture.Height(), 32);
  EXPECT_EQ(picture.Pixel(0, 31), clBlack);
  picture.LoadFromBytes(good);  // the decoder is still fit for work
  EXPECT_EQ(picture.Width(), 64);
}

TEST(JpegPicture, AMissingResourceOrAnEmptyPictureIsAnError) {
  TJPEGImage picture;
  EXPECT_THROW(picture.LoadFromResource(":/no-such-picture.jpg"), EInvalidGraphic);
  EXPECT_TRUE(picture.Empty());
  EXPECT_THROW(picture.SaveToBytes(), EInvalidGraphic);
  EXPECT_THROW(picture.Assign(2, 2, std::vector<std::uint8_t>(11)), EInvalidGraphic);
}

TEST(ImageControl, TakesThePictureSizeAndShowsItsPixelsExactly) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 100, 60);
  auto* image = new TImage(&form);
  image->set_Parent(&form);
  image->SetBounds(10, 5, 80, 80);
  image->set_AutoSize(true);
  TJPEGImage source;
  Blocks(source);
  image->Picture()->LoadFromBytes(source.SaveToBytes());
  EXPECT_EQ(image->Width(), 64);
  EXPECT_EQ(image->Height(), 32);
  EXPECT_EQ(image->Left(), 10);
  tt::Picture shown = tt::Grab(image);
  ASSERT_EQ(shown.Width(), 64);
  ASSERT_EQ(shown.Height(), 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 64; ++x) ASSERT_EQ(shown.Pixel(x, y), image->Picture()->Pixel(x, y)) << x << "," << y;
}
