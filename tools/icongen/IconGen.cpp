// Draws the program's icons and writes them as .ico files. The pictures are
// ours, drawn here in code; run the `icons` target after changing one and commit
// the files it writes into src/resources/.
//
//   icongen OUTPUT_FOLDER
#include <cstdint>
#include <cstdio>
#include <string>
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

// One 32-bit image with its AND mask, in the .ico container.
std::vector<std::uint8_t> EncodeIcon(const Canvas& canvas) {
  const int w = canvas.width(), h = canvas.height();
  const int maskStride = ((w + 31) / 32) * 4;
  const unsigned imageSize = 40 + w * h * 4 + maskStride * h;
  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);  // icon
  Put16(out, 1);  // one image
  out.push_back(static_cast<std::uint8_t>(w));
  out.push_back(static_cast<std::uint8_t>(h));
  out.push_back(0);
  out.push_back(0);
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, imageSize);
  Put32(out, 6 + 16);
  // BITMAPINFOHEADER; the height counts the image and the mask.
  Put32(out, 40);
  Put32(out, w);
  Put32(out, h * 2);
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);
  Put32(out, w * h * 4 + maskStride * h);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
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
  if (!Write(folder + "/GetKey.ico", EncodeIcon(GetKeyIcon())) || !Write(folder + "/App.ico", EncodeIcon(AppIcon()))) {
    std::fprintf(stderr, "icongen: cannot write into %s\n", folder.c_str());
    return 1;
  }
  return 0;
}
