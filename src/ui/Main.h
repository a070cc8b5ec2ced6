// The main window: every control as a named member, the event handlers and the two
// recalculation passes that join the optical model to the read-outs and pictures.
#pragma once

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>

#include <array>
#include <cstdint>
#include <functional>

#include "framework/Edit.h"
#include "framework/GroupBox.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/UpDown.h"
#include "model/Atmosphere.h"
#include "model/Settings.h"

namespace orvelan {

// The steps of the two passes, in the order they run. A pass probe sees each step just
// before it runs.
enum class TPassStep {
  AtmosphereSnapshot,   // ReadSettings
  AtmosphereCompute,    // ComputeAtmosphere, result stored in the window
  AtmosphereReadouts,   // Label1 ... Label4
  UncorrectedPicture,   // Image1
  PrismSnapshot,        // ReadSettings
  RayDiagramStageOne,   // Image2: ground, wedge, axis, captions
  PrismCompute,         // ComputePrism
  RayDiagramStageTwo,   // Image2: ray and sensor line
  PrismReadouts,        // Label24, Label25, Label26, Label34 ... Label37
  CorrectedPicture,     // Image3
  FocalReadouts,        // Label28, Label31
  PositionChart,        // Image4
  ColorCorrectionChart  // Image5
};

class TForm1;
// The one main window while it exists (the last one constructed); nullptr otherwise.
extern TForm1* Form1;

class TForm1 : public QMainWindow {
 public:
  // Builds every control from the layout table, runs the atmosphere pass and the prism pass,
  // then selects "BK7" in the glass list without running a handler. Not shown yet.
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // Controls, in the order of the layout. All are owned by the window.
  QFrame* Panel1 = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TGroupBox* GroupBox2 = nullptr;
  TImage* Image1 = nullptr;
  TEdit* Edit1 = nullptr;
  TEdit* Edit2 = nullptr;
  TImage* Image2 = nullptr;
  TEdit* Edit4 = nullptr;
  TEdit* Edit5 = nullptr;
  TEdit* Edit6 = nullptr;
  TGroupBox* GroupBox3 = nullptr;
  TLabel* Label1 = nullptr;
  TUpDown* UpDown1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TUpDown* UpDown2 = nullptr;
  TLabel* Label4 = nullptr;
  TImage* Image3 = nullptr;
  TLabel* Label5 = nullptr;
  TLabel* Label6 = nullptr;
  TLabel* Label7 = nullptr;
  TLabel* Label8 = nullptr;
  TEdit* Edit3 = nullptr;
  TUpDown* UpDown3 = nullptr;
  TLabel* Label9 = nullptr;
  TLabel* Label10 = nullptr;
  TEdit* Edit9 = nullptr;
  TUpDown* UpDown4 = nullptr;
  TLabel* Label11 = nullptr;
  TLabel* Label12 = nullptr;
  TLabel* Label13 = nullptr;
  TEdit* Edit10 = nullptr;
  TUpDown* UpDown5 = nullptr;
  TLabel* Label14 = nullptr;
  TLabel* Label15 = nullptr;
  TEdit* Edit11 = nullptr;
  TUpDown* UpDown6 = nullptr;
  TLabel* Label16 = nullptr;
  TLabel* Label17 = nullptr;
  TLabel* Label18 = nullptr;
  TLabel* Label19 = nullptr;
  TImage* Image4 = nullptr;
  TGroupBox* GroupBox4 = nullptr;
  QComboBox* ComboBox1 = nullptr;
  TLabel* Label20 = nullptr;
  TLabel* Label21 = nullptr;
  TLabel* Label22 = nullptr;
  TLabel* Label23 = nullptr;
  TUpDown* UpDown7 = nullptr;
  TUpDown* UpDown8 = nullptr;
  TUpDown* UpDown9 = nullptr;
  TLabel* Label24 = nullptr;
  TLabel* Label25 = nullptr;
  TLabel* Label26 = nullptr;
  TLabel* Label29 = nullptr;
  TEdit* Edit7 = nullptr;
  TUpDown* UpDown10 = nullptr;
  TLabel* Label30 = nullptr;
  TGroupBox* GroupBox5 = nullptr;
  TLabel* Label28 = nullptr;
  TLabel* Label31 = nullptr;
  TGroupBox* GroupBox6 = nullptr;
  TLabel* Label34 = nullptr;
  TLabel* Label35 = nullptr;
  TLabel* Label36 = nullptr;
  TLabel* Label37 = nullptr;
  TImage* Image5 = nullptr;
  QRadioButton* RadioButton1 = nullptr;
  QRadioButton* RadioButton2 = nullptr;

  // The main menu (Menus.cpp): File1 with Exit1, V1 with I1.
  QMenuBar* MainMenu1 = nullptr;
  QMenu* File1 = nullptr;
  QAction* Exit1 = nullptr;
  QMenu* V1 = nullptr;
  QAction* I1 = nullptr;

  // One numeric setting as the window holds it: the spin button, the text box beside it and
  // the setting's range (kNumericSettings), in the order of kNumericSettings.
  struct TSettingRow {
    TUpDown* Spin;
    TEdit* Edit;
    const TNumericSetting* Setting;
  };
  const std::array<TSettingRow, kNumericSettings.size()>& SettingRows() const { return FRows; }

  // A snapshot of the settings from the controls: the ten spin positions, the glass (the
  // list's item index; no selected item reads as BK7) and the prism type (Hybrid while
  // RadioButton2 is checked, Single otherwise).
  TSettings ReadSettings() const;

  // The result of the latest atmosphere pass; the prism pass reads it.
  const TAtmosphereResult& AtmosphereResult() const { return FAtmosphere; }

  // The two passes (see TPassStep for their steps).
  void UpdateAtmosphere();
  void UpdatePrism();

  // Event handlers. Each spin handler writes its text box, then runs its passes; the glass
  // and prism-type handlers run the prism pass. They run inside the handler guard when a
  // control calls them; called directly, an exception reaches the caller.
  void UpDown1Click();
  void UpDown2Click();
  void UpDown3Click();
  void UpDown4Click();
  void UpDown5Click();
  void UpDown6Click();
  void UpDown7Click();
  void UpDown8Click();
  void UpDown9Click();
  void UpDown10Click();
  void ComboBox1Change();
  void RadioButton1Click();
  void RadioButton2Click();

  // Runs when the window closes (its close box, or close() from a menu command), inside the
  // handler guard; the close always goes ahead.
  void FormClose();

  // Menu commands, inside the handler guard: Exit1 closes the window exactly as its close
  // box does; I1 shows the About box and changes nothing.
  void Exit1Click();
  void I1Click();

  // Test seam: a probe that sees every pass step just before it runs, and may throw to fail
  // the pass there. Pass {} to remove it.
  using TPassProbe = std::function<void(TPassStep)>;
  void SetPassProbe(TPassProbe probe) { FProbe = std::move(probe); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  void BuildMainMenu();
  void ConnectHandlers();
  void ShowPosition(const TSettingRow& row);  // the spin position into its text box
  void SpinChanged(std::size_t index);         // what every spin handler does for its row
  void Probe(TPassStep step) {
    if (FProbe) FProbe(step);
  }

  std::array<TSettingRow, kNumericSettings.size()> FRows{};
  TAtmosphereResult FAtmosphere;
  TPassProbe FProbe;
  bool FCentred = false;
};

}  // namespace orvelan
