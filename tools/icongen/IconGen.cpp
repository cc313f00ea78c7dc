// Draws the program's icons, the editor's hand pointer and its arrow picture,
// and writes them as .ico, .cur and .bmp files. The pictures are ours, drawn
// here in code; run the `icons` target after changing one and commit the files
// it writes into src/resources/.
//
//   icongen OUTPUT_FOLDER
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Color {
  std::uint8_t r, g, b, a;
};

constexpr Color kClear{0, 0, 0, 0};

class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height), pixels_(width * height, kClear) {}

  void Fill(int left, int top, int right, int bottom, Color color) {
    for (int y = top; y <= bottom; ++y)
      for (int x = left; x <= right; ++x) Set(x, y, color);
  }
  // A rectangle with its corners cut by one pixel.
  void RoundRect(int left, int top, int right, int bottom, Color color) {
    Fill(left + 1, top, right - 1, bottom, color);
    Fill(left, top + 1, right, bottom - 1, color);
  }
  void Set(int x, int y, Color color) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[y * width_ + x] = color;
  }
  int width() const { return width_; }
  int height() const { return height_; }
  Color At(int x, int y) const { return pixels_[y * width_ + x]; }

 private:
  int width_, height_;
  std::vector<Color> pixels_;
};

void Put16(std::vector<std::uint8_t>& out, unsigned value) {
  out.push_back(value & 0xFF);
  out.push_back((value >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& out, unsigned value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// The .ico/.cur directory with its one entry. `planesOrHotX` and
// `bitsOrHotY` are the planes and bit count of an icon, the hot spot of a cursor.
void PutDirectory(std::vector<std::uint8_t>& out, bool cursor, int w, int h, int colours, int planesOrHotX,
                  int bitsOrHotY, unsigned imageSize) {
  Put16(out, 0);
  Put16(out, cursor ? 2 : 1);
  Put16(out, 1);  // one image
  out.push_back(static_cast<std::uint8_t>(w));
  out.push_back(static_cast<std::uint8_t>(h));
  out.push_back(static_cast<std::uint8_t>(colours));
  out.push_back(0);
  Put16(out, planesOrHotX);
  Put16(out, bitsOrHotY);
  Put32(out, imageSize);
  Put32(out, 6 + 16);
}

// BITMAPINFOHEADER of an icon image, whose height counts the image and the mask.
void PutImageHeader(std::vector<std::uint8_t>& out, int w, int h, int bitCount, unsigned bytes, int colours) {
  Put32(out, 40);
  Put32(out, w);
  Put32(out, h * 2);
  Put16(out, 1);
  Put16(out, bitCount);
  Put32(out, 0);
  Put32(out, bytes);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, colours);
  Put32(out, 0);
}

// One 32-bit image with its AND mask, without the container's directory.
std::vector<std::uint8_t> EncodeImage(const Canvas& canvas) {
  const int w = canvas.width(), h = canvas.height();
  const int maskStride = ((w + 31) / 32) * 4;
  std::vector<std::uint8_t> out;
  PutImageHeader(out, w, h, 32, w * h * 4 + maskStride * h, 0);
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      const Color c = canvas.At(x, y);
      out.push_back(c.b);
      out.push_back(c.g);
      out.push_back(c.r);
      out.push_back(c.a);
    }
  }
  for (int y = h - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(maskStride, 0);
    for (int x = 0; x < w; ++x)
      if (canvas.At(x, y).a == 0) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

// One 32-bit image in the .ico container.
std::vector<std::uint8_t> EncodeIcon(const Canvas& canvas) {
  const std::vector<std::uint8_t> image = EncodeImage(canvas);
  std::vector<std::uint8_t> out;
  PutDirectory(out, false, canvas.width(), canvas.height(), 0, 1, 32, static_cast<unsigned>(image.size()));
  out.insert(out.end(), image.begin(), image.end());
  return out;
}

// Several sizes of one picture in the .ico container, from which the system
// takes the one for the display's scale.
std::vector<std::uint8_t> EncodeIcons(const std::vector<Canvas>& canvases) {
  std::vector<std::vector<std::uint8_t>> images;
  for (const Canvas& canvas : canvases) images.push_back(EncodeImage(canvas));
  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, static_cast<unsigned>(images.size()));
  unsigned offset = 6 + 16 * static_cast<unsigned>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    out.push_back(static_cast<std::uint8_t>(canvases[i].width()));
    out.push_back(static_cast<std::uint8_t>(canvases[i].height()));
    out.push_back(0);
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, static_cast<unsigned>(images[i].size()));
    Put32(out, offset);
    offset += static_cast<unsigned>(images[i].size());
  }
  for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
  return out;
}

// The notification area's icon: a disc whose colour and sign tell the state,
// so that it reads without colour too: a square when control is off, a
// triangle pointing on when it is on, two bars while it waits.
enum class TrayLook { Off, On, Waiting };

Canvas TrayIcon(int size, TrayLook look) {
  const Color outline{30, 34, 40, 255}, sign{255, 255, 255, 255};
  const Color disc = look == TrayLook::Off ? Color{128, 134, 144, 255}
                     : look == TrayLook::On ? Color{34, 150, 70, 255}
                                            : Color{226, 150, 20, 255};
  // Whether the point (x, y), in units of the icon's width, is in the sign.
  const auto inSign = [look](double x, double y) {
    switch (look) {
      case TrayLook::Off:
        return x >= 0.34 && x <= 0.66 && y >= 0.34 && y <= 0.66;
      case TrayLook::On:
        return x >= 0.36 && x <= 0.72 && std::abs(y - 0.5) <= (0.72 - x) * 0.5;
      case TrayLook::Waiting:
        return y >= 0.31 && y <= 0.69 && ((x >= 0.32 && x <= 0.45) || (x >= 0.55 && x <= 0.68));
    }
    return false;
  };
  Canvas icon(size, size);
  constexpr int samples = 4;
  for (int py = 0; py < size; ++py)
    for (int px = 0; px < size; ++px) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < samples; ++sy)
        for (int sx = 0; sx < samples; ++sx) {
          const double x = (px + (sx + 0.5) / samples) / size, y = (py + (sy + 0.5) / samples) / size;
          const double distance = std::hypot(x - 0.5, y - 0.5);
          if (distance > 0.48) continue;
          const Color c = distance > 0.48 - 1.2 / size ? outline : inSign(x, y) ? sign : disc;
          r += c.r, g += c.g, b += c.b, a += 1;
        }
      if (a == 0) continue;
      const auto channel = [a](double sum) { return static_cast<std::uint8_t>(std::lround(sum / a)); };
      icon.Set(px, py, {channel(r), channel(g), channel(b),
                        static_cast<std::uint8_t>(std::lround(255 * a / (samples * samples)))});
    }
  return icon;
}

std::vector<std::uint8_t> TrayIcons(TrayLook look) {
  std::vector<Canvas> sizes;
  for (const int size : {16, 20, 24, 32, 40, 48}) sizes.push_back(TrayIcon(size, look));
  return EncodeIcons(sizes);
}

// The key-capture dialog's icon: a key cap being pressed (a blue arrow down).
Canvas GetKeyIcon() {
  Canvas icon(24, 24);
  const Color shadow{70, 70, 78, 255}, edge{120, 120, 130, 255}, top{236, 236, 240, 255},
      arrow{32, 96, 200, 255};
  icon.RoundRect(1, 2, 22, 22, shadow);
  icon.RoundRect(2, 2, 21, 18, edge);
  icon.RoundRect(3, 3, 20, 17, top);
  icon.Fill(10, 5, 13, 10, arrow);
  for (int row = 0; row < 5; ++row) icon.Fill(7 + row, 11 + row, 16 - row, 11 + row, arrow);
  return icon;
}

// The program's icon: a mouse whose cable turns into a steering arrow.
Canvas AppIcon() {
  Canvas icon(32, 32);
  const Color outline{40, 44, 52, 255}, body{246, 246, 250, 255}, buttons{214, 218, 228, 255},
      wheel{90, 96, 110, 255}, arrow{230, 110, 20, 255};
  // Body with its two buttons and the wheel.
  icon.RoundRect(5, 9, 20, 29, outline);
  icon.RoundRect(6, 10, 19, 28, body);
  icon.Fill(6, 10, 19, 16, buttons);
  icon.Fill(12, 10, 13, 16, outline);
  icon.Fill(12, 11, 13, 14, wheel);
  icon.Fill(6, 17, 19, 17, outline);
  // Cable up and over to the right, ending in an arrow head.
  icon.Fill(12, 5, 13, 9, outline);
  icon.Fill(12, 4, 25, 5, arrow);
  for (int row = 0; row < 5; ++row) icon.Fill(24 + row, row, 24 + row, 9 - row, arrow);
  // Four direction marks on the right.
  icon.Fill(25, 15, 27, 17, arrow);
  icon.Fill(25, 21, 27, 23, arrow);
  icon.Fill(22, 18, 24, 20, arrow);
  icon.Fill(28, 18, 30, 20, arrow);
  return icon;
}

// The editor's pointing hand, black on white: the window's icon and, with its
// hot spot on the fingertip, the pointer over the key buttons.
constexpr int kHandHotSpotX = 5, kHandHotSpotY = 0;
constexpr std::array<const char*, 24> kHand = {
    "     ##             ",  //
    "    #..#            ",  //
    "    #..#            ",  //
    "    #..#            ",  //
    "    #..#            ",  //
    "    #..#            ",  //
    "    #..###          ",  //
    "    #..#..###       ",  //
    "    #..#..#..##     ",  //
    "    #..#..#..#.#    ",  //
    " ## #..#..#..#..#   ",  //
    "#..##..#..#..#..#   ",  //
    "#...#...........#   ",  //
    " #..#...........#   ",  //
    " #..............#   ",  //
    "  #.............#   ",  //
    "  #.............#   ",  //
    "   #...........#    ",  //
    "   #...........#    ",  //
    "    #.........#     ",  //
    "    #.........#     ",  //
    "     #.......#      ",  //
    "     #########      ",  //
    "                    ",  //
};

Canvas HandPicture() {
  Canvas hand(32, 32);
  for (int y = 0; y < static_cast<int>(kHand.size()); ++y)
    for (int x = 0; kHand[y][x] != '\0'; ++x) {
      if (kHand[y][x] == '#') hand.Set(x, y, {0, 0, 0, 255});
      if (kHand[y][x] == '.') hand.Set(x, y, {255, 255, 255, 255});
    }
  return hand;
}

// One monochrome image in the .ico or .cur container: black, white and clear
// pixels, a 1-bit image with its AND mask. A cursor carries its hot spot where
// an icon has its planes and bit count.
std::vector<std::uint8_t> EncodeMonochrome(const Canvas& canvas, bool cursor, int hotX, int hotY) {
  const int w = canvas.width(), h = canvas.height();
  const int stride = ((w + 31) / 32) * 4;
  const unsigned imageSize = 40 + 8 + 2 * stride * h;
  std::vector<std::uint8_t> out;
  PutDirectory(out, cursor, w, h, 2, cursor ? hotX : 1, cursor ? hotY : 1, imageSize);
  PutImageHeader(out, w, h, 1, 2 * stride * h, 2);
  Put32(out, 0x00000000);  // palette: black, white
  Put32(out, 0x00FFFFFF);
  for (const bool mask : {false, true}) {
    for (int y = h - 1; y >= 0; --y) {
      std::vector<std::uint8_t> row(stride, 0);
      for (int x = 0; x < w; ++x) {
        const Color c = canvas.At(x, y);
        const bool set = mask ? c.a == 0 : (c.a != 0 && c.r != 0);
        if (set) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
      out.insert(out.end(), row.begin(), row.end());
    }
  }
  return out;
}

// The editor's arrow picture: four pink arrows, left, right, up and down, on
// white, 193 x 130. Edges are smoothed by sampling each pixel 4 x 4 times.
struct Point {
  double x, y;
};

bool Inside(const std::vector<Point>& polygon, double x, double y) {
  bool inside = false;
  for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const Point a = polygon[i], b = polygon[j];
    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
  }
  return inside;
}

// An arrow pointing up with its tip at (0, 0), turned by `quarterTurns` and
// moved to (x, y).
std::vector<Point> Arrow(double x, double y, int quarterTurns, double length, double headWidth, double headLength,
                         double shaftWidth) {
  const std::vector<Point> up = {{0, 0},
                                 {headWidth / 2, headLength},
                                 {shaftWidth / 2, headLength},
                                 {shaftWidth / 2, length},
                                 {-shaftWidth / 2, length},
                                 {-shaftWidth / 2, headLength},
                                 {-headWidth / 2, headLength}};
  std::vector<Point> turned;
  for (Point p : up) {
    for (int turn = 0; turn < quarterTurns; ++turn) p = {-p.y, p.x};
    turned.push_back({p.x + x, p.y + y});
  }
  return turned;
}

std::vector<std::uint8_t> ArrowBitmap() {
  constexpr int w = 193, h = 130, samples = 4;
  constexpr double pink[3] = {236, 92, 150};
  const std::vector<std::vector<Point>> arrows = {
      Arrow(96.5, 5, 0, 50, 44, 24, 16),     // up
      Arrow(96.5, 125, 2, 50, 44, 24, 16),   // down
      Arrow(8, 65, 3, 74, 44, 26, 16),       // left
      Arrow(185, 65, 1, 74, 44, 26, 16),     // right
  };
  const int stride = (w * 3 + 3) / 4 * 4;
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, 14 + 40 + stride * h);
  Put32(out, 0);
  Put32(out, 14 + 40);
  Put32(out, 40);
  Put32(out, w);
  Put32(out, h);
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);
  Put32(out, stride * h);
  Put32(out, 2835);  // 72 dpi
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = h - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(stride, 0);
    for (int x = 0; x < w; ++x) {
      int covered = 0;
      for (int sy = 0; sy < samples; ++sy)
        for (int sx = 0; sx < samples; ++sx) {
          const double px = x + (sx + 0.5) / samples, py = y + (sy + 0.5) / samples;
          for (const auto& arrow : arrows)
            if (Inside(arrow, px, py)) {
              ++covered;
              break;
            }
        }
      const double share = static_cast<double>(covered) / (samples * samples);
      for (int channel = 0; channel < 3; ++channel) {
        // BGR order.
        const double value = 255 + (pink[2 - channel] - 255) * share;
        row[x * 3 + channel] = static_cast<std::uint8_t>(std::lround(value));
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: icongen OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  const Canvas hand = HandPicture();
  const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files = {
      {"GetKey.ico", EncodeIcon(GetKeyIcon())},
      {"App.ico", EncodeIcon(AppIcon())},
      {"Hand.ico", EncodeMonochrome(hand, false, 0, 0)},
      {"Hand.cur", EncodeMonochrome(hand, true, kHandHotSpotX, kHandHotSpotY)},
      {"Arrows.bmp", ArrowBitmap()},
      {"TrayOff.ico", TrayIcons(TrayLook::Off)},
      {"TrayOn.ico", TrayIcons(TrayLook::On)},
      {"TrayWaiting.ico", TrayIcons(TrayLook::Waiting)},
  };
  bool written = true;
  for (const auto& [name, bytes] : files) written = Write(folder + "/" + name, bytes) && written;
  if (!written) {
    std::fprintf(stderr, "icongen: cannot write into %s\n", folder.c_str());
    return 1;
  }
  return 0;
}
