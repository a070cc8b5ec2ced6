// Renders the five pictures to PNG files, for looking at them outside the program:
//   render_pictures <output folder>
// writes default-image1.png ... default-image5.png for the settings of a fresh start and
// sf2-1deg-image1.png ... for a single SF2 wedge at 1.0 degree, every other setting default.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "framework/Canvas.h"
#include "model/Atmosphere.h"
#include "model/Prism.h"
#include "model/Settings.h"
#include "render/Draw.h"

namespace {

using namespace orvelan;

// The picture boxes of the main window.
constexpr TSize kImage1{160, 160}, kImage2{265, 160}, kImage3{153, 160}, kImage4{65, 145},
    kImage5{177, 113};

void Save(const TCanvas& box, const QDir& folder, const std::string& name) {
  const TRgbImage& pixels = box.Pixels();
  const QImage view(pixels.Bits(), pixels.Width(), pixels.Height(),
                    static_cast<qsizetype>(pixels.Stride()), QImage::Format_BGR888);
  const QString path = folder.filePath(QString::fromStdString(name + ".png"));
  if (!view.save(path, "PNG")) throw std::runtime_error("cannot write " + path.toStdString());
  std::printf("%s\n", path.toLocal8Bit().constData());
}

// The drawing of one atmosphere pass followed by one prism pass.
void RenderSet(const TSettings& settings, const QDir& folder, const std::string& prefix) {
  TCanvas image1(kImage1.Width, kImage1.Height), image2(kImage2.Width, kImage2.Height),
      image3(kImage3.Width, kImage3.Height), image4(kImage4.Width, kImage4.Height),
      image5(kImage5.Width, kImage5.Height);
  const TAtmosphereResult atmosphere = ComputeAtmosphere(settings);
  DrawUncorrectedPicture(image1, atmosphere, settings);
  DrawRayDiagramStageOne(image2, settings);
  const TPrismResult prism = ComputePrism(settings, atmosphere);
  DrawRayDiagramStageTwo(image2, settings.PrismPosition, settings.ImageShift, prism.ShiftG);
  DrawCorrectedPicture(image3, prism, settings);
  DrawPositionChart(image4, prism);
  DrawColorCorrectionChart(image5, atmosphere, prism);
  Save(image1, folder, prefix + "image1");
  Save(image2, folder, prefix + "image2");
  Save(image3, folder, prefix + "image3");
  Save(image4, folder, prefix + "image4");
  Save(image5, folder, prefix + "image5");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int qtArgc = 1;
  QGuiApplication app(qtArgc, argv);
  try {
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists()) throw std::runtime_error(std::string("no such folder: ") + argv[1]);
    TSettings defaults;
    RenderSet(defaults, folder, "default-");
    TSettings sf2 = defaults;
    sf2.Glass = TGlass::SF2;
    sf2.PrismAngle = 10;
    RenderSet(sf2, folder, "sf2-1deg-");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "render_pictures: %s\n", e.what());
    return 1;
  }
  return 0;
}
