#include "ui/Main.h"

#include <QCloseEvent>
#include <QLayout>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "framework/Accessibility.h"
#include "framework/GroupBox.h"
#include "framework/HandlerGuard.h"
#include "framework/Label.h"
#include "model/FormatNumber.h"
#include "model/Prism.h"
#include "render/Draw.h"
#include "ui/Layout.h"
#include "ui/SettingsLog.h"

namespace orvelan {

TForm1* Form1 = nullptr;

namespace {

// Read-out labels size themselves to their text, as their layout asks. A screen reader
// that is listening hears the new reading: the label's accessible name is its meaning and
// its value the reading (see TReadoutAccessible), and Qt sends no event for a named label.
void SetCaption(TLabel* label, const std::string& text) {
  label->SetCaption(QString::fromUtf8(text));
  AnnounceReading(label);
}

// One factory per kind of control; each places the control as its layout row says.
QWidget* Create(QFrame*, const TControlLayout& c, QWidget* parent) {
  auto* panel = new QFrame(parent);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setGeometry(c.Left, c.Top, c.Width, c.Height);
  return panel;
}

QWidget* Create(TGroupBox*, const TControlLayout& c, QWidget* parent) {
  auto* box = new TGroupBox(Text(c.Caption), parent);
  box->setGeometry(c.Left, c.Top, c.Width, c.Height);
  return box;
}

QWidget* Create(TImage*, const TControlLayout& c, QWidget* parent) {
  auto* image = new TImage(c.Width, c.Height, parent);
  image->move(c.Left, c.Top);
  return image;
}

QWidget* Create(TEdit*, const TControlLayout& c, QWidget* parent) {
  auto* edit = new TEdit(Text(c.Caption), parent);
  edit->setGeometry(c.Left, c.Top, c.Width, c.Height);
  edit->setReadOnly(c.ReadOnly);
  // The substitute face has wider digits than the designed one: without this, "10000" and
  // "-10.0" would not fit the 33-pixel boxes and would show scrolled. The text keeps the
  // window's face and height, set a little narrower and without the inner margin.
  QFont font = edit->font();
  font.setStretch(kTextBoxFontStretch);
  edit->setFont(font);
  edit->setTextMargins(-1, 0, -1, 0);
  return edit;
}

QWidget* Create(TLabel*, const TControlLayout& c, QWidget* parent) {
  auto* label = new TLabel(Text(c.Caption), parent);
  label->move(c.Left, c.Top);
  label->adjustSize();
  return label;
}

QWidget* Create(TUpDown*, const TControlLayout& c, QWidget* parent) {
  auto* spin = new TUpDown(parent);
  spin->setGeometry(c.Left, c.Top, c.Width, c.Height);
  return spin;
}

QWidget* Create(QComboBox*, const TControlLayout& c, QWidget* parent) {
  auto* list = new QComboBox(parent);
  for (std::string_view item : kGlassItems) list->addItem(Text(item));
  list->setCurrentText(Text(c.Caption));
  list->setGeometry(c.Left, c.Top, c.Width, c.Height);
  return list;
}

QWidget* Create(QRadioButton*, const TControlLayout& c, QWidget* parent) {
  auto* button = new QRadioButton(Text(c.Caption), parent);
  button->setGeometry(c.Left, c.Top, c.Width, c.Height);
  button->setChecked(c.Checked);
  return button;
}

// Names and describes the controls of kAccessibleTexts; the labels among them are read-outs.
void ApplyAccessibleTexts(QWidget* window) {
  InstallAccessibleFactory();
  for (const TAccessibleText& a : kAccessibleTexts) {
    auto* control = window->findChild<QWidget*>(Text(a.Control));
    if (control == nullptr)
      throw std::logic_error("accessible text for a missing control: " + std::string(a.Control));
    control->setAccessibleName(Text(a.Name));
    control->setAccessibleDescription(Text(a.Description));
    if (auto* label = qobject_cast<QLabel*>(control))
      MarkAsReadout(label);
    else if (dynamic_cast<TImage*>(control) != nullptr)
      DropForeignInterface(control);
  }
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
  Form1 = this;  // the passes below may reach the window through it
  try {
    setWindowTitle(Text(kWindowCaption));
    QFont font(Text(kWindowFontFamily));
    font.setPixelSize(kWindowFontPixels);
    setFont(font);

    BuildControls();
    BuildMainMenu();
    for (std::size_t i = 0; i < FRows.size(); ++i) {
      const TSpinBinding& binding = kSpinBindings[i];
      const TNumericSetting& setting = kNumericSettings[i];
      FRows[i] = {this->*binding.Spin, this->*binding.Edit, &setting};
      FRows[i].Spin->SetRange(setting.Minimum, setting.Maximum, setting.Step);
      FRows[i].Spin->SetPosition(setting.Default);
    }
    ApplyAccessibleTexts(this);
    ConnectHandlers();
    // The client area is the panel; the window sizes itself to it (and to a menu bar).
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // First passes with the list showing "BK7" but no item selected; then "BK7" is
    // selected by program, which runs no handler.
    ComboBox1->setCurrentIndex(-1);
    UpdateAtmosphere();
    UpdatePrism();
    ComboBox1->setCurrentIndex(static_cast<int>(TGlass::BK7));
  } catch (...) {
    Form1 = nullptr;
    throw;
  }
}

TForm1::~TForm1() {
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::BuildControls() {
  std::map<std::string_view, QWidget*> byName;
  for (const TControlLayout& c : kLayout) {
    QWidget* parent = c.Parent.empty() ? this : byName.at(c.Parent);
    QWidget* control = std::visit(
        [&](auto member) -> QWidget* {
          using TControl = std::remove_pointer_t<std::remove_reference_t<decltype(this->*member)>>;
          QWidget* created = Create(static_cast<TControl*>(nullptr), c, parent);
          this->*member = static_cast<TControl*>(created);
          return created;
        },
        c.Member);
    control->setObjectName(Text(c.Name));
    if (!c.Visible) control->setVisible(false);
    control->setEnabled(c.Enabled);
    byName.emplace(c.Name, control);
  }
  setCentralWidget(Panel1);
  Panel1->setFixedSize(Panel1->size());

  // Tab order: depth first through the containers, siblings by their tab order.
  std::vector<QWidget*> chain;
  auto visit = [&](auto&& self, std::string_view parentName) -> void {
    std::vector<const TControlLayout*> children;
    for (const TControlLayout& c : kLayout)
      if (c.Parent == parentName && c.TabOrder >= 0) children.push_back(&c);
    std::stable_sort(children.begin(), children.end(),
                     [](auto* a, auto* b) { return a->TabOrder < b->TabOrder; });
    for (const TControlLayout* c : children) {
      QWidget* control = byName.at(c->Name);
      if (control->focusPolicy() & Qt::TabFocus) chain.push_back(control);
      self(self, c->Name);
    }
  };
  visit(visit, "");
  for (std::size_t i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void TForm1::ConnectHandlers() {
  // Only signals of a user's action: a change by program runs no handler.
  for (std::size_t i = 0; i < FRows.size(); ++i) {
    FRows[i].Spin->SetOnClick(Guarded([this, click = kSpinBindings[i].Click] { (this->*click)(); }));
  }
  connect(ComboBox1, &QComboBox::activated, this, Guarded([this] { ComboBox1Change(); }));
  connect(RadioButton1, &QAbstractButton::clicked, this, Guarded([this] { RadioButton1Click(); }));
  connect(RadioButton2, &QAbstractButton::clicked, this, Guarded([this] { RadioButton2Click(); }));
}

TSettings TForm1::ReadSettings() const {
  TSettings s;
  for (const TSettingRow& row : FRows) s.*(row.Setting->Field) = row.Spin->Position();
  s.Glass = ComboBox1->currentIndex() == static_cast<int>(TGlass::SF2) ? TGlass::SF2 : TGlass::BK7;
  s.PrismType = RadioButton2->isChecked() ? TPrismType::Hybrid : TPrismType::Single;
  return s;
}

void TForm1::ShowPosition(const TSettingRow& row) {
  const int16_t position = row.Spin->Position();
  if (row.Setting->Field == &TSettings::PrismAngle)  // tenths of a degree, shown in degrees
    row.Edit->setText(QString::fromStdString(FormatNumber("0.0", position * 0.1)));
  else
    row.Edit->setText(QString::number(position));
}

void TForm1::UpdateAtmosphere() {
  Probe(TPassStep::AtmosphereSnapshot);
  const TSettings s = ReadSettings();
  Probe(TPassStep::AtmosphereCompute);
  FAtmosphere = ComputeAtmosphere(s);
  Probe(TPassStep::AtmosphereReadouts);
  const TAtmosphereReadouts texts = AtmosphereReadouts(FAtmosphere, s.Altitude);
  SetCaption(Label1, texts.SeparationBG);
  SetCaption(Label2, texts.SeparationGR);
  SetCaption(Label3, texts.TrueAltitude);
  SetCaption(Label4, texts.Lift);
  Probe(TPassStep::UncorrectedPicture);
  DrawUncorrectedPicture(Image1->Canvas(), FAtmosphere, s);
}

void TForm1::UpdatePrism() {
  Probe(TPassStep::PrismSnapshot);
  const TSettings s = ReadSettings();
  Probe(TPassStep::RayDiagramStageOne);
  DrawRayDiagramStageOne(Image2->Canvas(), s);
  Probe(TPassStep::PrismCompute);
  const TPrismResult prism = ComputePrism(s, FAtmosphere);
  Probe(TPassStep::RayDiagramStageTwo);
  DrawRayDiagramStageTwo(Image2->Canvas(), s.PrismPosition, s.ImageShift, prism.ShiftG);
  Probe(TPassStep::PrismReadouts);
  const TPrismReadouts texts = orvelan::PrismReadouts(prism, FAtmosphere);
  SetCaption(Label24, texts.Displacement);
  SetCaption(Label25, texts.PrismGR);
  SetCaption(Label26, texts.PrismBG);
  SetCaption(Label34, texts.ResidualGR);
  SetCaption(Label35, texts.ResidualGRArcsec);
  SetCaption(Label36, texts.ResidualBG);
  SetCaption(Label37, texts.ResidualBGArcsec);
  Probe(TPassStep::CorrectedPicture);
  DrawCorrectedPicture(Image3->Canvas(), prism, s);
  Probe(TPassStep::FocalReadouts);
  SetCaption(Label28, texts.FocalGR);
  SetCaption(Label31, texts.FocalBG);
  Probe(TPassStep::PositionChart);
  DrawPositionChart(Image4->Canvas(), prism);
  Probe(TPassStep::ColorCorrectionChart);
  DrawColorCorrectionChart(Image5->Canvas(), FAtmosphere, prism);
}

// Spin handlers: the new position into the text box, then the passes. A setting that the
// atmosphere result depends on (or the planet size, which scales both pictures) runs both;
// the three prism settings run the prism pass alone.
void TForm1::SpinChanged(std::size_t index) {
  const TSettingRow& row = FRows[index];
  ShowPosition(row);
  const auto field = row.Setting->Field;
  const bool prismOnly = field == &TSettings::PrismAngle || field == &TSettings::PrismPosition ||
                         field == &TSettings::ImageShift;
  if (!prismOnly) UpdateAtmosphere();
  UpdatePrism();
}

void TForm1::UpDown1Click() { SpinChanged(0); }
void TForm1::UpDown2Click() { SpinChanged(1); }
void TForm1::UpDown3Click() { SpinChanged(2); }
void TForm1::UpDown4Click() { SpinChanged(3); }
void TForm1::UpDown5Click() { SpinChanged(4); }
void TForm1::UpDown6Click() { SpinChanged(5); }
void TForm1::UpDown7Click() { SpinChanged(6); }
void TForm1::UpDown8Click() { SpinChanged(7); }
void TForm1::UpDown9Click() { SpinChanged(8); }
void TForm1::UpDown10Click() { SpinChanged(9); }

void TForm1::ComboBox1Change() { UpdatePrism(); }

void TForm1::RadioButton1Click() {
  ComboBox1->setEnabled(true);
  UpdatePrism();
}

void TForm1::RadioButton2Click() {
  ComboBox1->setEnabled(false);  // the hybrid wedge has no choice of glass
  UpdatePrism();
}

void TForm1::FormClose() {
  // The settings log, in the current directory; its failures are silent.
  WriteSettingsLog(ReadSettings());
}

void TForm1::closeEvent(QCloseEvent* event) {
  THandlerGuard::Run([this] { FormClose(); });
  QMainWindow::closeEvent(event);
}

void TForm1::showEvent(QShowEvent* event) {
  if (!FCentred && !event->spontaneous()) {
    FCentred = true;
    if (const QScreen* screen = this->screen()) {
      QRect frame = frameGeometry();
      frame.moveCenter(screen->availableGeometry().center());
      move(frame.topLeft());
    }
  }
  QMainWindow::showEvent(event);
}

}  // namespace orvelan
