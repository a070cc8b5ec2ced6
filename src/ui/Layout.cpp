#include "ui/Layout.h"

namespace orvelan {

using F = TForm1;

// clang-format off
const std::array<TControlLayout, 69> kLayout{{
  // member            name          parent       caption / text        left top  width height tab  read-only visible enabled checked
  {&F::Panel1,       "Panel1",     "",          "",                     0,   0, 665, 481,  0},
  {&F::GroupBox1,    "GroupBox1",  "Panel1",    "大気系",               8,   8, 177, 457,  0},
  {&F::GroupBox2,    "GroupBox2",  "Panel1",    "光学系",             200,   8, 457, 457,  1},
  {&F::Image1,       "Image1",     "GroupBox1", "",                     8,  16, 160, 160},
  {&F::Edit1,        "Edit1",      "GroupBox1", "45",                  80, 192,  33,  20,  0},
  {&F::Edit2,        "Edit2",      "GroupBox1", "0",                   80, 216,  33,  20,  1},
  {&F::Image2,       "Image2",     "GroupBox2", "",                    16,  16, 265, 160},
  {&F::Edit4,        "Edit4",      "GroupBox2", "6000",               104, 192,  41,  20,  0},
  {&F::Edit5,        "Edit5",      "GroupBox2", "0",                  104, 216,  33,  20,  1, true},
  {&F::Edit6,        "Edit6",      "GroupBox2", "50",                 104, 240,  33,  20,  2, true},
  {&F::GroupBox3,    "GroupBox3",  "GroupBox1", "現象",                 8, 352, 161,  89,  2},
  {&F::Label1,       "Label1",     "GroupBox3", "Label1",              48,  32},
  {&F::UpDown1,      "UpDown1",    "GroupBox1", "",                   112, 192,   9,  20,  3},
  {&F::Label2,       "Label2",     "GroupBox3", "Label2",              48,  16},
  {&F::Label3,       "Label3",     "GroupBox3", "Label3",              38,  48},
  {&F::UpDown2,      "UpDown2",    "GroupBox1", "",                   112, 216,   9,  20,  4},
  {&F::Label4,       "Label4",     "GroupBox3", "Label4",              25,  64},
  {&F::Image3,       "Image3",     "GroupBox2", "",                   288,  16, 153, 160},
  {&F::Label5,       "Label5",     "GroupBox1", "天体高度",            24, 195},
  {&F::Label6,       "Label6",     "GroupBox1", "標高",                48, 219},
  {&F::Label7,       "Label7",     "GroupBox1", "m",                  128, 219},
  {&F::Label8,       "Label8",     "GroupBox1", "°",                  128, 195},
  {&F::Edit3,        "Edit3",      "GroupBox1", "30",                  80, 240,  33,  20,  5},
  {&F::UpDown3,      "UpDown3",    "GroupBox1", "",                   112, 240,   9,  20,  6},
  {&F::Label9,       "Label9",     "GroupBox1", "惑星視直径",          16, 243},
  {&F::Label10,      "Label10",    "GroupBox1", "秒角",               128, 243},
  {&F::Edit9,        "Edit9",      "GroupBox1", "660",                 80, 272,  33,  20,  7},
  {&F::UpDown4,      "UpDown4",    "GroupBox1", "",                   112, 272,   9,  20,  8},
  {&F::Label11,      "Label11",    "GroupBox1", "赤(R)",               40, 275},
  {&F::Label12,      "Label12",    "GroupBox1", "nm",                 128, 275},
  {&F::Label13,      "Label13",    "GroupBox1", "緑(G)",               40, 299},
  {&F::Edit10,       "Edit10",     "GroupBox1", "550",                 80, 296,  33,  20,  9},
  {&F::UpDown5,      "UpDown5",    "GroupBox1", "",                   112, 296,   9,  20, 10},
  {&F::Label14,      "Label14",    "GroupBox1", "nm",                 128, 299},
  {&F::Label15,      "Label15",    "GroupBox1", "青(B)",               40, 323},
  {&F::Edit11,       "Edit11",     "GroupBox1", "440",                 80, 320,  33,  20, 11},
  {&F::UpDown6,      "UpDown6",    "GroupBox1", "",                   112, 320,   9,  20, 12},
  {&F::Label16,      "Label16",    "GroupBox1", "nm",                 128, 323},
  {&F::Label17,      "Label17",    "GroupBox2", "望遠鏡焦点距離",      16, 195},
  {&F::Label18,      "Label18",    "GroupBox2", "プリズム角度",        24, 219},
  {&F::Label19,      "Label19",    "GroupBox2", "プリズム位置",        24, 243},
  {&F::Image4,       "Image4",     "GroupBox2", "",                   376, 184,  65, 145},
  {&F::GroupBox4,    "GroupBox4",  "GroupBox2", "プリズム効果",       160, 352, 137,  89,  3},
  {&F::ComboBox1,    "ComboBox1",  "GroupBox2", "BK7",                104, 288,  57,  20,  4},
  {&F::Label20,      "Label20",    "GroupBox2", "硝材",                64, 291},
  {&F::Label21,      "Label21",    "GroupBox2", "mm",                 160, 195},
  {&F::Label22,      "Label22",    "GroupBox2", "°",                  152, 219},
  {&F::Label23,      "Label23",    "GroupBox2", "mm",                 152, 243},
  {&F::UpDown7,      "UpDown7",    "GroupBox2", "",                   144, 192,   9,  20,  5},
  {&F::UpDown8,      "UpDown8",    "GroupBox2", "",                   136, 216,   9,  20,  6},
  {&F::UpDown9,      "UpDown9",    "GroupBox2", "",                   136, 240,   9,  20,  7},
  {&F::Label24,      "Label24",    "GroupBox4", "Label24",             16,  56},
  {&F::Label25,      "Label25",    "GroupBox4", "Label25",             22,  16},
  {&F::Label26,      "Label26",    "GroupBox4", "Label26",             22,  32},
  {&F::Label29,      "Label29",    "GroupBox2", "惑星像シフト",        24, 267},
  {&F::Edit7,        "Edit7",      "GroupBox2", "0",                  104, 264,  33,  20,  8},
  {&F::UpDown10,     "UpDown10",   "GroupBox2", "",                   136, 264,   9,  20,  9},
  {&F::Label30,      "Label30",    "GroupBox2", "mm",                 152, 267},
  {&F::GroupBox5,    "GroupBox5",  "GroupBox2", "補正前",              16, 352, 137,  89, 10},
  {&F::Label28,      "Label28",    "GroupBox5", "Label28",             16,  16},
  {&F::Label31,      "Label31",    "GroupBox5", "Label31",             16,  48},
  {&F::GroupBox6,    "GroupBox6",  "GroupBox2", "補正後",             304, 352, 137,  89, 11},
  {&F::Label34,      "Label34",    "GroupBox6", "Label34",             16,  16},
  {&F::Label35,      "Label35",    "GroupBox6", "Label35",             18,  32},
  {&F::Label36,      "Label36",    "GroupBox6", "Label36",             16,  48},
  {&F::Label37,      "Label37",    "GroupBox6", "Label37",             18,  64},
  {&F::Image5,       "Image5",     "GroupBox2", "",                   192, 184, 177, 113},
  {&F::RadioButton1, "RadioButton1", "GroupBox2", "シングル",           16, 320,  89,  17, 12, false, false, true,  true},
  {&F::RadioButton2, "RadioButton2", "GroupBox2", "ハイブリッド",      112, 320,  89,  17, 13, false, false, false, false},
}};

const std::array<TSpinBinding, kNumericSettings.size()> kSpinBindings{{
  {&F::UpDown1,  &F::Edit1,  &F::UpDown1Click},   // Altitude
  {&F::UpDown2,  &F::Edit2,  &F::UpDown2Click},   // Elevation
  {&F::UpDown3,  &F::Edit3,  &F::UpDown3Click},   // PlanetSize
  {&F::UpDown4,  &F::Edit9,  &F::UpDown4Click},   // WavelengthR
  {&F::UpDown5,  &F::Edit10, &F::UpDown5Click},   // WavelengthG
  {&F::UpDown6,  &F::Edit11, &F::UpDown6Click},   // WavelengthB
  {&F::UpDown7,  &F::Edit4,  &F::UpDown7Click},   // FocalLength
  {&F::UpDown8,  &F::Edit5,  &F::UpDown8Click},   // PrismAngle
  {&F::UpDown9,  &F::Edit6,  &F::UpDown9Click},   // PrismPosition
  {&F::UpDown10, &F::Edit7,  &F::UpDown10Click},  // ImageShift
}};

const std::array<TAccessibleText, 38> kAccessibleTexts{{
  // Read-outs: the atmosphere
  {"Label2",  "green minus red on the sky",
              "separation of the green image from the red by the atmosphere, in arcseconds"},
  {"Label1",  "blue minus green on the sky",
              "separation of the blue image from the green by the atmosphere, in arcseconds"},
  {"Label3",  "altitude outside the atmosphere", "true altitude of the planet, in degrees"},
  {"Label4",  "lift by the atmosphere",
              "how far the atmosphere raises the planet, in arcminutes"},
  // Read-outs: before correction, the prism's effect, after correction
  {"Label28", "green minus red in the focal plane",
              "the atmosphere's separation on the sensor before correction, in micrometres"},
  {"Label31", "blue minus green in the focal plane",
              "the atmosphere's separation on the sensor before correction, in micrometres"},
  {"Label25", "green minus red by the prism",
              "the separation the prism makes on the sensor, in micrometres"},
  {"Label26", "blue minus green by the prism",
              "the separation the prism makes on the sensor, in micrometres"},
  {"Label24", "displacement of the green image",
              "how far the prism moves the green image on the sensor, in millimetres"},
  {"Label34", "residual green minus red in the focal plane",
              "what is left after correction, in micrometres"},
  {"Label35", "residual green minus red on the sky",
              "what is left after correction, in arcseconds"},
  {"Label36", "residual blue minus green in the focal plane",
              "what is left after correction, in micrometres"},
  {"Label37", "residual blue minus green on the sky",
              "what is left after correction, in arcseconds"},
  // Pictures
  {"Image1",  "planet as the atmosphere leaves it",
              "red, green and blue discs of the planet, spread apart by the atmosphere"},
  {"Image2",  "ray diagram", "the prism in the converging beam, the green ray and the sensor"},
  {"Image3",  "planet after correction", "red, green and blue discs of the planet after the prism"},
  {"Image4",  "position chart", "where the prism moves the green image on the sensor"},
  {"Image5",  "colour-correction chart",
              "bars of the colour error left after correction: green minus red, blue minus green"},
  // Settings: spin buttons (their value is the position) and the text boxes showing them
  {"UpDown1", "altitude of the planet, degrees", ""},
  {"Edit1",   "altitude of the planet, degrees, display",
              "shows the setting of the spin button beside it; typed text is not used"},
  {"UpDown2", "height above sea level, metres", ""},
  {"Edit2",   "height above sea level, metres, display",
              "shows the setting of the spin button beside it; typed text is not used"},
  {"UpDown3", "apparent diameter of the planet, arcseconds", ""},
  {"Edit3",   "apparent diameter of the planet, arcseconds, display",
              "shows the setting of the spin button beside it; typed text is not used"},
  {"UpDown4", "red filter wavelength, nanometres", ""},
  {"Edit9",   "red filter wavelength, nanometres, display",
              "shows the setting of the spin button beside it; typed text is not used"},
  {"UpDown5", "green filter wavelength, nanometres", ""},
  {"Edit10",  "green filter wavelength, nanometres, display",
              "shows the setting of the spin button beside it; typed text is not used"},
  {"UpDown6", "blue filter wavelength, nanometres", ""},
  {"Edit11",  "blue filter wavelength, nanometres, display",
              "shows the setting of the spin button beside it; typed text is not used"},
  {"UpDown7", "focal length of the telescope, millimetres", ""},
  {"Edit4",   "focal length of the telescope, millimetres, display",
              "shows the setting of the spin button beside it; typed text is not used"},
  {"UpDown8", "prism angle, tenths of a degree", ""},  // the position counts tenths
  {"Edit5",   "prism angle, degrees, display",
              "shows the setting of the spin button beside it"},
  {"UpDown9", "distance of the prism from the sensor, millimetres", ""},
  {"Edit6",   "distance of the prism from the sensor, millimetres, display",
              "shows the setting of the spin button beside it"},
  {"UpDown10", "shift of the planet image, millimetres", ""},
  {"Edit7",   "shift of the planet image, millimetres, display",
              "shows the setting of the spin button beside it; typed text is not used"},
}};

// clang-format on

}  // namespace orvelan
